// Per-frame cost of the list painter at 1920 × 1080 with the sample song and
// a background picture, each as a ratio to a bare block copy of the frame.
//
// (a) a frame at the same position as the last (nothing to draw),
// (b) a frame inside the same line (the active line's top layer only),
// (c) a line-change frame (background, every line, both layers).
// Each case ends with the block copy to the "player's" bitmap, as a frame does.
// Run on demand under Wine: scripts/wine-run build/mingw/bench/bench_render_win.exe
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "lyrics/lyrics_control.h"
#include "platform/memory_bitmap.h"
#include "render/background.h"
#include "render/text_lines.h"
#include "settings/setting_table.h"

using namespace lumeko;

namespace {

double Now() {
  static LARGE_INTEGER f = [] { LARGE_INTEGER x; ::QueryPerformanceFrequency(&x); return x; }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// Mean seconds a call over enough calls to fill about half a second.
double Time(const std::function<void(int)>& frame) {
  for (int i = 0; i < 5; ++i) frame(i);
  int n = 0;
  const double start = Now();
  double elapsed = 0;
  do {
    frame(n++);
    elapsed = Now() - start;
  } while (elapsed < 0.5 || n < 20);
  return elapsed / n;
}

}  // namespace

int main(int argc, char** argv) {
  const int W = 1920, H = 1080;
  const char* song = argc > 1 ? argv[1] : LUMEKO_SAMPLE_SONG;
  TLyricsControl lyrics;
  if (!lyrics.LoadFromFile(song) || lyrics.TimedLineCount() < 3) {
    std::fprintf(stderr, "cannot load %s\n", song);
    return 1;
  }
  TSetupInfo setup = DefaultSetupInfo();
  setup.Font.FontEffect = 1;  // frame effect: copies on every top layer
  setup.Color.ActiveBkGndColor = 0x202020;

  TMemoryBitmap frame;
  TMemoryBitmap player;  // stands for the player's device context
  if (!frame.CreateDib32(W, H) || !player.CreateDib32(W, H)) return 1;
  TCanvas canvas(frame.DC());
  canvas.SetFontName(setup.Font.FontName);

  // A picture of our own, zoomed to cover the frame and tinted.
  TBackground bg;
  auto pic = std::make_unique<TBkGndPicture>();
  pic->Width = 1024;
  pic->Height = 768;
  pic->Stride = DibStride24(pic->Width);
  pic->Pixels.resize(pic->Stride * pic->Height);
  for (int y = 0; y < pic->Height; ++y)
    for (int x = 0; x < pic->Width; ++x) {
      std::uint8_t* p = &pic->Pixels[y * pic->Stride + x * 3];
      p[0] = static_cast<std::uint8_t>(x);
      p[1] = static_cast<std::uint8_t>(y);
      p[2] = static_cast<std::uint8_t>(x ^ y);
    }
  bg.BkGndPicture = std::move(pic);
  setup.BkGnd.BkGndImageDrawMode = 2;
  PrepareBackground(bg, setup.Color.BackgroundColor, BkGndOptionsOf(setup), W, H);

  TDrawData dd;
  TPaintTarget target{canvas, W, H, setup, lyrics, bg, dd};
  const RECT area{0, 0, W, H};
  auto blit = [&] { ::BitBlt(player.DC(), 0, 0, W, H, frame.DC(), 0, 0, SRCCOPY); ::GdiFlush(); };
  auto paint = [&](long long ms, bool changed) {
    RenderTextLines(target, TFrameState{2, ms * 10000, changed, false, area}, true);
    blit();
  };

  // Times inside two neighbouring timed lines.
  TLyricsPosition pos;
  const TLyricsLineInfo* a = lyrics.GetTimelineInfo(1);
  const TLyricsLineInfo* b = lyrics.GetTimelineInfo(2);
  const long long lineA = a->StartTime + lyrics.Offset(), lineB = b->StartTime + lyrics.Offset();
  const long long spanA = std::max<long long>(lineB - lineA, 2);
  paint(lineA, true);

  const double bare = Time([&](int) { blit(); });
  paint(lineA, false);
  const double same = Time([&](int) { paint(lineA, false); });
  const double inside = Time([&](int i) { paint(lineA + 1 + (i % (spanA - 1)), false); });
  const double change = Time([&](int i) { paint(i % 2 ? lineB : lineA, false); });
  (void)pos;

  std::printf("frame %dx%d, sample %s\n", W, H, song);
  std::printf("bare BitBlt           %8.3f ms\n", bare * 1e3);
  std::printf("(a) same position     %8.3f ms  %5.2fx (target <= 1.1)\n", same * 1e3, same / bare);
  std::printf("(b) inside the line   %8.3f ms  %5.2fx (target <= 2)\n", inside * 1e3, inside / bare);
  std::printf("(c) line change       %8.3f ms  %5.2fx (target <= 10)\n", change * 1e3, change / bare);
  return 0;
}
