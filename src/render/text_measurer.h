// The text-measuring seam of font fitting and row breaking.
//
// Fitting only needs to set a font size (points or character height in
// pixels), read it back and measure CP932 text; the GDI canvas answers these
// with the real font, tests with a deterministic one. Sizes convert between
// points and pixels the way the canvas does at its own resolution.
#pragma once

#include <string_view>

namespace lumeko {

struct TTextSize {
  int cx = 0;
  int cy = 0;
};

class TTextMeasurer {
 public:
  virtual ~TTextMeasurer() = default;
  virtual void SetFontSize(int points) = 0;
  virtual int FontSize() const = 0;
  // Character height in pixels (the em height, without internal leading).
  virtual void SetFontHeight(int pixels) = 0;
  virtual int FontHeight() const = 0;
  // Width and height in pixels of CP932 text in the current font.
  virtual TTextSize TextExtent(std::string_view cp932) = 0;

  // A measurement since ClearFailed() could not be made as asked (the font
  // could not be made, the text not measured): what was fitted then is not
  // to be kept, and the frame is to be laid out again.
  bool Failed() const { return failed_; }
  void ClearFailed() { failed_ = false; }

 protected:
  void NoteFailed() { failed_ = true; }

 private:
  bool failed_ = false;
};

}  // namespace lumeko
