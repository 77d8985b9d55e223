// The language preference, the labelling of the main window and of the about
// window, the language switch, and the main window's load handler.
#include "i18n/language.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "app/about_form.h"
#include "fakes/fakes.h"
#include "i18n/apply_language.h"
#include "i18n/language_preference.h"

namespace lumora::testing {
namespace {

using Log = std::vector<std::string>;
const std::u16string kEntry = u"NorvaleSoft\\Lumora\\Language";
const std::u16string kGet = u"get " + kEntry;
std::u16string Save(std::u16string_view value) {
  return u"save " + kEntry + u"=" + std::u16string(value);
}

const Log kMarkEnglish = {"SetMenuChecked mnuLangPersian=0", "SetMenuChecked mnuLangEnglish=1"};
const Log kMarkPersian = {"SetMenuChecked mnuLangPersian=1", "SetMenuChecked mnuLangEnglish=0"};
// The captions in the order they are set, the window's own last.
const Log kCaptions = {
    "SetCaption cmdApply",       "SetCaption cmdAbout",       "SetCaption cmdExit",
    "SetCaption framOpt",        "SetCaption framMain",       "SetCaption chkSuper",
    "SetCaption OptShow",        "SetCaption OptHide",        "SetCaption mnuFile",
    "SetCaption mnuFileApply",   "SetCaption mnuFileExit",    "SetCaption mnuLang",
    "SetCaption mnuLangEnglish", "SetCaption mnuLangPersian", "SetCaption mnuHelp",
    "SetCaption mnuHelpAbout",   "SetCaption frmMain"};
Log Directions(bool persian) {
  Log log;
  for (const char* element : {"framOpt", "framMain", "chkSuper", "OptShow", "OptHide", "frmMain"}) {
    log.push_back(std::string("SetRightToLeft ") + element + (persian ? "=1" : "=0"));
  }
  return log;
}
Log Join(std::initializer_list<Log> parts) {
  Log all;
  for (const Log& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(Language, LoadLanguageSettlesOnEnglishOrPersianAndMarksIt) {
  // What is stored (or nothing), the language settled on, whether "English"
  // is written at once, then read again. The fuzzer tries every other text.
  const std::tuple<std::optional<std::u16string>, const char16_t*, bool> cases[] = {
      {std::nullopt, u"English", true}, {u"", u"English", true},
      {u"Persian", u"Persian", false},  {u"English", u"English", false},
      {u" Persian", u"English", false}, {u"persian", u"English", false},
  };
  for (const auto& [stored, language, written] : cases) {
    const std::u16string shown = stored.value_or(u"(none)");
    SCOPED_TRACE(std::string(shown.begin(), shown.end()));
    Fakes f;
    auto [store, ui] = std::tie(f.store, f.ui);
    if (stored) store.entries[kEntry] = *stored;
    LoadLanguage(store, ui);
    EXPECT_EQ(CurrentLanguage, language);
    EXPECT_EQ(ui.log, CurrentLanguage == u"Persian" ? kMarkPersian : kMarkEnglish);
    const std::vector<std::u16string> calls =
        written ? std::vector{kGet, Save(u"English"), kGet} : std::vector{kGet, kGet};
    EXPECT_EQ(store.log, calls);
    // An odd text stays stored until the next save.
    EXPECT_EQ(store.entries[kEntry], written ? u"English" : *stored);
  }
}

TEST(Language, AFailingReadEndsTheLoadHandlerQuietlyBeforeAnythingElse) {
  Fakes f;
  auto [store, ui, registry, form] = std::tie(f.store, f.ui, f.registry, f.form);
  store.fail_get = true;
  EXPECT_NO_THROW(form.Form_Load());
  EXPECT_EQ(CurrentLanguage, u"");
  EXPECT_TRUE(ui.log.empty());          // no check mark, no caption
  EXPECT_TRUE(registry.calls.empty());  // the settings are not read
}

TEST(Language, ApplyLanguageLabelsThenTurnsInOrderForTheTwoLanguagesOnly) {
  for (const bool persian : {false, true}) {
    RecordingWindow ui;
    ApplyLanguage(ui, persian ? u"Persian" : u"English");
    EXPECT_EQ(ui.log, Join({kCaptions, Directions(persian)}));
  }
  for (const std::u16string_view other : {u"english", u"", u"Persian "}) {
    RecordingWindow ui;
    ApplyLanguage(ui, other);
    EXPECT_TRUE(ui.log.empty());
  }
}

TEST(Language, TheSwitchRelabelsRebuildsTheStatusLineTurnsAndMovesTheMark) {
  const std::pair<std::optional<HidingStatus>, const char16_t*> cases[] = {
      {HidingStatus::kActivated, u".مخفي کردن فعال است"},
      {HidingStatus::kDeactivated, u".مخفي کردن غير فعال است"},
      {std::nullopt, u"as it was"},
  };
  for (const auto& [status, text] : cases) {
    Fakes f;
    RecordingWindow& ui = f.ui;
    CurrentLanguage = u"English";
    ui.menu_checks[Element::mnuLangEnglish] = true;
    ui.texts[Element::txtCur] = u"as it was";
    SwitchLanguage(ui, Element::mnuLangPersian, status);
    EXPECT_EQ(CurrentLanguage, u"Persian");
    EXPECT_EQ(ui.log, Join({{"GetMenuChecked mnuLangPersian"},
                            kCaptions,
                            status ? Log{"SetText txtCur"} : Log{},
                            Directions(true),
                            kMarkPersian}));
    EXPECT_EQ(ui.texts[Element::txtCur], text);
  }
  // The item already checked does nothing at all.
  Fakes f;
  RecordingWindow& ui = f.ui;
  CurrentLanguage = u"English";
  ui.menu_checks[Element::mnuLangPersian] = true;
  SwitchLanguage(ui, Element::mnuLangPersian, HidingStatus::kActivated);
  EXPECT_EQ(ui.log, Log{"GetMenuChecked mnuLangPersian"});
  EXPECT_EQ(CurrentLanguage, u"English");
}

TEST(AboutForm, LabelsItselfInOrderForEnglishOrPersianAndNothingElseAndOkUnloads) {
  const std::pair<const char16_t*, Log> cases[] = {
      {u"English",
       {"SetCaption Label1", "SetRightToLeft Label1=0", "SetLabelAlignment Label1=0",
        "SetCaption frmAbout", "SetRightToLeft frmAbout=0"}},
      {u"Persian",
       {"SetCaption Label1", "SetRightToLeft Label1=1", "SetLabelAlignment Label1=1",
        "SetCaption frmAbout", "SetRightToLeft frmAbout=1", "SetCaption cmdOK"}},
      {u"", {}},
      {u"persian", {}},
      {u" English", {}},
  };
  for (const auto& [language, log] : cases) {
    Fakes f;
    CurrentLanguage = language;
    AboutForm(f.ui).Form_Load();
    EXPECT_EQ(f.ui.log, log);
  }
  RecordingWindow ui;
  AboutForm(ui).cmdOK_Click();  // OK unloads the window
  EXPECT_EQ(ui.log, Log{"Unload frmAbout"});
}

}  // namespace
}  // namespace lumora::testing
