// Any text as a key path: it is split and its root resolved without a crash;
// only a well-formed one changes anything, and nothing creates a key or
// leaves one open.
#include <cstdlib>
#include <cstring>

#include "fakes/fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumora;
  testing::Fakes f;
  std::u16string text(size / 2, u'\0');
  std::memcpy(text.data(), data, text.size() * 2);
  (void)RootKeyFromName(text);
  std::u16string path = text, read_path = text, write_path = text;
  RegHandle root = 0x7777;
  const bool well_formed = f.general.SplitKeyPath(path, root);
  if (well_formed ? !f.ui.msg_boxes.empty() || path.size() > text.size()
                  : path != text || root != 0x7777 || f.ui.msg_boxes.size() != 1) {
    std::abort();
  }
  (void)f.general.ReadDWord(read_path, u"Hidden");
  // Only root keys exist in the fake: a write lands there or nowhere.
  const bool wrote = f.general.WriteDWord(write_path, u"Hidden", 1);
  if (wrote && !(well_formed && path.empty())) std::abort();
  if (f.registry.keys.size() > (wrote ? 1U : 0U) || f.registry.OpenHandles() != 0) std::abort();

  return 0;
}
