#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "i18n/main_texts.h"
#include "registry/general.h"

namespace lumora {

class WindowOps;

inline constexpr std::u16string_view ExplorerAdvancedKey =
    u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
inline constexpr std::u16string_view kHiddenName = u"Hidden";
inline constexpr std::u16string_view kSuperHiddenName = u"ShowSuperHidden";

// "Hidden" and "ShowSuperHidden" numbers the window understands.
inline constexpr std::int16_t kHiddenNotShown = 2;
inline constexpr std::int16_t kHiddenShown = 1;
inline constexpr std::int16_t kSuperHiddenShown = 1;
inline constexpr std::int16_t kSuperHiddenNotShown = 0;

// The main window's copy of the two settings.
struct VisibilityState {
  std::int16_t HiddenValue = 0;
  std::int16_t SuperHiddenValue = 0;
};

// Empty reads as 0; out of range and "Error" raise the run-time error.
[[nodiscard]] std::int16_t ToInteger16(const ReadResult& result);

// What the status line says for a "Hidden" number: only 2 and 1 say anything.
[[nodiscard]] std::optional<HidingStatus> HidingStatusFor(std::int16_t hidden_value);

// Shows the stored settings; any run-time error ends it quietly.
void ReadCurrentOption(VisibilityState& state, General& general, WindowOps& ui);

// Writes the chosen settings and reports whether they took effect.
void Apply(VisibilityState& state, General& general, WindowOps& ui);

}  // namespace lumora
