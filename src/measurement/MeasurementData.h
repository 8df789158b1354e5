#pragma once

#include <array>
#include <cstdint>
#include <string>

// The loaded measurement: engine description, the device's results per
// cylinder and per stroke, TDC shifts, pressure curves and the optional second
// channel. Arrays are indexed from 1 (element 0 is unused) so that cylinder,
// stroke and sample numbers read the same here as everywhere else.

namespace zephirax {

inline constexpr int MaxCylinders = 20;
inline constexpr int MaxStrokes = 30;
inline constexpr int SamplesPerCurve = 1440;  // quarter degrees over one revolution
inline constexpr int CoarseSamples = 180;     // the old layout without a MIP item
inline constexpr int TdcSample = 721;         // sample at top dead centre
inline constexpr int PexpSample = 865;        // 36 deg after TDC

template <class T>
using PerCylinder = std::array<T, MaxCylinders + 1>;
using Curve = std::array<float, SamplesPerCurve + 1>;

struct MeasurementData {
  std::string MeasDate;  // at most 10 characters, cp1252 as sent by the device
  std::string MeasTime;  // at most 5 characters
  int32_t CylCount = 0;
  int32_t StrokeCycle = 2;
  int32_t InLineEngine = 1;
  double VAngle = 0;
  int32_t ConRod = 0;
  int32_t Bore = 0;
  int32_t Stroke = 0;
  int32_t TdcSensor = 0;
  double TdcCorrection = 0;
  PerCylinder<int32_t> FiringOrder{};
  PerCylinder<double> TdcDeviation{};
  PerCylinder<float> CylRpm{};
  PerCylinder<int32_t> PmaxMean{};
  PerCylinder<int32_t> PmaxHigh{};
  PerCylinder<int32_t> PmaxLow{};
  float EnginePmaxMean = 0;
  PerCylinder<float> CylValueFCYL{};
  PerCylinder<float> CylValueMEA1{};
  PerCylinder<float> CylValueMEA2{};
  int32_t StrokeCount = 1;
  double PmaxDevLimit = 0;
  double Pscav = 0;
  PerCylinder<std::array<int32_t, MaxStrokes + 1>> StrokePmax{};
  bool HasMipBlock = false;
  PerCylinder<float> CylMip{};
  PerCylinder<int32_t> CylPind{};
  PerCylinder<float> TdcShift{};
  PerCylinder<Curve> PressureCurve{};
  bool HasExtraChannel = false;
  bool ExtraIsAcl = false;
  bool ExtraIsBinary = false;
  PerCylinder<Curve> ExtraCurve{};
  float ExtraAxisMax = 500;
  float AclAmplitude = 0;
  float PressureAxisMax = 50;
  int32_t SetupValid = 0;  // -1 once a measurement or setup has been loaded

  bool operator==(const MeasurementData&) const = default;
};

// Number of samples a loaded curve holds: 1440, or 180 in the old layout.
inline int CurveSamples(const MeasurementData& data) {
  return data.HasMipBlock ? SamplesPerCurve : CoarseSamples;
}

}  // namespace zephirax
