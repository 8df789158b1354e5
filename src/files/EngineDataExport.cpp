#include "files/EngineDataExport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "measurement/Evaluation.h"
#include "platform/AtomicFile.h"

namespace zephirax {

std::string EngineDataTable(const MeasurementData& data, const AdditionalData& addData,
                            const NumberFormat& format, char separator) {
  static const char* const Names[] = {"CYL", "PCOMP", "PMAX", "APMAX", "PEXP",  "PSCAV",
                                      "RPM", "MIP",   "PIND", "TEXH",  "FRACK", "VIT"};
  std::string out;
  for (const char* name : Names) {
    if (out.size() > 0) out.push_back(separator);
    out += name;
  }
  out += "\r\n";
  auto field = [&](double value, int decimals) {
    std::string text = FormatRegionalNumber(value, decimals, format);
    if (separator == ',') std::replace(text.begin(), text.end(), ',', '.');
    out += text;
    out.push_back(separator);
  };
  for (int i = 1; i <= std::clamp(data.CylCount, 0, MaxCylinders); ++i) {
    const CylinderResult v = CylinderValues(data, i);
    out += std::to_string(i);
    out.push_back(separator);
    field(v.pTDC, 1);
    field(v.pmax, 1);
    field(v.apmax, 1);
    field(v.pexp, 1);
    field(data.Pscav, 2);
    field(data.CylRpm[i], 1);
    field(data.CylMip[i], 1);
    field(data.CylPind[i], 0);
    field(addData.Texh[i], 0);
    field(addData.FuelRack[i], 1);
    field(addData.Vit[i], 1);
    out += "\r\n";
  }
  return out;
}

bool ExportEngineData(const MeasurementData& data, const AdditionalData& addData,
                      const NumberFormat& format, const std::string& dataDir) {
  const bool text = ReplaceFileAtomically(dataDir + "/ZEPHIRAX.TXT",
                                          EngineDataTable(data, addData, format, '\t'));
  const bool csv =
      ReplaceFileAtomically(dataDir + "/ZEPHIRAX.CSV", EngineDataTable(data, addData, format, ','));
  return text && csv;
}

}  // namespace zephirax
