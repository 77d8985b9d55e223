#include "app/about_form.h"

#include <string>

#include "app/about_texts.h"
#include "app/toolkit/window_ops.h"
#include "i18n/language.h"

namespace lumora {

namespace {
std::u16string AboutText(bool persian) {
  std::u16string text;
  for (const auto& line : kAboutLines) {
    text += persian ? line.persian : line.english;
    text += u"\r\n";
  }
  return text;
}
}  // namespace

void AboutForm::Form_Load() {
  const std::u16string language = CurrentLanguage;
  if (language != kPersian && language != kEnglish) return;

  const bool persian = language == kPersian;
  ui_.SetCaption(Element::Label1, AboutText(persian));
  ui_.SetRightToLeft(Element::Label1, persian);
  ui_.SetLabelAlignment(Element::Label1, persian ? 1 : 0);
  ui_.SetCaption(Element::frmAbout, persian ? kAboutCaption.persian : kAboutCaption.english);
  ui_.SetRightToLeft(Element::frmAbout, persian);
  if (persian) ui_.SetCaption(Element::cmdOK, kAboutOkPersian);
}

void AboutForm::cmdOK_Click() { ui_.Unload(Element::frmAbout); }

}  // namespace lumora
