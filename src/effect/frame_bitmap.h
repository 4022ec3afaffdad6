// The off-screen frame the effect paints into, the size of the player's area.
//
// A memory DC with a bitmap compatible with the player's DC selected into
// it for the frame's life. The bitmap is made again only when the size
// changes; otherwise the previous frame's pixels stay for the next one.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

namespace lumeko {

class TFrameBitmap {
 public:
  TFrameBitmap() = default;
  TFrameBitmap(const TFrameBitmap&) = delete;
  TFrameBitmap& operator=(const TFrameBitmap&) = delete;
  ~TFrameBitmap();

  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  // The frame's canvas; null before the first SetSize.
  HDC DC() const noexcept { return dc_.get(); }
  HBITMAP Bitmap() const noexcept { return bitmap_.get(); }
  // The palette to realise with the frame; null on true-colour frames.
  HPALETTE Palette() const noexcept { return nullptr; }

  // Frees the bitmap and the DC; the frame is empty again.
  void Free() noexcept;

  // Replaces the bitmap by one of the given size compatible with like;
  // throws std::runtime_error when GDI cannot make it.
  void SetSize(HDC like, int width, int height);

 private:
  void Unselect() noexcept;

  UniqueHDC dc_;
  UniqueHBITMAP bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace lumeko
