#pragma once

#include <windows.h>

#include <utility>

namespace lumora {

// Owns one Win32 handle and frees it once: on reset, on destruction, and
// before put() hands out the slot for an API to fill.
template <typename Handle, typename Free>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  void reset(Handle handle = nullptr) {
    if (Handle old = std::exchange(handle_, handle); old != nullptr) Free{}(old);
  }
  [[nodiscard]] Handle release() { return std::exchange(handle_, nullptr); }
  [[nodiscard]] Handle* put() {
    reset();
    return &handle_;
  }
  [[nodiscard]] Handle get() const { return handle_; }
  [[nodiscard]] explicit operator bool() const { return handle_ != nullptr; }

 private:
  Handle handle_ = nullptr;
};

struct CloseKey {
  void operator()(HKEY key) const { ::RegCloseKey(key); }
};
struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct DestroyIconHandle {
  void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
struct DestroyAccelerators {
  void operator()(HACCEL table) const { ::DestroyAcceleratorTable(table); }
};
struct DestroyMenuHandle {
  void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};
struct FreeLocalMemory {
  void operator()(void* memory) const { ::LocalFree(memory); }
};

using UniqueKey = UniqueHandle<HKEY, CloseKey>;
using UniqueFont = UniqueHandle<HFONT, DeleteGdiObject>;
using UniqueIcon = UniqueHandle<HICON, DestroyIconHandle>;
using UniqueAccelerators = UniqueHandle<HACCEL, DestroyAccelerators>;
// A menu until a window takes it as its menu bar (release() then).
using UniqueMenu = UniqueHandle<HMENU, DestroyMenuHandle>;
// A text the system allocated for the caller (FormatMessage).
using UniqueLocalText = UniqueHandle<wchar_t*, FreeLocalMemory>;

}  // namespace lumora
