// One-line RAII wrappers for Win32 handles.
//
// Every handle the system opens is held by one of these; business code never
// calls a Close/Delete function itself. When ownership moves to Windows (a
// bitmap selected into a DC that outlives us, a menu attached to a window),
// call release() and say so at the call site.
#pragma once

#include <windows.h>

#include <utility>

namespace lumeko {

// AlsoInvalid names a second "no handle" value besides null (CreateFile and
// FindFirstFile answer INVALID_HANDLE_VALUE); it is a traits type because a
// pointer constant cannot be a template argument.
struct NoOtherInvalid {
  template <typename T>
  static constexpr bool Is(T) noexcept { return false; }
};
struct MinusOneInvalid {
  static bool Is(HANDLE h) noexcept { return h == INVALID_HANDLE_VALUE; }
};

template <typename T, auto Close, typename AlsoInvalid = NoOtherInvalid>
class UniqueHandle {
 public:
  UniqueHandle() noexcept = default;
  explicit UniqueHandle(T h) noexcept : h_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, T{})) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, T{}));
    return *this;
  }
  ~UniqueHandle() { reset(); }

  T get() const noexcept { return h_; }
  explicit operator bool() const noexcept { return Valid(h_); }
  T release() noexcept { return std::exchange(h_, T{}); }
  void reset(T h = T{}) noexcept {
    if (Valid(h_)) Close(h_);
    h_ = h;
  }
  // For out-parameters: frees what is held and hands out the slot.
  T* put() noexcept {
    reset();
    return &h_;
  }

 private:
  static bool Valid(T h) noexcept { return h != T{} && !AlsoInvalid::Is(h); }
  T h_ = T{};
};

namespace detail {
inline void CloseHandleFn(HANDLE h) noexcept { ::CloseHandle(h); }
inline void RegCloseKeyFn(HKEY h) noexcept { ::RegCloseKey(h); }
inline void DeleteDCFn(HDC h) noexcept { ::DeleteDC(h); }
template <typename G>
inline void DeleteGdiFn(G h) noexcept { ::DeleteObject(h); }
inline void DestroyMenuFn(HMENU h) noexcept { ::DestroyMenu(h); }
inline void DestroyWindowFn(HWND h) noexcept { ::DestroyWindow(h); }
inline void FindCloseFn(HANDLE h) noexcept { ::FindClose(h); }
inline void FreeLibraryFn(HMODULE h) noexcept { ::FreeLibrary(h); }
}  // namespace detail

using UniqueHandleH = UniqueHandle<HANDLE, detail::CloseHandleFn>;
// CreateFile answers INVALID_HANDLE_VALUE, not null, on failure.
using UniqueFileHandle = UniqueHandle<HANDLE, detail::CloseHandleFn, MinusOneInvalid>;
using UniqueFindHandle = UniqueHandle<HANDLE, detail::FindCloseFn, MinusOneInvalid>;
using UniqueHKEY = UniqueHandle<HKEY, detail::RegCloseKeyFn>;
using UniqueHDC = UniqueHandle<HDC, detail::DeleteDCFn>;  // memory DCs (CreateCompatibleDC)
using UniqueHBITMAP = UniqueHandle<HBITMAP, detail::DeleteGdiFn<HBITMAP>>;
using UniqueHFONT = UniqueHandle<HFONT, detail::DeleteGdiFn<HFONT>>;
using UniqueHRGN = UniqueHandle<HRGN, detail::DeleteGdiFn<HRGN>>;
using UniqueHBRUSH = UniqueHandle<HBRUSH, detail::DeleteGdiFn<HBRUSH>>;
using UniqueHPEN = UniqueHandle<HPEN, detail::DeleteGdiFn<HPEN>>;
using UniqueHPALETTE = UniqueHandle<HPALETTE, detail::DeleteGdiFn<HPALETTE>>;
using UniqueHMENU = UniqueHandle<HMENU, detail::DestroyMenuFn>;
using UniqueHWND = UniqueHandle<HWND, detail::DestroyWindowFn>;
using UniqueHMODULE = UniqueHandle<HMODULE, detail::FreeLibraryFn>;

// A GDI object selected into a DC for the lifetime of this guard; the old
// object is selected back before the guard (and so before the object) dies.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (old_) ::SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A DC's drawing state (modes, colours, alignment, origin, selected objects)
// saved for the lifetime of this guard and put back when it ends.
class SavedDCState {
 public:
  explicit SavedDCState(HDC dc) noexcept : dc_(dc), saved_(::SaveDC(dc)) {}
  SavedDCState(const SavedDCState&) = delete;
  SavedDCState& operator=(const SavedDCState&) = delete;
  ~SavedDCState() {
    if (saved_) ::RestoreDC(dc_, saved_);
  }

 private:
  HDC dc_;
  int saved_;
};

// A window's paint DC from BeginPaint, ended with EndPaint. Objects selected
// into it are guarded after it, so they go back before EndPaint.
class PaintDC {
 public:
  explicit PaintDC(HWND wnd) noexcept : wnd_(wnd), dc_(::BeginPaint(wnd, &ps_)) {}
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  ~PaintDC() {
    if (dc_) ::EndPaint(wnd_, &ps_);
  }
  HDC get() const noexcept { return dc_; }
  const RECT& Dirty() const noexcept { return ps_.rcPaint; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND wnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// A DC from GetDC, given back with ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND wnd) noexcept : wnd_(wnd), dc_(::GetDC(wnd)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_) ::ReleaseDC(wnd_, dc_);
  }
  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND wnd_;
  HDC dc_;
};

}  // namespace lumeko
