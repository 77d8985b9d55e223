#pragma once

#include <windows.h>

#include <utility>

namespace lumora {

// Owns one Win32 handle and releases it once, by the function given: on
// reset, on destruction, and before put() hands out the slot for an API to
// fill. Every handle the program, its tests and its benchmark hold has one
// (lint finds a release made anywhere else). The handle stays readable
// while it is released: a window's last messages still find it, and the
// owner of a window the system destroys lets go of it then. A handle is
// anything whose value-initialised value means none.
template <typename Handle, auto Release>
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

  void reset(Handle handle = Handle{}) {
    if (handle_ != Handle{} && handle_ != handle) Release(handle_);
    handle_ = handle;
  }
  [[nodiscard]] Handle release() { return std::exchange(handle_, Handle{}); }
  [[nodiscard]] Handle* put() {
    reset();
    return &handle_;
  }
  [[nodiscard]] Handle get() const { return handle_; }
  [[nodiscard]] explicit operator bool() const { return handle_ != Handle{}; }

 private:
  Handle handle_{};
};

// The screen's device context, from GetDC(nullptr).
inline void ReleaseScreenDc(HDC dc) { ::ReleaseDC(nullptr, dc); }

using UniqueKey = UniqueHandle<HKEY, &::RegCloseKey>;
using UniqueWindow = UniqueHandle<HWND, &::DestroyWindow>;
using UniqueScreenDc = UniqueHandle<HDC, &ReleaseScreenDc>;
using UniqueFont = UniqueHandle<HFONT, &::DeleteObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, &::DeleteObject>;
using UniqueIcon = UniqueHandle<HICON, &::DestroyIcon>;
using UniqueAccelerators = UniqueHandle<HACCEL, &::DestroyAcceleratorTable>;
// A menu until a window takes it as its menu bar (release() then).
using UniqueMenu = UniqueHandle<HMENU, &::DestroyMenu>;
// A text the system allocated for the caller (FormatMessage).
using UniqueLocalText = UniqueHandle<wchar_t*, &::LocalFree>;
using UniqueHook = UniqueHandle<HHOOK, &::UnhookWindowsHookEx>;
using UniqueKernelHandle = UniqueHandle<HANDLE, &::CloseHandle>;
using UniqueMemoryDc = UniqueHandle<HDC, &::DeleteDC>;
using UniqueLibrary = UniqueHandle<HMODULE, &::FreeLibrary>;
// A view of a file mapping, unmapped by its address.
inline void UnmapView(void* view) { ::UnmapViewOfFile(view); }
using UniqueView = UniqueHandle<void*, &UnmapView>;

// A timer of the default timer queue, deleted once its callback is done.
inline void DeleteQueueTimer(HANDLE timer) {
  ::DeleteTimerQueueTimer(nullptr, timer, INVALID_HANDLE_VALUE);
}
using UniqueQueueTimer = UniqueHandle<HANDLE, &DeleteQueueTimer>;

// An object selected into a device context, and what it replaced there,
// which goes back when the selection ends.
struct Selection {
  HDC dc = nullptr;
  HGDIOBJ replaced = nullptr;
  friend bool operator==(const Selection&, const Selection&) = default;
};
inline void EndSelection(Selection selection) { ::SelectObject(selection.dc, selection.replaced); }
using UniqueSelection = UniqueHandle<Selection, &EndSelection>;
[[nodiscard]] inline UniqueSelection Select(HDC dc, HGDIOBJ object) {
  return UniqueSelection({dc, ::SelectObject(dc, object)});
}

}  // namespace lumora
