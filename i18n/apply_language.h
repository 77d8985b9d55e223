#pragma once

#include <cstdint>
#include <string_view>

#include "app/window_ops.h"

namespace lumora {

// Labels the main window and sets its reading direction for English or
// Persian; any other language leaves the window alone.
void ApplyLanguage(WindowOps& ui, std::u16string_view language);

// The Language menu handlers: mnuLangEnglish or mnuLangPersian chosen.
// hiddenValue is the main window's last known "Hidden" number.
void SwitchLanguage(WindowOps& ui, Element item, std::int16_t hiddenValue);

}  // namespace lumora
