// The font of a control, described by value and realised as an HFONT the
// control owns.
//
// A name of "Default" stands for the system's user-interface face. Fonts are
// always asked for the Shift_JIS character set, so Japanese captions find
// their glyphs whatever the system's ANSI code page is. Heights and styles
// from callers are clamped, never passed on raw.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/unique_handle.h"
#include "render/canvas.h"
#include "ui/ui_paint.h"

namespace lumeko {

struct TFontChoice {
  std::string Name = kDefaultFontName;  // CP932
  int Height = 12;                      // character height in pixels
  std::uint8_t Style = 0;               // fs_Bold | fs_Italic | fs_Underline | fs_StrikeOut
  std::uint32_t Color = kClWindowText;  // the text colour of the control
  bool operator==(const TFontChoice&) const = default;
};

constexpr int kMinFontHeight = 1;
constexpr int kMaxFontHeight = 512;

// The choice with its height and style brought into range.
TFontChoice Sanitized(TFontChoice choice);
UniqueHFONT CreateUiFont(const TFontChoice& choice);
// Reads an existing font back (for a control that follows its parent's font);
// the default choice when there is none.
TFontChoice FontChoiceOf(HFONT font, std::uint32_t color = kClWindowText);

}  // namespace lumeko
