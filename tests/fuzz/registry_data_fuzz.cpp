// Any type and data in the two visibility values: read them, show them and
// never select both options, leak a handle or let an error escape the trap.
#include <cstdlib>

#include "app/toolkit/runtime_error.h"
#include "fakes/fake_registry.h"
#include "fakes/recording_window.h"
#include "fuzz/fuzz_input.h"
#include "i18n/language.h"
#include "registry/general.h"
#include "settings/visibility.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumora;
  fuzzing::FuzzInput input(data, size);
  testing::FakeRegistry registry;
  testing::RecordingWindow ui;
  General general(registry, ui);
  const std::u16string key = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
  constexpr auto kHkcu = static_cast<RegHandle>(0x80000001U);
  registry.AddKey(kHkcu, key);
  for (const char16_t* name : {u"Hidden", u"ShowSuperHidden"}) {
    const std::uint8_t present = input.Byte();
    if ((present & 1) == 0) continue;
    testing::StoredValue value;
    value.type = input.Byte() % 12;
    value.data.resize(input.Byte() % 16);
    for (std::uint8_t& byte : value.data) byte = input.Byte();
    registry.Put(kHkcu, key, name, value);
  }
  CurrentLanguage = (input.Byte() & 1) != 0 ? u"Persian" : u"English";

  VisibilityState state;
  ReadCurrentOption(state, general, ui);  // must not throw
  if (ui.options[Element::OptShow] && ui.options[Element::OptHide]) std::abort();
  if (ui.checks.count(Element::chkSuper) != 0 && ui.checks[Element::chkSuper] > 1) std::abort();
  if (registry.OpenHandles() != 0) std::abort();

  // A 16-bit conversion of the read: in range, or a run-time error.
  std::u16string path = u"HKEY_CURRENT_USER\\" + key;
  try {
    const std::int16_t value = ToInteger16(general.ReadDWord(path, u"Hidden"));
    (void)value;
  } catch (const RuntimeError& error) {
    if (error.Number() != kErrOverflow && error.Number() != kErrTypeMismatch) std::abort();
  }
  return 0;
}
