// The benchmark's builds of the program and the floor: each phase's first
// time stamp, into the memory the benchmark shares. Mapped at each mark: a
// static owner's destructor would pull a runtime into the floor.
#include "bench/phase_marks.h"

namespace lumora {

void MarkPhase(StartupPhase phase) {
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  const UniqueKernelHandle mapping(
      ::OpenFileMappingW(FILE_MAP_WRITE, FALSE, bench::kPhaseMarksName));
  const UniqueView view(
      mapping ? ::MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(bench::PhaseMarks))
              : nullptr);
  if (!view) return;
  LONGLONG& at = static_cast<bench::PhaseMarks*>(view.get())->at[static_cast<int>(phase)];
  if (at == 0) at = now.QuadPart;
}

}  // namespace lumora
