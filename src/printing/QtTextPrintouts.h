#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "adddata/AdditionalData.h"
#include "platform/LangText.h"
#include "platform/UserInterface.h"
#include "printing/TextPrintoutPages.h"
#include "setup/EngineSetup.h"

// The three text printouts: the blank additional-data form, the filled-in
// additional data and the engine setup listing. Each is one print job on the
// target it is given, in portrait, in Arial bold.

namespace zephirax {

class QtPrintTarget;

enum class PrintResult {
  Printed,
  JobRunning,  // refused: a job is still going on the printer
  Cancelled,   // the printer set-up was cancelled
  Failed,      // the job could not begin or its output failed (the target's Failure())
};

// What every printout does before its page.
struct PrintoutStart {
  int Language = English;
  // Told, in Language, when a job is still running; without one only the
  // result says so.
  UserInterface* Ui = nullptr;
  // The printer set-up dialog, false when the user cancels it. Without one
  // the printer is used as it is set up.
  std::function<bool()> SetupPrinter;
};

// The form on which the crew writes the engine-room data by hand, for
// `cylCount` cylinders.
PrintResult PrintAdditionalDataForm(QtPrintTarget& target, const PrintoutStart& start,
                                    const PrintUnits& units, int32_t cylCount);

// The same form filled with `data`, headed by the measurement it belongs to.
PrintResult PrintAdditionalData(QtPrintTarget& target, const PrintoutStart& start,
                                const PrintUnits& units, const AdditionalData& data,
                                int32_t cylCount, const PrintedMeasurement& measurement);

// The listing of `setup`, saved as or read from `fileName` (UTF-8; may be
// empty).
PrintResult PrintEngineSetup(QtPrintTarget& target, const PrintoutStart& start,
                             const PrintUnits& units, const EngineSetup& setup,
                             const std::string& fileName);

}  // namespace zephirax
