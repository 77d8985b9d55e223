#include "app/form_layout.h"

#include <algorithm>
#include <cstdint>

namespace lumora {

bool ElementFromControlId(int id, Element& element) {
  const int index = id - kFirstControlId;
  if (index < 0 || index >= kElementCount) return false;
  element = static_cast<Element>(index);
  return true;
}

const ElementDesc* FindElement(const FormDesc& form, Element element) {
  const auto found = std::ranges::find(form.elements, element, &ElementDesc::element);
  return found == form.elements.end() ? nullptr : &*found;
}

TwipsRect ClientTwips(const FormDesc& form, Element element) {
  const ElementDesc* desc = FindElement(form, element);
  if (desc == nullptr) return {};
  TwipsRect rect = desc->rect;
  // Each container precedes its contents, so the walk ends at the window.
  for (const ElementDesc* outer = FindElement(form, desc->container); outer != nullptr;
       outer = FindElement(form, outer->container)) {
    rect.left += outer->rect.left;
    rect.top += outer->rect.top;
  }
  return rect;
}

int TwipsToPixels(int twips, int dpi) {
  const std::int64_t scaled = static_cast<std::int64_t>(twips) * dpi;
  const std::int64_t half = scaled >= 0 ? 720 : -720;
  return static_cast<int>((scaled + half) / 1440);
}

PixelRect ToPixels(const TwipsRect& rect, int dpi) {
  const int left = TwipsToPixels(rect.left, dpi);
  const int top = TwipsToPixels(rect.top, dpi);
  return {left, top, TwipsToPixels(rect.left + rect.width, dpi) - left,
          TwipsToPixels(rect.top + rect.height, dpi) - top};
}

PixelRect MirroredForRightToLeft(const PixelRect& rect, int clientWidthPixels) {
  return {clientWidthPixels - rect.left - rect.width, rect.top, rect.width, rect.height};
}

std::vector<const ElementDesc*> TabOrder(const FormDesc& form) {
  std::vector<const ElementDesc*> order;
  for (const ElementDesc& desc : form.elements) order.push_back(&desc);
  std::ranges::stable_sort(order, {}, &ElementDesc::tabIndex);
  return order;
}

int FontHeightForPoints(int hundredthsOfPoint, int dpi) {
  // 72 points to the inch; round to the nearest pixel as the font mapper does.
  return -((hundredthsOfPoint * dpi + 3600) / 7200);
}

}  // namespace lumora
