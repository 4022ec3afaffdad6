// Folder, name and extension of CP932 paths (see path_parts.h).
#include "platform/path_parts.h"

#include "platform/cp932.h"

namespace lumeko {

namespace {

// Characters are whole CP932 characters in byte text and code units in
// UTF-16, where no separator or dot is ever half of a surrogate pair.
size_t Step(std::string_view text, size_t i) { return CharLength(text, i); }
size_t Step(std::u16string_view, size_t) { return 1; }

template <typename View>
size_t NameStart(View path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); i += Step(path, i))
    if (path[i] == '\\' || path[i] == ':') start = i + 1;
  return start;
}

// Position of the extension's dot in path, or npos. '.' is never the
// second byte of a CP932 character, so a search within the name is safe.
template <typename View>
size_t ExtensionDot(View path) {
  const size_t start = NameStart(path);
  const size_t dot = path.rfind('.');
  return dot == View::npos || dot < start ? View::npos : dot;
}

template <typename View>
std::basic_string<typename View::value_type> Replaced(View path, View ext) {
  const size_t dot = ExtensionDot(path);
  std::basic_string<typename View::value_type> out(path.substr(0, dot == View::npos ? path.size() : dot));
  out += ext;
  return out;
}

}  // namespace

size_t FileNameStart(std::string_view path) { return NameStart(path); }

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

std::string WithExtension(std::string_view path, std::string_view ext) { return Replaced(path, ext); }

std::u16string WithExtension(std::u16string_view path, std::u16string_view ext) { return Replaced(path, ext); }

}  // namespace lumeko
