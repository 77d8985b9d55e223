#include <gtest/gtest.h>

#include "app/window_descriptions.h"

namespace lumora {
namespace {

TEST(LayoutTest, ElementsStandWhereTheWindowDescriptionPutsThem) {
  struct Case {
    const FormDesc& form;
    Element element;
    int left;
    int top;
  };
  const Case cases[] = {
      {kMainForm, Element::framOpt, 120, 120},    {kMainForm, Element::txtCur, 480, 360},
      {kMainForm, Element::framMain, 120, 840},   {kMainForm, Element::pic, 240, 1080},
      {kMainForm, Element::chkSuper, 240, 1120},  {kMainForm, Element::OptShow, 240, 1440},
      {kMainForm, Element::OptHide, 240, 1700},   {kMainForm, Element::cmdApply, 360, 2040},
      {kMainForm, Element::cmdAbout, 1440, 2040}, {kMainForm, Element::cmdExit, 2520, 2040},
      {kAboutForm, Element::cmdOK, 1200, 1380},   {kAboutForm, Element::Label1, 60, 60},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ElementName(c.element));
    const TwipsRect rect = ClientTwips(c.form, c.element);
    EXPECT_EQ(rect.left, c.left);
    EXPECT_EQ(rect.top, c.top);
  }
  // The buttons end at the panel's bottom; the frames 105 twips short of the edges.
  const TwipsRect apply = ClientTwips(kMainForm, Element::cmdApply);
  const TwipsRect pic = ClientTwips(kMainForm, Element::pic);
  EXPECT_EQ(apply.top + apply.height, pic.top + pic.height);
  const TwipsRect frame = ClientTwips(kMainForm, Element::framMain);
  EXPECT_EQ(kMainForm.client_width - (frame.left + frame.width), 105);
  EXPECT_EQ(kMainForm.client_height - (frame.top + frame.height), 105);
  const TwipsRect ok = ClientTwips(kAboutForm, Element::cmdOK);
  EXPECT_EQ(kAboutForm.client_height - (ok.top + ok.height), 90);
}

TEST(LayoutTest, TwipsBecomePixelsAtTheWindowsDpi) {
  EXPECT_EQ(TwipsToPixels(kMainForm.client_width, 96), 248);
  EXPECT_EQ(TwipsToPixels(kMainForm.client_height, 96), 184);
  EXPECT_EQ(TwipsToPixels(kAboutForm.client_height, 96), 119);
  EXPECT_EQ(TwipsToPixels(3720, 144), 372);
  EXPECT_EQ(TwipsToPixels(-15, 96), -1);
  // Edges convert separately: 40 + 195 twips is 2.67 + 13 pixels.
  EXPECT_EQ(ToPixels({0, 40, 3255, 195}, 96), (PixelRect{0, 3, 217, 13}));
  EXPECT_EQ(MirroredForRightToLeft({8, 8, 233, 41}, 248), (PixelRect{7, 8, 233, 41}));
  EXPECT_EQ(FontHeightForPoints(825, 96), -11);
  EXPECT_EQ(FontHeightForPoints(825, 144), -17);
}

TEST(LayoutTest, FocusOrderStartsAtApplyAndControlIdsRoundTrip) {
  std::vector<Element> order;
  for (const ElementDesc* desc : TabOrder(kMainForm)) order.push_back(desc->element);
  const std::vector<Element> expected = {
      Element::framMain, Element::cmdApply, Element::cmdAbout, Element::OptHide, Element::OptShow,
      Element::chkSuper, Element::cmdExit,  Element::framOpt,  Element::txtCur,  Element::pic};
  EXPECT_EQ(order, expected);

  for (int i = 0; i < kElementCount; ++i) {
    Element back = Element::frmMain;
    ASSERT_TRUE(ElementFromControlId(ControlId(static_cast<Element>(i)), back));
    EXPECT_EQ(back, static_cast<Element>(i));
  }
  Element unused = Element::frmMain;
  EXPECT_FALSE(ElementFromControlId(1, unused));  // IDOK
  EXPECT_FALSE(ElementFromControlId(2, unused));  // IDCANCEL
  EXPECT_FALSE(ElementFromControlId(ControlId(Element::Label1) + 1, unused));
}

}  // namespace
}  // namespace lumora
