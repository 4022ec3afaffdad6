// libFuzzer target over the outside input the background and colour-scheme
// code reads: a scheme value from the registry (any bytes, any size) and a
// picture pattern list from a lyrics file's tags, with template values.
//
// The first byte picks the input: even, the bytes are a scheme value, handed
// over in a buffer exactly their size so a read past it shows; odd, they are
// a pattern list (UTF-16 units) resolved over an in-memory folder. Inputs are
// capped at 64 KB. Every byte of every answer is read.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "effect/bkgnd_pattern.h"
#include "settings/color_scheme.h"

namespace {

volatile std::uint64_t g_sink;

class TFewPictures final : public lumeko::TPictureFolders {
 public:
  std::vector<std::u16string> FindFiles(const std::u16string& folder, const std::u16string& mask) override {
    Touch(folder), Touch(mask);
    return {u"a.bmp", u"b.JPG", u"c.png", u"d.jpeg"};
  }
  bool FolderExists(const std::u16string& folder) override { return folder.size() % 2 == 0; }
  std::u16string CurrentDirectory() override { return u"C:\\Work"; }
  void Touch(const std::u16string& s) {
    for (char16_t c : s) h = h * 131 + c;
  }
  std::uint64_t h = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1 || size > 65536) return 0;
  std::uint64_t h = 0;
  if (data[0] % 2 == 0) {
    std::unique_ptr<std::uint8_t[]> value(new std::uint8_t[size - 1]);
    std::copy(data + 1, data + size, value.get());
    if (const auto s = lumeko::DecodeColorScheme({value.get(), size - 1})) {
      for (unsigned char c : s->Font.FontName) h = h * 131 + c;
      h += s->Font.FontStyle + s->Font.FontEffect + s->Font.FontMinSize + s->Color.BackgroundColor;
      for (std::uint8_t b : lumeko::EncodeColorScheme(*s)) h = h * 7 + b;
    }
  } else {
    std::u16string list;
    for (std::size_t i = 1; i + 1 < size; i += 2) list += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    TFewPictures disk;
    const lumeko::TBkGndTemplates values{u"Ti%TLE%", u"lyr.ics", u"%@ALBUM%", u"", u"a\\..\\b"};
    const std::u16string found = lumeko::ResolveBkGndPattern(
        list.substr(0, list.size() / 3), list.substr(list.size() / 3), values, disk,
        [](std::size_t n) { return n - 1; });
    disk.Touch(found);
    disk.Touch(lumeko::ExpandBkGndTemplates(list, values));
    h += disk.h;
  }
  g_sink = h;
  return 0;
}
