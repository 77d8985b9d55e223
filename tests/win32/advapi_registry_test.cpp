// The registry module against the real registry of the test prefix.
#include "registry/win32/advapi_registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "fakes/recording_window.h"
#include "i18n/language.h"
#include "registry/general.h"
#include "settings/visibility.h"

namespace lumora::testing {
namespace {

const std::wstring kTestKey = L"Software\\LumoraTests\\Registry";
const std::u16string kTestPath = u"HKEY_CURRENT_USER\\Software\\LumoraTests\\Registry";

struct RawValue {
  DWORD type = 0;
  std::vector<BYTE> data;
  friend bool operator==(const RawValue&, const RawValue&) = default;
};

void PutRaw(const std::wstring& sub_key, const wchar_t* name, DWORD type,
            const std::vector<BYTE>& data) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, sub_key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

std::vector<BYTE> DwordBytes(DWORD v) {
  return {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16),
          static_cast<BYTE>(v >> 24)};
}

// Every value under a key, by name.
std::map<std::wstring, RawValue> Snapshot(const std::wstring& sub_key) {
  std::map<std::wstring, RawValue> values;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, sub_key.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return values;
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD name_length = 256;
    DWORD type = 0;
    std::vector<BYTE> data(4096);
    auto size = static_cast<DWORD>(data.size());
    if (RegEnumValueW(key, i, name, &name_length, nullptr, &type, data.data(), &size) !=
        ERROR_SUCCESS) {
      break;
    }
    data.resize(size);
    values[name] = {type, data};
  }
  RegCloseKey(key);
  return values;
}

bool KeyExists(const std::wstring& sub_key) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, sub_key.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

class AdvapiRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\LumoraTests"); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\LumoraTests"); }

  ReadResult Read(std::u16string_view name, std::u16string path = kTestPath) {
    return general_.ReadDWord(path, name);
  }
  bool Write(std::u16string_view name, std::int32_t value, std::u16string path = kTestPath) {
    return general_.WriteDWord(path, name, value);
  }

  AdvapiRegistry registry_;
  RecordingWindow ui_;
  General general_{registry_, ui_};
};

TEST_F(AdvapiRegistryTest, WrittenValuesReadBack) {
  PutRaw(kTestKey, L"Keep", REG_SZ, {'x', 0});
  for (const std::int32_t value : {2, 1, 0, -1, 65536, INT32_MIN}) {
    ASSERT_TRUE(Write(u"Hidden", value));
    EXPECT_EQ(Read(u"Hidden"), ReadResult{value});
    EXPECT_EQ(general_.LastStatus, 0);
  }
  EXPECT_EQ(Snapshot(kTestKey).at(L"Hidden"), (RawValue{REG_DWORD, DwordBytes(0x80000000U)}));
  EXPECT_TRUE(ui_.msg_boxes.empty());
}

TEST_F(AdvapiRegistryTest, StoredDwordsReadAsSigned32BitNumbers) {
  PutRaw(kTestKey, L"AllOnes", REG_DWORD, DwordBytes(0xFFFFFFFFU));
  PutRaw(kTestKey, L"Big", REG_DWORD, DwordBytes(0x00010000U));
  EXPECT_EQ(Read(u"AllOnes"), ReadResult{-1});
  EXPECT_EQ(Read(u"Big"), ReadResult{65536});
}

TEST_F(AdvapiRegistryTest, OtherTypesAndSizesReadAsError) {
  const std::pair<DWORD, std::vector<BYTE>> cases[] = {
      {REG_SZ, {'2', 0}},
      {REG_SZ, {'a', 0, 'b', 0}},
      {REG_BINARY, {2, 0}},
      {REG_BINARY, {2, 0, 0, 0, 0, 0, 0, 0}},
      {REG_QWORD, {2, 0, 0, 0, 0, 0, 0, 0}},
      {REG_DWORD_BIG_ENDIAN, {0, 0, 0, 2}},
      {REG_NONE, {}},
  };
  for (const auto& [type, data] : cases) {
    PutRaw(kTestKey, L"Hidden", type, data);
    EXPECT_EQ(Read(u"Hidden"), ReadResult{ReadErrorText{}})
        << "type " << type << ", " << data.size() << " bytes";
  }
  EXPECT_EQ(Read(u"NoSuchValue"), ReadResult{ReadErrorText{}});
  EXPECT_EQ(general_.LastStatus, ERROR_FILE_NOT_FOUND);
}

TEST_F(AdvapiRegistryTest, WriteIntoAMissingKeyCreatesNothing) {
  EXPECT_FALSE(Write(u"Hidden", 2));
  EXPECT_EQ(general_.LastStatus, ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(KeyExists(kTestKey));
  EXPECT_FALSE(KeyExists(L"Software\\LumoraTests"));
  EXPECT_EQ(Read(u"Hidden"), ReadResult{ReadErrorText{}});
}

TEST_F(AdvapiRegistryTest, WriteReplacesAnotherTypeAndLeavesTheRestByteIdentical) {
  PutRaw(kTestKey, L"Hidden", REG_SZ, {'1', 0, 0, 0});
  PutRaw(kTestKey, L"ShowSuperHiddenX", REG_DWORD, DwordBytes(7));
  PutRaw(kTestKey, L"Blob", REG_BINARY, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  PutRaw(kTestKey, L"Multi", REG_MULTI_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0});
  PutRaw(kTestKey, L"", REG_SZ, {'d', 0, 0, 0});
  auto before = Snapshot(kTestKey);

  ASSERT_TRUE(Write(u"Hidden", 2));

  auto after = Snapshot(kTestKey);
  EXPECT_EQ(after.at(L"Hidden"), (RawValue{REG_DWORD, DwordBytes(2)}));
  before.erase(L"Hidden");
  after.erase(L"Hidden");
  EXPECT_EQ(after, before);
}

TEST_F(AdvapiRegistryTest, RootKeyAloneOpens) {
  EXPECT_EQ(Read(u"LumoraNoSuchValue", u"HKEY_CURRENT_USER"), ReadResult{ReadErrorText{}});
  // The query's status, not the open's: the root itself was opened.
  EXPECT_EQ(general_.LastStatus, ERROR_FILE_NOT_FOUND);
  EXPECT_NE(general_.OpenedKey, 0);
}

TEST_F(AdvapiRegistryTest, ApplyAndReadCurrentOptionRoundTripThroughTheFixedKey) {
  const std::wstring advanced = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
  PutRaw(advanced, L"Hidden", REG_DWORD, DwordBytes(1));
  PutRaw(advanced, L"ShowSuperHidden", REG_DWORD, DwordBytes(0));
  CurrentLanguage = u"English";
  VisibilityState state;
  ReadCurrentOption(state, general_, ui_);
  EXPECT_TRUE(ui_.options[Element::OptShow]);
  EXPECT_EQ(ui_.checks[Element::chkSuper], 0);

  ui_.SetOptionValue(Element::OptHide, true);
  ui_.SetCheckValue(Element::chkSuper, 1);
  Apply(state, general_, ui_);
  const auto values = Snapshot(advanced);
  EXPECT_EQ(values.at(L"Hidden"), (RawValue{REG_DWORD, DwordBytes(2)}));
  EXPECT_EQ(values.at(L"ShowSuperHidden"), (RawValue{REG_DWORD, DwordBytes(1)}));
  ASSERT_EQ(ui_.msg_boxes.size(), 1U);
  EXPECT_EQ(ui_.msg_boxes[0].title, u"Changed");
  EXPECT_EQ(ui_.texts[Element::txtCur], u"Hiding option is activated.");
  CurrentLanguage.clear();
}

}  // namespace
}  // namespace lumora::testing
