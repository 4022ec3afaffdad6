// Media changes: recording the player's announcement and, on the next
// frame, loading the lyrics that belong to it.
//
// SetMedia only records; LoadLyrics runs at the start of the next frame,
// clears MediaPending even when a step raises (so a bad item is not retried
// every frame), and then brings the background schedule in line.
// FindLyricsFile is where the lyrics search answers; until the search is
// wired in, it finds only the file beside the media that has the media's
// own name with a lyrics extension.
#include <array>

#include "effect/viz_lumeko.h"
#include "platform/file_io.h"

namespace lumeko {

void TVizLumeko::SetMedia(const std::string* title, const std::string* url) {
  if ((!title || *title == MediaTitle) && (!url || *url == MediaUrl)) return;
  MediaTitle = title ? *title : std::string();
  MediaUrl = url ? *url : std::string();
  MediaPending = true;
  LastTimeStamp = 0;
}

void TVizLumeko::LoadLyrics() {
  struct ClearPending {
    bool& pending;
    ~ClearPending() { pending = false; }
  } clear{MediaPending};

  const std::string& bgFile = Setup.BkGnd.BkGndImageFilename;
  if (TagDefaults) {
    if (!TagDefaults->Has("@BGFILE") && !bgFile.empty()) TagDefaults->SetValue("@BGFILE", bgFile);
    Lyrics->DefaultTags() = *TagDefaults;
  } else {
    Lyrics->DefaultTags().SetValue("@BGFILE", bgFile);  // an empty setting removes it
  }

  const std::string path = FindLyricsFile(MediaTitle, MediaUrl);
  Lyrics->LoadFromFile(path);

  const std::string& loaded = Lyrics->FileName();
  const size_t slash = loaded.find_last_of("\\/:");
  std::string base = slash == std::string::npos ? loaded : loaded.substr(slash + 1);
  const size_t dot = base.rfind('.');
  if (dot != std::string::npos) base.resize(dot);
  LyricsBaseName = base;

  Changes |= cf_Lyrics;
  LoadBackground(std::string());
  ApplyFontSetup();
  MediaPending = false;
  ResolveBkGndFiles();
}

std::string TVizLumeko::FindLyricsFile(const std::string& title, const std::string& url) {
  (void)title;
  if (url.empty()) return std::string();
  // The media's own folder and name; a URL that is no local path finds nothing.
  const size_t slash = url.find_last_of("\\/");
  const size_t dot = url.rfind('.');
  const std::string stem = (dot != std::string::npos && (slash == std::string::npos || dot > slash))
                               ? url.substr(0, dot)
                               : url;
  static constexpr std::array kExtensions{".kra", ".lrc", ".txt"};
  for (const char* ext : kExtensions) {
    const std::string candidate = stem + ext;
    if (FileExists(candidate)) return candidate;
  }
  return std::string();
}

}  // namespace lumeko
