// A tool button's picture and caption: where they go for a layout, margin
// and spacing, and how the picture is drawn in each state.
//
// The picture is a strip of up to four images side by side (up, disabled,
// down, held down); its bottom-left pixel is the transparent colour. A
// missing disabled image is made by embossing the up image. The strip is
// copied on setting, so the caller keeps its own bitmap.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

namespace lumeko {

// A picture strip larger than this a side is cut (a button shows 16 pixels).
constexpr int kMaxGlyphStrip = 2048;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

struct TGlyphPlacement {
  RECT Glyph{};
  RECT Caption{};
};

// Places a picture and a caption in area. margin -1 centres both together;
// spacing -1 centres the caption in the room the picture leaves.
TGlyphPlacement PlaceGlyphAndCaption(const RECT& area, SIZE glyph, SIZE caption, TButtonLayout layout, int margin,
                                     int spacing);

class TButtonGlyph {
 public:
  // Copies the bitmap; null clears the picture. False when it cannot be read.
  bool Set(HBITMAP strip);
  bool Empty() const noexcept { return !bitmap_; }
  void SetCount(int count);  // 1..4 images in the strip
  int Count() const noexcept { return count_; }
  SIZE ImageSize() const noexcept;
  void Draw(HDC dc, POINT at, TButtonState state) const;

 private:
  UniqueHBITMAP bitmap_;
  int width_ = 0, height_ = 0;
  int count_ = 1;
  COLORREF transparent_ = 0;
};

}  // namespace lumeko
