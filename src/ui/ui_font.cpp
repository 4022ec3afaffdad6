// Control fonts (see ui_font.h).
#include "ui/ui_font.h"

#include <cwchar>

#include "platform/wide.h"
#include "render/default_face.h"

namespace lumeko {

TFontSpec Sanitized(TFontSpec spec) {
  if (spec.Height < 0) spec.Height = -spec.Height;
  if (spec.Height < kMinFontHeight) spec.Height = TFontSpec{}.Height;
  if (spec.Height > kMaxFontHeight) spec.Height = kMaxFontHeight;
  spec.Style &= fs_Bold | fs_Italic | fs_Underline | fs_StrikeOut;
  spec.Color = NormalizeColor(spec.Color);
  if (spec.Name.empty()) spec.Name = kDefaultFontName;
  return spec;
}

UniqueHFONT CreateUiFont(const TFontSpec& raw) {
  const TFontSpec spec = Sanitized(raw);
  LOGFONTW lf{};
  lf.lfHeight = -spec.Height;
  lf.lfWeight = (spec.Style & fs_Bold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (spec.Style & fs_Italic) ? TRUE : FALSE;
  lf.lfUnderline = (spec.Style & fs_Underline) ? TRUE : FALSE;
  lf.lfStrikeOut = (spec.Style & fs_StrikeOut) ? TRUE : FALSE;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  const std::wstring face = spec.Name == kDefaultFontName ? DefaultFontFace() : ToWide(spec.Name);
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return UniqueHFONT(::CreateFontIndirectW(&lf));
}

TFontSpec FontSpecOf(HFONT font, std::uint32_t color) {
  TFontSpec spec;
  spec.Color = NormalizeColor(color);
  LOGFONTW lf{};
  if (!font || !::GetObjectW(font, sizeof(lf), &lf)) return spec;
  spec.Name = lf.lfFaceName[0] ? FromWide(lf.lfFaceName) : std::string(kDefaultFontName);
  if (lf.lfHeight != 0) spec.Height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
  spec.Style = static_cast<std::uint8_t>((lf.lfWeight >= FW_BOLD ? fs_Bold : 0) | (lf.lfItalic ? fs_Italic : 0) |
                                         (lf.lfUnderline ? fs_Underline : 0) | (lf.lfStrikeOut ? fs_StrikeOut : 0));
  return Sanitized(spec);
}

}  // namespace lumeko
