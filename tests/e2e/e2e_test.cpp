// lumora.exe as a process of its own: its ways out, exit codes and the
// language it leaves stored, and a whole journey of a user.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "app/toolkit/form_desc.h"
#include "e2e/lumora_process.h"
#include "win32/raw_registry.h"

namespace lumora::e2e {
namespace {

using testing::DeleteTree;
using testing::DwordBytes;
using testing::GetValue;
using testing::kAdvancedKey;
using testing::kStoreKey;
using testing::PutValue;
using testing::RawValue;
using testing::Snapshot;
using testing::SzBytes;

int Id(Element element) { return ControlId(element); }

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteTree(L"Software\\NorvaleSoft");
    DeleteTree(kAdvancedKey);
    PutValue(kAdvancedKey, L"Hidden", REG_DWORD, DwordBytes(2));
    PutValue(kAdvancedKey, L"ShowSuperHidden", REG_DWORD, DwordBytes(1));
    PutValue(kAdvancedKey, L"Unrelated", REG_SZ, SzBytes(L"left alone"));
  }
  void TearDown() override { DeleteTree(L"Software\\NorvaleSoft"); }

  static void StoreLanguage(const std::wstring& text) {
    PutValue(kStoreKey, L"Language", REG_SZ, SzBytes(text));
  }
  static RawValue Stored(const std::wstring& text) { return {REG_SZ, SzBytes(text)}; }
};

TEST_F(EndToEnd, EveryWayOutStoresTheLanguageOnceAndEndsWithCodeZero) {
  const std::pair<const char*, std::function<void(LumoraProcess&)>> ways[] = {
      {"Exit button", [](LumoraProcess& p) { p.Click(Id(Element::cmdExit)); }},
      {"File > Exit", [](LumoraProcess& p) { p.Choose(Id(Element::mnuFileExit)); }},
      {"close box", [](LumoraProcess& p) { p.Close(); }},
      {"Alt+X", [](LumoraProcess& p) { p.Keys({'X'}, VK_MENU); }},
  };
  for (const auto& [name, leave] : ways) {
    SCOPED_TRACE(name);
    // An unrecognised text starts English and is replaced at the end.
    StoreLanguage(L" Persian");
    LumoraProcess lumora;
    EXPECT_EQ(GetValue(kStoreKey, L"Language"), Stored(L" Persian"));
    leave(lumora);
    EXPECT_EQ(lumora.WaitForExit(), 0U);
    EXPECT_EQ(GetValue(kStoreKey, L"Language"), Stored(L"English"));
  }
}

TEST_F(EndToEnd, ClosingTheWindowUnderTheConfirmationEndsPromptlyAndCleanly) {
  StoreLanguage(L"Persian");
  LumoraProcess lumora;
  lumora.Click(Id(Element::cmdApply));
  ASSERT_TRUE(lumora.WaitForMessageBox(/*answer=*/false).has_value());
  ::PostMessageW(lumora.Main(), WM_CLOSE, 0, 0);
  EXPECT_EQ(lumora.WaitForExit(2000), 0U);
  EXPECT_EQ(GetValue(kStoreKey, L"Language"), Stored(L"Persian"));
}

TEST_F(EndToEnd, TheSessionEndingStoresTheLanguageInTheUnloadPath) {
  StoreLanguage(L" Persian");
  LumoraProcess lumora;
  DWORD_PTR answer = 0;
  ASSERT_NE(
      ::SendMessageTimeoutW(lumora.Main(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &answer),
      0);
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));  // never refuses
  EXPECT_EQ(GetValue(kStoreKey, L"Language"), Stored(L" Persian"));
  ::SendMessageTimeoutW(lumora.Main(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &answer);
  EXPECT_EQ(GetValue(kStoreKey, L"Language"), Stored(L"English"));
}

TEST_F(EndToEnd, AStoreThatFailsEndsLoadQuietlyAndExitThroughTheErrorHandler) {
  // A volatile parent refuses a lasting child key: saving the language fails.
  HKEY vendor = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\NorvaleSoft", 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &vendor, nullptr),
            ERROR_SUCCESS);
  ::RegCloseKey(vendor);
  LumoraProcess lumora;
  // Load stopped at its first step: the creation-time caption.
  EXPECT_EQ(LumoraProcess::Text(lumora.Control(Id(Element::chkSuper))),
            L"Show Super Hidden(System) Files.");
  lumora.Click(Id(Element::cmdExit));
  const auto box = lumora.WaitForMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title, L"Lumora");
  EXPECT_EQ(box->text.rfind(L"Run-time error '5':", 0), 0U);
  EXPECT_EQ(lumora.WaitForExit(), 5U);
}

TEST_F(EndToEnd, AUserStartsInPersianAppliesSwitchesToEnglishAndCloses) {
  StoreLanguage(L"Persian");
  const auto unrelated = Snapshot(kAdvancedKey).at(L"Unrelated");
  LumoraProcess lumora;
  EXPECT_EQ(LumoraProcess::Text(lumora.Main()), L"لومورا !");
  ::SendMessageW(lumora.Control(Id(Element::OptShow)), BM_CLICK, 0, 0);
  ::SendMessageW(lumora.Control(Id(Element::chkSuper)), BM_CLICK, 0, 0);
  lumora.Keys({'P'}, VK_CONTROL);
  const auto box = lumora.WaitForMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title, L"Changed");
  EXPECT_EQ(box->text, L" ! تغييرات به طور موفقيت آميزي اعمال شد! موفق باشيد ");
  EXPECT_EQ(GetValue(kAdvancedKey, L"Hidden"), (RawValue{REG_DWORD, DwordBytes(1)}));
  EXPECT_EQ(GetValue(kAdvancedKey, L"ShowSuperHidden"), (RawValue{REG_DWORD, DwordBytes(0)}));
  EXPECT_EQ(Snapshot(kAdvancedKey).at(L"Unrelated"), unrelated);

  lumora.Choose(Id(Element::mnuLangEnglish));
  EXPECT_EQ(LumoraProcess::Text(lumora.Main()), L"Lumora!");
  EXPECT_EQ(GetValue(kStoreKey, L"Language"), Stored(L"Persian"));  // the switch stores nothing
  lumora.Close();
  EXPECT_EQ(lumora.WaitForExit(), 0U);
  EXPECT_EQ(GetValue(kStoreKey, L"Language"), Stored(L"English"));
}

}  // namespace
}  // namespace lumora::e2e

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PATH_TO_LUMORA_EXE\n", argv[0]);
    return 2;
  }
  const std::string exe = argv[1];
  lumora::e2e::SetLumoraExe(std::wstring(exe.begin(), exe.end()));
  return RUN_ALL_TESTS();
}
