// BMP pictures of every layout against GDI's own decoding of the same bytes,
// and inconsistent ones refused. Files are a page or more, so a read past
// what the headers promise would fault rather than find padding.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/dib_info.h"
#include "platform/unique_handle.h"
#include "render/background.h"
#include "render/pixels.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

using namespace test;

void Le16(std::string& s, std::uint32_t v) {
  s.push_back(static_cast<char>(v));
  s.push_back(static_cast<char>(v >> 8));
}
void Le32(std::string& s, std::uint32_t v) {
  Le16(s, v & 0xFFFF);
  Le16(s, v >> 16);
}

struct Bmp {
  std::uint32_t header = 40;  // 12, 40, 52, 56, 108 or 124
  int width = 0, height = 0;  // height < 0: top-down
  int bits = 24;
  std::uint32_t compression = 0;
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::uint32_t clrUsed = 0;
  std::vector<std::uint32_t> masks;  // red, green, blue
  std::string pixels;                // rows or runs as stored
};

std::string Build(const Bmp& b) {
  std::string head;
  Le32(head, b.header);
  if (b.header == 12) {
    for (int v : {b.width, b.height, 1, b.bits}) Le16(head, static_cast<std::uint32_t>(v));
  } else {
    Le32(head, static_cast<std::uint32_t>(b.width));
    Le32(head, static_cast<std::uint32_t>(b.height));
    Le16(head, 1);
    Le16(head, static_cast<std::uint32_t>(b.bits));
    for (std::uint32_t v : {b.compression, static_cast<std::uint32_t>(b.pixels.size()), 2835u, 2835u, b.clrUsed, 0u})
      Le32(head, v);
    for (size_t i = 0; b.header > 40 && i < b.masks.size(); ++i) Le32(head, b.masks[i]);
    head.resize(b.header, '\0');
  }
  std::string table;
  if (b.header == 40)
    for (std::uint32_t m : b.masks) Le32(table, m);
  for (std::uint32_t c : b.palette) {
    Le16(table, c & 0xFFFF);
    table.push_back(static_cast<char>(c >> 16));
    if (b.header != 12) table.push_back('\0');
  }
  std::string f = "BM";
  Le32(f, static_cast<std::uint32_t>(14 + head.size() + table.size() + b.pixels.size()));
  Le32(f, 0);
  Le32(f, static_cast<std::uint32_t>(14 + head.size() + table.size()));
  return f + head + table + b.pixels;
}

// Rows of raw pixel values value(x, y) (y = 0 the top row), packed at bits
// per pixel, padded to 4 bytes, in the order the height's sign says.
template <class F>
std::string Rows(int bits, int width, int height, F value) {
  const bool topDown = height < 0;
  const int h = topDown ? -height : height;
  std::string out;
  for (int r = 0; r < h; ++r) {
    const int y = topDown ? r : h - 1 - r;
    std::string row;
    unsigned acc = 0;
    int held = 0;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = value(x, y);
      if (bits < 8) {
        acc = acc << bits | v;
        held += bits;
        if (held == 8) {
          row.push_back(static_cast<char>(acc));
          acc = 0;
          held = 0;
        }
      } else {
        for (int i = 0; i < bits / 8; ++i) row.push_back(static_cast<char>(v >> (8 * i)));
      }
    }
    if (held) row.push_back(static_cast<char>(acc << (8 - held)));
    row.resize((row.size() + 3) & ~size_t(3), '\0');
    out += row;
  }
  return out;
}

std::vector<std::uint32_t> Palette(int n) {
  std::vector<std::uint32_t> p;
  for (int i = 0; i < n; ++i) p.push_back(static_cast<std::uint32_t>((i * 37) & 255) << 16 | ((i * 91 + 40) & 255) << 8 | ((255 - i * 13) & 255));
  return p;
}

// Runs of a width-pixel picture, bottom row first: per row stretches of
// encoded runs and of literal pixels (odd and even counts), a jump over a
// few pixels and rows once, and the end of the picture before its top rows.
std::string Runs(bool four, int width, int rows, int colours) {
  std::string s;
  for (int r = 0; r < rows; ++r) {
    if (r == rows - 6) {
      s += std::string("\0\1", 2);  // end of picture: the rows above stay black
      break;
    }
    int x = 0, k = 0;
    while (x + 24 < width) {
      const int run = 5 + (r + k) % 9;
      s.push_back(static_cast<char>(run));
      const int c = (r * 3 + k) % colours;
      s.push_back(static_cast<char>(four ? (c << 4 | (c + 1) % colours) : c));
      const int literal = 3 + (r + k) % 6;
      s.push_back('\0');
      s.push_back(static_cast<char>(literal));
      std::string lit;
      for (int i = 0; i < literal; ++i) {
        const int v = (r + i * 5 + k) % colours;
        if (!four) lit.push_back(static_cast<char>(v));
        else if (i % 2 == 0) lit.push_back(static_cast<char>(v << 4));
        else lit.back() = static_cast<char>(lit.back() | v);
      }
      if (lit.size() % 2) lit.push_back('\0');
      s += lit;
      x += run + literal;
      ++k;
    }
    if (r == 7) {
      s += std::string("\0\2\5\2", 4);  // jump 5 right and 2 rows up
      r += 2;
      s += std::string("\x04\x01", 2);
    }
    s += std::string("\0\0", 2);  // end of row: the rest stays black
  }
  return s;
}

// GDI's own decoding of a file's bytes (its DIB drawing from the headers,
// palette and pixels as stored): 0x00RRGGBB, top row first. Pixels that runs
// skip keep what was there: colour 0, as in the index bitmap the system's
// loader decodes runs into.
std::vector<std::uint32_t> GdiPixels(const Bmp& b, const std::string& file) {
  const int w = b.width, h = b.height < 0 ? -b.height : b.height;
  UniqueHDC dc(::CreateCompatibleDC(nullptr));
  BITMAPINFO bi = TopDownDibInfo(w, h, 32);
  void* bits = nullptr;
  UniqueHBITMAP out(::CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!out) return {};
  auto* px = static_cast<std::uint32_t*>(bits);
  std::fill(px, px + static_cast<size_t>(w) * h, b.palette.empty() ? 0u : b.palette[0]);
  HGDIOBJ old = ::SelectObject(dc.get(), out.get());
  const std::uint32_t off = *reinterpret_cast<const std::uint32_t*>(file.data() + 10);
  const auto* info = reinterpret_cast<const BITMAPINFO*>(file.data() + 14);
  const int rows = ::SetDIBitsToDevice(dc.get(), 0, 0, w, h, 0, 0, 0, h, file.data() + off, info, DIB_RGB_COLORS);
  ::GdiFlush();
  ::SelectObject(dc.get(), old);
  if (rows != h) return {};
  std::vector<std::uint32_t> result(px, px + static_cast<size_t>(w) * h);
  for (std::uint32_t& p : result) p &= 0xFFFFFF;
  return result;
}

TEST(BmpPictures, DecodeLikeGdiAndRefuseInconsistentFiles) {
  ScratchDir dir{"render-bmp"};
  const TBkGndOptions original{4, 0, 0};  // top left, pixel for pixel, no tint
  auto rgb = [](int x, int y) { return static_cast<std::uint32_t>((x * 5) & 255) << 16 | ((y * 7) & 255) << 8 | ((x ^ y) & 255); };
  auto index = [](int n) { return [n](int x, int y) { return static_cast<std::uint32_t>((x / 3 + y * 2) % n); }; };
  // Packed 16-bit pixels with rb, gb, bb bits of red, green, blue.
  auto pack = [](int rb, int gb, int bb) {
    return [=](int x, int y) -> std::uint32_t {
      const std::uint32_t r = (x * 5 + y) & 255, g = (x * 3 + y * 11) & 255, b = (y * 9) & 255;
      return (r >> (8 - rb)) << (gb + bb) | (g >> (8 - gb)) << bb | b >> (8 - bb);
    };
  };
  struct Case {
    const char* name;
    Bmp bmp;
  };
  std::vector<Case> cases = {
      {"core 24", {12, 50, 40, 24, 0, {}, 0, {}, Rows(24, 50, 40, rgb)}},
      {"core 8", {12, 70, 60, 8, 0, Palette(256), 0, {}, Rows(8, 70, 60, index(256))}},
      {"info 1", {40, 200, 170, 1, 0, Palette(2), 0, {}, Rows(1, 200, 170, index(2))}},
      {"info 4 top-down", {40, 100, -90, 4, 0, Palette(16), 16, {}, Rows(4, 100, -90, index(16))}},
      {"info 8 of 200 colours", {40, 80, 60, 8, 0, Palette(200), 200, {}, Rows(8, 80, 60, index(200))}},
      {"info 16 555", {40, 64, 40, 16, 0, {}, 0, {}, Rows(16, 64, 40, pack(5, 5, 5))}},
      {"info 16 565 top-down", {40, 64, -40, 16, 3, {}, 0, {0xF800, 0x07E0, 0x001F}, Rows(16, 64, -40, pack(5, 6, 5))}},
      {"info 32", {40, 40, 30, 32, 0, {}, 0, {}, Rows(32, 40, 30, rgb)}},
      {"v4 32 masks", {108, 40, 30, 32, 3, {}, 0, {0xFF0000, 0xFF00, 0xFF}, Rows(32, 40, 30, rgb)}},
      {"v5 16 444", {124, 60, 40, 16, 3, {}, 0, {0xF00, 0xF0, 0xF}, Rows(16, 60, 40, pack(4, 4, 4))}},
      {"v5 24 top-down", {124, 50, -40, 24, 0, {}, 0, {}, Rows(24, 50, -40, rgb)}},
      {"rle8", {40, 400, 40, 8, 1, Palette(256), 0, {}, Runs(false, 400, 40, 256)}},
      {"rle4", {40, 400, 40, 4, 2, Palette(16), 16, {}, Runs(true, 400, 40, 16)}},
  };
  for (const Case& c : cases) {
    const std::string file = Build(c.bmp);
    ASSERT_GE(file.size(), 4096u) << c.name;
    const std::string path = dir / (std::string(c.name) + ".bmp");
    ASSERT_TRUE(WriteFile(path, file));
    const int w = c.bmp.width, h = c.bmp.height < 0 ? -c.bmp.height : c.bmp.height;
    const std::vector<std::uint32_t> gdi = GdiPixels(c.bmp, file);
    ASSERT_FALSE(gdi.empty()) << c.name;
    TBackground bg;
    test::TestFrame frame;
    ASSERT_TRUE(frame.SetSize(w, h));
    LoadBackground(bg, path, original);
    PrepareBackground(bg, 0x00FF00, original, w, h);
    ASSERT_TRUE(bg.HasPicture()) << c.name;
    PaintBackground(bg, frame.Canvas(), w, h, 0x00FF00, original, false);
    int differ = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (frame.Pixel(x, y) != gdi[static_cast<size_t>(y) * w + x] && differ++ < 3)
          ADD_FAILURE() << c.name << " at " << x << "," << y << ": " << std::hex << frame.Pixel(x, y) << " GDI "
                        << gdi[static_cast<size_t>(y) * w + x];
  }

  // The same 8-bit picture made inconsistent in one way each: no picture.
  const Bmp good{40, 90, 50, 8, 0, Palette(256), 0, {}, Rows(8, 90, 50, index(256))};
  const std::string base = Build(good);
  auto with = [&](size_t at, std::uint32_t v, int bytes = 4) {
    std::string f = base;
    for (int i = 0; i < bytes; ++i) f[at + i] = static_cast<char>(v >> (8 * i));
    return f;
  };
  Bmp topDownRuns = good;
  topDownRuns.height = -50;
  topDownRuns.compression = 1;
  topDownRuns.pixels = Runs(false, 90, 50, 256);
  const Bmp fields{40, 64, 40, 16, 3, {}, 0, {0xF800, 0x07E0, 0x001F}, Rows(16, 64, 40, pack(5, 6, 5))};
  Bmp gappedMasks = fields;
  gappedMasks.masks = {0xF0F0, 0x0F00, 0x000F};
  const struct {
    const char* name;
    std::string file;
  } bad[] = {
      {"pixels at 0", with(10, 0)},
      {"pixels at 1", with(10, 1)},
      {"pixels at 13", with(10, 13)},
      {"pixels inside the header", with(10, 30)},
      {"pixels inside the palette", with(10, 14 + 40 + 512)},
      {"rows past the end", with(10, static_cast<std::uint32_t>(base.size() - 100))},
      {"unknown header size", with(14, 41)},
      {"two planes", with(26, 2, 2)},
      {"2 bits", with(28, 2, 2)},
      {"embedded JPEG", with(30, 4)},
      {"more colours than 8 bits hold", with(46, 300)},
      {"no width", with(18, 0)},
      {"top-down runs", Build(topDownRuns)},
      {"runs declared past the end", with(34, 0x100000, 4).replace(30, 1, 1, '\1')},
      {"masks with gaps", Build(gappedMasks)},
      {"masks cut off", Build(fields).substr(0, 14 + 40 + 6)},
  };
  test::TestFrame frame;
  ASSERT_TRUE(frame.SetSize(90, 50));
  for (const auto& b : bad) {
    const std::string path = dir / "bad.bmp";
    ASSERT_TRUE(WriteFile(path, b.file));
    TBackground bg;
    LoadBackground(bg, path, original);
    PrepareBackground(bg, 0x123456, original, 90, 50);
    EXPECT_FALSE(bg.HasPicture()) << b.name;
    PaintBackground(bg, frame.Canvas(), 90, 50, 0x123456, original, false);
    EXPECT_EQ(frame.Pixel(45, 25), FramePixel(0x123456)) << b.name;
  }
}

}  // namespace
}  // namespace lumeko
