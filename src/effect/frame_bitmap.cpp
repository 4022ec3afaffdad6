// Frame bitmap: selected into its own memory DC; selected out before freed.
#include "effect/frame_bitmap.h"

#include <stdexcept>

namespace lumeko {

TFrameBitmap::~TFrameBitmap() { Free(); }

void TFrameBitmap::Free() noexcept {
  Unselect();
  bitmap_.reset();
  dc_.reset();
  width_ = height_ = 0;
}

void TFrameBitmap::Unselect() noexcept {
  if (dc_ && oldBitmap_) ::SelectObject(dc_.get(), oldBitmap_);
  oldBitmap_ = nullptr;
}

void TFrameBitmap::SetSize(HDC like, int width, int height) {
  if (width < 0 || height < 0) throw std::runtime_error("negative frame size");
  if (!dc_) {
    dc_.reset(::CreateCompatibleDC(like));
    if (!dc_) throw std::runtime_error("cannot create the frame's device context");
  }
  // A zero-sized area still gets a 1x1 bitmap, so the canvas is always valid.
  UniqueHBITMAP fresh(::CreateCompatibleBitmap(like, width > 0 ? width : 1, height > 0 ? height : 1));
  if (!fresh) throw std::runtime_error("cannot create the frame bitmap");
  Unselect();
  bitmap_ = std::move(fresh);
  oldBitmap_ = ::SelectObject(dc_.get(), bitmap_.get());
  width_ = width;
  height_ = height;
}

}  // namespace lumeko
