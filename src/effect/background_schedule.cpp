// The background picture as the effect object drives it: the schedule of
// pictures by time, loading, preparing and painting.
//
// The schedule comes from the document's picture tags; each entry is
// resolved to a file once per lyrics load or settings load (a random pick
// among several matches is made again each time), and the frame path drains
// the queue as the position passes each entry's time. Resolution runs in
// UTF-16 and never changes the current directory; loading and painting are
// the render library's.
#include <windows.h>

#include <random>

#include "effect/picture_folders.h"
#include "effect/viz_lumeko.h"
#include "platform/cp932.h"

namespace lumeko {

namespace {

std::u16string U16(std::string_view cp932) { return Cp932ToUtf16(cp932); }

// The loader takes CP932 paths. A path that CP932 cannot spell goes by the
// system's short form of it, which is spelt in the OEM letters of 8.3 names;
// without one the picture cannot be shown.
std::string PathForLoading(const std::u16string& path) {
  if (path.empty()) return std::string();
  std::string cp932 = Utf16ToCp932(path);
  if (U16(cp932) == path) return cp932;
  const std::wstring wide(path.begin(), path.end());
  std::wstring shortPath(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetShortPathNameW(wide.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (n == 0) return std::string();
    if (n < shortPath.size()) {
      shortPath.resize(n);
      break;
    }
    shortPath.resize(n);
  }
  const std::u16string shortU16(shortPath.begin(), shortPath.end());
  cp932 = Utf16ToCp932(shortU16);
  return U16(cp932) == shortU16 ? cp932 : std::string();
}

}  // namespace

void TVizLumeko::ResolveBkGndFiles() {
  // The song's own folder first, then the setting's.
  std::u16string folder = U16(Lyrics->GetTag(ltBgFolder));
  if (folder.empty()) folder = BkGndImageFolderW;
  const TBkGndTemplates values{std::u16string(MediaTitleWide.begin(), MediaTitleWide.end()), U16(LyricsBaseName), U16(Lyrics->GetTag(ltArtist)),
                               U16(Lyrics->GetTag(ltTitle)), U16(Lyrics->GetTag(ltAlbum))};
  const TRandomPick pick = [this](std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(Random);
  };

  const std::vector<TBgFileEx>& schedule = Lyrics->BgFiles();
  BkGndFiles.assign(schedule.size(), std::string());
  for (std::size_t i = 0; i < schedule.size(); ++i) {
    // The picture setting came into the document as CP932; its stored UTF-16
    // keeps the names CP932 cannot spell.
    const std::string& list = schedule[i].FileName;
    const std::u16string list16 = list == Setup.BkGnd.BkGndImageFilename ? BkGndImageFilenameW : U16(list);
    BkGndFiles[i] = PathForLoading(ResolveBkGndPattern(folder, list16, values, SystemPictureFolders(), pick));
  }
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
