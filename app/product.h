#pragma once

#include <string_view>

namespace lumora {

// The product title: message boxes given no title of their own show it.
inline constexpr std::u16string_view kProductTitle = u"Lumora";

}  // namespace lumora
