#include "settings/visibility.h"

#include <limits>
#include <string>

#include "app/toolkit/runtime_error.h"
#include "app/toolkit/window_ops.h"
#include "i18n/apply_language.h"
#include "i18n/language.h"

namespace lumora {

namespace {

std::int16_t ReadSetting(General& general, std::u16string_view name) {
  std::u16string path{ExplorerAdvancedKey};
  return ToInteger16(general.ReadDWord(path, name));
}

bool WriteSetting(General& general, std::u16string_view name, std::int16_t value) {
  std::u16string path{ExplorerAdvancedKey};
  return general.WriteDWord(path, name, value);
}

std::u16string_view Choose(const TextPair& text) {
  return CurrentLanguage == kPersian ? text.persian : text.english;
}

}  // namespace

std::int16_t ToInteger16(const ReadResult& result) {
  if (std::holds_alternative<std::monostate>(result)) return 0;
  if (std::holds_alternative<ReadErrorText>(result)) {
    throw RuntimeError(kErrTypeMismatch, u"Type mismatch");
  }
  const std::int32_t number = std::get<std::int32_t>(result);
  if (number < std::numeric_limits<std::int16_t>::min() ||
      number > std::numeric_limits<std::int16_t>::max()) {
    throw RuntimeError(kErrOverflow, u"Overflow");
  }
  return static_cast<std::int16_t>(number);
}

std::optional<HidingStatus> HidingStatusFor(std::int16_t hidden_value) {
  if (hidden_value == kHiddenNotShown) return HidingStatus::kActivated;
  if (hidden_value == kHiddenShown) return HidingStatus::kDeactivated;
  return std::nullopt;
}

void ReadCurrentOption(VisibilityState& state, General& general, WindowOps& ui) {
  try {
    state.HiddenValue = ReadSetting(general, kHiddenName);
    state.SuperHiddenValue = ReadSetting(general, kSuperHiddenName);

    if (state.HiddenValue == kHiddenNotShown) {
      ui.SetOptionValue(Element::OptHide, true);
    } else if (state.HiddenValue == kHiddenShown) {
      ui.SetOptionValue(Element::OptShow, true);
    }
    if (const auto status = HidingStatusFor(state.HiddenValue)) SetStatusLine(ui, *status);

    if (state.SuperHiddenValue == kSuperHiddenShown) {
      ui.SetCheckValue(Element::chkSuper, kChecked);
    } else if (state.SuperHiddenValue == kSuperHiddenNotShown) {
      ui.SetCheckValue(Element::chkSuper, kUnchecked);
    }
  } catch (const RuntimeError&) {
    // The trap: whatever was shown before the error stays, nothing is reported.
  }
}

void Apply(VisibilityState& state, General& general, WindowOps& ui) {
  bool all_written = true;

  if (ui.GetOptionValue(Element::OptHide)) {
    if (WriteSetting(general, kHiddenName, kHiddenNotShown)) {
      state.HiddenValue = kHiddenNotShown;
      SetStatusLine(ui, HidingStatus::kActivated);
    } else {
      all_written = false;
    }
  } else if (ui.GetOptionValue(Element::OptShow)) {
    if (WriteSetting(general, kHiddenName, kHiddenShown)) {
      state.HiddenValue = kHiddenShown;
      SetStatusLine(ui, HidingStatus::kDeactivated);
    } else {
      all_written = false;
    }
  }

  const int check = ui.GetCheckValue(Element::chkSuper);
  if (check == kChecked || check == kUnchecked) {
    const auto value = check == kChecked ? kSuperHiddenShown : kSuperHiddenNotShown;
    if (WriteSetting(general, kSuperHiddenName, value)) {
      state.SuperHiddenValue = value;
    } else {
      all_written = false;
    }
  }

  if (all_written) {
    ui.MsgBox(Choose(kApplyDoneText), kMsgInformation, Choose(kApplyDoneTitle));
  } else {
    ui.MsgBox(Choose(kApplyFailedText), kMsgCritical, Choose(kApplyFailedTitle));
  }
}

}  // namespace lumora
