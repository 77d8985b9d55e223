// The rules the windows' tables keep, shown to hold for the program's own
// and to find each mistake as it compiles; the build runs these.
#include "app/toolkit/form_rules.h"

#include <span>
#include <type_traits>

#include "app/window_descriptions.h"

namespace lumora {
namespace {

// Only OnClick makes a click handler; one form's description is no other's.
template <typename... Args>
concept MakesClickHandler = requires(Args... args) {
  ClickHandler{args...};
};
static_assert(!MakesClickHandler<void (*)(FormEvents&), Element> &&
              !MakesClickHandler<void (*)(FormEvents&), Element, bool>);
static_assert(!std::is_constructible_v<FormDescFor<MainForm>, const FormDescFor<AboutForm>&> &&
              !std::is_constructible_v<FormDescFor<MainForm>, const FormDesc&>);

constexpr FormDesc MainWith(std::span<const ElementDesc> elements,
                            std::span<const MenuDesc> menu = {}) {
  return {Element::frmMain, u"", 0, 0, 0, 0, elements, menu, {}, {}};
}
constexpr ElementDesc kAboutsButton[] = {{Element::cmdApply,
                                          ElementKind::kCommandButton,
                                          Element::frmMain,
                                          u"",
                                          {},
                                          0,
                                          OnClick<&AboutForm::cmdOK_Click>()}};
constexpr MenuDesc kAboutsItem[] = {
    {Element::mnuFile, Element::frmMain, u"", u"", 0, OnClick<&AboutForm::cmdOK_Click>()}};
constexpr ElementDesc kTwice[] = {kMainElements[2], kMainElements[2]};
constexpr ElementDesc kOneShort[] = {kMainElements[0]};  // tab index 7 of one row
constexpr MenuDesc kItemAboveItsMenu[] = {kMainMenu[1], kMainMenu[0]};
constexpr MenuDesc kMenusInterleaved[] = {kMainMenu[0], kMainMenu[4], kMainMenu[1]};
constexpr Element kButtonTurns[] = {Element::cmdApply};

static_assert(BrokenRule<AboutForm>(kMainForm.Desc()) == Broken::kOtherWindow);
static_assert(BrokenRule<MainForm>(MainWith(kAboutsButton)) == Broken::kForeignHandler);
static_assert(BrokenRule<MainForm>(MainWith({}, kAboutsItem)) == Broken::kForeignMenuHandler);
static_assert(BrokenRule<MainForm>(MainWith(kTwice)) == Broken::kElementTwice);
static_assert(BrokenRule<MainForm>(MainWith(kOneShort)) == Broken::kTabIndexes);
static_assert(BrokenRule<MainForm>(MainWith({}, kItemAboveItsMenu)) == Broken::kMenuParent &&
              BrokenRule<MainForm>(MainWith({}, kMenusInterleaved)) == Broken::kMenuParent);
static_assert(BrokenLabellingRule(kMainForm.Desc(), kMainTexts, kButtonTurns) ==
              Broken::kCannotTurn);
static_assert(BrokenLabellingRule(kMainForm.Desc(), std::span(kMainTexts).first(16),
                                  kMainRightToLeft) == Broken::kCaptionNotOnce);

}  // namespace
}  // namespace lumora
