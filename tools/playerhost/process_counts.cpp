// The process's object counts (see process_counts.h).
//
// Windows answers each count with one call. Wine answers 0 for GDI and USER
// objects (a stub), for the handle count and for PrivateUsage, so a 0 is
// taken as "not told" and the count is made another way: the GDI handle
// table read by index, the process's windows and menus, its entries in the
// system's handle list, and the committed private pages of its address
// space. Not Wine's PagefileUsage: that counts the host side too (glyph
// caches, bitmaps), which on Windows lives in the kernel, outside private
// bytes, and comes and goes with the font sizes a run happened to use.
#include "process_counts.h"

#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <vector>

namespace lumeko::host {

namespace {

// Handles with a zero upper word name a table entry by its index alone.
std::uint32_t CountGdiTable() {
  std::uint32_t n = 0;
  for (UINT_PTR i = 1; i < 0x10000; ++i)
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(i))) ++n;
  return n;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<std::uint32_t*>(count);
  return TRUE;
}

BOOL CALLBACK CountOwnWindow(HWND w, LPARAM count) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(w, &pid);
  if (pid == ::GetCurrentProcessId()) {
    ++*reinterpret_cast<std::uint32_t*>(count);
    ::EnumChildWindows(w, CountChild, count);
  }
  return TRUE;
}

std::uint32_t CountUserObjects() {
  std::uint32_t n = 0;
  ::EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&n));
  for (UINT_PTR i = 1; i < 0x10000; ++i)
    if (::IsMenu(reinterpret_cast<HMENU>(i))) ++n;
  return n;
}

// SystemHandleInformation's records.
struct THandleEntry {
  ULONG OwnerPid;
  BYTE ObjectType;
  BYTE Flags;
  USHORT Value;
  PVOID Object;
  ACCESS_MASK Access;
};
struct THandleList {
  ULONG Count;
  THandleEntry Entries[1];
};
constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

std::uint32_t CountHandleList() {
  std::vector<unsigned char> buf(256 * 1024);
  for (int tries = 0; tries < 8; ++tries) {
    ULONG got = 0;
    const NTSTATUS s =
        ::NtQuerySystemInformation(kSystemHandleInformation, buf.data(), static_cast<ULONG>(buf.size()), &got);
    if (s == kInfoLengthMismatch) {
      buf.resize(buf.size() * 2);
      continue;
    }
    if (s < 0) return 0;
    const auto* list = reinterpret_cast<const THandleList*>(buf.data());
    std::uint32_t n = 0;
    for (ULONG i = 0; i < list->Count; ++i)
      if (list->Entries[i].OwnerPid == ::GetCurrentProcessId()) ++n;
    return n;
  }
  return 0;
}

std::uint64_t CountCommittedPrivate() {
  std::uint64_t sum = 0;
  MEMORY_BASIC_INFORMATION m;
  const char* at = nullptr;
  while (::VirtualQuery(at, &m, sizeof m) == sizeof m) {
    if (m.State == MEM_COMMIT && m.Type == MEM_PRIVATE) sum += m.RegionSize;
    const char* next = static_cast<const char*>(m.BaseAddress) + m.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return sum;
}

}  // namespace

TProcessCounts ReadProcessCounts() {
  const HANDLE self = ::GetCurrentProcess();
  TProcessCounts c;
  c.Gdi = ::GetGuiResources(self, GR_GDIOBJECTS);
  if (!c.Gdi) c.Gdi = CountGdiTable();
  c.User = ::GetGuiResources(self, GR_USEROBJECTS);
  if (!c.User) c.User = CountUserObjects();
  DWORD handles = 0;
  if (::GetProcessHandleCount(self, &handles)) c.Handles = handles;
  if (!c.Handles) c.Handles = CountHandleList();
  PROCESS_MEMORY_COUNTERS_EX mem{};
  mem.cb = sizeof mem;
  if (::GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem), sizeof mem))
    c.PrivateBytes = mem.PrivateUsage;
  if (!c.PrivateBytes) c.PrivateBytes = CountCommittedPrivate();
  return c;
}

namespace {
bool Near(double base, double now, double percent) {
  const double diff = now > base ? now - base : base - now;
  return diff * 100.0 <= base * percent;
}
}  // namespace

bool WithinPercent(const TProcessCounts& base, const TProcessCounts& now, double percent) {
  return Near(base.Gdi, now.Gdi, percent) && Near(base.User, now.User, percent) &&
         Near(base.Handles, now.Handles, percent) &&
         Near(static_cast<double>(base.PrivateBytes), static_cast<double>(now.PrivateBytes), percent);
}

}  // namespace lumeko::host
