// The language preference, the labelling of the main window and of the about
// window, the language switch, and the main window's load handler.
#include "i18n/language.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/about_form.h"
#include "fakes/fakes.h"
#include "i18n/apply_language.h"
#include "i18n/language_preference.h"

namespace lumora::testing {
namespace {

using Log = std::vector<std::string>;
const std::u16string kEntry = u"NorvaleSoft\\Lumora\\Language";

// "operation name" and the value for each name of a list.
Log Each(const std::string& operation, const std::string& names, const char* value = "") {
  Log log;
  std::istringstream in(names);
  for (std::string name; in >> name;) log.push_back(operation + ' ' + name.append(value));
  return log;
}
Log Join(std::initializer_list<Log> parts) {
  Log all;
  for (const Log& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}
const Log kMarkEnglish = {"SetMenuChecked mnuLangPersian=0", "SetMenuChecked mnuLangEnglish=1"};
const Log kMarkPersian = {"SetMenuChecked mnuLangPersian=1", "SetMenuChecked mnuLangEnglish=0"};
// The captions in the order they are set, the window's own last; then the directions.
const Log kCaptions =
    Each("SetCaption",
         "cmdApply cmdAbout cmdExit framOpt framMain chkSuper OptShow OptHide mnuFile "
         "mnuFileApply mnuFileExit mnuLang mnuLangEnglish mnuLangPersian mnuHelp "
         "mnuHelpAbout frmMain");
Log Directions(bool persian) {
  return Each("SetRightToLeft", "framOpt framMain chkSuper OptShow OptHide frmMain",
              persian ? "=1" : "=0");
}

// What is stored (nothing: no entry), the language settled on, and whether
// "English" is written at once, then read again. The fuzzer tries every other text.
struct LoadCase {
  std::optional<std::u16string> stored;
  const char16_t* language;
  bool written;
};

TEST(Language, LoadLanguageSettlesOnEnglishOrPersianAndMarksIt) {
  const LoadCase cases[] = {
      {std::nullopt, u"English", true}, {u"", u"English", true},
      {u"Persian", u"Persian", false},  {u"English", u"English", false},
      {u" Persian", u"English", false}, {u"persian", u"English", false},
  };
  for (const auto& [stored, language, written] : cases) {
    const std::u16string shown = stored.value_or(u"(none)");
    SCOPED_TRACE(std::string(shown.begin(), shown.end()));
    Fakes f;
    if (stored) f.store.entries[kEntry] = *stored;
    LoadLanguage(f.store, f.ui);
    EXPECT_EQ(CurrentLanguage, language);
    EXPECT_EQ(f.ui.log, CurrentLanguage == u"Persian" ? kMarkPersian : kMarkEnglish);
    const std::u16string get = u"get " + kEntry;
    const std::vector<std::u16string> calls =
        written ? std::vector{get, u"save " + kEntry + u"=English", get} : std::vector{get, get};
    EXPECT_EQ(f.store.log, calls);
    // An odd text stays stored until the next save.
    EXPECT_EQ(f.store.entries[kEntry], written ? u"English" : *stored);
  }
}

TEST(Language, AFailingReadEndsTheLoadHandlerQuietlyBeforeAnythingElse) {
  Fakes f;
  f.store.fail_get = true;
  EXPECT_NO_THROW(f.form.Form_Load());
  EXPECT_EQ(CurrentLanguage, u"");
  EXPECT_TRUE(f.ui.log.empty());          // no check mark, no caption
  EXPECT_TRUE(f.registry.calls.empty());  // the settings are not read
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
  const struct {
    std::optional<HidingStatus> status;
    const char16_t* text;
  } cases[] = {
      {HidingStatus::kActivated, u".مخفي کردن فعال است"},
      {HidingStatus::kDeactivated, u".مخفي کردن غير فعال است"},
      {std::nullopt, u"as it was"},
  };
  for (const auto& [status, text] : cases) {
    Fakes f;
    CurrentLanguage = u"English";
    f.ui.menu_checks[Element::mnuLangEnglish] = true;
    f.ui.texts[Element::txtCur] = u"as it was";
    SwitchLanguage(f.ui, Element::mnuLangPersian, status);
    EXPECT_EQ(CurrentLanguage, u"Persian");
    EXPECT_EQ(f.ui.log, Join({{"GetMenuChecked mnuLangPersian"},
                              kCaptions,
                              status ? Log{"SetText txtCur"} : Log{},
                              Directions(true),
                              kMarkPersian}));
    EXPECT_EQ(f.ui.texts[Element::txtCur], text);
  }
  // The item already checked does nothing at all.
  Fakes f;
  f.ui.menu_checks[Element::mnuLangPersian] = true;
  SwitchLanguage(f.ui, Element::mnuLangPersian, HidingStatus::kActivated);
  EXPECT_EQ(f.ui.log, Log{"GetMenuChecked mnuLangPersian"});
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
