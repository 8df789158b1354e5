#include "analysis/PAlphaBoxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/RecordingCanvas.h"
#include "support/CanvasQuery.h"
#include "support/ViewFixture.h"

namespace zephirax {
namespace {

constexpr int Width = 800;

struct Fixture {
  test::ViewFixture state;
  RecordingCanvas canvas;
  WorkCurve work{};

  Fixture() {
    MeasurementData& d = *state.Measurement;
    d.CylCount = 6;
    d.HasMipBlock = true;
    d.CylRpm[3] = 95.5f;
    d.CylMip[3] = 18.5f;
    d.CylPind[3] = 1000;
    d.Pscav = 2.5;
    d.TdcShift[3] = -1.25f;
    work.fill(10.0f);
    work[720] = 100.5f;
    work[740] = 150.3f;
    work[760] = 150.3f;  // an equal later maximum does not move apmax
    work[864] = 62.0f;
    work[800] = 80.0f;
    state.View.CursorPos = 800;
    state.Drawing.PlotLeft = 30;
    state.Drawing.PlotRight = Width - 30;
    canvas.SetSize(Width, 600);
    canvas.Clear();
  }
};

TEST(PAlphaBoxes, SingleBoxFrameCaptionsByLanguageAndUnit) {
  struct Case {
    int language, unit;
    int y;
    std::string caption, unitText;
  };
  const Case cases[] = {
      {English, UnitBar, 70, "ptdc : ", "[bar]"},
      {French, UnitBar, 70, "pPMH : ", "[bar]"},
      {French, UnitPsi, 182,
       "t\xC3\xA9"
       "chap : ",
       "[\xC2\xB0"
       "C]"},
      {Spanish, UnitMPa, 250, "desvio: ", "[grados]"},
      {Spanish, UnitMPa, 50, "Cil : ", "<none>"},
      {French, UnitPsi, 134, "rpm : ", "[t/min]"},
  };
  for (const Case& c : cases) {
    Fixture f;
    f.state.Config.Language = c.language;
    f.state.Config.PressureUnit = c.unit;
    DrawSingleValueBoxFrame(f.state, f.canvas);
    SCOPED_TRACE(c.caption);
    EXPECT_EQ(TextOr(f.canvas, Width - 180, c.y), c.caption);
    EXPECT_EQ(TextOr(f.canvas, Width - 80, c.y), c.unitText);
  }
  Fixture f;
  f.state.Config.PressureUnit = UnitPsi;
  DrawSingleValueBoxFrame(f.state, f.canvas);
  EXPECT_EQ(TextOr(f.canvas, Width - 80, 70), "[psi]");
  const auto& ops = f.canvas.Ops();
  const auto rect =
      std::find_if(ops.begin(), ops.end(), [](auto& op) { return op.Op == "Rectangle"; });
  ASSERT_NE(rect, ops.end());
  EXPECT_EQ(std::tie(rect->A, rect->B, rect->C, rect->D),
            std::make_tuple(Width - 190, 45, Width - 38, 310));
}

TEST(PAlphaBoxes, SingleValuesPerPressureUnit) {
  struct Case {
    int unit;
    std::string ptdc, pmax, pexp, mip, pscav, pcur;
  };
  const Case cases[] = {
      {UnitBar, "100.5", "150.3", " 62.0", "18.5", "2.50", " 80.0"},
      {UnitPsi, "1460", "2183", " 901", "269", "36.31", "1162"},
      {UnitMPa, "10.05", "15.03", " 6.20", "1.85", "0.250", " 8.00"},
  };
  for (const Case& c : cases) {
    Fixture f;
    f.state.Config.PressureUnit = c.unit;
    WriteSingleValues(f.state, f.canvas, 3, f.work);
    SCOPED_TRACE(c.unit);
    const int x = Width - 120;
    EXPECT_EQ(TextOr(f.canvas, Width - 100, 50), "3");
    EXPECT_EQ(TextOr(f.canvas, x, 70), c.ptdc);
    EXPECT_EQ(TextOr(f.canvas, x, 86), c.pmax);
    EXPECT_EQ(TextOr(f.canvas, x, 102), " 5.00");  // the first of the equal maxima
    EXPECT_EQ(TextOr(f.canvas, x, 118), c.pexp);
    EXPECT_EQ(TextOr(f.canvas, x, 134), " 95.5");
    EXPECT_EQ(TextOr(f.canvas, x, 150), c.mip);
    EXPECT_EQ(TextOr(f.canvas, x, 166), "1000");
    EXPECT_EQ(TextOr(f.canvas, x, 198), c.pscav);
    EXPECT_EQ(TextOr(f.canvas, x, 250), "-1.2");
    EXPECT_EQ(TextOr(f.canvas, x, 270), c.pcur);
    EXPECT_EQ(TextOr(f.canvas, x, 290), "20.00");
    EXPECT_EQ(TextOr(f.canvas, x, 182), "<none>");  // no additional data loaded
  }
}

TEST(PAlphaBoxes, RpmDecimalsAndHorsePower) {
  Fixture f;
  f.state.Config.PowerUnit = UnitHp;
  f.state.Measurement->CylRpm[3] = 200.0f;
  f.state.Measurement->CylRpm[4] = 200.1f;
  WriteSingleValues(f.state, f.canvas, 3, f.work);
  EXPECT_EQ(TextOr(f.canvas, Width - 120, 134), "200.0");
  EXPECT_EQ(TextOr(f.canvas, Width - 120, 166), "1360");
  f.canvas.Clear();
  WriteSingleValues(f.state, f.canvas, 4, f.work);
  EXPECT_EQ(TextOr(f.canvas, Width - 120, 134), " 200");
}

TEST(PAlphaBoxes, AdditionalDataInRegionalFormat) {
  Fixture f;
  f.state.HasAddData = true;
  f.state.Config.TempUnit = UnitDegF;
  f.state.Regional = {",", "."};
  f.state.AddData.Texh[3] = 350;
  f.state.AddData.FuelRack[3] = 65.5f;
  f.state.AddData.Vit[3] = 1234.5f;
  WriteSingleValues(f.state, f.canvas, 3, f.work);
  EXPECT_EQ(TextOr(f.canvas, Width - 120, 182), "662");
  EXPECT_EQ(TextOr(f.canvas, Width - 120, 214), "65.5");     // comma within the first five
  EXPECT_EQ(TextOr(f.canvas, Width - 120, 230), "1.234,5");  // vit keeps its separators

  f.canvas.Clear();
  f.state.AddData.FuelRack[3] = 1234.5f;  // its decimal comma is the sixth character
  WriteSingleValues(f.state, f.canvas, 3, f.work);
  EXPECT_EQ(TextOr(f.canvas, Width - 120, 214), "1.234,5");
}

TEST(PAlphaBoxes, CoarseLayoutReadsOnlyItsSamples) {
  Fixture f;
  f.state.Measurement->HasMipBlock = false;
  for (int k = 0; k < 180; ++k) f.work[k] = static_cast<float>(k);
  f.work[720] = 500.0f;  // beyond the 180 samples: not a maximum
  struct Case {
    int cursor;
    std::string pcur;
  };
  // Index Round((cursor - 360) / 4), halves to even, held inside the samples.
  const Case cases[] = {{362, "  0.0"}, {366, "  2.0"}, {1080, "179.0"}, {0, "  0.0"}};
  for (const Case& c : cases) {
    f.canvas.Clear();
    f.state.View.CursorPos = c.cursor;
    WriteSingleValues(f.state, f.canvas, 3, f.work);
    EXPECT_EQ(TextOr(f.canvas, Width - 120, 270), c.pcur) << c.cursor;
    EXPECT_EQ(TextOr(f.canvas, Width - 120, 86), "179.0");
    for (int y : {102, 118, 250, 290}) EXPECT_EQ(TextOr(f.canvas, Width - 120, y), "<none>") << y;
  }
}

Curve FuelCurve(std::initializer_list<std::pair<int, float>> points, float base = 100) {
  Curve c{};
  for (int k = 0; k < SamplesPerCurve; ++k) c[k + 1] = base;
  for (auto [k, v] : points) c[k + 1] = v;
  return c;
}

TEST(PAlphaBoxes, FuelInjectionValues) {
  const Curve pulse =
      FuelCurve({{700, 300}, {701, 700}, {702, 1000}, {703, 1000}, {704, 600}, {705, 200}});
  const FuelInjectionValues v = FuelInjection(pulse);
  EXPECT_FLOAT_EQ(v.Fpnrp, 100);
  EXPECT_FLOAT_EQ(v.Fmaxp, 1000);
  EXPECT_FLOAT_EQ(v.Fpsta, -5.25f);
  ASSERT_TRUE(v.Fvoa && v.Fvop && v.Fdur);
  EXPECT_FLOAT_EQ(*v.Fvoa, -4.75f);
  EXPECT_FLOAT_EQ(*v.Fvop, 700);
  EXPECT_FLOAT_EQ(*v.Fdur, 1.0f);

  // Flat: nothing rises above the half level and no step starts injection.
  const FuelInjectionValues flat = FuelInjection(FuelCurve({}));
  EXPECT_FLOAT_EQ(flat.Fpsta, -179.75f);
  EXPECT_FALSE(flat.Fvoa || flat.Fvop || flat.Fdur);

  // Rises and stays up to the last sample: no end of injection.
  Curve open = FuelCurve({});
  for (int k = 700; k < SamplesPerCurve; ++k) open[k + 1] = 1000;
  const FuelInjectionValues held = FuelInjection(open);
  ASSERT_TRUE(held.Fvoa);
  EXPECT_FLOAT_EQ(*held.Fvoa, -5.0f);
  EXPECT_FALSE(held.Fdur);
}

TEST(PAlphaBoxes, FuelBoxWritesDashesWhereNoCrossingExists) {
  Fixture f;
  f.state.Config.PressureUnit = UnitPsi;
  f.state.Measurement->ExtraCurve[3] = FuelCurve({});
  DrawFuelBox(f.state, f.canvas, 3);
  const int valueX = 30 + 60;
  for (int y : {95, 110, 140}) {
    const CanvasOp* op = TextAt(f.canvas, valueX, y);
    ASSERT_NE(op, nullptr) << y;
    EXPECT_EQ(op->Text, "-");
    EXPECT_EQ(op->Colour, Colors::Purple);
  }
  EXPECT_EQ(TextOr(f.canvas, valueX, 65), "1452");    // 100 bar, 4:0
  EXPECT_EQ(TextOr(f.canvas, valueX, 125), " 1452");  // 5:0
  EXPECT_EQ(TextOr(f.canvas, 30 + 120, 125), "[psi]");
  EXPECT_EQ(TextOr(f.canvas, 30 + 15, 80), "fpsta:");
  EXPECT_EQ(f.canvas.Ops().front().Colour, Colors::Purple);  // the box's pen

  f.canvas.Clear();
  f.state.Config.PressureUnit = UnitMPa;
  f.state.Measurement->ExtraCurve[3] =
      FuelCurve({{700, 300}, {701, 700}, {702, 1000}, {703, 1000}, {704, 600}, {705, 200}});
  DrawFuelBox(f.state, f.canvas, 3);
  EXPECT_EQ(TextOr(f.canvas, valueX, 110), " 70.00");
  EXPECT_EQ(TextOr(f.canvas, valueX, 140), " 1.00");
  EXPECT_EQ(TextOr(f.canvas, 30 + 120, 110), "[MPa]");
}

TEST(PAlphaBoxes, ZoomCursorBoxRows) {
  Fixture f;
  f.state.Config.Language = Spanish;
  f.state.View.CursorPos = 720;
  f.work[719] = 90.0f;
  f.work[721] = 95.0f;
  DrawZoomCursorBox(f.state, f.canvas, 3, f.work);
  EXPECT_EQ(TextOr(f.canvas, Width - 170, 55), "Cil  3");
  EXPECT_EQ(TextAt(f.canvas, Width - 130, 70)->Colour, Colors::Green);
  EXPECT_EQ(TextOr(f.canvas, Width - 130, 70), "100.5");
  EXPECT_EQ(TextAt(f.canvas, Width - 130, 85)->Colour, Colors::Red);
  EXPECT_EQ(TextOr(f.canvas, Width - 130, 85), " 0.00");
  EXPECT_EQ(TextAt(f.canvas, Width - 170, 100), nullptr);  // fuel trace off
  EXPECT_EQ(TextAt(f.canvas, Width - 170, 115), nullptr);  // dp/da off

  f.canvas.Clear();
  f.state.View.FuelOn = f.state.View.DpDaOn = true;
  f.state.Config.PressureUnit = UnitMPa;
  f.state.Measurement->HasExtraChannel = true;
  f.state.Measurement->ExtraCurve[3][721] = 850.0f;
  DrawZoomCursorBox(f.state, f.canvas, 3, f.work);
  EXPECT_EQ(TextOr(f.canvas, Width - 130, 100), " 85.00");
  EXPECT_EQ(TextAt(f.canvas, Width - 130, 100)->Colour, Colors::Purple);
  EXPECT_EQ(TextOr(f.canvas, Width - 130, 115), "  1.00");  // 2 x (95 - 90) bar/deg
  EXPECT_EQ(TextAt(f.canvas, Width - 130, 115)->Colour, Colors::Blue);
  EXPECT_EQ(TextOr(f.canvas, Width - 90, 115), "[MPa/grados]");

  // At the last sample the difference uses the last pair that has neighbours.
  f.canvas.Clear();
  f.state.View.CursorPos = 1439;
  f.state.Config.PressureUnit = UnitBar;
  f.work[1439] = 40.0f;
  DrawZoomCursorBox(f.state, f.canvas, 3, f.work);
  EXPECT_EQ(TextOr(f.canvas, Width - 130, 115), "  60.0");
}

TEST(PAlphaBoxes, ReferenceTable) {
  Fixture f;
  f.state.Config.Language = French;
  f.state.View.RefCylinder = 2;
  f.state.Reference->RefCylRpm[2] = 96.0f;
  f.state.Reference->RefCylMip[2] = 17.0f;
  WorkCurve ref{};
  ref.fill(5.0f);
  ref[700] = 140.0f;
  DrawReferenceTable(f.state, f.canvas, 3, f.work, ref);
  struct Row {
    int x, y;
    std::string text;
    Color colour;
  };
  const Row rows[] = {
      {100, 60, "Cyl 3", Colors::Green},  {140, 60, "Ref 2", Colors::Blue},
      {45, 80, "pmax :", Colors::Black},  {100, 80, "150.3", Colors::Green},
      {140, 80, "140.0", Colors::Blue},   {140, 100, " 96.0", Colors::Blue},
      {45, 120, "pmi  :", Colors::Black}, {140, 120, "17.0", Colors::Blue},
      {100, 140, " 80.0", Colors::Green}, {140, 140, "  5.0", Colors::Blue},
      {100, 160, "20.00", Colors::Red},   {180, 160, "[deg]", Colors::Black},
  };
  for (const Row& r : rows) {
    const CanvasOp* op = TextAt(f.canvas, r.x, r.y);
    ASSERT_NE(op, nullptr) << r.text;
    EXPECT_EQ(op->Text, r.text);
    EXPECT_EQ(op->Colour, r.colour) << r.text;
  }

  // Without the crank-angle layout: at the right, no mip and acur rows.
  f.canvas.Clear();
  f.state.Measurement->HasMipBlock = false;
  f.state.Config.Language = Spanish;
  f.state.View.CursorPos = 368;
  DrawReferenceTable(f.state, f.canvas, 3, f.work, ref);
  const int left = Width - 30 - 200;
  EXPECT_EQ(TextOr(f.canvas, left + 60, 60), "Cil 3");
  EXPECT_EQ(TextOr(f.canvas, left + 5, 100), "rev  :");
  EXPECT_EQ(TextOr(f.canvas, left + 100, 80), "  5.0");
  EXPECT_EQ(TextOr(f.canvas, left + 60, 140), " 10.0");
  EXPECT_EQ(TextAt(f.canvas, left + 5, 120), nullptr);
  EXPECT_EQ(TextAt(f.canvas, left + 5, 160), nullptr);
}

TEST(PAlphaBoxes, CylinderOutOfRangeDrawsNothing) {
  for (int cylinder : {0, 21}) {
    Fixture f;
    f.state.View.FuelOn = f.state.View.DpDaOn = true;
    WriteSingleValues(f.state, f.canvas, cylinder, f.work);
    DrawZoomCursorBox(f.state, f.canvas, cylinder, f.work);
    DrawFuelBox(f.state, f.canvas, cylinder);
    DrawReferenceTable(f.state, f.canvas, cylinder, f.work, f.work);
    EXPECT_TRUE(f.canvas.Ops().empty()) << cylinder;
  }
}

TEST(PAlphaBoxes, NotANumberPrintsAsText) {
  Fixture f;
  f.work[720] = std::nanf("");
  WriteSingleValues(f.state, f.canvas, 3, f.work);
  EXPECT_EQ(TextOr(f.canvas, Width - 120, 70), "  nan");
}

}  // namespace
}  // namespace zephirax
