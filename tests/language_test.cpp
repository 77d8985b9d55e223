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
  FakeSettingsStore store_;
  RecordingWindow ui_;
};

struct LoadCase {
  std::optional<std::u16string> stored;
  std::vector<std::u16string> store_log;
  std::u16string language;
  std::vector<std::string> marks;
  std::u16string stored_after;
};

TEST_F(LanguageTest, LoadLanguageNormalisesTheStoredPreference) {
  const std::vector<std::u16string> read_only = {u"Get", u"Get"};
  const std::vector<std::u16string> created = {u"Get", u"Save English", u"Get"};
  const LoadCase cases[] = {
      {std::nullopt, created, u"English", kMarkEnglish, u"English"},
      {u"", created, u"English", kMarkEnglish, u"English"},
      {u"Persian", read_only, u"Persian", kMarkPersian, u"Persian"},
      {u"English", read_only, u"English", kMarkEnglish, u"English"},
      {u"persian", read_only, u"English", kMarkEnglish, u"persian"},
      {u"PERSIAN", read_only, u"English", kMarkEnglish, u"PERSIAN"},
      {u" Persian", read_only, u"English", kMarkEnglish, u" Persian"},
      {u"English ", read_only, u"English", kMarkEnglish, u"English "},
      {u"فارسي", read_only, u"English", kMarkEnglish, u"فارسي"},
  };
  for (const auto& c : cases) {
    FakeSettingsStore st;
    RecordingWindow window;
    if (c.stored) st.entries[FakeSettingsStore::LanguageAddress()] = *c.stored;
    LoadLanguage(st, window);
    EXPECT_EQ(st.log, c.store_log);
    EXPECT_EQ(CurrentLanguage, c.language);
    EXPECT_EQ(window.log, c.marks);
    EXPECT_EQ(st.entries[FakeSettingsStore::LanguageAddress()], c.stored_after);
  }
}

TEST_F(LanguageTest, FailingReadEndsTheLoadHandlerQuietly) {
  FakeRegistry registry;
  MainForm form{ui_, registry, store_};
  CurrentLanguage = u"before";
  store_.fail_get = true;
  EXPECT_NO_THROW(form.Form_Load());
  EXPECT_EQ(CurrentLanguage, u"before");
  EXPECT_TRUE(ui_.log.empty());                           // no check mark, no caption
  EXPECT_TRUE(registry.calls.empty());                    // the settings are not read
  EXPECT_THROW(LoadLanguage(store_, ui_), RuntimeError);  // no trap of its own
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
  store_.fail_save = true;
  EXPECT_THROW(SaveLanguage(store_), RuntimeError);  // reaches the default handler
}

TEST_F(LanguageTest, ApplyLanguageLabelsThenTurnsInTableOrder) {
  ApplyLanguage(ui_, u"Persian");
  ASSERT_EQ(ui_.log.size(), kMainTexts.size() + kMainRightToLeft.size());
  for (std::size_t i = 0; i < kMainTexts.size(); ++i) {
    EXPECT_EQ(ui_.log[i], "SetCaption " + std::string(ElementName(kMainTexts[i].element)));
    EXPECT_EQ(ui_.captions[kMainTexts[i].element], kMainTexts[i].text.persian);
  }
  EXPECT_EQ(ui_.log[17], "SetRightToLeft framOpt=1");
  EXPECT_EQ(ui_.log.back(), "SetRightToLeft frmMain=1");
  EXPECT_EQ(ui_.captions[Element::frmMain], u"لومورا !");

  for (const std::u16string_view other : {u"english", u"", u"Persian "}) {
    RecordingWindow window;
    ApplyLanguage(window, other);
    EXPECT_TRUE(window.log.empty());
  }
}

TEST_F(LanguageTest, ChoosingTheCheckedItemDoesNothing) {
  CurrentLanguage = u"English";
  ui_.menu_checks[Element::mnuLangEnglish] = true;
  SwitchLanguage(ui_, Element::mnuLangEnglish, HidingStatus::kActivated);
  EXPECT_EQ(ui_.log, std::vector<std::string>{"GetMenuChecked mnuLangEnglish"});
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
    window.menu_checks[Element::mnuLangEnglish] = true;
    window.texts[Element::txtCur] = u"as it was";
    SwitchLanguage(window, Element::mnuLangPersian, HidingStatusFor(hidden));

    EXPECT_EQ(CurrentLanguage, u"Persian");
    auto changes = window.Changes();
    const std::size_t status_writes = status ? 1 : 0;
    ASSERT_EQ(changes.size(), kMainTexts.size() + status_writes + kMainRightToLeft.size() + 2);
    EXPECT_EQ(changes[kMainTexts.size() - 1], "SetCaption frmMain");
    if (status) {
      EXPECT_EQ(changes[kMainTexts.size()], "SetText txtCur");
    }
    EXPECT_EQ(changes[kMainTexts.size() + status_writes], "SetRightToLeft framOpt=1");
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
  MainForm form{ui_, registry, store_};
  form.Form_Load();
  const auto captions = ui_.captions;
  const auto texts = ui_.texts;
  const auto right_to_left = ui_.right_to_left;
  const auto menu_checks = ui_.menu_checks;
  const auto options = ui_.options;
  const auto store_log = store_.log;
  const auto registry_calls = registry.calls.size();

  form.mnuLangPersian_Click();
  EXPECT_EQ(ui_.captions[Element::cmdApply], u"اجرا");
  EXPECT_EQ(ui_.texts[Element::txtCur], u".مخفي کردن فعال است");
  form.mnuLangEnglish_Click();

  EXPECT_EQ(ui_.captions, captions);
  EXPECT_EQ(ui_.texts, texts);
  EXPECT_EQ(ui_.right_to_left, right_to_left);
  EXPECT_EQ(ui_.menu_checks, menu_checks);
  EXPECT_EQ(ui_.options, options);
  EXPECT_EQ(store_.log, store_log);  // the switch stores nothing
  EXPECT_EQ(registry.calls.size(), registry_calls);
}

}  // namespace
}  // namespace lumora::testing
