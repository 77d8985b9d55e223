// Start-up benchmark: lumora.exe against its floor (the same window with no
// logic) and a bare window, run in turn, each started with CreateProcess and
// timed until its main window is visible, its queue has answered and nothing
// of it is left to paint; then Apply to its confirmation, and the peak
// working set after start-up. The builds of lumora.exe and the floor that
// mark the start-up's phases run in the same turns, for a table of phases.
//   lumora_startup_bench LUMORA FLOOR BASELINE LUMORA_PHASES FLOOR_PHASES [ROUNDS]
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "app/toolkit/form_desc.h"
#include "app/toolkit/win32/text.h"
#include "app/toolkit/win32/unique_handle.h"
#include "bench/phase_marks.h"
#include "bench/window_waits.h"
#include "settings/visibility.h"

namespace {

using lumora::bench::Milliseconds;
using lumora::bench::Now;
using lumora::bench::WaitForWindow;
using lumora::bench::WaitUntilPainted;

// The program's key without its root, which is HKEY_CURRENT_USER.
const std::u16string kAdvancedKeyText(
    lumora::ExplorerAdvancedKey.substr(lumora::ExplorerAdvancedKey.find(u'\\') + 1));
const wchar_t* const kAdvancedKey = lumora::WideView(kAdvancedKeyText);

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

// A program under measurement: its window class and how to press Apply.
struct Program {
  const char* name;
  std::wstring exe;
  const wchar_t* class_name;
  WPARAM apply;  // the WM_COMMAND that presses Apply; 0 for none
  bool writes;   // whether Apply writes the two values
};

struct Run {
  double start_ms = 0;  // painted
  double written_ms = -1;
  double apply_ms = -1;
  double peak_kib = 0;
  double phase_ms[lumora::kStartupPhaseCount] = {};  // from the start, where marked
};

Run Measure(const Program& program, const lumora::bench::SharedMarks& shared) {
  Run run;
  shared.Marks() = {};
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring command_line = L"\"" + program.exe + L"\"";
  // Each run starts from the same state: hidden files not shown, system files shown.
  lumora::UniqueKey owned_key;
  ::RegCreateKeyExW(HKEY_CURRENT_USER, kAdvancedKey, 0, nullptr, 0,
                    KEY_NOTIFY | KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, owned_key.put(),
                    nullptr);
  HKEY key = owned_key.get();
  SetDword(key, L"Hidden", 2);
  SetDword(key, L"ShowSuperHidden", 1);
  ::Sleep(100);  // the last program's end settled
  const double t0 = Now();
  if (!::CreateProcessW(program.exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &info)) {
    std::fprintf(stderr, "cannot start %ls\n", program.exe.c_str());
    std::exit(1);
  }
  const lumora::UniqueKernelHandle process(info.hProcess), thread(info.hThread);
  ::WaitForInputIdle(info.hProcess, 10000);
  HWND window = WaitForWindow(info.dwProcessId, program.class_name);
  if (window == nullptr || !WaitUntilPainted(window)) {
    std::fprintf(stderr, "no painted window from %ls\n", program.exe.c_str());
    std::exit(1);
  }
  run.start_ms = Now() - t0;
  for (int i = 0; i < lumora::kStartupPhaseCount; ++i) {
    const LONGLONG at = shared.Marks().at[i];
    run.phase_ms[i] = at != 0 ? Milliseconds(at) - t0 : -1;
  }
  PROCESS_MEMORY_COUNTERS memory{};
  if (::GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory)) {
    run.peak_kib = static_cast<double>(memory.PeakWorkingSetSize) / 1024.0;
  }
  if (program.apply != 0) {
    // The registry says when both values are written: the program's own part
    // of Apply, apart from the platform's message box. A value set to what it
    // holds may not be reported, so both first hold values Apply never writes.
    const lumora::UniqueKernelHandle written(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    SetDword(key, L"Hidden", 0);
    SetDword(key, L"ShowSuperHidden", 2);
    ::RegNotifyChangeKeyValue(key, FALSE, REG_NOTIFY_CHANGE_LAST_SET, written.get(), TRUE);
    const double a0 = Now();
    ::PostMessageW(window, WM_COMMAND, program.apply, 0);
    if (program.writes && ::WaitForSingleObject(written.get(), 5000) == WAIT_OBJECT_0) {
      const double end = Now() + 5000;
      // Hidden is written first; ShowSuperHidden follows within the same click.
      while (GetDword(key, L"ShowSuperHidden") == 2 && Now() < end) ::Sleep(0);
      run.written_ms = Now() - a0;
    }
    HWND box = WaitForWindow(info.dwProcessId, L"#32770");
    run.apply_ms = Now() - a0;
    if (box != nullptr) {
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
      const double end = Now() + 5000;
      while (::IsWindow(box) && Now() < end) ::Sleep(1);
    }
  }
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) {
    ::TerminateProcess(info.hProcess, 1);
  }
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

// The start-up phase by phase, medians over the rounds, for the builds of
// lumora.exe and the floor that mark them (the programs at which and of).
void PrintPhases(const std::vector<Run> (&runs)[5], int which, int of) {
  static constexpr const char* kPhases[] = {"to wWinMain",
                                            "the window created",
                                            "the elements created and placed",
                                            "the language, settings",
                                            "the window shown",
                                            "the first paint done"};
  std::printf(
      "start-up in phases (median ms: each phase's own; from the start), lumora / floor:\n");
  for (int phase = 0; phase <= lumora::kStartupPhaseCount; ++phase) {
    const auto at = [phase](const Run& run) {
      return phase < lumora::kStartupPhaseCount ? run.phase_ms[phase] : run.start_ms;
    };
    double own[2] = {};
    double total[2] = {};
    for (int side = 0; side < 2; ++side) {
      std::vector<double> durations, ends;
      for (const Run& run : runs[side == 0 ? which : of]) {
        ends.push_back(at(run));
        durations.push_back(at(run) - (phase > 0 ? run.phase_ms[phase - 1] : 0));
      }
      own[side] = Median(durations);
      total[side] = Median(ends);
    }
    std::printf("  %-33s %7.2f %7.2f   %7.2f %7.2f\n", kPhases[phase], own[0], own[1], total[0],
                total[1]);
  }
}

int main(int argc, char** argv) {
  if (argc < 6) {
    std::fprintf(stderr, "usage: %s LUMORA FLOOR BASELINE LUMORA_PHASES FLOOR_PHASES [ROUNDS]\n",
                 argv[0]);
    return 2;
  }
  const Program programs[] = {
      {"lumora.exe", WindowsPath(argv[1]), L"Lumora.frmMain",
       MAKEWPARAM(lumora::ControlId(lumora::Element::cmdApply), BN_CLICKED), true},
      {"floor", WindowsPath(argv[2]), L"LumoraFloor", MAKEWPARAM(1, BN_CLICKED), false},
      {"bare window", WindowsPath(argv[3]), L"LumoraBaseline", 0, false},
      {"lumora.exe, phases", WindowsPath(argv[4]), L"Lumora.frmMain", 0, false},
      {"floor, phases", WindowsPath(argv[5]), L"LumoraFloor", 0, false},
  };
  const int rounds = argc > 6 ? std::max(1, std::atoi(argv[6])) : 30;
  const lumora::bench::SharedMarks shared;

  // One unmeasured round warms the file cache and the Wine server.
  for (const Program& program : programs) Measure(program, shared);
  std::vector<Run> runs[5];
  // A new order each round, the same each time the benchmark runs: none
  // always follows another, whose exit the next start would pay for.
  std::mt19937 random(5);
  int order[] = {0, 1, 2, 3, 4};
  for (int round = 0; round < rounds; ++round) {
    std::shuffle(std::begin(order), std::end(order), random);
    for (const int which : order) runs[which].push_back(Measure(programs[which], shared));
  }
  const auto median = [&runs](int which, auto field) {
    std::vector<double> values;
    for (const Run& run : runs[which]) values.push_back(run.*field);
    return Median(values);
  };
  const double lumora = median(0, &Run::start_ms);
  const double floor = median(1, &Run::start_ms);
  const double bare = median(2, &Run::start_ms);
  std::printf("rounds (each program once a round)     %d\n", rounds);
  std::printf("start-up ends when the window and its children are painted:\n");
  std::printf("start-up, lumora.exe                   %7.2f ms (median)\n", lumora);
  std::printf("start-up, floor                        %7.2f ms\n", floor);
  std::printf("start-up, bare window                  %7.2f ms\n", bare);
  std::printf("lumora / floor                         %7.3f (target at most 1.03)\n",
              lumora / floor);
  std::printf("lumora / bare window                   %7.3f\n", lumora / bare);
  std::printf("Apply to both values written, lumora   %7.3f ms\n", median(0, &Run::written_ms));
  std::printf("Apply to confirmation shown, lumora    %7.3f ms\n", median(0, &Run::apply_ms));
  std::printf("Apply to confirmation shown, floor     %7.3f ms\n", median(1, &Run::apply_ms));
  std::printf("peak working set, lumora.exe           %7.0f KiB (target at most 1.05 x floor)\n",
              median(0, &Run::peak_kib));
  std::printf("peak working set, floor                %7.0f KiB\n", median(1, &Run::peak_kib));
  std::printf("peak working set, bare window          %7.0f KiB\n", median(2, &Run::peak_kib));
  PrintPhases(runs, 3, 4);
  return 0;
}
