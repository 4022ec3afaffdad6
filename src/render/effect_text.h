// The one primitive that draws lyrics text: a line with a font effect,
// optionally clipped to the part already sung.
//
// Effects 1-3 draw offset copies in the effect colour under the text, 4 and 5
// fill the glyphs' outlines, widened by a pen that grows with the font. The clip is a
// four-point polygon leaning with italic text and widened by what the effect
// paints outside the glyphs, so a wipe carries its frame or shadow along.
// It works on the canvas's font as it is; it never changes name, size or style.
#pragma once

#include <windows.h>

#include <climits>
#include <cstdint>
#include <string_view>

#include "render/canvas.h"
#include "render/line_metrics.h"

namespace lumeko {

// Text formats the painters pass: single line, vertically centred, and that
// horizontally centred as well. Drawing never clips and never treats '&'.
constexpr UINT kFormatLeft = DT_SINGLELINE | DT_VCENTER;                // 0x24
constexpr UINT kFormatCentred = DT_SINGLELINE | DT_VCENTER | DT_CENTER;  // 0x25

enum TFontEffect : int {
  fe_Normal = 0,
  fe_Frame = 1,
  fe_ShadowLowerRight = 2,
  fe_ShadowUpperLeft = 3,
  fe_OutlineSmall = 4,
  fe_OutlineLarge = 5,
};

inline constexpr int kClipFromText = INT_MIN;

// Draws text (CP932) in rect with the effect. With clip set, only the part of
// the line inside the (widened) rectangle shows. metrics may be null: they
// are then derived from the canvas font and the text. regionOffset moves the
// clip region into another device's coordinates (a child control drawn on its
// parent's DC); the text itself is drawn at rect. clipFrom, with clip, starts
// the clip there instead of at rect.left, so a wipe that grew draws only its
// new part: what lies left of it is on screen already.
void DrawEffectText(TCanvas& canvas, std::string_view text, RECT rect, int effect,
                    std::uint32_t textColor, std::uint32_t effectColor, bool clip,
                    const TLineMetrics* metrics, UINT format, POINT regionOffset = {0, 0},
                    int clipFrom = kClipFromText);

// Makes ahead what drawing text with the effect will take longest over (the
// glyph outlines of effects 4 and 5), so a frame that later draws the text
// finds them made. Nothing is drawn.
void PrepareEffectText(TCanvas& canvas, std::string_view text, int effect, std::uint32_t effectColor,
                       const TLineMetrics* metrics);

}  // namespace lumeko
