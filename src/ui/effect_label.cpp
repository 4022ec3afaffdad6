// The effect label (see effect_label.h).
#include "ui/effect_label.h"

#include <algorithm>

#include "render/canvas.h"

namespace lumeko {
namespace {

void Text(HDC dc, RECT rect, int dx, int dy, UINT flags, DRAWTEXTPARAMS& params, const std::wstring& text) {
  std::wstring buffer = text;
  ::OffsetRect(&rect, dx, dy);
  ::DrawTextExW(dc, buffer.data(), static_cast<int>(buffer.size()), &rect, flags, &params);
}

}  // namespace

TEffectLabel::TEffectLabel(HWND parent, int left, int top, int width, int height, const std::string& caption)
    : TLabelEx(parent, left, top, width, height, caption) {
  Refit();  // the base sized itself before the effect was known
}

void TEffectLabel::SetEffect(TLabelEffect effect) {
  effect = std::clamp(effect, leNone, leShadow);
  if (effect == effect_) return;
  effect_ = effect;
  Refit();
}

void TEffectLabel::SetEffectPen(TEffectPen pen) {
  pen.Color = NormalizeColor(pen.Color);
  pen.Width = std::clamp(pen.Width, 0, kMaxEffectPenWidth);
  if (pen == pen_) return;
  pen_ = pen;
  Refit();
}

void TEffectLabel::SetShadowOffsetX(int x) {
  x = std::clamp(x, -kMaxShadowOffset, kMaxShadowOffset);
  if (x == shadowX_) return;
  shadowX_ = x;
  if (effect_ == leShadow) Refit();
}

void TEffectLabel::SetShadowOffsetY(int y) {
  y = std::clamp(y, -kMaxShadowOffset, kMaxShadowOffset);
  if (y == shadowY_) return;
  shadowY_ = y;
  if (effect_ == leShadow) Refit();
}

RECT TEffectLabel::EffectRoom() const {
  switch (effect_) {
    case leOutline:
    case leOutlineFill: {
      // The stroke reaches half the pen outside the glyphs; the text moves
      // in by that half so the label grows by the pen width right and down.
      const int before = (pen_.Width + 1) / 2;
      return {before, before, pen_.Width - before, pen_.Width - before};
    }
    case leHemming:
      return {1, 1, 1, 1};
    case leShadow:
      return {std::max(0, -shadowX_), std::max(0, -shadowY_), std::max(0, shadowX_), std::max(0, shadowY_)};
    default:
      return {0, 0, 0, 0};
  }
}

void TEffectLabel::DrawCaption(HDC dc, RECT rect, UINT flags, DRAWTEXTPARAMS& params, const std::wstring& text) {
  TCanvas canvas(dc);  // the DC's text colour, background mode and pen, set only when they change
  canvas.SetBrushClear();
  const COLORREF font = ToRgb(Font().Color), pen = ToRgb(pen_.Color);
  switch (effect_) {
    case leHemming:
      canvas.SetTextColor(pen);
      for (const POINT step : {POINT{-1, 0}, POINT{0, -1}, POINT{0, 1}, POINT{1, 0}})
        Text(dc, rect, step.x, step.y, flags, params, text);
      break;
    case leShadow:
      canvas.SetTextColor(pen);
      Text(dc, rect, shadowX_, shadowY_, flags, params, text);
      break;
    case leOutline:
    case leOutlineFill:
    case leReverse: {
      SavedDCState saved(dc);
      if (effect_ != leReverse) canvas.SetPen(pen, std::max(1, pen_.Width));
      if (!::BeginPath(dc)) break;
      if (effect_ == leReverse) {
        // The block the text stands in; its letters are cut out of it by
        // filling the rectangle and glyph outlines alternately.
        const RECT box = TextBox(dc, rect, flags, params, text);
        ::Rectangle(dc, box.left, box.top, box.right, box.bottom);
      }
      Text(dc, rect, 0, 0, flags, params, text);
      if (!::EndPath(dc)) {
        ::AbortPath(dc);
        break;
      }
      ::SelectObject(dc, ::GetStockObject(DC_BRUSH));
      ::SetDCBrushColor(dc, font);
      if (effect_ == leOutline) {
        if (pen_.Width > 0) ::StrokePath(dc);
      } else if (effect_ == leOutlineFill) {
        ::SetPolyFillMode(dc, WINDING);
        if (pen_.Width > 0)
          ::StrokeAndFillPath(dc);
        else
          ::FillPath(dc);
      } else {
        ::SetPolyFillMode(dc, ALTERNATE);
        ::FillPath(dc);
      }
      return;
    }
    default:
      break;
  }
  canvas.SetTextColor(font);
  Text(dc, rect, 0, 0, flags, params, text);
}

}  // namespace lumeko
