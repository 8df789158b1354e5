#include "charts/EngineTable.h"

#include <algorithm>

#include "charts/ChartFrame.h"
#include "measurement/DisplayText.h"
#include "measurement/Evaluation.h"
#include "measurement/NumberText.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/Rounding.h"

namespace zephirax {

namespace {

constexpr int TableLeft = 30;
constexpr int TableTop = 40;
constexpr int RowPitch = 16;

// Column starts, measured from TableLeft; columns are 48 pixels apart.
constexpr int ColumnPitch = 48;
constexpr int ColumnCount = 12;
constexpr int CylColumn = 2;
constexpr int PtdcColumn = 50;
constexpr int PmaxColumn = 98;
constexpr int ApmaxColumn = 146;
constexpr int PexpColumn = 194;
constexpr int PscavColumn = 242;
constexpr int RpmColumn = 290;
constexpr int MipColumn = 338;
constexpr int PindColumn = 386;
constexpr int TexhColumn = 434;
constexpr int FrackColumn = 482;
constexpr int VitColumn = 530;
constexpr int CylNumberOffset = 10;
constexpr int RowLabelOffset = 5;
constexpr int LoadOffset = 450;
// The rules span the twelve columns: from the table's left edge to the end
// of the last column.
constexpr int TableWidth = ColumnPitch * ColumnCount + CylColumn;  // 578

constexpr LangText TableCylHeading{"CYL", "CYL", "CYL", "Cil"};
constexpr LangText TablePtdcHeading{"pTDC", "pTDC", "pPMH", "pTDC"};
constexpr LangText TablePscavHeading{"pscav", "pscav", "psural", "pscav"};
constexpr LangText TableRpmHeading{"rpm", "rpm", "rpm", "rev"};
constexpr LangText TableMipHeading{"MIP", "MIP", "pmi", "pmi"};
constexpr LangText TableTexhHeading{"Texh", "Texh", "T\u00e9chap", "Texh"};
constexpr LangText TableFrackHeading{"Frack", "Frack", "Cran", "Frack"};
constexpr LangText TableDegreeUnit{"[deg]", "[deg]", "[deg]", "[grados]"};
constexpr LangText TableRpmUnit{"[1/min]", "[1/min]", "[t/min]", "[1/min]"};
constexpr LangText TableMeanLabel{"Mean", "Mean", "Moy", "medio"};
constexpr LangText TableSumLabel{"Psum", "Psum", "Pmot", "Psum"};

// Field width and decimals of a pressure figure in each unit.
constexpr PressureFormat CurveRowFormat{5, 1, 4, 1, 4, 0};  // pTDC, pmax, pexp
constexpr PressureFormat CurveMeanFormat{5, 1, 4, 1, 6, 1};
constexpr PressureFormat PscavFormat{4, 2, 4, 3, 5, 2};
constexpr PressureFormat MipRowFormat{4, 1, 4, 2, 3, 0};
// The MPa mean keeps the row's two decimals: whole MPa would show a typical
// MIP of 1.8 MPa as 2.
constexpr PressureFormat MipMeanFormat{4, 1, 4, 2, 4, 2};

// "[MPa]" over the curve pressures, "[Mpa]" over pexp, pscav and MIP.
std::string PressureUnitText(int unit, bool capitalA) {
  if (unit == UnitMPa) return capitalA ? "[MPa]" : "[Mpa]";
  return std::string("[") + PressureUnitName(unit) + "]";
}

// Power figures of one cylinder (whole kW), of the mean and of the sum.
std::string PindText(long long kW, int powerUnit, int kWWidth, int hpWidth) {
  if (powerUnit == UnitHp) return FormatFixed(PowerToDisplay(kW, UnitHp), hpWidth, 0);
  return FormatInt(kW, kWWidth);
}

std::string TexhText(int degC, int tempUnit) {
  if (tempUnit == UnitDegF) return FormatInt(RoundHalfEven(TempToDisplay(degC, UnitDegF)), 3);
  return FormatInt(degC, 3);
}

std::string RackText(double value) {
  return PointDecimalComma(FormatFixed(value, 5, 1));
}

int RowY(int row) {
  return TableTop + 25 + RowPitch * row;
}

// The line under row `row` (0 is the header), one pixel above the next row's text.
int RuleY(int row) {
  return TableTop + 40 + RowPitch * row;
}

void Write(Canvas& canvas, int column, int y, const std::string& text) {
  canvas.TextOut(TableLeft + column, y, text);
}

// Boxes around the mean and sum rows, lines under the header and every
// cylinder row, vertical lines between the columns from the top rule down to
// the mean row. The sum row carries the load text across several columns, so
// it has its box only.
void DrawRules(Canvas& canvas, int cylinders, bool sumRow) {
  const int left = TableLeft;
  const int right = TableLeft + TableWidth;
  int bottom = RuleY(0);
  if (cylinders > 0) {
    bottom = RuleY(cylinders + 1);
    canvas.Rectangle(left, RuleY(cylinders), right + 1, bottom + 1);
    if (sumRow) canvas.Rectangle(left, bottom, right + 1, RuleY(cylinders + 2) + 1);
  }
  for (const int y : {TableTop - 5, RuleY(0)}) {
    canvas.MoveTo(left, y);
    canvas.LineTo(right, y);
  }
  for (int row = 1; row < cylinders; ++row) {
    canvas.MoveTo(left, RuleY(row));
    canvas.LineTo(right, RuleY(row));
  }
  for (int k = 0; k <= ColumnCount; ++k) {
    const int x = left + (k == ColumnCount ? TableWidth : k * ColumnPitch);
    canvas.MoveTo(x, TableTop - 5);
    canvas.LineTo(x, bottom);
  }
}

void DrawHeader(Canvas& canvas, const Settings& config) {
  const int language = config.Language;
  const int unit = config.PressureUnit;
  const int top = TableTop;
  const int units = TableTop + 20;
  Write(canvas, CylColumn, top, Tr(TableCylHeading, language));
  Write(canvas, PtdcColumn, top, Tr(TablePtdcHeading, language));
  Write(canvas, PmaxColumn, top - 4, "pmax");
  Write(canvas, PmaxColumn, top + 8, "mean");
  Write(canvas, ApmaxColumn, top, "apmax");
  Write(canvas, PexpColumn, top, "pexp");
  Write(canvas, PscavColumn, top, Tr(TablePscavHeading, language));
  Write(canvas, RpmColumn, top, Tr(TableRpmHeading, language));
  Write(canvas, MipColumn, top, Tr(TableMipHeading, language));
  Write(canvas, PindColumn, top, "Pind");
  Write(canvas, TexhColumn, top, Tr(TableTexhHeading, language));
  Write(canvas, FrackColumn, top, Tr(TableFrackHeading, language));
  Write(canvas, VitColumn, top, "VIT");

  Write(canvas, PtdcColumn, units, PressureUnitText(unit, true));
  Write(canvas, PmaxColumn, units, PressureUnitText(unit, true));
  Write(canvas, ApmaxColumn, units, Tr(TableDegreeUnit, language));
  Write(canvas, PexpColumn, units, PressureUnitText(unit, false));
  Write(canvas, PscavColumn, units, PressureUnitText(unit, false));
  Write(canvas, RpmColumn, units, Tr(TableRpmUnit, language));
  Write(canvas, MipColumn, units, PressureUnitText(unit, false));
  Write(canvas, PindColumn, units, std::string("[") + PowerUnitName(config.PowerUnit) + "]");
  Write(canvas, TexhColumn, units, config.TempUnit == UnitDegF ? "[\u00b0F]" : "[\u00b0C]");
}

// Column totals over the cylinders, in the stored units, for the mean row.
struct ColumnSums {
  double Ptdc = 0, Pmax = 0, Apmax = 0, Pexp = 0, Rpm = 0, Mip = 0;
  double Texh = 0, Frack = 0, Vit = 0;
  long long Pind = 0;
};

}  // namespace

std::string PointDecimalComma(std::string figure) {
  std::replace(figure.begin(), figure.end(), ',', '.');
  return figure;
}

void ShowEngineTable(const ViewContext& state, Canvas& canvas) {
  BeginChart(state, canvas, ViewEngineTable);
  const MeasurementData& data = state.Measurement;
  const AdditionalData& add = state.AddData;
  const Settings& config = state.Config;
  const int unit = config.PressureUnit;
  const bool curves = data.HasMipBlock;
  const bool addData = state.HasAddData;
  const int cylinders =
      data.CylCount >= 1 && data.CylCount <= MaxCylinders ? static_cast<int>(data.CylCount) : 0;

  DrawRules(canvas, cylinders, curves);
  DrawHeader(canvas, config);
  if (cylinders == 0) return;

  // Cells are written left to right, each column only when its data exist.
  ColumnSums sum;
  for (int i = 1; i <= cylinders; ++i) {
    const int y = RowY(i);
    const CylinderResult v = curves ? CylinderValues(data, i) : CylinderResult{};
    Write(canvas, CylNumberOffset, y, FormatInt(i, 2));
    if (curves) Write(canvas, PtdcColumn, y, PressureText(v.pTDC, unit, CurveRowFormat));
    Write(canvas, PmaxColumn, y, PressureText(data.PmaxMean[i], unit, CurveRowFormat));
    if (curves) {
      Write(canvas, ApmaxColumn, y, FormatFixed(v.apmax, 4, 1));
      Write(canvas, PexpColumn, y, PressureText(v.pexp, unit, CurveRowFormat));
    }
    Write(canvas, PscavColumn, y, PressureText(data.Pscav, unit, PscavFormat));
    Write(canvas, RpmColumn, y, RpmText(data.CylRpm[i]));
    if (curves) {
      Write(canvas, MipColumn, y, PressureText(data.CylMip[i], unit, MipRowFormat));
      Write(canvas, PindColumn, y, PindText(data.CylPind[i], config.PowerUnit, 4, 3));
    }
    if (addData) {
      Write(canvas, TexhColumn, y, TexhText(add.Texh[i], config.TempUnit));
      Write(canvas, FrackColumn, y, RackText(add.FuelRack[i]));
      Write(canvas, VitColumn, y, RackText(add.Vit[i]));
    }
    sum.Ptdc += v.pTDC;
    sum.Pmax += data.PmaxMean[i];
    sum.Apmax += v.apmax;
    sum.Pexp += v.pexp;
    sum.Rpm += data.CylRpm[i];
    sum.Mip += data.CylMip[i];
    sum.Pind += data.CylPind[i];
    sum.Texh += add.Texh[i];
    sum.Frack += add.FuelRack[i];
    sum.Vit += add.Vit[i];
  }

  const double n = cylinders;
  const int meanY = RowY(cylinders + 1);
  const int power = config.PowerUnit;
  Write(canvas, RowLabelOffset, meanY, Tr(TableMeanLabel, config.Language));
  if (curves) Write(canvas, PtdcColumn, meanY, PressureText(sum.Ptdc / n, unit, CurveMeanFormat));
  Write(canvas, PmaxColumn, meanY, PressureText(sum.Pmax / n, unit, CurveMeanFormat));
  if (curves) {
    Write(canvas, ApmaxColumn, meanY, FormatFixed(sum.Apmax / n, 4, 1));
    Write(canvas, PexpColumn, meanY, PressureText(sum.Pexp / n, unit, CurveMeanFormat));
  }
  Write(canvas, PscavColumn, meanY, PressureText(data.Pscav, unit, PscavFormat));
  Write(canvas, RpmColumn, meanY, FormatFixed(sum.Rpm / n, 6, 1));
  if (curves) {
    // The mean power in the row's format, rounded to whole kW or hp.
    const double pindMean = PowerToDisplay(static_cast<double>(sum.Pind) / n, power);
    Write(canvas, MipColumn, meanY, PressureText(sum.Mip / n, unit, MipMeanFormat));
    Write(canvas, PindColumn, meanY, FormatFixed(pindMean, power == UnitHp ? 3 : 4, 0));
  }
  if (addData) {
    Write(canvas, TexhColumn, meanY,
          FormatFixed(TempToDisplay(sum.Texh / n, config.TempUnit), 5, 1));
    Write(canvas, FrackColumn, meanY, RackText(sum.Frack / n));
    Write(canvas, VitColumn, meanY, RackText(sum.Vit / n));
  }

  if (!curves) return;
  const int sumY = RowY(cylinders + 2);
  Write(canvas, RowLabelOffset, sumY, Tr(TableSumLabel, config.Language));
  Write(canvas, PindColumn, sumY, PindText(sum.Pind, power, 5, 4));
  Write(canvas, LoadOffset, sumY, "Load = " + FormatFixed(add.EngineLoad, 5, 1) + "  %");
}

}  // namespace zephirax
