// libFuzzer target over the lyrics parser and its lookups by time.
//
// Inputs are capped at 1 MB as real lyrics files are far smaller; the first
// byte also picks the settings (amend, offset, LRC tags) so every parse path
// is taken.
// Every field of every record and every byte of every text is read, so
// uninitialised data or a dangling record shows under the sanitizers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lyrics/lyrics_control.h"
#include "lyrics/path_expand.h"
#include "lyrics/text_helpers.h"

namespace {

volatile std::uint64_t g_sink;

void Touch(std::string_view s, std::uint64_t& h) {
  for (unsigned char c : s) h = h * 131 + c;
}

// Mixing in unsigned arithmetic: the values may be anywhere in the 32-bit range.
void Mix(std::uint64_t& h, std::int32_t v) { h = h * 31 + static_cast<std::uint32_t>(v); }

void Touch(const lumeko::TLyricsLineInfo& e, std::uint64_t& h) {
  for (std::int32_t v : {e.LineIndex, e.StartTime, e.EndTime, e.Duration, e.TextLength}) Mix(h, v);
  for (const lumeko::TTimeTag& t : e.TimeTags)
    for (std::int32_t v : {t.Position, t.StartTime, t.EndTime, t.Duration}) Mix(h, v);
}

void Touch(const lumeko::TLyricsPosition& p, std::uint64_t& h) {
  for (std::int32_t v : {p.LineIndex, p.TimelineIndex, p.SegmentStart, p.SegmentEnd, p.TagStart, p.TagEnd,
                         p.TagDuration, p.Progress})
    Mix(h, v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > (1u << 20)) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::uint8_t flags = size > 0 ? data[0] : 0;

  lumeko::TLyricsControl doc;
  doc.DefaultTags().SetValue("@BGFILE", "default.jpg");
  doc.SetAmendLineEnd((flags & 1) != 0);
  doc.SetDefaultOffset((flags & 2) ? -1000 : 250);
  doc.SetParseOptions(lumeko::TLyricsParseOptions{(flags & 4) != 0});
  if (!doc.LoadFromText(input, "fuzz.kra")) __builtin_trap();  // parsing content never fails

  std::uint64_t h = doc.HasWordTags();
  Mix(h, doc.Offset());
  for (int i = 0; i < doc.LineCount(); ++i) {
    Touch(doc.GetLine(i), h);
    const lumeko::TLyricsLineInfo* e = doc.GetLineInfo(i);
    Touch(*e, h);
    if (e->LineIndex != i || e->TextLength != static_cast<int>(doc.GetLine(i).size())) __builtin_trap();
  }
  for (int k = 0; k < doc.TimedLineCount(); ++k) {
    const lumeko::TLyricsLineInfo* e = doc.GetTimelineInfo(k);
    Touch(*e, h);
    Touch(doc.GetTimedLine(k), h);
    if (e->TimeTags.empty()) __builtin_trap();
    lumeko::TLyricsPosition pos;
    const std::int32_t middle = static_cast<std::int32_t>((static_cast<std::int64_t>(e->StartTime) + e->EndTime) / 2);
    for (std::int32_t p : {e->StartTime, e->EndTime, middle}) {
      h += doc.GetLinePosition(k, p, pos);
      Touch(pos, h);
      if (doc.FindByTime(p, pos)) Touch(pos, h);
      if (pos.Progress < 0 || pos.Progress > 10000) __builtin_trap();
    }
    for (std::int32_t at : {0, e->TextLength / 2, 2147483647})
      if (doc.GetTagAtPosition(k, at, pos)) Touch(pos, h);
  }
  for (const auto& t : doc.Tags().Entries()) {
    Touch(t.Name, h);
    Touch(t.Value, h);
  }
  for (int i = 0; i < doc.BgFileCount(); ++i) {
    const lumeko::TBgFileEx f = doc.GetBgFile(i);
    h += static_cast<std::uint64_t>(f.Time);
    Touch(f.FileName, h);
  }
  for (int i = 0; i < lumeko::ltTagCount; ++i) Touch(doc.GetTag(i), h);

  // The text helpers take the same bytes.
  const std::string_view head = input.substr(0, 4096);
  for (const std::string& item : lumeko::SplitDelimited(head, ";")) Touch(item, h);
  h += lumeko::FindFirstOf("\t =", head) + lumeko::ParseBoolWord(head.substr(0, 8)).value_or(false);
  const size_t cut = head.find('|');
  if (cut != std::string_view::npos)
    Touch(lumeko::ExpandRelativePathIn(std::string(head.substr(0, cut)), std::string(head.substr(cut + 1)),
                                       "C:\\Work", nullptr),
          h);
  g_sink = h;
  return 0;
}
