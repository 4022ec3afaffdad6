// The lyrics search as the settings ask for it.
//
// A media change looks for lyrics with the file group of the settings; the
// lumeko tool's find command runs the same lookup. The strength is passed
// on as it is stored: the setting × 10.
#pragma once

#include "search/lyrics_search.h"
#include "settings/setup_info.h"

namespace lumeko {

TLyricsSearchOptions SearchOptionsFrom(const TSetupInfo_File& file);

}  // namespace lumeko
