// The text primitive's effects and clipped wipe, read back from the pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/unique_handle.h"
#include "platform/wide.h"
#include "render/effect_text.h"
#include "render/pixels.h"

namespace lumeko {
namespace {

using namespace test;

const std::string kSquare = "\x81\xa1";  // ■, a solid glyph with straight edges
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0x0000FF;  // COLORREF

class EffectTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame.SetSize(160, 80));
    frame.Canvas().SetFontName(kTestFont);
    frame.Canvas().SetFontSize(36);
    Clear();
  }
  void Clear() { frame.Canvas().FillSolid(frame.Area(), 0); }
  void Draw(int effect, bool clip = false, RECT rect = {20, 10, 140, 70}, const TLineMetrics* m = nullptr,
            const std::string& text = kSquare) {
    DrawEffectText(frame.Canvas(), text, rect, effect, kWhite, kRed, clip, m, kFormatLeft);
  }
  test::TestFrame frame;
};

TEST_F(EffectTextTest, PlainTextAndUnknownEffectsDrawNoEffectColour) {
  for (int effect : {0, 6, -1, 200}) {
    Clear();
    Draw(effect);
    EXPECT_GT(Count(frame, IsWhite), 400) << effect;
    EXPECT_EQ(Count(frame, IsRed), 0) << effect;
  }
}

TEST_F(EffectTextTest, FrameAndShadowsSitWhereTheCopiesLead) {
  Draw(0);
  const Box glyph = FindBox(frame, IsWhite);
  ASSERT_FALSE(glyph.Empty());
  const int midY = (glyph.top + glyph.bottom) / 2, midX = (glyph.left + glyph.right) / 2;

  struct Case {
    int effect;
    bool left, top, right, bottom;
  } cases[] = {
      {1, true, true, true, true},
      {2, false, false, true, true},
      {3, true, true, false, false},  // the copy at (0, 0) hides under the text
  };
  for (const Case& c : cases) {
    Clear();
    Draw(c.effect);
    EXPECT_EQ(FindBox(frame, IsWhite).left, glyph.left) << "the text itself does not move";
    EXPECT_EQ(IsRed(frame.Pixel(glyph.left - 1, midY)), c.left) << c.effect;
    EXPECT_EQ(IsRed(frame.Pixel(midX, glyph.top - 1)), c.top) << c.effect;
    EXPECT_EQ(IsRed(frame.Pixel(glyph.right + 1, midY)), c.right) << c.effect;
    EXPECT_EQ(IsRed(frame.Pixel(midX, glyph.bottom + 1)), c.bottom) << c.effect;
    const Box red = FindBox(frame, IsRed);
    EXPECT_GE(red.left, glyph.left - 1) << "effects reach one pixel, no more";
    EXPECT_LE(red.right, glyph.right + 1);
    EXPECT_LE(red.bottom, glyph.bottom + 1);
  }
}

TEST_F(EffectTextTest, OutlinesGrowWithTheFontSize) {
  Draw(0);
  const Box glyph = FindBox(frame, IsWhite);
  Clear();
  Draw(4);
  const Box small = FindBox(frame, IsRed);
  Clear();
  Draw(5);
  const Box large = FindBox(frame, IsRed);
  ASSERT_FALSE(small.Empty());
  ASSERT_FALSE(large.Empty());
  // Pen widths 36 / 4 = 9 and 36 / 2 = 18, centred on the outline.
  EXPECT_GE(glyph.left - small.left, 3);
  EXPECT_LE(glyph.left - small.left, 6);
  EXPECT_GE(glyph.left - large.left, 8);
  EXPECT_LE(glyph.left - large.left, 11);
  EXPECT_TRUE(IsWhite(frame.Pixel((glyph.left + glyph.right) / 2, (glyph.top + glyph.bottom) / 2)))
      << "the text is drawn over its outline";

  // Without metrics the pen follows the canvas font; with other metrics it
  // follows them instead.
  TLineMetrics thin = MakeLineMetrics(8, 40, false);
  Clear();
  Draw(4, false, {20, 10, 140, 70}, &thin);
  EXPECT_GT(FindBox(frame, IsRed).left, small.left);
}

TEST_F(EffectTextTest, ClipShowsOnlyTheSungPartWithTheEffectAlongItsEdge) {
  Draw(0);
  const Box glyph = FindBox(frame, IsWhite);
  const int cut = glyph.left + glyph.Width() / 2;

  Clear();
  Draw(0, true, {20, 10, cut, 70});
  Box sung = FindBox(frame, IsWhite);
  EXPECT_EQ(sung.left, glyph.left);
  EXPECT_EQ(sung.right, cut - 1) << "the wipe edge stands at the rectangle's right edge";

  // The frame effect widens the clip by one pixel, so its edge travels with the wipe.
  Clear();
  Draw(1, true, {20, 10, cut, 70});
  EXPECT_EQ(FindBox(frame, [](std::uint32_t p) { return p != 0; }).right, cut);

  // Right edge on the left edge: plain text draws nothing at all.
  Clear();
  Draw(0, true, {20, 10, 20, 70});
  EXPECT_EQ(Count(frame, [](std::uint32_t p) { return p != 0; }), 0);

  // The clip is cleared afterwards: the next unclipped draw is whole.
  Clear();
  Draw(0);
  EXPECT_EQ(FindBox(frame, IsWhite).right, glyph.right);
}

TEST_F(EffectTextTest, ItalicClipLeansRightAtTheTop) {
  frame.Canvas().SetFontStyle(fs_Italic);
  Draw(0);
  const Box glyph = FindBox(frame, IsWhite);
  const Box topBand = FindBox(frame, IsWhite, 0, glyph.top + 2, -1, glyph.top + 4);
  const Box bottomBand = FindBox(frame, IsWhite, 0, glyph.bottom - 4, -1, glyph.bottom - 2);
  ASSERT_GE(topBand.left - bottomBand.left, 6) << "the glyph is slanted";
  // A wipe just past the bottom-left corner: an upright clip would hide the
  // whole top of the glyph, the leaning one shows a sliver of it too.
  const int cut = bottomBand.left + 3;
  Clear();
  Draw(0, true, {20, 10, cut, 70});
  EXPECT_FALSE(FindBox(frame, IsWhite, 0, glyph.top + 2, -1, glyph.top + 4).Empty());
  EXPECT_LE(FindBox(frame, IsWhite, 0, glyph.bottom - 4, -1, glyph.bottom - 2).right, cut + 8);
}

TEST_F(EffectTextTest, PlacesTheTextWhereDrawTextPutsIt) {
  // Odd and even text heights in odd and even rectangles, narrower than the
  // text too: the glyphs land on the same pixels as DrawText's.
  const auto any = [](std::uint32_t p) { return p != 0; };
  for (const std::string& text : {kSquare, std::string("Ag"), kSquare + kSquare + kSquare}) {
    for (int size : {9, 13}) {
      frame.Canvas().SetFontSize(size);
      for (int h : {5, 11, 14, 17, 20})
        for (UINT format : {kFormatLeft, kFormatCentred})
          for (RECT r : {RECT{3, 9, 140, 9 + h}, RECT{3, 9, 4, 9 + h}, RECT{-7, 9, 7, 9 + h}}) {
            Clear();
            DrawEffectText(frame.Canvas(), text, r, 0, kWhite, kRed, false, nullptr, format);
            const Box ours = FindBox(frame, any);
            Clear();
            const std::wstring wide = ToWide(text);
            frame.Canvas().SetTextColor(kWhite);
            ::DrawTextW(frame.Handle(), wide.c_str(), static_cast<int>(wide.size()), &r,
                        format | DT_NOCLIP | DT_NOPREFIX);
            const Box theirs = FindBox(frame, any);
            ASSERT_FALSE(theirs.Empty());
            EXPECT_TRUE(ours.left == theirs.left && ours.top == theirs.top && ours.right == theirs.right &&
                        ours.bottom == theirs.bottom)
                << "size " << size << " height " << h << " format " << format << " left " << r.left
                << ": top " << ours.top << " against " << theirs.top << ", left " << ours.left << " against "
                << theirs.left;
          }
    }
  }
}

TEST_F(EffectTextTest, CentredFormatPlacesTheTextInTheMiddle) {
  DrawEffectText(frame.Canvas(), kSquare, {0, 0, 160, 80}, 0, kWhite, kRed, false, nullptr, kFormatCentred);
  const Box glyph = FindBox(frame, IsWhite);
  EXPECT_NEAR((glyph.left + glyph.right) / 2.0, 80, 3);
  EXPECT_NEAR((glyph.top + glyph.bottom) / 2.0, 40, 6);
}

// With no GDI object to spare, the clip of the sung part cannot be made:
// that layer then draws nothing rather than the whole line.
TEST_F(EffectTextTest, AClipThatCannotBeMadeDrawsNothing) {
  Draw(0);  // the font is made and selected while there is room
  Clear();
  std::vector<UniqueHRGN> hoard;
  while (hoard.size() < 200000) {
    UniqueHRGN r(::CreateRectRgn(0, 0, 1, 1));
    if (!r) break;
    hoard.push_back(std::move(r));
  }
  ASSERT_LT(hoard.size(), 200000u) << "GDI never ran out";
  Draw(0, true);
  hoard.clear();
  EXPECT_EQ(Count(frame, IsWhite), 0);
  Draw(0, true);  // and with room again, the clipped text shows
  EXPECT_GT(Count(frame, IsWhite), 400);
}

}  // namespace
}  // namespace lumeko
