// Font fitting with the real font through the GDI canvas.
#include <gtest/gtest.h>

#include <string>

#include "render/canvas.h"
#include "render/font_fit.h"
#include "render/pixels.h"

namespace lumeko {
namespace {

TEST(GdiFit, TheFittedSizeIsTheLargestThatKeepsBothMargins) {
  TCanvas canvas;
  canvas.SetFontName(test::kTestFont);
  const std::string text = "\x96\xe9\x96\xbe\x82\xaf\x91\x4f\x82\xcc Station";  // 夜明け前の Station
  TLineMetrics m;
  const TFitArea area{640, 360, 6};
  const int s = FitFontSize(canvas, text, area, &m);
  ASSERT_GT(s, area.MinSize);
  EXPECT_EQ(canvas.FontSize(), s);
  TTextSize at = canvas.TextExtent(text);
  EXPECT_GE(area.Width - at.cy, at.cx);
  EXPECT_GE(area.Height - at.cy / 4, at.cy);
  EXPECT_EQ(m.LineHeight, at.cy + 2);
  canvas.SetFontSize(s + 1);
  at = canvas.TextExtent(text);
  EXPECT_FALSE(area.Width - at.cy >= at.cx && area.Height - at.cy / 4 >= at.cy) << "one point more no longer fits";
}

TEST(GdiFit, KaraokeRowCountGivesTheCharacterHeight) {
  TCanvas canvas;
  canvas.SetFontName(test::kTestFont);
  const std::string line = "Hello";
  TLineMetrics km;
  const TResultCalcFontSize r =
      CalcKaraokeFont(canvas, 1, [&](int) { return line; }, {800, 450, 6}, 8, km);
  EXPECT_EQ(canvas.FontHeight(), 48);  // 450 / 9 − 2
  EXPECT_EQ(r.FontSize, 36);           // at 96 pixels an inch
  EXPECT_EQ(km.LineHeight, 50);
  EXPECT_EQ(r.WidestText, "Hello");
}

TEST(GdiFit, WrapTextBreaksMixedTextAtTheBoundary) {
  TCanvas canvas;
  canvas.SetFontName(test::kTestFont);
  canvas.SetFontSize(20);
  const std::string latin = "Tick";
  const std::string japanese = "\x8b\xbb\x82\xcc\x89\x9c\x82\xc5";  // 胸の奥で
  const int limit = canvas.TextExtent(latin + "\x8b\xbb").cx + 1;  // "Tick" and one kanji fit
  const std::string wrapped = WrapText(canvas, latin + japanese, limit);
  EXPECT_EQ(wrapped.substr(0, 8), latin + "\r\n" + japanese.substr(0, 2)) << "not inside the Latin word";
}

}  // namespace
}  // namespace lumeko
