#include "analysis/PAlphaBoxes.h"

#include <algorithm>

#include "analysis/EvaluationTexts.h"
#include "measurement/DisplayText.h"
#include "measurement/NumberText.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/Rounding.h"

namespace zephirax {
namespace {

constexpr int TdcIndex = 720;   // working-curve index of TDC
constexpr int PexpIndex = 864;  // 36 degrees after TDC
constexpr int LastIndex = SamplesPerCurve - 1;

// Field width and decimals of a pressure readout in each unit.
constexpr PressureFormat PressureFmt{5, 1, 5, 2, 4, 0};
constexpr PressureFormat PscavFmt{4, 2, 4, 3, 5, 2};
constexpr PressureFormat FuelLowFmt{5, 1, 5, 2, 4, 0};   // fuel level before injection
constexpr PressureFormat FuelHighFmt{6, 1, 6, 2, 5, 0};  // injection pressures
constexpr PressureFormat DpDaFmt{6, 1, 6, 2, 6, 1};

std::string PressureUnitText(int unit) {
  return std::string("[") + PressureUnitName(unit) + "]";
}

std::string AngleText(double degrees) {
  return FormatFixed(degrees, 5, 2);
}

// Engine speeds at idle need the decimal, running speeds do not; here 200
// itself still counts as idle.
std::string PAlphaRpmText(float rpm) {
  return rpm > 200 ? FormatFixed(rpm, 4, 0) : FormatFixed(rpm, 5, 1);
}

double CursorAngle(int cursorPos) {
  return cursorPos / 4.0 - 180.0;
}

bool ValidCylinder(int cylinder) {
  return cylinder >= 1 && cylinder <= MaxCylinders;
}

// The largest of value(first) .. value(last): running maximum from 0,
// strictly larger values only, so the first of equal maxima wins. Without any
// value above 0 the maximum is 0 at TDC.
struct Peak {
  float Value = 0;
  int Index = TdcIndex;
};

template <class ValueAt>
Peak FindPeak(ValueAt value, int first, int last) {
  Peak peak;
  for (int k = first; k <= last; ++k) {
    if (value(k) > peak.Value) {
      peak.Value = value(k);
      peak.Index = k;
    }
  }
  return peak;
}

Peak CurvePeak(const WorkCurve& work, int sampleCount) {
  return FindPeak([&work](int k) { return work[k]; }, 0, sampleCount - 1);
}

int SampleCount(const ViewContext& state) {
  return CurveSamples(state.Measurement);
}

// The working-curve index the cursor reads. The 180-sample layout runs its
// cursor over 360..1080, four cursor steps to a sample.
int CursorIndex(const ViewContext& state) {
  const int cursor = state.View.CursorPos;
  if (SampleCount(state) == CoarseSamples)
    return std::clamp(RoundHalfEven((cursor - 360) / 4.0), 0, CoarseSamples - 1);
  return std::clamp(cursor, 0, LastIndex);
}

// Writes texts in the box font, switching the font colour only when needed.
class BoxWriter {
 public:
  explicit BoxWriter(Canvas& canvas) : canvas_(canvas) {
    canvas_.SetFont("Arial", 14, true);
    canvas_.SetFontColor(Colors::Black);
  }
  ~BoxWriter() {
    if (color_ != Colors::Black) canvas_.SetFontColor(Colors::Black);
  }
  BoxWriter(const BoxWriter&) = delete;
  BoxWriter& operator=(const BoxWriter&) = delete;

  void Put(int x, int y, const std::string& text, Color color = Colors::Black) {
    if (color != color_) {
      canvas_.SetFontColor(color);
      color_ = color;
    }
    canvas_.TextOut(x, y, text);
  }

 private:
  Canvas& canvas_;
  Color color_ = Colors::Black;
};

void WhiteBox(Canvas& canvas, Color pen, int x1, int y1, int x2, int y2) {
  canvas.SetPen(pen, 1, PenStyle::Solid);
  canvas.SetBrush(Colors::White);
  canvas.Rectangle(x1, y1, x2, y2);
  if (pen != Colors::Black) canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
}

// Single-view box rows: offsets from y = 50.
enum SingleRow {
  RowCyl = 0,
  RowPtdc = 20,
  RowPmax = 36,
  RowApmax = 52,
  RowPexp = 68,
  RowRpm = 84,
  RowMip = 100,
  RowPind = 116,
  RowTexh = 132,
  RowPscav = 148,
  RowFrack = 164,
  RowVit = 180,
  RowShift = 200,
  RowPcur = 220,
  RowAcur = 240,
};

constexpr int SingleBoxTop = 50;

enum class RowUnit { None, Pressure, Angle, Rpm, Power, Temp };

struct SingleCaption {
  int Offset;
  LangText Text;
  RowUnit Unit;
};

constexpr SingleCaption SingleCaptions[] = {
    {RowCyl, {"Cyl : ", "Cyl : ", "Cyl : ", "Cil : "}, RowUnit::None},
    {RowPtdc, {"ptdc : ", "ptdc : ", "pPMH : ", "ptdc : "}, RowUnit::Pressure},
    {RowPmax, {"pmax : ", "pmax : ", "pmax : ", "pmax : "}, RowUnit::Pressure},
    {RowApmax, {"apmax : ", "apmax : ", "apmax : ", "apmax : "}, RowUnit::Angle},
    {RowPexp, {"pexp : ", "pexp : ", "pexp : ", "pexp : "}, RowUnit::Pressure},
    {RowRpm, {"rpm : ", "rpm : ", "rpm : ", "rev : "}, RowUnit::Rpm},
    {RowMip, {"mip : ", "mip : ", "pmi : ", "pmi : "}, RowUnit::Pressure},
    {RowPind, {"pind : ", "pind : ", "pind : ", "pind : "}, RowUnit::Power},
    {RowTexh,
     {"texh : ", "texh : ",
      "t\xC3\xA9"
      "chap : ",
      "texh : "},
     RowUnit::Temp},
    {RowPscav, {"pscav : ", "pscav : ", "psural : ", "pscav : "}, RowUnit::Pressure},
    {RowFrack, {"frack : ", "frack : ", "cran : ", "frack : "}, RowUnit::None},
    {RowVit, {"vit : ", "vit : ", "vit : ", "vit : "}, RowUnit::None},
    {RowShift,
     {"shift : ", "shift : ",
      "d\xC3\xA9"
      "cal : ",
      "desvio: "},
     RowUnit::Angle},
    {RowPcur, {"pcur : ", "pcur : ", "pcur : ", "pcur : "}, RowUnit::Pressure},
    {RowAcur, {"acur : ", "acur : ", "acur : ", "acur : "}, RowUnit::Angle},
};

std::string RowUnitText(const ViewContext& state, RowUnit unit) {
  const Settings& config = state.Config;
  switch (unit) {
    case RowUnit::Pressure:
      return PressureUnitText(config.PressureUnit);
    case RowUnit::Angle:
      return Tr(DegUnit, config.Language);
    case RowUnit::Rpm:
      return Tr(RpmUnit, config.Language);
    case RowUnit::Power:
      return std::string("[") + PowerUnitName(config.PowerUnit) + "]";
    case RowUnit::Temp:
      return config.TempUnit == UnitDegF ? "[\xC2\xB0"
                                           "F]"
                                         : "[\xC2\xB0"
                                           "C]";
    case RowUnit::None:
      break;
  }
  return "";
}

// A regional number with one decimal, as the additional data are shown.
std::string AddDataNumber(float value, const NumberFormat& regional) {
  return FormatRegionalNumber(value, 1, regional);
}

constexpr LangText CylHeader{"Cyl ", "Cyl ", "Cyl ", "Cil "};
constexpr LangText ShiftRowCaption{"shift:", "shift:",
                                   "d\xC3\xA9"
                                   "cal:",
                                   "shift:"};

}  // namespace

void DrawSingleValueBoxFrame(const ViewContext& state, Canvas& canvas) {
  const int width = canvas.Width();
  WhiteBox(canvas, Colors::Black, width - 190, 45, width - 38, 310);
  canvas.MoveTo(width - 190, 270);
  canvas.LineTo(width - 38, 270);
  BoxWriter out(canvas);
  for (const SingleCaption& row : SingleCaptions) {
    const int y = SingleBoxTop + row.Offset;
    out.Put(width - 180, y, Tr(row.Text, state.Config.Language));
    const std::string unit = RowUnitText(state, row.Unit);
    if (!unit.empty()) out.Put(width - 80, y, unit);
  }
}

void WriteSingleValues(const ViewContext& state, Canvas& canvas, int cylinder,
                       const WorkCurve& work) {
  if (!ValidCylinder(cylinder)) return;
  const MeasurementData& data = state.Measurement;
  const Settings& config = state.Config;
  const int unit = config.PressureUnit;
  const bool fullLayout = SampleCount(state) == SamplesPerCurve;
  const int x = canvas.Width() - 120;
  auto y = [](int offset) { return SingleBoxTop + offset; };

  BoxWriter out(canvas);
  out.Put(canvas.Width() - 100, y(RowCyl), std::to_string(cylinder));
  out.Put(x, y(RowPtdc), PressureText(work[TdcIndex], unit, PressureFmt));

  const Peak peak = CurvePeak(work, SampleCount(state));
  out.Put(x, y(RowPmax), PressureText(peak.Value, unit, PressureFmt));
  if (fullLayout) {
    out.Put(x, y(RowApmax), AngleText((peak.Index - TdcIndex) / 4.0));
    out.Put(x, y(RowPexp), PressureText(work[PexpIndex], unit, PressureFmt));
  }

  out.Put(x, y(RowRpm), PAlphaRpmText(data.CylRpm[cylinder]));
  out.Put(x, y(RowMip), PressureText(data.CylMip[cylinder], unit, MipFormat));
  if (config.PowerUnit == UnitHp)
    out.Put(x, y(RowPind), FormatFixed(data.CylPind[cylinder] * HpPerKWViews, 4, 0));
  else
    out.Put(x, y(RowPind), FormatInt(data.CylPind[cylinder], 4));

  if (state.HasAddData) {
    const AdditionalData& add = state.AddData;
    const int32_t texh = add.Texh[cylinder];
    out.Put(x, y(RowTexh),
            config.TempUnit == UnitDegF ? FormatInt(RoundHalfEven(texh * 1.8 + 32), 3)
                                        : FormatInt(texh, 3));
    std::string frack = AddDataNumber(add.FuelRack[cylinder], state.Regional);
    const size_t head = std::min<size_t>(frack.size(), 5);
    std::replace(frack.begin(), frack.begin() + head, ',', '.');
    out.Put(x, y(RowFrack), frack);
    out.Put(x, y(RowVit), AddDataNumber(add.Vit[cylinder], state.Regional));
  }

  out.Put(x, y(RowPscav), PressureText(data.Pscav, unit, PscavFmt));
  if (fullLayout) out.Put(x, y(RowShift), FormatFixed(data.TdcShift[cylinder], 4, 1));
  out.Put(x, y(RowPcur), PressureText(work[CursorIndex(state)], unit, PressureFmt));
  if (fullLayout) out.Put(x, y(RowAcur), AngleText(CursorAngle(state.View.CursorPos)));
}

void DrawZoomCursorBox(const ViewContext& state, Canvas& canvas, int cylinder,
                       const WorkCurve& work) {
  if (!ValidCylinder(cylinder)) return;
  const Settings& config = state.Config;
  const int unit = config.PressureUnit;
  const int width = canvas.Width();
  const int captionX = width - 170, valueX = width - 130, unitX = width - 90;
  const int cursor = std::clamp(state.View.CursorPos, 0, LastIndex);

  WhiteBox(canvas, Colors::Black, width - 180, 50, width - 35, 135);
  BoxWriter out(canvas);
  out.Put(captionX, 55, Tr(CylHeader, config.Language) + FormatInt(cylinder, 2));

  out.Put(captionX, 70, "pcur :");
  out.Put(valueX, 70, PressureText(work[cursor], unit, PressureFmt), Colors::Green);
  out.Put(unitX, 70, PressureUnitText(unit));

  out.Put(captionX, 85, "acur :");
  out.Put(valueX, 85, AngleText(CursorAngle(state.View.CursorPos)), Colors::Red);
  out.Put(unitX, 85, Tr(DegUnit, config.Language));

  if (state.View.FuelOn && state.Measurement.HasExtraChannel) {
    const float fuel = state.Measurement.ExtraCurve[cylinder][cursor + 1];
    out.Put(captionX, 100, "fpcur:");
    out.Put(valueX, 100, PressureText(fuel, unit, FuelHighFmt), Colors::Purple);
    out.Put(unitX, 100, PressureUnitText(unit));
  }

  if (state.View.DpDaOn) {
    // The difference needs a neighbour on each side.
    const float dpda = DpDaAt(work, std::clamp(cursor, 1, LastIndex - 1));
    out.Put(captionX, 115, "dp/da:");
    out.Put(valueX, 115, PressureText(dpda, unit, DpDaFmt), Colors::Blue);
    const char* perAngle = config.Language == Spanish ? "/grados]" : "/deg]";
    out.Put(unitX, 115, std::string("[") + PressureUnitName(unit) + perAngle);
  }
}

FuelInjectionValues FuelInjection(const Curve& extra) {
  // E(k) counts from 0 like the working curves; the stored curve from 1.
  auto e = [&extra](int k) { return extra[k + 1]; };
  FuelInjectionValues v;
  v.Fpnrp = (e(1) + e(2) + e(3)) / 3;

  const Peak peak = FindPeak(e, 1, LastIndex);
  v.Fmaxp = peak.Value;
  const float half = v.Fpnrp + (v.Fmaxp - v.Fpnrp) / 2;

  int start = 1;
  for (int k = 1; k < LastIndex; ++k) {
    if (e(k + 1) - e(k) > 5) {
      start = k;
      break;
    }
  }
  v.Fpsta = (start - TdcIndex) / 4.0f;

  int opening = -1;
  for (int k = 1; k <= LastIndex; ++k) {
    if (e(k) > half) {
      opening = k;
      break;
    }
  }
  if (opening < 0) return v;
  v.Fvoa = (opening - TdcIndex) / 4.0f;
  v.Fvop = e(opening);

  for (int j = peak.Index; j <= LastIndex; ++j) {
    if (e(j) < half) {
      v.Fdur = (j - opening) / 4.0f;
      break;
    }
  }
  return v;
}

void DrawFuelBox(const ViewContext& state, Canvas& canvas, int cylinder) {
  if (!ValidCylinder(cylinder)) return;
  const int unit = state.Config.PressureUnit;
  const int left = state.Drawing.PlotLeft;
  const int captionX = left + 15, valueX = left + 60, unitX = left + 120;
  const FuelInjectionValues v = FuelInjection(state.Measurement.ExtraCurve[cylinder]);
  const std::string pressureUnit = PressureUnitText(unit);
  const std::string angleUnit = Tr(DegUnit, state.Config.Language);

  // Wide enough for "[grados]" behind the unit column.
  WhiteBox(canvas, Colors::Purple, left + 10, 60, left + 185, 160);
  BoxWriter out(canvas);
  auto row = [&](int y, const char* caption, const std::string& value,
                 const std::string& unitText) {
    out.Put(captionX, y, caption);
    out.Put(valueX, y, value, Colors::Purple);
    out.Put(unitX, y, unitText);
  };
  // Values that depend on a crossing that never happens are shown as a dash.
  auto optionalAngle = [](const std::optional<float>& a) {
    return a ? AngleText(*a) : std::string("-");
  };

  row(65, "fpnrp:", PressureText(v.Fpnrp, unit, FuelLowFmt), pressureUnit);
  row(80, "fpsta:", AngleText(v.Fpsta), angleUnit);
  row(95, "fvoa:", optionalAngle(v.Fvoa), angleUnit);
  row(110, "fvop:", v.Fvop ? PressureText(*v.Fvop, unit, FuelHighFmt) : std::string("-"),
      pressureUnit);
  row(125, "fmaxp:", PressureText(v.Fmaxp, unit, FuelHighFmt), pressureUnit);
  row(140, "fdur:", optionalAngle(v.Fdur), angleUnit);
}

void DrawReferenceTable(const ViewContext& state, Canvas& canvas, int cylinder,
                        const WorkCurve& work, const WorkCurve& refWork) {
  const int refCylinder = state.View.RefCylinder;
  if (!ValidCylinder(cylinder) || !ValidCylinder(refCylinder)) return;
  const MeasurementData& data = state.Measurement;
  const ReferenceData& ref = state.Reference;
  const Settings& config = state.Config;
  const int unit = config.PressureUnit;
  const int language = config.Language;
  const bool fullLayout = SampleCount(state) == SamplesPerCurve;

  // The box's left edge; the 180-sample layout puts it at the right.
  const int left = fullLayout ? state.Drawing.PlotLeft + 10 : state.Drawing.PlotRight - 200;
  const int captionX = left + 5, curX = left + 60, refX = left + 100, unitX = left + 140;
  const int bottom = fullLayout ? 180 : 160;
  WhiteBox(canvas, Colors::Black, left, 55, left + 200, bottom);
  canvas.MoveTo(left, 140);
  canvas.LineTo(left + 200, 140);

  BoxWriter out(canvas);
  out.Put(curX, 60, Tr(CylHeader, language) + std::to_string(cylinder), Colors::Green);
  out.Put(refX, 60, "Ref " + std::to_string(refCylinder), Colors::Blue);

  auto row = [&](int y, const char* caption, const std::string& current,
                 const std::string& reference, const std::string& unitText) {
    out.Put(captionX, y, caption);
    out.Put(curX, y, current, Colors::Green);
    out.Put(refX, y, reference, Colors::Blue);
    out.Put(unitX, y, unitText);
  };

  const int samples = SampleCount(state);
  row(80, "pmax :", PressureText(CurvePeak(work, samples).Value, unit, PressureFmt),
      PressureText(CurvePeak(refWork, samples).Value, unit, PressureFmt), PressureUnitText(unit));
  row(100, language == Spanish ? "rev  :" : "rpm  :", PAlphaRpmText(data.CylRpm[cylinder]),
      PAlphaRpmText(ref.RefCylRpm[refCylinder]), Tr(RpmUnit, language));
  if (fullLayout) {
    row(120, language == French || language == Spanish ? "pmi  :" : "mip  :",
        PressureText(data.CylMip[cylinder], unit, MipFormat),
        PressureText(ref.RefCylMip[refCylinder], unit, MipFormat), PressureUnitText(unit));
  }
  if (state.View.CurrentView == ViewTdcManual) {
    // In the manual TDC view the cursor buttons shift the curve, so the
    // table shows how far each cylinder has been shifted instead.
    row(140, Tr(ShiftRowCaption, language), FormatFixed(data.TdcShift[cylinder], 4, 1),
        FormatFixed(data.TdcShift[refCylinder], 4, 1), Tr(DegUnit, language));
  } else {
    const int cursor = CursorIndex(state);
    row(140, "pcur :", PressureText(work[cursor], unit, PressureFmt),
        PressureText(refWork[cursor], unit, PressureFmt), PressureUnitText(unit));
  }
  if (fullLayout) {
    out.Put(captionX, 160, "acur :");
    out.Put(curX, 160, AngleText(CursorAngle(state.View.CursorPos)), Colors::Red);
    out.Put(unitX, 160, Tr(DegUnit, language));
  }
}

}  // namespace zephirax
