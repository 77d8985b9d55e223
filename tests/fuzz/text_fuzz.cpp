// Any text as a key path and as the stored language preference. A path is
// split and its root resolved without a crash; only a well-formed one
// changes anything, and nothing creates a key. The language settles on
// English or Persian, marks exactly that item and leaves a non-empty entry
// untouched.
#include <cstdlib>
#include <cstring>
#include <tuple>

#include "fakes/fakes.h"
#include "i18n/language_preference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumora;
  testing::Fakes f;
  auto [registry, store, ui, general] = std::tie(f.registry, f.store, f.ui, f.general);
  std::u16string text(size / 2, u'\0');
  std::memcpy(text.data(), data, text.size() * 2);

  (void)RootKeyFromName(text);
  std::u16string path = text;
  RegHandle root = 0x7777;
  const bool well_formed = general.SplitKeyPath(path, root);
  if (!well_formed && (path != text || root != 0x7777 || ui.msg_boxes.size() != 1)) std::abort();
  if (well_formed && (!ui.msg_boxes.empty() || path.size() > text.size())) std::abort();
  std::u16string read_path = text;
  (void)general.ReadDWord(read_path, u"Hidden");
  std::u16string write_path = text;
  // Only root keys exist in the fake: a write lands there or nowhere.
  const bool wrote = general.WriteDWord(write_path, u"Hidden", 1);
  if (wrote && !(well_formed && path.empty())) std::abort();
  if (registry.KeyCount() > (wrote ? 1U : 0U) || registry.OpenHandles() != 0) std::abort();

  store.entries[u"NorvaleSoft\\Lumora\\Language"] = text;
  LoadLanguage(store, ui);
  const bool persian = CurrentLanguage == u"Persian";
  if (!persian && CurrentLanguage != u"English") std::abort();
  if (persian != (text == u"Persian")) std::abort();
  if (ui.menu_checks[Element::mnuLangPersian] != persian) std::abort();
  if (ui.menu_checks[Element::mnuLangEnglish] == persian) std::abort();
  const std::u16string& now = store.entries[u"NorvaleSoft\\Lumora\\Language"];
  if (now != (text.empty() ? u"English" : text)) std::abort();
  return 0;
}
