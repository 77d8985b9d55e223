#include <gtest/gtest.h>

#include "app/about_form.h"
#include "app/about_texts.h"
#include "fakes/recording_window.h"
#include "i18n/language.h"

namespace lumora::testing {
namespace {

class AboutTest : public ::testing::Test {
 protected:
  void TearDown() override { CurrentLanguage.clear(); }
  RecordingWindow ui_;
};

TEST_F(AboutTest, EnglishOpening) {
  CurrentLanguage = u"English";
  frmAbout_Load(ui_);
  EXPECT_EQ(ui_.log, (std::vector<std::string>{"SetCaption Label1", "SetRightToLeft Label1=0",
                                               "SetLabelAlignment Label1=0", "SetCaption frmAbout",
                                               "SetRightToLeft frmAbout=0"}));
  EXPECT_EQ(ui_.captions[Element::Label1],
            u"After changing settings and applying, you must 'Refresh' once in desktop.\r\n"
            u"Then you can see the changes!\r\n"
            u"Author: the Lumora team\r\n"
            u"Producer: NorvaleSoft\r\n");
  EXPECT_EQ(ui_.captions[Element::frmAbout], u"About ... ");
}

TEST_F(AboutTest, PersianOpening) {
  CurrentLanguage = u"Persian";
  frmAbout_Load(ui_);
  EXPECT_EQ(ui_.log, (std::vector<std::string>{"SetCaption Label1", "SetRightToLeft Label1=1",
                                               "SetLabelAlignment Label1=1", "SetCaption frmAbout",
                                               "SetRightToLeft frmAbout=1", "SetCaption cmdOK"}));
  std::u16string expected;
  for (const auto& line : kAboutLines) expected += std::u16string{line.persian} + u"\r\n";
  EXPECT_EQ(ui_.captions[Element::Label1], expected);
  EXPECT_EQ(ui_.captions[Element::frmAbout], u"درباره ...");
  EXPECT_EQ(ui_.captions[Element::cmdOK], u"تاييد");
}

TEST_F(AboutTest, AnyOtherLanguageLeavesTheCreationTimeWindow) {
  for (const std::u16string_view language : {u"", u"persian", u" English"}) {
    CurrentLanguage = language;
    frmAbout_Load(ui_);
  }
  EXPECT_TRUE(ui_.log.empty());
}

TEST_F(AboutTest, EachOpeningStartsFromTheCreatedWindow) {
  CurrentLanguage = u"Persian";
  frmAbout_Load(ui_);
  frmAbout_cmdOK_Click(ui_);
  EXPECT_EQ(ui_.log.back(), "Unload frmAbout");
  CurrentLanguage = u"English";
  frmAbout_Load(ui_);
  EXPECT_EQ(ui_.captions.count(Element::cmdOK), 0U);  // "OK" as created
  EXPECT_EQ(ui_.captions[Element::frmAbout], u"About ... ");
}

}  // namespace
}  // namespace lumora::testing
