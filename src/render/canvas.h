// A GDI device context with the drawing state the painters need.
//
// The canvas holds the font by name, style and size and realises it lazily
// (one HFONT a change, never a font a frame: the last few sizes are kept, so
// switching between them only selects); text colour, background mode and
// pen are set on the DC only when they differ from what it has, and the glyph
// outlines of the outline effects are kept with the face they belong to. Text
// is CP932 and reaches GDI as UTF-16 (ExtTextOutW, GetTextExtentPoint32W). It
// measures for font fitting through TTextMeasurer. It never deletes what it
// did not make.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/unique_handle.h"
#include "render/outline_cache.h"
#include "render/text_measurer.h"
#include "settings/setup_info.h"

namespace lumeko {

// Colours are 0x00BBGGRR or, with the top bit set, a system colour index.
COLORREF ColorToRgb(std::uint32_t color);

class TCanvas : public TTextMeasurer {
 public:
  // A canvas over its own memory DC, compatible with the screen.
  TCanvas();
  // A canvas over a DC someone else owns (a control's paint DC).
  explicit TCanvas(HDC borrowed);
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return dc_; }
  int PixelsPerInch() const { return ppi_; }

  void SetFontName(const std::string& cp932);
  const std::string& FontName() const { return fontName_; }
  void SetFontStyle(std::uint8_t style);
  std::uint8_t FontStyle() const { return fontStyle_; }
  bool FontItalic() const { return (fontStyle_ & fs_Italic) != 0; }

  void SetFontSize(int points) override;
  int FontSize() const override;
  void SetFontHeight(int pixels) override;
  int FontHeight() const override;
  TTextSize TextExtent(std::string_view cp932) override;
  TTextSize TextExtentW(std::wstring_view text);

  // Selects the font into the DC if its attributes changed since.
  void RealizeFont();

  void SetTextColor(COLORREF color);
  void SetBrushClear();  // transparent text background
  void SetPen(COLORREF color, int width);
  void FillSolid(const RECT& rect, COLORREF color);
  // A solid brush of the colour, kept until another colour is asked for.
  HBRUSH SolidBrush(COLORREF color);
  // Glyph outlines of the current face and style.
  TOutlineCache& Outlines() { return outlines_; }

 private:
  void Init();

  UniqueHDC ownDc_;
  HDC dc_ = nullptr;
  int ppi_ = 96;
  std::string fontName_ = kDefaultFontName;
  std::uint8_t fontStyle_ = 0;
  int fontHeight_ = -16;  // negative: character height, as LOGFONT has it
  bool fontDirty_ = true;
  bool facesStale_ = false;  // name or style changed: the kept fonts are of another face
  struct TKeptFont {
    int Height;
    UniqueHFONT Font;
  };
  static constexpr size_t kKeptFonts = 4;
  std::vector<TKeptFont> fonts_;  // the selected one last
  HGDIOBJ originalFont_ = nullptr;
  COLORREF textColor_ = CLR_INVALID;
  bool brushClear_ = false;
  COLORREF penColor_ = CLR_INVALID;
  int penWidth_ = -1;
  UniqueHPEN pen_;
  HGDIOBJ originalPen_ = nullptr;
  COLORREF brushColor_ = CLR_INVALID;
  UniqueHBRUSH brush_;
  TOutlineCache outlines_;
};

}  // namespace lumeko
