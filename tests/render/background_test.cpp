// Background pictures: loading (our own BMPs, libjpeg-turbo's test JPEGs,
// damaged and oversized files), placement in every mode, tint and painting.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/file_io.h"
#include "render/background.h"
#include "render/picture.h"
#include "render/pixels.h"
#include "test_support/scratch.h"

#include <jpeglib.h>

namespace lumeko {
namespace {

using namespace test;

// A 24-bit BMP of w × h pixels of one colour (0x00RRGGBB), with the
// top-left pixel in another so orientation shows.
std::string MakeBmp(int w, int h, std::uint32_t rgb, std::uint32_t corner, int declaredH = 0) {
  const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t(3);
  std::string pixels(stride * h, '\0');
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t c = (x == 0 && y == h - 1) ? corner : rgb;  // bottom-up rows
      char* p = &pixels[y * stride + x * 3];
      p[0] = static_cast<char>(c & 0xFF);
      p[1] = static_cast<char>((c >> 8) & 0xFF);
      p[2] = static_cast<char>((c >> 16) & 0xFF);
    }
  std::string f = "BM";
  auto le32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) f.push_back(static_cast<char>(v >> (8 * i))); };
  auto le16 = [&](std::uint16_t v) { f.push_back(static_cast<char>(v)); f.push_back(static_cast<char>(v >> 8)); };
  le32(static_cast<std::uint32_t>(54 + pixels.size()));
  le32(0);
  le32(54);
  le32(40);
  le32(static_cast<std::uint32_t>(w));
  le32(static_cast<std::uint32_t>(declaredH ? declaredH : h));
  le16(1);
  le16(24);
  le32(0);
  le32(static_cast<std::uint32_t>(pixels.size()));
  le32(2835);
  le32(2835);
  le32(0);
  le32(0);
  return f + pixels;
}

std::string LibJpegImage(const char* name) {
  return Join(LUMEKO_LIBJPEG_TESTIMAGES, name);
}

class BackgroundTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(frame.SetSize(40, 20)); }
  void Paint(std::uint32_t color = 0x000000) {
    PaintBackground(bg, frame.Canvas(), frame.Width(), frame.Height(), color, options, false);
  }
  ScratchDir dir{"render-bg"};
  test::TestFrame frame;
  TBackground bg;
  TBkGndOptions options{0, 0, 0};  // no blend unless a test asks
};

TEST_F(BackgroundTest, PlacesTheBmpInEveryMode) {
  const std::string path = dir / "red.bmp";
  ASSERT_TRUE(WriteFile(path, MakeBmp(10, 5, 0xFF0000, 0x00FF00)));
  struct Case {
    int mode;
    TBkGndRect rect;
  } cases[] = {
      {0, {0, 0, 40, 20}},  {1, {0, 0, 40, 20}},  {2, {0, 0, 40, 20}},  {3, {15, 7, 10, 5}},  {4, {0, 0, 10, 5}},
      {5, {30, 0, 10, 5}}, {6, {0, 15, 10, 5}}, {7, {30, 15, 10, 5}}, {8, {0, 0, 40, 20}},
  };
  for (const Case& c : cases) {
    options.DrawMode = c.mode;
    ASSERT_TRUE(LoadBackground(bg, path, options)) << c.mode;
    PrepareBackground(bg, 0x000000, options, 40, 20);
    EXPECT_EQ(bg.BkGndRect, c.rect) << c.mode;
    Paint(0x804020);
    const TBkGndRect& r = c.rect;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool inside = x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
        const std::uint32_t p = frame.Pixel(x, y);
        if (!inside) {
          ASSERT_EQ(p, FramePixel(0x804020)) << "mode " << c.mode << " at " << x << "," << y;
        }
      }
    // The top-left pixel of the picture is green, its neighbours red.
    if (c.mode >= 3 && c.mode <= 8) {
      EXPECT_EQ(frame.Pixel(r.x, r.y), 0x00FF00u) << c.mode;
      EXPECT_EQ(frame.Pixel(r.x + 5, r.y + 2), 0xFF0000u) << c.mode;
    } else {
      EXPECT_GT(R(frame.Pixel(20, 12)), 200) << c.mode;
    }
  }
  // Tiles repeat at the picture's size: the corner pixel again at (10, 5).
  EXPECT_EQ(frame.Pixel(10, 5), 0x00FF00u);
  EXPECT_EQ(frame.Pixel(30, 15), 0x00FF00u);
}

TEST_F(BackgroundTest, BlendTintsOnceAndFollowsTheBackgroundColour) {
  const std::string path = dir / "white.bmp";
  ASSERT_TRUE(WriteFile(path, MakeBmp(40, 20, 0xFFFFFF, 0xFFFFFF)));
  options = {1, 255, bf_BkGndImageBlend};
  ASSERT_TRUE(LoadBackground(bg, path, options));
  PrepareBackground(bg, 0x0000FF, options, 40, 20);  // toward red
  Paint(0x0000FF);
  EXPECT_EQ(frame.Pixel(5, 5), (0xFFu * 255 >> 8) << 16);
  // Another BackgroundColor on paint prepares the picture again.
  Paint(0xFF0000);
  EXPECT_EQ(frame.Pixel(5, 5), 0xFFu * 255 >> 8);
  options.BlendAlpha = 0;
  ASSERT_TRUE(LoadBackground(bg, path, options)) << "a new alpha is a change";
  PrepareBackground(bg, 0xFF0000, options, 40, 20);
  Paint(0xFF0000);
  EXPECT_EQ(frame.Pixel(5, 5), 0xFEFEFEu);
  EXPECT_FALSE(LoadBackground(bg, path, options)) << "the same file and settings change nothing";
}

TEST_F(BackgroundTest, ForbiddenMissingDamagedAndOversizedPicturesGiveNone) {
  const std::string good = dir / "ok.bmp";
  ASSERT_TRUE(WriteFile(good, MakeBmp(4, 4, 0xFF0000, 0xFF0000)));
  options.Flags = bf_BkGndDrawForbid;
  EXPECT_TRUE(LoadBackground(bg, good, options));
  EXPECT_FALSE(bg.HasPicture());
  options.Flags = 0;

  const std::string bad[] = {"missing.jpg", "text.jpg", "huge.bmp", "cut.jpg", "garbled.jpg", "short.bmp"};
  ASSERT_TRUE(WriteFile(dir / "text.jpg", "not a picture at all"));
  ASSERT_TRUE(WriteFile(dir / "huge.bmp", MakeBmp(4, 4, 0, 0, 20000)));  // declares 4 × 20000
  ASSERT_TRUE(WriteFile(dir / "short.bmp", MakeBmp(8, 8, 0, 0).substr(0, 40)));
  std::optional<std::string> jpeg = ReadWholeFile(LibJpegImage("testorig.jpg"));
  ASSERT_TRUE(jpeg.has_value());
  ASSERT_TRUE(WriteFile(dir / "cut.jpg", jpeg->substr(0, jpeg->size() / 2)));
  std::string garbled = *jpeg;
  for (size_t i = 700; i < garbled.size() - 2; i += 97) garbled[i] = static_cast<char>(garbled[i] ^ 0x5A);
  ASSERT_TRUE(WriteFile(dir / "garbled.jpg", garbled));
  for (const std::string& name : bad) {
    ASSERT_TRUE(LoadBackground(bg, good, options));
    ASSERT_TRUE(bg.HasPicture());
    EXPECT_TRUE(LoadBackground(bg, dir / name, options)) << name;
    EXPECT_FALSE(bg.HasPicture()) << name;
    EXPECT_EQ(bg.BkGndFile, "") << name;
    Paint(0x123456);
    EXPECT_EQ(frame.Pixel(1, 1), FramePixel(0x123456)) << "the colour alone shows for " << name;
  }
}

// A 32-bit BI_BITFIELDS BMP of w × h pixels in one colour (0x00RRGGBB),
// declared with all its rows; cut to keep bytes when keep > 0.
std::string MakeBitfieldsBmp(int w, int h, std::uint32_t rgb, size_t keep = 0) {
  std::string f = "BM";
  auto le32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) f.push_back(static_cast<char>(v >> (8 * i))); };
  auto le16 = [&](std::uint16_t v) { f.push_back(static_cast<char>(v)); f.push_back(static_cast<char>(v >> 8)); };
  const std::uint32_t bytes = static_cast<std::uint32_t>(w) * 4 * static_cast<std::uint32_t>(h);
  le32(66 + bytes);
  le32(0);
  le32(66);
  le32(40);
  le32(static_cast<std::uint32_t>(w));
  le32(static_cast<std::uint32_t>(h));
  le16(1);
  le16(32);
  le32(3);  // BI_BITFIELDS
  le32(bytes);
  le32(2835);
  le32(2835);
  le32(0);
  le32(0);
  le32(0x00FF0000);
  le32(0x0000FF00);
  le32(0x000000FF);
  for (std::uint32_t i = 0; i < bytes / 4 && (keep == 0 || f.size() < keep); ++i) le32(rgb);
  if (keep && f.size() > keep) f.resize(keep);
  return f;
}

// An 8-bit run-length BMP of 2000 × 2000 whose runs are the given bytes,
// declaring sizeImage bytes of them.
std::string MakeRle8Bmp(const std::string& runs, std::uint32_t sizeImage) {
  std::string f = "BM";
  auto le32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) f.push_back(static_cast<char>(v >> (8 * i))); };
  le32(static_cast<std::uint32_t>(14 + 40 + 1024 + runs.size()));
  le32(0);
  le32(14 + 40 + 1024);
  le32(40);
  le32(2000);
  le32(2000);
  f += std::string("\x01\x00\x08\x00", 4);
  le32(1);  // BI_RLE8
  le32(sizeImage);
  for (int i = 0; i < 4; ++i) le32(0);
  return f + std::string(1024, '\x40') + runs;
}

TEST_F(BackgroundTest, BmpsCutShortGiveNoneWhateverTheirLayout) {
  const std::string whole = dir / "fields.bmp";
  ASSERT_TRUE(WriteFile(whole, MakeBitfieldsBmp(6, 3, 0x3366CC)));
  TBkGndPicture pic;
  ASSERT_TRUE(LoadPictureFile(whole, pic));
  EXPECT_EQ(pic.Width, 6);
  EXPECT_EQ(pic.Pixels[0], 0xCC);
  EXPECT_EQ(pic.Pixels[2], 0x33);
  // Rows with colour masks are uncompressed rows too: a file cut short of
  // them is not read past its end.
  for (size_t keep : {size_t(66), size_t(70), size_t(4000)}) {
    const std::string cut = dir / ("cut" + std::to_string(keep) + ".bmp");
    ASSERT_TRUE(WriteFile(cut, MakeBitfieldsBmp(1200, 1200, 0x3366CC, keep)));
    EXPECT_FALSE(LoadPictureFile(cut, pic)) << keep;
    EXPECT_TRUE(pic.Pixels.empty()) << keep;
  }
  // Runs declared longer than the file holds: none. Runs that stop early
  // within their declared size: the picture, the rest of it background.
  const std::string runs("\xFF\x01\x00\x02", 4);
  ASSERT_TRUE(WriteFile(dir / "rle-cut.bmp", MakeRle8Bmp(runs, 0x100000)));
  EXPECT_FALSE(LoadPictureFile(dir / "rle-cut.bmp", pic));
  ASSERT_TRUE(WriteFile(dir / "rle-short.bmp", MakeRle8Bmp(runs, 4)));
  EXPECT_TRUE(LoadPictureFile(dir / "rle-short.bmp", pic));
  EXPECT_EQ(pic.Width, 2000);
}

// A w × h JPEG of one CMYK colour as print software saves it (libjpeg adds
// the Adobe marker: stored values are inverted, 255 = no ink).
std::string MakeCmykJpeg(int w, int h, const unsigned char cmyk[4]) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = static_cast<JDIMENSION>(w);
  c.image_height = static_cast<JDIMENSION>(h);
  c.input_components = 4;
  c.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::string row;
  for (int x = 0; x < w; ++x) row.append(reinterpret_cast<const char*>(cmyk), 4);
  while (c.next_scanline < c.image_height) {
    JSAMPROW r = reinterpret_cast<JSAMPROW>(row.data());
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  std::string data(reinterpret_cast<const char*>(out), size);
  jpeg_destroy_compress(&c);
  std::free(out);
  return data;
}

TEST_F(BackgroundTest, CmykJpegsShowInTheirColours) {
  const unsigned char red[4] = {255, 0, 0, 255};    // no cyan, full magenta and yellow, no black
  const unsigned char grey[4] = {255, 255, 255, 128};  // half black
  struct Case {
    const unsigned char* ink;
    int r, g, b;
  } cases[] = {{red, 255, 0, 0}, {grey, 128, 128, 128}};
  for (const Case& c : cases) {
    const std::string jpeg = MakeCmykJpeg(24, 16, c.ink);
    TBkGndPicture pic;
    ASSERT_TRUE(DecodeJpegPicture(reinterpret_cast<const std::uint8_t*>(jpeg.data()), jpeg.size(), pic));
    EXPECT_EQ(pic.Width, 24);
    EXPECT_EQ(pic.Height, 16);
    const std::uint8_t* p = &pic.Pixels[8 * pic.Stride + 12 * 3];
    EXPECT_NEAR(p[2], c.r, 4);
    EXPECT_NEAR(p[1], c.g, 4);
    EXPECT_NEAR(p[0], c.b, 4);
  }
}

TEST_F(BackgroundTest, DecodesLibjpegTurboTestImages) {
  // testorig.jpg and its arithmetic-coded twin are 227 × 149 pictures.
  for (const char* name : {"testorig.jpg", "testimgint.jpg", "testimgari.jpg"}) {
    TBkGndPicture pic;
    ASSERT_TRUE(LoadPictureFile(LibJpegImage(name), pic)) << name;
    EXPECT_EQ(pic.Width, 227) << name;
    EXPECT_EQ(pic.Height, 149) << name;
  }
  // The libjpeg-turbo BMP test picture goes through GDI.
  TBkGndPicture bmp;
  ASSERT_TRUE(LoadPictureFile(LibJpegImage("vgl_6548_0026a.bmp"), bmp));
  EXPECT_GT(bmp.Width, 0);

  // Zoom covers the frame, fit leaves bands of BackgroundColor above and below
  // (the picture is wider than 40 × 20 is tall... and narrower: 227/149 < 2).
  options.DrawMode = 0;
  ASSERT_TRUE(LoadBackground(bg, LibJpegImage("testorig.jpg"), options));
  PrepareBackground(bg, 0, options, 40, 20);
  EXPECT_EQ(bg.BkGndRect, (TBkGndRect{4, 0, 31, 20}));
  Paint(0x00FF00);
  EXPECT_EQ(frame.Pixel(1, 10), 0x00FF00u);
  EXPECT_EQ(frame.Pixel(38, 10), 0x00FF00u);
  options.DrawMode = 2;
  ASSERT_TRUE(LoadBackground(bg, LibJpegImage("testorig.jpg"), options));
  PrepareBackground(bg, 0, options, 40, 20);
  EXPECT_EQ(bg.BkGndRect, (TBkGndRect{0, -3, 40, 27}));
  Paint(0x00FF00);
  EXPECT_NE(frame.Pixel(0, 0), 0x00FF00u);
  EXPECT_NE(frame.Pixel(39, 19), 0x00FF00u);
}

}  // namespace
}  // namespace lumeko

namespace lumeko {
namespace {

// Damaged pictures in bulk: headers with random fields, files cut anywhere and
// bytes flipped through the data. Each load either gives no picture or one
// within the caps whose every row is there; none may crash or hang.
TEST(PictureDamage, MutatedBmpsAndJpegsLoadOrGiveNone) {
  test::ScratchDir dir{"render-damage"};
  std::optional<std::string> jpeg = ReadWholeFile(LibJpegImage("testorig.jpg"));
  ASSERT_TRUE(jpeg.has_value());
  const std::string bmp = MakeBmp(13, 7, 0x336699, 0xFF0000);
  std::uint32_t seed = 20261208;
  auto next = [&seed] { seed = seed * 1664525u + 1013904223u; return seed >> 8; };
  int loaded = 0;
  for (int i = 0; i < 240; ++i) {
    const bool isBmp = i % 2 == 0;
    std::string data = isBmp ? bmp : *jpeg;
    switch (i % 6 / 2) {
      case 0:  // a few header bytes (BMP) or marker bytes (JPEG) at random
        for (int k = 0; k < 4; ++k) data[2 + next() % (isBmp ? 52 : 600)] = static_cast<char>(next());
        break;
      case 1:  // cut anywhere
        data.resize(2 + next() % (data.size() - 2));
        break;
      default:  // bytes flipped throughout
        for (int k = 0; k < 24; ++k) data[2 + next() % (data.size() - 2)] ^= static_cast<char>(1 + next() % 255);
        break;
    }
    const std::string path = dir / (std::to_string(i) + (isBmp ? ".bmp" : ".jpg"));
    ASSERT_TRUE(WriteFile(path, data));
    TBkGndPicture pic;
    if (!LoadPictureFile(path, pic)) {
      EXPECT_TRUE(pic.Pixels.empty()) << path;
      continue;
    }
    ++loaded;
    EXPECT_TRUE(PictureSizeAllowed(pic.Width, pic.Height)) << path;
    EXPECT_EQ(pic.Stride, DibStride24(pic.Width)) << path;
    EXPECT_EQ(pic.Pixels.size(), pic.Stride * pic.Height) << path;
  }
  // Some damage (a flipped pixel, a reserved field) leaves a readable picture.
  EXPECT_GT(loaded, 0);
}

}  // namespace
}  // namespace lumeko
