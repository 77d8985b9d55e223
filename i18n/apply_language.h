#pragma once

#include <optional>
#include <string_view>

#include "app/toolkit/window_ops.h"
#include "i18n/main_texts.h"

namespace lumora {

// Labels the main window and sets its reading direction for English or
// Persian; any other language leaves the window alone.
void ApplyLanguage(WindowOps& ui, std::u16string_view language);

// Writes the status line in the current language; any language but exactly
// English or Persian leaves it alone.
void SetStatusLine(WindowOps& ui, HidingStatus status);

// The Language menu handlers: mnuLangEnglish or mnuLangPersian chosen.
// status is what the main window's settings say of hiding, if anything.
void SwitchLanguage(WindowOps& ui, Element item, std::optional<HidingStatus> status);

}  // namespace lumora
