// The registry module over a fake registry: path splitting, root names, the
// calls a read makes. The calls a write makes are seen through Apply.
#include "registry/general.h"

#include <gtest/gtest.h>

#include "fakes/fakes.h"

namespace lumora::testing {
namespace {

// "Hidden" under HKEY_CURRENT_USER\K as stored, read through a path; what
// the read gives, the calls it makes (each root by its handle, the sub-key
// after the first backslash), LastStatus afterwards, and whether the path
// is shown as malformed.
struct ReadCase {
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
  const ReadCase cases[] = {
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
  for (const ReadCase& c : cases) {
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

}  // namespace
}  // namespace lumora::testing
