#include "printing/TextPrintoutPages.h"

#include <algorithm>
#include <cmath>

#include "adddata/AddDataEntry.h"
#include "charts/ChartTexts.h"
#include "measurement/NumberText.h"
#include "platform/LangText.h"
#include "platform/TextEncoding.h"
#include "printing/PrintoutTexts.h"
#include "setup/SetupEditor.h"
#include "setup/SetupEditorTexts.h"

namespace zephirax {

namespace {

using Q = AddDataQuantity;

// The additional-data pages, in 1/100 mm from the margin corner. Labels stand
// at x 600; a value stands 5 mm into its cell and the unit 5 mm after it.
constexpr int LabelX = 600;
constexpr int ValueInset = 500;
constexpr int UnderlineBelow = 480;  // a cell's line under the text's top
constexpr int PageWidth = 19000;     // A4 inside the margins; letter is wider

// The cylinder table: blocks of rows 8 mm apart, text 1 mm below each row's
// line, cylinders in columns from x 4600.
constexpr int TableTop = 1700;
constexpr int TableRowPitch = 800;
constexpr int TableTextBelowLine = 100;
constexpr int TableRows = 4;  // cylinder numbers, exhaust gas, fuel rack, VIT
constexpr int TableBlockGap = 800;
constexpr int TableColumnsX = 4600;
constexpr int TableColumnWidth = (PageWidth - TableColumnsX) / CylindersPerBlock;

// The turbocharger rows: three cells, their unit after the third.
constexpr int TcCellX[TcCount] = {7200, 10000, 12800};
constexpr int TcCellWidth = 2500;

// The rows of two values: the left pair and the right pair.
constexpr int LeftCellX = 6200;
constexpr int LeftCellWidth = 1800;
constexpr int RightLabelX = 9800;
constexpr int RightCellX = 14800;
constexpr int RightCellWidth = 2000;

// The remarks in the left half beside the ISO block.
constexpr int RemarksTop = 21100;
constexpr int RemarksBottom = 25100;
constexpr int RemarksRight = 9000;
constexpr int RemarksLinePitch = 500;
constexpr int FooterX = 1000;
constexpr int FooterAboveEnd = 1100;
constexpr int FooterClearance = 300;
// Below the last ISO row, also where the paper is shorter than A4 (letter).
constexpr int FooterLowestTop = 25200;

int FooterY(int pageHeight) {
  return std::max(pageHeight - FooterAboveEnd, FooterLowestTop);
}

// The setup listing, from the paper's corner.
constexpr int SetupTitleY = 1000;
constexpr int SetupX = 1000;
constexpr int SetupValueX = 8000;
constexpr int SetupValueMaxWidth = 12000;  // to 10 mm before the edge of A4
constexpr int SetupFirstY = 3000;
constexpr int SetupPitch = 1000;
constexpr int SetupGridPitch = 700;
constexpr int FiringPerRow = 10;
constexpr int FiringColumn = 1800;
constexpr int DeviationsPerRow = 5;
constexpr int DeviationColumn = 3800;

std::string T(const LangText& text, int language) {
  return Tr(text, language);
}

void Text(PrintoutPage& page, int x, int y, std::string text,
          PageText::Anchor align = PageText::Left) {
  page.Texts.push_back({x, y, std::move(text), align, 0});
}

void Line(PrintoutPage& page, int x1, int y1, int x2, int y2) {
  page.Lines.push_back({x1, y1, x2, y2});
}

Settings ConfigOf(const PrintUnits& units) {
  Settings config;
  config.TempUnit = units.Temp;
  config.PowerUnit = units.Power;
  config.PressureUnit = units.Pressure;
  config.LengthUnit = units.Length;
  return config;
}

const char* TempUnitText(const PrintUnits& units) {
  return ChartTempUnitWord(units.Temp);
}

// The additional data to fill in, or none for the blank form.
struct FormValues {
  const AdditionalData* Data = nullptr;
  Settings Config;

  std::string Of(AddDataQuantity quantity, int index = 0) const {
    if (Data == nullptr) return {};
    return DisplayText(*Data, {quantity, index}, Config);
  }
  // The shaft powers are kept in kW whatever the setting; printed in hp they
  // are converted as the dialog converts the MCR power.
  std::string Power(int32_t kW) const {
    if (Data == nullptr) return {};
    return std::to_string(std::lround(PowerToDisplayAddData(kW, Config.PowerUnit)));
  }
};

void CylinderTable(PrintoutPage& page, int language, int32_t cylCount, const FormValues& values) {
  const LangText* labels[TableRows] = {&PrintCylinderLabel, &PrintTexhLabel, &PrintFuelRackLabel,
                                       &PrintVitLabel};
  const Q quantities[TableRows - 1] = {Q::Texh, Q::FuelRack, Q::Vit};
  for (int first = 1, block = 0; first <= cylCount; first += CylindersPerBlock, ++block) {
    const int columns = std::min(CylindersPerBlock, cylCount - first + 1);
    const int top = TableTop + block * (TableRows * TableRowPitch + TableBlockGap);
    const int right = TableColumnsX + columns * TableColumnWidth;
    for (int row = 0; row <= TableRows; ++row) {
      Line(page, LabelX - 100, top + row * TableRowPitch, right, top + row * TableRowPitch);
    }
    const int bottom = top + TableRows * TableRowPitch;
    for (int column = 0; column <= columns; ++column) {
      const int x = TableColumnsX + column * TableColumnWidth;
      Line(page, x, top, x, bottom);
    }
    for (int row = 0; row < TableRows; ++row) {
      const int y = top + row * TableRowPitch + TableTextBelowLine;
      Text(page, LabelX, y, T(*labels[row], language));
      for (int column = 0; column < columns; ++column) {
        const int cylinder = first + column;
        const int centre = TableColumnsX + column * TableColumnWidth + TableColumnWidth / 2;
        const std::string cell =
            row == 0 ? std::to_string(cylinder) : values.Of(quantities[row - 1], cylinder);
        if (!cell.empty()) Text(page, centre, y, cell, PageText::Centred);
      }
    }
  }
}

// A cell to write a value into: its line, the value, the unit after it.
void Cell(PrintoutPage& page, int x, int width, int y, const std::string& value,
          const char* unit = nullptr) {
  Line(page, x, y + UnderlineBelow, x + width, y + UnderlineBelow);
  if (!value.empty()) Text(page, x + ValueInset, y, value);
  if (unit != nullptr) Text(page, x + width + ValueInset, y, unit);
}

void TurbochargerRows(PrintoutPage& page, int language, const PrintUnits& units,
                      const FormValues& values) {
  Text(page, LabelX, 11800, T(PrintTurbochargerLabel, language));
  for (int tc = 1; tc <= TcCount; ++tc) {
    Text(page, TcCellX[tc - 1] + TcCellWidth / 2, 11800, std::to_string(tc), PageText::Centred);
  }
  const char* temp = TempUnitText(units);
  const struct {
    int Y;
    const LangText* Label;
    Q Quantity;
    const char* Unit;
  } rows[] = {
      {12600, &PrintTcRpmLabel, Q::TcRpm, PrintRpmUnit},
      {13400, &PrintTexhBeforeTcLabel, Q::TexhBeforeTc, temp},
      {14200, &PrintTexhAfterTcLabel, Q::TexhAfterTc, temp},
      {15000, &PrintTscavBeforeLabel, Q::TscavBefore, temp},
      {15800, &PrintTscavAfterLabel, Q::TscavAfter, temp},
      {16600, &PrintPDiffLabel, Q::PDiff,
       units.Pressure == UnitBar ? PrintPDiffUnitBar : PrintPDiffUnitOther},
  };
  for (const auto& row : rows) {
    Text(page, LabelX, row.Y, T(*row.Label, language));
    for (int tc = 1; tc <= TcCount; ++tc) {
      Cell(page, TcCellX[tc - 1], TcCellWidth, row.Y, values.Of(row.Quantity, tc),
           tc == TcCount ? row.Unit : nullptr);
    }
  }
}

void PairRows(PrintoutPage& page, int language, const PrintUnits& units, const FormValues& values,
              bool dataPage) {
  const char* power = PowerUnitName(units.Power);
  const AdditionalData* data = values.Data;
  const struct {
    int Y;
    const LangText* LeftLabel;
    std::string LeftValue;
    const char* LeftUnit;
    const LangText* RightLabel;
    std::string RightValue;
    const char* RightUnit;
  } rows[] = {
      {17400, &PrintPitchLabel, values.Of(Q::Pitch), PrintPercentUnit, &PrintShaftPowerLabel,
       data ? values.Power(data->ShaftPower) : "", power},
      {18200, dataPage ? &PrintShaftGenDataLabel : &PrintShaftGenFormLabel,
       data ? values.Power(data->ShaftGenPower) : "", power, &PrintMcrPowerLabel,
       values.Of(Q::McrPower), power},
      {19000, &PrintEngineRoomLabel, values.Of(Q::EngineRoomTemp), TempUnitText(units),
       &PrintRunningHoursLabel, values.Of(Q::RunningHours), PrintHoursUnit},
      {19800, &PrintLoadLabel, values.Of(Q::EngineLoad), PrintPercentUnit,
       &PrintFuelConsumptionLabel, values.Of(Q::FuelConsumption), PrintFuelConsumptionUnit},
  };
  for (const auto& row : rows) {
    Text(page, LabelX, row.Y, T(*row.LeftLabel, language));
    Cell(page, LeftCellX, LeftCellWidth, row.Y, row.LeftValue, row.LeftUnit);
    Text(page, RightLabelX, row.Y, T(*row.RightLabel, language));
    Cell(page, RightCellX, RightCellWidth, row.Y, row.RightValue, row.RightUnit);
  }
}

void IsoBlock(PrintoutPage& page, int language, const PrintUnits& units, const FormValues& values) {
  Text(page, RightLabelX, 20600, T(PrintIsoLabel, language));
  const char* temp = TempUnitText(units);
  const struct {
    int Y;
    const LangText* Label;
    AddDataField Field;
    const char* Unit;
  } rows[] = {
      {21600, &PrintIsoEngineRoomLabel, {Q::EngineRoomTemp, 0}, temp},
      {22100, &PrintIsoChargeAirLabel, {Q::TscavAfter, 1}, temp},
      {22600, &PrintIsoBaroLabel, {Q::Pbaro, 0}, PrintMbarUnit},
      {23100, &PrintIsoFuelTempLabel, {Q::FuelTemp, 0}, temp},
      {23600, &PrintIsoGravityLabel, {Q::FuelSpecGravity, 0}, nullptr},
      {24100, &PrintIsoCalorificLabel, {Q::FuelCalorific, 0}, PrintCalorificUnit},
      {24600, &PrintIsoViscosityLabel, {Q::FuelViscosity, 0}, PrintViscosityUnit},
  };
  for (const auto& row : rows) {
    Text(page, RightLabelX, row.Y, T(*row.Label, language));
    Cell(page, RightCellX, RightCellWidth, row.Y, values.Of(row.Field.Quantity, row.Field.Index),
         row.Unit);
  }
}

// The remarks: lines to write on, or the comment wrapped into the same room,
// which ends clear of the footer on short paper.
void Remarks(PrintoutPage& page, int language, const FormValues& values, int pageHeight) {
  Text(page, LabelX, 20600, T(PrintRemarksLabel, language));
  const int bottom = std::min(RemarksBottom, FooterY(pageHeight) - FooterClearance);
  if (values.Data == nullptr) {
    for (int y = RemarksTop + RemarksLinePitch; y <= bottom; y += RemarksLinePitch) {
      Line(page, LabelX, y, RemarksRight, y);
    }
  } else if (bottom > RemarksTop) {
    page.Blocks.push_back({LabelX, RemarksTop, RemarksRight - LabelX, bottom - RemarksTop,
                           MemoFromComment(values.Data->Comment)});
  }
}

PrintoutPage AddDataPage(int language, const PrintUnits& units, int32_t cylCount,
                         const FormValues& values, int pageHeight) {
  PrintoutPage page;
  const int32_t cylinders = std::clamp<int32_t>(cylCount, 1, MaxCylinders);
  const bool dataPage = values.Data != nullptr;
  CylinderTable(page, language, cylinders, values);
  TurbochargerRows(page, language, units, values);
  PairRows(page, language, units, values, dataPage);
  IsoBlock(page, language, units, values);
  Remarks(page, language, values, pageHeight);
  Text(page, FooterX, FooterY(pageHeight), T(PrintoutFooter, language));
  return page;
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

PrintUnits PrintUnitsOf(const Settings& config) {
  return {config.TempUnit, config.PowerUnit, config.PressureUnit, config.LengthUnit};
}

PrintoutPage AdditionalDataFormPage(int language, const PrintUnits& units, int32_t cylCount,
                                    int pageHeight) {
  PrintoutPage page = AddDataPage(language, units, cylCount, FormValues{}, pageHeight);
  page.JobTitle = T(AddDataFormTitle, language);
  Text(page, 0, 500, page.JobTitle, PageText::PageCentre);
  return page;
}

PrintoutPage AdditionalDataPage(int language, const PrintUnits& units, const AdditionalData& data,
                                int32_t cylCount, const PrintedMeasurement& measurement,
                                int pageHeight) {
  FormValues values;
  values.Data = &data;
  values.Config = ConfigOf(units);
  PrintoutPage page = AddDataPage(language, units, cylCount, values, pageHeight);
  page.JobTitle = T(AddDataJobTitle, language) + measurement.FileName;
  std::string head = T(AddDataFileLabel, language) + measurement.FileName +
                     T(AddDataDateLabel, language) + measurement.Date +
                     T(AddDataTimeLabel, language) + measurement.Time;
  page.Texts.push_back({1000, 250, std::move(head), PageText::Left, PageWidth - 1000});
  page.Texts.push_back({1000, 1000, T(AddDataShipLabel, language) + Cp1252ToUtf8(data.ShipName),
                        PageText::Left, PageWidth - 1000});
  return page;
}

PrintoutPage EngineSetupPage(int language, const PrintUnits& units, const EngineSetup& setup,
                             const std::string& fileName) {
  PrintoutPage page;
  page.JobTitle = SetupPrintTitle;
  Text(page, 0, SetupTitleY, SetupPrintTitle, PageText::PageCentre);
  const SetupUnits shown{units.Length, units.Pressure};
  const auto caption = [&](const LangText& text) { return WithUnits(T(text, language), shown); };
  const auto number = [&](NumberField::Kind kind) {
    return Trimmed(NumberText(setup, {kind}, shown));
  };
  const std::pair<std::string, std::string> items[] = {
      {T(SetupPrintFileLabel, language), fileName},
      {T(SetupPrintCylindersLabel, language), CountText(setup, CountField::Cylinders)},
      {T(SetupStrokesCaption, language), CountText(setup, CountField::Strokes)},
      {T(SetupCycleCaption, language), CountText(setup, CountField::Cycle)},
      {T(SetupLayoutCaption, language), LetterText(setup, LetterField::EngineLayout, language)},
      {caption(SetupBoreCaption), number(NumberField::Bore)},
      {caption(SetupStrokeCaption), number(NumberField::Stroke)},
      {caption(SetupConRodCaption), number(NumberField::ConRod)},
      {T(SetupVAngleCaption, language), number(NumberField::VAngle)},
      {caption(SetupScavAirCaption), number(NumberField::Pscav)},
      {caption(SetupLimitCaption), number(NumberField::PmaxDevLimit)},
      {T(SetupTdcCorrectionCaption, language), number(NumberField::TdcCorrection)},
      {T(SetupTdcSensorCaption, language), LetterText(setup, LetterField::TdcSensor, language)},
      {T(SetupFuelAclCaption, language), LetterText(setup, LetterField::FuelAclSensor, language)},
  };
  int y = SetupFirstY;
  for (const auto& [label, value] : items) {
    Text(page, SetupX, y, label);
    page.Texts.push_back({SetupValueX, y, value, PageText::Left, SetupValueMaxWidth});
    y += SetupPitch;
  }

  const int cylinders = std::clamp<int32_t>(setup.CylCount, 1, MaxCylinders);
  Text(page, SetupX, y, T(SetupFiringOrderCaption, language));
  y += SetupGridPitch;
  for (int p = 1; p <= cylinders; ++p) {
    const int x = SetupX + (p - 1) % FiringPerRow * FiringColumn;
    Text(page, x, y + (p - 1) / FiringPerRow * SetupGridPitch,
         std::to_string(p) + ". " +
             Trimmed(NumberText(setup, {NumberField::FiringOrder, p}, shown)));
  }
  y += (cylinders + FiringPerRow - 1) / FiringPerRow * SetupGridPitch + SetupPitch - SetupGridPitch;

  Text(page, SetupX, y, T(SetupPrintDeviationsLabel, language));
  y += SetupGridPitch;
  for (int c = 1; c <= cylinders; ++c) {
    const int x = SetupX + (c - 1) % DeviationsPerRow * DeviationColumn;
    Text(page, x, y + (c - 1) / DeviationsPerRow * SetupGridPitch,
         std::to_string(c) + ": " +
             Trimmed(NumberText(setup, {NumberField::TdcDeviation, c}, shown)) + "\xC2\xB0");
  }
  return page;
}

}  // namespace zephirax
