#include "bench/window_waits.h"

namespace lumora::bench {

namespace {

struct Search {
  DWORD pid;
  const wchar_t* class_name;
  HWND found;
};

BOOL CALLBACK Find(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  if (pid == search->pid && ::IsWindowVisible(hwnd) && lstrcmpW(name, search->class_name) == 0) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindUnpainted(HWND hwnd, LPARAM param) {
  if (::GetUpdateRect(hwnd, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(param) = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

double Milliseconds(LONGLONG counter) {
  static const double kFrequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  return static_cast<double>(counter) * 1000.0 / kFrequency;
}

double Now() {
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return Milliseconds(t.QuadPart);
}

HWND WaitForWindow(DWORD pid, const wchar_t* class_name, double timeout_ms) {
  const double end = Now() + timeout_ms;
  while (Now() < end) {
    Search search{pid, class_name, nullptr};
    ::EnumWindows(&Find, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    ::Sleep(0);
  }
  return nullptr;
}

bool WaitUntilPainted(HWND window, double timeout_ms) {
  const double end = Now() + timeout_ms;
  while (Now() < end) {
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer))
      return false;
    bool unpainted = ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
    if (!unpainted)
      ::EnumChildWindows(window, &FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    if (!unpainted) return true;
    ::Sleep(0);
  }
  return false;
}

}  // namespace lumora::bench
