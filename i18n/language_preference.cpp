#include "i18n/language_preference.h"

#include "app/toolkit/window_ops.h"
#include "i18n/language.h"
#include "i18n/settings_store.h"

namespace lumora {

namespace {
std::u16string ReadPreference(SettingsStore& store) {
  return store.GetSetting(kSettingsApp, kSettingsSection, kLanguageKey);
}
}  // namespace

void LoadLanguage(SettingsStore& store, WindowOps& ui) {
  if (ReadPreference(store).empty()) {
    store.SaveSetting(kSettingsApp, kSettingsSection, kLanguageKey, kEnglish);
  }
  CurrentLanguage = ReadPreference(store);

  if (CurrentLanguage == kPersian) {
    ui.SetMenuChecked(Element::mnuLangPersian, true);
    ui.SetMenuChecked(Element::mnuLangEnglish, false);
    return;
  }
  ui.SetMenuChecked(Element::mnuLangPersian, false);
  ui.SetMenuChecked(Element::mnuLangEnglish, true);
  // An unrecognised text stays stored until the next save replaces it.
  if (CurrentLanguage != kEnglish) CurrentLanguage = kEnglish;
}

void SaveLanguage(SettingsStore& store) {
  store.SaveSetting(kSettingsApp, kSettingsSection, kLanguageKey, CurrentLanguage);
}

}  // namespace lumora
