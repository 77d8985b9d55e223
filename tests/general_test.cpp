// The registry module over a fake registry: path splitting, root names, and
// the calls a read or a write makes.
#include "registry/general.h"

#include <gtest/gtest.h>

#include <tuple>

#include "fakes/fakes.h"

namespace lumora::testing {
namespace {

using Calls = std::vector<std::string>;
using Values = FakeRegistry::Values;
const Calls kOpenToRead = {"open 80000001 K access=20019", "query Hidden size=4"};

TEST(RootKeyFromName, MapsTheSevenRootNamesExactlyAndNothingElse) {
  // clang-format off
  const std::pair<std::u16string_view, std::uint32_t> cases[] = {
      {u"HKEY_CLASSES_ROOT", 0x80000000U}, {u"HKEY_CURRENT_USER", 0x80000001U},
      {u"HKEY_LOCAL_MACHINE", 0x80000002U}, {u"HKEY_USERS", 0x80000003U},
      {u"HKEY_PERFORMANCE_DATA", 0x80000004U}, {u"HKEY_CURRENT_CONFIG", 0x80000005U},
      {u"HKEY_DYN_DATA", 0x80000006U}, {u"HKEY_Current_User", 0}, {u" HKEY_USERS", 0},
      {u"HKEY_USERS ", 0}, {u"HKEY_", 0}, {u"", 0}, {u"HKEY_CURRENT_USERS", 0},
      {std::u16string_view{u"HKEY_USERS\0", 11}, 0},
  };
  // clang-format on
  for (const auto& [name, handle] : cases) {
    EXPECT_EQ(static_cast<std::uint32_t>(RootKeyFromName(name)), handle)
        << std::string(name.begin(), name.end());
  }
}

TEST(General, SplitKeyPathSplitsWellFormedPathsAndShowsTheOthers) {
  constexpr std::uint32_t kUnchanged = 0x1234;
  const std::u16string fixed =
      u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
  // Path, root afterwards, path afterwards, LastStatus; a malformed path stays.
  // clang-format off
  const std::tuple<std::u16string, std::uint32_t, std::u16string, RegStatus> cases[] = {
      {fixed, 0x80000001U, u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced", 18},
      {u"HKEY_LOCAL_MACHINE", 0x80000002U, u"", 0},
      {u"HKEY_Current_User\\Software", 0, u"Software", 18},
      {u"HKEY_USERS\\\\S-1", 0x80000003U, u"\\S-1", 11},
      {u"HKEY_", 0, u"", 0},
      {u"HKEY_CURRENT_USER\\Software\\", kUnchanged, u"HKEY_CURRENT_USER\\Software\\", 18},
      {u"Software\\Microsoft", kUnchanged, u"Software\\Microsoft", 9},
      {u"hkey_current_user\\Software", kUnchanged, u"hkey_current_user\\Software", 18},
      {u"HKEY", kUnchanged, u"HKEY", 0},
      {u"", kUnchanged, u"", 0},
  };
  // clang-format on
  for (const auto& [given, root_after, path_after, last_status] : cases) {
    SCOPED_TRACE(std::string(given.begin(), given.end()));
    Fakes f;
    auto [registry, ui, general] = std::tie(f.registry, f.ui, f.general);
    std::u16string path = given;
    auto root = static_cast<RegHandle>(kUnchanged);
    const bool well_formed = root_after != kUnchanged;
    EXPECT_EQ(general.SplitKeyPath(path, root), well_formed);
    EXPECT_EQ(static_cast<std::uint32_t>(root), root_after);
    EXPECT_EQ(path, path_after);
    EXPECT_EQ(general.LastStatus, last_status);
    // Flags 0 and no title of its own.
    const MsgBoxCall box{u"Incorrect Format:\n\n" + given, 0, std::nullopt};
    EXPECT_EQ(ui.msg_boxes, well_formed ? std::vector<MsgBoxCall>{} : std::vector{box});
    EXPECT_TRUE(registry.calls.empty());
  }
}

TEST(General, AReadOpensForReadingQueriesFourBytesClosesAndTellsWhatItFound) {
  // Name, path, "Hidden" under HKEY_CURRENT_USER\K, a refused open's status;
  // what the read gives, the calls it makes, LastStatus afterwards.
  using Case = std::tuple<const char*, std::u16string, std::optional<StoredValue>,
                          std::optional<RegStatus>, ReadResult, Calls, RegStatus>;
  const Calls read = {kOpenToRead[0], kOpenToRead[1], "close"};
  // clang-format off
  const Case cases[] = {
      {"65536", u"HKEY_CURRENT_USER\\K", StoredValue{4, {0, 0, 1, 0}}, {}, 65536, read, 0},
      {"-1", u"HKEY_CURRENT_USER\\K", StoredValue{4, {0xFF, 0xFF, 0xFF, 0xFF}}, {}, -1, read, 0},
      {"most negative", u"HKEY_CURRENT_USER\\K", StoredValue{4, {0, 0, 0, 0x80}}, {}, INT32_MIN, read, 0},
      {"a DWORD cut short", u"HKEY_CURRENT_USER\\K", StoredValue{4, {2, 0}}, {}, ReadErrorText{}, read, 0},
      {"REG_BINARY", u"HKEY_CURRENT_USER\\K", StoredValue{3, {2, 0, 0, 0}}, {}, ReadErrorText{}, read, 0},
      {"more than fits", u"HKEY_CURRENT_USER\\K", StoredValue{11, std::vector<std::uint8_t>(8, 2)}, {}, ReadErrorText{}, read, kMoreData},
      {"value missing", u"HKEY_CURRENT_USER\\K", std::nullopt, {}, ReadErrorText{}, read, kFileNotFound},
      {"open refused", u"HKEY_CURRENT_USER\\K", StoredValue{4, {2, 0, 0, 0}}, kAccessDenied, ReadErrorText{}, {kOpenToRead[0]}, kAccessDenied},
      {"key missing", u"HKEY_CURRENT_USER\\Missing", StoredValue{4, {2, 0, 0, 0}}, {}, ReadErrorText{}, {"open 80000001 Missing access=20019"}, kFileNotFound},
      {"a root alone", u"HKEY_USERS", StoredValue{4, {2, 0, 0, 0}}, {}, ReadErrorText{}, {"open 80000003  access=20019", "query Hidden size=4", "close"}, kFileNotFound},
      {"no root", u"HKEY_", StoredValue{4, {2, 0, 0, 0}}, {}, std::monostate{}, {}, 0},
      {"a root in another case", u"HKEY_Current_User\\K", StoredValue{4, {2, 0, 0, 0}}, {}, std::monostate{}, {}, 18},
      {"malformed", u"Software\\K", StoredValue{4, {2, 0, 0, 0}}, {}, ReadErrorText{}, {}, 9},
  };
  // clang-format on
  for (const auto& [name, given, stored, open_status, result, calls, last_status] : cases) {
    SCOPED_TRACE(name);
    Fakes f;
    auto [registry, ui, general] = std::tie(f.registry, f.ui, f.general);
    registry.AddKey(kHkcu, u"K");
    if (stored) registry.Put(kHkcu, u"K", u"Hidden", *stored);
    registry.open_status = open_status;
    std::u16string path = given;
    EXPECT_EQ(general.ReadDWord(path, u"Hidden"), result);
    EXPECT_EQ(registry.calls, calls);
    EXPECT_EQ(general.LastStatus, last_status);
    EXPECT_EQ(registry.OpenHandles(), 0U);
    EXPECT_EQ(ui.msg_boxes.size(), given.starts_with(u"HKEY") ? 0U : 1U);
  }
}

TEST(General, AWriteSetsFourLittleEndianBytesAsADwordAndTellsWhetherItTookEffect) {
  // Name, path, the value whose set fails, a failing close's status; whether
  // the write took effect, the calls it makes, LastStatus afterwards.
  using Case = std::tuple<const char*, std::u16string, std::u16string, std::optional<RegStatus>,
                          bool, Calls, RegStatus>;
  const Calls write = {"open 80000001 K access=20006", "set Hidden type=4 size=4 fe ff ff ff",
                       "close"};
  // clang-format off
  const Case cases[] = {
      {"over another type", u"HKEY_CURRENT_USER\\K", u"", std::nullopt, true, write, 0},
      {"set refused", u"HKEY_CURRENT_USER\\K", u"Hidden", std::nullopt, false, write, 0},
      {"close fails", u"HKEY_CURRENT_USER\\K", u"", kInvalidHandle, true, write, kInvalidHandle},
      {"key missing", u"HKEY_CURRENT_USER\\Missing", u"", std::nullopt, false, {"open 80000001 Missing access=20006"}, kFileNotFound},
      {"no root", u"HKEY_Current_User\\K", u"", std::nullopt, false, {}, 18},
      {"malformed", u"HKEY_CURRENT_USER\\K\\", u"", std::nullopt, false, {}, 18},
  };
  // clang-format on
  for (const auto& [name, given, refused, close_status, written, calls, last_status] : cases) {
    SCOPED_TRACE(name);
    Fakes f;
    auto [registry, ui, general] = std::tie(f.registry, f.ui, f.general);
    registry.Put(kHkcu, u"K", u"Hidden", {1, {'2', 0}});
    registry.Put(kHkcu, u"K", u"Other", {3, {1, 2, 3, 4, 5}});
    if (!refused.empty()) registry.set_failures[refused] = kAccessDenied;
    registry.close_status = close_status;
    std::u16string path = given;
    EXPECT_EQ(general.WriteDWord(path, u"Hidden", -2), written);
    EXPECT_EQ(registry.calls, calls);
    EXPECT_EQ(general.LastStatus, last_status);
    const Values values = {
        {u"Hidden", written ? StoredValue{4, {0xFE, 0xFF, 0xFF, 0xFF}} : StoredValue{1, {'2', 0}}},
        {u"Other", {3, {1, 2, 3, 4, 5}}}};
    EXPECT_EQ(*registry.Key(kHkcu, u"K"), values);
    EXPECT_EQ(registry.KeyCount(), 1U);  // no key created
  }
}

TEST(General, EachReadStartsWithAnEmptyBuffer) {
  Fakes f;
  f.registry.Put(kHkcu, u"K", u"Hidden", {4, {0x01}});
  f.general.ValueBuffer = {0xFF, 0xFF, 0xFF, 0xFF};
  std::u16string path = u"HKEY_CURRENT_USER\\K";
  EXPECT_EQ(f.general.ReadDWord(path, u"Hidden"), ReadResult{ReadErrorText{}});
  EXPECT_EQ(f.general.ValueBuffer, (std::array<std::uint8_t, 4>{0x01, 0, 0, 0}));
}

}  // namespace
}  // namespace lumora::testing
