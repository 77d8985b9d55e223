#include "registry/general.h"

#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "fakes/recording_window.h"

namespace lumora::testing {
namespace {

constexpr RegHandle kHkcu = static_cast<RegHandle>(0x80000001U);
constexpr RegHandle kSentinel = 0x1234;
const std::u16string kAdvanced =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
const std::u16string kFixedPath = u"HKEY_CURRENT_USER\\" + kAdvanced;

class GeneralTest : public ::testing::Test {
 protected:
  FakeRegistry registry_;
  RecordingWindow ui_;
  General general_{registry_, ui_};
};

TEST(RootKeyFromName, MapsTheSevenRootNamesAndNothingElse) {
  const std::pair<std::u16string_view, std::uint32_t> cases[] = {
      {u"HKEY_CLASSES_ROOT", 0x80000000U},
      {u"HKEY_CURRENT_USER", 0x80000001U},
      {u"HKEY_LOCAL_MACHINE", 0x80000002U},
      {u"HKEY_USERS", 0x80000003U},
      {u"HKEY_PERFORMANCE_DATA", 0x80000004U},
      {u"HKEY_CURRENT_CONFIG", 0x80000005U},
      {u"HKEY_DYN_DATA", 0x80000006U},
      // Near misses: case, spacing, abbreviations, extra characters.
      {u"hkey_current_user", 0},
      {u"HKEY_Current_User", 0},
      {u" HKEY_USERS", 0},
      {u"HKEY_USERS ", 0},
      {u"HKCU", 0},
      {u"HKEY_", 0},
      {u"", 0},
      {u"HKEY_USERS\\", 0},
      {u"HKEY_CURRENT_USERS", 0},
      {u"HKEY_LOCAL_MACHIN", 0},
      {std::u16string_view{u"HKEY_USERS\0", 11}, 0},
  };
  for (const auto& [name, handle] : cases) {
    EXPECT_EQ(static_cast<std::uint32_t>(RootKeyFromName(name)), handle)
        << std::string(name.begin(), name.end());
  }
}

struct SplitCase {
  std::u16string path;
  bool well_formed;
  std::uint32_t root;  // kSentinel when left unchanged
  std::u16string sub_key;
  RegStatus last_status;
};

TEST_F(GeneralTest, SplitKeyPathTable) {
  const auto unchanged = static_cast<std::uint32_t>(kSentinel);
  const SplitCase cases[] = {
      {kFixedPath, true, 0x80000001U, kAdvanced, 18},
      {u"HKEY_LOCAL_MACHINE", true, 0x80000002U, u"", 0},
      {u"HKEY_Current_User\\Software", true, 0, u"Software", 18},
      {u"HKEY_USERS\\\\S-1", true, 0x80000003U, u"\\S-1", 11},
      {u"HKEY_", true, 0, u"", 0},
      {u"HKEY_CURRENT_USER\\Software\\", false, unchanged, u"HKEY_CURRENT_USER\\Software\\", 18},
      {u"Software\\Microsoft", false, unchanged, u"Software\\Microsoft", 9},
      {u"hkey_current_user\\Software", false, unchanged, u"hkey_current_user\\Software", 18},
      {u"HKEY", false, unchanged, u"HKEY", 0},
      {u"", false, unchanged, u"", 0},
      {u"\\", false, unchanged, u"\\", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
    ui_.msg_boxes.clear();
    std::u16string path = c.path;
    RegHandle root = kSentinel;
    EXPECT_EQ(general_.SplitKeyPath(path, root), c.well_formed);
    EXPECT_EQ(static_cast<std::uint32_t>(root), c.root);
    EXPECT_EQ(path, c.sub_key);
    EXPECT_EQ(general_.LastStatus, c.last_status);
    ASSERT_EQ(ui_.msg_boxes.size(), c.well_formed ? 0U : 1U);
    if (!c.well_formed) {
      EXPECT_EQ(ui_.msg_boxes[0].text, u"Incorrect Format:\n\n" + c.path);
      EXPECT_EQ(ui_.msg_boxes[0].flags, 0);
      EXPECT_FALSE(ui_.msg_boxes[0].title.has_value());
    }
  }
  EXPECT_TRUE(registry_.calls.empty());
}

TEST_F(GeneralTest, ReadOpensQueriesAndClosesWithTheSpecifiedArguments) {
  registry_.PutDword(kHkcu, kAdvanced, u"Hidden", 2);
  std::u16string path = kFixedPath;
  EXPECT_EQ(general_.ReadDWord(path, u"Hidden"), ReadResult{2});
  EXPECT_EQ(path, kAdvanced);  // the caller's text becomes the sub-key

  ASSERT_EQ(registry_.calls.size(), 3U);
  const auto& open = registry_.calls[0];
  EXPECT_EQ(open.function, "RegOpenKeyExA");
  EXPECT_EQ(open.key, kHkcu);
  EXPECT_EQ(open.text, kAdvanced);
  EXPECT_EQ(open.arg, 0x20019U);
  const auto& query = registry_.calls[1];
  EXPECT_EQ(query.function, "RegQueryValueExA");
  EXPECT_EQ(query.key, general_.OpenedKey);
  EXPECT_EQ(query.text, u"Hidden");
  EXPECT_EQ(query.size, 4U);
  EXPECT_EQ(registry_.calls[2].function, "RegCloseKey");
  EXPECT_EQ(registry_.calls[2].key, general_.OpenedKey);
  EXPECT_EQ(general_.LastStatus, 0);
  EXPECT_EQ(registry_.OpenHandles(), 0U);
}

TEST_F(GeneralTest, FailedQueryClosesTheKeyAndKeepsTheQueryStatus) {
  registry_.AddKey(kHkcu, kAdvanced);
  std::u16string path = kFixedPath;
  EXPECT_EQ(general_.ReadDWord(path, u"Hidden"), ReadResult{ReadErrorText{}});
  ASSERT_EQ(registry_.calls.size(), 3U);
  EXPECT_EQ(registry_.calls[2].function, "RegCloseKey");
  EXPECT_EQ(general_.LastStatus, kFileNotFound);
  EXPECT_EQ(registry_.OpenHandles(), 0U);
}

TEST_F(GeneralTest, FailedOpenReadsAsErrorWithoutFurtherCalls) {
  registry_.PutDword(kHkcu, kAdvanced, u"Hidden", 2);
  registry_.open_status = kAccessDenied;
  std::u16string path = kFixedPath;
  EXPECT_EQ(general_.ReadDWord(path, u"Hidden"), ReadResult{ReadErrorText{}});
  EXPECT_EQ(registry_.calls.size(), 1U);
  EXPECT_EQ(general_.LastStatus, kAccessDenied);
}

TEST_F(GeneralTest, OnlyAFourByteDwordReadsAsANumber) {
  const std::pair<StoredValue, ReadResult> cases[] = {
      {{4, {0xFF, 0xFF, 0xFF, 0xFF}}, std::int32_t{-1}},
      {{4, {0x00, 0x00, 0x01, 0x00}}, std::int32_t{65536}},
      {{4, {0x40, 0x9C, 0x00, 0x00}}, std::int32_t{40000}},
      {{4, {0x00, 0x00, 0x00, 0x80}}, std::int32_t{INT32_MIN}},
      {{1, {'1', 0}}, ReadErrorText{}},                          // REG_SZ
      {{3, {0x02, 0x00}}, ReadErrorText{}},                      // REG_BINARY, 2 bytes
      {{3, {0x02, 0x00, 0x00, 0x00}}, ReadErrorText{}},          // REG_BINARY, 4 bytes
      {{3, std::vector<std::uint8_t>(8, 1)}, ReadErrorText{}},   // REG_BINARY, 8 bytes
      {{5, {0, 0, 0, 2}}, ReadErrorText{}},                      // REG_DWORD_BIG_ENDIAN
      {{11, std::vector<std::uint8_t>(8, 0)}, ReadErrorText{}},  // REG_QWORD
      {{0, {}}, ReadErrorText{}},                                // REG_NONE, empty
      {{4, {0x02, 0x00}}, ReadErrorText{}},                      // a DWORD cut short
  };
  for (const auto& [stored, expected] : cases) {
    registry_.Put(kHkcu, kAdvanced, u"Hidden", stored);
    std::u16string path = kFixedPath;
    EXPECT_EQ(general_.ReadDWord(path, u"Hidden"), expected)
        << "type " << stored.type << ", " << stored.data.size() << " bytes";
    EXPECT_EQ(registry_.OpenHandles(), 0U);
  }
}

TEST_F(GeneralTest, EveryReadStartsFromAZeroedBuffer) {
  registry_.PutDword(kHkcu, kAdvanced, u"Hidden", 0xFFFFFFFFU);
  std::u16string path = kFixedPath;
  ASSERT_EQ(general_.ReadDWord(path, u"Hidden"), ReadResult{-1});
  registry_.Put(kHkcu, kAdvanced, u"Hidden", {4, {0x01}});
  path = kFixedPath;
  EXPECT_EQ(general_.ReadDWord(path, u"Hidden"), ReadResult{ReadErrorText{}});
  EXPECT_EQ(general_.ValueBuffer, (std::array<std::uint8_t, 4>{0x01, 0, 0, 0}));
}

TEST_F(GeneralTest, RootAloneOpensTheRootKeyItself) {
  registry_.PutDword(static_cast<RegHandle>(0x80000002U), u"", u"Probe", 7);
  std::u16string path = u"HKEY_LOCAL_MACHINE";
  EXPECT_EQ(general_.ReadDWord(path, u"Probe"), ReadResult{7});
  EXPECT_EQ(registry_.calls.at(0).text, u"");
}

TEST_F(GeneralTest, NoRootMeansNoCallAndNoMessage) {
  for (const std::u16string start : {u"HKEY_", u"HKEY_Current_User\\Software"}) {
    std::u16string path = start;
    EXPECT_EQ(general_.ReadDWord(path, u"Hidden"), ReadResult{std::monostate{}});
    path = start;
    EXPECT_FALSE(general_.WriteDWord(path, u"Hidden", 1));
  }
  EXPECT_TRUE(registry_.calls.empty());
  EXPECT_TRUE(ui_.msg_boxes.empty());
}

TEST_F(GeneralTest, MalformedPathAfterAWellFormedOneCallsNothing) {
  registry_.PutDword(kHkcu, kAdvanced, u"Hidden", 1);
  std::u16string path = kFixedPath;
  ASSERT_EQ(general_.ReadDWord(path, u"Hidden"), ReadResult{1});
  const auto calls_before = registry_.calls.size();

  path = u"Software\\Microsoft";
  EXPECT_EQ(general_.ReadDWord(path, u"Hidden"), ReadResult{ReadErrorText{}});
  path = u"HKEY_CURRENT_USER\\Software\\";
  EXPECT_FALSE(general_.WriteDWord(path, u"Hidden", 2));

  EXPECT_EQ(registry_.calls.size(), calls_before);
  EXPECT_EQ(ui_.msg_boxes.size(), 2U);
  EXPECT_EQ(general_.RootKey, kHkcu);  // left as the earlier split set it
}

TEST_F(GeneralTest, WriteOpensSetsAndClosesWithTheSpecifiedArguments) {
  registry_.AddKey(kHkcu, kAdvanced);
  std::u16string path = kFixedPath;
  EXPECT_TRUE(general_.WriteDWord(path, u"ShowSuperHidden", -2));

  ASSERT_EQ(registry_.calls.size(), 3U);
  EXPECT_EQ(registry_.calls[0].function, "RegOpenKeyExA");
  EXPECT_EQ(registry_.calls[0].key, kHkcu);
  EXPECT_EQ(registry_.calls[0].text, kAdvanced);
  EXPECT_EQ(registry_.calls[0].arg, 0x20006U);
  const auto& set = registry_.calls[1];
  EXPECT_EQ(set.function, "RegSetValueExA");
  EXPECT_EQ(set.text, u"ShowSuperHidden");
  EXPECT_EQ(set.arg, 4U);
  EXPECT_EQ(set.size, 4U);
  EXPECT_EQ(set.data, (std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(registry_.calls[2].function, "RegCloseKey");
  EXPECT_EQ(registry_.OpenHandles(), 0U);
}

TEST_F(GeneralTest, WriteReplacesAnotherTypeAndLeavesOtherValuesAlone) {
  registry_.Put(kHkcu, kAdvanced, u"Hidden", {1, {'2', 0}});
  registry_.Put(kHkcu, kAdvanced, u"Other", {3, {1, 2, 3, 4, 5}});
  std::u16string path = kFixedPath;
  EXPECT_TRUE(general_.WriteDWord(path, u"Hidden", 2));
  const auto* key = registry_.Key(kHkcu, kAdvanced);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->at(u"Hidden"), (StoredValue{4, {2, 0, 0, 0}}));
  EXPECT_EQ(key->at(u"Other"), (StoredValue{3, {1, 2, 3, 4, 5}}));
}

TEST_F(GeneralTest, WriteReportsFailuresAndCreatesNoKey) {
  std::u16string path = kFixedPath;
  EXPECT_FALSE(general_.WriteDWord(path, u"Hidden", 1));  // key missing
  EXPECT_EQ(registry_.calls.size(), 1U);
  EXPECT_EQ(registry_.KeyCount(), 0U);
  EXPECT_EQ(general_.LastStatus, kFileNotFound);

  registry_.AddKey(kHkcu, kAdvanced);
  registry_.set_failures[u"Hidden"] = kAccessDenied;
  registry_.calls.clear();
  path = kFixedPath;
  EXPECT_FALSE(general_.WriteDWord(path, u"Hidden", 1));
  ASSERT_EQ(registry_.calls.size(), 3U);  // the key is closed all the same
  EXPECT_EQ(registry_.calls[2].function, "RegCloseKey");
  EXPECT_EQ(general_.LastStatus, 0);  // the close's status, as always last

  registry_.set_failures.clear();
  registry_.close_status = kInvalidHandle;  // a failing close does not undo a set
  path = kFixedPath;
  EXPECT_TRUE(general_.WriteDWord(path, u"Hidden", 1));
  EXPECT_EQ(general_.LastStatus, kInvalidHandle);
}

TEST_F(GeneralTest, SubKeyWithLeadingBackslashGoesToTheRegistryUnchanged) {
  std::u16string path = u"HKEY_USERS\\\\S-1";
  EXPECT_FALSE(general_.WriteDWord(path, u"Hidden", 1));
  ASSERT_EQ(registry_.calls.size(), 1U);
  EXPECT_EQ(registry_.calls[0].key, static_cast<RegHandle>(0x80000003U));
  EXPECT_EQ(registry_.calls[0].text, u"\\S-1");
}

}  // namespace
}  // namespace lumora::testing
