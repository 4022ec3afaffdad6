// Loading a lyrics file: lines, header tags, time tags, the timeline.
//
// The parse works on views into the file's bytes and touches each byte a
// small constant number of times; records live in one deque so the timeline
// can point at them. Every step is linear or n log n in the size of the file,
// including files of a million tags on one line or a million header lines.
#include "lyrics/lyrics_control.h"

#include <algorithm>
#include <limits>
#include <new>
#include <optional>

#include "lyrics/lrc_tag.h"
#include "lyrics/merge_sort.h"
#include "lyrics/text_helpers.h"
#include "lyrics/time_tag.h"
#include "platform/cp932.h"
#include "platform/file_io.h"

namespace lumeko {

const char* const kLyricsTagNames[ltTagCount] = {"@AIRTIST", "@TITLE",  "@ALBUM",    "@BGFILE",
                                                 "@BGFOLDER", "@OFFSET", "@AMENDTAG", "@TIMERATIO"};

namespace {

const std::string kEmpty;

std::string_view TrimControls(std::string_view t) {
  while (!t.empty() && static_cast<unsigned char>(t.front()) <= 0x20) t.remove_prefix(1);
  while (!t.empty() && static_cast<unsigned char>(t.back()) <= 0x20) t.remove_suffix(1);
  return t;
}

// Differences of clamped times can leave the 32-bit range; they are held at its
// ends rather than wrapped.
std::int32_t ClampedDiff(std::int32_t a, std::int32_t b) {
  const std::int64_t d = static_cast<std::int64_t>(a) - b;
  if (d > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (d < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(d);
}

// The order of lines and of timeline entries: timed records by start time, the
// rest (and equal starts) by place in the file. Keys are copied out of the
// records so the sort runs over one compact array.
struct SortKey {
  std::int32_t StartTime;
  std::int32_t LineIndex;
  std::uint32_t Slot;
};

bool EarlierLine(const SortKey& a, const SortKey& b) {
  if (a.StartTime >= 0 && b.StartTime >= 0 && a.StartTime != b.StartTime) return a.StartTime < b.StartTime;
  return a.LineIndex < b.LineIndex;
}

// The new order of items as slots of the old, or empty when it is already in
// order (the usual case: files are written in time order).
template <typename T, typename RecordOf>
std::vector<std::uint32_t> SortedOrder(const std::vector<T>& items, RecordOf recordOf) {
  std::vector<SortKey> keys;
  keys.reserve(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    const TLyricsLineInfo* r = recordOf(items[i]);
    keys.push_back(SortKey{r->StartTime, r->LineIndex, static_cast<std::uint32_t>(i)});
  }
  // Sorted for every pair, not just neighbours (the order is not transitive
  // around untimed lines): places rising and timed starts never falling.
  bool inOrder = true;
  std::int32_t lastStart = -1;
  for (size_t i = 0; i < keys.size() && inOrder; ++i) {
    if (i > 0 && keys[i].LineIndex <= keys[i - 1].LineIndex) inOrder = false;
    if (keys[i].StartTime >= 0) {
      if (keys[i].StartTime < lastStart) inOrder = false;
      lastStart = keys[i].StartTime;
    }
  }
  if (inOrder) return {};
  MergeSort(keys, EarlierLine);
  std::vector<std::uint32_t> order;
  order.reserve(keys.size());
  for (const SortKey& k : keys) order.push_back(k.Slot);
  return order;
}

// Drops tags that go back in time and the inner tags of a run at one
// position (the first and the last of the run stay). One pass, in place: the
// tag after the current one is always still the original.
void CleanTags(TTimeTagArray& tags) {
  const size_t n = tags.size();
  if (n < 2) return;
  size_t kept = 1;
  for (size_t r = 1; r < n; ++r) {
    const TTimeTag t = tags[r];
    if (t.StartTime < tags[kept - 1].StartTime) continue;
    if (r + 1 < n && tags[kept - 1].Position == tags[r + 1].Position) continue;
    tags[kept++] = t;
  }
  tags.resize(kept);
}

// The background schedule's order: an exchange sort whose handling of equal
// times decides which of two pictures of one moment comes last. Beyond a size
// no real file reaches, a stable sort keeps the cost bounded.
void SortSchedule(std::vector<TBgFileEx>& files) {
  constexpr size_t kExchangeSortLimit = 2048;
  if (files.size() > kExchangeSortLimit) {
    std::stable_sort(files.begin(), files.end(),
                     [](const TBgFileEx& a, const TBgFileEx& b) { return a.Time < b.Time; });
    return;
  }
  for (size_t i = 0; i + 1 < files.size(); ++i)
    for (size_t j = i + 1; j < files.size(); ++j)
      if (files[j].Time < files[i].Time) std::swap(files[i], files[j]);
}

}  // namespace

void TLyricsControl::Clear() {
  fileName_.clear();
  hasWordTags_ = false;
  timeline_.clear();
  timelineStarts_.clear();
  lines_.clear();
  records_.clear();
  tags_ = defaultTags_;
}

bool TLyricsControl::LoadFromFile(const std::string& path) {
  outOfMemory_ = false;
  std::optional<std::string> content;
  try {
    if (FileExists(path)) content = ReadWholeFile(path);
  } catch (const std::bad_alloc&) {
    outOfMemory_ = true;
  } catch (...) {
  }
  if (!content) {
    FallBackToDefaults();
    return false;
  }
  return LoadFromText(*content, path);
}

bool TLyricsControl::LoadFromText(std::string_view content, const std::string& fileName) {
  outOfMemory_ = false;
  const std::int32_t offset = offset_;
  try {
    Clear();
    Parse(content);
    offset_ = OffsetFromTags();
    fileName_ = fileName;
    BuildBgSchedule();
    return true;
  } catch (const std::bad_alloc&) {
    outOfMemory_ = true;
  } catch (...) {
  }
  // The whole document or none: never one without its pictures, or with the
  // offset of tags it no longer has (a failed load keeps the offset, as a
  // missing file does).
  offset_ = offset;
  FallBackToDefaults();
  return false;
}

void TLyricsControl::FallBackToDefaults() noexcept {
  fileName_.clear();
  hasWordTags_ = false;
  timeline_.clear();
  timelineStarts_.clear();
  lines_.clear();
  records_.clear();
  try {
    tags_ = defaultTags_;
    BuildBgSchedule();
  } catch (...) {
    tags_.Clear();
    bgFiles_.clear();
  }
}

void TLyricsControl::ReadLines(std::string_view content, std::vector<std::string_view>& out) const {
  const char* const data = content.data();
  const size_t n = content.size();
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    const char c = data[i];
    if (c != '\n' && c != '\r') continue;
    out.emplace_back(data + start, i - start);
    if (c == '\r' && i + 1 < n && data[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) out.emplace_back(data + start, n - start);
}

void TLyricsControl::ApplyHeaderLine(std::string_view trimmed) {
  const size_t eq = trimmed.find('=');
  if (eq == std::string_view::npos) return;  // no value: the line just goes
  // The name ends at the first TAB, space or '='; '=' exists, so this is found.
  const size_t nameEnd = FindFirstOf("\t =", trimmed) - 1;
  std::string_view value = trimmed.substr(eq + 1);
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  tags_.SetValue(UpperAscii(trimmed.substr(0, nameEnd)), value);
}

void TLyricsControl::ScanLine(std::string_view raw, double ratio, Line& line) {
  const std::string_view text = TrimControls(raw);
  TLyricsLineInfo& rec = *line.Info;
  std::string& display = line.Text;
  display.reserve(text.size());
  const size_t n = text.size();
  // Room for every possible tag and the end tag, so the array grows once.
  const bool lrc = options_.StandardLrcTags;
  const size_t brackets = static_cast<size_t>(std::count(text.begin(), text.end(), '[')) +
                          (lrc ? static_cast<size_t>(std::count(text.begin(), text.end(), '<')) : 0);
  if (brackets > 0) rec.TimeTags.reserve(brackets + 2);
  size_t cursor = 0, i = 0;
  for (;;) {
    while (i < n && text[i] != '[' && !(lrc && text[i] == '<')) i += CharLength(text, i);
    if (i >= n) break;
    // LRC word tags count exactly as a native tag at the same place would.
    std::optional<TTimeTagParse> tag;
    if (text[i] == '[') {
      tag = ParseTimeTag(text, i);
      if (!tag && lrc) tag = ParseLrcTimeTag(text, i, '[', ']');
    } else {
      tag = ParseLrcTimeTag(text, i, '<', '>');
    }
    if (!tag) {
      ++i;
      continue;
    }
    display.append(text.substr(cursor, i - cursor));
    TTimeTag t;
    t.Position = static_cast<std::int32_t>(display.size());
    t.StartTime = ScaleTagTime(tag->Time, ratio);
    if (!rec.TimeTags.empty() && rec.TimeTags.back().Position != t.Position) hasWordTags_ = true;
    rec.TimeTags.push_back(t);
    i += tag->Length;
    cursor = i;
  }
  display.append(text.substr(cursor));
  rec.TextLength = static_cast<std::int32_t>(display.size());
  if (!rec.TimeTags.empty()) {
    rec.StartTime = rec.TimeTags.front().StartTime;
    rec.EndTime = rec.StartTime;
    timeline_.push_back(&rec);
  }
}

void TLyricsControl::Parse(std::string_view content) {
  // A NUL ends the text.
  const size_t nul = content.find('\0');
  if (nul != std::string_view::npos) content = content.substr(0, nul);

  std::vector<std::string_view> raw;
  raw.reserve(content.size() / 32 + 1);
  ReadLines(content, raw);

  // Header lines may stand anywhere; they leave no line behind.
  size_t kept = 0;
  for (std::string_view line : raw) {
    const std::string_view trimmed = TrimControls(line);
    if (!trimmed.empty() && trimmed.front() == '@') {
      ApplyHeaderLine(trimmed);
    } else if (options_.StandardLrcTags && !trimmed.empty() && trimmed.front() == '[') {
      if (std::optional<TLrcHeader> h = ParseLrcHeaderLine(trimmed))
        tags_.SetValue(h->Name, h->Value);
      else
        raw[kept++] = line;
    } else {
      raw[kept++] = line;
    }
  }
  raw.resize(kept);
  tags_.Sort();

  const double ratio = ParseTimeRatio(tags_.Values(kLyricsTagNames[ltTimeRatio]));
  lines_.reserve(raw.size());
  timeline_.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    TLyricsLineInfo& rec = records_.emplace_back();
    rec.LineIndex = static_cast<std::int32_t>(i);
    lines_.push_back(Line{std::string(), &rec});
    if (!raw[i].empty()) ScanLine(raw[i], ratio, lines_.back());
  }

  if (hasWordTags_) {
    const std::vector<std::uint32_t> order = SortedOrder(lines_, [](const Line& l) { return l.Info; });
    if (!order.empty()) {
      std::vector<Line> sorted;
      sorted.reserve(lines_.size());
      for (std::uint32_t from : order) sorted.push_back(std::move(lines_[from]));
      lines_ = std::move(sorted);
    }
    for (size_t i = 0; i < lines_.size(); ++i) lines_[i].Info->LineIndex = static_cast<std::int32_t>(i);
  } else {
    SplitRepeatedTags();
  }
  const std::vector<std::uint32_t> order = SortedOrder(timeline_, [](TLyricsLineInfo* e) { return e; });
  if (!order.empty()) {
    std::vector<TLyricsLineInfo*> sorted;
    sorted.reserve(timeline_.size());
    for (std::uint32_t from : order) sorted.push_back(timeline_[from]);
    timeline_ = std::move(sorted);
  }
  FinishTimeline();
  timelineStarts_.reserve(timeline_.size());
  for (const TLyricsLineInfo* e : timeline_) timelineStarts_.push_back(e->StartTime);
}

// A line written once with several times (a chorus) gets one timeline entry
// per time, all showing the same line.
void TLyricsControl::SplitRepeatedTags() {
  const size_t lineEntries = timeline_.size();
  for (size_t k = 0; k < lineEntries; ++k) {
    TLyricsLineInfo& rec = *timeline_[k];
    for (size_t j = 1; j < rec.TimeTags.size(); ++j) {
      const TTimeTag& tag = rec.TimeTags[j];
      TLyricsLineInfo& extra = records_.emplace_back();
      extra.LineIndex = rec.LineIndex;
      extra.TextLength = rec.TextLength;
      extra.StartTime = tag.StartTime;
      extra.TimeTags.push_back(TTimeTag{tag.Position, tag.StartTime, 0, 0});
      timeline_.push_back(&extra);
    }
    rec.TimeTags.resize(1);
  }
}

void TLyricsControl::FinishTimeline() {
  const bool amend = ParseBoolWord(tags_.Values(kLyricsTagNames[ltAmendTag])).value_or(defaultAmendLineEnd_);
  const size_t count = timeline_.size();
  for (size_t k = 0; k < count; ++k) {
    TLyricsLineInfo& e = *timeline_[k];
    TTimeTagArray& tags = e.TimeTags;
    const TLyricsLineInfo* next = k + 1 < count ? timeline_[k + 1] : nullptr;
    bool atEnd = false;
    if (hasWordTags_) {
      CleanTags(tags);
      if (tags.front().Position != 0) {
        TTimeTag first = tags.front();
        first.Position = 0;
        tags.insert(tags.begin(), first);
      }
      atEnd = tags.back().Position >= e.TextLength;
    }
    if (!atEnd) {
      // Close the line at the next entry's start (the last one at its own end).
      TTimeTag end;
      end.Position = e.TextLength;
      end.StartTime = next ? next->TimeTags.front().StartTime : tags.back().StartTime;
      tags.push_back(end);
    } else if (amend && next && next->TimeTags.front().StartTime < tags.back().StartTime) {
      // A line end written after the next line's start is pulled back to it.
      tags.back().StartTime = next->TimeTags.front().StartTime;
    }
    for (size_t i = 0; i < tags.size(); ++i) {
      tags[i].EndTime = i + 1 < tags.size() ? tags[i + 1].StartTime : tags[i].StartTime;
      tags[i].Duration = ClampedDiff(tags[i].EndTime, tags[i].StartTime);
    }
    e.StartTime = tags.front().StartTime;
    e.EndTime = tags.back().StartTime;
    e.Duration = ClampedDiff(e.EndTime, e.StartTime);
  }
}

void TLyricsControl::BuildBgSchedule() {
  bgFiles_.clear();
  static constexpr std::string_view kBgFileEx = "@BGFILEEX";
  for (const TTagList::Entry& e : tags_.Entries()) {
    const std::string_view name = e.Name;
    if (name.size() < kBgFileEx.size() || !SameTextAscii(name.substr(0, kBgFileEx.size()), kBgFileEx)) continue;
    if (const auto tag = ParseTimeTag(name, kBgFileEx.size(), '<', '>'))
      bgFiles_.push_back(TBgFileEx{static_cast<std::int64_t>(tag->Time) * 10000, e.Value});
  }
  SortSchedule(bgFiles_);
  if (bgFiles_.empty() || bgFiles_.front().Time > 0)
    bgFiles_.insert(bgFiles_.begin(), TBgFileEx{0, tags_.Values(kLyricsTagNames[ltBgFile])});
}

std::int32_t TLyricsControl::OffsetFromTags() const {
  return ParseInt32(tags_.Values(kLyricsTagNames[ltOffset])).value_or(defaultOffset_);
}

const std::string& TLyricsControl::GetLine(int index) const {
  return index >= 0 && index < LineCount() ? lines_[index].Text : kEmpty;
}

const std::string& TLyricsControl::GetTimedLine(int index) const {
  if (index < 0 || index >= TimedLineCount()) return kEmpty;
  return GetLine(timeline_[index]->LineIndex);
}

const TLyricsLineInfo* TLyricsControl::GetLineInfo(int index) const {
  return index >= 0 && index < LineCount() ? lines_[index].Info : nullptr;
}

const TLyricsLineInfo* TLyricsControl::GetTimelineInfo(int index) const {
  return index >= 0 && index < TimedLineCount() ? timeline_[index] : nullptr;
}

std::string TLyricsControl::GetTag(int tagIndex) const {
  if (tagIndex < 0 || tagIndex >= ltTagCount) return std::string();
  return tags_.Values(kLyricsTagNames[tagIndex]);
}

TBgFileEx TLyricsControl::GetBgFile(int index) const {
  return index >= 0 && index < BgFileCount() ? bgFiles_[index] : TBgFileEx{};
}

void TLyricsControl::SetDefaultOffset(std::int32_t ms) {
  if (ms == defaultOffset_) return;
  defaultOffset_ = ms;
  offset_ = OffsetFromTags();
}

void TLyricsControl::SetParseOptions(const TLyricsParseOptions& options) {
  if (options == options_) return;
  options_ = options;
  if (!fileName_.empty()) {
    const std::string path = fileName_;
    LoadFromFile(path);
  }
}

void TLyricsControl::SetAmendLineEnd(bool amend) {
  if (amend == defaultAmendLineEnd_) return;
  defaultAmendLineEnd_ = amend;
  // Only a file that leaves the line ends to the setting needs parsing again.
  if (!ParseBoolWord(tags_.Values(kLyricsTagNames[ltAmendTag]))) {
    const std::string path = fileName_;
    LoadFromFile(path);
  }
}

}  // namespace lumeko
