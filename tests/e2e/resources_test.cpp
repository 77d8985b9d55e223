// lumora.exe's manifest, version record and icons, read back from the file.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "e2e/lumora_process.h"

namespace lumora::e2e {
namespace {

std::string Resource(const wchar_t* type, int id) {
  HMODULE module = ::LoadLibraryExW(LumoraExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
  std::string bytes;
  if (found != nullptr) {
    bytes.assign(static_cast<const char*>(::LockResource(::LoadResource(module, found))),
                 ::SizeofResource(module, found));
  }
  ::FreeLibrary(module);
  return bytes;
}

TEST(Resources, TheManifestNamesTheProgramAndCommonControlsSix) {
  const std::string manifest = Resource(RT_MANIFEST, 1);
  // clang-format off
  for (const char* part : {
           R"(manifestVersion="1.0")",
           R"(<assemblyIdentity version="1.0.0.0" processorArchitecture="X86" name="NorvaleSoft.Lumora" type="win32"/>)",
           R"(<assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0" processorArchitecture="X86" publicKeyToken="6595b64144ccf1df" language="*"/>)",
           R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)", "PerMonitorV2"}) {
    // clang-format on
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }
}

TEST(Resources, TheVersionRecordCarriesTheProductTexts) {
  std::vector<BYTE> block(::GetFileVersionInfoSizeW(LumoraExe().c_str(), nullptr));
  ASSERT_TRUE(::GetFileVersionInfoW(LumoraExe().c_str(), 0, static_cast<DWORD>(block.size()),
                                    block.data()));
  const auto query = [&block](const std::wstring& path) -> const void* {
    void* value = nullptr;
    UINT length = 0;
    return ::VerQueryValueW(block.data(), path.c_str(), &value, &length) ? value : nullptr;
  };
  const auto* translation = static_cast<const WORD*>(query(L"\\VarFileInfo\\Translation"));
  ASSERT_NE(translation, nullptr);
  EXPECT_EQ(translation[0], 0x0409);  // language
  EXPECT_EQ(translation[1], 1200);    // code page
  const std::pair<const wchar_t*, const wchar_t*> entries[] = {
      {L"FileVersion", L"1.00"},
      {L"ProductVersion", L"1.00"},
      {L"Comments", L"A tool to have an alternative Folder Option."},
      {L"FileDescription", L"A tool to have an alternative Folder Option."},
      {L"ProductName", L"Lumora"},
      {L"CompanyName", L"NorvaleSoft"},
  };
  for (const auto& [name, expected] : entries) {
    const auto* value =
        static_cast<const wchar_t*>(query(L"\\StringFileInfo\\040904B0\\" + std::wstring(name)));
    EXPECT_STREQ(value != nullptr ? value : L"(none)", expected);
  }
}

TEST(Resources, TheIconsHoldTheirImages) {
  // A group icon: a 6-byte header, then 14 bytes per image (width first,
  // bits per pixel at offset 6).
  const auto images = [](int id) {
    const std::string dir = Resource(RT_GROUP_ICON, id);
    std::vector<std::pair<int, int>> found;
    for (std::size_t at = 6; at + 14 <= dir.size(); at += 14) {
      found.emplace_back(static_cast<BYTE>(dir[at]), static_cast<BYTE>(dir[at + 6]));
    }
    return found;
  };
  EXPECT_EQ(images(1), (std::vector<std::pair<int, int>>{{32, 8}, {48, 32}, {32, 32}}));
  EXPECT_EQ(images(2), (std::vector<std::pair<int, int>>{{32, 8}, {32, 32}}));
}

}  // namespace
}  // namespace lumora::e2e
