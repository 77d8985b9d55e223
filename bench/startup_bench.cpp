// Start-up benchmark: lumora.exe against a minimal Win32 program, run by run
// in turn, each started with CreateProcess and timed until its main window is
// visible and the process waits for input; then Apply to its confirmation,
// and the peak working set after start-up.
//   lumora_startup_bench LUMORA_EXE BASELINE_EXE [PAIRS]
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/toolkit/form_desc.h"
#include "app/toolkit/win32/text.h"
#include "settings/visibility.h"

namespace {

// The program's key without its root, which is HKEY_CURRENT_USER.
const std::u16string kAdvancedKeyText(
    lumora::ExplorerAdvancedKey.substr(lumora::ExplorerAdvancedKey.find(u'\\') + 1));
const wchar_t* const kAdvancedKey = lumora::Wide(kAdvancedKeyText);

double Now() {
  static const double kFrequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / kFrequency;  // milliseconds
}

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

HWND WaitForWindow(DWORD pid, const wchar_t* class_name, double timeout_ms = 10000) {
  const double end = Now() + timeout_ms;
  while (Now() < end) {
    Search search{pid, class_name, nullptr};
    ::EnumWindows(&Find, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    ::Sleep(0);
  }
  return nullptr;
}

std::wstring WindowsPath(const char* path) {
  std::wstring wide(path, path + strlen(path));
  if (!wide.empty() && wide.front() == L'/') {  // a Unix path, seen as drive Z:
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    wide = L"Z:" + wide;
  }
  return wide;
}

void SetDword(HKEY key, const wchar_t* name, DWORD value) {
  ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

DWORD GetDword(HKEY key, const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  ::RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  return value;
}

struct Run {
  double start_ms = 0;
  double written_ms = -1;
  double apply_ms = -1;
  SIZE_T peak_working_set = 0;
};

Run Measure(const std::wstring& exe, const wchar_t* class_name, bool measure_apply) {
  Run run;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring command_line = L"\"" + exe + L"\"";
  // Each run starts from the same state: hidden files not shown, system files shown.
  HKEY key = nullptr;
  if (measure_apply) {
    ::RegCreateKeyExW(HKEY_CURRENT_USER, kAdvancedKey, 0, nullptr, 0,
                      KEY_NOTIFY | KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &key, nullptr);
    SetDword(key, L"Hidden", 2);
    SetDword(key, L"ShowSuperHidden", 1);
  }
  const double t0 = Now();
  if (!::CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
    std::fprintf(stderr, "cannot start %ls\n", exe.c_str());
    std::exit(1);
  }
  ::WaitForInputIdle(info.hProcess, 10000);
  HWND window = WaitForWindow(info.dwProcessId, class_name);
  run.start_ms = Now() - t0;
  if (window == nullptr) {
    std::fprintf(stderr, "no window from %ls\n", exe.c_str());
    std::exit(1);
  }
  PROCESS_MEMORY_COUNTERS memory{};
  if (::GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory)) {
    run.peak_working_set = memory.PeakWorkingSetSize;
  }
  if (measure_apply) {
    // The registry says when both values are written: the program's own part
    // of Apply, apart from the platform's message box. A value set to what it
    // holds may not be reported, so both first hold values Apply never writes.
    HANDLE written = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetDword(key, L"Hidden", 0);
    SetDword(key, L"ShowSuperHidden", 2);
    ::RegNotifyChangeKeyValue(key, FALSE, REG_NOTIFY_CHANGE_LAST_SET, written, TRUE);
    const double a0 = Now();
    ::PostMessageW(window, WM_COMMAND,
                   MAKEWPARAM(lumora::ControlId(lumora::Element::cmdApply), BN_CLICKED), 0);
    if (::WaitForSingleObject(written, 5000) == WAIT_OBJECT_0) {
      const double end = Now() + 5000;
      // Hidden is written first; ShowSuperHidden follows within the same click.
      while (GetDword(key, L"ShowSuperHidden") == 2 && Now() < end) ::Sleep(0);
      run.written_ms = Now() - a0;
    }
    HWND box = WaitForWindow(info.dwProcessId, L"#32770");
    run.apply_ms = Now() - a0;
    ::CloseHandle(written);
    if (box != nullptr) {
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
      const double end = Now() + 5000;
      while (::IsWindow(box) && Now() < end) ::Sleep(1);
    }
  }
  if (key != nullptr) ::RegCloseKey(key);
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) {
    ::TerminateProcess(info.hProcess, 1);
  }
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s LUMORA_EXE BASELINE_EXE [PAIRS]\n", argv[0]);
    return 2;
  }
  const std::wstring lumora = WindowsPath(argv[1]);
  const std::wstring baseline = WindowsPath(argv[2]);
  const int pairs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 30;

  // One unmeasured pair warms the file cache and the Wine server.
  Measure(lumora, L"Lumora.frmMain", false);
  Measure(baseline, L"LumoraBaseline", false);

  std::vector<double> lumora_start, baseline_start, written, apply, peak;
  for (int i = 0; i < pairs; ++i) {
    // Alternate which goes first, so neither always follows the other.
    const bool lumora_first = i % 2 == 0;
    if (!lumora_first)
      baseline_start.push_back(Measure(baseline, L"LumoraBaseline", false).start_ms);
    const Run run = Measure(lumora, L"Lumora.frmMain", true);
    lumora_start.push_back(run.start_ms);
    written.push_back(run.written_ms);
    apply.push_back(run.apply_ms);
    peak.push_back(static_cast<double>(run.peak_working_set) / 1024.0);
    if (lumora_first)
      baseline_start.push_back(Measure(baseline, L"LumoraBaseline", false).start_ms);
  }
  const double l = Median(lumora_start);
  const double b = Median(baseline_start);
  std::printf("pairs                         %d\n", pairs);
  std::printf("start-up, lumora.exe          %.2f ms (median)\n", l);
  std::printf("start-up, baseline            %.2f ms (median)\n", b);
  std::printf("ratio lumora / baseline       %.3f (target at most 1.10)\n", l / b);
  std::printf("Apply to confirmation shown   %.3f ms (median, target under 5)\n", Median(apply));
  std::printf("  of it, Apply to both written %.3f ms (median)\n", Median(written));
  std::printf("peak working set, lumora.exe  %.0f KiB (median after start-up)\n", Median(peak));
  return 0;
}
