// Per-frame cost of the painters at 1920 × 1080 with the sample song, each as
// a ratio to a bare block copy of the frame in the same run.
//
// Lists (over a background picture):
// (a) a frame at the same position as the last (nothing to draw),
// (b) a frame inside the same line (the active line's top layer only),
// (c) a line-change frame (background, every line, both layers) with each of
//     the six font effects, and the outline effects once more with no glyph
//     outline made ahead,
// (h) a changed frame (the font fitted, every line's outlines made).
// Single line (no picture, or nothing would fade):
// (d) a frame while lines fade: one that steps the fade (background, fading
//     rows, current rows) and one between two steps (nothing new to show),
// (e) a frame without change.
// Karaoke (over the picture):
// (f) a frame while a row is wiped, at 60 frames a second,
// (g) a frame that places or frees a row (background and every row again).
// Each frame ends with the block copy to the "player's" bitmap, as a frame
// does. Costs are the thread's processor time, not the clock's (on a shared
// machine other work would otherwise land in the figures), and every ratio is
// to the bare copies made in between the cases all through the run.
// Run on demand under Wine: scripts/wine-run build/mingw/bench/bench_render_win.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lyrics/lyrics_control.h"
#include "platform/memory_bitmap.h"
#include "render/background.h"
#include "render/fade_clock.h"
#include "render/karaoke.h"
#include "render/single_line.h"
#include "render/text_lines.h"
#include "settings/setting_table.h"

using namespace lumeko;

namespace {

// Processor seconds of this thread. The count moves in steps of the system's
// tick, so only sums over many frames mean anything; each step is as likely
// to fall in any frame, so the sums are fair.
double Cpu() {
  FILETIME created, exited, kernel, user;
  ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
  auto seconds = [](FILETIME f) {
    return static_cast<double>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) * 1e-7;
  };
  return seconds(kernel) + seconds(user);
}

// Accumulates the processor time of timed calls only.
struct TMeter {
  double seconds = 0;
  long frames = 0;
  void Add(const std::function<void()>& call, int count = 1) {
    const double start = Cpu();
    call();
    seconds += Cpu() - start;
    frames += count;
  }
  double PerFrame() const { return frames ? seconds / frames : 0; }
};

// A fade clock that stands still: the fading lines stay where they are.
class TStillClock final : public TFadeClock {
 public:
  std::int64_t Now(std::int64_t) override { return 1; }
  std::int64_t TicksPerMs() const override { return 1; }
};

struct TBench {
  int W, H;
  TLyricsControl& lyrics;
  TSetupInfo setup;
  TMemoryBitmap frame, player;
  std::unique_ptr<TCanvas> canvas;
  TBackground picture, none;
  TDrawData dd;
  TKaraokeState karaoke;
  TStillClock clock;
  TMeter bare;  // grows through the run, alternating with the cases

  TBench(int w, int h, TLyricsControl& l) : W(w), H(h), lyrics(l), setup(DefaultSetupInfo()) {}

  TPaintTarget Target(TBackground& bg) { return TPaintTarget{*canvas, W, H, setup, lyrics, bg, dd, &karaoke, &clock}; }
  void Blit() {
    ::BitBlt(player.DC(), 0, 0, W, H, frame.DC(), 0, 0, SRCCOPY);
    ::GdiFlush();
  }
  void Paint(TPainter painter, TBackground& bg, long long ms, bool changed) {
    TPaintTarget t = Target(bg);
    painter(t, TFrameState{2, ms * 10000, changed, false, RECT{0, 0, W, H}});
    Blit();
  }
  // Bare copies for about as much processor time as the case took.
  void BareFor(double seconds) {
    const double until = bare.seconds + seconds;
    while (bare.seconds < until) bare.Add([&] {
      for (int i = 0; i < 50; ++i) Blit();
    }, 50);
  }
  struct TResult {
    std::string what;
    double seconds;
    double target;
  };
  std::vector<TResult> results;
  void Report(const char* what, const TMeter& m, double target) { results.push_back({what, m.PerFrame(), target}); }
  void Print() const {
    std::printf("%-42s %7.3f ms\n", "bare BitBlt", bare.PerFrame() * 1e3);
    for (const TResult& r : results) {
      std::printf("%-42s %7.3f ms %6.2fx", r.what.c_str(), r.seconds * 1e3, r.seconds / bare.PerFrame());
      if (r.target > 0)
        std::printf(" (target <= %g)\n", r.target);
      else
        std::printf(" (no target)\n");
    }
  }
  // Frames of a painter at ms(i) in blocks of 50, for half a processor
  // second, alternating with bare copies.
  void Report(const char* what, TPainter painter, TBackground& bg, const std::function<long long(int)>& ms,
              double target) {
    TMeter m;
    for (int i = 0; m.seconds < 0.5;) {
      const double before = m.seconds;
      m.Add([&] {
        for (int k = 0; k < 50; ++k) Paint(painter, bg, ms(i++), false);
      }, 50);
      BareFor(m.seconds - before);
    }
    Report(what, m, target);
  }
};

long long LineStart(const TLyricsControl& l, int timed) { return l.GetTimelineInfo(timed)->StartTime + l.Offset(); }

// Which rows show where, to tell a frame that placed or freed a row.
std::vector<const TKaraokeItemData*> Shown(const TKaraokeState& k) {
  std::vector<const TKaraokeItemData*> v;
  for (const TKaraokeRowSlot& s : k.RowSlots) v.push_back(s.State == krs_Free ? nullptr : s.Item);
  return v;
}

bool Wiping(const TKaraokeState& k) {
  return std::any_of(k.RowSlots.begin(), k.RowSlots.end(),
                     [](const TKaraokeRowSlot& s) { return s.State == krs_PartlySung; });
}

}  // namespace

int main(int argc, char** argv) {
  const int W = 1920, H = 1080;
  const char* song = argc > 1 ? argv[1] : LUMEKO_SAMPLE_SONG;
  TLyricsControl lyrics;
  if (!lyrics.LoadFromFile(song) || lyrics.TimedLineCount() < 5) {
    std::fprintf(stderr, "cannot load %s\n", song);
    return 1;
  }
  TBench b(W, H, lyrics);
  b.setup.Color.ActiveBkGndColor = 0x202020;
  if (!b.frame.CreateDib32(W, H) || !b.player.CreateDib32(W, H)) return 1;
  b.canvas = std::make_unique<TCanvas>(b.frame.DC());
  b.canvas->SetFontName(b.setup.Font.FontName);

  // A picture of our own, zoomed to cover the frame and tinted.
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
  b.picture.BkGndPicture = std::move(pic);
  b.setup.BkGnd.BkGndImageDrawMode = 2;
  PrepareBackground(b.picture, b.setup.Color.BackgroundColor, BkGndOptionsOf(b.setup), W, H);

  std::printf("frame %dx%d, sample %s\n", W, H, song);
  b.BareFor(0.3);

  // ---- Lists ----
  b.setup.Font.FontEffect = 1;  // frame effect: copies on every top layer
  const long long lineA = LineStart(lyrics, 1), lineB = LineStart(lyrics, 2);
  const long long spanA = std::max<long long>(lineB - lineA, 2);
  b.Paint(PaintCentredList, b.picture, lineA, true);
  b.Paint(PaintCentredList, b.picture, lineA, false);
  b.Report("(a) list, same position", PaintCentredList, b.picture, [&](int) { return lineA; }, 1.1);
  b.Report("(b) list, inside the line", PaintCentredList, b.picture, [&](int i) { return lineA + 1 + i % (spanA - 1); },
           2);
  for (int effect = 0; effect <= 5; ++effect) {
    b.setup.Font.FontEffect = static_cast<std::uint8_t>(effect);
    b.Paint(PaintCentredList, b.picture, lineA, true);
    char what[64];
    std::snprintf(what, sizeof what, "(c) list, line change, effect %d", effect);
    b.Report(what, PaintCentredList, b.picture, [&](int i) { return i % 2 ? lineB : lineA; }, 10);
  }
  for (int effect : {4, 5}) {
    b.setup.Font.FontEffect = static_cast<std::uint8_t>(effect);
    char what[64];
    std::snprintf(what, sizeof what, "(c) ... effect %d, outlines not made ahead", effect);
    b.Report(what, PaintCentredList, b.picture, [&](int i) {
      b.canvas->Outlines().Clear();
      return i % 2 ? lineB : lineA;
    }, 10);
  }

  // A changed frame fits the font and makes every line's outlines (no target).
  {
    TMeter m;
    for (int i = 0; m.seconds < 0.5; ++i) {
      b.canvas->Outlines().Clear();
      m.Add([&] { b.Paint(PaintCentredList, b.picture, lineA, true); });
    }
    b.Report("(h) list, changed frame, effect 5", m, 0);
  }

  // ---- Single line: lines fading under the current one ----
  b.setup.DisplayFlags = static_cast<std::uint8_t>((b.setup.DisplayFlags | df_UseFadeEffect) & ~df_FadeNextSpaceOnly);
  for (int effect : {0, 1, 4}) {
    b.setup.Font.FontEffect = static_cast<std::uint8_t>(effect);
    for (int fading : {1, 3}) {
      // The same line shows over the one or three before it.
      b.Paint(RenderSingleLine, b.none, LineStart(lyrics, 3 - fading), true);
      for (int k = 3 - fading + 1; k <= 3; ++k) b.Paint(RenderSingleLine, b.none, LineStart(lyrics, k), false);
      const long long at = LineStart(lyrics, 3);
      const int slots = b.dd.Fadeout.SlotCount;
      char what[64];
      // A frame that steps the fade draws every row again; one between two
      // steps (the clock stands still here) keeps the pixels it shows.
      std::snprintf(what, sizeof what, "(d) single line, a step, %d fading, effect %d", slots, effect);
      b.Report(what, RenderSingleLine, b.none, [&](int i) {
        b.dd.Fadeout.Shown = false;
        return at + 1 + i % 500;
      }, 6);
      std::snprintf(what, sizeof what, "(d) ... between steps, %d fading, effect %d", slots, effect);
      b.Report(what, RenderSingleLine, b.none, [&](int i) { return at + 1 + i % 500; }, 6);
    }
  }
  // The fades over, the line stays as it is.
  ResetDrawData(b.dd, dd_Fadeout);
  const long long still = LineStart(lyrics, 2) + 600;
  b.Paint(RenderSingleLine, b.none, still, true);
  b.Report("(e) single line, no change", RenderSingleLine, b.none, [&](int i) { return still + 1 + i % 500; }, 1.1);

  // ---- Karaoke: the song at 60 frames a second; a frame places (or frees)
  // a row, or wipes one (a row partly sung, nothing placed or freed). ----
  const long long first = LineStart(lyrics, 0);
  const long long last = LineStart(lyrics, lyrics.TimedLineCount() - 1) + 3000;
  for (int effect : {1, 4, 5}) {
    b.setup.Font.FontEffect = static_cast<std::uint8_t>(effect);
    b.Paint(RenderKaraoke, b.picture, 0, true);
    // Which frames do what, played once through.
    std::vector<long long> places;
    std::vector<std::pair<long long, long long>> wipes;  // runs of wiping frames
    for (long long ms = first; ms < last; ms += 16) {
      const auto before = Shown(b.karaoke);
      b.Paint(RenderKaraoke, b.picture, ms, false);
      if (Shown(b.karaoke) != before)
        places.push_back(ms);
      else if (Wiping(b.karaoke) && !wipes.empty() && wipes.back().second == ms - 16)
        wipes.back().second = ms;
      else if (Wiping(b.karaoke))
        wipes.emplace_back(ms, ms);
    }
    if (places.empty() || wipes.empty()) {
      std::fprintf(stderr, "the sample song gives no karaoke rows to time\n");
      return 1;
    }
    // Played again piece by piece, each after two untimed seconds played up
    // to it, so the screen holds what playing through would have left.
    auto playUpTo = [&](long long ms) {
      b.Paint(RenderKaraoke, b.picture, 0, false);
      for (long long t = std::max(ms - 2000, 0LL); t < ms; t += 50) b.Paint(RenderKaraoke, b.picture, t, false);
    };
    TMeter wipe, place;
    for (size_t i = 0; wipe.seconds < 0.5; ++i) {
      const auto [from, to] = wipes[i % wipes.size()];
      playUpTo(from);
      const double before = wipe.seconds;
      wipe.Add([&] {
        for (long long ms = from; ms <= to; ms += 16) b.Paint(RenderKaraoke, b.picture, ms, false);
      }, static_cast<int>((to - from) / 16 + 1));
      b.BareFor(wipe.seconds - before);
    }
    for (size_t i = 0; place.seconds < 0.5; ++i) {
      const long long at = places[i % places.size()];
      playUpTo(at);
      const double before = place.seconds;
      place.Add([&] { b.Paint(RenderKaraoke, b.picture, at, false); });
      b.BareFor(place.seconds - before);
    }
    char what[64];
    std::snprintf(what, sizeof what, "(f) karaoke, wipe, effect %d", effect);
    b.Report(what, wipe, 2);
    std::snprintf(what, sizeof what, "(g) karaoke, row placed, effect %d", effect);
    b.Report(what, place, 10);
  }
  b.Print();
  return 0;
}
