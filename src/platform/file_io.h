// Whole-file reads and existence tests by CP932 path.
//
// The portable parts read files only through here, so they build natively
// (path given to the C library as UTF-8) and on Windows (path converted to
// UTF-16 for the W API, never through the ANSI code page).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lumeko {

// Files larger than this are refused: a lyrics file or a tag file that big is
// not one, and reading it would only exhaust memory.
constexpr std::uint64_t kMaxFileReadBytes = 256ull * 1024 * 1024;

// The whole content, or nothing when the file cannot be opened or read or is
// larger than maxBytes.
std::optional<std::string> ReadWholeFile(const std::string& cp932Path,
                                         std::uint64_t maxBytes = kMaxFileReadBytes);

// The same into content, reusing its memory when it is large enough (for a
// caller that reads file after file of similar size); false, with content
// emptied, where the other gives nothing.
bool ReadWholeFile(const std::string& cp932Path, std::string& content, std::uint64_t maxBytes = kMaxFileReadBytes);

// True when the path names an existing file (not a folder).
bool FileExists(const std::string& cp932Path);

// The same by a UTF-16 path, for paths that CP932 cannot spell (the
// module's own folder may be named in any script).
std::optional<std::string> ReadWholeFile(const std::u16string& path, std::uint64_t maxBytes = kMaxFileReadBytes);
bool ReadWholeFile(const std::u16string& path, std::string& content, std::uint64_t maxBytes = kMaxFileReadBytes);
bool FileExists(const std::u16string& path);

// True when the path names an existing folder.
bool FolderExists(const std::string& cp932Path);

// The process's current directory (read only; nothing here changes it).
std::string CurrentDirectory();

}  // namespace lumeko
