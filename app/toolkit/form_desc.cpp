#include "app/toolkit/form_desc.h"

#include <algorithm>

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

const MenuDesc* FindMenu(const FormDesc& form, Element item) {
  const auto found = std::ranges::find(form.menu, item, &MenuDesc::item);
  return found == form.menu.end() ? nullptr : &*found;
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

std::vector<const ElementDesc*> TabOrder(const FormDesc& form) {
  std::vector<const ElementDesc*> order;
  order.reserve(form.elements.size());
  for (const ElementDesc& desc : form.elements) order.push_back(&desc);
  // Tab indexes are distinct within a window, so a plain sort keeps no ties to order.
  std::ranges::sort(order, {}, &ElementDesc::tab_index);
  return order;
}

}  // namespace lumora
