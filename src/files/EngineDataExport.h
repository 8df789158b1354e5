#pragma once

#include <string>

#include "adddata/AdditionalData.h"
#include "measurement/MeasurementData.h"
#include "platform/NumberFormat.h"

// The per-cylinder results as ZEPHIRAX.TXT (tab-separated) and ZEPHIRAX.CSV
// (comma-separated) in the data folder, for spreadsheets. Values are written
// as held (bar, kW, deg C) in the user's regional number format.

namespace zephirax {

// The whole file: a header line and one line per cylinder, CR LF line ends.
// With ',' as separator every ',' inside a formatted value becomes '.'.
std::string EngineDataTable(const MeasurementData& data, const AdditionalData& addData,
                            const NumberFormat& format, char separator);

// Writes both files into `dataDir`; false when either could not be written.
bool ExportEngineData(const MeasurementData& data, const AdditionalData& addData,
                      const NumberFormat& format, const std::string& dataDir);

}  // namespace zephirax
