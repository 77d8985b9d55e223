#pragma once

namespace lumora {

// Twips: 1/1440 inch, so 15 twips make a pixel at 96 DPI.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend constexpr bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Rounds to the nearest pixel.
[[nodiscard]] int TwipsToPixels(int twips, int dpi);

// Edges are converted one by one, so elements that meet in twips meet in pixels.
[[nodiscard]] PixelRect ToPixels(const TwipsRect& rect, int dpi);

// Where an element stands in a container laid out right to left (its x axis
// starting at the right edge) so that it is seen at the same place.
[[nodiscard]] PixelRect MirroredForRightToLeft(const PixelRect& rect, int container_width);

// A font height for CreateFont: negative, a character height in pixels.
[[nodiscard]] int FontHeightForPoints(int hundredths_of_point, int dpi);

}  // namespace lumora
