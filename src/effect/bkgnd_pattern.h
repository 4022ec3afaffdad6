// Turning a background pattern list into one picture file.
//
// A list holds patterns separated by ";"; each may carry name templates
// (%TITLE%, %LYRICS%, %@AIRTIST%, %@TITLE%, %@ALBUM%, %% for a %), wildcards
// and a name relative to the picture folder. The first pattern that matches a
// BMP or JPEG file gives the result; several matches give one at random.
// Everything is UTF-16, so titles, folders and file names that CP932 cannot
// spell still resolve. The disk is asked only through TPictureFolders and the
// current directory is never changed, so this builds and is tested natively.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumeko {

// What the templates stand for; values are inserted with their own case.
struct TBkGndTemplates {
  std::u16string Title;      // %TITLE%: the media item's name as the player gave it
  std::u16string Lyrics;     // %LYRICS%: the loaded lyrics file's name without extension
  std::u16string Artist;     // %@AIRTIST%: the document's tags
  std::u16string SongTitle;  // %@TITLE%
  std::u16string Album;      // %@ALBUM%
};

// The file system as the resolution sees it. Folders end in '\'.
class TPictureFolders {
 public:
  virtual ~TPictureFolders() = default;
  // Names of the files of folder that the file system matches against mask
  // (its own wildcard rules), in its listing order: plain, read-only and
  // archive files only, never hidden or system files, never folders.
  virtual std::vector<std::u16string> FindFiles(const std::u16string& folder, const std::u16string& mask) = 0;
  virtual bool FolderExists(const std::u16string& folder) = 0;
  // The process's current directory, read only.
  virtual std::u16string CurrentDirectory() = 0;
};

// Chooses among count (at least 2) equally likely matches: an index below count.
using TRandomPick = std::function<std::size_t(std::size_t count)>;

// The pattern upper-cased with its templates replaced: "%%" gives "%", a
// template gives its value, any other "%" goes.
std::u16string ExpandBkGndTemplates(std::u16string_view pattern, const TBkGndTemplates& values);

// The picture file the list names, relative names taken against folder (an
// empty folder stands for the current drive's root), or empty when no pattern
// matches a picture.
std::u16string ResolveBkGndPattern(const std::u16string& folder, std::u16string_view list,
                                   const TBkGndTemplates& values, TPictureFolders& folders,
                                   const TRandomPick& pick);

// True for ".BMP", ".JPG" and ".JPEG" in any letter case.
bool IsPictureExtension(std::u16string_view ext);

}  // namespace lumeko
