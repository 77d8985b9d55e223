#pragma once

#include "app/about_form.h"
#include "app/main_form.h"
#include "app/toolkit/form_rules.h"
#include "i18n/main_texts.h"

namespace lumora {

// Tahoma 8.25 pt, regular, Arabic character set; MS Sans Serif for the panel.
inline constexpr FontDesc kWindowFont = {u"Tahoma", 825, 400, 178};
inline constexpr FontDesc kPanelFont = {u"MS Sans Serif", 825, 400, 178};

// One row an element: what it is, where it stands, and what its click runs.
// clang-format off
inline constexpr ElementDesc kMainElements[] = {
    {Element::framOpt,  ElementKind::kFrame,         Element::frmMain,  u" Current Option : ",                    {120, 120, 3495, 615},   7},
    {Element::txtCur,   ElementKind::kTextBox,       Element::framOpt,  u"",                                      {360, 240, 2775, 285},   8},
    {Element::framMain, ElementKind::kFrame,         Element::frmMain,  u" Main Controls : ",                     {120, 840, 3495, 1815},  0},
    {Element::pic,      ElementKind::kPanel,         Element::framMain, u"",                                      {120, 240, 3255, 1455},  9},
    {Element::chkSuper, ElementKind::kCheckBox,      Element::pic,      u"Show Super Hidden(System) Files.",      {0, 40, 3255, 195},      5},
    {Element::OptShow,  ElementKind::kOptionButton,  Element::pic,      u"Show Hidden Files And Folders.",        {0, 360, 3255, 195},     4},
    {Element::OptHide,  ElementKind::kOptionButton,  Element::pic,      u"Do Not Show Hidden Files And Folders.", {0, 620, 3255, 195},     3},
    {Element::cmdExit,  ElementKind::kCommandButton, Element::pic,      u"E&xit",                                 {2280, 960, 855, 495},   6, OnClick<&MainForm::cmdExit_Click>()},
    {Element::cmdAbout, ElementKind::kCommandButton, Element::pic,      u"&About",                                {1200, 960, 855, 495},   2, OnClick<&MainForm::cmdAbout_Click>()},
    {Element::cmdApply, ElementKind::kCommandButton, Element::pic,      u"A&pply",                                {120, 960, 855, 495},    1, OnClick<&MainForm::cmdApply_Click>()},
};

inline constexpr MenuDesc kMainMenu[] = {
    {Element::mnuFile,        Element::frmMain, u"&File",     u"",       0},
    {Element::mnuFileApply,   Element::mnuFile, u"A&pply",    u"Ctrl+P", u'P', OnClick<&MainForm::mnuFileApply_Click>()},
    {Element::mnuFileSpace1,  Element::mnuFile, u"-",         u"",       0},
    {Element::mnuFileExit,    Element::mnuFile, u"E&xit",     u"",       0,    OnClick<&MainForm::mnuFileExit_Click>()},
    {Element::mnuLang,        Element::frmMain, u"&Language", u"",       0},
    {Element::mnuLangEnglish, Element::mnuLang, u"&English",  u"",       0,    OnClick<&MainForm::mnuLangEnglish_Click>()},
    {Element::mnuLangPersian, Element::mnuLang, u"&Persian",  u"",       0,    OnClick<&MainForm::mnuLangPersian_Click>()},
    {Element::mnuHelp,        Element::frmMain, u"&Help",     u"",       0},
    {Element::mnuHelpAbout,   Element::mnuHelp, u"&About",    u"",       0,    OnClick<&MainForm::mnuHelpAbout_Click>()},
};

inline constexpr ElementDesc kAboutElements[] = {
    {Element::Picture1, ElementKind::kPanel,         Element::frmAbout, u"",   {960, 1380, 1935, 375}, 2},
    {Element::cmdOK,    ElementKind::kCommandButton, Element::Picture1, u"OK", {240, 0, 1335, 315},    0, OnClick<&AboutForm::cmdOK_Click>()},
    {Element::Label1,   ElementKind::kLabel,         Element::frmAbout, u"",   {60, 60, 3495, 1335},   1},
};
// clang-format on

inline constexpr FormDescFor<MainForm> kMainForm =
    DescribeForm<MainForm>({Element::frmMain, u"Lumora!", 3720, 2760, 5820, 2940, kMainElements,
                            kMainMenu, kWindowFont, kPanelFont});

inline constexpr FormDescFor<AboutForm> kAboutForm = DescribeForm<AboutForm>(
    {Element::frmAbout, u"About", 3720, 1785, 5820, 3435, kAboutElements, {}, kWindowFont, {}});

// The language switch labels and turns exactly what the main window has.
static_assert(LabellingKeepsTheRules(kMainForm.Desc(), kMainTexts, kMainRightToLeft));

}  // namespace lumora
