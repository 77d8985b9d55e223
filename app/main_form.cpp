#include "app/main_form.h"

#include "app/toolkit/runtime_error.h"
#include "app/toolkit/window_ops.h"
#include "i18n/apply_language.h"
#include "i18n/language.h"
#include "i18n/language_preference.h"

namespace lumora {

void MainForm::Form_Initialize() { ui_.InitCommonControls(); }

void MainForm::Form_Load() {
  try {
    LoadLanguage(store_, ui_);
    ReadCurrentOption(state_, general_, ui_);
    ApplyLanguage(ui_, CurrentLanguage);
  } catch (const RuntimeError&) {
    // Start-up goes on with whatever was reached.
  }
}

void MainForm::Form_Unload() { SaveLanguage(store_); }

void MainForm::cmdApply_Click() { Apply(state_, general_, ui_); }

void MainForm::cmdAbout_Click() { ui_.ShowModal(Element::frmAbout); }

void MainForm::cmdExit_Click() {
  SaveLanguage(store_);
  ui_.EndProgram();
}

void MainForm::mnuLangEnglish_Click() {
  SwitchLanguage(ui_, Element::mnuLangEnglish, HidingStatusFor(state_.HiddenValue));
}

void MainForm::mnuLangPersian_Click() {
  SwitchLanguage(ui_, Element::mnuLangPersian, HidingStatusFor(state_.HiddenValue));
}

}  // namespace lumora
