// The registry module over a fake registry: path splitting, root names, and
// the calls a read or a write makes.
#include "registry/general.h"

#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "fakes/recording_window.h"

namespace lumora::testing {
namespace {

constexpr auto kHkcu = static_cast<RegHandle>(0x80000001U);
const std::u16string kAdvanced =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
const std::u16string kFixedPath = u"HKEY_CURRENT_USER\\" + kAdvanced;
using Calls = std::vector<std::string>;

class GeneralTest : public ::testing::Test {
 protected:
  ReadResult Read(std::u16string path, std::u16string_view name = u"Hidden") {
    return general_.ReadDWord(path, name);
  }
  bool Write(std::u16string path, std::int32_t value) {
    return general_.WriteDWord(path, u"Hidden", value);
  }
  // The functions called since the last look.
  Calls Called() {
    Calls names;
    for (const RegCall& call : registry_.calls) names.push_back(call.function);
    return names;
  }

  FakeRegistry registry_;
  RecordingWindow ui_;
  General general_{registry_, ui_};
};

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

TEST_F(GeneralTest, SplitKeyPathSplitsWellFormedPathsAndShowsTheOthers) {
  constexpr std::uint32_t kUnchanged = 0x1234;
  // Path, root afterwards, path afterwards, LastStatus; a malformed path stays.
  // clang-format off
  const std::tuple<std::u16string, std::uint32_t, std::u16string, RegStatus> cases[] = {
      {kFixedPath, 0x80000001U, kAdvanced, 18},
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
    ui_.msg_boxes.clear();
    std::u16string path = given;
    auto root = static_cast<RegHandle>(kUnchanged);
    const bool well_formed = root_after != kUnchanged;
    EXPECT_EQ(general_.SplitKeyPath(path, root), well_formed);
    EXPECT_EQ(static_cast<std::uint32_t>(root), root_after);
    EXPECT_EQ(path, path_after);
    EXPECT_EQ(general_.LastStatus, last_status);
    ASSERT_EQ(ui_.msg_boxes.size(), well_formed ? 0U : 1U);
    if (!well_formed) {
      EXPECT_EQ(ui_.msg_boxes[0].text, u"Incorrect Format:\n\n" + given);
      EXPECT_EQ(ui_.msg_boxes[0].flags, 0);
      EXPECT_FALSE(ui_.msg_boxes[0].title.has_value());
    }
  }
  EXPECT_TRUE(registry_.calls.empty());
}

TEST_F(GeneralTest, AReadOpensForReadingQueriesFourBytesAndCloses) {
  registry_.PutDword(kHkcu, kAdvanced, u"Hidden", 0x00010000);
  std::u16string path = kFixedPath;
  EXPECT_EQ(general_.ReadDWord(path, u"Hidden"), ReadResult{65536});
  EXPECT_EQ(path, kAdvanced);  // the caller's text becomes the sub-key
  ASSERT_EQ(Called(), (Calls{"RegOpenKeyExA", "RegQueryValueExA", "RegCloseKey"}));
  EXPECT_EQ(registry_.calls[0].key, kHkcu);
  EXPECT_EQ(registry_.calls[0].text, kAdvanced);
  EXPECT_EQ(registry_.calls[0].arg, 0x20019U);
  EXPECT_EQ(registry_.calls[1].text, u"Hidden");
  EXPECT_EQ(registry_.calls[1].size, 4U);
  EXPECT_EQ(registry_.calls[1].key, registry_.calls[2].key);  // the key opened
  EXPECT_EQ(general_.LastStatus, 0);
  EXPECT_EQ(registry_.OpenHandles(), 0U);
}

TEST_F(GeneralTest, OnlyFourBytesOfADwordReadAsANumberAndEachReadStartsAfresh) {
  const std::pair<StoredValue, ReadResult> cases[] = {
      {{4, {0xFF, 0xFF, 0xFF, 0xFF}}, -1},
      {{4, {0x00, 0x00, 0x00, 0x80}}, INT32_MIN},
      {{4, {0x02, 0x00}}, ReadErrorText{}},                      // a DWORD cut short
      {{3, {0x02, 0x00, 0x00, 0x00}}, ReadErrorText{}},          // REG_BINARY
      {{11, std::vector<std::uint8_t>(8, 0)}, ReadErrorText{}},  // more data than fit
  };
  for (const auto& [stored, expected] : cases) {
    registry_.Put(kHkcu, kAdvanced, u"Hidden", stored);
    EXPECT_EQ(Read(kFixedPath), expected) << stored.type << ", " << stored.data.size() << " bytes";
    EXPECT_EQ(registry_.OpenHandles(), 0U);
  }
  registry_.Put(kHkcu, kAdvanced, u"Hidden", {4, {0x01}});
  EXPECT_EQ(Read(kFixedPath), ReadResult{ReadErrorText{}});
  EXPECT_EQ(general_.ValueBuffer, (std::array<std::uint8_t, 4>{0x01, 0, 0, 0}));
}

TEST_F(GeneralTest, FailedOpensAndQueriesReadAsErrorAndKeepTheirStatus) {
  registry_.AddKey(kHkcu, kAdvanced);
  EXPECT_EQ(Read(kFixedPath), ReadResult{ReadErrorText{}});  // value missing: the key is closed
  EXPECT_EQ(Called(), (Calls{"RegOpenKeyExA", "RegQueryValueExA", "RegCloseKey"}));
  EXPECT_EQ(general_.LastStatus, kFileNotFound);
  registry_.calls.clear();
  registry_.open_status = kAccessDenied;
  EXPECT_EQ(Read(kFixedPath), ReadResult{ReadErrorText{}});
  EXPECT_EQ(Called(), Calls{"RegOpenKeyExA"});
  EXPECT_EQ(general_.LastStatus, kAccessDenied);
}

TEST_F(GeneralTest, ARootAloneOpensItselfAndWithoutARootNothingIsCalled) {
  registry_.PutDword(static_cast<RegHandle>(0x80000002U), u"", u"Probe", 7);
  EXPECT_EQ(Read(u"HKEY_LOCAL_MACHINE", u"Probe"), ReadResult{7});
  registry_.calls.clear();
  for (const char16_t* path : {u"HKEY_", u"HKEY_Current_User\\Software"}) {
    EXPECT_EQ(Read(path), ReadResult{std::monostate{}});
    EXPECT_FALSE(Write(path, 1));
  }
  EXPECT_TRUE(ui_.msg_boxes.empty());
  // Nor after a malformed path, whatever root an earlier split left.
  EXPECT_EQ(Read(u"Software\\Microsoft"), ReadResult{ReadErrorText{}});
  EXPECT_FALSE(Write(u"HKEY_CURRENT_USER\\Software\\", 2));
  EXPECT_TRUE(registry_.calls.empty());
}

TEST_F(GeneralTest, AWriteSetsFourLittleEndianBytesAsADwordAndLeavesTheRest) {
  registry_.Put(kHkcu, kAdvanced, u"Hidden", {1, {'2', 0}});
  registry_.Put(kHkcu, kAdvanced, u"Other", {3, {1, 2, 3, 4, 5}});
  EXPECT_TRUE(Write(kFixedPath, -2));
  ASSERT_EQ(Called(), (Calls{"RegOpenKeyExA", "RegSetValueExA", "RegCloseKey"}));
  EXPECT_EQ(registry_.calls[0].key, kHkcu);
  EXPECT_EQ(registry_.calls[0].text, kAdvanced);
  EXPECT_EQ(registry_.calls[0].arg, 0x20006U);
  EXPECT_EQ(registry_.calls[1].size, 4U);
  const auto* key = registry_.Key(kHkcu, kAdvanced);
  EXPECT_EQ(key->at(u"Hidden"), (StoredValue{4, {0xFE, 0xFF, 0xFF, 0xFF}}));
  EXPECT_EQ(key->at(u"Other"), (StoredValue{3, {1, 2, 3, 4, 5}}));
  EXPECT_EQ(registry_.OpenHandles(), 0U);
}

TEST_F(GeneralTest, AWriteTellsWhetherItTookEffectAndCreatesNoKey) {
  EXPECT_FALSE(Write(kFixedPath, 1));  // key missing
  EXPECT_EQ(Called(), Calls{"RegOpenKeyExA"});
  EXPECT_EQ(registry_.KeyCount(), 0U);
  EXPECT_EQ(general_.LastStatus, kFileNotFound);
  registry_.AddKey(kHkcu, kAdvanced);
  registry_.set_failures[u"Hidden"] = kAccessDenied;
  EXPECT_FALSE(Write(kFixedPath, 1));
  EXPECT_EQ(Called().back(), "RegCloseKey");  // closed all the same
  EXPECT_EQ(general_.LastStatus, 0);          // the close's status, as always last
  registry_.set_failures.clear();
  registry_.close_status = kInvalidHandle;  // a failing close does not undo a set
  EXPECT_TRUE(Write(kFixedPath, 1));
  EXPECT_EQ(general_.LastStatus, kInvalidHandle);
}

}  // namespace
}  // namespace lumora::testing
