#include "app/toolkit/form_desc.h"

#include <algorithm>

namespace lumora {

bool ElementFromControlId(int id, Element& element) {
  const int index = id - kFirstControlId;
  if (index < 0 || index >= kElementCount) return false;
  element = static_cast<Element>(index);
  return true;
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
