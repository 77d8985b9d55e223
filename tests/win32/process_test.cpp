// lumora.exe as a process of its own: how it ends, its exit codes, the
// language it leaves stored, its about window, and the manifest, version
// record and icons in its file.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/toolkit/form_desc.h"
#include "win32/harness.h"
#include "win32/raw_registry.h"

namespace lumora::testing {
namespace {

// lumora.exe, as the test run names it in LUMORA_EXE.
const std::wstring kExe = _wgetenv(L"LUMORA_EXE") != nullptr ? _wgetenv(L"LUMORA_EXE") : L"";

// lumora.exe started as a process of its own; ended if still running.
class LumoraProcess {
 public:
  LumoraProcess() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring command_line = L"\"" + kExe + L"\"";
    ::CreateProcessW(kExe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     nullptr, &startup, &info_);
    main_ = Wait(L"Lumora.frmMain");
  }
  LumoraProcess(const LumoraProcess&) = delete;
  LumoraProcess& operator=(const LumoraProcess&) = delete;
  ~LumoraProcess() {
    ::TerminateProcess(info_.hProcess, 99);
    ::WaitForSingleObject(info_.hProcess, 5000);
    ::CloseHandle(info_.hThread);
    ::CloseHandle(info_.hProcess);
  }
  [[nodiscard]] HWND Main() const { return main_; }
  // Posts to the main window, then waits until its thread is back in a loop.
  void Post(UINT message, WPARAM w_param = 0) const {
    ::PostMessageW(main_, message, w_param, 0);
    ::Sleep(100);
    ::SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 2000, nullptr);
  }
  // The process's visible top-level window of this class, once there is one;
  // a fresh test prefix may still be starting its own services at first.
  [[nodiscard]] HWND Wait(const wchar_t* class_name, int ms = 15000) const {
    for (int i = 0; i < ms / 10; ++i, ::Sleep(10)) {
      for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, class_name, nullptr)) != nullptr;) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(w, &pid);
        if (pid == info_.dwProcessId && ::IsWindowVisible(w)) return w;
      }
    }
    return nullptr;
  }
  [[nodiscard]] std::optional<DWORD> WaitForExit() const {
    DWORD code = 0;
    if (::WaitForSingleObject(info_.hProcess, 10000) != WAIT_OBJECT_0) return std::nullopt;
    ::GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION info_{};
  HWND main_ = nullptr;
};

WPARAM Click(Element button) { return MAKEWPARAM(ControlId(button), BN_CLICKED); }
WPARAM Choose(Element item) { return MAKEWPARAM(ControlId(item), 0); }
RawValue Text(const wchar_t* text) { return {REG_SZ, SzBytes(text)}; }
std::optional<RawValue> Language() { return GetValue(kStoreKey, L"Language"); }

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { TearDown(); }
  void TearDown() override { DeleteTree(L"Software\\NorvaleSoft"); }
  static void StoreLanguage(const wchar_t* text) {
    PutValue(kStoreKey, L"Language", REG_SZ, SzBytes(text));
  }
};

TEST_F(EndToEnd, EachWayOutStoresTheLanguageAndEndsWithCodeZero) {
  const std::pair<UINT, WPARAM> ways[] = {{WM_COMMAND, Click(Element::cmdExit)},
                                          {WM_COMMAND, Choose(Element::mnuFileExit)},
                                          {WM_SYSCOMMAND, SC_CLOSE}};
  for (const auto& [message, w_param] : ways) {
    // An unrecognised text starts English and is replaced at the end.
    StoreLanguage(L" Persian");
    const LumoraProcess lumora;
    ASSERT_NE(lumora.Main(), nullptr) << message;
    EXPECT_EQ(Language(), Text(L" Persian"));
    lumora.Post(message, w_param);
    EXPECT_EQ(lumora.WaitForExit(), 0U) << message;
    EXPECT_EQ(Language(), Text(L"English")) << message;
  }
}

TEST_F(EndToEnd, TheAboutWindowOpensOverTheMainWindowByButtonAndMenuAndClosesBackToIt) {
  const LumoraProcess lumora;
  ASSERT_NE(lumora.Main(), nullptr);
  for (const WPARAM open : {Click(Element::cmdAbout), Choose(Element::mnuHelpAbout)}) {
    lumora.Post(WM_COMMAND, open);
    HWND about = lumora.Wait(L"Lumora.frmAbout", 3000);
    ASSERT_NE(about, nullptr) << open;
    EXPECT_EQ(TextOf(about), L"About ... ");
    EXPECT_EQ(::GetWindow(about, GW_OWNER), lumora.Main());
    EXPECT_FALSE(::IsWindowEnabled(lumora.Main()));
    ::PostMessageW(about, WM_COMMAND, Click(Element::cmdOK), 0);
    for (int i = 0; i < 300 && ::IsWindow(about); ++i) ::Sleep(10);
    EXPECT_FALSE(::IsWindow(about));
    EXPECT_TRUE(::IsWindowEnabled(lumora.Main()));
  }
  lumora.Post(WM_COMMAND, Click(Element::cmdExit));
  EXPECT_EQ(lumora.WaitForExit(), 0U);
}

TEST_F(EndToEnd, AStoreThatFailsEndsLoadQuietlyAndExitThroughTheErrorHandler) {
  // A volatile parent refuses a lasting child key: saving the language fails.
  HKEY vendor = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\NorvaleSoft", 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &vendor, nullptr),
            ERROR_SUCCESS);
  ::RegCloseKey(vendor);
  const LumoraProcess lumora;
  ASSERT_NE(lumora.Main(), nullptr);  // shown: no error reported at start-up
  lumora.Post(WM_COMMAND, Click(Element::cmdExit));
  HWND box = lumora.Wait(L"#32770");
  EXPECT_EQ(TextOf(box), L"Lumora");
  EXPECT_EQ(TextOf(::GetDlgItem(box, 0xFFFF)).rfind(L"Run-time error '5':", 0), 0U);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(lumora.WaitForExit(), 5U);
}

TEST(Resources, TheFileCarriesTheManifestTheVersionRecordAndTheIcons) {
  HMODULE module = ::LoadLibraryExW(kExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  const auto resource = [module](const wchar_t* type, int id) {
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
    return found == nullptr ? std::string() : std::string(bytes, ::SizeofResource(module, found));
  };
  const std::string manifest = resource(RT_MANIFEST, 1);
  // As shipped for x86; the 64-bit build that tests on 64-bit Wine names its own.
  const std::string arch = sizeof(void*) == 8 ? "amd64" : "X86";
  // clang-format off
  for (const std::string& part : {
           std::string(R"(manifestVersion="1.0")"),
           R"(<assemblyIdentity version="1.0.0.0" processorArchitecture=")" + arch + R"(" name="NorvaleSoft.Lumora" type="win32"/>)",
           R"(<assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0" processorArchitecture=")" + arch + R"(" publicKeyToken="6595b64144ccf1df" language="*"/>)",
           std::string(R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)"), std::string("PerMonitorV2"),
           // Windows 7, 8, 8.1, 10 and 11.
           std::string(R"(<supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/>)"),
           std::string(R"(<supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"/>)"),
           std::string(R"(<supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/>)"),
           std::string(R"(<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>)")}) {
    // clang-format on
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }

  std::string version = resource(RT_VERSION, 1);
  const auto query = [&version](const std::wstring& path) -> const void* {
    void* value = nullptr;
    UINT length = 0;
    return ::VerQueryValueW(version.data(), path.c_str(), &value, &length) ? value : nullptr;
  };
  const auto* translation = static_cast<const WORD*>(query(L"\\VarFileInfo\\Translation"));
  ASSERT_NE(translation, nullptr);
  EXPECT_EQ(translation[0], 0x0409);  // language
  EXPECT_EQ(translation[1], 1200);    // code page
  const wchar_t purpose[] = L"A tool to have an alternative Folder Option.";
  for (const auto& [name, expected] : {std::pair{L"FileVersion", L"1.00"},
                                       {L"ProductVersion", L"1.00"},
                                       {L"Comments", purpose},
                                       {L"FileDescription", purpose}}) {
    const auto* value =
        static_cast<const wchar_t*>(query(L"\\StringFileInfo\\040904B0\\" + std::wstring(name)));
    EXPECT_STREQ(value != nullptr ? value : L"(none)", expected);
  }

  // A group icon: a 6-byte header, then 14 bytes per image (width first,
  // bits per pixel at offset 6).
  const auto images = [&resource](int id) {
    const std::string dir = resource(RT_GROUP_ICON, id);
    std::vector<std::pair<int, int>> found;
    for (std::size_t at = 6; at + 14 <= dir.size(); at += 14) {
      found.emplace_back(static_cast<BYTE>(dir[at]), static_cast<BYTE>(dir[at + 6]));
    }
    return found;
  };
  EXPECT_EQ(images(1), (std::vector<std::pair<int, int>>{{32, 8}, {48, 32}, {32, 32}}));
  EXPECT_EQ(images(2), (std::vector<std::pair<int, int>>{{32, 8}, {32, 32}}));
  ::FreeLibrary(module);
}

}  // namespace
}  // namespace lumora::testing
