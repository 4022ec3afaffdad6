// The custom colours of the popup: a hexagonal comb of 127 cells, a strip of
// 17 greys and the intensity that darkens the comb's centre.
//
// The comb is a hexagon standing on a corner, 6 rings of flat-topped cells
// around a centre cell. Its corners, clockwise from the top, are magenta,
// red, yellow, green, cyan and blue; each cell mixes the centre colour with
// its two nearest corners by where it lies. Geometry is in floating point
// from an origin; drawing rounds. No GDI object is kept here.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <vector>

namespace lumeko {

constexpr int kCombRings = 6;
constexpr int kCombCellCount = 1 + 3 * kCombRings * (kCombRings + 1);  // 127
constexpr int kGreyCellCount = 17;
constexpr int kCombRadius = 8 * 18 * 7 / 16;  // 63: the comb is 126 pixels from corner to corner
constexpr int kIntensityBarWidth = 20;

struct TCombCell {
  double X = 0, Y = 0;         // centre, relative to the comb's box
  std::uint32_t Color = 0;     // 0x00BBGGRR
  std::array<POINT, 6> Shape;  // the hexagon, rounded, relative to the box
};

class TColorComb {
 public:
  TColorComb();

  // The comb's box and the strip's box (width × height, in pixels).
  static SIZE CombSize();
  static SIZE GreySize();
  // The cell radius (centre to corner).
  static double CellRadius();

  // The centre colour is white × intensity (0..1, clamped); the corners stay.
  void SetIntensity(double intensity);
  double Intensity() const { return intensity_; }

  const std::vector<TCombCell>& Cells() const { return cells_; }
  const std::vector<TCombCell>& Greys() const { return greys_; }

  // The cell under a point relative to the comb's (or strip's) box, -1 for none.
  int CombCellAt(double x, double y) const;
  int GreyCellAt(double x, double y) const;

 private:
  void Colour();
  double intensity_ = 1.0;
  std::vector<TCombCell> cells_;
  std::vector<TCombCell> greys_;
  std::vector<int> ring_, side_, step_;  // where each comb cell lies, for its colour
};

}  // namespace lumeko
