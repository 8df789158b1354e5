#include "charts/EngineTable.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "charts/EngineRoomPage.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/RecordingCanvas.h"
#include "support/CanvasQuery.h"
#include "support/ViewFixture.h"

namespace zephirax {
namespace {

// Page 11 at L = 30, T = 40: cylinder i on y = 65 + 16 i, columns at 30 + offset.
int Row(int i) {
  return 65 + 16 * i;
}

// Cylinder i: pmax mean 140 + i bar, Pind 1000 + i kW; curves with 120 bar at
// TDC, the peak of 150 bar 10 degrees after it and 60 bar at pexp.
test::ViewFixture MakeState(int cylinders, bool curves, bool addData) {
  test::ViewFixture state;
  MeasurementData& data = *state.Measurement;
  data.CylCount = cylinders;
  data.HasMipBlock = curves;
  data.Pscav = 2.5;
  for (int i = 1; i <= MaxCylinders; ++i) {
    data.PmaxMean[i] = 140 + i;
    data.CylRpm[i] = 95.5f;
    data.CylMip[i] = 18.3f;
    data.CylPind[i] = 1000 + i;
    data.PressureCurve[i][TdcSample] = 120;
    data.PressureCurve[i][TdcSample + 40] = 150;
    data.PressureCurve[i][PexpSample] = 60;
    state.AddData.Texh[i] = 350;
    state.AddData.FuelRack[i] = 45.5f;
    state.AddData.Vit[i] = 2;
  }
  state.AddData.EngineLoad = 85;
  state.HasAddData = addData;
  state.Drawing.ControlWidth = 800;
  state.Drawing.ControlHeight = 600;
  return state;
}

RecordingCanvas Draw(test::ViewFixture& state,
                     void (*show)(const ViewContext&, Canvas&) = ShowEngineTable) {
  RecordingCanvas canvas;
  show(state, canvas);
  return canvas;
}

using Texts = std::vector<std::string>;

TEST(EngineTable, WithoutCurvesOnlyTheStrokeColumnsAreFilled) {
  test::ViewFixture state = MakeState(2, false, false);
  const RecordingCanvas canvas = Draw(state);
  EXPECT_EQ(state.View.CurrentView, ViewEngineTable);
  EXPECT_EQ(TextsAt(canvas, Row(1), true), Texts({" 1", "141.0", "2.50", " 95.5"}));
  EXPECT_EQ(TextsAt(canvas, Row(3), true), Texts({"Mean", "141.5", "2.50", "  95.5"}));
  EXPECT_TRUE(TextsAt(canvas, Row(4), true).empty());
  EXPECT_EQ(Rectangles(canvas).size(), 2u);  // the clear and the mean box
}

TEST(EngineTable, TwentyCylindersPutTheSumRowAtRow22) {
  test::ViewFixture state = MakeState(20, true, true);
  const RecordingCanvas canvas = Draw(state);
  EXPECT_EQ(TextsAt(canvas, Row(1), true),
            Texts({" 1", "120.0", "141.0", "10.0", " 60.0", "2.50", " 95.5", "18.3", "1001", "350",
                   " 45.5", "  2.0"}));
  EXPECT_EQ(TextsAt(canvas, Row(21), true),
            Texts({"Mean", "120.0", "150.5", "10.0", " 60.0", "2.50", "  95.5", "18.3", "1010",
                   "350.0", " 45.5", "  2.0"}));
  EXPECT_EQ(TextsAt(canvas, 40 + 25 + 16 * 22, true), Texts({"Psum", "20210", "Load =  85.0  %"}));
  EXPECT_EQ(TextOr(canvas, 480, Row(22)), "Load =  85.0  %");
  // Mean and sum rows boxed between the lines under rows 20, 21 and 22.
  const std::vector<DrawnRect> boxes = Rectangles(canvas);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(std::vector<int>(
                {boxes[1].X1, boxes[1].Y1, boxes[1].X2, boxes[1].Y2, boxes[2].Y1, boxes[2].Y2}),
            std::vector<int>({30, 400, 609, 417, 416, 433}));
}

TEST(EngineTable, UnitsChangeHeadingsAndFormats) {
  struct Cell {
    int x, y;
    std::string text;
  };
  // Unit line at y 60, cylinder 1 at 81, the mean at 113, the sum at 129.
  const std::vector<Cell> psiHp{{80, 60, "[psi]"},   {224, 60, "[psi]"},   {416, 60, "[hp]"},
                                {464, 60, "[°F]"},   {80, 81, "1743"},     {128, 81, "2048"},
                                {368, 81, "266"},    {416, 81, "1361"},    {464, 81, "662"},
                                {80, 113, "1743.0"}, {128, 113, "2055.3"}, {368, 113, "265.81"},
                                {416, 113, "1362"},  {464, 113, "662.0"},  {416, 129, "2723"}};
  // A MIP mean in whole MPa would read 2; it keeps the row's decimals.
  const std::vector<Cell> mpaKw{{80, 60, "[MPa]"},  {128, 60, "[MPa]"}, {224, 60, "[Mpa]"},
                                {368, 60, "[Mpa]"}, {80, 81, "12.0"},   {128, 81, "14.1"},
                                {368, 81, "1.83"},  {416, 81, "1001"},  {128, 113, "14.2"},
                                {368, 113, "1.83"}, {416, 113, "1002"}, {416, 129, " 2003"}};
  for (const auto& [pressure, power, cells] :
       {std::tuple{UnitPsi, UnitHp, psiHp}, std::tuple{UnitMPa, UnitKW, mpaKw}}) {
    test::ViewFixture state = MakeState(2, true, true);
    state.Config.PressureUnit = pressure;
    state.Config.PowerUnit = power;
    state.Config.TempUnit = power == UnitHp ? UnitDegF : UnitDegC;
    const RecordingCanvas canvas = Draw(state);
    for (const Cell& cell : cells) {
      EXPECT_EQ(TextOr(canvas, cell.x, cell.y), cell.text)
          << pressure << ": " << cell.x << "," << cell.y;
    }
  }
}

TEST(EngineTable, RackFiguresReadWithAPoint) {
  EXPECT_EQ(PointDecimalComma("  1,5"), "  1.5");
  EXPECT_EQ(PointDecimalComma("-1234,5"), "-1234.5");
  EXPECT_EQ(PointDecimalComma(" 45.5"), " 45.5");
}

TEST(EngineTable, CountsOutOfRangeDrawTheHeaderAndNanDrawsAsText) {
  for (const int count : {0, 21, -7}) {
    test::ViewFixture state = MakeState(count, true, true);
    const RecordingCanvas canvas = Draw(state);
    EXPECT_EQ(TextOr(canvas, 32, 40), "CYL") << count;
    EXPECT_EQ(FindText(canvas, "Mean"), nullptr) << count;
    EXPECT_TRUE(TextsAt(canvas, Row(1), true).empty()) << count;
  }
  test::ViewFixture state = MakeState(3, true, true);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  state.Measurement->CylRpm[2] = nan;
  state.Measurement->Pscav = nan;
  state.Measurement->CylMip[1] = std::numeric_limits<float>::max();
  state.AddData.EngineLoad = nan;
  const RecordingCanvas canvas = Draw(state);
  EXPECT_EQ(TextOr(canvas, 320, Row(4)), "   nan");
  EXPECT_EQ(TextOr(canvas, 480, Row(5)), "Load =   nan  %");
}

// Page 20: labels and values at (30 + x, 40 + y).
TEST(EngineRoomPage, FrenchAndSpanishShowValuesWithoutLabels) {
  for (const int language : {French, Spanish}) {
    test::ViewFixture state = MakeState(2, true, true);
    state.Config.Language = language;
    state.AddData.TcRpm[1] = 12000;
    const RecordingCanvas canvas = Draw(state, ShowEngineTable2);
    EXPECT_EQ(state.View.CurrentView, ViewEngineTable2);
    EXPECT_EQ(TextOr(canvas, 170, 52), "12000");
    EXPECT_EQ(TextOr(canvas, 150, 116), " 0.0");
    for (const auto& [x, y] : {std::pair{32, 52}, {150, 36}, {30, 212}, {580, 36}}) {
      EXPECT_EQ(TextOr(canvas, x, y), "<none>") << language << " " << x << "," << y;
    }
  }
}

TEST(EngineRoomPage, LabelsAndTemperaturesFollowTheUnit) {
  struct Case {
    int language, temp;
    std::string texhLabel, scavLabel, tscav, texhBefore, roomTemp, fuelTemp;
  } cases[] = {
      {German, UnitDegF, "Texh vor [°F]", "Temp Ladeluft [°F]", "95.0", "752", "68.0", "122.0"},
      {English, UnitDegC, "Texh before [°C]", "Temp scav air [°C]", "35.0", "400", "20.0", " 50.0"},
  };
  for (const Case& c : cases) {
    test::ViewFixture state = MakeState(2, true, true);
    state.Config.Language = c.language;
    state.Config.TempUnit = c.temp;
    state.AddData.TscavBefore[1] = 35;
    state.AddData.TexhBeforeTc[1] = 400;
    state.AddData.EngineRoomTemp = 20;
    state.AddData.FuelTemp = 50;
    const RecordingCanvas canvas = Draw(state, ShowEngineTable2);
    EXPECT_EQ(TextOr(canvas, 230, 36), c.texhLabel);
    EXPECT_EQ(TextOr(canvas, 150, 100), c.scavLabel);
    EXPECT_EQ(TextOr(canvas, 150, 116), c.tscav);
    EXPECT_EQ(TextOr(canvas, 250, 52), c.texhBefore);
    EXPECT_EQ(TextOr(canvas, 50, 196), c.roomTemp);
    EXPECT_EQ(TextOr(canvas, 600, 116), c.fuelTemp);
  }
}

TEST(EngineRoomPage, NotesSplitAtBreaksAndWrapToTheBox) {
  test::ViewFixture state = MakeState(2, true, true);
  std::string words;
  for (int k = 0; k < 13; ++k) words += (k > 0 ? " " : "") + std::string("abcdefgh");
  state.AddData.Comment = "Erste Zeile\r\nf\xFCr 2\n" + words + "\r" + std::string(150, 'a');
  const RecordingCanvas first = Draw(state, ShowEngineTable2);
  // 846 pixels hold 109 characters of the recording canvas's 7.7-pixel font.
  const std::vector<std::string> expected{
      "Erste Zeile",       "für 2", words.substr(0, 12 * 9 - 1), "abcdefgh", std::string(109, 'a'),
      std::string(41, 'a')};
  for (size_t k = 0; k < expected.size(); ++k) {
    EXPECT_EQ(TextOr(first, 30, 228 + 12 * static_cast<int>(k)), expected[k]) << k;
  }

  state.AddData.Comment.clear();
  for (int k = 1; k <= 12; ++k) state.AddData.Comment += std::to_string(k) + "\r\n";
  const RecordingCanvas capped = Draw(state, ShowEngineTable2);
  EXPECT_EQ(TextOr(capped, 30, 228 + 12 * 8), "9");
  EXPECT_EQ(TextOr(capped, 30, 228 + 12 * 9), "<none>");
}

}  // namespace
}  // namespace zephirax
