#pragma once

// Where the start-up stands, for the benchmark's build of the program, which
// sends each phase's time to the benchmark. The shipped build marks nothing
// and carries none of it.
namespace lumora {

enum class StartupPhase : unsigned char {
  kMain,            // wWinMain entered
  kWindowCreated,   // the main window exists
  kElementsPlaced,  // its elements created, fonts set, placed
  kLoaded,          // the language applied and the settings read
  kShown,           // shown, before its first paint
};
inline constexpr int kStartupPhaseCount = static_cast<int>(StartupPhase::kShown) + 1;

#ifdef LUMORA_STARTUP_PHASES
void MarkPhase(StartupPhase phase);
#else
inline void MarkPhase(StartupPhase /*phase*/) {}
#endif

}  // namespace lumora
