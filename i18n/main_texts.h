#pragma once

#include <array>
#include <string_view>

namespace lumora {

// One text in both languages. Persian texts are in storage order; their
// leading and trailing spaces and punctuation are part of the text.
struct TextPair {
  std::u16string_view english;
  std::u16string_view persian;
};

enum class HidingStatus : unsigned char { Activated, Deactivated };

// The main window's status line texts, indexed by HidingStatus.
inline constexpr std::array<TextPair, 2> kStatusTexts = {{
    {u"Hiding option is activated.", u".مخفي کردن فعال است"},
    {u"Hiding option is deactivated.", u".مخفي کردن غير فعال است"},
}};

// The message box that closes an Apply.
inline constexpr TextPair kApplyDoneTitle = {u"Changed", u"Changed"};
inline constexpr TextPair kApplyDoneText = {
    u" Option changes successfully! Good Luck!",
    u" ! تغييرات به طور موفقيت آميزي اعمال شد! موفق باشيد "};
inline constexpr TextPair kApplyFailedTitle = {u"Not changed", u"Not changed"};
inline constexpr TextPair kApplyFailedText = {
    u" Option could not be changed!",
    u" ! تغييرات اعمال نشد "};

}  // namespace lumora
