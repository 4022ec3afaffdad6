// The parts of the frame that the rendering, background and settings-page
// code provide, as the effect object calls them.
//
// Each function here is the single place where its subsystem is wired into
// the effect object. What is not wired in yet does the least that keeps
// the frame honest: no picture is loaded (the area shows BackgroundColor),
// no lyrics are painted over it, the page is not available. None of them
// raises for a missing part.
#include "effect/viz_lumeko.h"
#include "render/text_lines.h"

namespace lumeko {

// Random colour scheme (with UseRandomColorScheme) and the canvas font
// from Setup.
void TVizLumeko::ApplyFontSetup() {
  if (TCanvas* c = Canvas()) {
    c->SetFontName(Setup.Font.FontName);
    c->SetFontStyle(Setup.Font.FontStyle);
  }
}

TCanvas* TVizLumeko::Canvas() {
  if (!FrameBitmap.DC()) return nullptr;
  if (!FrameCanvas || FrameCanvas->Handle() != FrameBitmap.DC()) {
    FrameCanvas.reset();
    FrameCanvas = std::make_unique<TCanvas>(FrameBitmap.DC());
  }
  FrameCanvas->SetFontName(Setup.Font.FontName);
  FrameCanvas->SetFontStyle(Setup.Font.FontStyle);
  return FrameCanvas.get();
}

// Resolves each background schedule entry of the document into a picture
// file. Until the picture search is wired in, no entry resolves, so the
// schedule drops the picture at each of its times.
void TVizLumeko::ResolveBkGndFiles() {
  BkGndFiles.assign(static_cast<size_t>(Lyrics->BgFileCount()), std::string());
  RebuildBkGndSchedule();
}

// Refills the queue of background changes from the document's schedule.
// An entry without a resolved path (the schedule grew after the last
// resolve) is queued with an empty path: it drops the picture.
void TVizLumeko::RebuildBkGndSchedule() {
  BkGndSchedule.clear();
  const int n = Lyrics->BgFileCount();
  for (int i = 0; i < n; ++i) {
    TBgFileEx e = Lyrics->GetBgFile(i);
    e.FileName = static_cast<size_t>(i) < BkGndFiles.size() ? BkGndFiles[i] : std::string();
    BkGndSchedule.push_back(std::move(e));
  }
}

// Loads the picture at path (an empty path drops it); a change of picture
// or of its settings flags the background as changed.
void TVizLumeko::LoadBackground(const std::string& path) {
  if (lumeko::LoadBackground(BkGnd, path, BkGndOptionsOf(Setup))) Changes |= cf_Background;
}

// Scales and blends the loaded picture for the frame's size.
void TVizLumeko::PrepareBackground(std::uint32_t color) {
  lumeko::PrepareBackground(BkGnd, color, BkGndOptionsOf(Setup), FrameBitmap.Width(), FrameBitmap.Height());
}

// Paints the background alone (no lyrics): BackgroundColor, then the
// prepared picture.
void TVizLumeko::PaintBackground() {
  TCanvas* c = Canvas();
  if (!c) return;
  lumeko::PaintBackground(BkGnd, *c, FrameBitmap.Width(), FrameBitmap.Height(), Setup.Color.BackgroundColor,
                          BkGndOptionsOf(Setup), PileDrawn);
}

void TVizLumeko::FreeBackground() noexcept { lumeko::FreeBackground(BkGnd); }

// The painter of CurrentPreset draws the lyrics into the frame. The single
// line and karaoke layouts come later; until then they show the list.
HRESULT TVizLumeko::PaintLyrics(TimedLevel& levels, bool changed, const RECT& area) {
  TCanvas* c = Canvas();
  if (!c) return E_FAIL;
  TPaintTarget target{*c, FrameBitmap.Width(), FrameBitmap.Height(), Setup, *Lyrics, BkGnd, DrawData};
  return RenderTextLines(target, levels.state, levels.timeStamp, CurrentPreset != 1, changed, PileDrawn, area);
}

void TVizLumeko::FreeKaraokeLayout() noexcept {}

// The property page, modal, centred on owner.
HRESULT TVizLumeko::ShowPropertyPage(HWND owner) {
  (void)owner;
  return E_NOTIMPL;
}

// The colour-scheme menu at the point in lParam.
void TVizLumeko::ShowSchemeMenu(LPARAM point) { (void)point; }

}  // namespace lumeko
