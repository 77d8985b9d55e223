#include "app/toolkit/win32/menu_bar.h"

#include <vector>

#include "app/toolkit/win32/operation_name.h"
#include "app/toolkit/win32/platform_error.h"
#include "app/toolkit/win32/text.h"

namespace lumora {

MenuBar::MenuBar(const FormDesc& form) : form_(form) {
  std::vector<ACCEL> table;
  for (const MenuDesc& desc : form_.menu) {
    rows_[Index(desc.item)] = &desc;
    if (desc.shortcut_key != 0) {
      table.push_back({FCONTROL | FVIRTKEY, static_cast<WORD>(desc.shortcut_key),
                       static_cast<WORD>(ControlId(desc.item))});
    }
  }
  if (!table.empty()) {
    shortcuts_.reset(
        CheckLastError(::CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())),
                       u"CreateAcceleratorTable"));
  }
}

const MenuDesc* MenuBar::Describe(Element item) const { return rows_[Index(item)]; }

std::u16string MenuBar::TextOf(const MenuDesc& desc, std::u16string_view caption) const {
  std::u16string text(caption);
  if (!desc.shortcut_text.empty()) {
    text += u'\t';
    text += desc.shortcut_text;
  }
  return text;
}

UniqueMenu MenuBar::Build() {
  if (form_.menu.empty()) return {};
  UniqueMenu bar(CheckLastError(::CreateMenu(), u"CreateMenu"));
  std::array<Place, kElementCount> places{};
  HMENU popup = nullptr;
  UINT top = 0;
  UINT next = 0;
  for (const MenuDesc& desc : form_.menu) {
    const std::u16string text = TextOf(desc, desc.caption);
    const auto id = static_cast<UINT_PTR>(ControlId(desc.item));
    if (desc.parent == form_.window) {
      UniqueMenu created(CheckLastError(::CreatePopupMenu(), u"CreatePopupMenu"));
      CheckLastError(::AppendMenuW(bar.get(), MF_POPUP | MF_STRING,
                                   reinterpret_cast<UINT_PTR>(created.get()), WideView(text)),
                     u"AppendMenu");
      popup = created.release();  // the bar owns it now
      places[Index(desc.item)] = {bar.get(), top++};
      next = 0;
      continue;
    }
    CheckLastError(desc.caption == u"-" ? ::AppendMenuW(popup, MF_SEPARATOR, id, nullptr)
                                        : ::AppendMenuW(popup, MF_STRING, id, WideView(text)),
                   u"AppendMenu");
    places[Index(desc.item)] = {popup, next++};
  }
  places_ = places;
  return bar;
}

const MenuBar::Place& MenuBar::Built(Element item, std::u16string_view operation) const {
  const Place& place = places_[Index(item)];
  if (place.menu == nullptr) ThrowNotLoaded(operation, item);
  return place;
}

void MenuBar::SetCaption(HWND window, Element item, std::u16string_view caption) const {
  const Place& place = Built(item, u"Setting the caption");
  std::u16string text = TextOf(*rows_[Index(item)], caption);
  if (ShowsText(text, [&place](wchar_t* buffer, int size) {
        return ::GetMenuStringW(place.menu, place.position, buffer, size, MF_BYPOSITION);
      })) {
    return;
  }
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = WideBuffer(text.data());
  CheckLastError(::SetMenuItemInfoW(place.menu, place.position, TRUE, &info),
                 u"Setting the caption", item);
  // Laying out a hidden menu bar is wasted work at start-up.
  if (::IsWindowVisible(window)) ::DrawMenuBar(window);
}

bool MenuBar::IsChecked(Element item) const {
  const Place& place = Built(item, u"Reading the check mark");
  const UINT state = ::GetMenuState(place.menu, place.position, MF_BYPOSITION);
  if (state == static_cast<UINT>(-1)) ThrowLastError(u"Reading the check mark", item);
  return (state & MF_CHECKED) != 0;
}

void MenuBar::SetChecked(Element item, bool checked) const {
  const Place& place = Built(item, u"Setting the check mark");
  if (::CheckMenuItem(place.menu, place.position,
                      MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED)) ==
      static_cast<DWORD>(-1)) {
    ThrowLastError(u"Setting the check mark", item);
  }
}

}  // namespace lumora
