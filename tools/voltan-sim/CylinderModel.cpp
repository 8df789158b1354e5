#include "voltan-sim/CylinderModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace voltansim {

namespace {

constexpr double WiebeEfficiency = 6.9;  // 99.9 % burnt at the end of the duration

// Cylinder volume in units of the swept volume (exact crank train).
Grid Volumes(const CylinderParameters& p) {
  const double radius = p.Stroke / 2.0;
  const double lambda = radius / p.ConRod;
  const double clearance = 1.0 / (p.CompressionRatio - 1.0);
  Grid volume{};
  for (int k = 0; k < GridSamples; ++k) {
    const double phi = GridAngle(k) * std::numbers::pi / 180.0;
    const double s = std::sin(phi);
    const double travel =
        (1.0 - std::cos(phi)) + (1.0 - std::sqrt(1.0 - lambda * lambda * s * s)) / lambda;
    volume[k] = clearance + travel / 2.0;
  }
  return volume;
}

double BurntFraction(const CylinderParameters& p, double angle) {
  if (angle <= p.CombustionStart) return 0;
  const double t = (angle - p.CombustionStart) / p.CombustionDuration;
  return 1.0 - std::exp(-WiebeEfficiency * std::pow(t, p.WiebeShape + 1.0));
}

// Smooth 0 -> 1 ramp over t in [0, 1].
double Ramp(double t) {
  t = std::clamp(t, 0.0, 1.0);
  const double s = std::sin(t * std::numbers::pi / 2.0);
  return s * s;
}

}  // namespace

double Random::Normal() {
  // One draw per statement: the order of the draws must not be left to the compiler.
  double sum = 0;
  for (int i = 0; i < 4; ++i) sum += Uniform();
  return (sum - 2.0) * std::sqrt(3.0);
}

double CompressionPressure(const CylinderParameters& p) {
  return p.BdcPressure * std::pow(p.CompressionRatio, p.Polytropic);
}

Grid CylinderPressure(const CylinderParameters& p) {
  const Grid volume = Volumes(p);
  const double n = p.Polytropic;
  const double start = p.BdcPressure * std::pow(volume[0], n);

  // With a polytropic exponent n, d(p V^n) = (n - 1) V^(n - 1) dQ, so the
  // closed-cycle pressure is the motored pressure plus Q times a shape that
  // depends on the burn law only. That makes the heat Q for a wanted peak a
  // one-dimensional search.
  Grid motored{};
  Grid perHeat{};
  double released = 0;
  for (int k = 0; k < GridSamples; ++k) {
    if (k > 0) {
      const double mid = (volume[k - 1] + volume[k]) / 2.0;
      released += std::pow(mid, n - 1.0) *
                  (BurntFraction(p, GridAngle(k)) - BurntFraction(p, GridAngle(k - 1)));
    }
    const double vn = std::pow(volume[k], n);
    motored[k] = start / vn;
    perHeat[k] = (n - 1.0) * released / vn;
  }

  auto peak = [&](double heat) {
    double best = 0;
    for (int k = 0; k < GridSamples && GridAngle(k) < p.ExhaustOpening; ++k)
      best = std::max(best, motored[k] + heat * perHeat[k]);
    return best;
  };
  double heat = 0;
  if (peak(0) < p.PmaxTarget) {
    double low = 0;
    double high = 1;
    for (int i = 0; i < 60 && peak(high) < p.PmaxTarget; ++i) high *= 2;
    for (int i = 0; i < 60; ++i) {
      const double mid = (low + high) / 2.0;
      (peak(mid) < p.PmaxTarget ? low : high) = mid;
    }
    heat = (low + high) / 2.0;
  }

  Grid pressure{};
  for (int k = 0; k < GridSamples; ++k) {
    double value = motored[k] + heat * perHeat[k];
    const double afterOpening = GridAngle(k) - p.ExhaustOpening;
    if (afterOpening > 0) {
      // Blow-down: the gas escapes and the pressure settles at the exhaust side's level.
      const double x = afterOpening / p.BlowDownWidth;
      value = p.ExhaustPressure + (value - p.ExhaustPressure) * std::exp(-x * x);
    }
    pressure[k] = value;
  }
  return pressure;
}

Grid InjectionPressure(const InjectionParameters& p) {
  Grid pressure{};
  const double length = p.End - p.Start;
  for (int k = 0; k < GridSamples; ++k) {
    const double angle = GridAngle(k);
    double value = 0;
    if (angle > p.Start && angle < p.End) {
      // The needle opens quickly, the pressure climbs while the pump keeps
      // delivering, and drops sharply when the needle closes.
      const double t = (angle - p.Start) / length;
      value = p.Peak * Ramp(t / 0.18) * (0.82 + 0.18 * t) * (1.0 - Ramp((t - 0.84) / 0.16));
    } else if (angle >= p.End) {
      // Reflected pressure waves in the fuel pipe after closing.
      const double x = angle - p.End;
      value = 0.06 * p.Peak * std::exp(-x / 5.0) * std::abs(std::sin(x * std::numbers::pi / 4.0));
    }
    pressure[k] = std::max(0.0, value);
  }
  return pressure;
}

Grid Acceleration(const std::vector<VibrationEvent>& events, Random& random, double noise) {
  Grid signal{};
  for (int k = 0; k < GridSamples; ++k) {
    const double angle = GridAngle(k);
    double value = noise * random.Normal();
    for (const VibrationEvent& e : events) {
      const double x = angle - e.Angle;
      if (x < 0) continue;
      value +=
          e.Amplitude * std::exp(-x / e.Decay) * std::sin(2.0 * std::numbers::pi * x / e.Period);
    }
    signal[k] = value;
  }
  return signal;
}

}  // namespace voltansim
