// Background placement, tint, line metrics and colour blending.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "render/background_layout.h"
#include "render/line_metrics.h"
#include "render/picture_scale.h"

namespace lumeko {

void PrintTo(const TBkGndRect& r, std::ostream* o) { *o << "{" << r.x << "," << r.y << "," << r.w << "," << r.h << "}"; }

namespace {

using Rect = TBkGndRect;

TEST(PlaceBackground, EveryModeForAWidePictureInASmallerFrame) {
  // Frame 200 × 100, picture 300 × 50 (wider aspect than the frame).
  EXPECT_EQ(PlaceBackground(0, 200, 100, 300, 50), (Rect{0, 33, 200, 34}));     // fit: bands above and below
  EXPECT_EQ(PlaceBackground(1, 200, 100, 300, 50), (Rect{0, 0, 200, 100}));
  EXPECT_EQ(PlaceBackground(2, 200, 100, 300, 50), (Rect{-200, 0, 600, 100}));  // cover: overhangs left and right
  EXPECT_EQ(PlaceBackground(3, 200, 100, 300, 50), (Rect{-50, 25, 300, 50}));   // larger than the frame: negative x
  EXPECT_EQ(PlaceBackground(4, 200, 100, 300, 50), (Rect{0, 0, 300, 50}));
  EXPECT_EQ(PlaceBackground(5, 200, 100, 300, 50), (Rect{-100, 0, 300, 50}));
  EXPECT_EQ(PlaceBackground(6, 200, 100, 300, 50), (Rect{0, 50, 300, 50}));
  EXPECT_EQ(PlaceBackground(7, 200, 100, 300, 50), (Rect{-100, 50, 300, 50}));
  EXPECT_EQ(PlaceBackground(8, 200, 100, 300, 50), (Rect{0, 0, 200, 100}));
  EXPECT_EQ(PlaceBackground(42, 200, 100, 300, 50), PlaceBackground(0, 200, 100, 300, 50));
}

TEST(PlaceBackground, ScaledSizesRoundUpAndCentreDividesTowardZero) {
  // Tall picture 30 × 70 in 101 × 50: fit scale 50/70, width ceil(21.43) = 22.
  EXPECT_EQ(PlaceBackground(0, 101, 50, 30, 70), (Rect{39, 0, 22, 50}));
  // Cover scale 101/30: height ceil(235.67) = 236; y = (50 − 236) / 2 = −93.
  EXPECT_EQ(PlaceBackground(2, 101, 50, 30, 70), (Rect{0, -93, 101, 236}));
  // Centre of an odd overhang: (100 − 301) / 2 = −100, not −101.
  EXPECT_EQ(PlaceBackground(3, 100, 100, 301, 10), (Rect{-100, 45, 301, 10}));
}

TEST(BlendToColor, AlphaZeroKeepsAlphaFullNearlyReplacesAndRowsKeepTheirPadding) {
  // Two rows of two pixels, stride 8 (6 bytes of pixels + 2 of padding).
  const std::vector<std::uint8_t> original = {10, 20, 30, 200, 100, 0, 0xEE, 0xEE,
                                              255, 255, 255, 0, 0, 0, 0xEE, 0xEE};
  std::vector<std::uint8_t> p = original;
  BlendToColor(p.data(), 2, 2, 8, 0x00FF8040, 0);  // R 0x40, G 0x80, B 0xFF
  // alpha 0: (255 × old) shr 8 — a full-scale channel loses one step.
  EXPECT_EQ(p[0], 9);
  EXPECT_EQ(p[8], 254);
  p = original;
  BlendToColor(p.data(), 2, 2, 8, 0x00FF8040, 255);
  EXPECT_EQ(p[0], 0xFF * 255 >> 8);  // B
  EXPECT_EQ(p[1], 0x80 * 255 >> 8);  // G
  EXPECT_EQ(p[2], 0x40 * 255 >> 8);  // R
  EXPECT_EQ(p[12], 0x80 * 255 >> 8);
  EXPECT_EQ(p[6], 0xEE);
  EXPECT_EQ(p[15], 0xEE) << "padding is not pixel data";
  p = original;
  BlendToColor(p.data(), 2, 2, 8, 0, 127);  // default: darken toward black
  EXPECT_EQ(p[3], (128 * 200) >> 8);
}

TEST(PictureSizeAllowed, SideAndAreaCaps) {
  EXPECT_TRUE(PictureSizeAllowed(11648, 8736));  // a 102-megapixel photo
  EXPECT_TRUE(PictureSizeAllowed(65535, 4096));   // a long panorama
  EXPECT_FALSE(PictureSizeAllowed(65536, 1));
  EXPECT_FALSE(PictureSizeAllowed(1, 65536));
  EXPECT_FALSE(PictureSizeAllowed(16385, 16384));  // past 2^28 pixels
  EXPECT_FALSE(PictureSizeAllowed(0, 10));
  EXPECT_FALSE(PictureSizeAllowed(10, -1));
}

// What a frame needs decoded: the coarsest DCT scale still as large as the
// placed picture, the whole picture while it fits the decode cap, else the
// part the frame shows.
TEST(PlanPictureDecode, ScaleForTheFrameAndOnlyTheShownPartOfHugePictures) {
  using D = TPictureDecode;
  auto eq = [](const D& a, const D& b) { return a.Denom == b.Denom && a.Window == b.Window; };
  EXPECT_TRUE(eq(PlanPictureDecode(2, 1920, 1080, 4000, 3000), D{2, {0, 0, 2000, 1500}}));
  EXPECT_TRUE(eq(PlanPictureDecode(0, 320, 180, 4000, 3000), D{8, {0, 0, 500, 375}}));
  EXPECT_TRUE(eq(PlanPictureDecode(2, 1920, 1080, 100, 2000), D{1, {0, 0, 100, 2000}}));
  // 102 megapixels at their own size: the centred frame's part only.
  EXPECT_TRUE(eq(PlanPictureDecode(3, 1920, 1080, 11648, 8736), D{1, {4864, 3828, 1920, 1080}}));
  EXPECT_TRUE(eq(PlanPictureDecode(8, 1920, 1080, 11648, 8736), D{1, {0, 0, 1920, 1080}}));
  // A panorama zoomed: at 1/2 whole it is 196 MB, so the shown columns only.
  const D pano = PlanPictureDecode(2, 1920, 1080, 65535, 4000);
  EXPECT_EQ(pano.Denom, 2);
  EXPECT_NEAR(pano.Window.x + pano.Window.w / 2, 32768 / 2, 2);
  EXPECT_NEAR(pano.Window.w, 1920 * 32768.0 / PlaceBackground(2, 1920, 1080, 65535, 4000).w, 2);
  EXPECT_FALSE(PlanPictureDecode(3, 16000, 9000, 20000, 12000)) << "a frame past 8K at its own size";
  // A finer or larger decoded part serves a coarser or smaller need, not the reverse.
  EXPECT_TRUE(DecodeCovers(D{2, {0, 0, 2000, 1500}}, D{8, {0, 0, 500, 375}}, 4000, 3000));
  EXPECT_FALSE(DecodeCovers(D{8, {0, 0, 500, 375}}, D{2, {0, 0, 2000, 1500}}, 4000, 3000));
  EXPECT_TRUE(DecodeCovers(D{1, {100, 100, 800, 600}}, D{1, {200, 150, 640, 480}}, 4000, 3000));
}

// Drawing from a decoded part gives the same frame pixels as drawing from
// the whole decoded picture, as long as the part holds what the frame shows;
// and a flat picture keeps its colour, tinted, when scaled.
TEST(DrawPicturePart, APartDrawsLikeTheWholeOrNotAtAll) {
  const int w = 97, h = 61;
  const size_t stride = DibStride24(w);
  std::vector<std::uint8_t> all(stride * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      for (int c = 0; c < 3; ++c) all[y * stride + x * 3 + c] = static_cast<std::uint8_t>(x * 7 + y * 13 + c * 50);
  const int fw = 150, fh = 40;
  for (int mode : {0, 1, 2, 3, 8}) {
    const Rect placed = PlaceBackground(mode, fw, fh, w, h);
    const Rect shown = VisibleBackground(placed, fw, fh);
    std::vector<std::uint8_t> expected(shown.w * 4 * shown.h), got(expected.size());
    ASSERT_TRUE(DrawPicturePart({all.data(), stride, w, h, {1, {0, 0, w, h}}}, mode, placed, shown, expected.data(),
                                shown.w * 4)) << mode;
    // Cut one side of the decoded part ever further, until it no longer
    // holds what the frame shows.
    for (int side = 0; side < 4; ++side) {
      for (int cut = 1;; ++cut) {
        Rect part{side == 0 ? cut : 0, side == 1 ? cut : 0, w - (side == 0 || side == 2 ? cut : 0),
                  h - (side == 1 || side == 3 ? cut : 0)};
        if (part.w <= 0 || part.h <= 0) break;
        const TPictureView view{all.data() + part.y * stride + part.x * 3, stride, w, h, {1, part}};
        if (!DrawPicturePart(view, mode, placed, shown, got.data(), shown.w * 4)) break;
        ASSERT_EQ(got, expected) << "mode " << mode << " side " << side << " cut " << cut;
      }
    }
  }
  std::vector<std::uint8_t> flat(DibStride24(5) * 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      std::uint8_t* p = &flat[y * DibStride24(5) + x * 3];
      p[0] = 10, p[1] = 200, p[2] = 255;
    }
  const TPictureView view{flat.data(), DibStride24(5), 5, 3, {1, {0, 0, 5, 3}}};
  std::vector<std::uint8_t> out(37 * 4 * 23);
  // Tinted halfway toward blue (0x00BBGGRR): each channel by the blend rule.
  const TBkGndTint tint = MakeBkGndTint(0xFF0000, 128);
  ASSERT_TRUE(DrawPicturePart(view, 1, {0, 0, 37, 23}, {0, 0, 37, 23}, out.data(), 37 * 4, &tint));
  const int b = (255 * 128 + 127 * 10) >> 8, g = (127 * 200) >> 8, r = (127 * 255) >> 8;
  for (size_t i = 0; i < out.size(); i += 4) ASSERT_EQ(out[i] | out[i + 1] << 8 | out[i + 2] << 16, b | g << 8 | r << 16) << i;
}

TEST(LineMetrics, ExtraSpaceByEffectAndThirdLineRounding) {
  const TLineMetrics m = MakeLineMetrics(30, 40, true);  // LineHeight 42
  EXPECT_EQ(m.ThirdLine, 14);
  EXPECT_EQ(MakeLineMetrics(30, 41, true).ThirdLine, 15);
  EXPECT_EQ(MakeLineMetrics(30, 41, false).ThirdLine, 14);
  const int expected[] = {0, 2, 1, 1, 3, 7, 0, 0};  // 4: 7 / 2, 5: 15 / 2
  for (int effect = 0; effect < 8; ++effect) EXPECT_EQ(ExtraLineSpace(effect, m), expected[effect]) << effect;
  EXPECT_EQ(ExtraLineSpace(-1, m), 0);
}

TEST(BlendColor, PerChannelOverTheLow24Bits) {
  EXPECT_EQ(BlendColor(0xFFFFFF, 0x000000, 0), 0xFEFEFEu);  // (255 × 255) shr 8
  EXPECT_EQ(BlendColor(0x000000, 0xFFFFFF, 255), 0xFEFEFEu);
  EXPECT_EQ(BlendColor(0x0000FF, 0xFF0000, 128), 0x7F007Eu);  // R 255 × 127, B 255 × 128
  EXPECT_EQ(BlendColor(0xFF0000FF, 0x0000FF, 0), 0x0000FEu) << "the top byte takes no part";
  EXPECT_EQ(BlendColor(0x102030, 0x102030, 77), 0x0F1F2Fu);
}

}  // namespace
}  // namespace lumeko
