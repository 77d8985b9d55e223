#pragma once

namespace lumora {

class WindowOps;

// The about window's load event: labels it for the current language.
void frmAbout_Load(WindowOps& ui);

// Its OK button, and its close box, which behaves the same.
void frmAbout_cmdOK_Click(WindowOps& ui);

}  // namespace lumora
