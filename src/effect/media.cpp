// Media changes: recording the player's announcement and, on the next
// frame, loading the lyrics that belong to it.
//
// SetMedia only records; LoadLyrics runs at the start of the next frame,
// clears MediaPending even when a step raises (so a bad item is not retried
// every frame, unless memory ran out), and then brings the background
// schedule in line.
// FindLyricsFile is where the lyrics search answers, over the system's folders.
#include <new>

#include "effect/search_options.h"
#include "effect/viz_lumeko.h"
#include "platform/cp932.h"
#include "platform/folder_source.h"
#include "platform/path_parts.h"
#include "platform/wide.h"

namespace lumeko {

// Compared as the player gave them: two titles outside code page 932 (Hangul,
// say) are different songs even though both would convert to "???".
void TVizLumeko::SetMedia(const std::wstring* title, const std::wstring* url) {
  if ((!title || *title == MediaTitleWide) && (!url || *url == MediaUrlWide)) return;
  MediaTitleWide = title ? *title : std::wstring();
  MediaUrlWide = url ? *url : std::wstring();
  MediaTitle = FromWide(MediaTitleWide);
  MediaUrl = FromWide(MediaUrlWide);
  MediaPending = true;
  LastTimeStamp = 0;
}

void TVizLumeko::LoadLyrics() {
  // A bad item is not tried again every frame; one that memory ran out for
  // is, rather than being shown as a song without lyrics.
  struct ClearPending {
    bool& pending;
    bool keep = false;
    ~ClearPending() {
      if (!keep) pending = false;
    }
  } clear{MediaPending};
  try {
    LoadPendingLyrics();
  } catch (const std::bad_alloc&) {
    clear.keep = true;
    throw;
  }
}

void TVizLumeko::LoadPendingLyrics() {
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
  if (Lyrics->OutOfMemory()) throw std::bad_alloc();

  LyricsBaseName = BaseNameOf(Lyrics->FileName());

  Changes |= cf_Lyrics;
  LoadBackground(std::string());
  ApplyFontSetup();
  MediaPending = false;
  ResolveBkGndFiles();
}

std::string TVizLumeko::FindLyricsFile(const std::string& title, const std::string& url) {
  // A title that is no valid pattern simply finds nothing; memory running
  // out raises.
  return FindLyricsFor(SearchOptionsFrom(Setup.File), title, url, SystemFolders()).File;
}

}  // namespace lumeko
