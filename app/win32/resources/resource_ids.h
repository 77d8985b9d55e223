#pragma once

namespace lumora {

// Resource identifiers, as numbered in lumora.rc.
inline constexpr int kIconProgram = 1;
inline constexpr int kIconAbout = 2;

}  // namespace lumora
