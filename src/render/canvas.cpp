// GDI canvas with lazily realised font and cached drawing state (see canvas.h).
#include "render/canvas.h"

#include <algorithm>
#include <cwchar>

#include "platform/wide.h"
#include "render/default_face.h"

namespace lumeko {

COLORREF ColorToRgb(std::uint32_t color) {
  if (color & 0x80000000u) return ::GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFFu;
}

TCanvas::TCanvas() : ownDc_(::CreateCompatibleDC(nullptr)), dc_(ownDc_.get()) { Init(); }

TCanvas::TCanvas(HDC borrowed) : dc_(borrowed) { Init(); }

void TCanvas::Init() {
  if (!dc_) return;
  const int ppi = ::GetDeviceCaps(dc_, LOGPIXELSY);
  if (ppi > 0) ppi_ = ppi;
  fontHeight_ = -::MulDiv(12, ppi_, 72);
}

TCanvas::~TCanvas() {
  // Our objects go back out of the DC before their wrappers delete them.
  if (dc_ && originalFont_) ::SelectObject(dc_, originalFont_);
  if (dc_ && originalPen_) ::SelectObject(dc_, originalPen_);
}

void TCanvas::SetFontName(const std::string& cp932) {
  if (cp932 == fontName_) return;
  fontName_ = cp932;
  fontDirty_ = true;
  facesStale_ = true;
  outlines_.Clear();
}

void TCanvas::SetFontStyle(std::uint8_t style) {
  style &= fs_All;
  if (style == fontStyle_) return;
  fontStyle_ = style;
  fontDirty_ = true;
  facesStale_ = true;
  outlines_.Clear();
}

void TCanvas::SetFontSize(int points) { SetFontHeight(::MulDiv(points, ppi_, 72)); }

int TCanvas::FontSize() const { return ::MulDiv(-fontHeight_, 72, ppi_); }

void TCanvas::SetFontHeight(int pixels) {
  const int h = -pixels;
  if (h == fontHeight_) return;
  fontHeight_ = h;
  fontDirty_ = true;
}

int TCanvas::FontHeight() const { return -fontHeight_; }

void TCanvas::RealizeFont() {
  if (!fontDirty_ || !dc_) return;
  // A size used a moment ago is selected again, not made again: the
  // single-line fade draws lines of several sizes in every frame.
  if (!facesStale_) {
    for (size_t i = 0; i < fonts_.size(); ++i) {
      if (fonts_[i].Height != fontHeight_) continue;
      ::SelectObject(dc_, fonts_[i].Font.get());
      std::rotate(fonts_.begin() + static_cast<std::ptrdiff_t>(i), fonts_.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                  fonts_.end());  // most recent last
      fontDirty_ = false;
      return;
    }
  }
  LOGFONTW lf{};
  lf.lfHeight = fontHeight_;
  lf.lfWeight = (fontStyle_ & fs_Bold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (fontStyle_ & fs_Italic) ? TRUE : FALSE;
  lf.lfUnderline = (fontStyle_ & fs_Underline) ? TRUE : FALSE;
  lf.lfStrikeOut = (fontStyle_ & fs_StrikeOut) ? TRUE : FALSE;
  // "Default" is one concrete face with Japanese and Latin glyphs, the same
  // whatever the system's code page.
  lf.lfCharSet = fontName_ == kDefaultFontName ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lf.lfQuality = ANTIALIASED_QUALITY;
  const std::wstring face = fontName_ == kDefaultFontName ? DefaultFontFace() : ToWide(fontName_);
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  UniqueHFONT font(::CreateFontIndirectW(&lf));
  if (!font) {
    NoteFailed();  // the previous font stays; the next change tries again
    return;
  }
  HGDIOBJ old = ::SelectObject(dc_, font.get());
  if (!originalFont_) originalFont_ = old;
  // Only the new font is in the DC now: the others may go.
  if (facesStale_) fonts_.clear();
  if (fonts_.size() >= kKeptFonts) fonts_.erase(fonts_.begin());
  fonts_.push_back({fontHeight_, std::move(font)});
  facesStale_ = false;
  fontDirty_ = false;
}

TTextSize TCanvas::TextExtentW(std::wstring_view text) {
  RealizeFont();
  SIZE s{};
  if (!::GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &s)) {
    NoteFailed();
    return {};
  }
  return {static_cast<int>(s.cx), static_cast<int>(s.cy)};
}

TTextSize TCanvas::TextExtent(std::string_view cp932) { return TextExtentW(ToWide(cp932)); }

void TCanvas::SetTextColor(COLORREF color) {
  color = ColorToRgb(color);
  if (color == textColor_) return;
  ::SetTextColor(dc_, color);
  textColor_ = color;
}

void TCanvas::SetBrushClear() {
  if (brushClear_) return;
  ::SetBkMode(dc_, TRANSPARENT);
  brushClear_ = true;
}

void TCanvas::SetPen(COLORREF color, int width) {
  color = ColorToRgb(color);
  if (color == penColor_ && width == penWidth_) return;
  UniqueHPEN pen(::CreatePen(PS_SOLID, width, color));
  if (!pen) return;
  HGDIOBJ old = ::SelectObject(dc_, pen.get());
  if (!originalPen_) originalPen_ = old;
  pen_ = std::move(pen);
  penColor_ = color;
  penWidth_ = width;
}

HBRUSH TCanvas::SolidBrush(COLORREF color) {
  color = ColorToRgb(color);
  if (color != brushColor_ || !brush_) {
    UniqueHBRUSH brush(::CreateSolidBrush(color));
    if (!brush) return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    brush_ = std::move(brush);  // never selected into the DC: free to go
    brushColor_ = color;
  }
  return brush_.get();
}

void TCanvas::FillSolid(const RECT& rect, COLORREF color) {
  // ExtTextOut with an opaque rectangle fills without making a brush.
  const COLORREF old = ::SetBkColor(dc_, ColorToRgb(color));
  ::ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(dc_, old);
}

}  // namespace lumeko
