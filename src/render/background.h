// The frame's background: BackgroundColor and an optional picture.
//
// A picture is read once per file and turned once into a prepared bitmap
// that already has the frame's scale, placement and tint; every background
// paint is then one fill and one block copy. The prepared bitmap holds only
// the part of the frame the picture shows in, so it is never larger than the
// frame, whatever the picture. Any failure leaves no picture (the colour
// alone shows), never an error to the player.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/memory_bitmap.h"
#include "render/background_layout.h"
#include "render/canvas.h"
#include "render/picture.h"
#include "settings/setup_info.h"

namespace lumeko {

// The background settings in force (BkGndImageDrawMode, BkGndImageBlendAlpha,
// the background flags).
struct TBkGndOptions {
  int DrawMode = 0;
  int BlendAlpha = 127;
  std::uint8_t Flags = bf_BkGndImageBlend;
};

struct TBkGndPrepared {
  std::uint32_t Color = 0;
  std::int32_t Alpha = 0;
  std::uint8_t Flags = 0;
  std::uint8_t Mode = 0;
};

// The background fields of the effect object.
struct TBackground {
  std::unique_ptr<TBkGndPicture> BkGndPicture;  // as loaded, or none
  // Its part in the frame, scaled and tinted, never larger than the frame:
  // 32-bit, so the per-frame copy into the frame is a plain block move
  // instead of a pixel-format conversion.
  TMemoryBitmap BkGndBitmap;
  std::string BkGndFile;
  TBkGndPrepared BkGndPrepared;
  TBkGndRect BkGndRect;                         // BkGndBitmap's place in the frame

  bool HasPicture() const { return BkGndPicture && !BkGndPicture->Empty(); }
};

// Reads the named picture, or drops it (empty name, BkGndDrawForbid, missing
// or unreadable file). True when the background changed and the frame must be
// repainted; false when the same file is already loaded with the same
// drawing settings. The pixels are decoded when a frame size asks for them.
bool LoadBackground(TBackground& bg, const std::string& cp932Name, const TBkGndOptions& options);

// Builds the prepared bitmap for a frameWidth × frameHeight frame, tinted
// toward color when blending is on, decoding what the frame needs; a picture
// whose data turns out damaged is dropped.
void PrepareBackground(TBackground& bg, std::uint32_t color, const TBkGndOptions& options,
                       int frameWidth, int frameHeight);

// Fills the frame with color and copies the prepared picture over it;
// nothing when the stacked effect painted this frame.
void PaintBackground(TBackground& bg, TCanvas& canvas, int frameWidth, int frameHeight,
                     std::uint32_t color, const TBkGndOptions& options, bool pileDrawn);

void FreeBackground(TBackground& bg);

}  // namespace lumeko
