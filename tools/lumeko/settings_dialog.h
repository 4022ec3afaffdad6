// lumeko settings --dialog: the effect's property page on its own.
#pragma once

#include "command.h"

namespace lumeko::tool {

// Opens the page as a top-level window and waits until it is closed (OK
// stores, Cancel does not). --screenshot DIR captures each tab, the open
// draw-mode list and the scheme-name dialog, then closes with Cancel;
// --close-after MS closes with Cancel after that long. Prints one JSON object.
int RunSettingsDialog(const ParsedArgs& args);

}  // namespace lumeko::tool
