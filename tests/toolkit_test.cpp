// The portable toolkit: decimal texts at every width, and twips as pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "app/toolkit/decimal_text.h"
#include "app/toolkit/twips.h"

namespace lumora::testing {
namespace {

TEST(DecimalText, WritesEveryIntegerWidthWhole) {
  EXPECT_EQ(DecimalText(0), u"0");
  EXPECT_EQ(DecimalText(-7), u"-7");
  EXPECT_EQ(DecimalText(std::numeric_limits<std::int32_t>::min()), u"-2147483648");
  EXPECT_EQ(DecimalText(std::numeric_limits<std::int64_t>::min()), u"-9223372036854775808");
  EXPECT_EQ(DecimalText(std::numeric_limits<std::int64_t>::max()), u"9223372036854775807");
  // Statuses are unsigned: 0x80004005 is a large number, not a negative one.
  EXPECT_EQ(DecimalText(0x80004005UL), u"2147500037");
  EXPECT_EQ(DecimalText(std::numeric_limits<std::uint64_t>::max()), u"18446744073709551615");
}

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
