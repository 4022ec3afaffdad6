// Screenshots of the tool's windows as PNG files, and a message pump to let
// them paint first.
#pragma once

#include <windows.h>

#include <string>

#include "command.h"

namespace lumeko::tool {

// Runs the thread's messages for ms milliseconds.
void PumpMessages(int ms);

// The screen's pixels under a window (it must be shown and on top) as a PNG
// at a CP932 path; false when nothing could be captured or written.
bool CaptureWindow(HWND wnd, const std::string& path);

// --close-after MS and --screenshot DIR of the commands that show windows;
// the folder is made if it is not there.
struct TShowOptions {
  long long CloseAfter = 0;  // ms; 0: stays until closed
  std::string Shots;         // CP932 folder; empty: no screenshots
};
TShowOptions ParseShowOptions(const ParsedArgs& p);

}  // namespace lumeko::tool
