// Reading the two settings into the window, and Apply.
#include "settings/visibility.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <tuple>

#include "app/toolkit/runtime_error.h"
#include "fakes/fakes.h"

namespace lumora::testing {
namespace {

using Log = std::vector<std::string>;
const char16_t kActivatedEn[] = u"Hiding option is activated.";
const char16_t kDeactivatedEn[] = u"Hiding option is deactivated.";
const char16_t kActivatedFa[] = u".مخفي کردن فعال است";
const char16_t kDeactivatedFa[] = u".مخفي کردن غير فعال است";

TEST(Visibility, ToInteger16KeepsSixteenBitNumbersAndRaisesOtherwise) {
  EXPECT_EQ(ToInteger16(ReadResult{}), 0);
  for (const std::int32_t n : {0, 1, 2, -1, 32767, -32768}) EXPECT_EQ(ToInteger16(n), n);
  const std::pair<ReadResult, int> errors[] = {
      {32768, 6}, {-32769, 6}, {40000, 6}, {INT32_MIN, 6}, {ReadErrorText{}, 13}};
  for (const auto& [result, number] : errors) {
    try {
      (void)ToInteger16(result);
      ADD_FAILURE() << "converted";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), number);
    }
  }
}

TEST(Visibility, ReadCurrentOptionShowsWhatTheTwoValuesMeanAndTrapsAnyError) {
  // Hidden and ShowSuperHidden stored as REG_DWORD (or missing), the
  // language, a window operation that fails; what the window is told, the
  // status line (nothing: left as created), the two values kept afterwards.
  using Case =
      std::tuple<std::optional<std::uint32_t>, std::optional<std::uint32_t>, const char16_t*,
                 const char*, Log, std::optional<std::u16string>, std::int16_t, std::int16_t>;
  // clang-format off
  const Case cases[] = {
      {2, 0, u"English", nullptr, {"SetOptionValue OptHide=1", "SetText txtCur", "SetCheckValue chkSuper=0"}, kActivatedEn, 2, 0},
      {1, 1, u"Persian", nullptr, {"SetOptionValue OptShow=1", "SetText txtCur", "SetCheckValue chkSuper=1"}, kDeactivatedFa, 1, 1},
      {2, 1, u"Persian", nullptr, {"SetOptionValue OptHide=1", "SetText txtCur", "SetCheckValue chkSuper=1"}, kActivatedFa, 2, 1},
      {1, 0, u"English", nullptr, {"SetOptionValue OptShow=1", "SetText txtCur", "SetCheckValue chkSuper=0"}, kDeactivatedEn, 1, 0},
      {2, 1, u"english", nullptr, {"SetOptionValue OptHide=1", "SetCheckValue chkSuper=1"}, std::nullopt, 2, 1},
      {0, 1, u"English", nullptr, {"SetCheckValue chkSuper=1"}, std::nullopt, 0, 1},
      {3, 0, u"English", nullptr, {"SetCheckValue chkSuper=0"}, std::nullopt, 3, 0},
      {0xFFFFFFFF, 1, u"English", nullptr, {"SetCheckValue chkSuper=1"}, std::nullopt, -1, 1},
      {1, 2, u"English", nullptr, {"SetOptionValue OptShow=1", "SetText txtCur"}, kDeactivatedEn, 1, 2},
      {1, 0xFFFFFFFF, u"English", nullptr, {"SetOptionValue OptShow=1", "SetText txtCur"}, kDeactivatedEn, 1, -1},
      // A failed conversion or read ends it before the window changes.
      {40000, 1, u"English", nullptr, {}, std::nullopt, 0, 0},
      {2, 40000, u"English", nullptr, {}, std::nullopt, 2, 0},
      {std::nullopt, 1, u"English", nullptr, {}, std::nullopt, 0, 0},
      {2, std::nullopt, u"English", nullptr, {}, std::nullopt, 2, 0},
      // So does a failing window operation; what was done before it stays.
      {2, 1, u"English", "SetText", {"SetOptionValue OptHide=1"}, std::nullopt, 2, 1},
  };
  // clang-format on
  for (const auto& [hidden, super_hidden, language, failing, changes, status, hidden_value,
                    super_hidden_value] : cases) {
    SCOPED_TRACE(::testing::Message() << hidden.value_or(999) << "/" << super_hidden.value_or(999)
                                      << (failing != nullptr ? failing : ""));
    Fakes f;
    auto [registry, ui, general, state] = std::tie(f.registry, f.ui, f.general, f.state);
    CurrentLanguage = language;
    registry.AddKey(kHkcu, kAdvanced);
    if (hidden) registry.PutDword(kHkcu, kAdvanced, u"Hidden", *hidden);
    if (super_hidden) registry.PutDword(kHkcu, kAdvanced, u"ShowSuperHidden", *super_hidden);
    if (failing != nullptr) ui.fail_on = failing;
    EXPECT_NO_THROW(ReadCurrentOption(state, general, ui));  // the trap
    EXPECT_EQ(ui.log, changes);
    EXPECT_EQ(ui.Text(Element::txtCur), status);
    EXPECT_EQ(state.HiddenValue, hidden_value);
    EXPECT_EQ(state.SuperHiddenValue, super_hidden_value);
    EXPECT_EQ(registry.OpenHandles(), 0U);
  }
}

TEST(Visibility, OnlyTwoAndOneSayAnythingOfHiding) {
  EXPECT_EQ(HidingStatusFor(2), HidingStatus::kActivated);
  EXPECT_EQ(HidingStatusFor(1), HidingStatus::kDeactivated);
  for (const std::int16_t other :
       {std::int16_t{0}, std::int16_t{3}, std::int16_t{-1}, std::int16_t{258}}) {
    EXPECT_EQ(HidingStatusFor(other), std::nullopt);
  }
}

TEST(Visibility, ApplyWritesTheChoiceInOrderThenConfirms) {
  constexpr char16_t kDoneEn[] = u" Option changes successfully! Good Luck!";
  constexpr char16_t kDoneFa[] = u" ! تغييرات به طور موفقيت آميزي اعمال شد! موفق باشيد ";
  constexpr char16_t kFailedEn[] = u" Option could not be changed!";
  constexpr char16_t kFailedFa[] = u" ! تغييرات اعمال نشد ";
  const std::string hide = "set Hidden type=4 size=4 02 00 00 00";
  const std::string show = "set Hidden type=4 size=4 01 00 00 00";
  const std::string tick = "set ShowSuperHidden type=4 size=4 01 00 00 00";
  const std::string clear = "set ShowSuperHidden type=4 size=4 00 00 00 00";
  // Name, the option selected, the check box's value, the language, whether
  // the key exists, the value whose write fails; the writes in the order
  // made, the two values kept afterwards, the status line (nothing: left
  // alone), the message box.
  using Case =
      std::tuple<const char*, std::optional<Element>, int, const char16_t*, bool, const char16_t*,
                 Log, std::int16_t, std::int16_t, std::optional<std::u16string>, MsgBoxCall>;
  // clang-format off
  const Case cases[] = {
      {"hide, checked", Element::OptHide, 1, u"English", true, nullptr, {hide, tick}, 2, 1, kActivatedEn, {kDoneEn, 64, u"Changed"}},
      {"show, unchecked, Persian", Element::OptShow, 0, u"Persian", true, nullptr, {show, clear}, 1, 0, kDeactivatedFa, {kDoneFa, 64, u"Changed"}},
      {"hide, grayed", Element::OptHide, 2, u"English", true, nullptr, {hide}, 2, 0, kActivatedEn, {kDoneEn, 64, u"Changed"}},
      {"none, checked", std::nullopt, 1, u"English", true, nullptr, {tick}, 0, 1, std::nullopt, {kDoneEn, 64, u"Changed"}},
      {"none, grayed", std::nullopt, 2, u"Persian", true, nullptr, {}, 0, 0, std::nullopt, {kDoneFa, 64, u"Changed"}},
      {"another language", Element::OptShow, 1, u"persian", true, nullptr, {show, tick}, 1, 1, std::nullopt, {kDoneEn, 64, u"Changed"}},
      {"key missing", Element::OptHide, 1, u"English", false, nullptr, {}, 0, 0, std::nullopt, {kFailedEn, 16, u"Not changed"}},
      {"key missing, Persian", Element::OptShow, 0, u"Persian", false, nullptr, {}, 0, 0, std::nullopt, {kFailedFa, 16, u"Not changed"}},
      {"Hidden refused", Element::OptHide, 1, u"English", true, u"Hidden", {hide, tick}, 0, 1, std::nullopt, {kFailedEn, 16, u"Not changed"}},
      {"ShowSuperHidden refused", Element::OptHide, 1, u"English", true, u"ShowSuperHidden", {hide, tick}, 2, 0, kActivatedEn, {kFailedEn, 16, u"Not changed"}},
  };
  // clang-format on
  for (const auto& [name, selected, check, language, key_exists, refused, sets, hidden_value,
                    super_hidden_value, status, box] : cases) {
    SCOPED_TRACE(name);
    Fakes f;
    auto [registry, ui, general, state] = std::tie(f.registry, f.ui, f.general, f.state);
    CurrentLanguage = language;
    if (key_exists) registry.AddKey(kHkcu, kAdvanced);
    if (refused != nullptr) registry.set_failures[refused] = kAccessDenied;
    if (selected) ui.options[*selected] = true;
    ui.checks[Element::chkSuper] = check;
    Apply(state, general, ui);
    Log made;
    std::ranges::copy_if(registry.calls, std::back_inserter(made),
                         [](const std::string& call) { return call.starts_with("set "); });
    EXPECT_EQ(made, sets);
    EXPECT_EQ(registry.KeyCount(), key_exists ? 1U : 0U);
    EXPECT_EQ(state.HiddenValue, hidden_value);
    EXPECT_EQ(state.SuperHiddenValue, super_hidden_value);
    EXPECT_EQ(ui.Text(Element::txtCur), status);
    EXPECT_EQ(ui.msg_boxes, std::vector{box});
    EXPECT_EQ(ui.log.back(), "MsgBox " + std::to_string(box.flags));  // the last of all
  }
}

TEST(Visibility, ApplyHasNoTrap) {
  Fakes f;
  auto [registry, ui, general, state] = std::tie(f.registry, f.ui, f.general, f.state);
  ui.fail_on = "GetOptionValue";
  EXPECT_THROW(Apply(state, general, ui), RuntimeError);
  EXPECT_TRUE(registry.calls.empty());
}

}  // namespace
}  // namespace lumora::testing
