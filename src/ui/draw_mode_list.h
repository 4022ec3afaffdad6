// The draw-mode list of the background tab: one item a placement of the
// background picture, each shown with a small diagram of that placement.
//
// The nine 48 × 32 diagrams are drawn here in code, side by side in one
// strip, in the order of the draw modes: a screen with a landscape picture
// fitted, stretched, zoomed, placed at its own size in the centre or a
// corner, or tiled. Items are 34 pixels high with the text right of the
// diagram; the closed list's own field shows the text alone.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

namespace lumeko {

constexpr int kDrawModeCount = 9;
constexpr int kDrawModePictureWidth = 48;
constexpr int kDrawModePictureHeight = 32;

// The strip of nine diagrams (432 × 32); null when GDI refuses.
UniqueHBITMAP MakeDrawModePictures();

// Paints one item of the owner-drawn list (text from the list itself).
void DrawDrawModeItem(const DRAWITEMSTRUCT& item, HBITMAP pictures) noexcept;

}  // namespace lumeko
