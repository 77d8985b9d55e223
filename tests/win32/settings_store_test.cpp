// The registry-backed settings store against the real registry of the test prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "fakes/recording_window.h"
#include "i18n/language.h"
#include "i18n/language_preference.h"
#include "i18n/win32/registry_settings_store.h"

namespace lumora::testing {
namespace {

const wchar_t* const kVendorKey = L"Software\\NorvaleSoft";
const wchar_t* const kStoreKey = L"Software\\NorvaleSoft\\Lumora";

struct Stored {
  LONG status = 0;
  DWORD type = 0;
  std::vector<BYTE> data;
};

// The value exactly as stored (RegGetValueW would add a terminator).
Stored ReadRaw() {
  Stored stored;
  HKEY key = nullptr;
  stored.status = RegOpenKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, KEY_QUERY_VALUE, &key);
  if (stored.status != ERROR_SUCCESS) return stored;
  DWORD size = 0;
  stored.status = RegQueryValueExW(key, L"Language", nullptr, &stored.type, nullptr, &size);
  stored.data.resize(size);
  if (stored.status == ERROR_SUCCESS) {
    stored.status =
        RegQueryValueExW(key, L"Language", nullptr, &stored.type, stored.data.data(), &size);
  }
  RegCloseKey(key);
  return stored;
}

void PutRaw(DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(key, L"Language", 0, type, static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

std::vector<BYTE> SzBytes(const std::wstring& text) {
  const auto* first = reinterpret_cast<const BYTE*>(text.c_str());
  return {first, first + (text.size() + 1) * sizeof(wchar_t)};
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kVendorKey);
    CurrentLanguage = u"";
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kVendorKey); }

  RegistrySettingsStore store_;
  RecordingWindow ui_;
};

TEST_F(SettingsStoreTest, MissingKeyReadsEmptyAndLoadCreatesEnglish) {
  EXPECT_EQ(store_.GetSetting(kSettingsApp, kSettingsSection, kLanguageKey), u"");
  LoadLanguage(store_, ui_);
  EXPECT_EQ(CurrentLanguage, kEnglish);
  const Stored stored = ReadRaw();
  ASSERT_EQ(stored.status, ERROR_SUCCESS);
  EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stored.data, SzBytes(L"English"));
}

TEST_F(SettingsStoreTest, TextsRoundTripUnchanged) {
  // "Persian", Persian script, and a lone surrogate that no 8-bit code page keeps.
  const std::u16string texts[] = {u"Persian", u"\u0641\u0627\u0631\u0633\u06CC \u06A9",
                                  std::u16string(1, u'\xD800') + u"x"};
  for (const std::u16string& text : texts) {
    store_.SaveSetting(kSettingsApp, kSettingsSection, kLanguageKey, text);
    EXPECT_EQ(store_.GetSetting(kSettingsApp, kSettingsSection, kLanguageKey), text);
  }
}

TEST_F(SettingsStoreTest, PersianIsLoadedAndSavedBack) {
  store_.SaveSetting(kSettingsApp, kSettingsSection, kLanguageKey, u"Persian");
  LoadLanguage(store_, ui_);
  EXPECT_EQ(CurrentLanguage, kPersian);
  EXPECT_TRUE(ui_.menu_checks[Element::mnuLangPersian]);
  SaveLanguage(store_);
  EXPECT_EQ(ReadRaw().data, SzBytes(L"Persian"));
}

TEST_F(SettingsStoreTest, OddTextIsKeptUntilTheNextSave) {
  const std::wstring odd = L" persian ";
  const std::vector<BYTE> raw = SzBytes(odd);
  PutRaw(REG_SZ, raw.data(), static_cast<DWORD>(raw.size()));
  LoadLanguage(store_, ui_);
  EXPECT_EQ(CurrentLanguage, kEnglish);
  EXPECT_EQ(ReadRaw().data, raw);
  SaveLanguage(store_);
  EXPECT_EQ(ReadRaw().data, SzBytes(L"English"));
}

TEST_F(SettingsStoreTest, UnusableEntriesStartEnglishAndStayUntilSaved) {
  struct Case {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
  };
  const std::vector<Case> cases = {
      {"REG_DWORD", REG_DWORD, {1, 0, 0, 0}},
      {"REG_BINARY", REG_BINARY, SzBytes(L"Persian")},
      {"REG_EXPAND_SZ", REG_EXPAND_SZ, SzBytes(L"Persian")},
      {"REG_SZ, odd size", REG_SZ, {'P', 0, 'e'}},
      {"REG_SZ, 1 MiB", REG_SZ, SzBytes(std::wstring(512 * 1024, L'a'))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PutRaw(c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
    CurrentLanguage = u"";
    LoadLanguage(store_, ui_);
    EXPECT_EQ(CurrentLanguage, kEnglish);
    const Stored before = ReadRaw();
    EXPECT_EQ(before.type, c.type);
    EXPECT_TRUE(before.data == c.data);
    SaveLanguage(store_);
    const Stored after = ReadRaw();
    EXPECT_EQ(after.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(after.data, SzBytes(L"English"));
  }
}

TEST_F(SettingsStoreTest, EmptyTextIsReplacedByEnglishAtLoad) {
  const wchar_t empty[] = L"";
  PutRaw(REG_SZ, empty, sizeof(empty));
  LoadLanguage(store_, ui_);
  EXPECT_EQ(CurrentLanguage, kEnglish);
  EXPECT_EQ(ReadRaw().data, SzBytes(L"English"));
}

}  // namespace
}  // namespace lumora::testing
