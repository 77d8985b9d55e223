#include "app/toolkit/twips.h"

namespace lumora {

int TwipsToPixels(int twips, int dpi) {
  // Windows are a few thousand twips at a few hundred DPI: 32 bits suffice.
  const int scaled = twips * dpi;
  return (scaled + (scaled >= 0 ? 720 : -720)) / 1440;
}

PixelRect ToPixels(const TwipsRect& rect, int dpi) {
  const int left = TwipsToPixels(rect.left, dpi);
  const int top = TwipsToPixels(rect.top, dpi);
  return {left, top, TwipsToPixels(rect.left + rect.width, dpi) - left,
          TwipsToPixels(rect.top + rect.height, dpi) - top};
}

PixelRect MirroredForRightToLeft(const PixelRect& rect, int container_width) {
  return {container_width - rect.left - rect.width, rect.top, rect.width, rect.height};
}

int FontHeightForPoints(int hundredths_of_point, int dpi) {
  // 72 points to the inch; round to the nearest pixel as the font mapper does.
  return -((hundredths_of_point * dpi + 3600) / 7200);
}

}  // namespace lumora
