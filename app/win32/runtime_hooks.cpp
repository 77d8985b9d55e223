// MinGW only: the C++ runtime's failure hooks, reporting through the
// program's own run-time error. Its defaults carry much the program never
// uses: the terminate handler demangles type names (about 45 KiB), and the
// container errors build std::logic_error messages in a second string
// implementation that also brings std::random_device (about 80 KiB).
// NOLINTBEGIN(bugprone-reserved-identifier): the runtime's own names, replaced on purpose.
#include <cstdlib>
#include <new>

#include "app/toolkit/runtime_error.h"

namespace __gnu_cxx {
// Every exception ends at a window procedure's boundary or in wWinMain, so
// terminate means a broken program: end it.
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace std {
// A text or table grown past what memory allows is out of memory.
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_alloc(); }
void __throw_length_error(const char* /*what*/) { throw std::bad_alloc(); }
// Indexing past the end, or a text made from a null pointer: a broken program.
void __throw_out_of_range_fmt(const char* /*format*/, ...) {
  throw lumora::RuntimeError(lumora::kErrSubscriptOutOfRange, u"Subscript out of range");
}
void __throw_logic_error(const char* /*what*/) {
  throw lumora::RuntimeError(lumora::kErrPlatformRefused, u"Invalid procedure call or argument");
}
}  // namespace std
// NOLINTEND(bugprone-reserved-identifier)
