// What lumeko soak plays: a scratch folder of songs and pictures, and the
// settings it stores between frames.
//
// The songs cover every kind of lyrics file (word tags, line tags with a
// repeated chorus, no tags at all, none at all) with and without picture
// tags, and titles a search cannot use (empty, not code page 932, not a
// valid pattern). The pictures are a BMP, a JPEG, a one-pixel BMP and a
// damaged file. Settings changes are drawn from the setting table, so every
// setting, a new one included, is varied — in range and outside it. The
// folder goes with the object; nothing outside it and the settings key is
// written.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace lumeko::tool {

class TSoakRandom {
 public:
  explicit TSoakRandom(std::uint32_t seed) : gen_(seed) {}
  // A number from 0 to n - 1 (n > 0).
  std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(gen_() % n); }
  // A number from lo to hi, both included.
  std::int32_t Between(std::int32_t lo, std::int32_t hi) {
    const std::uint64_t span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo) + 1;
    return static_cast<std::int32_t>(lo + static_cast<std::int64_t>(gen_() % span));
  }
  bool OneIn(std::uint32_t n) { return Below(n) == 0; }
  std::uint32_t Bits() { return static_cast<std::uint32_t>(gen_()); }

 private:
  std::mt19937 gen_;
};

struct TSoakSong {
  std::wstring Media;  // the windowed player's source URL: a path in the folder
  std::wstring Title;  // the player's name for it, the plain player's only clue
  std::int32_t LengthMs = 0;
};

class TSoakFolder {
 public:
  // Makes the folder under the temporary folder with all its files; raises
  // std::runtime_error when it cannot.
  TSoakFolder();
  ~TSoakFolder();
  TSoakFolder(const TSoakFolder&) = delete;
  TSoakFolder& operator=(const TSoakFolder&) = delete;

  const std::string& Path() const { return path_; }  // CP932, no trailing separator
  const std::vector<TSoakSong>& Songs() const { return songs_; }
  // The song every checkpoint settles on: word tags and pictures.
  const TSoakSong& Reference() const { return songs_.front(); }

 private:
  void Write(const std::string& name, const std::string& bytes);

  std::string path_;
  std::vector<std::string> files_;
  std::vector<TSoakSong> songs_;
};

// Empties the settings key and stores what every checkpoint starts from:
// the lyrics folder and a picture pattern list pointing into the folder.
void StoreBaselineSettings(const TSoakFolder& folder);

// Stores one to three settings of the table, each a value in its range or,
// now and then, any number at all. True when BurdenReduction was turned on
// (each frame then pauses 50 ms, so the caller turns it off again soon).
bool StoreRandomSettings(const TSoakFolder& folder, TSoakRandom& random);

}  // namespace lumeko::tool
