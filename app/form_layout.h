#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "app/window_ops.h"

namespace lumora {

enum class ElementKind : std::uint8_t {
  Frame,
  TextBox,
  Panel,
  CheckBox,
  OptionButton,
  CommandButton,
  Label,
};

// Twips: 1/1440 inch, so 15 twips make a pixel at 96 DPI.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend constexpr bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// One element of a window as created: the container is the window itself or
// another element of the same table, listed before it.
struct ElementDesc {
  Element element;
  ElementKind kind;
  Element container;
  std::u16string_view caption;
  TwipsRect rect;
  int tabIndex;
};

struct FormDesc {
  Element window;
  std::u16string_view caption;
  int clientWidth;   // twips
  int clientHeight;  // twips
  int screenLeft;    // where the client area starts, twips from the screen's corner
  int screenTop;
  std::span<const ElementDesc> elements;
  // A panel's own font face; empty when panels show the window's font.
  std::u16string_view panelFontFace;
};

// Every window's font: Tahoma 8.25 pt, regular, Arabic character set.
inline constexpr std::u16string_view kWindowFontFace = u"Tahoma";
inline constexpr int kFontHundredthsOfPoint = 825;
inline constexpr int kFontCharset = 178;

// clang-format off
inline constexpr std::array<ElementDesc, 10> kMainElements = {{
    {Element::framOpt, ElementKind::Frame, Element::frmMain, u" Current Option : ",
     {120, 120, 3495, 615}, 7},
    {Element::txtCur, ElementKind::TextBox, Element::framOpt, u"", {360, 240, 2775, 285}, 8},
    {Element::framMain, ElementKind::Frame, Element::frmMain, u" Main Controls : ",
     {120, 840, 3495, 1815}, 0},
    {Element::pic, ElementKind::Panel, Element::framMain, u"", {120, 240, 3255, 1455}, 9},
    {Element::chkSuper, ElementKind::CheckBox, Element::pic, u"Show Super Hidden(System) Files.",
     {0, 40, 3255, 195}, 5},
    {Element::OptShow, ElementKind::OptionButton, Element::pic, u"Show Hidden Files And Folders.",
     {0, 360, 3255, 195}, 4},
    {Element::OptHide, ElementKind::OptionButton, Element::pic,
     u"Do Not Show Hidden Files And Folders.", {0, 620, 3255, 195}, 3},
    {Element::cmdExit, ElementKind::CommandButton, Element::pic, u"E&xit", {2280, 960, 855, 495}, 6},
    {Element::cmdAbout, ElementKind::CommandButton, Element::pic, u"&About",
     {1200, 960, 855, 495}, 2},
    {Element::cmdApply, ElementKind::CommandButton, Element::pic, u"A&pply",
     {120, 960, 855, 495}, 1},
}};

inline constexpr std::array<ElementDesc, 3> kAboutElements = {{
    {Element::Picture1, ElementKind::Panel, Element::frmAbout, u"", {960, 1380, 1935, 375}, 2},
    {Element::cmdOK, ElementKind::CommandButton, Element::Picture1, u"OK", {240, 0, 1335, 315}, 0},
    {Element::Label1, ElementKind::Label, Element::frmAbout, u"", {60, 60, 3495, 1335}, 1},
}};

// clang-format on

inline constexpr FormDesc kMainForm = {Element::frmMain, u"Lumora!",      3720, 2760, 5820, 2940,
                                       kMainElements,    u"MS Sans Serif"};
inline constexpr FormDesc kAboutForm = {Element::frmAbout, u"About", 3720, 1785, 5820, 3435,
                                        kAboutElements,    u""};

// The menu bar: a top-level menu has the window as its parent.
struct MenuDesc {
  Element item;
  Element parent;
  std::u16string_view caption;  // "-" is a separator line
  std::u16string_view shortcutText;
  char16_t shortcutKey;  // with Ctrl; 0 for none
};

// clang-format off
inline constexpr std::array<MenuDesc, 9> kMainMenu = {{
    {Element::mnuFile, Element::frmMain, u"&File", u"", 0},
    {Element::mnuFileApply, Element::mnuFile, u"A&pply", u"Ctrl+P", u'P'},
    {Element::mnuFileSpace1, Element::mnuFile, u"-", u"", 0},
    {Element::mnuFileExit, Element::mnuFile, u"E&xit", u"", 0},
    {Element::mnuLang, Element::frmMain, u"&Language", u"", 0},
    {Element::mnuLangEnglish, Element::mnuLang, u"&English", u"", 0},
    {Element::mnuLangPersian, Element::mnuLang, u"&Persian", u"", 0},
    {Element::mnuHelp, Element::frmMain, u"&Help", u"", 0},
    {Element::mnuHelpAbout, Element::mnuHelp, u"&About", u"", 0},
}};
// clang-format on

// Control and menu command identifiers stay clear of IDOK and IDCANCEL, so
// the dialog keys of the message loop never reach a handler.
inline constexpr int kFirstControlId = 1000;
[[nodiscard]] constexpr int ControlId(Element element) {
  return kFirstControlId + static_cast<int>(element);
}
[[nodiscard]] bool ElementFromControlId(int id, Element& element);

[[nodiscard]] const ElementDesc* FindElement(const FormDesc& form, Element element);

// An element's rectangle measured from its window's client area. Panels
// draw no border, so containers only offset their contents.
[[nodiscard]] TwipsRect ClientTwips(const FormDesc& form, Element element);

// Rounds to the nearest pixel.
[[nodiscard]] int TwipsToPixels(int twips, int dpi);

// Edges are converted one by one, so elements that meet in twips meet in pixels.
struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};
[[nodiscard]] PixelRect ToPixels(const TwipsRect& rect, int dpi);

// Where an element stands in a window laid out right to left (its x axis
// starting at the right edge) so that it is seen at the same place.
[[nodiscard]] PixelRect MirroredForRightToLeft(const PixelRect& rect, int clientWidthPixels);

// The elements in focus order: lowest tab index first.
[[nodiscard]] std::vector<const ElementDesc*> TabOrder(const FormDesc& form);

// A font height for CreateFont: negative, a character height in pixels.
[[nodiscard]] int FontHeightForPoints(int hundredthsOfPoint, int dpi);

}  // namespace lumora
