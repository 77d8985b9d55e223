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
  // The menus so far, by element; the rules keep each menu's items right after it.
  std::array<HMENU, kElementCount> menus{};
  menus[Index(form_.window)] = bar.get();
  for (const MenuDesc& desc : form_.menu) {
    std::u16string text = TextOf(desc, desc.caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE;
    info.fType = desc.caption == u"-" ? MFT_SEPARATOR : MFT_STRING;
    info.wID = ControlId(desc.item);
    if (info.fType == MFT_STRING) {
      info.fMask |= MIIM_STRING;
      info.dwTypeData = WideBuffer(text.data());
    }
    UniqueMenu popup;
    if (desc.parent == form_.window) {
      popup.reset(CheckLastError(::CreatePopupMenu(), u"CreatePopupMenu"));
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = popup.get();
    }
    HMENU parent = menus[Index(desc.parent)];
    CheckLastError(
        ::InsertMenuItemW(parent, static_cast<UINT>(::GetMenuItemCount(parent)), TRUE, &info),
        u"InsertMenuItem");
    menus[Index(desc.item)] = popup.release();  // the bar owns it now
  }
  bar_ = bar.get();
  return bar;
}

UINT MenuBar::Built(Element item, std::u16string_view operation) const {
  if (bar_ == nullptr || rows_[Index(item)] == nullptr) ThrowNotLoaded(operation, item);
  return static_cast<UINT>(ControlId(item));
}

void MenuBar::SetCaption(HWND window, Element item, std::u16string_view caption) const {
  const UINT command = Built(item, u"Setting the caption");
  std::u16string text = TextOf(*rows_[Index(item)], caption);
  if (ShowsText(text, [this, command](wchar_t* buffer, int size) {
        return ::GetMenuStringW(bar_, command, buffer, size, MF_BYCOMMAND);
      })) {
    return;
  }
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = WideBuffer(text.data());
  CheckLastError(::SetMenuItemInfoW(bar_, command, FALSE, &info), u"Setting the caption", item);
  // Laying out a hidden menu bar is wasted work at start-up.
  if (::IsWindowVisible(window)) ::DrawMenuBar(window);
}

bool MenuBar::IsChecked(Element item) const {
  const UINT command = Built(item, u"Reading the check mark");
  const UINT state = ::GetMenuState(bar_, command, MF_BYCOMMAND);
  if (state == static_cast<UINT>(-1)) ThrowLastError(u"Reading the check mark", item);
  return (state & MF_CHECKED) != 0;
}

void MenuBar::SetChecked(Element item, bool checked) const {
  const UINT command = Built(item, u"Setting the check mark");
  if (::CheckMenuItem(bar_, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED)) ==
      static_cast<DWORD>(-1)) {
    ThrowLastError(u"Setting the check mark", item);
  }
}

}  // namespace lumora
