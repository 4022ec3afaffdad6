// Loading the lyrics file named on the command line, shared by the commands
// that read one. A file that is missing or unreadable is a usage error, so the
// tool answers it with one line and status 2 instead of an empty document.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "command.h"
#include "lyrics/lyrics_control.h"
#include "platform/file_io.h"

namespace lumeko::tool {

inline std::int32_t ParseMilliseconds(const std::string& text, const char* what) {
  const long long v = ParseInteger(text, what);
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
    throw UsageError{std::string("number out of range for ") + what + ": " + text};
  return static_cast<std::int32_t>(v);
}

// --lrc: the standard LRC tags are read too (the StandardLrcTags setting).
inline void ApplyLrcArg(const ParsedArgs& p, TLyricsControl& doc) {
  if (p.Has("--lrc")) doc.SetParseOptions(TLyricsParseOptions{true});
}

inline void LoadLyricsArg(const std::string& utf8Path, TLyricsControl& doc) {
  const std::string path = PathArg(utf8Path);
  if (!FileExists(path)) throw UsageError{"no such file: " + utf8Path};
  if (!doc.LoadFromFile(path)) throw UsageError{"cannot read: " + utf8Path};
}

}  // namespace lumeko::tool
