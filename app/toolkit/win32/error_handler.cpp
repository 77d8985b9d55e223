#include "app/toolkit/win32/error_handler.h"

#include <windows.h>

#include <new>
#include <utility>

#include "app/toolkit/decimal_text.h"
#include "app/toolkit/runtime_error.h"
#include "app/toolkit/win32/text.h"

namespace lumora {

namespace {

std::u16string& Title() {
  static std::u16string title;
  return title;
}

// The exception being handled as a run-time error: its number and description.
std::pair<int, std::u16string> CurrentError() {
  try {
    throw;
  } catch (const RuntimeError& e) {
    return {e.Number() != 0 ? e.Number() : 1, e.Description()};
  } catch (const std::bad_alloc&) {
    return {kErrOutOfMemory, u"Out of memory"};
  } catch (...) {
    return {1, u"Unexpected error"};
  }
}

}  // namespace

void SetApplicationTitle(std::u16string title) { Title() = std::move(title); }

const std::u16string& ApplicationTitle() { return Title(); }

int ReportRunTimeError() {
  const auto [number, description] = CurrentError();
  const std::u16string text = u"Run-time error '" + DecimalText(number) + u"':\n\n" + description;
  // A main window torn down on the way has asked to quit, which would close
  // the box unseen; the program ends once it is answered anyway.
  MSG quit{};
  ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  // Task-modal and ownerless: the failing window may be half torn down.
  ::MessageBoxW(nullptr, WideView(text), WideView(ApplicationTitle()),
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
  return number;
}

void DefaultErrorHandler() { ::ExitProcess(static_cast<UINT>(ReportRunTimeError())); }

}  // namespace lumora
