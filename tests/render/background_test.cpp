// Background pictures: loading (our own BMPs and JPEGs, libjpeg-turbo's test
// JPEGs, damaged, oversized and huge files), placement in every mode, tint
// and painting of the part the frame shows.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/file_io.h"
#include "render/background.h"
#include "render/picture.h"
#include "render/pixels.h"
#include "test_support/scratch.h"

#include <jpeglib.h>

namespace lumeko {
namespace {

using namespace test;

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
    PrepareBackground(bg, 0x123456, options, 40, 20);  // damage inside the data shows on decoding
    EXPECT_FALSE(bg.HasPicture()) << name;
    EXPECT_EQ(bg.BkGndFile, "") << name;
    Paint(0x123456);
    EXPECT_EQ(frame.Pixel(1, 1), FramePixel(0x123456)) << "the colour alone shows for " << name;
  }
}

// A w × h JPEG of components channels in space (quality 95), each row as
// fill(y, row) makes it. libjpeg marks CMYK as print software does (Adobe
// marker: stored values inverted, 255 = no ink).
std::string MakeJpeg(int w, int h, int components, J_COLOR_SPACE space,
                     const std::function<void(int, unsigned char*)>& fill) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = static_cast<JDIMENSION>(w);
  c.image_height = static_cast<JDIMENSION>(h);
  c.input_components = components;
  c.in_color_space = space;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(w) * components);
  while (c.next_scanline < c.image_height) {
    fill(static_cast<int>(c.next_scanline), row.data());
    JSAMPROW r = row.data();
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
    const std::string jpeg = MakeJpeg(24, 16, 4, JCS_CMYK, [&](int, unsigned char* row) {
      for (int x = 0; x < 24; ++x) std::copy_n(c.ink, 4, row + x * 4);
    });
    TBkGndPicture pic;
    ASSERT_TRUE(OpenPicture(jpeg, pic));
    EXPECT_EQ(pic.Width, 24);
    EXPECT_EQ(pic.Height, 16);
    ASSERT_TRUE(DecodePicture(pic, {1, {0, 0, 24, 16}}));
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
  EXPECT_EQ(bg.BkGndRect, (TBkGndRect{0, 0, 40, 20})) << "only the part inside the frame is prepared";
  Paint(0x00FF00);
  EXPECT_NE(frame.Pixel(0, 0), 0x00FF00u);
  EXPECT_NE(frame.Pixel(39, 19), 0x00FF00u);
}

TEST_F(BackgroundTest, JunkBetweenSegmentsAndANewerJfifRevisionShowThePictureExactly) {
  std::optional<std::string> jpeg = ReadWholeFile(LibJpegImage("testorig.jpg"));
  ASSERT_TRUE(jpeg.has_value());
  ASSERT_EQ(jpeg->substr(0, 4), std::string("\xFF\xD8\xFF\xE0", 4));
  const size_t app0End = 4 + (static_cast<unsigned char>((*jpeg)[4]) << 8 | static_cast<unsigned char>((*jpeg)[5]));
  std::string junk = *jpeg;
  junk.insert(app0End, 2, '\0');  // two zero bytes before the next marker, as some editors write
  std::string revision = *jpeg;
  revision[11] = 2;  // JFIF 2.01
  ASSERT_TRUE(WriteFile(dir / "junk.jpg", junk));
  ASSERT_TRUE(WriteFile(dir / "revision.jpg", revision));
  ASSERT_TRUE(frame.SetSize(227, 149));
  options.DrawMode = 4;  // pixel for pixel
  auto pixels = [&](const std::string& path) {
    TBackground b;
    LoadBackground(b, path, options);
    PrepareBackground(b, 0x00FF00, options, 227, 149);
    EXPECT_TRUE(b.HasPicture()) << path;
    PaintBackground(b, frame.Canvas(), 227, 149, 0x00FF00, options, false);
    std::vector<std::uint32_t> px;
    for (int y = 0; y < 149; ++y)
      for (int x = 0; x < 227; ++x) px.push_back(frame.Pixel(x, y));
    return px;
  };
  const std::vector<std::uint32_t> original = pixels(LibJpegImage("testorig.jpg"));
  EXPECT_EQ(pixels(dir / "junk.jpg"), original);
  EXPECT_EQ(pixels(dir / "revision.jpg"), original);
}

// A JPEG made here of flat 16 × 16 blocks (whole coding units, so it decodes
// to its colours within a step or two), each block's colour from its place.
std::uint32_t BlockColour(int x, int y) {
  const unsigned bx = static_cast<unsigned>(x) / 16, by = static_cast<unsigned>(y) / 16;
  return ((bx * 73 + by * 151) & 255) << 16 | ((bx * 29 ^ by * 17) & 255) << 8 | (((bx + by) * 41) & 255);
}

bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
  return std::abs(R(a) - R(b)) <= tolerance && std::abs(G(a) - G(b)) <= tolerance && std::abs(B(a) - B(b)) <= tolerance;
}

TEST(BigPictures, ShowThroughAPreparedBitmapNoLargerThanTheFrame) {
  ScratchDir dir{"render-big"};
  test::TestFrame frame;
  // A 100 × 2000 picture zoomed into 1920 × 1080: 1920 × 38400 placed, 19.2
  // frame pixels a picture pixel.
  auto colour = [](int x, int y) { return static_cast<std::uint32_t>((y * 3) & 255) << 16 | (x * 2) << 8 | (y / 256) * 30; };
  auto bmpOf = [&](int w, int h, int step) {
    std::string bmp = MakeBmp(w, h, 0, 0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        for (int i = 0; i < 3; ++i)
          bmp[54 + (h - 1 - y) * DibStride24(w) + x * 3 + i] = static_cast<char>(colour(x * step, y * step) >> (8 * i));
    return bmp;
  };
  ASSERT_TRUE(WriteFile(dir / "tall.bmp", bmpOf(100, 2000, 1)));
  ASSERT_TRUE(frame.SetSize(1920, 1080));
  TBackground bg;
  TBkGndOptions zoom{2, 0, 0};
  ASSERT_TRUE(LoadBackground(bg, dir / "tall.bmp", zoom));
  PrepareBackground(bg, 0x00FF00, zoom, 1920, 1080);
  ASSERT_TRUE(bg.HasPicture());
  EXPECT_EQ(bg.BkGndRect, (TBkGndRect{0, 0, 1920, 1080}));
  EXPECT_EQ(bg.BkGndBitmap.Width(), 1920);
  EXPECT_EQ(bg.BkGndBitmap.Height(), 1080);
  PaintBackground(bg, frame.Canvas(), 1920, 1080, 0x00FF00, zoom, false);
  // Frame pixels wholly inside one picture pixel show its colour.
  const TBkGndRect placed = PlaceBackground(2, 1920, 1080, 100, 2000);
  int checked = 0;
  for (int y = 0; y < 1080; y += 7)
    for (int x = 0; x < 1920; x += 5) {
      const long long u = x - placed.x, v = y - placed.y;
      if (u * 100 / 1920 != ((u + 1) * 100 - 1) / 1920 || v * 2000 / 38400 != ((v + 1) * 2000 - 1) / 38400) continue;
      ++checked;
      ASSERT_EQ(frame.Pixel(x, y), colour(static_cast<int>(u * 100 / 1920), static_cast<int>(v * 2000 / 38400)))
          << x << "," << y;
    }
  EXPECT_GT(checked, 20000);
  // The visible part is the same as the whole placed picture would show: the
  // same geometry a tenth the size, stretched whole into a frame that holds it.
  ASSERT_TRUE(WriteFile(dir / "small.bmp", bmpOf(10, 200, 10)));
  test::TestFrame whole;
  ASSERT_TRUE(frame.SetSize(192, 108));
  ASSERT_TRUE(whole.SetSize(192, 3840));
  TBackground part, all;
  const TBkGndOptions stretch{1, 0, 0};
  LoadBackground(part, dir / "small.bmp", zoom);
  PrepareBackground(part, 0, zoom, 192, 108);
  PaintBackground(part, frame.Canvas(), 192, 108, 0, zoom, false);
  LoadBackground(all, dir / "small.bmp", stretch);
  PrepareBackground(all, 0, stretch, 192, 3840);
  PaintBackground(all, whole.Canvas(), 192, 3840, 0, stretch, false);
  const int top = -PlaceBackground(2, 192, 108, 10, 200).y;
  for (int y = 0; y < 108; ++y)
    for (int x = 0; x < 192; ++x) ASSERT_EQ(frame.Pixel(x, y), whole.Pixel(x, top + y)) << x << "," << y;

  // An 89-megapixel photo: at its own size only the part the frame shows is
  // decoded; fitted, it is decoded at 1/8.
  ASSERT_TRUE(WriteFile(dir / "photo.jpg", MakeJpeg(10000, 8900, 3, JCS_RGB, [](int y, unsigned char* row) {
    for (int x = 0; x < 10000; ++x)
      for (int c = 0; c < 3; ++c) row[x * 3 + c] = static_cast<unsigned char>(BlockColour(x, y) >> (16 - 8 * c));
  })));
  ASSERT_TRUE(frame.SetSize(64, 48));
  TBkGndOptions centre{3, 0, 0};
  ASSERT_TRUE(LoadBackground(bg, dir / "photo.jpg", centre));
  PrepareBackground(bg, 0x00FF00, centre, 64, 48);
  ASSERT_TRUE(bg.HasPicture());
  EXPECT_EQ(bg.BkGndRect, (TBkGndRect{0, 0, 64, 48}));
  PaintBackground(bg, frame.Canvas(), 64, 48, 0x00FF00, centre, false);
  const TBkGndRect at = PlaceBackground(3, 64, 48, 10000, 8900);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x)
      if ((x - at.x) % 16 != 0 && (x - at.x) % 16 != 15 && (y - at.y) % 16 != 0 && (y - at.y) % 16 != 15) {
        ASSERT_TRUE(Near(frame.Pixel(x, y), BlockColour(x - at.x, y - at.y), 3)) << x << "," << y;
      }
  // The tint goes on as before: each channel toward BackgroundColor.
  const std::uint32_t plain = frame.Pixel(30, 20);
  centre = {3, 128, bf_BkGndImageBlend};
  ASSERT_TRUE(LoadBackground(bg, dir / "photo.jpg", centre));
  PrepareBackground(bg, 0xFF0000, centre, 64, 48);  // toward blue
  PaintBackground(bg, frame.Canvas(), 64, 48, 0xFF0000, centre, false);
  EXPECT_EQ(frame.Pixel(30, 20), (R(plain) * 127 >> 8) << 16 | (G(plain) * 127 >> 8) << 8 | ((255 * 128 + B(plain) * 127) >> 8));
  const TBkGndOptions fit{0, 0, 0};
  ASSERT_TRUE(LoadBackground(bg, dir / "photo.jpg", fit));
  PrepareBackground(bg, 0x00FF00, fit, 64, 48);
  ASSERT_TRUE(bg.HasPicture());
  EXPECT_EQ(bg.BkGndRect, PlaceBackground(0, 64, 48, 10000, 8900));
  PaintBackground(bg, frame.Canvas(), 64, 48, 0x00FF00, fit, false);
  EXPECT_EQ(frame.Pixel(1, 24), FramePixel(0x00FF00));
  EXPECT_NE(frame.Pixel(32, 24), FramePixel(0x00FF00));
}

// The picture is decoded once for the frames it is shown in; only a frame
// that needs it finer decodes it again, from the bytes read at loading, even
// when the file has gone since.
TEST(BigPictures, DecodeAgainOnlyForAFrameThatNeedsMore) {
  ScratchDir dir{"render-redecode"};
  std::optional<std::string> jpeg = ReadWholeFile(LibJpegImage("testorig.jpg"));
  ASSERT_TRUE(jpeg.has_value());
  ASSERT_TRUE(WriteFile(dir / "pic.jpg", *jpeg));
  TBackground bg;
  const TBkGndOptions fit{0, 0, 0};
  ASSERT_TRUE(LoadBackground(bg, dir / "pic.jpg", fit));
  ASSERT_EQ(std::remove((dir.path() + "\\pic.jpg").c_str()), 0);
  const struct {
    int w, h, denom;
  } steps[] = {{20, 12, 8}, {60, 40, 2}, {20, 12, 2}, {300, 200, 1}};
  for (const auto& s : steps) {
    PrepareBackground(bg, 0, fit, s.w, s.h);
    ASSERT_TRUE(bg.HasPicture()) << s.w;
    EXPECT_EQ(bg.BkGndPicture->Decoded.Denom, s.denom) << s.w;
  }
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
      EXPECT_TRUE(pic.Empty()) << path;
      continue;
    }
    EXPECT_TRUE(PictureSizeAllowed(pic.Width, pic.Height)) << path;
    const TPictureDecode need = PlanPictureDecode(i % 9, 64, 48, pic.Width, pic.Height);
    if (!DecodePicture(pic, need)) {
      EXPECT_TRUE(pic.Pixels.empty()) << path;
      continue;
    }
    ++loaded;
    EXPECT_EQ(pic.Stride, DibStride24(need.Window.w)) << path;
    EXPECT_EQ(pic.Pixels.size(), pic.Stride * need.Window.h) << path;
  }
  // Some damage (a flipped pixel, a reserved field) leaves a readable picture.
  EXPECT_GT(loaded, 0);
}

}  // namespace
}  // namespace lumeko
