#include "fakes/recording_window.h"

#include "app/toolkit/runtime_error.h"

namespace lumora::testing {

namespace {
std::string Entry(std::string_view op, Element element) {
  std::string entry{op};
  entry += ' ';
  entry += ElementName(element);
  return entry;
}
std::string Entry(std::string_view op, Element element, int value) {
  return Entry(op, element) + '=' + std::to_string(value);
}
}  // namespace

void RecordingWindow::Record(std::string entry) {
  if (fail_on && entry.starts_with(*fail_on)) {
    throw RuntimeError(kErrPlatformRefused, "window operation failed: " + entry);
  }
  log.push_back(std::move(entry));
}

void RecordingWindow::SetCaption(Element element, std::u16string_view caption) {
  Record(Entry("SetCaption", element));
  captions[element] = caption;
}

void RecordingWindow::SetText(Element element, std::u16string_view text) {
  Record(Entry("SetText", element));
  texts[element] = text;
}

bool RecordingWindow::GetOptionValue(Element element) {
  Record(Entry("GetOptionValue", element));
  return options[element];
}

void RecordingWindow::SetOptionValue(Element element, bool value) {
  Record(Entry("SetOptionValue", element, value ? 1 : 0));
  // The two option buttons form one group.
  if (value) {
    for (auto& [other, set] : options) set = false;
  }
  options[element] = value;
}

int RecordingWindow::GetCheckValue(Element element) {
  Record(Entry("GetCheckValue", element));
  return checks[element];
}

void RecordingWindow::SetCheckValue(Element element, int value) {
  Record(Entry("SetCheckValue", element, value));
  checks[element] = value;
}

void RecordingWindow::SetRightToLeft(Element element, bool value) {
  Record(Entry("SetRightToLeft", element, value ? 1 : 0));
  right_to_left[element] = value;
}

void RecordingWindow::SetLabelAlignment(Element element, int alignment) {
  Record(Entry("SetLabelAlignment", element, alignment));
  alignments[element] = alignment;
}

bool RecordingWindow::GetMenuChecked(Element element) {
  Record(Entry("GetMenuChecked", element));
  return menu_checks[element];
}

void RecordingWindow::SetMenuChecked(Element element, bool checked) {
  Record(Entry("SetMenuChecked", element, checked ? 1 : 0));
  menu_checks[element] = checked;
}

void RecordingWindow::ShowModal(Element window) { Record(Entry("ShowModal", window)); }

void RecordingWindow::Unload(Element window) {
  Record(Entry("Unload", window));
  // Unloading discards the window's elements; the next load starts afresh.
  if (window == Element::frmAbout) {
    for (const Element e : {Element::frmAbout, Element::Label1, Element::cmdOK}) {
      captions.erase(e);
      right_to_left.erase(e);
      alignments.erase(e);
    }
  }
}

void RecordingWindow::MsgBox(std::u16string_view text, int flags,
                             std::optional<std::u16string_view> title) {
  Record("MsgBox " + std::to_string(flags));
  msg_boxes.push_back(
      {std::u16string{text}, flags, title ? std::optional<std::u16string>{*title} : std::nullopt});
}

void RecordingWindow::EndProgram() { Record("EndProgram"); }

void RecordingWindow::InitCommonControls() { Record("InitCommonControls"); }

std::vector<std::string> RecordingWindow::Changes() const {
  std::vector<std::string> changes;
  for (const auto& entry : log) {
    if (!entry.starts_with("Get")) changes.push_back(entry);
  }
  return changes;
}

}  // namespace lumora::testing
