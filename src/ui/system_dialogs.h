// The system's dialogs as the property page uses them: the folder browser,
// the picture open dialog and the colour dialog, and how a chosen folder is
// written into a list of folders.
//
// Paths stay UTF-16 here; the page decides what it can store. Each dialog
// answers nothing when the user cancels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace lumeko {

// File-system folders only, titled title (CP932), opening at start.
std::optional<std::wstring> BrowseForFolder(HWND owner, const std::string& title, const std::wstring& start);

// A picture to open, through the filter "Name|patterns|Name|patterns"
// (CP932); it starts at start when that file exists, else in folder.
std::optional<std::wstring> OpenPictureFile(HWND owner, const std::string& filter, const std::wstring& start,
                                            const std::wstring& folder);

// The colour dialog, fully opened, starting at color (0x00BBGGRR or a system
// colour, shown as what it is now).
std::optional<std::uint32_t> ChooseColour(HWND owner, std::uint32_t color);

// A folder as one entry of a ";"-separated list: enclosed in double quotes
// when it holds a blank (double quotes inside doubled), as it is otherwise.
std::wstring QuoteFolder(const std::wstring& folder);

}  // namespace lumeko
