// The list painter over a stacked effect that leaves its own drawing state
// in the frame's device context: the lyrics still draw as configured.
#include <gtest/gtest.h>

#include <string>

#include "effect/stacked_effect_stub.h"
#include "effect/viz_lumeko_probe.h"
#include "settings/registry_ex.h"
#include "settings/registry_fixture.h"

namespace lumeko {
namespace {

// A stacked effect that paints grey and leaves opaque red text backgrounds,
// green text, a right-bottom text alignment and a moved origin behind.
class TCarelessEffect final : public test::TStackedEffectStub {
 public:
  STDMETHODIMP Render(TimedLevel*, HDC dc, RECT* r) noexcept override {
    const COLORREF old = ::SetBkColor(dc, RGB(40, 40, 40));
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, r, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, RGB(255, 0, 0));
    ::SetTextColor(dc, RGB(0, 255, 0));
    ::SetTextAlign(dc, TA_BOTTOM | TA_RIGHT);
    ::SetViewportOrgEx(dc, 30, 20, nullptr);
    return S_OK;
  }
};

class PileStateTest : public test::RegistryTest {};

TEST_F(PileStateTest, LyricsDrawAsConfiguredWhateverTheStackedEffectLeftInTheFrame) {
  {
    TRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(kSettingsKey, true));
    reg.WriteString("FontName", "IPAGothic");
    reg.WriteInteger("ActiveColor", 0xFFFFFF);
    reg.WriteInteger("StillNotActiveColor", 0xFFFFFF);
    reg.WriteInteger("InactiveColor", 0xFFFFFF);
    reg.WriteInteger("ActiveBkGndColor", 0);
    reg.WriteInteger("BackgroundColor", 0);
  }
  TVizLumeko* e = TVizLumeko::CreateInstance();
  ASSERT_NE(e, nullptr);
  TCarelessEffect pile;
  TVizLumekoProbe::Pile(*e) = TComPtr<IWMPEffects>::Attach(&pile);
  TVizLumekoProbe::Setup(*e).Pile.PileFlags &= ~pf_PileEffectNoLyricsOnly;  // under the lyrics too
  ASSERT_TRUE(TVizLumekoProbe::Lyrics(*e).LoadFromText("[00:01.00]\x81\xa1\x81\xa1\x81\xa1\r\n[00:09.00]\x81\xa1\r\n", "x.lrc"));

  constexpr int kW = 200, kH = 100;
  TMemoryBitmap player;
  ASSERT_TRUE(player.CreateDib32(kW, kH));
  const std::uint32_t* px = player.Bits();
  for (long long ms : {1500, 1600}) {
    TimedLevel levels{};
    levels.state = play_state;
    levels.timeStamp = ms * 10000;
    RECT r{0, 0, kW, kH};
    ASSERT_EQ(e->Render(&levels, player.DC(), &r), S_OK);
    ::GdiFlush();
    int red = 0, green = 0, white = 0, whiteLeft = kW, whiteTop = kH;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const std::uint32_t p = px[y * kW + x] & 0xFFFFFF;
        red += p == 0xFF0000;
        green += p == 0x00FF00;
        if (p == 0xFFFFFF) {
          ++white;
          whiteLeft = std::min(whiteLeft, x);
          whiteTop = std::min(whiteTop, y);
        }
      }
    EXPECT_EQ(red, 0) << ms << ": no opaque text backgrounds";
    EXPECT_EQ(green, 0) << ms << ": the text in its own colour";
    EXPECT_GT(white, 100) << ms;
    EXPECT_LT(whiteTop, kH / 3) << ms << ": the first line in the top row, not moved";
    EXPECT_GT(whiteLeft, 10) << ms << ": centred, not pushed off to the left";
  }
  TVizLumekoProbe::Pile(*e).reset();  // the stub lives on this stack
  e->Release();
}

}  // namespace
}  // namespace lumeko
