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

void frmAbout_Load(WindowOps& ui) {
  const std::u16string language = CurrentLanguage;
  if (language != kPersian && language != kEnglish) return;

  const bool persian = language == kPersian;
  ui.SetCaption(Element::Label1, AboutText(persian));
  ui.SetRightToLeft(Element::Label1, persian);
  ui.SetLabelAlignment(Element::Label1, persian ? 1 : 0);
  ui.SetCaption(Element::frmAbout, persian ? kAboutCaption.persian : kAboutCaption.english);
  ui.SetRightToLeft(Element::frmAbout, persian);
  if (persian) ui.SetCaption(Element::cmdOK, kAboutOkPersian);
}

void frmAbout_cmdOK_Click(WindowOps& ui) { ui.Unload(Element::frmAbout); }

}  // namespace lumora
