// Media changes: recording the player's announcement and, on the next
// frame, loading the lyrics that belong to it.
//
// SetMedia only records; LoadLyrics runs at the start of the next frame,
// clears MediaPending even when a step raises (so a bad item is not retried
// every frame), and then brings the background schedule in line.
// FindLyricsFile is where the lyrics search answers. A build without the
// lyrics search (its pattern engine not yet present) finds only the file
// beside the media that has the media's own name with a lyrics extension.
#include <array>

#include "effect/viz_lumeko.h"
#include "platform/cp932.h"
#ifdef LUMEKO_LYRICS_SEARCH
#include "effect/media_change.h"
#endif
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
    // The setting fills in only where the file names no picture line at all.
    if (!TagDefaults->Has("@BGFILE") && !TagDefaultsBlankBgFile && !bgFile.empty())
      TagDefaults->SetValue("@BGFILE", bgFile);
    Lyrics->DefaultTags() = *TagDefaults;
  } else {
    Lyrics->DefaultTags().SetValue("@BGFILE", bgFile);  // an empty setting removes it
  }

  const std::string path = FindLyricsFile(MediaTitle, MediaUrl);
  Lyrics->LoadFromFile(path);

  // The name part ends at a real '\' or ':', never at the second byte of a
  // character such as 表.
  const std::string& loaded = Lyrics->FileName();
  size_t nameStart = 0;
  for (size_t i = 0; i < loaded.size(); i += CharLength(loaded, i))
    if (loaded[i] == '\\' || loaded[i] == '/' || loaded[i] == ':') nameStart = i + 1;
  std::string base = loaded.substr(nameStart);
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
#ifdef LUMEKO_LYRICS_SEARCH
  // Never throws: a title that is no valid pattern simply finds nothing.
  return FindLyricsFor(SearchOptionsFrom(Setup.File), title, url).File;
#else
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
#endif
}

}  // namespace lumeko
