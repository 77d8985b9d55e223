// The registry module and the settings store against the test prefix's real
// registry, with every stored type and size in a value and in the language.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "fakes/recording_window.h"
#include "i18n/language.h"
#include "i18n/language_preference.h"
#include "i18n/win32/registry_settings_store.h"
#include "registry/general.h"
#include "registry/win32/advapi_registry.h"
#include "win32/raw_registry.h"

namespace lumora::testing {
namespace {

const std::wstring kTestKey = L"Software\\LumoraTests";
const std::u16string kTestPath = u"HKEY_CURRENT_USER\\Software\\LumoraTests";

// A value of each type and size worth telling apart.
std::vector<RawValue> EveryType() {
  // clang-format off
  std::vector<RawValue> all = {
      {REG_NONE, {}}, {REG_SZ, SzBytes(L"2")}, {REG_SZ, {'P', 0, 'e'}}, {REG_EXPAND_SZ, SzBytes(L"Persian")},
      {REG_MULTI_SZ, SzBytes(std::wstring(L"1\0", 2))}, {REG_DWORD_BIG_ENDIAN, {0, 0, 0, 2}},
      {REG_QWORD, {2, 0, 0, 0, 0, 0, 0, 0}}, {REG_DWORD, {2, 0, 0}}, {REG_DWORD, DwordBytes(0xFFFFFFFF)},
      {REG_DWORD, DwordBytes(65536)}};
  // clang-format on
  for (std::size_t size = 0; size <= 8; ++size)
    all.push_back({REG_BINARY, std::vector<BYTE>(size, 2)});
  return all;
}

class RealRegistry : public ::testing::Test {
 protected:
  void SetUp() override { TearDown(); }
  void TearDown() override {
    DeleteTree(kTestKey);
    DeleteTree(L"Software\\NorvaleSoft");
    CurrentLanguage.clear();
  }
  ReadResult Read(std::u16string_view name, std::u16string path = kTestPath) {
    return general_.ReadDWord(path, name);
  }
  bool Write(std::int32_t value, std::u16string path = kTestPath) {
    return general_.WriteDWord(path, u"Hidden", value);
  }
  std::u16string Language() { return store_.GetSetting(u"NorvaleSoft", u"Lumora", u"Language"); }
  void SaveLanguage(std::u16string_view text) {
    store_.SaveSetting(u"NorvaleSoft", u"Lumora", u"Language", text);
  }

  AdvapiRegistry registry_;
  RegistrySettingsStore store_;
  RecordingWindow ui_;
  General general_{registry_, ui_};
};

TEST_F(RealRegistry, OnlyAFourByteDwordReadsAsANumberAndAWriteMakesOneOfAnyValue) {
  for (const RawValue& stored : EveryType()) {
    SCOPED_TRACE(::testing::Message() << "type " << stored.type << ", " << stored.data.size());
    PutValue(kTestKey, L"Hidden", stored.type, stored.data);
    PutValue(kTestKey, L"Other", REG_BINARY, {1, 2, 3});
    std::int32_t number = 0;
    std::memcpy(&number, stored.data.data(), std::min<std::size_t>(stored.data.size(), 4));
    const bool dword = stored.type == REG_DWORD && stored.data.size() == 4;
    EXPECT_EQ(Read(u"Hidden"), dword ? ReadResult{number} : ReadResult{ReadErrorText{}});
    ASSERT_TRUE(Write(-2));
    EXPECT_EQ(GetValue(kTestKey, L"Hidden"), (RawValue{REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}}));
    EXPECT_EQ(GetValue(kTestKey, L"Other"), (RawValue{REG_BINARY, {1, 2, 3}}));
    EXPECT_EQ(Counts(kTestKey), std::pair(2UL, 0UL));  // no value nor key created
    EXPECT_EQ(Read(u"Hidden"), ReadResult{-2});
  }
  EXPECT_EQ(Read(u"NoSuchValue"), ReadResult{ReadErrorText{}});
  EXPECT_EQ(general_.LastStatus, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Read(u"NoSuchValue", u"HKEY_CURRENT_USER"), ReadResult{ReadErrorText{}});
  EXPECT_EQ(general_.LastStatus, ERROR_FILE_NOT_FOUND);  // the query's: the root itself opened
  DeleteTree(kTestKey);
  EXPECT_FALSE(Write(2));
  EXPECT_EQ(Counts(kTestKey), std::nullopt);  // a missing key is not created
  EXPECT_TRUE(ui_.msg_boxes.empty());
}

TEST_F(RealRegistry, TheLanguageIsAUtf16StringUnderTheVendorAndProductKeyAndNothingElse) {
  LoadLanguage(store_, ui_);  // no entry: "English" is written at once
  EXPECT_EQ(CurrentLanguage, u"English");
  EXPECT_EQ(GetValue(kStoreKey, L"Language"), (RawValue{REG_SZ, SzBytes(L"English")}));
  EXPECT_EQ(Counts(kStoreKey), std::pair(1UL, 0UL));
  // Persian script, and a lone surrogate that no 8-bit code page keeps.
  for (const std::u16string& text : {std::u16string(u"\u0641\u0627\u0631\u0633\u06CC \u06A9"),
                                     std::u16string(1, u'\xD800') + u"x"}) {
    SaveLanguage(text);
    EXPECT_EQ(Language(), text);
  }
  // Any other type reads as no language and stays until saved.
  std::vector<RawValue> entries = EveryType();
  entries.push_back({REG_SZ, SzBytes(std::wstring(512 * 1024, L'P'))});  // 1 MiB
  for (const RawValue& stored : entries) {
    SCOPED_TRACE(::testing::Message() << "type " << stored.type << ", " << stored.data.size());
    PutValue(kStoreKey, L"Language", stored.type, stored.data);
    const bool text = stored.type == REG_SZ && stored.data == SzBytes(L"2");
    EXPECT_EQ(Language(), text ? u"2" : u"\uFFFD");
    EXPECT_EQ(GetValue(kStoreKey, L"Language"), stored);
    SaveLanguage(u"English");
    EXPECT_EQ(GetValue(kStoreKey, L"Language"), (RawValue{REG_SZ, SzBytes(L"English")}));
  }
}

}  // namespace
}  // namespace lumora::testing
