// What a change of background picture costs at 1920 × 1080, as a ratio to
// a bare block copy of the frame in the same run:
// (d) the frame that changes the picture: a 4000 × 3000 JPEG read, decoded
//     at the scale the placement needs, zoomed and tinted for the frame,
//     then painted under the list of lyrics,
// (e) a resize that needs no finer picture (prepared again, not decoded).
// Each case ends with the block copy to the "player's" bitmap, as a frame does.
// Run on demand under Wine: scripts/wine-run build/mingw/bench/bench_picture_win.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

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

// This thread's processor time in seconds: ten-millisecond ticks under Wine,
// fine over the half second a case runs.
double ThreadTime() {
  FILETIME created, exited, kernel, user;
  if (!::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
  auto seconds = [](const FILETIME& t) {
    return static_cast<double>(static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) * 1e-7;
  };
  return seconds(kernel) + seconds(user);
}

// Mean seconds a call, in wall time and in this thread's processor time (on
// a machine shared with other work the second is the steadier), over enough
// calls to fill about half a second.
struct TCost {
  double wall = 0, cpu = 0;
};
TCost Time(const std::function<void(int)>& frame) {
  for (int i = 0; i < 5; ++i) frame(i);
  int n = 0;
  const double start = Now(), startCpu = ThreadTime();
  double elapsed = 0;
  do {
    frame(n++);
    elapsed = Now() - start;
  } while (elapsed < 0.5 || n < 20);
  return {elapsed / n, (ThreadTime() - startCpu) / n};
}

// Writes a file in the temporary folder (an ASCII path, so the same in CP932).
std::string WriteTemp(const char* name, const std::string& data) {
  char folder[MAX_PATH];
  if (!::GetTempPathA(MAX_PATH, folder)) return std::string();
  const std::string path = std::string(folder) + name;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return std::string();
  const bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return std::fclose(f) == 0 && ok ? path : std::string();
}

// A photo-like w × h JPEG (quality 90, chroma at half resolution): smooth
// gradients under fine grain, about as costly to decode as a camera's.
std::string MakePhoto(int w, int h, unsigned seed) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = static_cast<JDIMENSION>(w);
  c.image_height = static_cast<JDIMENSION>(h);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 90, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(w) * 3);
  while (c.next_scanline < c.image_height) {
    const int y = static_cast<int>(c.next_scanline);
    for (int x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int grain = static_cast<int>(seed >> 28) - 8;
      row[x * 3] = static_cast<unsigned char>(std::clamp(x * 200 / w + grain + 20, 0, 255));
      row[x * 3 + 1] = static_cast<unsigned char>(std::clamp(y * 180 / h + grain + 30, 0, 255));
      row[x * 3 + 2] = static_cast<unsigned char>(std::clamp((x + y) * 150 / (w + h) + grain + 60, 0, 255));
    }
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  std::string data(reinterpret_cast<const char*>(out), size);
  jpeg_destroy_compress(&c);
  std::free(out);
  return data;
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

  // Two photos of our own, zoomed to cover the frame and tinted.
  std::string photos[2];
  for (int i = 0; i < 2; ++i) {
    const std::string jpeg = MakePhoto(4000, 3000, 7u + i);
    photos[i] = WriteTemp(i ? "lumeko-bench-b.jpg" : "lumeko-bench-a.jpg", jpeg);
    if (photos[i].empty()) return 1;
    if (i == 0) std::printf("photo 4000x3000 JPEG, %.1f MB\n", static_cast<double>(jpeg.size()) / 1e6);
  }
  TBackground bg;
  setup.BkGnd.BkGndImageDrawMode = 2;
  const TBkGndOptions bgOptions = BkGndOptionsOf(setup);
  LoadBackground(bg, photos[0], bgOptions);
  PrepareBackground(bg, setup.Color.BackgroundColor, bgOptions, W, H);
  if (!bg.HasPicture()) {
    std::fprintf(stderr, "the photo does not load\n");
    return 1;
  }

  TDrawData dd;
  TPaintTarget target{canvas, W, H, setup, lyrics, bg, dd};
  const RECT area{0, 0, W, H};
  auto blit = [&] { ::BitBlt(player.DC(), 0, 0, W, H, frame.DC(), 0, 0, SRCCOPY); ::GdiFlush(); };
  auto paint = [&](long long ms, bool changed) {
    RenderTextLines(target, TFrameState{2, ms * 10000, changed, false, area}, true);
    blit();
  };

  // A time inside a timed line.
  const TLyricsLineInfo* a = lyrics.GetTimelineInfo(1);
  const long long lineA = a->StartTime + lyrics.Offset();
  paint(lineA, true);

  const TCost bare = Time([&](int) { blit(); });
  // (d): the effect loads the next picture, prepares it and paints the frame.
  double load = 0, prepare = 0;
  int changes = 0;
  const TCost picture = Time([&](int i) {
    const double t0 = Now();
    LoadBackground(bg, photos[i % 2], bgOptions);
    const double t1 = Now();
    PrepareBackground(bg, setup.Color.BackgroundColor, bgOptions, W, H);
    load += t1 - t0;
    prepare += Now() - t1;
    ++changes;
    paint(lineA, true);
  });
  const int denom = bg.BkGndPicture ? bg.BkGndPicture->Decoded.Denom : 0;
  // (e): a frame a little smaller: prepared again from the decoded picture.
  const TCost resize = Time([&](int i) {
    PrepareBackground(bg, setup.Color.BackgroundColor, bgOptions, W - 16 * (i % 2), H - 9 * (i % 2));
    paint(lineA, true);
  });

  std::printf("frame %dx%d, sample %s\n", W, H, song);
  auto line = [&](const char* name, const TCost& c, const char* target) {
    std::printf("%-22s %8.3f ms  %6.2fx  (processor %6.2fx)%s\n", name, c.wall * 1e3, c.wall / bare.wall,
                c.cpu / bare.cpu, target);
  };
  std::printf("bare BitBlt            %8.3f ms  (processor %.3f ms)\n", bare.wall * 1e3, bare.cpu * 1e3);
  line("(d) picture change", picture, " target <= 60");
  std::printf("    read %.1f ms, decode at 1/%d, draw and tint %.1f ms (wall)\n", load / changes * 1e3, denom,
              prepare / changes * 1e3);
  line("(e) resize, no decode", resize, "");
  FreeBackground(bg);
  for (const std::string& p : photos) std::remove(p.c_str());
  return 0;
}
