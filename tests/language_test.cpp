#include "i18n/language.h"

#include <gtest/gtest.h>

#include <optional>

#include "app/main_form.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_settings_store.h"
#include "fakes/recording_window.h"
#include "i18n/apply_language.h"
#include "i18n/language_preference.h"
#include "i18n/main_texts.h"
#include "settings/visibility.h"

namespace lumora::testing {
namespace {

const std::vector<std::string> kMarkEnglish = {"SetMenuChecked mnuLangPersian=0",
                                               "SetMenuChecked mnuLangEnglish=1"};
const std::vector<std::string> kMarkPersian = {"SetMenuChecked mnuLangPersian=1",
                                               "SetMenuChecked mnuLangEnglish=0"};

class LanguageTest : public ::testing::Test {
 protected:
  void TearDown() override { CurrentLanguage.clear(); }
  FakeSettingsStore store;
  RecordingWindow ui;
};

struct LoadCase {
  std::optional<std::u16string> stored;
  std::vector<std::u16string> storeLog;
  std::u16string language;
  std::vector<std::string> marks;
  std::u16string storedAfter;
};

TEST_F(LanguageTest, LoadLanguageNormalisesTheStoredPreference) {
  const std::vector<std::u16string> readOnly = {u"Get", u"Get"};
  const std::vector<std::u16string> created = {u"Get", u"Save English", u"Get"};
  const LoadCase cases[] = {
      {std::nullopt, created, u"English", kMarkEnglish, u"English"},
      {u"", created, u"English", kMarkEnglish, u"English"},
      {u"Persian", readOnly, u"Persian", kMarkPersian, u"Persian"},
      {u"English", readOnly, u"English", kMarkEnglish, u"English"},
      {u"persian", readOnly, u"English", kMarkEnglish, u"persian"},
      {u"PERSIAN", readOnly, u"English", kMarkEnglish, u"PERSIAN"},
      {u" Persian", readOnly, u"English", kMarkEnglish, u" Persian"},
      {u"English ", readOnly, u"English", kMarkEnglish, u"English "},
      {u"فارسي", readOnly, u"English", kMarkEnglish, u"فارسي"},
  };
  for (const auto& c : cases) {
    FakeSettingsStore st;
    RecordingWindow window;
    if (c.stored) st.entries[FakeSettingsStore::LanguageAddress()] = *c.stored;
    LoadLanguage(st, window);
    EXPECT_EQ(st.log, c.storeLog);
    EXPECT_EQ(CurrentLanguage, c.language);
    EXPECT_EQ(window.log, c.marks);
    EXPECT_EQ(st.entries[FakeSettingsStore::LanguageAddress()], c.storedAfter);
  }
}

TEST_F(LanguageTest, FailingReadEndsTheLoadHandlerQuietly) {
  FakeRegistry registry;
  MainForm form{ui, registry, store};
  CurrentLanguage = u"before";
  store.failGet = true;
  EXPECT_NO_THROW(form.Form_Load());
  EXPECT_EQ(CurrentLanguage, u"before");
  EXPECT_TRUE(ui.log.empty());                          // no check mark, no caption
  EXPECT_TRUE(registry.calls.empty());                  // the settings are not read
  EXPECT_THROW(LoadLanguage(store, ui), RuntimeError);  // no trap of its own
}

TEST_F(LanguageTest, EachExitPathSavesTheLanguageOnce) {
  using Handler = void (MainForm::*)();
  const std::pair<Handler, std::vector<std::string>> paths[] = {
      {&MainForm::cmdExit_Click, {"EndProgram"}},
      {&MainForm::mnuFileExit_Click, {"EndProgram"}},
      {&MainForm::Form_Unload, {}},
  };
  for (const auto& [handler, uiLog] : paths) {
    FakeSettingsStore st;
    RecordingWindow window;
    FakeRegistry registry;
    MainForm form{window, registry, st};
    st.entries[FakeSettingsStore::LanguageAddress()] = u"odd";
    form.Form_Load();
    form.mnuLangPersian_Click();
    st.log.clear();
    window.log.clear();
    (form.*handler)();
    EXPECT_EQ(st.log, std::vector<std::u16string>{u"Save Persian"});
    EXPECT_EQ(window.log, uiLog);
  }
  store.failSave = true;
  EXPECT_THROW(SaveLanguage(store), RuntimeError);  // reaches the default handler
}

TEST_F(LanguageTest, ApplyLanguageLabelsThenTurnsInTableOrder) {
  ApplyLanguage(ui, u"Persian");
  ASSERT_EQ(ui.log.size(), kMainTexts.size() + kMainRightToLeft.size());
  for (std::size_t i = 0; i < kMainTexts.size(); ++i) {
    EXPECT_EQ(ui.log[i], "SetCaption " + std::string(ElementName(kMainTexts[i].element)));
    EXPECT_EQ(ui.captions[kMainTexts[i].element], kMainTexts[i].text.persian);
  }
  EXPECT_EQ(ui.log[17], "SetRightToLeft framOpt=1");
  EXPECT_EQ(ui.log.back(), "SetRightToLeft frmMain=1");
  EXPECT_EQ(ui.captions[Element::frmMain], u"لومورا !");

  for (const std::u16string_view other : {u"english", u"", u"Persian "}) {
    RecordingWindow window;
    ApplyLanguage(window, other);
    EXPECT_TRUE(window.log.empty());
  }
}

TEST_F(LanguageTest, ChoosingTheCheckedItemDoesNothing) {
  CurrentLanguage = u"English";
  ui.menuChecks[Element::mnuLangEnglish] = true;
  SwitchLanguage(ui, Element::mnuLangEnglish, HidingStatus::Activated);
  EXPECT_EQ(ui.log, std::vector<std::string>{"GetMenuChecked mnuLangEnglish"});
  EXPECT_EQ(CurrentLanguage, u"English");
}

TEST_F(LanguageTest, SwitchRelabelsRebuildsTheStatusLineAndMovesTheMark) {
  const std::pair<std::int16_t, std::optional<std::u16string_view>> cases[] = {
      {2, kStatusTexts[0].persian},
      {1, kStatusTexts[1].persian},
      {0, std::nullopt},
      {3, std::nullopt}};
  // The main window tells the switch what its "Hidden" number says.
  for (const auto& [hidden, status] : cases) {
    SCOPED_TRACE(hidden);
    RecordingWindow window;
    CurrentLanguage = u"English";
    window.menuChecks[Element::mnuLangEnglish] = true;
    window.texts[Element::txtCur] = u"as it was";
    SwitchLanguage(window, Element::mnuLangPersian, HidingStatusFor(hidden));

    EXPECT_EQ(CurrentLanguage, u"Persian");
    auto changes = window.Changes();
    const std::size_t statusWrites = status ? 1 : 0;
    ASSERT_EQ(changes.size(), kMainTexts.size() + statusWrites + kMainRightToLeft.size() + 2);
    EXPECT_EQ(changes[kMainTexts.size() - 1], "SetCaption frmMain");
    if (status) {
      EXPECT_EQ(changes[kMainTexts.size()], "SetText txtCur");
    }
    EXPECT_EQ(changes[kMainTexts.size() + statusWrites], "SetRightToLeft framOpt=1");
    EXPECT_EQ(std::vector(changes.end() - 2, changes.end()), kMarkPersian);
    EXPECT_EQ(window.texts[Element::txtCur], status.value_or(u"as it was"));
  }
}

TEST_F(LanguageTest, PersianThenEnglishGivesTheEnglishStartUpState) {
  FakeRegistry registry;
  const std::u16string advanced =
      u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
  registry.PutDword(static_cast<RegHandle>(0x80000001U), advanced, u"Hidden", 2);
  registry.PutDword(static_cast<RegHandle>(0x80000001U), advanced, u"ShowSuperHidden", 1);
  MainForm form{ui, registry, store};
  form.Form_Load();
  const auto captions = ui.captions;
  const auto texts = ui.texts;
  const auto rightToLeft = ui.rightToLeft;
  const auto menuChecks = ui.menuChecks;
  const auto options = ui.options;
  const auto storeLog = store.log;
  const auto registryCalls = registry.calls.size();

  form.mnuLangPersian_Click();
  EXPECT_EQ(ui.captions[Element::cmdApply], u"اجرا");
  EXPECT_EQ(ui.texts[Element::txtCur], u".مخفي کردن فعال است");
  form.mnuLangEnglish_Click();

  EXPECT_EQ(ui.captions, captions);
  EXPECT_EQ(ui.texts, texts);
  EXPECT_EQ(ui.rightToLeft, rightToLeft);
  EXPECT_EQ(ui.menuChecks, menuChecks);
  EXPECT_EQ(ui.options, options);
  EXPECT_EQ(store.log, storeLog);  // the switch stores nothing
  EXPECT_EQ(registry.calls.size(), registryCalls);
}

}  // namespace
}  // namespace lumora::testing
