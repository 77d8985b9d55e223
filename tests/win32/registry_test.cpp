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

struct Stored {
  const char* name;
  DWORD type;
  std::vector<BYTE> data;
};

std::vector<Stored> EveryType() {
  std::vector<Stored> all = {
      {"REG_NONE", REG_NONE, {}},
      {"REG_SZ", REG_SZ, SzBytes(L"2")},
      {"REG_SZ, odd size", REG_SZ, {'P', 0, 'e'}},
      {"REG_EXPAND_SZ", REG_EXPAND_SZ, SzBytes(L"Persian")},
      {"REG_MULTI_SZ", REG_MULTI_SZ, SzBytes(std::wstring(L"1\0", 2))},
      {"REG_DWORD_BIG_ENDIAN", REG_DWORD_BIG_ENDIAN, {0, 0, 0, 2}},
      {"REG_QWORD", REG_QWORD, {2, 0, 0, 0, 0, 0, 0, 0}},
      {"REG_DWORD of 3 bytes", REG_DWORD, {2, 0, 0}},
      {"REG_DWORD 0xFFFFFFFF", REG_DWORD, DwordBytes(0xFFFFFFFF)},
      {"REG_DWORD 65536", REG_DWORD, DwordBytes(65536)},
      {"REG_DWORD 40000", REG_DWORD, DwordBytes(40000)},
  };
  for (std::size_t size = 0; size <= 8; ++size) {
    all.push_back({"REG_BINARY", REG_BINARY, std::vector<BYTE>(size, 2)});
  }
  return all;
}

class RealRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteTree(kTestKey);
    DeleteTree(L"Software\\NorvaleSoft");
  }
  void TearDown() override {
    DeleteTree(kTestKey);
    DeleteTree(L"Software\\NorvaleSoft");
    CurrentLanguage.clear();
  }
  ReadResult Read(const wchar_t* name, std::u16string path = kTestPath) {
    return general_.ReadDWord(path, std::u16string(name, name + std::wcslen(name)));
  }
  bool Write(std::int32_t value, std::u16string path = kTestPath) {
    return general_.WriteDWord(path, u"Hidden", value);
  }
  std::u16string GetLanguage() { return store_.GetSetting(u"NorvaleSoft", u"Lumora", u"Language"); }

  AdvapiRegistry registry_;
  RegistrySettingsStore store_;
  RecordingWindow ui_;
  General general_{registry_, ui_};
};

TEST_F(RealRegistry, OnlyAFourByteDwordReadsAsANumberAndAWriteMakesOneOfAnyValue) {
  for (const Stored& stored : EveryType()) {
    SCOPED_TRACE(::testing::Message() << stored.name << ", " << stored.data.size() << " bytes");
    PutValue(kTestKey, L"Hidden", stored.type, stored.data);
    PutValue(kTestKey, L"Other", REG_BINARY, {1, 2, 3});
    ReadResult expected = ReadErrorText{};
    if (stored.type == REG_DWORD && stored.data.size() == 4) {
      std::int32_t number = 0;
      std::memcpy(&number, stored.data.data(), 4);
      expected = number;
    }
    EXPECT_EQ(Read(L"Hidden"), expected);
    auto after = Snapshot(kTestKey);
    ASSERT_TRUE(Write(-2));
    after[L"Hidden"] = {REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}};
    EXPECT_EQ(Snapshot(kTestKey), after);
    EXPECT_EQ(Read(L"Hidden"), ReadResult{-2});
  }
  EXPECT_EQ(Read(L"NoSuchValue"), ReadResult{ReadErrorText{}});
  EXPECT_EQ(general_.LastStatus, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(SubKeyCount(kTestKey), 0U);
  EXPECT_TRUE(ui_.msg_boxes.empty());
}

TEST_F(RealRegistry, NothingIsCreatedUnderAMissingKeyAndARootAloneOpens) {
  EXPECT_FALSE(Write(2, kTestPath + u"\\Missing"));
  EXPECT_EQ(general_.LastStatus, ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(KeyExists(kTestKey));
  EXPECT_EQ(Read(L"LumoraNoSuchValue", u"HKEY_CURRENT_USER"), ReadResult{ReadErrorText{}});
  EXPECT_EQ(general_.LastStatus, ERROR_FILE_NOT_FOUND);  // the query's: the root itself opened
}

TEST_F(RealRegistry, TheLanguageIsAUtf16StringUnderTheVendorAndProductKey) {
  EXPECT_EQ(GetLanguage(), u"");
  LoadLanguage(store_, ui_);  // no entry: "English" is written at once
  EXPECT_EQ(CurrentLanguage, u"English");
  EXPECT_EQ(GetValue(kStoreKey, L"Language"), (RawValue{REG_SZ, SzBytes(L"English")}));
  // Persian script and a lone surrogate, which no 8-bit code page keeps.
  for (const std::u16string& text :
       {std::u16string(u"Persian"), std::u16string(u"\u0641\u0627\u0631\u0633\u06CC \u06A9"),
        std::u16string(1, u'\xD800') + u"x"}) {
    store_.SaveSetting(u"NorvaleSoft", u"Lumora", u"Language", text);
    EXPECT_EQ(GetLanguage(), text);
  }
  EXPECT_EQ(Snapshot(kStoreKey).size(), 1U);
}

TEST_F(RealRegistry, AnyOtherStoredTypeReadsAsNoLanguageAndStaysUntilSaved) {
  std::vector<Stored> entries = EveryType();
  entries.push_back({"REG_SZ of 1 MiB", REG_SZ, SzBytes(std::wstring(512 * 1024, L'P'))});
  for (const Stored& stored : entries) {
    SCOPED_TRACE(::testing::Message() << stored.name << ", " << stored.data.size() << " bytes");
    PutValue(kStoreKey, L"Language", stored.type, stored.data);
    const std::u16string expected =
        stored.type == REG_SZ && stored.data.size() % 2 == 0 && stored.data.size() < 64 * 1024
            ? u"2"
            : u"\uFFFD";
    EXPECT_EQ(GetLanguage(), expected);
    EXPECT_EQ(GetValue(kStoreKey, L"Language"), (RawValue{stored.type, stored.data}));
    store_.SaveSetting(u"NorvaleSoft", u"Lumora", u"Language", u"English");
    EXPECT_EQ(GetValue(kStoreKey, L"Language"), (RawValue{REG_SZ, SzBytes(L"English")}));
  }
}

}  // namespace
}  // namespace lumora::testing
