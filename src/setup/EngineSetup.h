#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "measurement/MeasurementData.h"

// The engine description the VOLTAN device needs before it can measure: the
// engine fields of the measurement record plus three sensor flags. A setup file
// holds exactly the bytes that are sent to the device over the serial line.

namespace zephirax {

struct EngineSetup {
  int32_t CylCount = 6;
  int32_t StrokeCount = 10;
  int32_t StrokeCycle = 2;
  int32_t TdcSensor = 1;
  int32_t InLineEngine = 1;
  double TdcCorrection = 0;
  PerCylinder<int32_t> FiringOrder{};
  double VAngle = 0;
  int32_t Bore = 0;
  int32_t Stroke = 0;
  int32_t ConRod = 0;
  PerCylinder<double> TdcDeviation{};
  double Pscav = 0;
  double PmaxDevLimit = 0;
  int32_t KmSensor = 1;
  int32_t FuelAclSensor = 0;  // -1 true, 0 false
  int32_t AverageCurve = -1;  // -1 true, 0 false

  bool operator==(const EngineSetup&) const = default;
};

// The engine fields of a measurement with the given sensor flags, and back:
// the editor starts from a loaded measurement, and reading a setup overwrites
// the engine data in memory.
EngineSetup SetupFromMeasurement(const MeasurementData& data, int32_t kmSensor,
                                 int32_t fuelAclSensor, int32_t averageCurve);
void ApplySetupToMeasurement(const EngineSetup& setup, MeasurementData& data);

// The values of a new setup; bore, stroke and con rod are placeholders the
// user is expected to overwrite.
void NewSetupDefaults(EngineSetup& setup);

// The file stores the scavenging-air pressure with two decimals, the line
// with one; every other byte is the same.
enum class FrameUse { File, Line };

// Frame size for `cylinders` cylinders.
constexpr size_t SetupFrameSize(int cylinders) {
  return 58 + 9 * static_cast<size_t>(cylinders);
}

// The frame bytes, STX to ETX. Nothing when the counts lie outside what the
// arrays and the device hold (cylinders 1..20, strokes 1..30), a one-character
// field is not one digit or a value is not a finite number: such a frame could
// not be read back.
std::optional<std::string> SetupFrame(const EngineSetup& setup, FrameUse use);

// Writes the file frame, replacing the file only once it is complete. An
// in-line engine's VAngle is set to 0 first, as the file stores it.
bool WriteSetupFile(EngineSetup& setup, const std::string& fileName);

// Parses a setup file's bytes; nothing when they are no setup file (first byte
// not STX, counts out of range, the file ends inside a field, a field that is
// no number). Firing positions and deviations past the count are not in the
// frame: they keep the values of `start`.
std::optional<EngineSetup> ParseSetupFrame(std::string_view bytes, const EngineSetup& start = {});

// The same for a file; nothing also when it cannot be read.
std::optional<EngineSetup> ParseSetupFile(const std::string& fileName,
                                          const EngineSetup& start = {});

// Reads a setup file into `setup`. On success `setupValid` becomes -1. A
// rejected file sets `setupValid` to 0 and leaves `setup` as it was; the
// caller tells the user with NotSetupFileText.
bool ReadSetupFile(EngineSetup& setup, int32_t& setupValid, const std::string& fileName);

// The rejection message of a setup file, in `language`.
const char* NotSetupFileText(int language);

// Spreads the TDC deviations evenly over a working cycle in firing order, for
// in-line and V engines. False, with nothing changed, when CylCount lies
// outside 1..20. Firing positions naming a cylinder outside 1..CylCount are
// skipped.
bool AutoTdcDeviations(EngineSetup& setup);

}  // namespace zephirax
