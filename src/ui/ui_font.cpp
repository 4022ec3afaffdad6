// Control fonts (see ui_font.h).
#include "ui/ui_font.h"

#include <cwchar>

#include "platform/wide.h"
#include "render/default_face.h"

namespace lumeko {

TFontChoice Sanitized(TFontChoice choice) {
  if (choice.Height < 0) choice.Height = -choice.Height;
  if (choice.Height < kMinFontHeight) choice.Height = TFontChoice{}.Height;
  if (choice.Height > kMaxFontHeight) choice.Height = kMaxFontHeight;
  choice.Style &= fs_Bold | fs_Italic | fs_Underline | fs_StrikeOut;
  choice.Color = NormalizeColor(choice.Color);
  if (choice.Name.empty()) choice.Name = kDefaultFontName;
  return choice;
}

UniqueHFONT CreateUiFont(const TFontChoice& raw) {
  const TFontChoice choice = Sanitized(raw);
  LOGFONTW lf{};
  lf.lfHeight = -choice.Height;
  lf.lfWeight = (choice.Style & fs_Bold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (choice.Style & fs_Italic) ? TRUE : FALSE;
  lf.lfUnderline = (choice.Style & fs_Underline) ? TRUE : FALSE;
  lf.lfStrikeOut = (choice.Style & fs_StrikeOut) ? TRUE : FALSE;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  const std::wstring face = choice.Name == kDefaultFontName ? DefaultFontFace() : ToWide(choice.Name);
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return UniqueHFONT(::CreateFontIndirectW(&lf));
}

TFontChoice FontChoiceOf(HFONT font, std::uint32_t color) {
  TFontChoice choice;
  choice.Color = NormalizeColor(color);
  LOGFONTW lf{};
  if (!font || !::GetObjectW(font, sizeof(lf), &lf)) return choice;
  choice.Name = lf.lfFaceName[0] ? FromWide(lf.lfFaceName) : std::string(kDefaultFontName);
  if (lf.lfHeight != 0) choice.Height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
  choice.Style = static_cast<std::uint8_t>((lf.lfWeight >= FW_BOLD ? fs_Bold : 0) | (lf.lfItalic ? fs_Italic : 0) |
                                         (lf.lfUnderline ? fs_Underline : 0) | (lf.lfStrikeOut ? fs_StrikeOut : 0));
  return Sanitized(choice);
}

}  // namespace lumeko
