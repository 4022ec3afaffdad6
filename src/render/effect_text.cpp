// Effect text drawing (see effect_text.h).
#include "render/effect_text.h"

#include <string>

#include "platform/unique_handle.h"
#include "platform/wide.h"

namespace lumeko {
namespace {

int OutlineWidth(int effect, const TLineMetrics& metrics) {
  return effect == fe_OutlineSmall ? metrics.QuarterSize : metrics.HalfSize;
}

// Where the text starts in rect, as DrawText places it for the format: the
// halves of rect and text are rounded each on their own, so an odd text
// height in an even rectangle sits a pixel lower than an exact centring.
POINT TextOrigin(const RECT& rect, TTextSize size, UINT format) {
  POINT p{rect.left, rect.top};
  if (format & DT_CENTER) p.x = (rect.left + rect.right - size.cx) / 2;
  if (format & DT_VCENTER) p.y = rect.top + (rect.bottom - rect.top) / 2 - size.cy / 2;
  return p;
}

void TextAt(HDC dc, POINT p, const std::wstring& text) {
  ::ExtTextOutW(dc, p.x, p.y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

// Clears the clip region on every way out, exceptions included.
class ClipGuard {
 public:
  explicit ClipGuard(HDC dc) : dc_(dc) {}
  ~ClipGuard() {
    if (region_) ::SelectClipRgn(dc_, nullptr);
  }
  void Set(UniqueHRGN region) {
    region_ = std::move(region);
    if (region_) ::SelectClipRgn(dc_, region_.get());
  }

 private:
  HDC dc_;
  UniqueHRGN region_;
};

}  // namespace

void PrepareEffectText(TCanvas& canvas, std::string_view text, int effect, std::uint32_t effectColor,
                       const TLineMetrics* metrics) {
  if (effect != fe_OutlineSmall && effect != fe_OutlineLarge) return;
  const std::wstring wide = ToWide(text);
  TLineMetrics own;
  if (!metrics) {
    own = MakeLineMetrics(canvas.FontSize(), canvas.TextExtentW(wide).cy, false);
    metrics = &own;
  }
  const int width = OutlineWidth(effect, *metrics);
  if (width <= 1) return;
  canvas.RealizeFont();
  canvas.SetPen(effectColor, width);
  canvas.Outlines().Warm(canvas.Handle(), wide, canvas.FontHeight(), width);
}

void DrawEffectText(TCanvas& canvas, std::string_view text, RECT rect, int effect,
                    std::uint32_t textColor, std::uint32_t effectColor, bool clip,
                    const TLineMetrics* metrics, UINT format, POINT regionOffset, int clipFrom) {
  HDC dc = canvas.Handle();
  const std::wstring wide = ToWide(text);
  const TTextSize size = canvas.TextExtentW(wide);
  TLineMetrics own;
  if (!metrics) {
    own = MakeLineMetrics(canvas.FontSize(), size.cy, false);
    metrics = &own;
  }

  ClipGuard guard(dc);
  if (clip) {
    if (canvas.FontItalic()) rect.right += metrics->ThirdLine;
    const LONG L = rect.left + regionOffset.x, T = rect.top + regionOffset.y;
    const LONG B = rect.bottom + regionOffset.y, R = rect.right + regionOffset.x;
    const LONG lean = canvas.FontItalic() ? metrics->ThirdLine : 0;
    const LONG R0 = R - lean;
    // Corners in order: top left, bottom left, bottom right, top right
    // (leaning). A clip that starts inside the text leans on its left as well.
    POINT pts[4] = {{L, T}, {L, B}, {R0, B}, {R, T}};
    if (clipFrom != kClipFromText) {
      pts[1].x = clipFrom + regionOffset.x;
      pts[0].x = pts[1].x + lean;
    }
    switch (effect) {
      case fe_Frame:
        pts[0].x -= 1; pts[0].y -= 1;
        pts[1].x -= 1; pts[1].y += 1;
        pts[2].x += 1; pts[2].y += 1;
        pts[3].x += 1; pts[3].y -= 1;
        break;
      case fe_ShadowLowerRight:
        pts[1].y += 1;
        pts[2].x += 1; pts[2].y += 1;
        pts[3].x += 1; pts[3].y -= 1;
        break;
      case fe_ShadowUpperLeft:
        pts[0].x -= 1; pts[0].y -= 1;
        pts[1].x -= 1; pts[1].y += 1;
        pts[3].y -= 1;
        break;
      default:
        break;
    }
    UniqueHRGN region(::CreatePolygonRgn(pts, 4, WINDING));
    // Without its clip this layer would light the whole line: draw nothing.
    if (!region) return;
    guard.Set(std::move(region));
  }

  canvas.SetBrushClear();
  canvas.RealizeFont();
  const POINT at = TextOrigin(rect, size, format);
  switch (effect) {
    case fe_Frame:
    case fe_ShadowLowerRight:
    case fe_ShadowUpperLeft: {
      static constexpr POINT kSteps[3][4] = {
          {{-1, 0}, {1, -1}, {1, 1}, {-1, 1}},
          {{1, 1}, {-1, 0}, {0, 0}, {0, 0}},
          {{-1, -1}, {1, 1}, {0, 0}, {0, 0}},
      };
      const int n = effect == fe_Frame ? 4 : 2;
      canvas.SetTextColor(effectColor);
      POINT p = at;
      for (int i = 0; i < n; ++i) {
        p.x += kSteps[effect - 1][i].x;
        p.y += kSteps[effect - 1][i].y;
        TextAt(dc, p, wide);
      }
      canvas.SetTextColor(textColor);
      TextAt(dc, at, wide);
      break;
    }
    case fe_OutlineSmall:
    case fe_OutlineLarge: {
      const int width = OutlineWidth(effect, *metrics);
      canvas.SetTextColor(textColor);
      canvas.SetPen(effectColor, width);
      if (width > 1) {
        // Glyph by glyph from widened outlines made once: what stroking the
        // line's path paints, without building its outline every time.
        canvas.Outlines().Fill(dc, wide, at, canvas.FontHeight(), width, canvas.SolidBrush(effectColor));
      } else if (::BeginPath(dc)) {  // a hairline pen widens to nothing
        TextAt(dc, at, wide);
        if (::EndPath(dc)) ::StrokePath(dc);
        else ::AbortPath(dc);
      }
      TextAt(dc, at, wide);
      break;
    }
    default:
      canvas.SetTextColor(textColor);
      TextAt(dc, at, wide);
      break;
  }
}

}  // namespace lumeko
