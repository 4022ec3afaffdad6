// A frame in memory: a 32-bit top-down DIB section with its canvas.
//
// Tests and benchmarks paint into it and read its pixels directly. It is
// re-created only when the size changes; its canvas (and font) survive.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/unique_handle.h"
#include "render/canvas.h"

namespace lumeko {

class TDibFrame {
 public:
  TDibFrame() = default;
  ~TDibFrame();
  TDibFrame(const TDibFrame&) = delete;
  TDibFrame& operator=(const TDibFrame&) = delete;

  // Replaces the bitmap when the size differs; true when it did. A failed
  // allocation leaves an empty frame (0 × 0), never a dangling one.
  bool SetSize(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  TCanvas& Canvas() { return canvas_; }
  HDC Handle() const { return canvas_.Handle(); }
  RECT Area() const { return {0, 0, width_, height_}; }

  // Pixel (x, y) as 0x00RRGGBB; 0 outside. Flushes pending GDI work first.
  std::uint32_t Pixel(int x, int y) const;
  const std::uint32_t* Bits() const { return bits_; }

 private:
  TCanvas canvas_;
  UniqueHBITMAP bitmap_;
  HGDIOBJ original_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace lumeko
