// Any type and data in the two visibility values: read them, show them and
// never select both options, leak a handle or let an error escape the trap.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <tuple>

#include "app/toolkit/runtime_error.h"
#include "fakes/fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumora;
  FuzzedDataProvider input(data, size);
  testing::Fakes f;
  auto [registry, ui, general, state] = std::tie(f.registry, f.ui, f.general, f.state);
  using testing::kAdvanced, testing::kHkcu;
  registry.AddKey(kHkcu, kAdvanced);
  for (const char16_t* name : {u"Hidden", u"ShowSuperHidden"}) {
    if (!input.ConsumeBool()) continue;
    const auto type = input.ConsumeIntegralInRange<std::uint32_t>(0, 11);
    registry.Put(kHkcu, kAdvanced, name,
                 {type, input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange(0, 15))});
  }
  CurrentLanguage = input.ConsumeBool() ? u"Persian" : u"English";

  ReadCurrentOption(state, general, ui);  // must not throw
  if (ui.options[Element::OptShow] && ui.options[Element::OptHide]) std::abort();
  if (ui.checks.count(Element::chkSuper) != 0 && ui.checks[Element::chkSuper] > 1) std::abort();
  if (registry.OpenHandles() != 0) std::abort();

  // A 16-bit conversion of the read: in range, or a run-time error.
  std::u16string path = u"HKEY_CURRENT_USER\\" + std::u16string(kAdvanced);
  try {
    (void)ToInteger16(general.ReadDWord(path, u"Hidden"));
  } catch (const RuntimeError& error) {
    if (error.Number() != 6 && error.Number() != 13) std::abort();  // overflow, type mismatch
  }
  return 0;
}
