// The background picture as the effect object drives it: the schedule of
// pictures by time, loading, preparing and painting.
//
// The schedule comes from the document's picture tags; each entry is
// resolved to a file once per lyrics load or settings load, and the frame
// path drains the queue as the position passes each entry's time. Loading
// and painting themselves are the render library's.
#include "effect/viz_lumeko.h"

namespace lumeko {

// Resolves each background schedule entry of the document into a picture
// file. No pattern is resolved to a file yet, so each entry of the schedule
// drops the picture at its time.
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

}  // namespace lumeko
