#include "measurement/Evaluation.h"

#include <array>
#include <cmath>

namespace zephirax {

namespace {
// The device firmware and the original evaluation use these rounded constants;
// results must match theirs, so a more precise pi would be wrong here.
constexpr double Pi = 3.1415;
constexpr double TwoPi = 6.283;
constexpr double QuarterPi = 0.785375;

bool ValidCylinder(const MeasurementData& data, int cylinder) {
  return cylinder >= 1 && cylinder <= MaxCylinders && cylinder <= data.CylCount;
}
}  // namespace

float SmoothWeight(float m2, float m1, float p, float q1, float q2, float peak) {
  double outer = 0;
  double centre = 1;
  if (peak > 0.1f) {
    const double r = static_cast<double>(p) / peak;
    outer = 0.2 - 0.1 * r;
    centre = 0.2 + 0.4 * r;
  }
  return static_cast<float>(outer * (static_cast<double>(m2) + m1 + q1 + q2) + centre * p);
}

void PeakPreservingSmooth(const Curve& source, Curve& dest, int sampleCount) {
  const int n =
      sampleCount < 1 ? 0 : (sampleCount > SamplesPerCurve ? SamplesPerCurve : sampleCount);
  float peak = 0;
  for (int k = 1; k <= n; ++k) {
    if (source[k] > peak) peak = source[k];
  }
  for (int k = 1; k <= n; ++k) {
    if (k < 3 || k > n - 2) {
      dest[k] = source[k];
    } else {
      dest[k] =
          SmoothWeight(source[k - 2], source[k - 1], source[k], source[k + 1], source[k + 2], peak);
    }
  }
}

CylinderResult CylinderValues(const MeasurementData& data, int cylinder) {
  CylinderResult result;
  if (!ValidCylinder(data, cylinder)) return result;
  const Curve& p = data.PressureCurve[cylinder];
  result.pTDC = p[TdcSample];
  result.pexp = p[PexpSample];
  // A curve that never rises above 0 has no meaningful maximum; its angle is
  // reported at TDC rather than somewhere arbitrary.
  int sMax = TdcSample;
  float pmax = 0;
  const int n = CurveSamples(data);
  for (int s = 1; s <= n; ++s) {
    if (p[s] > pmax) {
      pmax = p[s];
      sMax = s;
    }
  }
  result.pmax = pmax;
  result.apmax = static_cast<float>(sMax - TdcSample) / 4.0f;
  return result;
}

namespace {
// cos(phi) and cos(2 phi) at every sample angle, with the rounded constants;
// they do not depend on the engine, so they are worked out once.
struct CrankAngleTable {
  std::array<double, SamplesPerCurve + 1> Cos{};
  std::array<double, SamplesPerCurve + 1> Cos2{};
  CrankAngleTable() {
    for (int s = 1; s <= SamplesPerCurve; ++s) {
      const double phi = -180.0 + 0.25 * (s - 1);
      Cos[s] = std::cos(Pi * phi / 180.0);
      Cos2[s] = std::cos(TwoPi * phi / 180.0);
    }
  }
};
// The cylinder volume above the piston at every sample. Every cylinder of an
// engine has the same, so they are worked out once for a run of cylinders.
const std::array<double, SamplesPerCurve + 1>& Volumes(double bore, float stroke, float conRod) {
  struct Table {
    double Bore = 0;
    float Stroke = 0;
    float ConRod = 0;
    bool Valid = false;
    std::array<double, SamplesPerCurve + 1> Volume{};
  };
  thread_local Table table;
  if (table.Valid && table.Bore == bore && table.Stroke == stroke && table.ConRod == conRod) {
    return table.Volume;
  }
  static const CrankAngleTable angles;
  const double radius = stroke / 2.0;
  const double rodRatio = stroke / (8.0 * conRod);
  for (int s = 1; s <= SamplesPerCurve; ++s) {
    const double travel = radius * ((1 - angles.Cos[s]) + rodRatio * (1 - angles.Cos2[s]));
    table.Volume[s] = QuarterPi * bore * bore * travel;
  }
  table.Bore = bore;
  table.Stroke = stroke;
  table.ConRod = conRod;
  table.Valid = true;
  return table.Volume;
}

}  // namespace

float IntegrateMip(const MeasurementData& data, int cylinder, float stroke, float conRod) {
  if (!ValidCylinder(data, cylinder)) return 0;
  const double bore = data.Bore;
  const double sweptVolume = QuarterPi * bore * bore * stroke;
  if (sweptVolume == 0 || conRod == 0) return 0;
  const std::array<double, SamplesPerCurve + 1>& volume = Volumes(bore, stroke, conRod);
  const Curve& p = data.PressureCurve[cylinder];
  double sum = 0;
  for (int s = 1; s < SamplesPerCurve; ++s) {
    sum += (static_cast<double>(p[s]) + p[s + 1]) * (volume[s + 1] - volume[s]);
  }
  return static_cast<float>(sum / 2.0 / sweptVolume);
}

float IndicatedPower(int strokeCycle, float rpm, float mip, float bore, float stroke) {
  const double area = QuarterPi * (bore / 1000.0) * (bore / 1000.0) * stroke;
  double power = 2.0 * 0.833 * mip * static_cast<double>(rpm) * area / 1000.0;
  if (strokeCycle == 4) power /= 2.0;
  return static_cast<float>(power);
}

float PistonTravel(float angleDeg, float crankRadius, float conRod) {
  const double rod = conRod < 0.1f ? 0.1 : static_cast<double>(conRod);
  const double a = Pi * angleDeg / 180.0;
  const double r = crankRadius;
  const double s = std::sin(a);
  return static_cast<float>(r * (1 - std::cos(a)) + r * r * s * s / (2.0 * rod));
}

float DeviationPercent(float value, float mean) {
  if (mean == 0) return 0;
  return static_cast<float>((static_cast<double>(value) - mean) / mean * 100.0);
}

float PmaxMeanOfCylinders(const MeasurementData& data) {
  if (data.CylCount < 1 || data.CylCount > MaxCylinders) return 0.1f;
  double sum = 0;
  for (int i = 1; i <= data.CylCount; ++i) sum += data.PmaxMean[i];
  const float mean = static_cast<float>(sum / data.CylCount);
  return mean < 0.1f ? 0.1f : mean;
}

float MipMeanOfCylinders(const MeasurementData& data) {
  if (data.CylCount < 1 || data.CylCount > MaxCylinders) return 0;
  double sum = 0;
  for (int i = 1; i <= data.CylCount; ++i) sum += data.CylMip[i];
  return static_cast<float>(sum / data.CylCount);
}

float PmaxDeviationPercent(const MeasurementData& data, int cylinder) {
  if (!ValidCylinder(data, cylinder)) return 0;
  return DeviationPercent(static_cast<float>(data.PmaxMean[cylinder]), PmaxMeanOfCylinders(data));
}

float MipDeviationPercent(const MeasurementData& data, int cylinder) {
  if (!ValidCylinder(data, cylinder)) return 0;
  return DeviationPercent(data.CylMip[cylinder], MipMeanOfCylinders(data));
}

}  // namespace zephirax
