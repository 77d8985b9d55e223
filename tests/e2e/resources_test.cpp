// lumora.exe's manifest, version record and icons, read back from the file.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "e2e/lumora_process.h"

namespace lumora::e2e {
namespace {

#pragma pack(push, 2)
struct IconDirEntry {
  BYTE width;
  BYTE height;
  BYTE colours;
  BYTE reserved;
  WORD planes;
  WORD bit_count;
  DWORD bytes;
  WORD id;
};
struct IconDir {
  WORD reserved;
  WORD type;
  WORD count;
  IconDirEntry entries[1];
};
#pragma pack(pop)

class Resources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = ::LoadLibraryExW(LumoraExe().c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override { ::FreeLibrary(module_); }

  std::string Bytes(const wchar_t* type, const wchar_t* name) const {
    HRSRC found = ::FindResourceW(module_, name, type);
    if (found == nullptr) return {};
    const auto* data = static_cast<const char*>(::LockResource(::LoadResource(module_, found)));
    return {data, ::SizeofResource(module_, found)};
  }

  HMODULE module_ = nullptr;
};

TEST_F(Resources, ManifestNamesTheProgramAndCommonControlsSix) {
  const std::string manifest = Bytes(RT_MANIFEST, MAKEINTRESOURCEW(1));
  for (
      const char* part :
      {R"(manifestVersion="1.0")",
       R"(<assemblyIdentity version="1.0.0.0" processorArchitecture="X86" name="NorvaleSoft.Lumora" type="win32"/>)",
       R"(<assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0" processorArchitecture="X86" publicKeyToken="6595b64144ccf1df" language="*"/>)",
       R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)", "PerMonitorV2"}) {
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }
}

TEST_F(Resources, VersionRecordCarriesTheProductTexts) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(LumoraExe().c_str(), &ignored);
  ASSERT_GT(size, 0U);
  std::vector<BYTE> block(size);
  ASSERT_TRUE(::GetFileVersionInfoW(LumoraExe().c_str(), 0, size, block.data()));
  struct Translation {
    WORD language;
    WORD code_page;
  }* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
  EXPECT_EQ(translation->language, 0x0409);
  EXPECT_EQ(translation->code_page, 1200);
  const std::pair<const wchar_t*, const wchar_t*> entries[] = {
      {L"FileVersion", L"1.00"},
      {L"ProductVersion", L"1.00"},
      {L"Comments", L"A tool to have an alternative Folder Option."},
      {L"FileDescription", L"A tool to have an alternative Folder Option."},
      {L"ProductName", L"Lumora"},
      {L"CompanyName", L"NorvaleSoft"},
      {L"InternalName", L"Lumora"},
      {L"OriginalFilename", L"Lumora.exe"},
  };
  for (const auto& [name, expected] : entries) {
    wchar_t* value = nullptr;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    ASSERT_TRUE(
        ::VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
        << std::string(name, name + wcslen(name));
    EXPECT_STREQ(value, expected);
  }
}

TEST_F(Resources, IconsHoldTheirImages) {
  struct Image {
    int size;
    int bits;
  };
  const auto images = [this](int id) {
    std::vector<Image> found;
    const std::string dir = Bytes(RT_GROUP_ICON, MAKEINTRESOURCEW(id));
    if (dir.size() < 6) return found;
    const auto* header = reinterpret_cast<const IconDir*>(dir.data());
    for (WORD i = 0; i < header->count; ++i) {
      const IconDirEntry& entry = header->entries[i];
      found.push_back({entry.width == 0 ? 256 : entry.width, entry.bit_count});
    }
    return found;
  };
  const auto program = images(1);
  ASSERT_EQ(program.size(), 3U);
  EXPECT_EQ(program[0].size, 32);
  EXPECT_EQ(program[0].bits, 8);
  EXPECT_EQ(program[1].size, 48);
  EXPECT_EQ(program[1].bits, 32);
  EXPECT_EQ(program[2].size, 32);
  EXPECT_EQ(program[2].bits, 32);
  const auto about = images(2);
  ASSERT_EQ(about.size(), 2U);
  EXPECT_EQ(about[0].bits, 8);
  EXPECT_EQ(about[1].bits, 32);
}

}  // namespace
}  // namespace lumora::e2e
