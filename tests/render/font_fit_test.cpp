// Font fitting and row breaking against a font of known widths.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "render/fixed_measurer.h"
#include "render/font_fit.h"

namespace lumeko {
namespace {

using test::FixedMeasurer;

// CP932 bytes of a few characters used below.
const std::string A = "\x82\xa0";     // あ
const std::string I = "\x82\xa2";     // い
const std::string U = "\x82\xa4";     // う
const std::string E = "\x82\xa6";     // え
const std::string O = "\x82\xa8";     // お
const std::string WS = "\x81\x40";    // double-byte space

TLineSource From(const std::vector<std::string>& lines) {
  return [&lines](int i) { return lines[i]; };
}

TEST(FitFontSize, StepsDownFromTheEstimateUntilTheHeightRuleHolds) {
  FixedMeasurer m;
  TLineMetrics metrics;
  // Estimate 640 × 100 / (132 + 166) = 214; only at 48 pt (64 px, 80 px tall)
  // does the frame leave a quarter of the text height to spare.
  EXPECT_EQ(FitFontSize(m, "Hi", {640, 100, 6}, &metrics), 48);
  EXPECT_EQ(m.FontSize(), 48);
  EXPECT_EQ(metrics.FontSize, 48);
  EXPECT_EQ(metrics.HalfSize, 24);
  EXPECT_EQ(metrics.QuarterSize, 12);
  EXPECT_EQ(metrics.LineHeight, 82);
  EXPECT_EQ(metrics.HalfLine, 41);
  EXPECT_EQ(metrics.ThirdLine, 28);  // 82 / 3 rounded up
  EXPECT_EQ(metrics.QuarterLine, 20);
}

TEST(FitFontSize, WidthRuleLeavesOneTextHeightSpare) {
  FixedMeasurer m;
  // 20 single-byte characters in a tall frame: the width decides. At s pt the
  // text is 10 × h wide and 5h/4 tall; it must fit in 400 − 5h/4.
  const int s = FitFontSize(m, std::string(20, 'x'), {400, 1000, 6}, nullptr);
  m.SetFontSize(s);
  TTextSize t = m.TextExtent(std::string(20, 'x'));
  EXPECT_GE(400 - t.cy, t.cx);
  m.SetFontSize(s + 1);
  t = m.TextExtent(std::string(20, 'x'));
  EXPECT_LT(400 - t.cy, t.cx) << "the size is the largest that fits";
}

TEST(FitFontSize, NarrowFrameFallsBackToTheMinimumAndEmptyTextToZero) {
  FixedMeasurer m;
  TLineMetrics metrics;
  EXPECT_EQ(FitFontSize(m, std::string(20, 'x'), {50, 500, 6}, &metrics), 6);
  EXPECT_EQ(m.FontSize(), 6);
  EXPECT_GT(m.TextExtent(std::string(20, 'x')).cx, 50) << "the text stays wider than the frame";
  EXPECT_EQ(metrics.LineHeight, 8 + 2 + 2);

  TLineMetrics untouched;
  untouched.FontSize = 77;
  EXPECT_EQ(FitFontSize(m, "", {640, 480, 6}, &untouched), 0);
  EXPECT_EQ(untouched.FontSize, 77);
  // A frame of no width never divides by zero or loops.
  EXPECT_EQ(FitFontSize(m, "abc", {0, 0, 9}, nullptr), 9);
}

// Sizes as the GDI canvas treats them: the requested size reads back as
// asked, but 0 draws in the default font (16 px) and a negative size in a
// cell of that many pixels, so a text never measures less than 1 pixel tall.
// It gives up on a size search that would not end.
class GdiLikeMeasurer : public TTextMeasurer {
 public:
  void SetFontSize(int points) override { SetFontHeight((points * 96 + (points < 0 ? -36 : 36)) / 72); }
  int FontSize() const override { return (requested_ * 72 + (requested_ < 0 ? -48 : 48)) / 96; }
  void SetFontHeight(int pixels) override {
    if (++sets > 1000) throw std::runtime_error("the size search does not end");
    requested_ = pixels;
    font_.SetFontHeight(pixels > 0 ? pixels : pixels == 0 ? 16 : -pixels);
  }
  int FontHeight() const override { return requested_; }
  TTextSize TextExtent(std::string_view text) override { return font_.TextExtent(text); }
  int sets = 0;

 private:
  FixedMeasurer font_;
  int requested_ = 16;
};

TEST(FitFontSize, AMinimumOfZeroStillEndsAtOnePoint) {
  // FontMinSize is a byte in the registry: 0 (or 256) can reach the fitting.
  // A frame too small for any size must still end, at a real size.
  GdiLikeMeasurer m;
  TLineMetrics metrics;
  EXPECT_EQ(FitFontSize(m, "abc", {1, 1, 0}, &metrics), 1);
  EXPECT_EQ(m.FontSize(), 1);
  EXPECT_EQ(metrics.FontSize, 1);
  FixedMeasurer plain;
  EXPECT_EQ(FitFontSize(plain, "abc", {1, 1, 0}, nullptr), 1) << "0 points is no size to draw in";
  // The karaoke rows' fallback takes the same floor.
  GdiLikeMeasurer k;
  const std::vector<std::string> lines = {"Hello"};
  EXPECT_EQ(CalcKaraokeFont(k, 1, From(lines), {40, 4, 0}, 8, metrics).FontSize, 1);
}

TEST(CalcFontSize, FitsTheFirstOfTheWidestLines) {
  FixedMeasurer m;
  TLineMetrics metrics;
  const std::vector<std::string> lines = {"x", "ab", "", "cd", "y"};
  TResultCalcFontSize r = CalcFontSize(m, 5, From(lines), {640, 100, 6}, metrics);
  EXPECT_EQ(r.WidestText, "ab");  // "cd" is as wide, but later
  EXPECT_EQ(r.FontSize, 48);
  EXPECT_EQ(metrics.FontSize, 48);

  const std::vector<std::string> empty = {"", ""};
  r = CalcFontSize(m, 2, From(empty), {640, 100, 6}, metrics);
  EXPECT_EQ(r.FontSize, 0);
  EXPECT_EQ(r.WidestText, "");
}

class WrapTextTest : public ::testing::Test {
 protected:
  void SetUp() override { m.SetFontHeight(20); }  // single byte 10 px, double 20 px
  FixedMeasurer m;
};

TEST_F(WrapTextTest, BreaksBeforeTheOverflowingCharacterWithoutOtherBreaks) {
  EXPECT_EQ(WrapText(m, "abcdefghijkl", 50), "abcde\r\nfghij\r\nkl");
  EXPECT_EQ(WrapText(m, A + I + U, 45), A + I + "\r\n" + U);
  EXPECT_EQ(WrapText(m, "abc", 50), "abc");
  EXPECT_EQ(WrapText(m, "", 50), "");
}

TEST_F(WrapTextTest, PrefersTheBoundaryBetweenLatinAndJapanese) {
  // "ab" + あいう is 80 px; the row ends at the boundary, not before う.
  EXPECT_EQ(WrapText(m, "ab" + A + I + U, 70), "ab\r\n" + A + I + U);
  // A space after the boundary wins and is dropped.
  EXPECT_EQ(WrapText(m, "ab" + A + I + WS + U + E + O, 100), "ab" + A + I + "\r\n" + U + E + O);
  EXPECT_EQ(WrapText(m, "one two three", 75), "one two\r\nthree");
}

TEST_F(WrapTextTest, ACharacterWiderThanTheLimitFormsARowAlone) {
  EXPECT_EQ(WrapText(m, A + I, 15), A + "\r\n" + I);
  // A stray lead byte at the end counts as one character and does not overrun.
  EXPECT_EQ(WrapText(m, std::string("ab\x82"), 15), "a\r\nb\r\n\x82");
}

TEST_F(WrapTextTest, BreakKaraokeRowPrefersPunctuationThenClassThenWidth) {
  // Punctuation: the cut falls after the last ',' before the hard limit.
  TKaraokeRowBreak r = BreakKaraokeRow(m, "xy ab,cdefgh", 60, 80);
  EXPECT_EQ(r.Head, "xy ab,");
  EXPECT_EQ(r.Rest, "cdefgh");
  // After a double-byte space, ASCII punctuation no longer counts: the cut
  // falls at the change to single-byte text.
  r = BreakKaraokeRow(m, A + WS + "ab,cdefgh", 60, 80);
  EXPECT_EQ(r.Head, A + WS);
  EXPECT_EQ(r.Rest, "ab,cdefgh");
  // No breaks: the last character within the preferred width.
  r = BreakKaraokeRow(m, "abcdefghij", 35, 50);
  EXPECT_EQ(r.Head, "abc");
  EXPECT_EQ(r.Rest, "defghij");
  // Not even one character within it: the first character alone.
  r = BreakKaraokeRow(m, A + I + U, 5, 10);
  EXPECT_EQ(r.Head, A);
  EXPECT_EQ(r.Rest, I + U);
}

TEST_F(WrapTextTest, BreakKaraokeRowLeavesAFittingTextWhole) {
  const TKaraokeRowBreak r = BreakKaraokeRow(m, "abc" + A, 100, 100);
  EXPECT_EQ(r.Head, "");
  EXPECT_EQ(r.Rest, "abc" + A);
}

TEST(CalcKaraokeFont, RowCountSetsTheCharacterHeight) {
  FixedMeasurer m;
  TLineMetrics km;
  const std::vector<std::string> lines = {"Hello", "Hi"};
  // 450 / (8 + 1) − 2 = 48 px, 36 pt.
  TResultCalcFontSize r = CalcKaraokeFont(m, 2, From(lines), {800, 450, 6}, 8, km);
  EXPECT_EQ(r.FontSize, 36);
  EXPECT_EQ(r.WidestText, "Hello") << "the block is centred at the widest line";
  EXPECT_EQ(km.FontSize, 36);
  EXPECT_EQ(km.LineHeight, 50);
  EXPECT_EQ(km.ThirdLine, 17);

  // Below FontMinSize: the minimum wins and the width no longer decides.
  r = CalcKaraokeFont(m, 2, From(lines), {800, 450, 40}, 8, km);
  EXPECT_EQ(r.FontSize, 40);
  EXPECT_EQ(r.WidestText, "");
  EXPECT_EQ(km.LineHeight, 53 + 2);

  // Row count 0: the fitted size of the widest line.
  r = CalcKaraokeFont(m, 2, From(lines), {800, 450, 6}, 0, km);
  FixedMeasurer probe;
  TLineMetrics fitted;
  EXPECT_EQ(r.FontSize, FitFontSize(probe, "Hello", {800, 450, 6}, &fitted));
  EXPECT_EQ(r.WidestText, "");
  EXPECT_EQ(km.LineHeight, probe.FontHeight() + 2);
}

}  // namespace
}  // namespace lumeko
