// Folder, name and extension of CP932 paths (see path_parts.h).
#include "platform/path_parts.h"

#include "platform/cp932.h"

namespace lumeko {

namespace {

// Position of the extension's dot in path, or npos. '.' is never the
// second byte of a CP932 character, so a byte search within the name is safe.
size_t ExtensionDot(std::string_view path) {
  const size_t start = FileNameStart(path);
  const size_t dot = path.rfind('.');
  return dot == std::string_view::npos || dot < start ? std::string_view::npos : dot;
}

}  // namespace

size_t FileNameStart(std::string_view path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); i += CharLength(path, i))
    if (path[i] == '\\' || path[i] == ':') start = i + 1;
  return start;
}

std::string FolderOf(std::string_view path) { return std::string(path.substr(0, FileNameStart(path))); }

std::string FileNameOf(std::string_view path) { return std::string(path.substr(FileNameStart(path))); }

std::string BaseNameOf(std::string_view path) {
  const size_t start = FileNameStart(path);
  const size_t dot = ExtensionDot(path);
  return std::string(path.substr(start, (dot == std::string_view::npos ? path.size() : dot) - start));
}

std::string ExtensionOf(std::string_view path) {
  const size_t dot = ExtensionDot(path);
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string WithExtension(std::string_view path, std::string_view ext) {
  const size_t dot = ExtensionDot(path);
  std::string out(path.substr(0, dot == std::string_view::npos ? path.size() : dot));
  out += ext;
  return out;
}

}  // namespace lumeko
