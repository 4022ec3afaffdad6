// Measurements GDI cannot make, swept: for every layout, the k-th text
// measurement of a whole-frame layout fails as GetTextExtentPoint32W does
// (nothing measured), for k = 1, 2, ... until a layout runs clean. The frame
// that met the failure may look wrong; the one after it must look exactly as
// a clean object's does.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "effect/viz_lumeko_probe.h"
#include "settings/registry_fixture.h"

namespace lumeko {
namespace {

using P = TVizLumekoProbe;

// The frame's canvas, but its k-th measurement fails.
class TFailingCanvas final : public TCanvas {
 public:
  TFailingCanvas(HDC dc, long failAt) : TCanvas(dc), failAt_(failAt) {}
  TTextSize TextExtent(std::string_view cp932) override {
    if (armed_ && ++calls_ == failAt_) {
      fired_ = true;
      NoteFailed();
      return {};
    }
    return TCanvas::TextExtent(cp932);
  }
  bool Fired() const { return fired_; }
  void Disarm() { armed_ = false; }

 private:
  bool armed_ = true;
  long failAt_;
  long calls_ = 0;
  bool fired_ = false;
};

constexpr int kWidth = 160, kHeight = 96;
constexpr LONGLONG kFailed = 15'000'000, kNext = 16'000'000;

class GdiFaults : public test::RegistryTest {
 protected:
  void SetUp() override {
    test::RegistryTest::SetUp();
    ASSERT_TRUE(player_.CreateDib32(kWidth, kHeight));
  }
  HRESULT Frame(TVizLumeko& e, LONGLONG time) {
    TimedLevel levels{};
    levels.state = play_state;
    levels.timeStamp = time;
    RECT r{0, 0, kWidth, kHeight};
    return e.Render(&levels, player_.DC(), &r);
  }
  std::vector<std::uint32_t> Pixels() const {
    ::GdiFlush();
    return std::vector<std::uint32_t>(player_.Bits(), player_.Bits() + kWidth * kHeight);
  }
  // An object on preset, a first frame drawn, asked to lay everything out
  // again; failAt > 0 puts a canvas failing that measurement under it.
  // Answers whether the failure fired; the frames drawn are at the times.
  bool Run(int preset, long failAt, const std::vector<LONGLONG>& times) {
    TVizLumeko* e = TVizLumeko::CreateInstance();
    EXPECT_TRUE(P::Lyrics(*e).LoadFromText(
        "[00:00:50]\x82\xA0\x82\xA2[00:01:00]one [00:01:30]two[00:02:00]\r\n"
        "[00:02:00]a second, longer line[00:03:00]\r\n[00:03:00]three[00:04:00]\r\n",
        "song.kra"));
    EXPECT_EQ(e->SetCurrentPreset(preset), S_OK);
    EXPECT_EQ(Frame(*e, 5'000'000), S_OK);
    TFailingCanvas* failing = nullptr;
    if (failAt > 0) {
      auto canvas = std::make_unique<TFailingCanvas>(P::Frame(*e).DC(), failAt);
      failing = canvas.get();
      P::Canvas(*e) = std::move(canvas);
    }
    P::Changes(*e) |= cf_Repaint;
    for (LONGLONG t : times) {
      EXPECT_EQ(Frame(*e, t), S_OK) << "the player always gets its frame";
      if (failing) failing->Disarm();  // only the first frame meets the failure
    }
    const bool fired = failing && failing->Fired();
    e->Release();
    return fired;
  }
  TMemoryBitmap player_;
};

TEST_F(GdiFaults, AFrameLaidOutWithAFailedMeasurementIsFollowedByASoundOne) {
  for (int preset = 0; preset < 4; ++preset) {
    Run(preset, 0, {kFailed, kNext});
    const std::vector<std::uint32_t> second = Pixels();
    Run(preset, 0, {kNext});
    const std::vector<std::uint32_t> whole = Pixels();
    long k = 1;
    for (; Run(preset, k, {kFailed, kNext}); ++k) {
      const std::vector<std::uint32_t> now = Pixels();
      EXPECT_TRUE(now == second || now == whole) << "preset " << preset << ", measurement " << k;
    }
    EXPECT_GT(k, 2) << "preset " << preset << " measured nothing";
    std::printf("preset %d: %ld measurement failure points\n", preset, k - 1);
  }
}

}  // namespace
}  // namespace lumeko
