// The tag-defaults file beside the effect module.
//
// Lines NAME=VALUE (typically header tags such as @BGFILE or @OFFSET) that
// every lyrics document starts from. The file is read once, when an effect
// object is made: upper-cased, sorted, and of the lines sharing one name only
// the first kept. A missing or unreadable file means no defaults, never an
// error.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "lyrics/tag_list.h"

namespace lumeko {

// The module's path with its extension replaced by ".@tag". Paths are
// UTF-16: the module may sit in a folder that CP932 cannot spell.
std::wstring TagFilePathFor(const std::wstring& modulePath);

// The file's lines prepared as above, or nothing when there is no file.
std::optional<std::vector<std::string>> ReadTagDefaults(const std::wstring& tagFilePath);

// The part of an entry before its first '=' (the whole entry without one).
std::string TagEntryName(const std::string& entry);

// The tag file beside the module at modulePath as a tag list, or null when
// there is none. Entries without a value hold nothing and are left out; a
// list cannot keep them, so blankBgFile (when given) tells whether the kept
// "@BGFILE" line was one of them: the file then asks for no default picture.
std::unique_ptr<TTagList> LoadTagDefaults(const std::wstring& modulePath, bool* blankBgFile = nullptr);

}  // namespace lumeko
