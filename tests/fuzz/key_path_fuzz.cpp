// Any text as a key path: split it and resolve its root without a crash; only
// a well-formed path changes anything, and nothing creates a key.
#include <cstdlib>
#include <cstring>

#include "fakes/fake_registry.h"
#include "fakes/recording_window.h"
#include "registry/general.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumora;
  testing::FakeRegistry registry;
  testing::RecordingWindow ui;
  General general(registry, ui);

  std::u16string original(size / 2, u'\0');
  std::memcpy(original.data(), data, original.size() * 2);
  (void)RootKeyFromName(original);
  std::u16string path = original;
  RegHandle root = 0x7777;
  const bool well_formed = general.SplitKeyPath(path, root);
  if (!well_formed && (path != original || root != 0x7777 || ui.msg_boxes.size() != 1))
    std::abort();
  if (well_formed && (!ui.msg_boxes.empty() || path.size() > original.size())) std::abort();

  std::u16string read_path = original;
  (void)general.ReadDWord(read_path, u"Hidden");
  std::u16string write_path = original;
  // Only root keys exist in the fake: a write lands there or nowhere, and
  // creates no key.
  const bool wrote = general.WriteDWord(write_path, u"Hidden", 1);
  if (wrote && !(well_formed && path.empty())) std::abort();
  if (registry.KeyCount() > (wrote ? 1U : 0U)) std::abort();
  if (registry.OpenHandles() != 0) std::abort();
  return 0;
}
