#pragma once

// The start-up phases' time stamps, from a program built to mark them to the
// benchmark, through memory the benchmark shares under this name: one
// QueryPerformanceCounter value a phase, 0 until the phase is reached.
#include <windows.h>

#include "app/toolkit/win32/startup_phase.h"
#include "app/toolkit/win32/unique_handle.h"

namespace lumora::bench {

inline constexpr wchar_t kPhaseMarksName[] = L"Local\\LumoraStartupPhases";

struct PhaseMarks {
  LONGLONG at[kStartupPhaseCount];
};

// The benchmark's side: the memory the marking builds write, made for them.
struct SharedMarks {
  UniqueKernelHandle mapping{::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                  sizeof(PhaseMarks), kPhaseMarksName)};
  UniqueView view{::MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(PhaseMarks))};
  [[nodiscard]] PhaseMarks& Marks() const { return *static_cast<PhaseMarks*>(view.get()); }
};

}  // namespace lumora::bench
