// Where a playback position stands in the document: binary searches over the
// timeline and over one entry's tags, run on every frame.
//
// The search takes an element equal to the wanted time as soon as a probe
// meets it, so among equal start times the probe order decides; callers and
// tests rely on that. Nothing here allocates or changes the document, and all
// arithmetic on times is done in 64 bits so no position can overflow it.
#include <cstdint>
#include <limits>

#include "lyrics/lyrics_control.h"

namespace lumeko {

namespace {

// The wanted element's index, else the last one whose key is below t, else -1.
template <typename KeyAt>
int SearchByStart(int count, std::int64_t t, KeyAt keyAt) {
  int lo = 0, hi = count - 1;
  while (hi >= lo) {
    const int mid = lo + (hi - lo) / 2;
    const std::int64_t key = keyAt(mid);
    if (key == t) return mid;
    // Written as selects: the direction is a coin toss the branch predictor
    // would lose half the time.
    const bool below = key < t;
    lo = below ? mid + 1 : lo;
    hi = below ? hi : mid - 1;
  }
  return lo - 1;
}

std::int32_t Clamp32(std::int64_t v) {
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

// The current tag of entry e (timeline index k) at tag time t.
void FillAt(const TLyricsLineInfo& e, int k, std::int64_t t, TLyricsPosition& pos) {
  const TTimeTagArray& tags = e.TimeTags;
  const int count = static_cast<int>(tags.size());
  int j = SearchByStart(count, t, [&](int i) { return tags[i].StartTime; });
  if (j < 0) j = 0;  // e starts at or before t, so only a damaged entry gets here
  const TTimeTag& tag = tags[j];
  pos.LineIndex = e.LineIndex;
  pos.TimelineIndex = k;
  pos.SegmentStart = pos.SegmentEnd = tag.Position;
  pos.TagStart = tag.StartTime;
  pos.TagEnd = tag.EndTime;
  pos.TagDuration = tag.Duration;
  pos.Progress = 10000;
  if (j + 1 < count) {
    pos.SegmentEnd = tags[j + 1].Position;
    if (tag.Duration > 0) {
      const std::int64_t p = (t - tag.StartTime) * 10000 / tag.Duration;
      pos.Progress = static_cast<std::int32_t>(p < 0 ? 0 : p > 10000 ? 10000 : p);
    }
  }
}

}  // namespace

bool TLyricsControl::FindByTime(std::int32_t positionMs, TLyricsPosition& pos) const {
  const std::int64_t t = static_cast<std::int64_t>(positionMs) - offset_;
  const int k = SearchByStart(static_cast<int>(timelineStarts_.size()), t, [&](int i) { return timelineStarts_[i]; });
  if (k < 0 || timeline_[k]->TimeTags.empty()) return false;
  FillAt(*timeline_[k], k, t, pos);
  return true;
}

int TLyricsControl::GetLinePosition(int timelineIndex, std::int32_t positionMs, TLyricsPosition& pos) const {
  const TLyricsLineInfo* e = GetTimelineInfo(timelineIndex);
  if (!e || e->TimeTags.empty()) return lpsBefore;
  const std::int64_t t = static_cast<std::int64_t>(positionMs) - offset_;
  if (e->TimeTags.back().StartTime < t) {
    pos.LineIndex = e->LineIndex;
    pos.TimelineIndex = timelineIndex;
    pos.SegmentStart = 1;
    pos.SegmentEnd = e->TextLength;
    pos.Progress = 10000;
    return lpsAfter;
  }
  if (e->TimeTags.front().StartTime > t) {
    pos.LineIndex = e->LineIndex;
    pos.TimelineIndex = timelineIndex;
    pos.SegmentStart = 1;
    pos.SegmentEnd = 1;
    pos.Progress = 0;
    return lpsBefore;
  }
  FillAt(*e, timelineIndex, t, pos);
  return lpsWithin;
}

bool TLyricsControl::GetTagAtPosition(int timelineIndex, std::int32_t textPosition, TLyricsPosition& pos) const {
  const TLyricsLineInfo* e = GetTimelineInfo(timelineIndex);
  if (!e) return false;
  const TTimeTagArray& tags = e->TimeTags;
  bool found = false;
  for (size_t i = 0; i < tags.size(); ++i) {
    if (tags[i].Position > textPosition) break;
    pos.LineIndex = e->LineIndex;
    pos.TimelineIndex = timelineIndex;
    pos.SegmentStart = pos.SegmentEnd = tags[i].Position;
    pos.TagStart = Clamp32(static_cast<std::int64_t>(offset_) + tags[i].StartTime);
    pos.TagEnd = Clamp32(static_cast<std::int64_t>(offset_) + tags[i].EndTime);
    pos.TagDuration = tags[i].Duration;
    if (i + 1 < tags.size()) pos.SegmentEnd = tags[i + 1].Position;
    found = true;
    if (textPosition == 0) break;
  }
  return found;
}

}  // namespace lumeko
