// A bitmap selected into a memory DC of its own, for the DC's whole life.
//
// The one way this system keeps pixels off screen: the effect's frame
// (compatible with the player's DC), prepared background pictures and the
// frames tests and tools read back (32-bit top-down DIB sections). The DC
// outlives size changes, so a canvas made over it stays valid; the bitmap
// is selected out before it is deleted. A zero-sized bitmap is 1 × 1 behind
// the scenes, so the DC can always be drawn on.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "platform/unique_handle.h"

namespace lumeko {

class TMemoryBitmap {
 public:
  TMemoryBitmap() = default;
  ~TMemoryBitmap() { Reset(); }
  TMemoryBitmap(const TMemoryBitmap&) = delete;
  TMemoryBitmap& operator=(const TMemoryBitmap&) = delete;

  // A bitmap of the format of like (the DC it will be copied to). False,
  // with the previous bitmap kept, when GDI cannot make it.
  bool CreateCompatible(HDC like, int width, int height);
  // A 32-bit top-down DIB section whose pixels Bits() reaches. False, with
  // nothing held but the DC, when GDI cannot make it.
  bool CreateDib32(int width, int height);
  // Frees the bitmap and the DC.
  void Reset() noexcept;

  explicit operator bool() const noexcept { return static_cast<bool>(bitmap_); }
  HDC DC() const noexcept { return dc_.get(); }
  HBITMAP Bitmap() const noexcept { return bitmap_.get(); }
  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  // DIB sections only: width × height pixels 0x00RRGGBB (the fourth byte
  // unused), row by row from the top; null for a compatible bitmap.
  std::uint32_t* Bits() const noexcept { return bits_; }
  // Pixel (x, y) of a DIB section as 0x00RRGGBB, after GDI has finished
  // drawing; 0 outside or for a compatible bitmap.
  std::uint32_t Pixel(int x, int y) const;

 private:
  bool EnsureDC(HDC like);
  void Select(UniqueHBITMAP bitmap, void* bits, int width, int height) noexcept;

  UniqueHDC dc_;
  UniqueHBITMAP bitmap_;
  HGDIOBJ original_ = nullptr;  // the DC's own bitmap, put back before ours goes
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace lumeko
