#pragma once

#include "app/toolkit/form_desc.h"

namespace lumora {

class WindowOps;

// The about window's event handlers, independent of how the window is drawn.
class AboutForm final : public FormEvents {
 public:
  static constexpr Element kWindow = Element::frmAbout;

  explicit AboutForm(WindowOps& ui) : ui_(ui) {}

  // The load event: labels the window for the current language.
  void Form_Load();
  // Its OK button, and its close box, which behaves the same.
  void cmdOK_Click();

 private:
  WindowOps& ui_;
};

}  // namespace lumora
