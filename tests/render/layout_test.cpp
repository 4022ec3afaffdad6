// Background placement, tint, line metrics and colour blending.
#include <gtest/gtest.h>

#include <vector>

#include "render/background_layout.h"
#include "render/line_metrics.h"

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

TEST(PictureSizeAllowed, SideAndByteCaps) {
  EXPECT_TRUE(PictureSizeAllowed(16384, 5000));
  EXPECT_FALSE(PictureSizeAllowed(16385, 1));
  EXPECT_FALSE(PictureSizeAllowed(1, 16385));
  EXPECT_FALSE(PictureSizeAllowed(16384, 16384));  // 768 MB decoded
  EXPECT_FALSE(PictureSizeAllowed(0, 10));
  EXPECT_FALSE(PictureSizeAllowed(10, -1));
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
