// The lyrics document: one lyrics file split into header tags, display lines
// and a timeline of timed entries, plus the background picture schedule.
//
// Texts are CP932 bytes; times are 32-bit milliseconds of tag time (tag time +
// Offset() = playback position). Loading never throws: any failure leaves an
// empty document with the default tags. The lookups by time allocate nothing
// and change nothing, since the renderer calls them on every frame.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "lyrics/tag_list.h"

namespace lumeko {

struct TTimeTag {
  std::int32_t Position = 0;   // byte offset in the display text
  std::int32_t StartTime = 0;  // ms
  std::int32_t EndTime = 0;    // the next tag's start; its own start for the last tag
  std::int32_t Duration = 0;   // EndTime - StartTime
};
using TTimeTagArray = std::vector<TTimeTag>;

struct TLyricsLineInfo {
  std::int32_t LineIndex = 0;
  std::int32_t StartTime = -1;  // -1: the line has no time
  std::int32_t EndTime = 0;
  std::int32_t Duration = 0;
  std::int32_t TextLength = 0;
  TTimeTagArray TimeTags;
};

struct TBgFileEx {
  std::int64_t Time = 0;  // 100-ns units, as the player's position
  std::string FileName;   // as written in the tag
};

// The answer of the lookups by time.
struct TLyricsPosition {
  std::int32_t LineIndex = 0;
  std::int32_t TimelineIndex = 0;
  std::int32_t SegmentStart = 0;
  std::int32_t SegmentEnd = 0;
  std::int32_t TagStart = 0;
  std::int32_t TagEnd = 0;
  std::int32_t TagDuration = 0;
  std::int32_t Progress = 0;  // ten-thousandths of the current tag
};

// Header tags the document knows, by the index GetTag takes.
enum TLyricsTag : int {
  ltArtist = 0,  // "@AIRTIST", spelled so in files
  ltTitle,
  ltAlbum,
  ltBgFile,
  ltBgFolder,
  ltOffset,
  ltAmendTag,
  ltTimeRatio,
  ltTagCount
};
extern const char* const kLyricsTagNames[ltTagCount];

// How a file's tags are read. The native tags are always read; the options
// add other forms on top of them.
struct TLyricsParseOptions {
  bool StandardLrcTags = false;  // "[mm:ss.xx]", "<mm:ss.xx>" and "[ti:…]"-style headers
  bool operator==(const TLyricsParseOptions&) const = default;
};

// GetLinePosition's answer.
enum TLinePositionState : int { lpsBefore = 0, lpsAfter = 1, lpsWithin = 2 };

class TLyricsControl {
 public:
  TLyricsControl() = default;
  TLyricsControl(const TLyricsControl&) = delete;
  TLyricsControl& operator=(const TLyricsControl&) = delete;

  // Empties the document: no file, no lines, Tags = DefaultTags. The
  // background schedule is left as it is.
  void Clear();
  // Reads and parses a file; false (document empty) when it is missing or
  // cannot be read. The background schedule is rebuilt in every case.
  bool LoadFromFile(const std::string& path);
  // The same over content already in memory; fileName is recorded as loaded.
  bool LoadFromText(std::string_view content, const std::string& fileName);

  int LineCount() const { return static_cast<int>(lines_.size()); }
  int TimedLineCount() const { return static_cast<int>(timeline_.size()); }
  // Display texts; empty for an index out of range.
  const std::string& GetLine(int index) const;
  const std::string& GetTimedLine(int index) const;
  const std::string& GetText(bool timed, int index) const {
    return timed ? GetTimedLine(index) : GetLine(index);
  }
  // Records of a line and of a timeline entry; null out of range.
  const TLyricsLineInfo* GetLineInfo(int index) const;
  const TLyricsLineInfo* GetTimelineInfo(int index) const;

  // Value of a known tag (TLyricsTag), empty when absent or out of range.
  std::string GetTag(int tagIndex) const;
  const TTagList& Tags() const { return tags_; }
  TTagList& DefaultTags() { return defaultTags_; }
  const TTagList& DefaultTags() const { return defaultTags_; }

  const std::string& FileName() const { return fileName_; }
  // The last load failed for want of memory (not for a missing or bad
  // file): trying again later may load it.
  bool OutOfMemory() const { return outOfMemory_; }
  bool HasWordTags() const { return hasWordTags_; }
  std::int32_t Offset() const { return offset_; }
  std::int32_t DefaultOffset() const { return defaultOffset_; }
  bool DefaultAmendLineEnd() const { return defaultAmendLineEnd_; }

  // Settings that act on parsing. The offset applies at once; a change of the
  // line-end rule reloads the file when the file leaves the choice to it.
  void SetDefaultOffset(std::int32_t ms);
  void SetAmendLineEnd(bool amend);
  // The tag forms to read; a change reloads the loaded file, since its lines
  // and timeline depend on them.
  void SetParseOptions(const TLyricsParseOptions& options);
  const TLyricsParseOptions& ParseOptions() const { return options_; }

  int BgFileCount() const { return static_cast<int>(bgFiles_.size()); }
  TBgFileEx GetBgFile(int index) const;
  const std::vector<TBgFileEx>& BgFiles() const { return bgFiles_; }

  // Lookups by playback position (ms). See lyrics_lookup.cpp.
  bool FindByTime(std::int32_t positionMs, TLyricsPosition& pos) const;
  int GetLinePosition(int timelineIndex, std::int32_t positionMs, TLyricsPosition& pos) const;
  bool GetTagAtPosition(int timelineIndex, std::int32_t textPosition, TLyricsPosition& pos) const;

 private:
  struct Line {
    std::string Text;
    TLyricsLineInfo* Info;
  };

  void Parse(std::string_view content);
  void ReadLines(std::string_view content, std::vector<std::string_view>& out) const;
  void ApplyHeaderLine(std::string_view trimmed);
  void ScanLine(std::string_view raw, double ratio, Line& line);
  void SplitRepeatedTags();
  void FinishTimeline();
  void BuildBgSchedule();
  // What a failed load leaves: no file, no lines, the default tags and
  // their picture (no tags and no picture when even those cannot be made).
  void FallBackToDefaults() noexcept;
  std::int32_t OffsetFromTags() const;

  std::string fileName_;
  bool outOfMemory_ = false;
  std::vector<Line> lines_;
  std::vector<TLyricsLineInfo*> timeline_;
  // Start times of timeline_ side by side, so the per-frame search touches one
  // small array instead of a record a probe.
  std::vector<std::int32_t> timelineStarts_;
  std::deque<TLyricsLineInfo> records_;  // owns every record of lines_ and timeline_
  TTagList tags_;
  bool hasWordTags_ = false;
  std::int32_t offset_ = 0;
  std::int32_t defaultOffset_ = 0;
  bool defaultAmendLineEnd_ = true;
  TLyricsParseOptions options_;
  std::vector<TBgFileEx> bgFiles_;
  TTagList defaultTags_;
};

}  // namespace lumeko
