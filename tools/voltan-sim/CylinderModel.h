#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <vector>

// A single-zone model of one cylinder over one revolution around its firing
// TDC, and the signals of the device's second sensor. Everything is computed
// on the quarter-degree grid of the device: sample k (0-based) lies at
// k / 4 - 180 deg crank angle.

namespace voltansim {

inline constexpr int GridSamples = 1440;
inline constexpr double AmbientPressure = 1.0;  // [bar]; curves are written as gauge pressure

using Grid = std::array<double, GridSamples>;

inline double GridAngle(int k) {
  return -180.0 + 0.25 * k;
}

// Seeded random numbers that come out the same with every standard library:
// only the raw 32-bit output of std::mt19937 is fixed by the C++ standard, so
// the uniform and normal variates are derived from it here.
class Random {
 public:
  explicit Random(unsigned seed) : engine_(seed) {}
  // Uniform in (0, 1).
  double Uniform() { return (static_cast<double>(engine_()) + 0.5) / 4294967296.0; }
  double Uniform(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  // Mean 0, standard deviation 1, bounded at about +-3.46 (sum of four uniforms),
  // which keeps scattered values away from absurd tails.
  double Normal();

 private:
  std::mt19937 engine_;
};

struct CylinderParameters {
  double Bore = 500;     // [mm]
  double Stroke = 2000;  // [mm]
  double ConRod = 2000;  // [mm]
  double CompressionRatio = 14;
  double Polytropic = 1.35;
  double BdcPressure = 3.0;      // absolute pressure at the start of compression [bar]
  double ExhaustPressure = 2.9;  // absolute pressure the blow-down settles at [bar]
  double CombustionStart = -2;   // [deg CA]
  double CombustionDuration = 60;
  double WiebeShape = 1.2;
  double ExhaustOpening = 108;  // [deg CA]
  double BlowDownWidth = 18;    // [deg CA]
  double PmaxTarget = 141;      // absolute peak pressure to reach [bar]
};

// Absolute cylinder pressure [bar] on the quarter-degree grid. The heat release
// is scaled so that the peak reaches PmaxTarget; a target below the
// compression pressure gives the motored curve.
Grid CylinderPressure(const CylinderParameters& p);

// Absolute pressure at TDC without combustion [bar].
double CompressionPressure(const CylinderParameters& p);

struct InjectionParameters {
  double Start = -8;   // needle opening [deg CA]
  double End = 20;     // needle closing [deg CA]
  double Peak = 1100;  // [bar]
};

// Fuel-injection pressure [bar] on the quarter-degree grid; never negative.
Grid InjectionPressure(const InjectionParameters& p);

struct VibrationEvent {
  double Angle = 0;      // [deg CA]
  double Amplitude = 0;  // [m/s^2]; the sign sets the first swing
  double Period = 6;     // [deg CA]
  double Decay = 8;      // [deg CA]
};

// Structure-borne acceleration [m/s^2] on the quarter-degree grid: a decaying
// oscillation after each event plus a little sensor noise.
Grid Acceleration(const std::vector<VibrationEvent>& events, Random& random, double noise);

}  // namespace voltansim
