// The language preference, the labelling of the main window and of the about
// window, the language switch, and the main window's load handler.
#include "i18n/language.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/about_form.h"
#include "app/window_descriptions.h"
#include "fakes/fakes.h"
#include "i18n/apply_language.h"
#include "i18n/language_preference.h"
#include "texts.h"

namespace lumora::testing {
namespace {

const Log kMarkEnglish = {"SetMenuChecked mnuLangPersian=0", "SetMenuChecked mnuLangEnglish=1"};
const Log kMarkPersian = {"SetMenuChecked mnuLangPersian=1", "SetMenuChecked mnuLangEnglish=0"};
// The switch to Persian as the window sees it: the item's mark read, the
// captions set in their order, the status line if shown, the six elements
// turned right to left in their order, then the marks.
Log SwitchToPersian(bool status) {
  Log log = {"GetMenuChecked mnuLangPersian"};
  for (const Caption& caption : kMainCaptions) {
    log.push_back("SetCaption " + std::string(ElementName(caption.element)));
  }
  if (status) log.emplace_back("SetText txtCur");
  for (const char* turns : {"framOpt", "framMain", "chkSuper", "OptShow", "OptHide", "frmMain"}) {
    log.push_back(std::string("SetRightToLeft ") + turns + "=1");
  }
  log.insert(log.end(), kMarkPersian.begin(), kMarkPersian.end());
  return log;
}

// What is stored (nothing: no entry), the language settled on, and whether
// "English" is written at once. Each language's labels are seen in the
// windows, and in order in the switch; any other text labels neither window.
TEST(Language, LoadLanguageSettlesOnEnglishOrPersianAndMarksItAndNoOtherLanguageLabels) {
  const std::tuple<std::optional<std::u16string>, const char16_t*, bool> cases[] = {
      {std::nullopt, u"English", true}, {u"", u"English", true},
      {u"Persian", u"Persian", false},  {u"English", u"English", false},
      {u" Persian", u"English", false}, {u"persian", u"English", false},
      {u"Persian ", u"English", false}, {u"english", u"English", false},
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
    if (shown == language) continue;
    f.ui.log.clear();
    ApplyLanguage(f.ui, shown);
    CurrentLanguage = shown;
    AboutForm(f.ui).Form_Load();
    EXPECT_TRUE(f.ui.log.empty());
  }
}

// "Hidden" as stored, the option applied after start-up if any, the status
// line after each switch (English to Persian, then back), and whether the
// store cannot save: that ends the load before anything is read or marked,
// and the switch is then a whole one.
TEST(MainForm, TheSwitchShowsTheStatusOfTheHiddenValueTheWindowKeeps) {
  const std::tuple<std::uint32_t, std::optional<Element>, std::u16string_view, std::u16string_view,
                   bool>
      cases[] = {
          {2, std::nullopt, kActivated.persian, kActivated.english, false},
          {1, std::nullopt, kDeactivated.persian, kDeactivated.english, false},
          {7, std::nullopt, u"", u"", false},  // as created, whatever the language
          {2, Element::OptShow, kDeactivated.persian, kDeactivated.english, false},
          {7, Element::OptHide, kActivated.persian, kActivated.english, false},
          {2, std::nullopt, u"", u"", true},  // no entry, and "English" cannot be written
      };
  for (const auto& [hidden, applied, persian, english, store_fails] : cases) {
    SCOPED_TRACE(hidden);
    Fakes f;
    f.registry.PutSetting(u"Hidden", hidden);
    f.store.save_error = store_fails ? 70 : 0;
    if (!store_fails) f.store.entries[kLanguageEntry] = u"English";
    f.form.Form_Load();
    if (applied) {
      f.ui.SetOptionValue(*applied, true);
      f.form.cmdApply_Click();
    }
    f.ui.log.clear();
    f.form.mnuLangPersian_Click();
    EXPECT_EQ(f.ui.log, SwitchToPersian(!persian.empty()));
    EXPECT_EQ(f.ui.texts[Element::txtCur], persian);
    f.ui.log.clear();
    f.form.mnuLangPersian_Click();  // the item checked does nothing at all
    EXPECT_EQ(f.ui.log, Log{"GetMenuChecked mnuLangPersian"});
    f.form.mnuLangEnglish_Click();
    EXPECT_EQ(f.ui.texts[Element::txtCur], english);
  }
}

// Exit and File > Exit save the language once and end the program with no
// unload; closing the window any other way saves it in the unload.
TEST(MainForm, EachWayOutSavesTheLanguageOnce) {
  for (const auto way :
       {&MainForm::cmdExit_Click, &MainForm::mnuFileExit_Click, &MainForm::Form_Unload}) {
    Fakes f;
    CurrentLanguage = u"Persian";
    (f.form.*way)();
    EXPECT_EQ(f.store.saves, std::vector<std::u16string>{u"NorvaleSoft\\Lumora\\Language=Persian"});
    EXPECT_EQ(f.ui.log, way == &MainForm::Form_Unload ? Log{} : Log{"EndProgram"});
  }
}

}  // namespace
}  // namespace lumora::testing
