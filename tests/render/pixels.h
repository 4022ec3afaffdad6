// Reading a frame's pixels in tests: channels, colour classes and the box a
// colour class covers. Frame pixels are 0x00RRGGBB; settings colours are
// 0x00BBGGRR (COLORREF).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/memory_bitmap.h"
#include "render/canvas.h"

namespace lumeko::test {

// A frame to paint on and read back: a 32-bit DIB section with a canvas.
class TestFrame {
 public:
  TestFrame() { bitmap_.CreateDib32(0, 0); }
  TestFrame(int width, int height) { SetSize(width, height); }
  // A new bitmap of the size; the canvas (and its font) stay.
  bool SetSize(int width, int height) { return bitmap_.CreateDib32(width, height); }
  int Width() const { return bitmap_.Width(); }
  int Height() const { return bitmap_.Height(); }
  HDC Handle() const { return bitmap_.DC(); }
  RECT Area() const { return {0, 0, Width(), Height()}; }
  std::uint32_t Pixel(int x, int y) const { return bitmap_.Pixel(x, y); }
  TCanvas& Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TCanvas>(bitmap_.DC());
    return *canvas_;
  }

 private:
  TMemoryBitmap bitmap_;
  std::unique_ptr<TCanvas> canvas_;  // declared after the bitmap: gone before its DC
};

// The Japanese TrueType font the GDI tests draw with (Debian's IPA Gothic).
constexpr char kTestFont[] = "IPAGothic";

inline int R(std::uint32_t p) { return (p >> 16) & 0xFF; }
inline int G(std::uint32_t p) { return (p >> 8) & 0xFF; }
inline int B(std::uint32_t p) { return p & 0xFF; }

// A settings colour as the frame stores it.
inline std::uint32_t FramePixel(std::uint32_t colorref) {
  return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

inline bool IsRed(std::uint32_t p) { return R(p) > 150 && G(p) < 90 && B(p) < 90; }
inline bool IsWhite(std::uint32_t p) { return R(p) > 200 && G(p) > 200 && B(p) > 200; }
inline bool IsBlack(std::uint32_t p) { return p == 0; }

struct Box {
  int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; empty when right < left
  bool Empty() const { return right < left; }
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
};

inline Box FindBox(const TestFrame& f, const std::function<bool(std::uint32_t)>& match, int x0 = 0,
                   int y0 = 0, int x1 = -1, int y1 = -1) {
  if (x1 < 0) x1 = f.Width() - 1;
  if (y1 < 0) y1 = f.Height() - 1;
  Box b{x1 + 1, y1 + 1, -1, -1};
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (match(f.Pixel(x, y))) {
        if (x < b.left) b.left = x;
        if (y < b.top) b.top = y;
        if (x > b.right) b.right = x;
        if (y > b.bottom) b.bottom = y;
      }
  if (b.right < 0) return Box{};
  return b;
}

inline int Count(const TestFrame& f, const std::function<bool(std::uint32_t)>& match) {
  int n = 0;
  for (int y = 0; y < f.Height(); ++y)
    for (int x = 0; x < f.Width(); ++x) n += match(f.Pixel(x, y)) ? 1 : 0;
  return n;
}

// A 24-bit BMP of w × h pixels of one colour (0x00RRGGBB), with the
// top-left pixel in another so orientation shows.
inline std::string MakeBmp(int w, int h, std::uint32_t rgb, std::uint32_t corner, int declaredH = 0) {
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

}  // namespace lumeko::test
