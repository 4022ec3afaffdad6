// Painting of the colour picker button (see color_picker_button.h): the
// main part with picture, caption and colour indicator, the separator and
// the drop-down arrow, buffered in one pass.
#include <algorithm>

#include "platform/wide.h"
#include "ui/color_picker_button.h"
#include "ui/ui_paint.h"

namespace lumeko {
namespace {

// The indicator's slot when there is a caption but no picture.
constexpr SIZE kIndicatorSlot{16, 12};
// With a picture, the indicator covers its bottom rows.
constexpr int kIndicatorBar = 4;

void Line(HDC dc, int x0, int y0, int x1, int y1, COLORREF color) {
  ::SetDCPenColor(dc, color);
  ::MoveToEx(dc, x0, y0, nullptr);
  ::LineTo(dc, x1, y1);
}

void DrawIndicator(HDC dc, const RECT& r, std::uint32_t color, TIndicatorBorder border, bool enabled) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  FillSolidRect(dc, r, enabled ? ToRgb(color) : ::GetSysColor(COLOR_BTNFACE));
  RECT edge{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
  switch (border) {
    case ibFlat:
      ::SetDCBrushColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
      ::FrameRect(dc, &edge, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
      break;
    case ibSunken:
      ::DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
      break;
    case ibRaised:
      ::DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
      break;
    case ibNone:
      break;
  }
}

}  // namespace

void TColorPickerButton::Paint(HDC target) {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  TBufferedDC buffer(target, client);
  HDC dc = buffer.Handle();
  SavedDCState state(dc);
  if (transparent_)
    PaintParentBackground(Handle(), dc);
  else
    FillSolidRect(dc, client, ToRgb(color_));
  ::SelectObject(dc, ::GetStockObject(DC_PEN));
  ::SelectObject(dc, FontHandle());
  ::SetBkMode(dc, TRANSPARENT);

  const bool enabled = ::IsWindowEnabled(Handle()) != FALSE;
  const RECT drop = DropPart();
  const RECT main{client.left, client.top, drop.left, client.bottom};
  const bool mainDown = (pressed_ && pressedInside_) || spacePressed_ || down_;
  const bool framed = !flat_ || hot_ || mainDown || dropped_;

  if (framed) {
    RECT all = client;
    if (flat_)
      ::DrawEdge(dc, &all, BDR_RAISEDINNER, BF_RECT);
    else
      ::DrawEdge(dc, &all, EDGE_RAISED, BF_RECT);
    if (mainDown) {
      RECT m = main;
      ::DrawEdge(dc, &m, flat_ ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    }
    if (dropped_ && drop.right > drop.left) {
      RECT d = drop;
      ::DrawEdge(dc, &d, flat_ ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    }
  }
  if (drop.right > drop.left) {
    // Two lines part the drop-down from the main part; the arrow sits in it.
    Line(dc, drop.left, client.top + 3, drop.left, client.bottom - 3, ::GetSysColor(COLOR_BTNSHADOW));
    Line(dc, drop.left + 1, client.top + 3, drop.left + 1, client.bottom - 3, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    const int shift = dropped_ ? 1 : 0;
    const int cx = (drop.left + 2 + drop.right) / 2 + shift, cy = (client.top + client.bottom) / 2 + shift;
    const COLORREF arrow = enabled ? ToRgb(arrowColor_) : ::GetSysColor(COLOR_GRAYTEXT);
    for (int row = 0; row < 3; ++row) Line(dc, cx - 2 + row, cy - 1 + row, cx + 3 - row, cy - 1 + row, arrow);
  }

  // Picture, caption and indicator, pressed one pixel in.
  RECT content = main;
  ::InflateRect(&content, -3, -3);
  if (mainDown) ::OffsetRect(&content, 1, 1);
  const std::wstring caption = ToWide(caption_);
  SIZE captionSize{0, 0};
  if (!caption.empty()) {
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    captionSize = {r.right, r.bottom};
  }
  SIZE glyphSize = glyph_.ImageSize();
  if (glyph_.Empty() && caption.empty()) {
    RECT indicator = content;
    ::InflateRect(&indicator, -1, -1);
    DrawIndicator(dc, indicator, selection_, indicatorBorder_, enabled);
  } else {
    if (glyph_.Empty()) glyphSize = kIndicatorSlot;
    const TGlyphPlacement place = PlaceGlyphAndCaption(content, glyphSize, captionSize, layout_, margin_, spacing_);
    if (glyph_.Empty()) {
      DrawIndicator(dc, place.Glyph, selection_, indicatorBorder_, enabled);
    } else {
      const TButtonState glyphState = !enabled ? bsDisabled : (down_ ? bsExclusive : (mainDown ? bsDown : bsUp));
      glyph_.Draw(dc, {place.Glyph.left, place.Glyph.top}, glyphState);
      RECT bar{place.Glyph.left, place.Glyph.bottom - kIndicatorBar, place.Glyph.right, place.Glyph.bottom};
      DrawIndicator(dc, bar, selection_, ibNone, enabled);
    }
    if (!caption.empty()) {
      RECT r = place.Caption;
      if (!enabled) {
        RECT shadow = r;
        ::OffsetRect(&shadow, 1, 1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &shadow, DT_SINGLELINE | DT_NOCLIP);
      }
      ::SetTextColor(dc, enabled ? ToRgb(Font().Color) : ::GetSysColor(COLOR_BTNSHADOW));
      ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_SINGLELINE | DT_NOCLIP);
    }
  }
  if (::GetFocus() == Handle()) {
    RECT focus = main;
    ::InflateRect(&focus, -2, -2);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    ::DrawFocusRect(dc, &focus);
  }
}

}  // namespace lumeko
