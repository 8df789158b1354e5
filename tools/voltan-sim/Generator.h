#pragma once

#include <string>
#include <string_view>
#include <vector>

// Realistic measurement files of the VOLTAN indicator, byte for byte in the
// device's format, for tests, demonstrations and the sample files.

namespace voltansim {

// How the curves are stored, which follows the device's firmware generation.
enum class CurveLayout {
  Rows1440,  // VERSION 4.00 and a MIP item: 1440 rows at 0.25 deg
  Rows360,   // MIP item, VERSION 3.90 or none: 360 rows at 1 deg
  Lines180,  // no MIP and no MODE item: one line of 180 values (2 deg) per cylinder
  Rows180,   // no MIP item but a MODE item: 180 rows at 2 deg
};

enum class SecondChannel {
  None,
  Fuel,        // fuel-injection pressure as text after the pressure block
  FuelBinary,  // fuel-injection pressure in the binary tail (360 floats per cylinder)
  AclBinary,   // structure-borne acceleration in the binary tail
};

struct GeneratorOptions {
  int Cylinders = 6;
  int Strokes = 10;  // recorded work strokes per cylinder
  int StrokeCycle = 2;
  bool InLine = true;
  double VAngle = 0;  // [deg], V engines only
  int Bore = 500;     // [mm]
  int Stroke = 2000;  // [mm]
  int ConRod = 2000;  // [mm]
  double Rpm = 102;
  double Pscav = 2.0;         // scavenging or charge-air pressure, gauge [bar]
  double PmaxTarget = 140;    // mean peak pressure to aim at, gauge [bar]
  double PmaxDevLimit = 5.0;  // permitted pmax deviation [bar]
  bool TdcSensor = true;
  double TdcCorrection = 0;  // [deg CA]
  CurveLayout Layout = CurveLayout::Rows1440;
  SecondChannel Extra = SecondChannel::None;
  bool WithShift = false;
  bool WithVersion = true;  // Rows360 only: "VERSION 3.90" or no VERSION item
  unsigned Seed = 1;
  std::string Date = "06.12.2026";  // exactly 10 characters
  std::string Time = "14:32";       // exactly 5 characters
};

// Plausible engine for a stroke cycle: a large slow-speed two-stroke engine
// (the defaults of GeneratorOptions) or a medium-speed four-stroke engine.
GeneratorOptions EngineDefaults(int strokeCycle);

// Why the options cannot make a file; empty when they can.
std::string CheckOptions(const GeneratorOptions& options);

// One cylinder's values exactly as they are written to the file.
struct SimulatedCylinder {
  float Rpm = 0;
  std::vector<int> StrokePmax;
  int PmaxMean = 0, PmaxHigh = 0, PmaxLow = 0;
  float Mip = 0;                  // of the written curve (expanded to 1440 samples when it has 360)
  int Pind = 0;                   // [kW]
  float CompressionPressure = 0;  // the FCYL item
  float PTdc = 0, PExp = 0;       // the >MEAS item, read off the written curve
  float TdcShift = 0;
  std::vector<float> Pressure;  // samples of the written curve [bar]
  std::vector<float> Extra;     // second channel: its written samples (360 in the binary tail)
};

struct SimulatedMeasurement {
  std::vector<int> FiringOrder;      // cylinder number at each firing position
  std::vector<double> TdcDeviation;  // per cylinder [deg CA]
  float EnginePmaxMean = 0;
  std::vector<SimulatedCylinder> Cylinders;
};

// Throws std::invalid_argument with the text of CheckOptions.
SimulatedMeasurement Simulate(const GeneratorOptions& options);
std::string FormatMeasurement(const GeneratorOptions& options, const SimulatedMeasurement& sim);
// Simulate and format: the bytes of a measurement file.
std::string GenerateMeasurement(const GeneratorOptions& options);

// True when `bytes` hold a key that makes a reader or writer of the format act
// wherever it appears outside an item's values; no free text and no binary
// data may contain one.
bool ContainsItemKey(std::string_view bytes);

// The reader scans the binary tail through its keyword window like text, so a
// value whose bytes spell a key would start a bogus item. Such values (in the
// 360-value Extra curves) are moved by a unit in their last places, which the
// signal cannot tell from noise. Simulate does this already.
void KeepItemKeysOutOfTail(std::vector<SimulatedCylinder>& cylinders);

}  // namespace voltansim
