#pragma once

// What the user reads, in English and in Persian, written out as the program
// must show it.
#include <string_view>

#include "app/toolkit/element.h"

namespace lumora::testing {

struct Caption {
  Element element;
  std::u16string_view english, persian;
};

// The main window's captions, in the order they are set.
// clang-format off
inline constexpr Caption kMainCaptions[] = {
    {Element::cmdApply, u"A&pply", u"اجرا"},
    {Element::cmdAbout, u"&About", u"... درباره"},
    {Element::cmdExit, u"E&xit", u"خروج"},
    {Element::framOpt, u" Current Option : ", u" وضعيت فعلي : "},
    {Element::framMain, u" Main Controls : ", u" کنترل هاي اصلي : "},
    {Element::chkSuper, u"Show Super Hidden(system) files.", u"فايل هاي سيستمي را نشان بده."},
    {Element::OptShow, u"Show hidden files and folders.", u"فايل ها و فولدرهاي پنهان را نشان بده."},
    {Element::OptHide, u"Do not show hidden files and folders.", u"فايل ها و فولدرهاي پنهان را مخفي کن."},
    {Element::mnuFile, u"&File", u"فايل"},
    {Element::mnuFileApply, u"A&pply", u"اجرا"},
    {Element::mnuFileExit, u"E&xit", u"خروج"},
    {Element::mnuLang, u"&Language", u"زبان"},
    {Element::mnuLangEnglish, u"&English", u"انگليسي"},
    {Element::mnuLangPersian, u"&Persian", u"فارسي"},
    {Element::mnuHelp, u"&Help", u"کمک"},
    {Element::mnuHelpAbout, u"&About", u"... درباره"},
    {Element::frmMain, u"Lumora!", u"لومورا !"},
};

// The status line.
inline constexpr Caption kActivated = {Element::txtCur, u"Hiding option is activated.", u".مخفي کردن فعال است"};
inline constexpr Caption kDeactivated = {Element::txtCur, u"Hiding option is deactivated.", u".مخفي کردن غير فعال است"};

// The about window: its label and its caption.
inline constexpr Caption kAboutText = {Element::Label1,
    u"After changing settings and applying, you must 'Refresh' once in desktop.\r\n"
    u"Then you can see the changes!\r\nAuthor: the Lumora team\r\nProducer: NorvaleSoft\r\n",
    u"بعد از انجام تغييرات ، شما بايد يکبار در صفحه ، رفرش کنيد.\r\n"
    u"سپس شما تغييرات را مي بينيد!\r\nنويسنده: گروه لومورا\r\nتوليد: نوروال سافت\r\n"};
inline constexpr Caption kAboutCaption = {Element::frmAbout, u"About ... ", u"درباره ..."};
// clang-format on

}  // namespace lumora::testing
