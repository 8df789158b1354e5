#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "adddata/AdditionalData.h"
#include "analysis/AnalysisButtons.h"
#include "analysis/DrawingState.h"
#include "analysis/ViewState.h"
#include "devicelink/Serial.h"
#include "measurement/MeasurementData.h"
#include "measurement/ReferenceReader.h"
#include "platform/NumberFormat.h"
#include "platform/Settings.h"

// Everything the program keeps for the whole run, owned by the application and
// handed by reference to the routines that work on it. Later workflows add
// their parts here.

namespace zephirax {

// The files loaded for the analysis.
struct LoadedFiles {
  // Heap-held: a measurement with its curves is about a quarter megabyte.
  std::unique_ptr<MeasurementData> Measurement = std::make_unique<MeasurementData>();
  std::unique_ptr<ReferenceData> Reference = std::make_unique<ReferenceData>();
  AdditionalData AddData;
  std::string MeasFileName;   // the measurement being analysed
  std::string AuxFileName;    // the ".EXH" file or the reference file, whichever came last
  bool HasReference = false;  // a reference file is loaded
  bool HasAddData = false;    // the measurement's additional data were read
  std::string TdcFileName;    // the measurement the TDC mode corrects
};

// What only the main window uses: its buttons, the serial link and the folders.
struct WindowParts {
  AnalysisButtons Buttons;
  SerialLink Link;
  std::string AppDataDir;  // holds ZEPHIRAX.INI
  std::string DataDir;     // measurements and the receiver's work file
  std::string EngineDir;   // setup files
};

// The engine setup's sensor flags. Its other fields are the engine data of
// Files.Measurement: the setup editor starts from them and leaves its edits
// there.
struct SetupSensors {
  int32_t KmSensor = 1;
  int32_t FuelAclSensor = 0;  // -1 true, 0 false
  int32_t AverageCurve = -1;  // -1 true, 0 false
};

struct AppState {
  LoadedFiles Files;
  Settings Config;
  NumberFormat Regional;  // the user's decimal and group separators
  ViewState View;
  DrawingState Drawing;
  WindowParts Window;
  SetupSensors Sensors;
};

}  // namespace zephirax
