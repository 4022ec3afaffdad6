// lumeko soak: hours of a player's life in one run. The real DLL, driven
// through the stand-in player for N frames of random seeks, pauses, stops,
// media changes, presets, resizes (0 x 0 and 1 x 1 among them), settings
// saves through the named event, mouse clicks, plain and windowed hosting,
// new effect objects and DLL reloads.
//
// It prints the process's GDI, USER, handle and private-byte counts at the
// start, after the warm-up and at the end as one JSON object, and fails
// when the end is more than 1 % away from the warm-up, or when a call failed
// that the run did not provoke (or one it provoked did not fail). Both
// checkpoints first settle the effect into the same state (song, position,
// size, preset, settings), so only a leak can tell them apart. The user's
// settings are never touched: the run has a scratch registry of its own.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "command.h"
#include "json.h"
#include "player_host.h"
#include "process_counts.h"
#include "settings/registry_override.h"
#include "settings/settings_store.h"
#include "soak_scenario.h"

namespace lumeko::tool {
namespace {

using host::PlayerHost;
using host::TProcessCounts;

constexpr double kTolerancePercent = 1.0;
constexpr std::int32_t kFrameMs = 33;  // a player paints about 30 frames a second
constexpr int kReportedFailures = 20;  // told on stderr; the rest are only counted

struct TSize {
  int W, H;
};
constexpr TSize kSizes[] = {{320, 180}, {0, 0},     {1, 1},     {1, 0},    {3, 2},
                            {64, 48},   {200, 120}, {480, 270}, {17, 300}, {640, 360}};
constexpr TSize kSettledSize = kSizes[0];

class TSoak {
 public:
  TSoak(const TSoakFolder& folder, std::uint32_t seed) : folder_(folder), random_(seed) {}

  void Start() {
    if (FAILED(host_.Load(PlayerHost::DefaultEffectPath()))) throw std::runtime_error("cannot load the effect DLL");
    if (!host_.OpenWindow(kSettledSize.W, kSettledSize.H)) throw std::runtime_error("cannot open a window");
    StoreBaselineSettings(folder_);
    Announce();
  }

  // One frame, after at most one random event.
  void Frame(long long index) {
    index_ = index;
    Event();
    Render();
    if (state_ == play_state) positionMs_ += kFrameMs;
    if (burdenFrames_ > 0 && --burdenFrames_ == 0) {
      // Fifty milliseconds a frame is for a slow machine, not for a soak.
      TRegistryEx reg(HKEY_CURRENT_USER);
      if (reg.OpenKey(kSettingsKey, true)) reg.WriteInteger("BurdenReduction", 0);
      SignalPropertyChange();
    }
  }

  // The state both checkpoints measure: baseline settings, the plain
  // player, the reference song stopped then playing at 10 s, preset 0.
  // The window with its hint, then every font effect in every preset, are
  // drawn first, so whatever the system or a painter makes once and keeps
  // (a window's DC, a pen, a brush) is there at both checkpoints.
  void Settle() {
    burdenFrames_ = 0;
    size_ = kSettledSize;
    state_ = play_state;
    positionMs_ = 10000;
    StoreBaselineSettings(folder_);
    SignalPropertyChange();
    if (!windowed_) SwitchMode();
    Render();  // takes the settings
    song_ = 0;
    Announce();
    if (!buttonDown_) Mouse(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL);
    Render();
    Mouse(WM_LBUTTONUP, 0);
    SwitchMode();
    const TSettingDef& effect = *FindSetting("FontEffect");
    for (std::int32_t e = effect.Min; e <= effect.Max; ++e) {
      TRegistryEx reg(HKEY_CURRENT_USER);
      if (reg.OpenKey(kSettingsKey, true)) WriteSettingValue(reg, effect, {e, {}});
      SignalPropertyChange();
      for (LONG p = 0; p < 4; ++p) {
        Check(host_.SetPreset(p), false, "preset");
        Render();
      }
    }
    StoreBaselineSettings(folder_);
    SignalPropertyChange();
    Check(host_.SetPreset(preset_ = 0), false, "preset");
    // A frame bitmap made for the plain player's DC, not kept from the window.
    size_ = kSizes[2];
    Render();
    size_ = kSettledSize;
    state_ = stop_state;
    Render();
    state_ = play_state;
    for (int i = 0; i < 3; ++i, positionMs_ += kFrameMs) Render();
    Pump();
  }

  int Failures() const { return failures_; }

 private:
  void Event() {
    const std::uint32_t r = random_.Below(10000);
    if (r < 150) {
      const std::int32_t length = folder_.Songs()[song_].LengthMs;
      positionMs_ = random_.Between(-3000, length + 10000);
    } else if (r < 230) {
      state_ = state_ == play_state ? pause_state : play_state;
    } else if (r < 270) {
      state_ = stop_state;
    } else if (r < 310) {
      song_ = random_.Below(static_cast<std::uint32_t>(folder_.Songs().size()));
      Announce();
    } else if (r < 390) {
      preset_ = static_cast<LONG>(random_.Below(4));
      Check(host_.SetPreset(preset_), false, "preset");
    } else if (r < 470) {
      size_ = kSizes[random_.Below(sizeof kSizes / sizeof kSizes[0])];
      if (windowed_) SizeWindow();
    } else if (r < 510) {
      if (StoreRandomSettings(folder_, random_)) burdenFrames_ = 3;
      SignalPropertyChange();
    } else if (r < 570) {
      if (buttonDown_)
        Mouse(WM_LBUTTONUP, 0);
      else if (random_.OneIn(3))
        Mouse(WM_MOUSEMOVE, 0);
      else
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL);
    } else if (r < 580) {
      SwitchMode();
    } else if (r < 588) {
      // A new object now and then, and the DLL itself unloaded and loaded
      // again, as a player does when the visualization is chosen anew.
      const bool reload = r >= 585;
      Check(reload ? host_.Load(PlayerHost::DefaultEffectPath()) : host_.Recreate(), false,
            reload ? "reload" : "recreate");
      buttonDown_ = false;
      if (windowed_) Check(host_.AttachWindow(), false, "attach");
      Check(host_.SetPreset(preset_), false, "preset");
      Announce();
    } else if (r < 592) {
      Provoke(r - 588);
    }
  }

  // Calls the player should see fail, and the effect live on after.
  void Provoke(std::uint32_t which) {
    switch (which) {
      case 0:
        Check(host_.SetPreset(4), true, "preset 4");
        break;
      case 1:
        if (windowed_) {
          auto* media = new host::TStandInMedia(L"", L"");
          media->UrlFailure = E_FAIL;
          Check(host_.NotifyNewMedia(media), true, "a media item that fails");
          media->Release();
        } else {
          // An area whose right edge is left of its left edge.
          Check(host_.RenderFrame(-5, 20, state_, Stamp(), POINT{10, 0}).Result, true, "a negative area");
        }
        break;
      case 2:
        if (windowed_) {
          host_.Core().Controls->Failure = E_FAIL;
          Check(host_.RenderWindowed(positionMs_ / 1000.0, state_), true, "a player without its position");
          host_.Core().Controls->Failure = S_OK;
        }
        break;
      default:
        Check(host_.Effect()->SetCurrentPreset(-1), true, "preset -1");
        break;
    }
  }

  void Announce() {
    const TSoakSong& s = folder_.Songs()[song_];
    Check(windowed_ ? host_.NotifyNewMedia(s.Media, s.Title) : host_.MediaInfo(s.Title), false, "media");
  }

  void SwitchMode() {
    if (buttonDown_) Mouse(WM_LBUTTONUP, 0);
    windowed_ = !windowed_;
    if (windowed_) {
      SizeWindow();
      Check(host_.AttachWindow(), false, "attach");
    } else {
      Check(host_.Effect()->Destroy(), false, "destroy");
      Check(host_.Effect()->SetCore(nullptr), false, "core");
    }
    Announce();
  }

  void SizeWindow() {
    const HWND w = host_.Window();
    RECT r{0, 0, size_.W, size_.H};
    ::AdjustWindowRect(&r, static_cast<DWORD>(::GetWindowLongW(w, GWL_STYLE)), FALSE);
    ::SetWindowPos(w, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void Mouse(UINT msg, WPARAM keys) {
    const LPARAM at = MAKELPARAM(random_.Below(static_cast<std::uint32_t>(size_.W) + 1),
                                 random_.Below(static_cast<std::uint32_t>(size_.H) + 1));
    LRESULT result = 0;
    Check(host_.Effect()->OnWindowMessage(msg, keys, at, &result), false, "mouse");
    if (msg == WM_LBUTTONDOWN) buttonDown_ = true;
    if (msg == WM_LBUTTONUP) buttonDown_ = false;
  }

  void Render() {
    if (windowed_)
      Check(host_.RenderWindowed(positionMs_ / 1000.0, state_), false, "windowed frame");
    else
      Check(host_.RenderFrame(size_.W, size_.H, state_, Stamp()).Result, false, "frame");
    Pump();
  }

  LONGLONG Stamp() const { return static_cast<LONGLONG>(positionMs_) * 10000; }

  // The hint window and the host's window get their messages.
  static void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }

  void Check(HRESULT hr, bool provoked, const char* what) {
    if (provoked ? FAILED(hr) : SUCCEEDED(hr)) return;
    if (++failures_ <= kReportedFailures)
      std::fprintf(stderr, "lumeko soak: frame %lld: %s %s (0x%08lX; preset %ld, %dx%d, %s, %d ms, song %u)\n",
                   index_, what, provoked ? "did not fail" : "failed", static_cast<unsigned long>(hr), preset_,
                   size_.W, size_.H, windowed_ ? "windowed" : "plain", static_cast<int>(positionMs_), song_);
  }

  const TSoakFolder& folder_;
  TSoakRandom random_;
  PlayerHost host_;
  long long index_ = -1;
  bool windowed_ = false;
  bool buttonDown_ = false;
  int burdenFrames_ = 0;
  LONG state_ = play_state;
  std::int32_t positionMs_ = 0;
  LONG preset_ = 0;
  TSize size_ = kSettledSize;
  std::uint32_t song_ = 0;
  int failures_ = 0;
};

void WriteCounts(JsonWriter& j, const char* key, const TProcessCounts& c) {
  j.Key(key).BeginObject();
  j.Field("gdi", c.Gdi).Field("user", c.User).Field("handles", c.Handles).Field("private_bytes", c.PrivateBytes);
  j.EndObject();
}

int Run(const Args& args) {
  const ParsedArgs a = ParseArgs(args, {}, {"--frames", "--seed"});
  if (!a.positional.empty()) throw UsageError{"unexpected argument: " + a.positional[0]};
  const long long frames = a.Get("--frames") ? ParseInteger(*a.Get("--frames"), "--frames") : 20000;
  if (frames < 1 || frames > 1000000000) throw UsageError{"--frames must be 1 to 1000000000"};
  const long long seed = a.Get("--seed") ? ParseInteger(*a.Get("--seed"), "--seed") : 1;
  if (seed < 0 || seed > 0xFFFFFFFFll) throw UsageError{"--seed must be 0 to 4294967295"};

  const TProcessCounts start = host::ReadProcessCounts();
  TProcessCounts warm, end;
  int failures = 0;
  {
    TRegistryOverride scratch(false, ro_CurrentUser);
    if (!scratch.Active()) throw std::runtime_error("cannot give the run a registry of its own");
    const TSoakFolder folder;
    TSoak soak(folder, static_cast<std::uint32_t>(seed));
    soak.Start();
    // Long enough for every kind of event to have happened a few times.
    const long long warmup = std::min<long long>(frames / 5, 5000);
    for (long long i = 0; i < frames; ++i) {
      if (i == warmup) {
        soak.Settle();
        warm = host::ReadProcessCounts();
      }
      soak.Frame(i);
    }
    soak.Settle();
    end = host::ReadProcessCounts();
    failures = soak.Failures();
  }

  JsonWriter j;
  j.BeginObject();
  WriteCounts(j, "start", start);
  WriteCounts(j, "warmup", warm);
  WriteCounts(j, "end", end);
  j.Field("frames", frames).Field("failures", failures).EndObject();
  Print(j.str() + "\n");
  const bool leaked = !host::WithinPercent(warm, end, kTolerancePercent);
  if (leaked) std::fprintf(stderr, "lumeko soak: the end is more than %g %% from the warm-up\n", kTolerancePercent);
  return leaked || failures ? 1 : 0;
}

const RegisterCommand reg("soak", "soak [--frames N] [--seed S]  play N random frames through the DLL; fail on a leak",
                          Run);

}  // namespace
}  // namespace lumeko::tool
