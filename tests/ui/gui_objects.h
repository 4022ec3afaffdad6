// How many GDI and USER objects this process holds, for leak checks.
//
// GetGuiResources answers on Windows. Wine leaves it unimplemented (it
// answers 0), so there the GDI count comes from the process's GDI handle
// table, which gdi32 itself reads through the PEB, and the USER count from
// the windows of this process (top-level, child and message-only), where
// control leaks show.
#pragma once

#include <windows.h>

#include <cstdint>

namespace lumeko::test {

namespace detail {

struct GdiHandleEntry {  // one slot of the shared handle table, 24 bytes
  std::uint64_t Object;
  std::uint32_t Owner;
  std::uint16_t Unique;
  std::uint8_t Type;
  std::uint8_t Flags;
  std::uint64_t User;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr int kGdiHandleSlots = 0x10000;

inline BOOL CALLBACK CountChild(HWND, LPARAM n) {
  ++*reinterpret_cast<long*>(n);
  return TRUE;
}

inline BOOL CALLBACK CountTop(HWND wnd, LPARAM n) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(wnd, &pid);
  if (pid != ::GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<long*>(n);
  ::EnumChildWindows(wnd, CountChild, n);
  return TRUE;
}

}  // namespace detail

inline long GdiObjectCount() {
  ::SetLastError(0);
  const DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  if (n != 0 || ::GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return static_cast<long>(n);
  // x64: TEB+0x60 is the PEB, PEB+0xF8 its GdiSharedHandleTable.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"  // the TEB read looks like an empty array to GCC
  const auto* teb = reinterpret_cast<const unsigned char*>(::NtCurrentTeb());
#pragma GCC diagnostic pop
  const auto* peb = *reinterpret_cast<const unsigned char* const*>(teb + 0x60);
  const auto* table = *reinterpret_cast<const detail::GdiHandleEntry* const*>(peb + 0xF8);
  if (!table) return -1;
  long count = 0;
  for (int i = 0; i < detail::kGdiHandleSlots; ++i) count += table[i].Type != 0 ? 1 : 0;
  return count;
}

inline long UserObjectCount() {
  ::SetLastError(0);
  const DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  if (n != 0 || ::GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return static_cast<long>(n);
  long count = 0;
  ::EnumWindows(detail::CountTop, reinterpret_cast<LPARAM>(&count));
  for (HWND w = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
       w = ::FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr))
    detail::CountTop(w, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace lumeko::test
