// A stand-in for the media player: loads the effect DLL as the player does
// and drives it, frame by frame, into a DIB section or a real window.
//
// Typical use:
//   PlayerHost host;
//   host.Load(PlayerHost::DefaultEffectPath());
//   host.NotifyNewMedia(L"C:\\music\\song.mp3", L"Song");
//   Frame f = host.RenderFrame(640, 480, play_state, 12'000'000);
//   uint32_t c = f.Pixel(10, 20);   // 0x00RRGGBB
// All strings to and from the effect are UTF-16 here; the host initialises
// COM for its thread (apartment) and frees what it loaded when it dies.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "effect/player_interfaces.h"
#include "platform/unique_handle.h"
#include "stand_ins.h"

namespace lumeko::host {

// One rendered frame: top-down rows of 0x00RRGGBB pixels.
struct Frame {
  HRESULT Result = E_FAIL;
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
  std::uint32_t Pixel(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x] & 0xFFFFFF; }
};

// 0x00BBGGRR (GDI) from 0x00RRGGBB (pixels) and back.
constexpr std::uint32_t PixelToColorRef(std::uint32_t p) {
  return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

class PlayerHost {
 public:
  PlayerHost();
  ~PlayerHost();
  PlayerHost(const PlayerHost&) = delete;
  PlayerHost& operator=(const PlayerHost&) = delete;

  // VizLumeko.dll beside the running program, else the one the build made.
  static std::wstring DefaultEffectPath();

  // Loads the DLL with LoadLibrary and makes an effect through its
  // DllGetClassObject, as an unregistered in-process server is used.
  HRESULT Load(const std::wstring& dllPath);
  // Makes an effect by class identifier through COM (needs registration).
  HRESULT CreateRegistered();
  // Makes one more effect from the loaded DLL's factory (a second instance).
  HRESULT CreateAnother(IWMPEffects2** out);
  // Releases the effect and makes a new one from the loaded DLL, as the
  // player does when the visualization is chosen again.
  HRESULT Recreate();
  // Releases the effect; with unloadDll, also the DLL when it allows it.
  // Answers DllCanUnloadNow's result (S_OK when unloaded).
  HRESULT Unload(bool unloadDll = true);

  IWMPEffects2* Effect() const noexcept { return effect_; }
  HMODULE Module() const noexcept { return module_.get(); }
  // The DLL's own exports, for tests of the module.
  HRESULT CallGetClassObject(REFCLSID clsid, REFIID iid, void** out) const;
  HRESULT CallCanUnloadNow() const;
  HRESULT CallRegisterServer() const;
  HRESULT CallUnregisterServer() const;

  // The plain host's media announcement (title only).
  HRESULT MediaInfo(const std::wstring& title, LONG channels = 2, LONG sampleRate = 44100);
  // The windowed host's announcement, through a stand-in media item.
  HRESULT NotifyNewMedia(const std::wstring& url, const std::wstring& name);
  HRESULT NotifyNewMedia(TStandInMedia* media);
  HRESULT SetPreset(LONG preset);
  // Fades step by the frames' time stamps instead of the real time between
  // calls, so rendered frames show them as at the frames' own rate.
  HRESULT UseFrameTimesForFades();
  // The Properties button: the effect's page, modal on owner, when the
  // effect's capabilities offer one (S_FALSE when they do not).
  HRESULT ShowProperties(HWND owner);

  // Renders one frame into the host's DIB section (kept between frames of
  // the same size, as a player's DC keeps its pixels). The area starts at
  // origin inside a target of origin + size.
  Frame RenderFrame(int width, int height, LONG state, LONGLONG timeStamp, POINT origin = {0, 0});
  // Fills the host's target before the next frame (to see what is copied).
  void ClearTarget(std::uint32_t rgb);

  // The windowed host: a real top-level window of the given client size,
  // given to the effect with Create, and the stand-in core with SetCore.
  HWND OpenWindow(int width, int height);
  // Create(window) + SetCore(core): the host's own window, or one of the caller's.
  HRESULT AttachWindow(HWND window = nullptr);
  TStandInCore& Core() noexcept { return *core_; }
  HRESULT RenderWindowed(double positionSeconds, LONG state = play_state);
  // A window's client area (the host's own by default) as it is on screen now.
  Frame CaptureWindow(HWND window = nullptr) const;
  HWND Window() const noexcept { return window_.get(); }
  // A TimedLevel as the last windowed frame left it.
  const TimedLevel& LastLevels() const noexcept { return levels_; }

 private:
  void EnsureTarget(int width, int height);

  bool comInitialized_ = false;
  UniqueHMODULE module_;
  IWMPEffects2* effect_ = nullptr;
  TStandInCore* core_ = nullptr;
  UniqueHDC dc_;
  UniqueHBITMAP dib_;
  HGDIOBJ oldBitmap_ = nullptr;
  void* bits_ = nullptr;
  int targetWidth_ = 0, targetHeight_ = 0;
  UniqueHWND window_;
  TimedLevel levels_{};
};

}  // namespace lumeko::host
