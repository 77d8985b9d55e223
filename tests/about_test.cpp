// The about window's load event and its OK button.
#include <gtest/gtest.h>

#include "app/about_form.h"
#include "fakes/recording_window.h"
#include "i18n/language.h"

namespace lumora::testing {
namespace {

using Log = std::vector<std::string>;

TEST(AboutForm, LabelsItselfInOrderForEnglishOrPersianAndNothingElse) {
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
    RecordingWindow ui;
    CurrentLanguage = language;
    frmAbout_Load(ui);
    EXPECT_EQ(ui.log, log);
  }
  CurrentLanguage.clear();
}

TEST(AboutForm, OkUnloadsTheWindow) {
  RecordingWindow ui;
  frmAbout_cmdOK_Click(ui);
  EXPECT_EQ(ui.log, Log{"Unload frmAbout"});
}

}  // namespace
}  // namespace lumora::testing
