// The parts of the frame that the rendering, background and settings-page
// code provide, as the effect object calls them.
//
// Each function here is the single place where its subsystem is wired into
// the effect object. What is not wired in yet does the least that keeps
// the frame honest: no picture is loaded (the area shows BackgroundColor),
// no lyrics are painted over it, the page is not available. None of them
// raises for a missing part.
#include "effect/viz_lumeko.h"

namespace lumeko {

// Random colour scheme (with UseRandomColorScheme) and the canvas font
// from Setup; the painters choose their fonts from Setup until then.
void TVizLumeko::ApplyFontSetup() {}

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

// Loads the picture at path (an empty path drops it) and flags the
// background as changed. Until picture loading is wired in, every path
// gives no picture.
void TVizLumeko::LoadBackground(const std::string& path) {
  (void)path;
  FreeBackground();
  Changes |= cf_Background;
}

// Scales and blends the loaded picture for the frame's size.
void TVizLumeko::PrepareBackground(std::uint32_t color) { (void)color; }

// Paints the background alone (no lyrics): BackgroundColor, then the
// prepared picture.
void TVizLumeko::PaintBackground() {
  if (PileDrawn || !FrameBitmap.DC()) return;  // the stacked effect's picture stays
  std::uint32_t c = Setup.Color.BackgroundColor;
  if ((c & 0xFF000000u) == 0xFF000000u) c = ::GetSysColor(static_cast<int>(c & 0xFF));
  UniqueHBRUSH brush(::CreateSolidBrush(c & 0xFFFFFF));
  const RECT r{0, 0, FrameBitmap.Width(), FrameBitmap.Height()};
  ::FillRect(FrameBitmap.DC(), &r, brush.get());
}

void TVizLumeko::FreeBackground() noexcept {
  BkGndFile.clear();
  BkGndRect = RECT{};
}

// The painter of CurrentPreset draws the lyrics into the frame.
HRESULT TVizLumeko::PaintLyrics(TimedLevel& levels, bool changed, const RECT& area) {
  (void)levels;
  (void)area;
  if (changed) PaintBackground();
  return S_OK;
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
