// Bitmaps in their own memory DC (see memory_bitmap.h).
#include "platform/memory_bitmap.h"

#include <utility>

#include "platform/dib_info.h"

namespace lumeko {

bool TMemoryBitmap::EnsureDC(HDC like) {
  if (!dc_) dc_.reset(::CreateCompatibleDC(like));
  return static_cast<bool>(dc_);
}

void TMemoryBitmap::Select(UniqueHBITMAP bitmap, void* bits, int width, int height) noexcept {
  HGDIOBJ old = ::SelectObject(dc_.get(), bitmap.get());
  if (!original_) original_ = old;
  bitmap_ = std::move(bitmap);  // the previous one is out of the DC now
  bits_ = static_cast<std::uint32_t*>(bits);
  width_ = width > 0 ? width : 0;
  height_ = height > 0 ? height : 0;
}

bool TMemoryBitmap::CreateCompatible(HDC like, int width, int height) {
  if (!EnsureDC(like)) return false;
  UniqueHBITMAP bmp(::CreateCompatibleBitmap(like, width > 0 ? width : 1, height > 0 ? height : 1));
  if (!bmp) return false;
  Select(std::move(bmp), nullptr, width, height);
  return true;
}

bool TMemoryBitmap::CreateDib32(int width, int height) {
  if (!EnsureDC(nullptr)) return false;
  const BITMAPINFO bi = TopDownDibInfo(width > 0 ? width : 1, height > 0 ? height : 1, 32);
  void* bits = nullptr;
  UniqueHBITMAP bmp(::CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bmp || !bits) {
    if (original_) ::SelectObject(dc_.get(), original_);
    original_ = nullptr;
    bitmap_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    return false;
  }
  Select(std::move(bmp), bits, width, height);
  return true;
}

void TMemoryBitmap::Reset() noexcept {
  if (dc_ && original_) ::SelectObject(dc_.get(), original_);
  original_ = nullptr;
  bitmap_.reset();
  dc_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
}

std::uint32_t TMemoryBitmap::Pixel(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  ::GdiFlush();
  return bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] & 0x00FFFFFFu;
}

}  // namespace lumeko
