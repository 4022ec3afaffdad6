// The karaoke layout: timed lines broken into rows, each planned onto a
// screen row once, and the screen rows that show them frame by frame.
//
// Row breaking, measuring and the interpolated start times are computed once
// per layout; which screen row a row goes to is planned then too, so a frame
// only walks the queue head and the few screen rows. The slot machinery here
// (reset, queue, expiry, filling) decides what is on screen from the position
// alone; drawing it is the painter's (karaoke.h). No GDI here: it measures
// through TTextMeasurer, so it builds and runs natively as well. Nothing here
// allocates per frame.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "lyrics/lyrics_control.h"
#include "render/line_metrics.h"
#include "render/text_measurer.h"
#include "settings/setup_info.h"

namespace lumeko {

struct TKaraokeLineData;

// One row of a line, as planned.
struct TKaraokeItemData {
  std::int32_t Serial = 0;      // running number over the whole layout
  std::string Text;
  std::int32_t LineOffset = 0;  // total width of the line's earlier rows
  std::int32_t Slot = -1;       // screen row planned for it
  std::int32_t X = 0;           // left edge in frame pixels
  std::int32_t Width = 0;
  TKaraokeLineData* Line = nullptr;
  std::int32_t StartTime = 0;   // ms when singing reaches its first byte; 0: no tag before it
};

// One timed line, in timeline order.
struct TKaraokeLineData {
  std::int32_t TimedIndex = 0;
  std::vector<TKaraokeItemData> Items;
  std::int32_t Width = 0;       // the whole unwrapped line; 0 for an empty line
  std::int32_t StartTime = 0;   // its first row's
  std::int32_t EndTime = 0;     // its last time tag's
  std::int32_t ItemCount() const { return static_cast<std::int32_t>(Items.size()); }
};

// Screen row states: free, row assigned, drawn unsung, partly sung, sung.
enum TKaraokeRowState : std::uint8_t { krs_Free = 0, krs_Assigned, krs_Drawn, krs_PartlySung, krs_Sung };

struct TKaraokeRowSlot {
  std::uint8_t State = krs_Free;
  std::int32_t Y = 0;               // top of the screen row
  std::int32_t SungWidth = -1;      // sung pixels inside this row; -1 until computed
  TKaraokeItemData* Item = nullptr;
  std::int32_t DoneTime = -1;       // ms when it became fully sung
  bool NeedsRedraw = false;
  bool Replaceable = false;
};

// Rows waiting for their screen row, first in first out. Emptying keeps the
// storage, so refilling after a jump allocates nothing.
class TKaraokeQueue {
 public:
  bool Empty() const { return head_ == items_.size(); }
  TKaraokeItemData* Front() const { return items_[head_]; }
  void Push(TKaraokeItemData* item) { items_.push_back(item); }
  void Pop() { ++head_; }
  void Clear() {
    items_.clear();
    head_ = 0;
  }
  size_t Size() const { return items_.size() - head_; }

 private:
  std::vector<TKaraokeItemData*> items_;
  size_t head_ = 0;
};

// Everything the karaoke mode keeps between frames, besides the line and
// time bookkeeping of TDrawData.
struct TKaraokeState {
  std::deque<TKaraokeLineData> KaraokeLines;  // a deque: rows point at their line
  std::vector<TKaraokeRowSlot> RowSlots;
  TKaraokeQueue KaraokeQueue;
  TLineMetrics KaraokeMetrics;
  // An empty timed line has been reached since the last row was placed: sung
  // rows go as soon as their line ends. Held per effect object, so two
  // players in one process never disturb each other.
  bool EmptyLineReached = false;
  bool LaidOut = false;    // a layout exists (FreeKaraokeLayout drops it)
  bool ShowsRows = false;  // rows have been drawn since the background was
  bool Stopped = false;    // the last frame was a stopped player's
};

// The timing settings as the slots use them: a negative value counts as 0.
struct TKaraokeTiming {
  std::int64_t AutoHidePause = 0;   // ActiveAutoHidePause
  std::int64_t ShortHidePause = 0;  // ActiveShortHidePause
  std::int64_t FetchTime = 0;       // KaraokeFetchTime
  std::int64_t InterruptLimit = 0;  // KaraokeInterruptLimit
};
TKaraokeTiming KaraokeTimingOf(const TSetupInfo& setup);

// Breaks every timed line into rows, plans their screen rows and makes the
// slots for a width × height frame. The measurer is left at the karaoke font
// size (KaraokeMetrics.FontSize).
void LayoutKaraoke(TKaraokeState& state, TTextMeasurer& m, const TLyricsControl& lyrics, const TSetupInfo& setup,
                   int width, int height);
// Drops lines, rows, slots and the queue.
void FreeKaraokeLayout(TKaraokeState& state);

// Every slot free and the queue empty; earliestOpenLine -1.
void ResetRowSlots(TKaraokeState& state, std::int32_t& earliestOpenLine);
// Queues the line's planned rows.
void EnqueueLineRows(TKaraokeState& state, TKaraokeLineData& line);
// Frees the sung rows whose pause is over and marks those that may be
// replaced; true when a slot was freed.
bool ExpireRowSlots(TKaraokeState& state, std::int32_t t, const TKaraokeTiming& timing,
                    std::int32_t earliestOpenLine);
// Moves queued rows into their screen rows when their time has come; true
// when a row was placed.
bool FillRowSlots(TKaraokeState& state, std::int32_t t, const TKaraokeTiming& timing);

}  // namespace lumeko
