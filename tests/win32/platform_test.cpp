// The Win32 side in this process against the real API: the registry
// functions and the settings store with every stored type and size, failure
// reports, captions, and the about window modal over the main window.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/toolkit/win32/platform_error.h"
#include "i18n/win32/registry_settings_store.h"
#include "registry/win32/advapi_registry.h"
#include "texts.h"
#include "win32/harness.h"

namespace lumora::testing {
namespace {

const std::u16string kTestPath = u"HKEY_CURRENT_USER\\Software\\LumoraTests";

// A value of each type and size worth telling apart, a text of 1 MiB, and
// the number each reads as: only a DWORD of four bytes is one.
const ReadResult kError = ReadErrorText{};
// clang-format off
const std::pair<StoredValue, ReadResult> kEveryType[] = {
    {{REG_NONE, {}}, kError}, {Text(L"2"), kError}, {{REG_SZ, {'P', 0, 'e'}}, kError}, {Text(L"Persian", REG_EXPAND_SZ), kError},
    {Text({L"1\0", 2}, REG_MULTI_SZ), kError}, {{REG_DWORD_BIG_ENDIAN, {0, 0, 0, 2}}, kError},
    {{REG_QWORD, {2, 0, 0, 0, 0, 0, 0, 0}}, kError}, {{REG_DWORD, {2, 0, 0}}, kError}, {{REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}}, -1},
    {{REG_DWORD, {0, 0, 1, 0}}, 65536}, {{REG_BINARY, {}}, kError}, {{REG_BINARY, {2, 2, 2}}, kError}, {{REG_BINARY, {2, 2, 2, 2}}, kError},
    {{REG_BINARY, {2, 2, 2, 2, 2}}, kError}, {{REG_BINARY, std::vector<BYTE>(8, 2)}, kError}, {Text(std::wstring(512 * 1024, L'P')), kError}};
// clang-format on

class RealRegistry : public CleanRegistry {
 protected:
  // The module takes the path apart as it goes: each call gets it afresh.
  ReadResult Read(std::u16string_view name) { return general_.ReadDWord(path_ = kTestPath, name); }
  bool Write(std::int32_t value) {
    return general_.WriteDWord(path_ = kTestPath, u"Hidden", value);
  }
  std::u16string Language() { return store_.GetSetting(u"NorvaleSoft", u"Lumora", u"Language"); }

  AdvapiRegistry registry_;
  RegistrySettingsStore store_;
  RecordingWindow ui_;
  General general_{registry_, ui_};
  std::u16string path_;
};

TEST_F(RealRegistry, OnlyAFourByteDwordIsANumberOnlyATextALanguageAndWritesReplaceAnyType) {
  for (const auto& [stored, number] : kEveryType) {
    SCOPED_TRACE(::testing::Message() << "type " << stored.type << ", " << stored.data.size());
    PutValue(kTestKey, L"Hidden", stored);
    PutValue(kStoreKey, L"Language", stored);
    EXPECT_EQ(Read(u"Hidden"), number);
    // Anything but a text reads as no language.
    EXPECT_EQ(Language(), stored == Text(L"2") ? u"2" : u"\uFFFD");
    ASSERT_TRUE(Write(-2));
    store_.SaveSetting(u"NorvaleSoft", u"Lumora", u"Language", u"English");
    EXPECT_EQ(GetValue(kTestKey, L"Hidden"), (StoredValue{REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}}));
    EXPECT_EQ(GetValue(kStoreKey, L"Language"), Text(L"English"));
  }
  EXPECT_EQ(Read(u"NoSuchValue"), ReadResult{ReadErrorText{}});
  EXPECT_EQ(general_.LastStatus, ERROR_FILE_NOT_FOUND);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
  EXPECT_FALSE(Write(2));  // a missing key is not created
}

// The report of a failed call, the last error another call left set first.
std::u16string ReportOf(unsigned long status, DWORD left) {
  ::SetLastError(left);
  try {
    ThrowPlatformError(u"Opening the key", status);
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Number(), 5);
    return error.Description();
  }
  return u"(no report)";
}

// The operation, and the system's one-line reason for the status whatever
// the last error.
TEST(PlatformError, NamesTheOperationTheSystemsReasonForTheStatusAndTheStatus) {
  const std::u16string denied = ReportOf(ERROR_ACCESS_DENIED, ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(denied.starts_with(u"Opening the key failed: ") && denied.ends_with(u". (error 5)") &&
              denied.find_first_of(u"\r\n") == std::u16string::npos)
      << Wide(denied);
  EXPECT_EQ(ReportOf(ERROR_ACCESS_DENIED, 0), denied);
  // An HRESULT's status as the unsigned number it is.
  EXPECT_TRUE(ReportOf(0x80070005, 0).ends_with(u" (error 2147942405)"));
}

// Where the user looks: a window's background around its elements, the
// panels between their controls (points in twips from the client area's
// corner, in the main window or the about window), a text behind and between
// its letters; in the button face and the text colour of the system's scheme,
// and nothing left of the first scheme's face once another is chosen.
void ExpectPainted(HWND window, HWND text, COLORREF first_face) {
  SCOPED_TRACE(TextOf(window));
  const bool about = TextOf(window, &::GetClassNameW) == L"Lumora.frmAbout";
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE), ink = ::GetSysColor(COLOR_WINDOWTEXT);
  const ScreenPixels seen(ClientOnScreen(window));  // what the about window covered painted again
  for (const auto [x, y] : about ? std::vector<POINT>{{500, 1600}, {1050, 1500}, {2700, 1500}}
                                 : std::vector<POINT>{{60, 787}, {1800, 1380}, {1800, 1960}}) {
    EXPECT_EQ(seen.At(Px(x), Px(y)), face) << x << "," << y;
  }
  const ScreenPixels letters(ClientOnScreen(text));
  EXPECT_GT(letters.Count(ink), 0);
  EXPECT_GT(letters.Count(face) * 2, std::ssize(letters.pixels));
  if (face != first_face) {
    EXPECT_EQ(letters.Count(first_face), 0);
  }
}

using AboutWindowTest = ProgramTest;

// Also the colour scheme chosen while the program runs, and chosen back.
TEST_F(AboutWindowTest, OpensModallyInPersianAndInEnglishAfterASwitchInTheSchemeOfTheDay) {
  Start(u"Persian");
  const COLORREF first_face = ::GetSysColor(COLOR_BTNFACE);
  HFONT font = nullptr;
  std::optional<ColourScheme> scheme;
  WithAbout([&](HWND window) {
    EXPECT_EQ(::GetWindow(window, GW_OWNER), main_.Hwnd());
    EXPECT_FALSE(::IsWindowEnabled(main_.Hwnd()));
    EXPECT_EQ(TextOf(window), Wide(kAboutCaption.persian));
    EXPECT_EQ(Direction(window), WS_EX_LAYOUTRTL);
    HWND label = Control(Element::Label1);
    EXPECT_EQ(TextOf(label), Wide(kAboutText.persian));
    EXPECT_EQ(Direction(label), WS_EX_RTLREADING);  // not mirrored: read right to left
    EXPECT_EQ(TextOf(Control(Element::cmdOK)), L"تاييد");
    EXPECT_GT(InkRightOfLeft(label), 0) << "the lines end at the label's right edge";
    EXPECT_EQ(::GetFocus(), Control(Element::cmdOK));
    font = reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0));
    ExpectPainted(window, Control(Element::Label1), first_face);
    scheme.emplace(RGB(0x2E, 0x8B, 0x57), RGB(0x8F, 0xBC, 0x8F), RGB(0xFF, 0xFF, 0x00));
    ExpectPainted(window, Control(Element::Label1), first_face);
    // Neither Escape nor the main window's shortcut does anything meanwhile.
    Keys({VK_ESCAPE});
    ASSERT_EQ(About(), window);
    Keys({'P'}, VK_CONTROL);
    EXPECT_TRUE(boxes_.seen.empty());
  });
  EXPECT_TRUE(::IsWindowEnabled(main_.Hwnd()));
  ExpectPainted(main_.Hwnd(), Control(Element::txtCur), first_face);
  // After a switch, in English and from its creation-time description.
  Choose(1, 0);
  WithAbout([&](HWND window) {
    HWND ok = Control(Element::cmdOK);
    EXPECT_EQ(::GetObjectType(font), 0U);  // the last opening's fonts are freed
    EXPECT_EQ(TextOf(window), Wide(kAboutCaption.english));
    EXPECT_EQ(Direction(window) | Direction(Control(Element::Label1)), 0);
    EXPECT_EQ(TextOf(Control(Element::Label1)), Wide(kAboutText.english));
    EXPECT_EQ(TextOf(ok), L"OK");  // as created
    EXPECT_LT(InkRightOfLeft(Control(Element::Label1)), 0) << "the lines begin at its left edge";
    EXPECT_EQ(ClientOnScreen(window), AtDpi({388, 229, 636, 348}, {582, 344, 954, 523}));
    EXPECT_EQ(OnScreen(ok), AtDpi({468, 321, 557, 342}, {702, 482, 836, 514}));
    EXPECT_EQ(OnScreen(Control(Element::Label1)),
              AtDpi({392, 233, 625, 322}, {588, 350, 938, 484}));
    for (const Element element : {Element::cmdOK, Element::Label1, Element::Picture1}) {
      EXPECT_EQ(FontText(Control(element)), L"Tahoma" + Regular825Points());
    }
    ExpectPainted(window, Control(Element::Label1), first_face);
    Keys({VK_RETURN});
    EXPECT_EQ(About(), nullptr) << "Enter presses the focused OK";
  });
  scheme.reset();
  ExpectPainted(main_.Hwnd(), Control(Element::txtCur), first_face);
}

}  // namespace
}  // namespace lumora::testing
