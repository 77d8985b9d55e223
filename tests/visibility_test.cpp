#include "settings/visibility.h"

#include <gtest/gtest.h>

#include <optional>
#include <variant>

#include "app/toolkit/runtime_error.h"
#include "fakes/fake_registry.h"
#include "fakes/recording_window.h"
#include "i18n/apply_language.h"
#include "i18n/language.h"
#include "i18n/main_texts.h"

namespace lumora::testing {
namespace {

constexpr RegHandle kHkcu = static_cast<RegHandle>(0x80000001U);
const std::u16string kAdvanced =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
const std::u16string kActivatedEn = u"Hiding option is activated.";
const std::u16string kDeactivatedEn = u"Hiding option is deactivated.";

class VisibilityTest : public ::testing::Test {
 protected:
  void SetUp() override { CurrentLanguage = u"English"; }
  void TearDown() override { CurrentLanguage.clear(); }

  // A value as the registry holds it; nullopt leaves it missing.
  void Store(const std::u16string& name, std::optional<StoredValue> value) {
    registry_.AddKey(kHkcu, kAdvanced);
    if (value) registry_.Put(kHkcu, kAdvanced, name, *value);
  }
  static StoredValue Dword(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    return {4,
            {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8U),
             static_cast<std::uint8_t>(u >> 16U), static_cast<std::uint8_t>(u >> 24U)}};
  }
  [[nodiscard]] const StoredValue* Stored(const std::u16string& name) const {
    const auto* key = registry_.Key(kHkcu, kAdvanced);
    if (key == nullptr) return nullptr;
    const auto it = key->find(name);
    return it == key->end() ? nullptr : &it->second;
  }

  FakeRegistry registry_;
  RecordingWindow ui_;
  General general_{registry_, ui_};
  VisibilityState state_;
};

TEST(ToInteger16, ConvertsInRangeAndRaisesOtherwise) {
  EXPECT_EQ(ToInteger16(ReadResult{}), 0);
  for (const std::int32_t n : {0, 1, 2, -1, 32767, -32768}) {
    EXPECT_EQ(ToInteger16(ReadResult{n}), n);
  }
  for (const std::int32_t n : {32768, -32769, 40000, 65536, INT32_MIN}) {
    try {
      (void)ToInteger16(ReadResult{n});
      ADD_FAILURE() << n << " converted";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), kErrOverflow);
    }
  }
  try {
    (void)ToInteger16(ReadResult{ReadErrorText{}});
    ADD_FAILURE() << "\"Error\" converted";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kErrTypeMismatch);
  }
}

struct WindowStateCase {
  const char* name;
  std::optional<StoredValue> hidden;
  std::optional<StoredValue> super_hidden;
  std::vector<std::string> changes;
  std::optional<std::u16string> status;
  std::int16_t hidden_value;
  std::int16_t super_hidden_value;
};

TEST_F(VisibilityTest, WindowStateFollowsTheTwoValues) {
  const StoredValue text{1, {'2', 0}};
  const WindowStateCase cases[] = {
      {"2/0",
       Dword(2),
       Dword(0),
       {"SetOptionValue OptHide=1", "SetText txtCur", "SetCheckValue chkSuper=0"},
       kActivatedEn,
       2,
       0},
      {"1/1",
       Dword(1),
       Dword(1),
       {"SetOptionValue OptShow=1", "SetText txtCur", "SetCheckValue chkSuper=1"},
       kDeactivatedEn,
       1,
       1},
      {"0/1", Dword(0), Dword(1), {"SetCheckValue chkSuper=1"}, std::nullopt, 0, 1},
      {"3/0", Dword(3), Dword(0), {"SetCheckValue chkSuper=0"}, std::nullopt, 3, 0},
      {"-1/1", Dword(-1), Dword(1), {"SetCheckValue chkSuper=1"}, std::nullopt, -1, 1},
      {"1/2",
       Dword(1),
       Dword(2),
       {"SetOptionValue OptShow=1", "SetText txtCur"},
       kDeactivatedEn,
       1,
       2},
      {"1/-1",
       Dword(1),
       Dword(-1),
       {"SetOptionValue OptShow=1", "SetText txtCur"},
       kDeactivatedEn,
       1,
       -1},
      {"40000/1", Dword(40000), Dword(1), {}, std::nullopt, 0, 0},
      {"2/40000", Dword(2), Dword(40000), {}, std::nullopt, 2, 0},
      {"missing/1", std::nullopt, Dword(1), {}, std::nullopt, 0, 0},
      {"2/missing", Dword(2), std::nullopt, {}, std::nullopt, 2, 0},
      {"text/1", text, Dword(1), {}, std::nullopt, 0, 0},
      {"1/text", Dword(1), text, {}, std::nullopt, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeRegistry reg;
    RecordingWindow window;
    General gen{reg, window};
    VisibilityState st;
    reg.AddKey(kHkcu, kAdvanced);
    if (c.hidden) reg.Put(kHkcu, kAdvanced, u"Hidden", *c.hidden);
    if (c.super_hidden) reg.Put(kHkcu, kAdvanced, u"ShowSuperHidden", *c.super_hidden);

    ReadCurrentOption(st, gen, window);

    EXPECT_EQ(window.Changes(), c.changes);
    if (c.status) {
      EXPECT_EQ(window.texts[Element::txtCur], *c.status);
    }
    EXPECT_EQ(st.HiddenValue, c.hidden_value);
    EXPECT_EQ(st.SuperHiddenValue, c.super_hidden_value);
    EXPECT_TRUE(window.msg_boxes.empty());
    EXPECT_EQ(reg.OpenHandles(), 0U);
  }
}

TEST_F(VisibilityTest, MissingKeyLeavesEverythingAsCreated) {
  ReadCurrentOption(state_, general_, ui_);
  EXPECT_TRUE(ui_.Changes().empty());
  EXPECT_EQ(state_.HiddenValue, 0);
  EXPECT_EQ(registry_.calls.size(), 1U);  // "ShowSuperHidden" is never read
}

TEST_F(VisibilityTest, StatusLineSpeaksOnlyTheTwoLanguages) {
  const std::pair<std::u16string, std::optional<std::u16string_view>> cases[] = {
      {u"English", kStatusTexts[0].english},
      {u"Persian", kStatusTexts[0].persian},
      {u"english", std::nullopt},
      {u"Persian ", std::nullopt},
      {u"", std::nullopt},
  };
  for (const auto& [language, expected] : cases) {
    RecordingWindow window;
    CurrentLanguage = language;
    SetStatusLine(window, HidingStatus::kActivated);
    if (expected) {
      EXPECT_EQ(window.log, std::vector<std::string>{"SetText txtCur"});
      EXPECT_EQ(window.texts[Element::txtCur], *expected);
    } else {
      EXPECT_TRUE(window.log.empty()) << std::string(language.begin(), language.end());
    }
  }
}

TEST_F(VisibilityTest, PersianStatusTextsAreThoseOfTheMainWindow) {
  CurrentLanguage = u"Persian";
  Store(u"Hidden", Dword(1));
  Store(u"ShowSuperHidden", Dword(1));
  ReadCurrentOption(state_, general_, ui_);
  EXPECT_EQ(ui_.texts[Element::txtCur], u".مخفي کردن غير فعال است");
  EXPECT_TRUE(ui_.options[Element::OptShow]);
  EXPECT_EQ(ui_.checks[Element::chkSuper], 1);
}

TEST_F(VisibilityTest, TrapEndsReadCurrentOptionOnAFailingWindowOperation) {
  Store(u"Hidden", Dword(2));
  Store(u"ShowSuperHidden", Dword(1));
  ui_.fail_on = "SetText";
  EXPECT_NO_THROW(ReadCurrentOption(state_, general_, ui_));
  EXPECT_TRUE(ui_.options[Element::OptHide]);          // done before the error stays
  EXPECT_EQ(ui_.checks.count(Element::chkSuper), 0U);  // after it, nothing ran
}

struct ApplyCase {
  const char* name;
  std::optional<Element> selected;
  int check;
  std::vector<std::pair<std::u16string, std::uint8_t>> writes;
  std::optional<std::u16string> status;
};

TEST_F(VisibilityTest, ApplyWritesTheSelectionInOrderAndConfirms) {
  const ApplyCase cases[] = {
      {"hide, checked",
       Element::OptHide,
       1,
       {{u"Hidden", 2}, {u"ShowSuperHidden", 1}},
       kActivatedEn},
      {"show, unchecked",
       Element::OptShow,
       0,
       {{u"Hidden", 1}, {u"ShowSuperHidden", 0}},
       kDeactivatedEn},
      {"hide, grayed", Element::OptHide, 2, {{u"Hidden", 2}}, kActivatedEn},
      {"none, checked", std::nullopt, 1, {{u"ShowSuperHidden", 1}}, std::nullopt},
      {"none, grayed", std::nullopt, 2, {}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeRegistry reg;
    RecordingWindow window;
    General gen{reg, window};
    VisibilityState st;
    reg.AddKey(kHkcu, kAdvanced);
    if (c.selected) window.options[*c.selected] = true;
    window.checks[Element::chkSuper] = c.check;

    Apply(st, gen, window);

    std::vector<std::pair<std::u16string, std::uint8_t>> writes;
    for (const auto& call : reg.calls) {
      if (call.function == "RegSetValueExA") writes.emplace_back(call.text, call.data.at(0));
    }
    EXPECT_EQ(writes, c.writes);
    if (c.status) {
      EXPECT_EQ(window.texts[Element::txtCur], *c.status);
    } else {
      EXPECT_EQ(window.texts.count(Element::txtCur), 0U);
    }
    ASSERT_EQ(window.msg_boxes.size(), 1U);
    EXPECT_EQ(window.msg_boxes[0].text, u" Option changes successfully! Good Luck!");
    EXPECT_EQ(window.msg_boxes[0].flags, 64);
    EXPECT_EQ(window.msg_boxes[0].title, u"Changed");
    EXPECT_EQ(window.Changes().back(), "MsgBox 64");  // after every write
  }
}

TEST_F(VisibilityTest, ApplyRemembersWhatItWrote) {
  Store(u"Hidden", Dword(1));
  Store(u"ShowSuperHidden", Dword(0));
  ReadCurrentOption(state_, general_, ui_);
  ui_.SetOptionValue(Element::OptHide, true);
  ui_.SetCheckValue(Element::chkSuper, 1);
  Apply(state_, general_, ui_);
  EXPECT_EQ(state_.HiddenValue, 2);
  EXPECT_EQ(state_.SuperHiddenValue, 1);
  EXPECT_EQ(*Stored(u"Hidden"), Dword(2));
  EXPECT_EQ(*Stored(u"ShowSuperHidden"), Dword(1));
}

TEST_F(VisibilityTest, ApplyInPersianUsesThePersianTexts) {
  CurrentLanguage = u"Persian";
  Store(u"Hidden", std::nullopt);
  ui_.options[Element::OptHide] = true;
  Apply(state_, general_, ui_);
  EXPECT_EQ(ui_.texts[Element::txtCur], u".مخفي کردن فعال است");
  ASSERT_EQ(ui_.msg_boxes.size(), 1U);
  EXPECT_EQ(ui_.msg_boxes[0].text, u" ! تغييرات به طور موفقيت آميزي اعمال شد! موفق باشيد ");
  EXPECT_EQ(ui_.msg_boxes[0].title, u"Changed");
  EXPECT_EQ(ui_.msg_boxes[0].flags, 64);
}

TEST_F(VisibilityTest, ApplyConfirmsInEnglishForAnyOtherLanguage) {
  CurrentLanguage = u"persian";
  Store(u"Hidden", std::nullopt);
  ui_.options[Element::OptShow] = true;
  Apply(state_, general_, ui_);
  EXPECT_EQ(ui_.texts.count(Element::txtCur), 0U);  // status line speaks two languages only
  EXPECT_EQ(ui_.msg_boxes.at(0).text, u" Option changes successfully! Good Luck!");
}

struct FailedApplyCase {
  const char* name;
  std::u16string language;
  bool key_missing;
  std::u16string failing_value;
  bool status_set;
  std::u16string message;
};

TEST_F(VisibilityTest, ApplyReportsFailedWritesAndShowsNoFalseStatus) {
  const FailedApplyCase cases[] = {
      {"key missing", u"English", true, u"", false, u" Option could not be changed!"},
      {"key missing, Persian", u"Persian", true, u"", false, u" ! تغييرات اعمال نشد "},
      {"Hidden refused", u"English", false, u"Hidden", false, u" Option could not be changed!"},
      {"ShowSuperHidden refused", u"English", false, u"ShowSuperHidden", true,
       u" Option could not be changed!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CurrentLanguage = c.language;
    FakeRegistry reg;
    RecordingWindow window;
    General gen{reg, window};
    VisibilityState st{1, 0};
    if (!c.key_missing) reg.AddKey(kHkcu, kAdvanced);
    if (!c.failing_value.empty()) reg.set_failures[c.failing_value] = kAccessDenied;
    window.options[Element::OptHide] = true;
    window.checks[Element::chkSuper] = 1;

    Apply(st, gen, window);

    EXPECT_EQ(window.texts.count(Element::txtCur), c.status_set ? 1U : 0U);
    EXPECT_EQ(st.HiddenValue, c.status_set ? 2 : 1);
    const bool super_written = !c.key_missing && c.failing_value != u"ShowSuperHidden";
    EXPECT_EQ(st.SuperHiddenValue, super_written ? 1 : 0);
    ASSERT_EQ(window.msg_boxes.size(), 1U);
    EXPECT_EQ(window.msg_boxes[0].text, c.message);
    EXPECT_EQ(window.msg_boxes[0].flags, 16);
    EXPECT_EQ(window.msg_boxes[0].title, u"Not changed");
    EXPECT_EQ(reg.KeyCount(), c.key_missing ? 0U : 1U);
  }
}

TEST_F(VisibilityTest, ApplyHasNoTrap) {
  Store(u"Hidden", std::nullopt);
  ui_.fail_on = "GetOptionValue";
  EXPECT_THROW(Apply(state_, general_, ui_), RuntimeError);
  EXPECT_TRUE(registry_.calls.empty());
}

}  // namespace
}  // namespace lumora::testing
