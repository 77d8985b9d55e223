// Any stored text as the language preference: the program settles on English
// or Persian, marks exactly that item and leaves a non-empty entry untouched.
#include <cstdlib>
#include <cstring>

#include "fakes/fake_settings_store.h"
#include "fakes/recording_window.h"
#include "i18n/language.h"
#include "i18n/language_preference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumora;
  testing::FakeSettingsStore store;
  testing::RecordingWindow ui;
  std::u16string stored(size / 2, u'\0');
  std::memcpy(stored.data(), data, stored.size() * 2);
  store.entries[u"NorvaleSoft\\Lumora\\Language"] = stored;

  LoadLanguage(store, ui);
  const bool persian = CurrentLanguage == u"Persian";
  if (!persian && CurrentLanguage != u"English") std::abort();
  if (persian != (stored == u"Persian")) std::abort();
  if (ui.menu_checks[Element::mnuLangPersian] != persian) std::abort();
  if (ui.menu_checks[Element::mnuLangEnglish] == persian) std::abort();
  const std::u16string& now = store.entries[u"NorvaleSoft\\Lumora\\Language"];
  if (now != (stored.empty() ? u"English" : stored)) std::abort();
  return 0;
}
