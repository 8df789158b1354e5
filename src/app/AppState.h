#pragma once

#include <memory>
#include <string>

#include "app/Settings.h"
#include "measurement/MeasurementData.h"
#include "measurement/ReferenceReader.h"

// Everything the program keeps for the whole run, owned by the application and
// handed by reference to the routines that work on it. Later workflows add
// their parts here (additional data, view state, serial
// link, drawing state).

namespace zephirax {

struct AppState {
  // Heap-held: a measurement with its curves is about a quarter megabyte.
  std::unique_ptr<MeasurementData> Measurement = std::make_unique<MeasurementData>();
  std::unique_ptr<ReferenceData> Reference = std::make_unique<ReferenceData>();
  Settings Config;
  std::string AppDataDir;    // holds ZEPHIRAX.INI
  std::string DataDir;       // measurements and the receiver's work file
  std::string EngineDir;     // setup files
  std::string MeasFileName;  // the measurement being analysed
};

}  // namespace zephirax
