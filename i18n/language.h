#pragma once

#include <string>
#include <string_view>

namespace lumora {

inline constexpr std::u16string_view kEnglish = u"English";
inline constexpr std::u16string_view kPersian = u"Persian";

// The process-wide current language. Empty until the stored preference is
// loaded; every test of it compares the whole text exactly.
// NOLINTNEXTLINE(bugprone-dynamic-static-initializers): declared here, defined once.
extern std::u16string CurrentLanguage;

}  // namespace lumora
