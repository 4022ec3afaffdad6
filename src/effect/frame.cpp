// The per-frame path: the player's Render and RenderWindowed calls.
//
// Each frame loads pending lyrics, polls the settings event, keeps the
// off-screen frame the area's size, takes the background changes whose time
// has come, lets the stacked effect and the painter draw, and copies the
// frame to the player's DC. The end-of-frame bookkeeping runs even when a
// step raised, so the next frame starts from a known state. Nothing here
// allocates per frame unless the area's size or the background changed.
// Fades run by the performance counter unless our own tools ask for the
// frames' time stamps (ILumekoFadeClock).
#include <cmath>
#include <memory>
#include <stdexcept>

#include "effect/viz_lumeko.h"

namespace lumeko {

STDMETHODIMP TVizLumeko::Render(TimedLevel* levels, HDC hdc, RECT* rect) noexcept {
  if (!levels || !rect) return E_POINTER;
  const HRESULT hr = ComCall(IID_IWMPEffects, E_FAIL, [&] {
    if (MediaPending) LoadLyrics();
    RenderFrame(*levels, hdc, *rect);
    return S_OK;
  });
  // The bookkeeping runs whatever the frame did, outside its handler.
  const HRESULT end = ComCall(IID_IWMPEffects, E_FAIL, [&] {
    EndFrame(*levels);
    return S_OK;
  });
  return FAILED(hr) ? hr : end;
}

void TVizLumeko::RenderFrame(TimedLevel& levels, HDC hdc, const RECT& rect) {
  CheckPropertyChange();
  if (RepaintNext) Changes |= cf_Repaint;
  RepaintNext = false;

  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (!FrameBitmap || FrameBitmap.Width() != width || FrameBitmap.Height() != height) {
    if (width < 0 || height < 0) throw std::runtime_error("the player's area has a negative size");
    if (!FrameBitmap.CreateCompatible(hdc, width, height)) throw std::runtime_error("cannot create the frame bitmap");
    Changes |= cf_FrameResized;
  }

  // Take every background change whose time has come; show the last one.
  bool taken = false;
  std::string file;
  while (!BkGndSchedule.empty() && BkGndSchedule.front().Time <= levels.timeStamp) {
    file = std::move(BkGndSchedule.front().FileName);
    BkGndSchedule.pop_front();
    taken = true;
  }
  if (taken) LoadBackground(file);

  if (Changes & (cf_Background | cf_FrameResized)) PrepareBackground(Setup.Color.BackgroundColor);

  const bool changed = Changes != 0;
  const RECT area{0, 0, width, height};
  const bool hasLines = Lyrics->LineCount() > 0;

  PileDrawn = false;
  if (Pile && (!(Setup.Pile.PileFlags & pf_PileEffectNoLyricsOnly) || !hasLines)) {
    RECT pileArea = area;
    // The other effect may leave its modes, colours, alignment or origin in
    // our DC; the painters rely on theirs, so the DC's state is put back.
    {
      const SavedDCState saved(FrameBitmap.DC());
      Pile->Render(&levels, FrameBitmap.DC(), &pileArea);  // its result is not looked at
    }
    PileDrawn = true;
  }

  if (hasLines) {
    // A painter that failed may have left a probe-sized font or half a
    // frame: the next frame paints everything again.
    if (FAILED(PaintLyrics(levels, changed, area))) RepaintNext = true;
  } else if (changed)
    PaintBackground();

  // A true-colour frame has no palette of its own to realise in hdc.
  if (!::BitBlt(hdc, rect.left, rect.top, width, height, FrameBitmap.DC(), 0, 0, SRCCOPY))
    throw std::runtime_error("cannot copy the frame to the player's area");

  if (ThrottleEvent) ::WaitForSingleObject(ThrottleEvent.get(), 50);
}

void TVizLumeko::EndFrame(const TimedLevel& levels) {
  if (static_cast<std::uint8_t>(levels.state) == DrawData.LastPlayState) {
    if (levels.timeStamp < LastTimeStamp) RebuildBkGndSchedule();  // went backwards
  } else if (levels.state == stop_state) {
    ResetDrawData(DrawData, dd_Position);
    RebuildBkGndSchedule();
  }
  DrawData.LastPlayState = static_cast<std::uint8_t>(levels.state);
  LastTimeStamp = levels.timeStamp;
  Changes = 0;
}

namespace {

// Seconds to 100-ns units, truncated toward zero; a position that is not a
// number or beyond the 64-bit range is held at the nearest end (0 for NaN).
LONGLONG PositionToTimeStamp(double seconds) {
  if (std::isnan(seconds)) return 0;
  const double units = seconds * 10000000.0;
  if (units >= 9.2233720368547748e18) return INT64_MAX;
  if (units <= -9.2233720368547758e18) return INT64_MIN;
  return static_cast<LONGLONG>(units);
}

}  // namespace

STDMETHODIMP TVizLumeko::RenderWindowed(TimedLevel* levels, BOOL) noexcept {
  if (!Window) return E_UNEXPECTED;
  if (!Core) return S_OK;
  if (!levels) return E_POINTER;
  return ComCall(IID_IWMPEffects2, E_FAIL, [&] {
    TComPtr<IWMPControls> controls;
    HRESULT hr = Core->get_controls(controls.put());
    if (FAILED(hr) || !controls) throw std::runtime_error("the player has no transport controls");
    double position = 0;
    hr = controls->get_currentPosition(&position);
    if (FAILED(hr)) throw std::runtime_error("the player did not give its position");

    WindowDC dc(Window);
    if (!dc) return E_FAIL;
    RECT rect{};
    ::GetClientRect(Window, &rect);
    levels->timeStamp = PositionToTimeStamp(position);
    return Render(levels, dc.get(), &rect);
  });
}

TCanvas* TVizLumeko::Canvas() {
  if (!FrameBitmap) return nullptr;
  if (!FrameCanvas || FrameCanvas->Handle() != FrameBitmap.DC()) {
    FrameCanvas.reset();
    FrameCanvas = std::make_unique<TCanvas>(FrameBitmap.DC());
  }
  FrameCanvas->SetFontName(Setup.Font.FontName);
  FrameCanvas->SetFontStyle(Setup.Font.FontStyle);
  return FrameCanvas.get();
}

// The painter of CurrentPreset draws the lyrics into the frame; a failure
// is repainted on a later frame. So is a frame laid out with a measurement
// GDI could not make: its sizes are not to stay.
HRESULT TVizLumeko::PaintLyrics(const TimedLevel& levels, bool changed, const RECT& area) {
  TCanvas* c = Canvas();
  if (!c) return E_FAIL;
  TPaintTarget target{*c, FrameBitmap.Width(), FrameBitmap.Height(), Setup, *Lyrics, BkGnd, DrawData, &Karaoke,
                      FadeClock.get()};
  const TFrameState frame{levels.state, levels.timeStamp, changed, PileDrawn, area};
  c->ClearFailed();
  const HRESULT hr = Painters[CurrentPreset](target, frame);
  return SUCCEEDED(hr) && c->Failed() ? E_FAIL : hr;
}

STDMETHODIMP TVizLumeko::UseFrameTimeStamps(BOOL on) noexcept {
  return ComCall(IID_ILumekoFadeClock, E_FAIL, [&] {
    if (on)
      FadeClock = std::make_unique<TFrameTimeClock>();
    else
      FadeClock = std::make_unique<TPerformanceClock>();
    // Ticks of one clock mean nothing to the other.
    ResetDrawData(DrawData, dd_Fadeout);
    return S_OK;
  });
}

}  // namespace lumeko
