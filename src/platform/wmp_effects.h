// The player's effect interface and its per-frame record: what every
// visualization of the player implements.
//
// Declared here from its identifier and slot order, below every library,
// because the effect implements it and hosts another effect through it, and
// the settings page lists the installed effects through it. Slot order is
// the binary contract: never reorder.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace lumeko {

// The player's per-frame record. Only state and timeStamp are read.
struct TimedLevel {
  unsigned char frequency[2][1024];
  unsigned char waveform[2][1024];
  LONG state;              // 0 stopped, 1 paused, 2 playing
  LONGLONG timeStamp;      // 100-nanosecond units
};
static_assert(sizeof(TimedLevel) == 4112, "the player's layout");

inline constexpr LONG stop_state = 0;
inline constexpr LONG pause_state = 1;
inline constexpr LONG play_state = 2;

// {D3984C13-C3CB-48E2-8BE5-5168340B4F35}
inline constexpr IID IID_IWMPEffects = {0xD3984C13, 0xC3CB, 0x48E2, {0x8B, 0xE5, 0x51, 0x68, 0x34, 0x0B, 0x4F, 0x35}};

// The effect interface the player calls.
struct IWMPEffects : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Render(TimedLevel* levels, HDC hdc, RECT* rect) = 0;
  virtual HRESULT STDMETHODCALLTYPE MediaInfo(LONG channelCount, LONG sampleRate, BSTR title) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCapabilities(DWORD* capabilities) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTitle(BSTR* title) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPresetTitle(LONG preset, BSTR* title) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPresetCount(LONG* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetCurrentPreset(LONG preset) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentPreset(LONG* preset) = 0;
  virtual HRESULT STDMETHODCALLTYPE DisplayPropertyPage(HWND owner) = 0;
  virtual HRESULT STDMETHODCALLTYPE GoFullscreen(BOOL fullScreen) = 0;
  virtual HRESULT STDMETHODCALLTYPE RenderFullScreen(TimedLevel* levels) = 0;
};

}  // namespace lumeko
