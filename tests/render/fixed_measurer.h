// A deterministic stand-in for a font: every single-byte character is half
// the character height wide, every double-byte one a full height, and a line
// is 5/4 of the character height tall. Sizes convert at 96 pixels per inch
// with rounding, as the GDI canvas does.
#pragma once

#include <string_view>

#include "platform/cp932.h"
#include "render/text_measurer.h"

namespace lumeko::test {

class FixedMeasurer : public TTextMeasurer {
 public:
  void SetFontSize(int points) override { height_ = (points * 96 + 36) / 72; }
  int FontSize() const override { return (height_ * 72 + 48) / 96; }
  void SetFontHeight(int pixels) override { height_ = pixels; }
  int FontHeight() const override { return height_; }
  TTextSize TextExtent(std::string_view text) override {
    ++calls;
    int cx = 0;
    for (size_t i = 0; i < text.size();) {
      const size_t len = CharLength(text, i);
      cx += len == 2 ? height_ : height_ / 2;
      i += len;
    }
    return {cx, height_ + height_ / 4};
  }
  int calls = 0;

 private:
  int height_ = 16;
};

}  // namespace lumeko::test
