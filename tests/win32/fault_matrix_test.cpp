// Every registry type in each visibility value and in the stored language,
// through the program's windows over the real registry: the window shows
// what the values mean, nothing is reported, and after Apply and the unload
// only the two values and the language have changed.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "i18n/win32/registry_settings_store.h"
#include "registry/win32/advapi_registry.h"
#include "win32/program.h"
#include "win32/raw_registry.h"

namespace lumora::testing {
namespace {

struct Stored {
  std::string name;
  DWORD type;
  std::vector<BYTE> data;
};

// One value of each type and size worth telling apart.
std::vector<Stored> EveryType() {
  std::vector<Stored> all = {
      {"REG_NONE", REG_NONE, {}},
      {"REG_SZ", REG_SZ, SzBytes(L"2")},
      {"REG_EXPAND_SZ", REG_EXPAND_SZ, SzBytes(L"%HIDDEN%")},
      {"REG_DWORD_BIG_ENDIAN 2", REG_DWORD_BIG_ENDIAN, {0, 0, 0, 2}},
      {"REG_MULTI_SZ", REG_MULTI_SZ, SzBytes(std::wstring(L"1\0", 2))},
      {"REG_QWORD 2", REG_QWORD, {2, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (std::size_t size = 0; size <= 8; ++size) {
    std::vector<BYTE> data(size, 0);
    if (size > 0) data[0] = 2;
    all.push_back({"REG_BINARY of " + std::to_string(size), REG_BINARY, data});
  }
  for (const int value : {0, 1, 2, 3, -1, 32767, 32768, 40000}) {
    all.push_back(
        {"REG_DWORD " + std::to_string(value), REG_DWORD, DwordBytes(static_cast<DWORD>(value))});
  }
  return all;
}

// A number only from a 4-byte REG_DWORD that fits 16 bits; anything else
// stops the reading before the window shows anything.
std::optional<int> Readable(const Stored& value) {
  if (value.type != REG_DWORD || value.data.size() != 4) return std::nullopt;
  std::int32_t number = 0;
  std::memcpy(&number, value.data.data(), 4);
  if (number < -32768 || number > 32767) return std::nullopt;
  return number;
}

class FaultMatrix : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteTree(L"Software\\NorvaleSoft");
    DeleteTree(kAdvancedKey);
    PutValue(kStoreKey, L"Language", REG_SZ, SzBytes(L"English"));
  }
  void TearDown() override {
    DeleteTree(L"Software\\NorvaleSoft");
    DeleteTree(kAdvancedKey);
  }

  // Starts, checks the window, applies what it shows, unloads, checks the registry.
  void Run(const Stored& hidden, const Stored& super_hidden) {
    DeleteTree(kAdvancedKey);
    PutValue(kAdvancedKey, L"Hidden", hidden.type, hidden.data);
    PutValue(kAdvancedKey, L"ShowSuperHidden", super_hidden.type, super_hidden.data);
    PutValue(kAdvancedKey, L"Other", REG_BINARY, {1, 2, 3});
    auto expected = Snapshot(kAdvancedKey);

    AdvapiRegistry registry;
    RegistrySettingsStore store;
    MessageBoxWatcher boxes;
    ProgramWindows windows(registry, store);
    windows.Start();
    EXPECT_TRUE(boxes.seen.empty());
    const auto h = Readable(hidden);
    const auto s = Readable(super_hidden);
    const bool shown = h && s;
    EXPECT_EQ(windows.Checked(Element::OptHide), shown && *h == 2 ? BST_CHECKED : BST_UNCHECKED);
    EXPECT_EQ(windows.Checked(Element::OptShow), shown && *h == 1 ? BST_CHECKED : BST_UNCHECKED);
    const bool ticked = shown && *s == 1;
    EXPECT_EQ(windows.Checked(Element::chkSuper), ticked ? BST_CHECKED : BST_UNCHECKED);
    const wchar_t* status = !shown    ? L""
                            : *h == 2 ? L"Hiding option is activated."
                            : *h == 1 ? L"Hiding option is deactivated."
                                      : L"";
    EXPECT_EQ(TextOf(windows.Control(Element::txtCur)), status);

    windows.Click(Element::cmdApply);
    ASSERT_EQ(boxes.seen.size(), 1U);
    EXPECT_EQ(boxes.seen[0].title, L"Changed");
    windows.main.Unload();

    // "Hidden" is written only when an option was selected; the check box always.
    if (shown && (*h == 1 || *h == 2)) expected[L"Hidden"] = {REG_DWORD, DwordBytes(*h)};
    expected[L"ShowSuperHidden"] = {REG_DWORD, DwordBytes(ticked ? 1 : 0)};
    EXPECT_EQ(Snapshot(kAdvancedKey), expected);
    EXPECT_EQ(SubKeyCount(kAdvancedKey), 0U);
    EXPECT_EQ(GetValue(kStoreKey, L"Language"), (RawValue{REG_SZ, SzBytes(L"English")}));
  }
};

TEST_F(FaultMatrix, EveryTypeInHidden) {
  for (const Stored& value : EveryType()) {
    SCOPED_TRACE("Hidden as " + value.name);
    Run(value, {"1", REG_DWORD, DwordBytes(1)});
  }
}

TEST_F(FaultMatrix, EveryTypeInShowSuperHidden) {
  for (const Stored& value : EveryType()) {
    SCOPED_TRACE("ShowSuperHidden as " + value.name);
    Run({"2", REG_DWORD, DwordBytes(2)}, value);
  }
}

TEST_F(FaultMatrix, EveryStoredLanguageStartsEnglishAndIsStoredAsEnglish) {
  PutValue(kAdvancedKey, L"Hidden", REG_DWORD, DwordBytes(2));
  PutValue(kAdvancedKey, L"ShowSuperHidden", REG_DWORD, DwordBytes(1));
  std::vector<Stored> languages = EveryType();
  languages.push_back({"empty text", REG_SZ, SzBytes(L"")});
  languages.push_back({"1 MiB text", REG_SZ, SzBytes(std::wstring(512 * 1024, L'P'))});
  languages.push_back({"Persian as REG_EXPAND_SZ", REG_EXPAND_SZ, SzBytes(L"Persian")});
  languages.push_back({"Persian, odd size", REG_SZ, {'P', 0, 'e'}});
  for (const Stored& language : languages) {
    SCOPED_TRACE("Language as " + language.name);
    PutValue(kStoreKey, L"Language", language.type, language.data);
    AdvapiRegistry registry;
    RegistrySettingsStore store;
    MessageBoxWatcher boxes;
    ProgramWindows windows(registry, store);
    windows.Start();
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_EQ(TextOf(windows.Control(Element::cmdExit)), L"E&xit");
    EXPECT_EQ(windows.Checked(Element::OptHide), BST_CHECKED);
    windows.main.Unload();
    EXPECT_EQ(GetValue(kStoreKey, L"Language"), (RawValue{REG_SZ, SzBytes(L"English")}));
  }
}

TEST_F(FaultMatrix, AMissingKeyIsNeverCreatedAndApplySaysNotChanged) {
  PutValue(kStoreKey, L"Language", REG_SZ, SzBytes(L"Persian"));
  AdvapiRegistry registry;
  RegistrySettingsStore store;
  MessageBoxWatcher boxes;
  ProgramWindows windows(registry, store);
  windows.Start();
  windows.Click(Element::OptShow);
  windows.Click(Element::cmdApply);
  ASSERT_EQ(boxes.seen.size(), 1U);
  EXPECT_EQ(boxes.seen[0].title, L"Not changed");
  EXPECT_EQ(boxes.seen[0].text, L" ! تغييرات اعمال نشد ");
  EXPECT_EQ(boxes.seen[0].icon_flag, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(TextOf(windows.Control(Element::txtCur)), L"");
  EXPECT_FALSE(KeyExists(kAdvancedKey));
}

}  // namespace
}  // namespace lumora::testing
