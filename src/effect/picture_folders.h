// The system's folders as background pattern resolution sees them.
//
// FindFirstFileExW answers the wildcard masks, so '?', '*' and the short 8.3
// names match as the system matches them; hidden and system files and folders
// are never offered. Names stay UTF-16 throughout.
#pragma once

#include "effect/bkgnd_pattern.h"

namespace lumeko {

TPictureFolders& SystemPictureFolders();

}  // namespace lumeko
