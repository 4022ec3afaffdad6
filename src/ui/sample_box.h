// The page's font and colour sample: a line of lyrics as the effect shows it.
//
// One window paints the whole panel: the background colour, the sample text
// above and below in the inactive colour, and between them the active box
// (a paint box: no window of its own) in the active background colour with
// the text drawn by the lyrics' own text-effect primitive, first whole in
// the still-not-active colour, then clipped to its left half in the active
// colour, so it shows a line half sung. The box is drawn with its origin
// moved into the panel, which is what the primitive's region offset is for.
#pragma once

#include <cstdint>
#include <string>

#include "settings/setup_info.h"
#include "ui/window_control.h"

namespace lumeko {

struct TSampleLook {
  std::string FontName = kDefaultFontName;  // CP932
  std::uint8_t FontStyle = 0;
  int Effect = 0;
  TSetupInfo_Color Colors;
  bool operator==(const TSampleLook&) const = default;
};

class TSampleBox final : public TWindowControl {
 public:
  TSampleBox(HWND parent, int left, int top, int width, int height, const std::string& text);

  const TSampleLook& Look() const noexcept { return look_; }
  void SetLook(const TSampleLook& look);
  // The active box in the panel's client coordinates.
  RECT ActiveBox() const;
  // The height of the sample's font in pixels.
  static constexpr int kFontHeight = 20;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Paint(HDC dc);

  std::string text_;
  TSampleLook look_;
};

}  // namespace lumeko
