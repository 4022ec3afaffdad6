// The time source of the single-line fade-out.
//
// A fading line steps once per FadeoutInterval milliseconds of this clock.
// The player's effect counts with the performance counter, so a fade takes
// the same time whatever the frame rate; a render of frames for viewing
// counts with the frames' own time stamps, so it shows the fade as a viewer
// at that frame rate would see it; tests step a clock of their own. Ticks
// are only ever compared with ticks of the same clock.
#pragma once

#include <cstdint>

namespace lumeko {

class TFadeClock {
 public:
  virtual ~TFadeClock() = default;
  // Ticks now; frameTimeStamp is the frame's time stamp (100-ns units).
  virtual std::int64_t Now(std::int64_t frameTimeStamp) = 0;
  // Ticks in a millisecond (at least 1).
  virtual std::int64_t TicksPerMs() const = 0;
};

// The high-resolution performance counter; its rate is read once, when the
// clock is made.
class TPerformanceClock final : public TFadeClock {
 public:
  TPerformanceClock();
  std::int64_t Now(std::int64_t frameTimeStamp) override;
  std::int64_t TicksPerMs() const override { return ticksPerMs_; }

 private:
  std::int64_t ticksPerMs_ = 1;
};

// The frames' own time stamps.
class TFrameTimeClock final : public TFadeClock {
 public:
  std::int64_t Now(std::int64_t frameTimeStamp) override { return frameTimeStamp; }
  std::int64_t TicksPerMs() const override { return 10000; }
};

}  // namespace lumeko
