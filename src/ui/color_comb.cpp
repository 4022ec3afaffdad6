// The colour comb and the grey strip (see color_comb.h).
#include "ui/color_comb.h"

#include <algorithm>
#include <cmath>

namespace lumeko {
namespace {

const double kSqrt3 = std::sqrt(3.0);

// Axial directions of a flat-topped hex lattice, clockwise from straight up
// on screen; the comb's corners lie along them.
constexpr int kDirQ[6] = {0, 1, 1, 0, -1, -1};
constexpr int kDirR[6] = {-1, -1, 0, 1, 1, 0};
// The corner colours in the same order (0x00BBGGRR): magenta, red, yellow,
// green, cyan, blue.
constexpr std::uint32_t kCorners[6] = {0xFF00FF, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000};

// Thirteen cells stack from the top corner to the bottom one.
double Radius() { return 2 * kCombRadius / (13.0 * kSqrt3); }

std::array<POINT, 6> HexAt(double cx, double cy, double r) {
  std::array<POINT, 6> pts{};
  for (int k = 0; k < 6; ++k) {
    const double a = k * 3.14159265358979323846 / 3.0;
    pts[k] = {static_cast<LONG>(std::lround(cx + r * std::cos(a))), static_cast<LONG>(std::lround(cy + r * std::sin(a)))};
  }
  return pts;
}

int Channel(std::uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t) {
  std::uint32_t out = 0;
  for (int shift : {0, 8, 16}) {
    const double v = Channel(a, shift) + (Channel(b, shift) - Channel(a, shift)) * t;
    out |= static_cast<std::uint32_t>(std::clamp(static_cast<int>(std::lround(v)), 0, 255)) << shift;
  }
  return out;
}

std::uint32_t Grey(int v) { return static_cast<std::uint32_t>(v) * 0x010101u; }

}  // namespace

double TColorComb::CellRadius() { return Radius(); }

SIZE TColorComb::CombSize() {
  const double r = Radius();
  return {static_cast<LONG>(std::ceil(2 * (kCombRings * 1.5 * r + r))) + 1, 2 * kCombRadius + 1};
}

SIZE TColorComb::GreySize() {
  const double r = Radius();
  return {static_cast<LONG>(std::ceil((kGreyCellCount - 1) * 1.5 * r + 2 * r)) + 1,
          static_cast<LONG>(std::ceil(1.5 * kSqrt3 * r)) + 1};
}

TColorComb::TColorComb() {
  const double r = Radius();
  const SIZE box = CombSize();
  const double cx = (box.cx - 1) / 2.0, cy = (box.cy - 1) / 2.0;
  auto place = [&](int q, int rr, int ring, int side, int step) {
    TCombCell cell;
    cell.X = cx + 1.5 * r * q;
    cell.Y = cy + kSqrt3 * r * (rr + q / 2.0);
    cell.Shape = HexAt(cell.X, cell.Y, r);
    cells_.push_back(cell);
    ring_.push_back(ring);
    side_.push_back(side);
    step_.push_back(step);
  };
  place(0, 0, 0, 0, 0);
  for (int ring = 1; ring <= kCombRings; ++ring)
    for (int side = 0; side < 6; ++side) {
      const int next = (side + 1) % 6;
      for (int step = 0; step < ring; ++step)
        place(kDirQ[side] * ring + (kDirQ[next] - kDirQ[side]) * step,
              kDirR[side] * ring + (kDirR[next] - kDirR[side]) * step, ring, side, step);
    }
  // The strip: cells side by side, every other one half a cell lower.
  for (int i = 0; i < kGreyCellCount; ++i) {
    TCombCell cell;
    cell.X = r + 1.5 * r * i;
    cell.Y = kSqrt3 * r / 2 + ((i % 2) ? kSqrt3 * r / 2 : 0);
    cell.Shape = HexAt(cell.X, cell.Y, r);
    cell.Color = i == 0 ? Grey(255) : (i == kGreyCellCount - 1 ? Grey(0) : Grey(240 - 15 * i));
    greys_.push_back(cell);
  }
  Colour();
}

void TColorComb::SetIntensity(double intensity) {
  if (!(intensity >= 0)) intensity = 0;  // NaN too
  intensity = std::min(intensity, 1.0);
  if (intensity == intensity_) return;
  intensity_ = intensity;
  Colour();
}

void TColorComb::Colour() {
  const std::uint32_t centre = Grey(static_cast<int>(std::lround(255 * intensity_)));
  for (size_t i = 0; i < cells_.size(); ++i) {
    const int ring = ring_[i];
    if (ring == 0) {
      cells_[i].Color = centre;
      continue;
    }
    const std::uint32_t rim = Mix(kCorners[side_[i]], kCorners[(side_[i] + 1) % 6], static_cast<double>(step_[i]) / ring);
    cells_[i].Color = Mix(centre, rim, static_cast<double>(ring) / kCombRings);
  }
}

namespace {
int Nearest(const std::vector<TCombCell>& cells, double x, double y) {
  const double r = Radius();
  int best = -1;
  double bestD = r * r;  // inside the cell's corner circle at most
  for (size_t i = 0; i < cells.size(); ++i) {
    const double dx = cells[i].X - x, dy = cells[i].Y - y, d = dx * dx + dy * dy;
    if (d < bestD) {
      bestD = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}
}  // namespace

int TColorComb::CombCellAt(double x, double y) const { return Nearest(cells_, x, y); }
int TColorComb::GreyCellAt(double x, double y) const { return Nearest(greys_, x, y); }

}  // namespace lumeko
