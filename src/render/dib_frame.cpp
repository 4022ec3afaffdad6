// The off-screen frame bitmap (see frame_bitmap.h).
#include "render/dib_frame.h"

#include "platform/dib_info.h"

namespace lumeko {

TDibFrame::~TDibFrame() {
  if (original_) ::SelectObject(canvas_.Handle(), original_);
}

bool TDibFrame::SetSize(int width, int height) {
  if (width == width_ && height == height_ && (bitmap_ || width <= 0 || height <= 0)) return false;
  if (original_) {
    ::SelectObject(canvas_.Handle(), original_);
    original_ = nullptr;
  }
  bitmap_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
  if (width <= 0 || height <= 0) return true;
  BITMAPINFO bi = TopDownDibInfo(width, height, 32);
  void* bits = nullptr;
  UniqueHBITMAP bmp(::CreateDIBSection(canvas_.Handle(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bmp || !bits) return true;
  original_ = ::SelectObject(canvas_.Handle(), bmp.get());
  bitmap_ = std::move(bmp);
  bits_ = static_cast<std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

std::uint32_t TDibFrame::Pixel(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  ::GdiFlush();
  return bits_[static_cast<size_t>(y) * width_ + x] & 0x00FFFFFFu;
}

}  // namespace lumeko
