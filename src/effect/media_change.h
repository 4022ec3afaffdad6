// What a media change asks of the lyrics search, and the tag defaults.
//
// The effect object records a new media item (SetMedia) and, on the next
// frame, finds and loads its lyrics (LoadLyrics, FindLyricsFile; members of
// TVizLumeko, defined in media_change.cpp). The search settings are passed
// to the lyrics search as they are stored: the strength already × 10.
#pragma once

#include "effect/setup_info.h"
#include "search/lyrics_search.h"

namespace lumeko {

TLyricsSearchOptions SearchOptionsFrom(const TSetupInfo_File& file);

}  // namespace lumeko
