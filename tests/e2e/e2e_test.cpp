// lumora.exe end to end under Wine: started, read and driven from this process.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "app/about_texts.h"
#include "app/window_descriptions.h"
#include "e2e/lumora_process.h"
#include "i18n/main_texts.h"

namespace lumora::e2e {
namespace {

std::wstring W(std::u16string_view text) { return {text.begin(), text.end()}; }

std::wstring MainText(Element element, bool persian) {
  for (const ElementText& row : kMainTexts) {
    if (row.element == element) return W(persian ? row.text.persian : row.text.english);
  }
  return {};
}

std::wstring AboutLabel(bool persian) {
  std::wstring text;
  for (const TextPair& line : kAboutLines)
    text += W(persian ? line.persian : line.english) + L"\r\n";
  return text;
}

template <typename Condition>
bool Eventually(Condition condition, DWORD timeoutMs = 5000) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (::GetTickCount64() > end) return false;
    ::Sleep(20);
  }
  return true;
}

constexpr LONG kRtl = WS_EX_LAYOUTRTL;

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteTree(L"Software\\NorvaleSoft");
    DeleteTree(kAdvancedKey);
    PutDword(kAdvancedKey, L"Hidden", 2);
    PutDword(kAdvancedKey, L"ShowSuperHidden", 1);
    PutText(kAdvancedKey, L"Unrelated", L"left alone");
  }
  void TearDown() override {
    app.reset();
    DeleteTree(L"Software\\NorvaleSoft");
  }

  LumoraProcess& Start(const wchar_t* language) {
    if (language != nullptr) PutText(kStoreKey, L"Language", language);
    app = std::make_unique<LumoraProcess>(LumoraExe());
    return *app;
  }

  // Every caption, both check marks and the reading directions of one language.
  void ExpectLabelled(bool persian) {
    for (const ElementText& row : kMainTexts) {
      if (FindElement(kMainForm, row.element) == nullptr && row.element != Element::frmMain) {
        continue;  // menus are read through the probe
      }
      EXPECT_EQ(app->Text(row.element), MainText(row.element, persian)) << ElementName(row.element);
    }
    auto menus = app->Menus();
    for (const MenuDesc& desc : kMainMenu) {
      if (desc.caption == u"-") continue;
      std::wstring expected = MainText(desc.item, persian);
      if (!desc.shortcut_text.empty()) expected += L"\t" + W(desc.shortcut_text);
      EXPECT_EQ(menus[desc.item].text, expected) << ElementName(desc.item);
    }
    EXPECT_EQ((menus[Element::mnuLangPersian].state & MF_CHECKED) != 0, persian);
    EXPECT_EQ((menus[Element::mnuLangEnglish].state & MF_CHECKED) != 0, !persian);
    for (Element element : kMainRightToLeft) {
      EXPECT_EQ((app->ExStyle(element) & kRtl) != 0, persian) << ElementName(element);
    }
    for (Element element :
         {Element::cmdApply, Element::cmdAbout, Element::cmdExit, Element::txtCur, Element::pic}) {
      EXPECT_EQ(app->ExStyle(element) & kRtl, 0) << ElementName(element);
    }
  }

  std::unique_ptr<LumoraProcess> app;
};

TEST_F(EndToEnd, StartsInEnglishLaidOutAsDescribedWithTheFocusOnApply) {
  LumoraProcess& lumora = Start(L"English");
  ExpectLabelled(false);
  EXPECT_EQ(lumora.CheckState(Element::OptHide), BST_CHECKED);
  EXPECT_EQ(lumora.CheckState(Element::OptShow), BST_UNCHECKED);
  EXPECT_EQ(lumora.CheckState(Element::chkSuper), BST_CHECKED);
  EXPECT_EQ(lumora.Text(Element::txtCur), W(kStatusTexts[0].english));
  EXPECT_EQ(lumora.Focus(), lumora.Control(Element::cmdApply));

  POINT origin{0, 0};
  ::ClientToScreen(lumora.Main(), &origin);
  RECT client{};
  ::GetClientRect(lumora.Main(), &client);
  EXPECT_EQ(client.right, 248);
  EXPECT_EQ(client.bottom, 184);
  EXPECT_EQ(origin.x, 388);  // 5820 twips
  EXPECT_EQ(origin.y, 196);  // 2940 twips
  for (const ElementDesc& desc : kMainElements) {
    const PixelRect want = ToPixels(ClientTwips(kMainForm, desc.element), 96);
    const RECT got = lumora.ScreenRect(desc.element);
    EXPECT_EQ(got.left - origin.x, want.left) << ElementName(desc.element);
    EXPECT_EQ(got.top - origin.y, want.top) << ElementName(desc.element);
    EXPECT_EQ(got.right - got.left, want.width) << ElementName(desc.element);
    EXPECT_EQ(got.bottom - got.top, want.height) << ElementName(desc.element);
  }
}

TEST_F(EndToEnd, StartsInPersianRightToLeftWithEveryElementInPlace) {
  std::map<Element, RECT> english;
  {
    LumoraProcess& lumora = Start(L"English");
    for (const ElementDesc& desc : kMainElements)
      english[desc.element] = lumora.ScreenRect(desc.element);
    lumora.Close(lumora.Main());
    ASSERT_TRUE(lumora.WaitForExit());
  }
  LumoraProcess& lumora = Start(L"Persian");
  ExpectLabelled(true);
  EXPECT_EQ(lumora.Text(Element::txtCur), W(kStatusTexts[0].persian));
  for (const ElementDesc& desc : kMainElements) {
    const RECT got = lumora.ScreenRect(desc.element);
    EXPECT_TRUE(::EqualRect(&got, &english[desc.element])) << ElementName(desc.element);
  }
}

TEST_F(EndToEnd, ShowsEachStoredStateAsSpecified) {
  struct Case {
    const char* name;
    std::optional<DWORD> hidden;  // nothing: a text in its place
    DWORD superHidden;
    LRESULT optHide, optShow, chkSuper;
    int status;  // index into the status texts, -1 for an empty line
  };
  const Case cases[] = {
      {"2, 1", 2, 1, BST_CHECKED, BST_UNCHECKED, BST_CHECKED, 0},
      {"1, 0", 1, 0, BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED, 1},
      {"0, 3", 0, 3, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED, -1},
      {"-1, 1", 0xFFFFFFFF, 1, BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED, -1},
      // 40000 does not fit 16 bits: the read's trap ends it before anything is shown.
      {"40000, 1", 40000, 1, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED, -1},
      {"text, 1", std::nullopt, 1, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.hidden) {
      PutDword(kAdvancedKey, L"Hidden", *c.hidden);
    } else {
      PutText(kAdvancedKey, L"Hidden", L"2");
    }
    PutDword(kAdvancedKey, L"ShowSuperHidden", c.superHidden);
    LumoraProcess& lumora = Start(L"English");
    EXPECT_EQ(lumora.CheckState(Element::OptHide), c.optHide);
    EXPECT_EQ(lumora.CheckState(Element::OptShow), c.optShow);
    EXPECT_EQ(lumora.CheckState(Element::chkSuper), c.chkSuper);
    EXPECT_EQ(lumora.Text(Element::txtCur),
              c.status < 0 ? L"" : W(kStatusTexts[static_cast<std::size_t>(c.status)].english));
    app.reset();
  }
}

TEST_F(EndToEnd, AppliesByButtonMenuAndShortcutWritingOnlyItsTwoValues) {
  const auto others = Snapshot(kAdvancedKey);
  LumoraProcess& lumora = Start(L"English");
  struct Way {
    const char* name;
    std::function<void()> apply;
  };
  const Way ways[] = {
      {"button", [&] { lumora.Click(Element::cmdApply); }},
      {"File > Apply", [&] { lumora.Choose(Element::mnuFileApply); }},
      {"Ctrl+P",
       [&] {
         ::SetForegroundWindow(lumora.Main());
         lumora.Keys({'P'}, /*ctrl=*/true);
       }},
  };
  DWORD hidden = 1;
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    // Toggle the choice each time, by real clicks of the controls.
    ::SendMessageW(lumora.Control(hidden == 1 ? Element::OptShow : Element::OptHide), BM_CLICK, 0,
                   0);
    ::SendMessageW(lumora.Control(Element::chkSuper), BM_CLICK, 0, 0);
    way.apply();
    const auto box = lumora.AnswerMessageBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->title, W(kApplyDoneTitle.english));
    EXPECT_EQ(box->text, W(kApplyDoneText.english));
    EXPECT_EQ(box->iconFlag, static_cast<DWORD>(MB_ICONINFORMATION));
    EXPECT_EQ(GetDword(kAdvancedKey, L"Hidden"), hidden);
    EXPECT_EQ(GetDword(kAdvancedKey, L"ShowSuperHidden"),
              lumora.CheckState(Element::chkSuper) == BST_CHECKED ? 1U : 0U);
    EXPECT_EQ(lumora.Text(Element::txtCur), W(kStatusTexts[hidden == 2 ? 0 : 1].english));
    EXPECT_EQ(Snapshot(kAdvancedKey).at(L"Unrelated"), others.at(L"Unrelated"));
    hidden = hidden == 1 ? 2 : 1;
  }
  EXPECT_FALSE(lumora.HasMessageBox());
}

TEST_F(EndToEnd, AFailedWriteSaysNotChangedAndCreatesNoKey) {
  LumoraProcess& lumora = Start(L"Persian");
  DeleteTree(kAdvancedKey);
  lumora.Click(Element::cmdApply);
  const auto box = lumora.AnswerMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title, W(kApplyFailedTitle.persian));
  EXPECT_EQ(box->text, W(kApplyFailedText.persian));
  EXPECT_EQ(box->iconFlag, static_cast<DWORD>(MB_ICONERROR));
  EXPECT_FALSE(KeyExists(kAdvancedKey));
  EXPECT_EQ(lumora.Text(Element::txtCur), W(kStatusTexts[0].persian));  // as read at start-up
}

TEST_F(EndToEnd, SwitchesLanguageAndBackToTheEnglishStartState) {
  LumoraProcess& lumora = Start(L"English");
  lumora.Choose(Element::mnuLangEnglish);  // the checked item: nothing at all
  lumora.Settle();
  ExpectLabelled(false);
  lumora.Choose(Element::mnuLangPersian);
  ASSERT_TRUE(Eventually(
      [&] { return lumora.Text(Element::cmdExit) == MainText(Element::cmdExit, true); }));
  ExpectLabelled(true);
  EXPECT_EQ(lumora.Text(Element::txtCur), W(kStatusTexts[0].persian));
  EXPECT_EQ(GetText(kStoreKey, L"Language"), L"English");  // the switch stores nothing
  lumora.Choose(Element::mnuLangEnglish);
  ASSERT_TRUE(Eventually(
      [&] { return lumora.Text(Element::cmdExit) == MainText(Element::cmdExit, false); }));
  ExpectLabelled(false);
  EXPECT_EQ(lumora.Text(Element::txtCur), W(kStatusTexts[0].english));
}

TEST_F(EndToEnd, AboutWindowIsModalAndFollowsTheLanguage) {
  LumoraProcess& lumora = Start(L"Persian");
  lumora.Click(Element::cmdAbout);
  ASSERT_TRUE(lumora.WaitForAbout(true));
  EXPECT_EQ(lumora.Text(Element::frmAbout), W(kAboutCaption.persian));
  EXPECT_EQ(lumora.Text(Element::Label1), AboutLabel(true));
  EXPECT_EQ(lumora.Text(Element::cmdOK), W(kAboutOkPersian));
  EXPECT_NE(lumora.ExStyle(Element::frmAbout) & kRtl, 0);
  EXPECT_NE(lumora.ExStyle(Element::Label1) & WS_EX_RTLREADING, 0);
  EXPECT_EQ(lumora.Style(Element::Label1) & SS_TYPEMASK, SS_RIGHT);
  EXPECT_FALSE(::IsWindowEnabled(lumora.Main()));
  EXPECT_EQ(lumora.Focus(), lumora.Control(Element::cmdOK));

  // Neither Escape nor the main window's shortcut reaches anything meanwhile.
  ::SetForegroundWindow(lumora.About());
  lumora.Keys({VK_ESCAPE});
  lumora.Keys({'P'}, /*ctrl=*/true);
  EXPECT_NE(lumora.About(), nullptr);
  EXPECT_FALSE(lumora.HasMessageBox());

  lumora.Close(lumora.About());  // the close box acts as OK
  ASSERT_TRUE(lumora.WaitForAbout(false));
  EXPECT_TRUE(::IsWindowEnabled(lumora.Main()));

  lumora.Choose(Element::mnuLangEnglish);
  lumora.Choose(Element::mnuHelpAbout);
  ASSERT_TRUE(lumora.WaitForAbout(true));
  EXPECT_EQ(lumora.Text(Element::frmAbout), W(kAboutCaption.english));
  EXPECT_EQ(lumora.Text(Element::Label1), AboutLabel(false));
  EXPECT_EQ(lumora.Text(Element::cmdOK), L"OK");
  EXPECT_EQ(lumora.ExStyle(Element::frmAbout) & kRtl, 0);
  EXPECT_EQ(lumora.Style(Element::Label1) & SS_TYPEMASK, SS_LEFT);
  ::SetForegroundWindow(lumora.About());
  lumora.Keys({VK_RETURN});  // Enter presses the focused OK
  EXPECT_TRUE(lumora.WaitForAbout(false));
}

TEST_F(EndToEnd, EveryWayOutStoresTheLanguage) {
  struct Way {
    const char* name;
    std::function<void(LumoraProcess&)> leave;
  };
  const Way ways[] = {
      {"Exit button", [](LumoraProcess& p) { p.Click(Element::cmdExit); }},
      {"File > Exit", [](LumoraProcess& p) { p.Choose(Element::mnuFileExit); }},
      {"close box", [](LumoraProcess& p) { p.Close(p.Main()); }},
      {"Alt+X",
       [](LumoraProcess& p) {
         ::SetForegroundWindow(p.Main());
         p.Keys({'X'}, false, /*alt=*/true);
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    // An unrecognised text starts English and is replaced at the end.
    LumoraProcess& lumora = Start(L" Persian");
    EXPECT_EQ(GetText(kStoreKey, L"Language"), L" Persian");
    way.leave(lumora);
    EXPECT_EQ(lumora.WaitForExit(), 0U);
    EXPECT_EQ(GetText(kStoreKey, L"Language"), L"English");
    app.reset();
  }
}

TEST_F(EndToEnd, TheSessionEndingStoresTheLanguageInTheUnloadPath) {
  LumoraProcess& lumora = Start(L" Persian");
  DWORD_PTR answer = 0;
  ASSERT_NE(
      ::SendMessageTimeoutW(lumora.Main(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &answer),
      0);
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));  // never refuses
  EXPECT_EQ(GetText(kStoreKey, L"Language"), L" Persian");
  ::SendMessageTimeoutW(lumora.Main(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &answer);
  EXPECT_EQ(GetText(kStoreKey, L"Language"), L"English");
}

TEST_F(EndToEnd, KeyboardMovesFocusInTabOrderAndEscapeDoesNothing) {
  LumoraProcess& lumora = Start(L"English");
  ::SetForegroundWindow(lumora.Main());
  ASSERT_EQ(lumora.Focus(), lumora.Control(Element::cmdApply));
  // The selected option holds the group's tab stop.
  const Element order[] = {Element::cmdAbout, Element::OptHide, Element::chkSuper,
                           Element::cmdExit,  Element::txtCur,  Element::cmdApply};
  for (Element next : order) {
    lumora.Keys({VK_TAB});
    EXPECT_EQ(lumora.Focus(), lumora.Control(next)) << ElementName(next);
  }
  lumora.Keys({VK_ESCAPE});
  EXPECT_NE(::IsWindow(lumora.Main()), FALSE);
  EXPECT_FALSE(lumora.HasMessageBox());

  lumora.Keys({'A'}, false, /*alt=*/true);  // &About
  ASSERT_TRUE(lumora.WaitForAbout(true));
  lumora.Close(lumora.About());
  ASSERT_TRUE(lumora.WaitForAbout(false));
  lumora.Keys({'P'}, false, /*alt=*/true);  // A&pply
  const auto box = lumora.AnswerMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title, W(kApplyDoneTitle.english));
}

TEST_F(EndToEnd, AStoreThatFailsEndsLoadQuietlyAndExitThroughTheErrorHandler) {
  // A volatile parent refuses a lasting child key: saving the language fails.
  HKEY vendor = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\NorvaleSoft", 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &vendor, nullptr),
            ERROR_SUCCESS);
  ::RegCloseKey(vendor);
  LumoraProcess& lumora = Start(nullptr);
  EXPECT_FALSE(lumora.HasMessageBox());
  // Load stopped at its first step: creation-time captions, no option chosen.
  EXPECT_EQ(lumora.Text(Element::chkSuper), L"Show Super Hidden(System) Files.");
  EXPECT_EQ(lumora.CheckState(Element::OptHide), BST_UNCHECKED);
  lumora.Click(Element::cmdExit);
  const auto box = lumora.AnswerMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title, L"Lumora");
  EXPECT_EQ(box->iconFlag, static_cast<DWORD>(MB_ICONERROR));
  EXPECT_EQ(box->text.rfind(L"Run-time error '5':", 0), 0U) << box->text;
  EXPECT_EQ(lumora.WaitForExit(), 5U);
}

}  // namespace
}  // namespace lumora::e2e

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    fprintf(stderr, "usage: %s PATH_TO_LUMORA_EXE\n", argv[0]);
    return 2;
  }
  const std::string exe = argv[1];
  lumora::e2e::SetLumoraExe(std::wstring(exe.begin(), exe.end()));
  return RUN_ALL_TESTS();
}
