// The registry module over a fake registry (path splitting, root names, the
// calls a read makes), reading the two settings into the window, and Apply,
// which shows the calls a write makes.
#include "settings/visibility.h"

#include <gtest/gtest.h>

#include "fakes/fakes.h"
#include "texts.h"

namespace lumora::testing {
namespace {

// "Hidden" under HKEY_CURRENT_USER\K as stored, read through a path; what
// the read gives, the calls it makes (each root by its handle, the sub-key
// after the first backslash), LastStatus afterwards, and whether the path
// is shown as malformed.
struct PathCase {
  const char* name = "";
  std::u16string path = u"HKEY_CURRENT_USER\\K";
  std::optional<StoredValue> stored = StoredValue{4, {2, 0, 0, 0}};
  std::optional<RegStatus> open_status = std::nullopt;  // a refused open's
  ReadResult result = ReadErrorText{};
  Log calls = {"open 80000001 K access=20019", "query Hidden size=4", "close"};
  RegStatus last_status = 0;
  bool malformed = false;
};

TEST(General, AReadOpensForReadingQueriesFourBytesClosesAndTellsWhatItFound) {
  // clang-format off
  const PathCase cases[] = {
      {.name = "65536", .stored = StoredValue{4, {0, 0, 1, 0}}, .result = 65536},
      {.name = "-1", .stored = StoredValue{4, {0xFF, 0xFF, 0xFF, 0xFF}}, .result = -1},
      {.name = "most negative", .stored = StoredValue{4, {0, 0, 0, 0x80}}, .result = INT32_MIN},
      {.name = "value missing", .stored = std::nullopt, .last_status = kFileNotFound},
      {.name = "open refused", .open_status = kAccessDenied, .calls = {"open 80000001 K access=20019"}, .last_status = kAccessDenied},
      {.name = "key missing", .path = u"HKEY_CURRENT_USER\\Missing", .calls = {"open 80000001 Missing access=20019"}, .last_status = kFileNotFound},
      {.name = "a root alone", .path = u"HKEY_USERS", .calls = {"open 80000003  access=20019", "query Hidden size=4", "close"}, .last_status = kFileNotFound},
      {.name = "classes root", .path = u"HKEY_CLASSES_ROOT\\.txt", .calls = {"open 80000000 .txt access=20019"}, .last_status = kFileNotFound},
      {.name = "local machine", .path = u"HKEY_LOCAL_MACHINE\\K", .calls = {"open 80000002 K access=20019"}, .last_status = kFileNotFound},
      {.name = "performance data", .path = u"HKEY_PERFORMANCE_DATA\\K", .calls = {"open 80000004 K access=20019"}, .last_status = kFileNotFound},
      {.name = "current config", .path = u"HKEY_CURRENT_CONFIG\\K", .calls = {"open 80000005 K access=20019"}, .last_status = kFileNotFound},
      {.name = "dyn data", .path = u"HKEY_DYN_DATA\\K", .calls = {"open 80000006 K access=20019"}, .last_status = kFileNotFound},
      {.name = "the rest as it is", .path = u"HKEY_USERS\\\\S-1", .calls = {"open 80000003 \\S-1 access=20019"}, .last_status = kFileNotFound},
      {.name = "no root", .path = u"HKEY_", .result = std::monostate{}, .calls = {}},
      {.name = "a root in another case", .path = u"HKEY_Current_User\\K", .result = std::monostate{}, .calls = {}, .last_status = 18},
      {.name = "a root and more", .path = u"HKEY_CURRENT_USERS\\K", .result = std::monostate{}, .calls = {}, .last_status = 19},
      {.name = "a root and a space", .path = u"HKEY_USERS \\K", .result = std::monostate{}, .calls = {}, .last_status = 12},
      {.name = "malformed", .path = u"Software\\K", .calls = {}, .last_status = 9, .malformed = true},
      {.name = "lower case", .path = u"hkey_current_user\\K", .calls = {}, .last_status = 18, .malformed = true},
      {.name = "trailing backslash", .path = u"HKEY_CURRENT_USER\\K\\", .calls = {}, .last_status = 18, .malformed = true},
      {.name = "HKEY", .path = u"HKEY", .calls = {}, .malformed = true},
      {.name = "empty", .path = u"", .calls = {}, .malformed = true},
  };
  // clang-format on
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.name);
    Fakes f;
    f.registry.AddKey(kHkcu, u"K");
    if (c.stored) f.registry.keys[{kHkcu, u"K"}][u"Hidden"] = *c.stored;
    f.registry.open_status = c.open_status;
    std::u16string path = c.path;
    EXPECT_EQ(f.general.ReadDWord(path, u"Hidden"), c.result);
    EXPECT_EQ(f.registry.calls, c.calls);
    EXPECT_EQ(f.general.LastStatus, c.last_status);
    // Flags 0 and no title of its own.
    const MsgBoxCall box{u"Incorrect Format:\n\n" + c.path, 0, std::nullopt};
    EXPECT_EQ(f.ui.msg_boxes, c.malformed ? std::vector{box} : std::vector<MsgBoxCall>{});
  }
}

// Hidden and ShowSuperHidden as stored (REG_DWORD; nothing: missing), and
// what reading them tells the window and keeps.
struct ReadCase {
  std::optional<std::uint32_t> hidden = std::nullopt, super_hidden = std::nullopt;
  const char16_t* language = u"English";
  const char* failing = nullptr;                          // a window operation that fails
  Log changes = {};                                       // what the window is told, in order
  std::u16string_view status = {};                        // the status line; empty: as created
  std::int16_t hidden_value = 0, super_hidden_value = 0;  // kept afterwards
};

TEST(Visibility, ReadCurrentOptionShowsWhatTheTwoValuesMeanAndTrapsAnyError) {
  const std::string hide = "SetOptionValue OptHide=1", show = "SetOptionValue OptShow=1";
  const std::string status = "SetText txtCur", tick = "SetCheckValue chkSuper=1",
                    clear = "SetCheckValue chkSuper=0";
  // clang-format off
  const ReadCase cases[] = {
      {.hidden = 2, .super_hidden = 0, .changes = {hide, status, clear}, .status = kActivated.english, .hidden_value = 2},
      {.hidden = 1, .super_hidden = 1, .language = u"Persian", .changes = {show, status, tick}, .status = kDeactivated.persian, .hidden_value = 1, .super_hidden_value = 1},
      // Another language has no status text; other numbers select no option.
      {.hidden = 2, .super_hidden = 1, .language = u"english", .changes = {hide, tick}, .hidden_value = 2, .super_hidden_value = 1},
      {.hidden = 0, .super_hidden = 1, .changes = {tick}, .super_hidden_value = 1},
      {.hidden = 3, .super_hidden = 0, .changes = {clear}, .hidden_value = 3},
      {.hidden = 0xFFFFFFFF, .super_hidden = 1, .changes = {tick}, .hidden_value = -1, .super_hidden_value = 1},
      {.hidden = 32767, .super_hidden = 0xFFFF8000, .hidden_value = 32767, .super_hidden_value = -32768},
      {.hidden = 1, .super_hidden = 2, .changes = {show, status}, .status = kDeactivated.english, .hidden_value = 1, .super_hidden_value = 2},
      {.hidden = 1, .super_hidden = 0xFFFFFFFF, .changes = {show, status}, .status = kDeactivated.english, .hidden_value = 1, .super_hidden_value = -1},
      // A number beyond 16 bits or a failed read ends it before the window changes.
      {.hidden = 32768, .super_hidden = 1},
      {.hidden = 2, .super_hidden = 0xFFFF7FFF, .hidden_value = 2},
      {.super_hidden = 1},
      {.hidden = 2, .hidden_value = 2},
      // So does a failing window operation; what was done before it stays.
      {.hidden = 2, .super_hidden = 1, .failing = "SetText", .changes = {hide}, .hidden_value = 2, .super_hidden_value = 1},
  };
  // clang-format on
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
    Fakes f;
    CurrentLanguage = c.language;
    f.registry.AddKey(kHkcu, kAdvanced);
    if (c.hidden) f.registry.PutSetting(u"Hidden", *c.hidden);
    if (c.super_hidden) f.registry.PutSetting(u"ShowSuperHidden", *c.super_hidden);
    if (c.failing != nullptr) f.ui.fail_on = c.failing;
    EXPECT_NO_THROW(ReadCurrentOption(f.state, f.general, f.ui));  // the trap
    EXPECT_EQ(f.ui.log, c.changes);
    EXPECT_EQ(f.ui.texts[Element::txtCur], c.status);
    EXPECT_EQ(f.state.HiddenValue, c.hidden_value);
    EXPECT_EQ(f.state.SuperHiddenValue, c.super_hidden_value);
  }
}

// The window's choice, the language and the registry; how Apply writes
// (opened for writing, four little-endian bytes as a DWORD, closed), what it
// keeps, the status line (empty: left alone) and the confirmation.
struct ApplyCase {
  const char* name = "";
  std::optional<Element> selected = std::nullopt;  // the option button selected, if any
  int check = 0;                                   // chkSuper's value
  const char16_t* language = u"English";
  bool key_exists = true;
  const char16_t* refused = u"";                         // the value whose set fails
  std::optional<RegStatus> close_status = std::nullopt;  // a failing close's
  Log calls = {};                                        // the registry's, in order
  std::int16_t hidden_value = 0, super_hidden_value = 0;
  std::u16string_view status = {};
  MsgBoxCall box = {};
};

TEST(Visibility, ApplyWritesTheChoiceInOrderThenConfirms) {
  const std::string open =
      "open 80000001 Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced "
      "access=20006";
  const std::string hide = "set Hidden type=4 size=4 02 00 00 00";
  const std::string show = "set Hidden type=4 size=4 01 00 00 00";
  const std::string tick = "set ShowSuperHidden type=4 size=4 01 00 00 00";
  const std::string clear = "set ShowSuperHidden type=4 size=4 00 00 00 00";
  const std::string close = "close";
  const MsgBoxCall done_en{u" Option changes successfully! Good Luck!", 64, u"Changed"};
  const MsgBoxCall done_fa{u" ! تغييرات به طور موفقيت آميزي اعمال شد! موفق باشيد ", 64, u"Changed"};
  const MsgBoxCall failed_en{u" Option could not be changed!", 16, u"Not changed"};
  const MsgBoxCall failed_fa{u" ! تغييرات اعمال نشد ", 16, u"Not changed"};
  // clang-format off
  const ApplyCase cases[] = {
      {.name = "hide, checked", .selected = Element::OptHide, .check = 1, .calls = {open, hide, close, open, tick, close}, .hidden_value = 2, .super_hidden_value = 1, .status = kActivated.english, .box = done_en},
      {.name = "show, unchecked, Persian", .selected = Element::OptShow, .language = u"Persian", .calls = {open, show, close, open, clear, close}, .hidden_value = 1, .status = kDeactivated.persian, .box = done_fa},
      {.name = "hide, grayed", .selected = Element::OptHide, .check = 2, .calls = {open, hide, close}, .hidden_value = 2, .status = kActivated.english, .box = done_en},
      {.name = "none, checked", .check = 1, .calls = {open, tick, close}, .super_hidden_value = 1, .box = done_en},
      {.name = "a close that fails", .selected = Element::OptHide, .check = 1, .close_status = kInvalidHandle, .calls = {open, hide, close, open, tick, close}, .hidden_value = 2, .super_hidden_value = 1, .status = kActivated.english, .box = done_en},
      {.name = "none, grayed", .check = 2, .language = u"Persian", .box = done_fa},
      {.name = "another language", .selected = Element::OptShow, .check = 1, .language = u"persian", .calls = {open, show, close, open, tick, close}, .hidden_value = 1, .super_hidden_value = 1, .box = done_en},
      {.name = "key missing", .selected = Element::OptHide, .check = 1, .key_exists = false, .calls = {open, open}, .box = failed_en},
      {.name = "key missing, Persian", .selected = Element::OptShow, .language = u"Persian", .key_exists = false, .calls = {open, open}, .box = failed_fa},
      {.name = "Hidden refused", .selected = Element::OptHide, .check = 1, .refused = u"Hidden", .calls = {open, hide, close, open, tick, close}, .super_hidden_value = 1, .box = failed_en},
      {.name = "ShowSuperHidden refused", .selected = Element::OptHide, .check = 1, .refused = u"ShowSuperHidden", .calls = {open, hide, close, open, tick, close}, .hidden_value = 2, .status = kActivated.english, .box = failed_en},
  };
  // clang-format on
  for (const ApplyCase& c : cases) {
    SCOPED_TRACE(c.name);
    Fakes f;
    CurrentLanguage = c.language;
    if (c.key_exists) f.registry.AddKey(kHkcu, kAdvanced);
    f.registry.refused_set = c.refused;
    f.registry.close_status = c.close_status;
    if (c.selected) f.ui.options[*c.selected] = true;
    f.ui.checks[Element::chkSuper] = c.check;
    Apply(f.state, f.general, f.ui);
    EXPECT_EQ(f.registry.calls, c.calls);
    EXPECT_EQ(f.state.HiddenValue, c.hidden_value);
    EXPECT_EQ(f.state.SuperHiddenValue, c.super_hidden_value);
    EXPECT_EQ(f.ui.texts[Element::txtCur], c.status);
    EXPECT_EQ(f.ui.msg_boxes, std::vector{c.box});
    EXPECT_EQ(f.ui.log.back(), "MsgBox " + std::to_string(std::get<1>(c.box)));  // the last of all
  }
}

}  // namespace
}  // namespace lumora::testing
