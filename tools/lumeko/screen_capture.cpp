// Window screenshots (see screen_capture.h).
#include "screen_capture.h"

#include <cstdint>
#include <vector>

#include "platform/dib_info.h"
#include "platform/unique_handle.h"
#include "platform/wide.h"
#include "png_writer.h"

namespace lumeko::tool {

void PumpMessages(int ms) {
  const DWORD until = ::GetTickCount() + static_cast<DWORD>(ms);
  MSG msg;
  do {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(10);
  } while (static_cast<int>(until - ::GetTickCount()) > 0);
}

bool CaptureWindow(HWND wnd, const std::string& path) {
  RECT r{};
  ::GetWindowRect(wnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  WindowDC screen(nullptr);
  UniqueHDC mem(::CreateCompatibleDC(screen.get()));
  BITMAPINFO bi = TopDownDibInfo(w, h, 32);
  void* bits = nullptr;
  UniqueHBITMAP bmp(::CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!mem || !bmp || !bits) return false;
  {
    SelectGuard sel(mem.get(), bmp.get());
    if (!::BitBlt(mem.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY)) return false;
    ::GdiFlush();
  }
  const auto* p = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> pixels(p, p + static_cast<size_t>(w) * h);
  for (auto& px : pixels) px &= 0x00FFFFFF;
  return WritePng(path, pixels, w, h);
}

TShowOptions ParseShowOptions(const ParsedArgs& p) {
  TShowOptions o;
  if (const std::string* ms = p.Get("--close-after")) {
    o.CloseAfter = ParseInteger(*ms, "--close-after");
    if (o.CloseAfter < 1 || o.CloseAfter > 86400000) throw UsageError{"--close-after must be 1 to 86400000 ms"};
  }
  if (const std::string* dir = p.Get("--screenshot")) {
    o.Shots = PathArg(*dir);
    ::CreateDirectoryW(ToWide(o.Shots).c_str(), nullptr);
    const DWORD attr = ::GetFileAttributesW(ToWide(o.Shots).c_str());
    if (attr == INVALID_FILE_ATTRIBUTES || !(attr & FILE_ATTRIBUTE_DIRECTORY))
      throw UsageError{"cannot make the folder " + *dir};
  }
  return o;
}

}  // namespace lumeko::tool
