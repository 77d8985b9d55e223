#pragma once

#include <iterator>
#include <string_view>

#include "app/toolkit/element.h"

namespace lumora {

// One text in both languages. Persian texts are in storage order; their
// leading and trailing spaces and punctuation are part of the text.
struct TextPair {
  std::u16string_view english;
  std::u16string_view persian;
};

struct ElementText {
  Element element;
  TextPair text;
};

// The main window's captions in the order they are set; the window's own
// caption comes last. Menu shortcut keys are not part of a caption.
// clang-format off
inline constexpr ElementText kMainTexts[] = {
    {Element::cmdApply, {u"A&pply", u"اجرا"}},
    {Element::cmdAbout, {u"&About", u"... درباره"}},
    {Element::cmdExit, {u"E&xit", u"خروج"}},
    {Element::framOpt, {u" Current Option : ", u" وضعيت فعلي : "}},
    {Element::framMain, {u" Main Controls : ", u" کنترل هاي اصلي : "}},
    {Element::chkSuper, {u"Show Super Hidden(system) files.", u"فايل هاي سيستمي را نشان بده."}},
    {Element::OptShow, {u"Show hidden files and folders.", u"فايل ها و فولدرهاي پنهان را نشان بده."}},
    {Element::OptHide, {u"Do not show hidden files and folders.", u"فايل ها و فولدرهاي پنهان را مخفي کن."}},
    {Element::mnuFile, {u"&File", u"فايل"}},
    {Element::mnuFileApply, {u"A&pply", u"اجرا"}},
    {Element::mnuFileExit, {u"E&xit", u"خروج"}},
    {Element::mnuLang, {u"&Language", u"زبان"}},
    {Element::mnuLangEnglish, {u"&English", u"انگليسي"}},
    {Element::mnuLangPersian, {u"&Persian", u"فارسي"}},
    {Element::mnuHelp, {u"&Help", u"کمک"}},
    {Element::mnuHelpAbout, {u"&About", u"... درباره"}},
    {Element::frmMain, {u"Lumora!", u"لومورا !"}},
};
// clang-format on

// The elements that turn right-to-left in Persian, in the order they are set.
inline constexpr Element kMainRightToLeft[] = {
    Element::framOpt, Element::framMain, Element::chkSuper,
    Element::OptShow, Element::OptHide,  Element::frmMain,
};

enum class HidingStatus : unsigned char { kActivated, kDeactivated };

// The main window's status line texts, indexed by HidingStatus.
inline constexpr TextPair kStatusTexts[] = {
    {u"Hiding option is activated.", u".مخفي کردن فعال است"},
    {u"Hiding option is deactivated.", u".مخفي کردن غير فعال است"},
};
static_assert(std::size(kStatusTexts) == static_cast<std::size_t>(HidingStatus::kDeactivated) + 1,
              "a status text for each status");

// The message box that closes an Apply.
inline constexpr TextPair kApplyDoneTitle = {u"Changed", u"Changed"};
inline constexpr TextPair kApplyDoneText = {
    u" Option changes successfully! Good Luck!",
    u" ! تغييرات به طور موفقيت آميزي اعمال شد! موفق باشيد "};
inline constexpr TextPair kApplyFailedTitle = {u"Not changed", u"Not changed"};
inline constexpr TextPair kApplyFailedText = {u" Option could not be changed!",
                                              u" ! تغييرات اعمال نشد "};

}  // namespace lumora
