// Lyrics document speed: parsing a 20 MB word-timed file (against the time
// `wc -l` takes to count the same file's lines, the floor for any reader of
// it), the same song written with LRC tags, and the per-frame lookup by time
// on a 10 000-entry timeline.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lyrics/lyrics_control.h"
#include "platform/file_io.h"

namespace {

// Word-timed lines of Japanese and ASCII words in time order, five words and
// an end tag a line, blank lines between verses (4 ms a word, so 20 MB stays
// within the 99 minutes a tag can hold). With lrc, the same song in LRC tags:
// "[mm:ss.xx]" before the line, "<mm:ss.xx>" for the words and the end.
std::string MakeWordTimedText(size_t bytes, bool lrc = false) {
  std::string text = "@TITLE=bench\n@AIRTIST=lumeko\n";
  text.reserve(bytes + 256);
  char buf[160];
  long t = 0;
  for (long n = 0; text.size() < bytes; ++n) {
    int len = 0;
    for (int w = 0; w < 5; ++w, t += 4) {
      const long ms = t;
      const char* form = !lrc ? "[%02ld:%02ld:%02ld]%s" : w == 0 ? "[%02ld:%02ld.%02ld]%s" : "<%02ld:%02ld.%02ld>%s";
      len += std::snprintf(buf + len, sizeof buf - len, form, ms / 60000, ms / 1000 % 60, ms / 10 % 100,
                           (w % 2) ? "\x89\xCC\x82\xA4 " : "word ");
    }
    std::snprintf(buf + len, sizeof buf - len, lrc ? "<%02ld:%02ld.%02ld>\r\n" : "[%02ld:%02ld:%02ld]\r\n",
                  t / 60000, t / 1000 % 60, t / 10 % 100);
    text += buf;
    if (n % 8 == 7) text += "\r\n";
  }
  return text;
}

const std::string& BenchFile() {
  static const std::string path = [] {
    std::string p = "/tmp/lumeko_bench_lyrics.kra";
    const std::string text = MakeWordTimedText(20u << 20);
    std::FILE* f = std::fopen(p.c_str(), "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size()) std::abort();
    std::fclose(f);
    return p;
  }();
  return path;
}

void BM_LoadFromFile20MB(benchmark::State& state) {
  const std::string& path = BenchFile();
  const auto size = lumeko::ReadWholeFile(path)->size();
  lumeko::TLyricsControl doc;
  for (auto _ : state) {
    if (!doc.LoadFromFile(path)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(doc.TimedLineCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(size) * state.iterations());
  state.counters["lines"] = doc.LineCount();
}
BENCHMARK(BM_LoadFromFile20MB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ParseInMemory20MB(benchmark::State& state) {
  const std::string text = *lumeko::ReadWholeFile(BenchFile());
  lumeko::TLyricsControl doc;
  for (auto _ : state) {
    doc.LoadFromText(text, "bench.kra");
    benchmark::DoNotOptimize(doc.TimedLineCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(text.size()) * state.iterations());
}
BENCHMARK(BM_ParseInMemory20MB)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same song in LRC tags, read with the option on: should take about the
// time of the native file, since each tag is looked at once either way.
void BM_ParseLrcInMemory20MB(benchmark::State& state) {
  const std::string text = MakeWordTimedText(20u << 20, true);
  lumeko::TLyricsControl doc;
  doc.SetParseOptions(lumeko::TLyricsParseOptions{true});
  for (auto _ : state) {
    doc.LoadFromText(text, "bench.lrc");
    benchmark::DoNotOptimize(doc.TimedLineCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(text.size()) * state.iterations());
  state.counters["entries"] = doc.TimedLineCount();
}
BENCHMARK(BM_ParseLrcInMemory20MB)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same file through `wc -l` (process start included), timed by wall clock.
void BM_WcLines20MB(benchmark::State& state) {
  const std::string& path = BenchFile();
  const auto size = lumeko::ReadWholeFile(path)->size();
  const std::string cmd = "wc -l < " + path;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    std::FILE* p = popen(cmd.c_str(), "r");
    if (!p) {
      state.SkipWithError("popen failed");
      break;
    }
    char buf[64];
    while (std::fgets(buf, sizeof buf, p)) {
    }
    pclose(p);
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(size) * state.iterations());
}
BENCHMARK(BM_WcLines20MB)->Unit(benchmark::kMillisecond)->UseManualTime();

// A 10 000-entry line-timed timeline, 500 ms an entry.
const lumeko::TLyricsControl& TenThousandEntries() {
  static const lumeko::TLyricsControl* doc = [] {
    std::string text;
    char buf[64];
    for (int i = 0; i < 10000; ++i) {
      const int ms = i * 500;
      std::snprintf(buf, sizeof buf, "[%02d:%02d:%02d]line %d\n", ms / 60000, ms / 1000 % 60, ms / 10 % 100, i);
      text += buf;
    }
    auto* d = new lumeko::TLyricsControl;
    d->LoadFromText(text, "bench.kra");
    return d;
  }();
  return *doc;
}

// Positions anywhere in the song: every lookup lands on a cold entry.
void BM_FindByTime10kRandom(benchmark::State& state) {
  const lumeko::TLyricsControl& doc = TenThousandEntries();
  if (doc.TimedLineCount() != 10000) state.SkipWithError("timeline size");
  lumeko::TLyricsPosition pos;
  std::uint32_t x = 12345;
  for (auto _ : state) {
    x = x * 1664525u + 1013904223u;
    benchmark::DoNotOptimize(doc.FindByTime(static_cast<std::int32_t>(x % 5000000u), pos));
    benchmark::DoNotOptimize(pos);
  }
}
BENCHMARK(BM_FindByTime10kRandom);

// Positions as playback gives them, one frame (16 ms) after another.
void BM_FindByTime10kFrames(benchmark::State& state) {
  const lumeko::TLyricsControl& doc = TenThousandEntries();
  lumeko::TLyricsPosition pos;
  std::int32_t t = 0;
  for (auto _ : state) {
    t = t < 5000000 ? t + 16 : 0;
    benchmark::DoNotOptimize(doc.FindByTime(t, pos));
    benchmark::DoNotOptimize(pos);
  }
}
BENCHMARK(BM_FindByTime10kFrames);

}  // namespace

BENCHMARK_MAIN();
