// The language preference, the labelling of the main window and of the about
// window, the language switch, and the main window's load handler.
#include "i18n/language.h"

#include <gtest/gtest.h>

#include "app/about_form.h"
#include "app/toolkit/runtime_error.h"
#include "app/window_descriptions.h"
#include "fakes/fakes.h"
#include "i18n/apply_language.h"
#include "i18n/language_preference.h"
#include "texts.h"

namespace lumora::testing {
namespace {

// A window runs only the handlers of its own form: another form's handlers
// object, or a row naming another form's method, does not compile.
static_assert(std::is_constructible_v<FormBinding, const FormDescFor<MainForm>&, MainForm&>);
static_assert(!std::is_constructible_v<FormBinding, const FormDescFor<MainForm>&, AboutForm&>);
static_assert(!std::is_constructible_v<FormBinding, const FormDescFor<AboutForm>&, MainForm&>);
static_assert(HandlersAreOf<MainForm>(kMainForm.Desc()) &&
              !HandlersAreOf<AboutForm>(kMainForm.Desc()));

const Log kMarkEnglish = {"SetMenuChecked mnuLangPersian=0", "SetMenuChecked mnuLangEnglish=1"};
const Log kMarkPersian = {"SetMenuChecked mnuLangPersian=1", "SetMenuChecked mnuLangEnglish=0"};
// The captions set in their order, the status line if given, then the six
// elements turned right to left in their order.
Log RelabellingInPersian(const Log& status) {
  Log log;
  for (const char* element :
       {"cmdApply", "cmdAbout", "cmdExit", "framOpt", "framMain", "chkSuper", "OptShow", "OptHide",
        "mnuFile", "mnuFileApply", "mnuFileExit", "mnuLang", "mnuLangEnglish", "mnuLangPersian",
        "mnuHelp", "mnuHelpAbout", "frmMain"}) {
    log.push_back(std::string("SetCaption ") + element);
  }
  log.insert(log.end(), status.begin(), status.end());
  for (const char* turns : {"framOpt", "framMain", "chkSuper", "OptShow", "OptHide", "frmMain"}) {
    log.push_back(std::string("SetRightToLeft ") + turns + "=1");
  }
  return log;
}

// What is stored (nothing: no entry), the language settled on, and whether
// "English" is written at once.
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
    if (stored) f.store.entries[kLanguageEntry] = *stored;
    LoadLanguage(f.store, f.ui);
    EXPECT_EQ(CurrentLanguage, language);
    EXPECT_EQ(f.ui.log, CurrentLanguage == u"Persian" ? kMarkPersian : kMarkEnglish);
    // An odd text stays stored until the next save.
    EXPECT_EQ(f.store.entries[kLanguageEntry], written ? u"English" : shown);
  }
}

// Each language's labels are seen in the windows, and in order in the
// switch; any other language labels neither window.
TEST(Language, AnotherLanguageLabelsNeitherWindow) {
  for (const char16_t* other : {u"english", u"", u"Persian ", u" English"}) {
    Fakes f;
    ApplyLanguage(f.ui, other);
    CurrentLanguage = other;
    AboutForm(f.ui).Form_Load();
    EXPECT_TRUE(f.ui.log.empty());
  }
}

// "Hidden" as stored, the option applied after start-up if any, and the
// status line after each switch: English to Persian, then back.
struct StatusCase {
  std::uint32_t hidden;
  std::optional<Element> applied;
  std::u16string_view persian, english;
};

TEST(MainForm, TheSwitchShowsTheStatusOfTheHiddenValueTheWindowKeeps) {
  const StatusCase cases[] = {
      {2, std::nullopt, kActivated.persian, kActivated.english},
      {1, std::nullopt, kDeactivated.persian, kDeactivated.english},
      {7, std::nullopt, u"", u""},  // as created, whatever the language
      {2, Element::OptShow, kDeactivated.persian, kDeactivated.english},
      {7, Element::OptHide, kActivated.persian, kActivated.english},
  };
  for (const StatusCase& c : cases) {
    SCOPED_TRACE(c.hidden);
    Fakes f;
    f.registry.PutDword(kHkcu, kAdvanced, u"Hidden", c.hidden);
    f.store.entries[kLanguageEntry] = u"English";
    f.form.Form_Load();
    if (c.applied) {
      f.ui.SetOptionValue(*c.applied, true);
      f.form.cmdApply_Click();
    }
    // Captions, the status line, directions, marks: in their order.
    Log expected = {"GetMenuChecked mnuLangPersian"};
    for (const Log& part :
         {RelabellingInPersian(c.persian.empty() ? Log{} : Log{"SetText txtCur"}), kMarkPersian}) {
      expected.insert(expected.end(), part.begin(), part.end());
    }
    f.ui.log.clear();
    f.form.mnuLangPersian_Click();
    EXPECT_EQ(f.ui.log, expected);
    EXPECT_EQ(f.ui.texts[Element::txtCur], c.persian);
    f.ui.log.clear();
    f.form.mnuLangPersian_Click();  // the item checked does nothing at all
    EXPECT_EQ(f.ui.log, Log{"GetMenuChecked mnuLangPersian"});
    f.form.mnuLangEnglish_Click();
    EXPECT_EQ(f.ui.texts[Element::txtCur], c.english);
  }
}

TEST(MainForm, AStoreThatCannotSaveEndsTheLoadWhereItFailedAndEitherItemSwitches) {
  for (const Element item : {Element::mnuLangEnglish, Element::mnuLangPersian}) {
    Fakes f;
    f.registry.PutUsualSettings();
    f.store.save_error = 70;  // no entry, and "English" cannot be written
    f.form.Form_Load();
    // Nothing read, selected, ticked, labelled or marked.
    EXPECT_EQ(CurrentLanguage, u"");
    EXPECT_TRUE(f.ui.texts.empty() && f.ui.options.empty() && f.ui.checks.empty());
    EXPECT_TRUE(f.ui.menu_checks.empty());
    // Neither item marked: either performs the whole switch.
    const bool persian = item == Element::mnuLangPersian;
    persian ? f.form.mnuLangPersian_Click() : f.form.mnuLangEnglish_Click();
    for (const Caption& caption : kMainCaptions) {
      EXPECT_EQ(f.ui.texts[caption.element], caption.In(persian)) << ElementName(caption.element);
    }
    EXPECT_TRUE(f.ui.menu_checks[item]);
    // Closing reports the failing save with its number.
    EXPECT_EQ(ErrorNumberOf([&f] { f.form.Form_Unload(); }), 70);
  }
}

}  // namespace
}  // namespace lumora::testing
