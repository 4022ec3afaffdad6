// Small drawing helpers shared by the controls: colour values, sane sizes,
// a double buffer for flicker-free paints and the parent's background under
// a control that shows it through.
//
// Colours are 0x00BBGGRR or a system-colour reference (top bit set plus the
// colour number); anything else is cut to its low 24 bits, so no caller can
// hand GDI a value it would misread. Nothing here keeps a GDI object beyond
// the call or the guard that made it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/unique_handle.h"

namespace lumeko {

constexpr std::uint32_t kSysColorFlag = 0x80000000u;
constexpr std::uint32_t SysColorRef(int index) { return kSysColorFlag | static_cast<std::uint32_t>(index); }
constexpr std::uint32_t kClWindowText = SysColorRef(COLOR_WINDOWTEXT);
constexpr std::uint32_t kClBtnFace = SysColorRef(COLOR_BTNFACE);
constexpr std::uint32_t kClBtnText = SysColorRef(COLOR_BTNTEXT);

// A system reference to a colour number the system knows stays; any other
// value keeps only its colour bytes.
std::uint32_t NormalizeColor(std::uint32_t color) noexcept;
// The RGB value GDI draws for a colour or system reference.
COLORREF ToRgb(std::uint32_t color) noexcept;

// Widths and heights from callers: never negative, never past what GDI
// coordinates carry comfortably.
constexpr int kMaxExtent = 16384;
constexpr int ClampExtent(long long v) { return v < 0 ? 0 : (v > kMaxExtent ? kMaxExtent : static_cast<int>(v)); }
constexpr int ClampCoordinate(long long v) {
  return v < -kMaxExtent ? -kMaxExtent : (v > kMaxExtent ? kMaxExtent : static_cast<int>(v));
}

void FillSolidRect(HDC dc, const RECT& rect, COLORREF color) noexcept;

// Draws into a memory bitmap the size of area and copies it to the target
// when it ends. If the bitmap cannot be made, drawing goes to the target.
class TBufferedDC {
 public:
  TBufferedDC(HDC target, const RECT& area) noexcept;
  ~TBufferedDC();
  TBufferedDC(const TBufferedDC&) = delete;
  TBufferedDC& operator=(const TBufferedDC&) = delete;
  HDC Handle() const noexcept { return memory_ ? memory_.get() : target_; }

 private:
  HDC target_;
  RECT area_;
  UniqueHDC memory_;
  UniqueHBITMAP bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
};

// Paints what the parent shows under the child into dc (in the child's client
// coordinates): the parent's erased background and its own client drawing.
void PaintParentBackground(HWND child, HDC dc) noexcept;

}  // namespace lumeko
