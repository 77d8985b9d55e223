#pragma once

#include <windows.h>

#include <utility>

namespace lumora {

// Owns a GDI or USER object handle and frees it once.
template <typename Handle, typename Free>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  void reset(Handle handle = nullptr) {
    if (handle_ != nullptr) Free{}(handle_);
    handle_ = handle;
  }
  [[nodiscard]] Handle get() const { return handle_; }

 private:
  Handle handle_ = nullptr;
};

struct FreeGdiObject {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct FreeIcon {
  void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
struct FreeAccelerators {
  void operator()(HACCEL table) const { ::DestroyAcceleratorTable(table); }
};

using UniqueFont = UniqueHandle<HFONT, FreeGdiObject>;
using UniqueIcon = UniqueHandle<HICON, FreeIcon>;
using UniqueAccelerators = UniqueHandle<HACCEL, FreeAccelerators>;

}  // namespace lumora
