#include "i18n/apply_language.h"

#include "i18n/language.h"
#include "i18n/main_texts.h"

namespace lumora {

namespace {

void SetCaptions(WindowOps& ui, bool persian) {
  for (const auto& [element, text] : kMainTexts) {
    ui.SetCaption(element, persian ? text.persian : text.english);
  }
}

void SetReadingDirection(WindowOps& ui, bool persian) {
  for (const Element element : kMainRightToLeft) ui.SetRightToLeft(element, persian);
}

}  // namespace

void ApplyLanguage(WindowOps& ui, std::u16string_view language) {
  if (language != kPersian && language != kEnglish) return;
  const bool persian = language == kPersian;
  SetCaptions(ui, persian);
  SetReadingDirection(ui, persian);
}

void SetStatusLine(WindowOps& ui, HidingStatus status) {
  const TextPair& text = kStatusTexts[static_cast<std::size_t>(status)];
  if (CurrentLanguage == kPersian) ui.SetText(Element::txtCur, text.persian);
  if (CurrentLanguage == kEnglish) ui.SetText(Element::txtCur, text.english);
}

void SwitchLanguage(WindowOps& ui, Element item, std::optional<HidingStatus> status) {
  if (ui.GetMenuChecked(item)) return;

  const bool persian = item == Element::mnuLangPersian;
  CurrentLanguage = persian ? kPersian : kEnglish;
  SetCaptions(ui, persian);
  if (status) SetStatusLine(ui, *status);
  SetReadingDirection(ui, persian);
  ui.SetMenuChecked(item, true);
  ui.SetMenuChecked(persian ? Element::mnuLangEnglish : Element::mnuLangPersian, false);
}

}  // namespace lumora
