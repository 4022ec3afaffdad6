// Screenshots of the tool's windows as PNG files, and a message pump to let
// them paint first.
#pragma once

#include <windows.h>

#include <string>

namespace lumeko::tool {

// Runs the thread's messages for ms milliseconds.
void PumpMessages(int ms);

// The screen's pixels under a window (it must be shown and on top) as a PNG
// at a CP932 path; false when nothing could be captured or written.
bool CaptureWindow(HWND wnd, const std::string& path);

}  // namespace lumeko::tool
