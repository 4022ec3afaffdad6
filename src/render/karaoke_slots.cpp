// Karaoke screen rows: which planned row shows where, decided from the
// position alone (see karaoke_layout.h).
//
// A row waits in the queue until its line is about to be sung, then takes its
// planned screen row, once that row is free, replaceable, or the row is due
// too soon to wait. A sung row stays for a pause and is then freed. Times are
// compared in 64 bits, so no pause or fetch time can overflow them.
#include "render/karaoke_layout.h"

namespace lumeko {
namespace {

void FreeSlot(TKaraokeRowSlot& slot) {
  slot.State = krs_Free;
  slot.SungWidth = -1;
  slot.Item = nullptr;
  slot.NeedsRedraw = false;
  slot.Replaceable = false;
  slot.DoneTime = -1;
}

}  // namespace

void ResetRowSlots(TKaraokeState& s, std::int32_t& earliestOpenLine) {
  for (TKaraokeRowSlot& slot : s.RowSlots) FreeSlot(slot);
  earliestOpenLine = -1;
  s.KaraokeQueue.Clear();
}

void EnqueueLineRows(TKaraokeState& s, TKaraokeLineData& line) {
  for (TKaraokeItemData& item : line.Items)
    if (item.Slot >= 0 && item.Slot < static_cast<std::int32_t>(s.RowSlots.size())) s.KaraokeQueue.Push(&item);
}

bool ExpireRowSlots(TKaraokeState& s, std::int32_t t, const TKaraokeTiming& timing, std::int32_t earliestOpenLine) {
  bool changed = false;
  const std::int64_t now = t;
  for (TKaraokeRowSlot& slot : s.RowSlots) {
    if (slot.State != krs_Sung || !slot.Item) continue;
    const TKaraokeLineData& line = *slot.Item->Line;
    const std::int64_t end = line.EndTime;
    if ((s.EmptyLineReached && now >= end) || now >= end + timing.AutoHidePause ||
        (line.TimedIndex < earliestOpenLine && now >= end + timing.ShortHidePause)) {
      FreeSlot(slot);
      changed = true;
    } else if (now >= static_cast<std::int64_t>(slot.DoneTime) + timing.ShortHidePause) {
      slot.Replaceable = true;
    }
  }
  return changed;
}

bool FillRowSlots(TKaraokeState& s, std::int32_t t, const TKaraokeTiming& timing) {
  bool changed = false;
  const std::int64_t now = t;
  while (!s.KaraokeQueue.Empty()) {
    TKaraokeItemData& row = *s.KaraokeQueue.Front();
    const TKaraokeLineData& line = *row.Line;
    if (line.Width == 0) {
      // An empty line passes when its time comes: from then on sung rows go
      // as soon as their line ends.
      if (now < row.StartTime) break;
      s.EmptyLineReached = true;
      s.KaraokeQueue.Pop();
      continue;
    }
    if (now > line.EndTime) {  // over before it was shown (a jump forward)
      s.KaraokeQueue.Pop();
      continue;
    }
    if (now + timing.FetchTime < line.StartTime) break;  // too early to show
    TKaraokeRowSlot& slot = s.RowSlots[static_cast<size_t>(row.Slot)];
    if (slot.State != krs_Free && !slot.Replaceable && now + timing.InterruptLimit < row.StartTime) break;

    const std::int32_t oldLine = slot.Item ? slot.Item->Line->TimedIndex : -1;
    const bool wasOccupied = slot.State != krs_Free;
    FreeSlot(slot);
    slot.Item = &row;
    slot.State = krs_Assigned;
    changed = true;
    // The rest of the line it displaced goes with it once replaceable.
    if (wasOccupied && oldLine >= 0) {
      for (TKaraokeRowSlot& other : s.RowSlots)
        if (&other != &slot && other.State == krs_Sung && other.Replaceable && other.Item &&
            other.Item->Line->TimedIndex == oldLine)
          FreeSlot(other);
    }
    s.KaraokeQueue.Pop();
    s.EmptyLineReached = false;
  }
  return changed;
}

}  // namespace lumeko
