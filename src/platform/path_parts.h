// Splitting CP932 paths into folder, name and extension, in one place.
//
// A '\' may be the second byte of a double-byte character (表 is 0x95 0x5C),
// so separators are found by walking the characters, never by searching
// bytes. '\' and the ':' of a drive end the folder part (a web address
// keeps its slashes in its name, so it never names a local file); the
// extension runs from the last '.' of the name part. Pure text: no file is
// touched.
#pragma once

#include <string>
#include <string_view>

namespace lumeko {

// Where the name part begins: just past the last separator (0 when none).
size_t FileNameStart(std::string_view path);

// The folder part with its trailing separator ("" when none).
std::string FolderOf(std::string_view path);
// The name part ("C:\a\song.mp3" gives "song.mp3").
std::string FileNameOf(std::string_view path);
// The name part without its extension ("song").
std::string BaseNameOf(std::string_view path);
// The extension with its dot (".mp3"), "" when the name has none.
std::string ExtensionOf(std::string_view path);
// The path with its extension replaced by ext (which carries its dot), or
// ext appended when the name has none.
std::string WithExtension(std::string_view path, std::string_view ext);
// The same on a UTF-16 path (a module's path may be outside CP932).
std::u16string WithExtension(std::u16string_view path, std::u16string_view ext);

}  // namespace lumeko
