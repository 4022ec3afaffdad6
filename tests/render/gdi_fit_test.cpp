// Font fitting with the real font through the GDI canvas.
#include <gtest/gtest.h>

#include <string>

#include "render/canvas.h"
#include "render/default_face.h"
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

// "Default" is one face with Japanese and Latin letters, chosen by English
// names so that localised names (IPAゴシック here, IPAGothic there) cannot
// change it.
TEST(DefaultFace, IsChosenByEnglishNameAndHasBothScripts) {
  const TFaceCandidate fixed{L"IPA\u30B4\u30B7\u30C3\u30AF", L"IPAGothic", false};
  const TFaceCandidate prop{L"IPA P\u30B4\u30B7\u30C3\u30AF", L"IPAPGothic", true};
  const TFaceCandidate ui{L"MS UI Gothic", L"MS UI Gothic", true};
  EXPECT_EQ(ChooseDefaultFace({fixed, prop}), prop.Name);
  EXPECT_EQ(ChooseDefaultFace({prop, fixed}), prop.Name);
  EXPECT_EQ(ChooseDefaultFace({fixed, prop, ui}), L"MS UI Gothic");
  EXPECT_EQ(ChooseDefaultFace({{L"Zed", L"", false}, {L"Abc", L"", false}}), L"Abc");
  EXPECT_EQ(ChooseDefaultFace({}), L"");

  // The face this system gives has glyphs for "Tick tock, 胸".
  TCanvas canvas;
  canvas.SetFontName(kDefaultFontName);
  canvas.RealizeFont();
  const std::wstring text = L"Tick tock, \u80F8";
  WORD glyphs[16] = {};
  ASSERT_EQ(::GetGlyphIndicesW(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), glyphs,
                               GGI_MARK_NONEXISTING_GLYPHS),
            text.size());
  for (size_t i = 0; i < text.size(); ++i) EXPECT_NE(glyphs[i], 0xFFFF) << "no glyph for character " << i;
  wchar_t face[LF_FACESIZE] = L"";
  ::GetTextFaceW(canvas.Handle(), LF_FACESIZE, face);
  EXPECT_EQ(std::wstring(face), DefaultFontFace());
}

}  // namespace
}  // namespace lumeko
