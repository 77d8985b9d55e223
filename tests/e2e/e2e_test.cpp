// lumora.exe as a process of its own: how it ends, its exit codes, the
// language it leaves stored, and a whole journey of a user.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "app/toolkit/form_desc.h"
#include "e2e/lumora_process.h"
#include "win32/harness.h"
#include "win32/raw_registry.h"

namespace lumora::e2e {
namespace {

using namespace lumora::testing;  // NOLINT(google-build-using-namespace): the raw registry

WPARAM Click(Element button) { return MAKEWPARAM(ControlId(button), BN_CLICKED); }
WPARAM Choose(Element item) { return MAKEWPARAM(ControlId(item), 0); }
RawValue Text(const wchar_t* text) { return {REG_SZ, SzBytes(text)}; }
std::optional<RawValue> Language() { return GetValue(kStoreKey, L"Language"); }

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteTree(L"Software\\NorvaleSoft");
    PutValue(kAdvancedKey, L"Hidden", REG_DWORD, DwordBytes(2));
    PutValue(kAdvancedKey, L"ShowSuperHidden", REG_DWORD, DwordBytes(1));
  }
  void TearDown() override { DeleteTree(L"Software\\NorvaleSoft"); }
  static void StoreLanguage(const wchar_t* text) {
    PutValue(kStoreKey, L"Language", REG_SZ, SzBytes(text));
  }
};

TEST_F(EndToEnd, EachWayOutStoresTheLanguageAndEndsWithCodeZero) {
  const std::pair<UINT, WPARAM> ways[] = {{WM_COMMAND, Click(Element::cmdExit)},
                                          {WM_COMMAND, Choose(Element::mnuFileExit)},
                                          {WM_SYSCOMMAND, SC_CLOSE},
                                          {WM_ENDSESSION, TRUE}};
  for (const auto& [message, w_param] : ways) {
    // An unrecognised text starts English and is replaced at the end.
    StoreLanguage(L" Persian");
    const LumoraProcess lumora;
    EXPECT_EQ(Language(), Text(L" Persian"));
    if (message == WM_ENDSESSION) {  // the session ends: asked first, never refused
      DWORD_PTR answer = 0;
      ::SendMessageTimeoutW(lumora.Main(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &answer);
      EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
      EXPECT_EQ(Language(), Text(L" Persian"));
      ::SendMessageTimeoutW(lumora.Main(), message, w_param, 0, SMTO_NORMAL, 5000, &answer);
    } else {
      lumora.Post(message, w_param);
      EXPECT_EQ(lumora.WaitForExit(), 0U) << message;
    }
    EXPECT_EQ(Language(), Text(L"English")) << message;
  }
}

TEST_F(EndToEnd, ClosingUnderTheConfirmationEndsPromptlyWithCodeZero) {
  StoreLanguage(L"Persian");
  const LumoraProcess lumora;
  lumora.Post(WM_COMMAND, Click(Element::cmdApply));
  ASSERT_NE(lumora.MessageBox(), nullptr);
  lumora.Post(WM_CLOSE);
  EXPECT_EQ(lumora.WaitForExit(2000), 0U);
  EXPECT_EQ(Language(), Text(L"Persian"));
}

TEST_F(EndToEnd, AStoreThatFailsEndsLoadQuietlyAndExitThroughTheErrorHandler) {
  // A volatile parent refuses a lasting child key: saving the language fails.
  HKEY vendor = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\NorvaleSoft", 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &vendor, nullptr),
            ERROR_SUCCESS);
  ::RegCloseKey(vendor);
  const LumoraProcess lumora;
  // Load stopped at its first step: the creation-time caption.
  EXPECT_EQ(TextOf(lumora.Control(ControlId(Element::chkSuper))),
            L"Show Super Hidden(System) Files.");
  lumora.Post(WM_COMMAND, Click(Element::cmdExit));
  HWND box = lumora.MessageBox();
  EXPECT_EQ(TextOf(box), L"Lumora");
  EXPECT_EQ(TextOf(::GetDlgItem(box, 0xFFFF)).rfind(L"Run-time error '5':", 0), 0U);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(lumora.WaitForExit(), 5U);
}

TEST_F(EndToEnd, AUserStartsInPersianAppliesSwitchesToEnglishAndCloses) {
  StoreLanguage(L"Persian");
  PutValue(kAdvancedKey, L"Unrelated", REG_SZ, SzBytes(L"left alone"));
  const LumoraProcess lumora;
  EXPECT_EQ(TextOf(lumora.Main()), L"لومورا !");
  ::SendMessageW(lumora.Control(ControlId(Element::OptShow)), BM_CLICK, 0, 0);
  ::SendMessageW(lumora.Control(ControlId(Element::chkSuper)), BM_CLICK, 0, 0);
  lumora.Post(WM_COMMAND, Choose(Element::mnuFileApply));
  HWND box = lumora.MessageBox();
  EXPECT_EQ(TextOf(box), L"Changed");
  EXPECT_EQ(TextOf(::GetDlgItem(box, 0xFFFF)),
            L" ! تغييرات به طور موفقيت آميزي اعمال شد! موفق باشيد ");
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(GetValue(kAdvancedKey, L"Hidden"), (RawValue{REG_DWORD, DwordBytes(1)}));
  EXPECT_EQ(GetValue(kAdvancedKey, L"ShowSuperHidden"), (RawValue{REG_DWORD, DwordBytes(0)}));
  EXPECT_EQ(GetValue(kAdvancedKey, L"Unrelated"), Text(L"left alone"));

  lumora.Post(WM_COMMAND, Choose(Element::mnuLangEnglish));
  EXPECT_EQ(TextOf(lumora.Main()), L"Lumora!");
  EXPECT_EQ(Language(), Text(L"Persian"));  // the switch stores nothing
  lumora.Post(WM_SYSCOMMAND, SC_CLOSE);
  EXPECT_EQ(lumora.WaitForExit(), 0U);
  EXPECT_EQ(Language(), Text(L"English"));
}

}  // namespace
}  // namespace lumora::e2e

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) return 2;
  lumora::e2e::LumoraExe() = std::wstring(argv[1], argv[1] + std::strlen(argv[1]));
  return RUN_ALL_TESTS();
}
