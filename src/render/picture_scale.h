// Turns a decoded picture into the pixels of the frame part it shows.
//
// Only the part of the frame the placed picture covers is ever written,
// whatever the size of the whole placed picture, and every frame pixel comes
// out the same as if the whole picture had been scaled and then cut. Scaled
// modes average the picture's pixels under each frame pixel by their area,
// as halftone stretching does; the other modes copy pixels or tile them.
// Plain arithmetic over byte buffers: no GDI, so it is checked natively.
#pragma once

#include <cstddef>
#include <cstdint>

#include "render/background_layout.h"

namespace lumeko {

// A decoded picture: 24-bit B G R rows of the part Decoded names.
struct TPictureView {
  const std::uint8_t* Pixels = nullptr;
  std::size_t Stride = 0;
  int PictureW = 0;  // the picture's own size
  int PictureH = 0;
  TPictureDecode Decoded;
};

// Writes the frame part shown (VisibleBackground of placed) of the picture
// placed by mode at placed (PlaceBackground) into out: shown.h rows of
// shown.w 32-bit pixels (B G R 0), outStride apart, each channel through the
// tint when one is given. False, with nothing promised about out, when the
// decoded part does not hold what shown needs.
bool DrawPicturePart(const TPictureView& picture, int mode, const TBkGndRect& placed, const TBkGndRect& shown,
                     std::uint8_t* out, std::size_t outStride, const TBkGndTint* tint = nullptr);

}  // namespace lumeko
