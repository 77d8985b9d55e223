// MinGW only. libstdc++'s default terminate handler demangles the type of
// the escaping exception, which links the whole demangler (about 45 KiB)
// into the program. Every exception ends at a window procedure's boundary or
// in wWinMain, so terminate means a broken program: end it without that.
#include <cstdlib>

namespace __gnu_cxx {
// The runtime's own name, replaced on purpose.
void __verbose_terminate_handler() { std::abort(); }  // NOLINT(bugprone-reserved-identifier)
}  // namespace __gnu_cxx
