#include "cli/InfoTable.h"

#include <cstdio>
#include <vector>

#include "analysis/EvaluationTexts.h"
#include "app/SharedTexts.h"
#include "measurement/Evaluation.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/TextEncoding.h"

namespace zephirax {

namespace {

constexpr LangText MeanLabel{"Mean", "Mean", "Moy", "medio"};
constexpr LangText SumLabel{"Psum", "Psum", "Pmot", "Psum"};
constexpr LangText CylindersLabel{"Zylinder", "cylinders", "cylindres", "cilindros"};
constexpr LangText StrokeLabel{"Takt", "stroke", "temps", "tiempos"};

// Column width counted in characters, so that accented headers line up.
std::string Cell(const std::string& text, int width) {
  int characters = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
  }
  std::string cell(characters < width ? width - characters : 1, ' ');
  return cell + text;
}

std::string Number(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text = buffer;
  // A mean of deviations that cancel out is 0, not "-0.0".
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

}  // namespace

std::string InfoTable(const MeasurementData& data, const InfoOptions& options) {
  const int lang = options.Language;
  const int pu = options.PressureUnit;
  const int pressureDecimals = pu == UnitMPa ? 2 : 1;
  const std::string pUnit = std::string("[") + PressureUnitName(pu) + "]";
  const std::string powerUnit = std::string("[") + PowerUnitName(options.PowerUnit) + "]";

  std::string out;
  out += std::string(Tr(FileCaptionText, lang)) + " " + options.FileName + "\n";
  out += std::string(Tr(DateCaptionText, lang)) + " " + Cp1252ToUtf8(data.MeasDate) + "   " +
         Tr(TimeCaptionText, lang) + " " + Cp1252ToUtf8(data.MeasTime) + "   " +
         std::to_string(data.CylCount) + " " + Tr(CylindersLabel, lang) + ", " +
         std::to_string(data.StrokeCycle) + "-" + Tr(StrokeLabel, lang) + "\n\n";

  const int width = 10;
  const std::vector<std::string> headers = {Tr(CylinderHeader, lang),
                                            Tr(PtdcHeader, lang),
                                            "pmax",
                                            "apmax",
                                            "pexp",
                                            Tr(RpmHeader, lang),
                                            Tr(MipHeader, lang),
                                            "Pind",
                                            Tr(PmaxDevHeader, lang),
                                            Tr(MipDevHeader, lang)};
  const std::vector<std::string> units = {
      "",        pUnit, pUnit, Tr(DegUnit, lang), pUnit, Tr(RpmUnit, lang), pUnit,
      powerUnit, "[%]", "[%]"};
  const std::vector<int> decimals = {
      0, pressureDecimals, pressureDecimals, 2, pressureDecimals, 1, pressureDecimals, 1, 1, 1};
  for (const auto& h : headers) out += Cell(h, width);
  out += "\n";
  for (const auto& u : units) out += Cell(u, width);
  out += "\n";

  std::vector<double> sums(headers.size(), 0.0);
  for (int i = 1; i <= data.CylCount && i <= MaxCylinders; ++i) {
    const CylinderResult v = CylinderValues(data, i);
    const std::vector<double> row = {static_cast<double>(i),
                                     PressureToDisplay(v.pTDC, pu),
                                     PressureToDisplay(v.pmax, pu),
                                     v.apmax,
                                     PressureToDisplay(v.pexp, pu),
                                     data.CylRpm[i],
                                     PressureToDisplay(data.CylMip[i], pu),
                                     PowerToDisplay(data.CylPind[i], options.PowerUnit),
                                     PmaxDeviationPercent(data, i),
                                     MipDeviationPercent(data, i)};
    for (size_t c = 0; c < row.size(); ++c) {
      out += Cell(Number(row[c], decimals[c]), width);
      sums[c] += row[c];
    }
    out += "\n";
  }
  if (data.CylCount >= 1) {
    out += Cell(Tr(MeanLabel, lang), width);
    for (size_t c = 1; c < sums.size(); ++c) {
      out += Cell(Number(sums[c] / data.CylCount, decimals[c]), width);
    }
    out += "\n";
    out += Cell(Tr(SumLabel, lang), width) + std::string(6 * width, ' ') +
           Cell(Number(sums[7], 0), width) + "\n";
  }
  out += "\npmax (" + std::string(Tr(MeanLabel, lang)) +
         "): " + Number(PressureToDisplay(data.EnginePmaxMean, pu), pressureDecimals) + " " +
         pUnit + "   pscav: " + Number(PressureToDisplay(data.Pscav, pu), pu == UnitMPa ? 3 : 2) +
         " " + pUnit + "\n";
  return out;
}

}  // namespace zephirax
