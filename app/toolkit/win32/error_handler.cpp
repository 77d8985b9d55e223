#include "app/toolkit/win32/error_handler.h"

#include <windows.h>

#include <new>

#include "app/toolkit/decimal_text.h"
#include "app/toolkit/runtime_error.h"
#include "app/toolkit/win32/text.h"

namespace lumora {

namespace {

std::wstring& Title() {
  static std::wstring title;
  return title;
}

int ExitCodeFor(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const RuntimeError& e) {
    return e.Number() != 0 ? e.Number() : 1;
  } catch (const std::bad_alloc&) {
    return kErrOutOfMemory;
  } catch (...) {
    return 1;
  }
}

}  // namespace

void SetApplicationTitle(std::wstring title) { Title() = std::move(title); }

const std::wstring& ApplicationTitle() { return Title(); }

std::wstring DescribeError(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const RuntimeError& e) {
    return L"Run-time error '" + DecimalText<wchar_t>(e.Number()) + L"':\n\n" +
           Utf8ToWide(e.what());
  } catch (const std::bad_alloc&) {
    return L"Run-time error '" + DecimalText<wchar_t>(kErrOutOfMemory) + L"':\n\nOut of memory";
  } catch (const std::exception& e) {
    return Utf8ToWide(e.what());
  } catch (...) {
    return L"Unexpected error";
  }
}

void DefaultErrorHandler(const std::exception_ptr& error) {
  const std::wstring text = DescribeError(error);
  // Task-modal and ownerless: the failing window may be half torn down.
  ::MessageBoxW(nullptr, text.c_str(), ApplicationTitle().c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ::ExitProcess(static_cast<UINT>(ExitCodeFor(error)));
}

}  // namespace lumora
