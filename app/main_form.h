#pragma once

#include "app/toolkit/form_desc.h"
#include "registry/general.h"
#include "settings/visibility.h"

namespace lumora {

class SettingsStore;
class WindowOps;

// The main window's event handlers, independent of how the window is drawn.
// Its description names the click handlers; the window routes the rest here.
class MainForm final : public FormEvents {
 public:
  static constexpr Element kWindow = Element::frmMain;

  MainForm(WindowOps& ui, RegistryApi& registry, SettingsStore& store)
      : ui_(ui), store_(store), general_(registry, ui) {}

  void Form_Initialize();
  // Start-up: language, settings, captions; any run-time error ends it quietly.
  void Form_Load();
  void Form_Unload();

  void cmdApply_Click();
  void mnuFileApply_Click() { cmdApply_Click(); }
  void cmdAbout_Click();
  void mnuHelpAbout_Click() { cmdAbout_Click(); }
  void cmdExit_Click();
  void mnuFileExit_Click() { cmdExit_Click(); }
  void mnuLangEnglish_Click();
  void mnuLangPersian_Click();

 private:
  WindowOps& ui_;
  SettingsStore& store_;
  General general_;
  VisibilityState state_;
};

}  // namespace lumora
