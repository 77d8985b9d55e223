// Every registry type in each visibility value and in the stored language,
// end to end: the start shows what it should, nothing crashes, and after
// Apply and Exit only the two values (and the language) have changed.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>

#include "e2e/lumora_process.h"

namespace lumora::e2e {
namespace {

struct Stored {
  std::string name;
  DWORD type;
  std::vector<BYTE> data;
};

std::vector<BYTE> Bytes(const void* data, std::size_t size) {
  const auto* first = static_cast<const BYTE*>(data);
  return {first, first + size};
}
std::vector<BYTE> Dword(std::int32_t value) { return Bytes(&value, sizeof value); }
std::vector<BYTE> Wide(const std::wstring& text) {
  return Bytes(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

// What a value of each type holds in the matrix.
std::vector<Stored> EveryType() {
  std::vector<Stored> all = {
      {"REG_NONE", REG_NONE, {}},
      {"REG_SZ", REG_SZ, Wide(L"2")},
      {"REG_EXPAND_SZ", REG_EXPAND_SZ, Wide(L"%HIDDEN%")},
      {"REG_DWORD_BIG_ENDIAN 2", REG_DWORD_BIG_ENDIAN, {0, 0, 0, 2}},
      {"REG_MULTI_SZ", REG_MULTI_SZ, Wide(std::wstring(L"1\0", 2))},
      {"REG_QWORD 2", REG_QWORD, {2, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (std::size_t size = 0; size <= 8; ++size) {
    std::vector<BYTE> data(size, 0);
    if (size > 0) data[0] = 2;
    all.push_back({"REG_BINARY of " + std::to_string(size), REG_BINARY, data});
  }
  for (std::int32_t value : {0, 1, 2, 3, -1, 32767, 32768, 40000}) {
    all.push_back({"REG_DWORD " + std::to_string(value), REG_DWORD, Dword(value)});
  }
  return all;
}

// The reading of one value: a number only from a 4-byte REG_DWORD that fits
// 16 bits; anything else stops the read before the window shows anything.
std::optional<std::int16_t> Readable(const Stored& value) {
  if (value.type != REG_DWORD || value.data.size() != 4) return std::nullopt;
  std::int32_t number = 0;
  std::memcpy(&number, value.data.data(), 4);
  if (number < -32768 || number > 32767) return std::nullopt;
  return static_cast<std::int16_t>(number);
}

class FaultMatrix : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteTree(L"Software\\NorvaleSoft");
    DeleteTree(kAdvancedKey);
    PutText(kStoreKey, L"Language", L"English");
  }
  void TearDown() override {
    DeleteTree(L"Software\\NorvaleSoft");
    DeleteTree(kAdvancedKey);
  }

  // Starts, checks the window, applies what it shows, exits, checks the registry.
  void Run(const Stored& hidden, const Stored& superHidden) {
    DeleteTree(kAdvancedKey);
    PutValue(kAdvancedKey, L"Hidden", hidden.type, hidden.data);
    PutValue(kAdvancedKey, L"ShowSuperHidden", superHidden.type, superHidden.data);
    PutValue(kAdvancedKey, L"Other", REG_BINARY, {1, 2, 3});
    auto before = Snapshot(kAdvancedKey);

    LumoraProcess lumora(LumoraExe());
    const auto h = Readable(hidden);
    const auto s = Readable(superHidden);
    const bool shown = h && s;
    EXPECT_FALSE(lumora.HasMessageBox());
    EXPECT_EQ(lumora.CheckState(Element::OptHide), shown && *h == 2 ? BST_CHECKED : BST_UNCHECKED);
    EXPECT_EQ(lumora.CheckState(Element::OptShow), shown && *h == 1 ? BST_CHECKED : BST_UNCHECKED);
    const bool ticked = shown && *s == 1;
    EXPECT_EQ(lumora.CheckState(Element::chkSuper), ticked ? BST_CHECKED : BST_UNCHECKED);
    const std::wstring status = !shown    ? L""
                                : *h == 2 ? L"Hiding option is activated."
                                : *h == 1 ? L"Hiding option is deactivated."
                                          : L"";
    EXPECT_EQ(lumora.Text(Element::txtCur), status);

    lumora.Click(Element::cmdApply);
    const auto box = lumora.AnswerMessageBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->title, L"Changed");
    lumora.Click(Element::cmdExit);
    EXPECT_EQ(lumora.WaitForExit(), 0U);

    // Hidden is written only when an option was selected; the check box always.
    if (shown && (*h == 1 || *h == 2)) before[L"Hidden"] = {REG_DWORD, Dword(*h)};
    before[L"ShowSuperHidden"] = {REG_DWORD, Dword(ticked ? 1 : 0)};
    EXPECT_EQ(Snapshot(kAdvancedKey), before);
    EXPECT_EQ(GetText(kStoreKey, L"Language"), L"English");
    HKEY key = nullptr;
    DWORD subKeys = 1;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kAdvancedKey.c_str(), 0, KEY_READ, &key), 0);
    ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr);
    ::RegCloseKey(key);
    EXPECT_EQ(subKeys, 0U);
  }
};

TEST_F(FaultMatrix, EveryTypeInHidden) {
  for (const Stored& value : EveryType()) {
    SCOPED_TRACE("Hidden as " + value.name);
    Run({value.name, value.type, value.data}, {"1", REG_DWORD, Dword(1)});
  }
}

TEST_F(FaultMatrix, EveryTypeInShowSuperHidden) {
  for (const Stored& value : EveryType()) {
    SCOPED_TRACE("ShowSuperHidden as " + value.name);
    Run({"2", REG_DWORD, Dword(2)}, {value.name, value.type, value.data});
  }
}

TEST_F(FaultMatrix, MissingKeyIsNeverCreated) {
  DeleteTree(kAdvancedKey);
  LumoraProcess lumora(LumoraExe());
  EXPECT_EQ(lumora.CheckState(Element::OptHide), BST_UNCHECKED);
  lumora.Click(Element::cmdApply);
  const auto box = lumora.AnswerMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title, L"Not changed");
  lumora.Click(Element::cmdExit);
  EXPECT_EQ(lumora.WaitForExit(), 0U);
  EXPECT_FALSE(KeyExists(kAdvancedKey));
}

TEST_F(FaultMatrix, EveryStoredLanguageStartsEnglishAndEndsStoredAsEnglish) {
  PutDword(kAdvancedKey, L"Hidden", 2);
  PutDword(kAdvancedKey, L"ShowSuperHidden", 1);
  std::vector<Stored> languages = EveryType();
  languages.push_back({"empty text", REG_SZ, Wide(L"")});
  languages.push_back({"1 MiB text", REG_SZ, Wide(std::wstring(512 * 1024, L'P'))});
  languages.push_back({"Persian as REG_EXPAND_SZ", REG_EXPAND_SZ, Wide(L"Persian")});
  for (const Stored& language : languages) {
    SCOPED_TRACE("Language as " + language.name);
    PutValue(kStoreKey, L"Language", language.type, language.data);
    LumoraProcess lumora(LumoraExe());
    EXPECT_FALSE(lumora.HasMessageBox());
    EXPECT_EQ(lumora.Text(Element::cmdExit), L"E&xit");
    EXPECT_EQ(lumora.CheckState(Element::OptHide), BST_CHECKED);
    lumora.Click(Element::cmdExit);
    EXPECT_EQ(lumora.WaitForExit(), 0U);
    EXPECT_EQ(GetText(kStoreKey, L"Language"), L"English");
  }
}

}  // namespace
}  // namespace lumora::e2e
