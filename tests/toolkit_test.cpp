// The portable toolkit: twips as pixels.
#include <gtest/gtest.h>

#include "app/toolkit/twips.h"

namespace lumora::testing {
namespace {

TEST(Twips, BecomePixelsRoundedToTheNearestAtEachDpi) {
  struct Case {
    int twips;
    int dpi;
    int pixels;
  };
  const Case cases[] = {
      {.twips = 15, .dpi = 96, .pixels = 1},      {.twips = 7, .dpi = 96, .pixels = 0},
      {.twips = 8, .dpi = 96, .pixels = 1},       {.twips = 3720, .dpi = 96, .pixels = 248},
      {.twips = 2760, .dpi = 144, .pixels = 276}, {.twips = 195, .dpi = 144, .pixels = 20},
      {.twips = -8, .dpi = 96, .pixels = -1},     {.twips = 5820, .dpi = 120, .pixels = 485},
  };
  for (const auto& [twips, dpi, pixels] : cases) {
    EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " at " << dpi;
  }
  // Edges convert one by one: elements that meet in twips meet in pixels.
  EXPECT_EQ(ToPixels({15, 15, 15, 15}, 144), (PixelRect{2, 2, 1, 1}));
  EXPECT_EQ(MirroredForRightToLeft({10, 5, 30, 20}, 248), (PixelRect{208, 5, 30, 20}));
  // 8.25 points: 11 pixels high at 96 DPI, 17 at 144.
  EXPECT_EQ(FontHeightForPoints(825, 96), -11);
  EXPECT_EQ(FontHeightForPoints(825, 144), -17);
}

}  // namespace
}  // namespace lumora::testing
