// The font and colour sample (see sample_box.h).
#include "ui/sample_box.h"

#include "platform/wide.h"
#include "render/canvas.h"
#include "render/effect_text.h"
#include "ui/ui_paint.h"

namespace lumeko {
namespace {
constexpr wchar_t kClassName[] = L"LumekoSampleBox";
constexpr int kMargin = 8;
}  // namespace

TSampleBox::TSampleBox(HWND parent, int left, int top, int width, int height, const std::string& text)
    : TWindowControl(parent), text_(text) {
  const RECT bounds{left, top, left + ClampExtent(width), top + ClampExtent(height)};
  CreateOwn(kClassName, 0, WS_CHILD | WS_VISIBLE, WS_EX_STATICEDGE, bounds, L"");
}

void TSampleBox::SetLook(const TSampleLook& look) {
  if (look == look_) return;
  look_ = look;
  Invalidate();
}

RECT TSampleBox::ActiveBox() const {
  RECT client{};
  if (Handle()) ::GetClientRect(Handle(), &client);
  const int h = kFontHeight + 12;
  const int top = (client.bottom - h) / 2;
  return {kMargin, top, client.right - kMargin, top + h};
}

void TSampleBox::Paint(HDC target) {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  TBufferedDC buffer(target, client);
  const HDC dc = buffer.Handle();
  const TSetupInfo_Color& c = look_.Colors;
  FillSolidRect(dc, client, ColorToRgb(c.BackgroundColor));
  TCanvas canvas(dc);
  canvas.SetFontName(look_.FontName);
  canvas.SetFontStyle(look_.FontStyle);
  canvas.SetFontHeight(kFontHeight);
  canvas.SetBrushClear();
  canvas.RealizeFont();
  const RECT box = ActiveBox();
  // The inactive lines above and below the active one.
  const RECT above{client.left, client.top, client.right, box.top};
  const RECT below{client.left, box.bottom, client.right, client.bottom};
  for (const RECT& line : {above, below})
    DrawEffectText(canvas, text_, line, 0, ColorToRgb(c.InactiveColor), 0, false, nullptr, kFormatCentred);

  // The active box, drawn in its own coordinates as a paint box on its parent.
  const int bw = box.right - box.left, bh = box.bottom - box.top;
  FillSolidRect(dc, box, ColorToRgb(c.ActiveBkGndColor));
  POINT oldOrigin{};
  ::SetViewportOrgEx(dc, box.left, box.top, &oldOrigin);
  const TTextSize size = canvas.TextExtent(text_);
  const int left = (bw - size.cx) / 2;
  const RECT whole{left, 0, left + size.cx, bh};
  const RECT sung{left, 0, left + size.cx / 2, bh};
  const POINT offset{box.left, box.top};
  DrawEffectText(canvas, text_, whole, look_.Effect, ColorToRgb(c.StillNotActiveColor), ColorToRgb(c.ActiveEffectColor),
                 false, nullptr, kFormatLeft, offset);
  DrawEffectText(canvas, text_, sung, look_.Effect, ColorToRgb(c.ActiveColor), ColorToRgb(c.ActiveEffectColor), true,
                 nullptr, kFormatLeft, offset);
  ::SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

LRESULT TSampleBox::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDC dc(Handle());
      if (dc) Paint(dc.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wp));
      return 0;
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace lumeko
