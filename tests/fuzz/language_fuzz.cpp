// Any stored text as the language preference: the program settles on English
// or Persian, marks exactly that item and leaves a non-empty entry untouched.
#include <cstdlib>

#include "fakes/fake_settings_store.h"
#include "fakes/recording_window.h"
#include "fuzz/fuzz_input.h"
#include "i18n/language.h"
#include "i18n/language_preference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumora;
  fuzzing::FuzzInput input(data, size);
  testing::FakeSettingsStore store;
  testing::RecordingWindow ui;
  const std::u16string stored = input.Rest16();
  store.entries[u"NorvaleSoft\\Lumora\\Language"] = stored;

  LoadLanguage(store, ui);
  const bool persian = CurrentLanguage == kPersian;
  if (!persian && CurrentLanguage != kEnglish) std::abort();
  if (persian != (stored == kPersian)) std::abort();
  if (ui.menu_checks[Element::mnuLangPersian] != persian) std::abort();
  if (ui.menu_checks[Element::mnuLangEnglish] == persian) std::abort();
  const std::u16string& now = store.entries[u"NorvaleSoft\\Lumora\\Language"];
  if (now != (stored.empty() ? std::u16string(kEnglish) : stored)) std::abort();
  return 0;
}
