#include "app/AnalysisHandlers.h"

#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "adddata/AdditionalDataFile.h"
#include "analysis/PAlphaViews.h"
#include "app/ViewDispatch.h"
#include "platform/RecordingCanvas.h"
#include "support/CanvasQuery.h"
#include "support/MeasurementFileBuilder.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

class AnalysisHandlersTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  AppState state_;

  // Loads a generated measurement for analysis.
  bool Analyse(int cylinders, bool mip = true, const std::string& extra = "") {
    test::MeasurementFileBuilder file;
    file.Cylinders = cylinders;
    file.Mip = file.Mode = mip;
    file.Extra = extra;
    const std::string name = dir_.File("M.KV");
    test::WriteBytes(name, file.Build());
    return static_cast<bool>(LoadForAnalysis(state_, name));
  }
  // Loads a measurement and shows `view` on a picture of 1000 x 600.
  void Show(int view, bool mip = true) {
    ASSERT_TRUE(Analyse(3, mip));
    state_.Drawing.ControlWidth = 1000;
    state_.Drawing.ControlHeight = 600;
    ShowView(state_, canvas_, view);
    ASSERT_EQ(state_.View.CurrentView, view);
  }
  // The x of the red cursor line of a new drawing of the current view.
  int CursorLineX() {
    canvas_.Clear();
    ShowView(state_, canvas_, state_.View.CurrentView);
    for (const Segment& s : Segments(canvas_, Colors::Red)) {
      if (s.X1 == s.X2) return s.X1;
    }
    return -1;
  }
  RecordingCanvas canvas_;
};

TEST_F(AnalysisHandlersTest, LoadingSetsTheAnalysisStateAndReadsTheAdditionalData) {
  AdditionalData exh;
  exh.Texh[2] = 345;
  test::WriteBytes(dir_.File("M.EXH"), AdditionalDataBytes(exh, 3));
  state_.View.ZoomOn = state_.View.DpDaOn = state_.Window.Buttons.CursorBtn.Visible = true;
  state_.Files.HasReference = true;
  state_.View.CurrentCylinder = 3;
  state_.View.CursorPos = 100;
  ASSERT_TRUE(Analyse(3));
  // A new analysis starts afresh.
  EXPECT_EQ(std::tuple(state_.View.CurrentCylinder, state_.View.CursorPos), std::tuple(1, 680));
  EXPECT_FALSE(state_.Window.Buttons.CursorBtn.Visible);
  EXPECT_TRUE(state_.View.AnalysisActive);
  EXPECT_TRUE(state_.Files.HasAddData);
  EXPECT_EQ(state_.Files.AddData.Texh[2], 345);
  EXPECT_EQ(state_.Files.AuxFileName, dir_.File("M.EXH"));
  EXPECT_FALSE(state_.Files.HasReference);
  EXPECT_FALSE(state_.View.ZoomOn || state_.View.DpDaOn);
  EXPECT_EQ(state_.Files.Measurement->SetupValid, -1);
  EXPECT_TRUE(ViewAvailable(state_, ViewPAlphaAll));
  EXPECT_FALSE(ViewAvailable(state_, ViewPAlphaRef));

  // A rejected file: the fault comes back, the analysis goes on as it was.
  test::WriteBytes(dir_.File("BAD.KV"), "no measurement");
  state_.View.CurrentCylinder = 2;
  const LoadResult rejected = LoadForAnalysis(state_, dir_.File("BAD.KV"));
  ASSERT_FALSE(rejected);
  EXPECT_EQ(rejected.Fault->Reason, FaultReason::NotMeasurement);
  EXPECT_EQ(state_.Files.MeasFileName, dir_.File("M.KV"));
  EXPECT_EQ(state_.View.CurrentCylinder, 2);
  EXPECT_TRUE(ViewAvailable(state_, ViewPAlphaAll));
  // Nor does a rejected reference replace the file the reference view reads.
  state_.Files.AuxFileName = "good.KV";
  EXPECT_FALSE(LoadReferenceFile(state_, dir_.File("BAD.KV")));
  EXPECT_EQ(state_.Files.AuxFileName, "good.KV");
}

TEST_F(AnalysisHandlersTest, CylindersWrapAndRedrawOnlyTheirViews) {
  ASSERT_TRUE(Analyse(3));
  state_.View.CurrentView = ViewPAlphaSingle;
  EXPECT_TRUE(StepCylinder(state_, -1));
  EXPECT_EQ(state_.View.CurrentCylinder, 3);
  EXPECT_TRUE(StepCylinder(state_, +1));
  EXPECT_EQ(state_.View.CurrentCylinder, 1);
  state_.View.CurrentView = ViewPAlphaAll;
  EXPECT_FALSE(StepCylinder(state_, +1));

  // The reference steps over the reference file's cylinders; in the engine
  // table the plus button turns the page instead.
  state_.Files.Reference->RefCylCount = 2;
  state_.View.CurrentView = ViewPAlphaRef;
  EXPECT_TRUE(StepRefCylinder(state_, -1));
  EXPECT_EQ(state_.View.RefCylinder, 2);
  state_.View.CurrentView = ViewEngineTable;
  EXPECT_TRUE(StepRefCylinder(state_, +1));
  EXPECT_EQ(state_.View.CurrentView, ViewEngineTable2);
  EXPECT_EQ(state_.View.RefCylinder, 2);
  state_.Files.Reference->RefCylCount = 0;  // no reference: nothing to divide by
  state_.View.CurrentView = ViewPAlphaRef;
  StepRefCylinder(state_, +1);
  EXPECT_EQ(state_.View.RefCylinder, 1);
}

TEST_F(AnalysisHandlersTest, CursorStepsStayInsideItsRange) {
  // A step of the buttons and the plain arrow keys, or of Shift and an arrow key.
  enum Step { Button, Degree };
  struct Case {
    bool Mip;
    bool Zoom;
    Step By;
    int Start, Direction, Expected;
  };
  for (const Case& c :
       {Case{true, false, Button, 0, -1, 0}, Case{true, false, Button, 1439, +1, 1439},
        Case{true, true, Button, 100, +1, 520}, Case{true, true, Button, 920, +1, 920},
        Case{false, false, Button, 360, -1, 360}, Case{false, false, Button, 1080, +1, 1080},
        Case{true, false, Degree, 680, -1, 676}, Case{true, true, Degree, 918, +1, 920},
        Case{false, false, Degree, 700, +1, 702}}) {
    SCOPED_TRACE(testing::Message() << c.Mip << c.Zoom << c.By << c.Start << c.Direction);
    Show(ViewPAlphaSingle, c.Mip);
    state_.View.ZoomOn = c.Zoom;
    state_.View.CursorPos = c.Start;
    EXPECT_TRUE(c.By == Button ? StepCursor(state_, c.Direction)
                               : StepCursorByKey(state_, c.Direction, true));
    EXPECT_EQ(state_.View.CursorPos, c.Expected);
  }
}

TEST_F(AnalysisHandlersTest, ClickPutsTheCursorLineUnderThePointer) {
  struct Case {
    bool Mip, Zoom;
    double PixelsPerStep;  // 940 pixels over 1440, 400 or 720 steps
  };
  for (const Case& c : {Case{true, false, 940.0 / 1440}, Case{true, true, 940.0 / 400},
                        Case{false, false, 940.0 / 720}}) {
    SCOPED_TRACE(testing::Message() << c.Mip << c.Zoom);
    Show(ViewPAlphaSingle, c.Mip);
    state_.View.ZoomOn = c.Zoom;
    CursorLineX();  // the frame of the zoomed view
    const DrawingState& d = state_.Drawing;
    ASSERT_EQ(std::tuple(d.PlotLeft, d.PlotRight), std::tuple(30, 970));
    for (int x = d.PlotLeft; x <= d.PlotRight; x += 7) {
      PlaceCursor(state_, x, 300);
      EXPECT_LE(std::abs(CursorLineX() - x), std::ceil(c.PixelsPerStep / 2)) << x;
    }
    // Beside the plot nothing moves.
    const int before = state_.View.CursorPos;
    for (const auto& [x, y] : {std::pair(d.PlotLeft - 1, 300), std::pair(d.PlotRight + 1, 300),
                               std::pair(500, d.PlotTop - 1), std::pair(500, d.PlotBase + 1)}) {
      EXPECT_FALSE(PlaceCursor(state_, x, y));
    }
    EXPECT_EQ(state_.View.CursorPos, before);
  }
}

TEST_F(AnalysisHandlersTest, ClickOnThePVLoopTakesTheStrokePointedAt) {
  Show(ViewPVSingle);
  state_.Files.Measurement->PressureAxisMax = 250;  // the whole loop on the picture
  CursorLineX();
  // The loop's vertices in sample order: the first segment starts at sample 0.
  const std::vector<Segment> loop = Segments(canvas_, Colors::Green);
  ASSERT_EQ(loop.size(), SamplesPerCurve - 1u);
  auto vertex = [&](int k) {
    return k == 0 ? std::pair(loop[0].X1, loop[0].Y1) : std::pair(loop[k - 1].X2, loop[k - 1].Y2);
  };
  // Compression and expansion pass the same piston positions at other pressures.
  for (const int k : {300, 700, 740, 1140}) {
    SCOPED_TRACE(k);
    const auto [x, y] = vertex(k);
    EXPECT_TRUE(PlaceCursor(state_, x, y));
    EXPECT_EQ(vertex(state_.View.CursorPos), vertex(k));
    EXPECT_EQ(CursorLineX(), x);
  }
  // Zoomed in another view, the cursor keeps to the zoomed range here too.
  state_.View.ZoomOn = true;
  const auto [x, y] = vertex(300);
  PlaceCursor(state_, x, y);
  EXPECT_EQ(state_.View.CursorPos, 520);
}

TEST_F(AnalysisHandlersTest, CursorKeysAndClicksOnlyWhereTheCursorButtonsWork) {
  const struct {
    const char* Name;
    int View;
    void (*Change)(AppState&);
  } cases[] = {
      {"all cylinders", ViewPAlphaAll, [](AppState&) {}},
      {"pmax single", ViewPmaxSingle, [](AppState&) {}},
      {"cursor off", ViewPAlphaSingle, [](AppState& s) { ToggleCursor(s); }},
      {"TDC view", ViewPAlphaSingle, [](AppState& s) { s.View.CurrentView = ViewTdcManual; }},
      {"analysis over", ViewPAlphaSingle, [](AppState& s) { LeaveAnalysisMode(s); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Show(c.View);
    c.Change(state_);
    EXPECT_FALSE(CursorMovable(state_));
    EXPECT_FALSE(StepCursorByKey(state_, +1, true));
    EXPECT_FALSE(PlaceCursor(state_, 100, 300));
    EXPECT_EQ(state_.View.CursorPos, StartCursorPos);
  }
}

TEST_F(AnalysisHandlersTest, TogglesFollowTheMeasurement) {
  ASSERT_TRUE(Analyse(2, /*mip=*/false));
  state_.View.CurrentView = ViewPAlphaSingle;
  EXPECT_TRUE(ToggleZoom(state_));
  EXPECT_FALSE(state_.View.ZoomOn);  // no crank-angle layout, no zoom
  EXPECT_EQ(ToggleFuel(state_), ViewPAlphaSingle);
  EXPECT_FALSE(state_.View.FuelOn);  // no second channel

  ASSERT_TRUE(Analyse(2, true, "FUEL"));
  state_.View.CurrentView = ViewPAlphaRef;
  EXPECT_EQ(ToggleFuel(state_), ViewPAlphaRef);
  EXPECT_TRUE(state_.View.FuelOn);
  EXPECT_TRUE(ToggleZoom(state_));
  EXPECT_TRUE(state_.View.ZoomOn);
  EXPECT_TRUE(ToggleCursor(state_));
  EXPECT_FALSE(state_.Window.Buttons.CursorLeftBtn.Enabled ||
               state_.Window.Buttons.CursorRightBtn.Enabled);
}

TEST_F(AnalysisHandlersTest, ViewsShowTheirButtons) {
  ASSERT_TRUE(Analyse(2, true, "FUEL"));
  state_.Config.SensorType = 1;
  RecordingCanvas canvas;
  const AnalysisButtons& b = state_.Window.Buttons;
  ShowView(state_, canvas, ViewPAlphaSingle);
  EXPECT_TRUE(b.CylinderPlusBtn.Visible && b.RefBtn.Visible && b.FilterBtn.Visible);
  EXPECT_TRUE(b.pscavButton.Visible && b.FuelButton.Visible && b.FuelButton.Enabled);
  EXPECT_FALSE(b.RefCylinderPlusBtn.Visible || b.RefFilterBtn.Visible || b.ACLButton.Visible);
  ShowView(state_, canvas, ViewPAlphaAll);
  EXPECT_FALSE(b.CylinderPlusBtn.Visible || b.CursorBtn.Visible || b.FuelButton.Visible);
  EXPECT_TRUE(b.dpdaBtn.Visible && b.ZoomButton.Visible && b.pscavButton.Visible);
  EXPECT_EQ(state_.View.CurrentView, ViewPAlphaAll);
}

TEST_F(AnalysisHandlersTest, AllCylinderLegendRepeatsTheColourTable) {
  ASSERT_TRUE(Analyse(20));
  state_.Drawing.ControlWidth = 900;
  RecordingCanvas canvas;
  ShowView(state_, canvas, ViewPAlphaAll);
  std::vector<CanvasOp> legend;
  for (const CanvasOp& op : canvas.Ops()) {
    if (op.Op == "TextOut" && op.Text.rfind("Cyl ", 0) == 0 && op.A == 800) legend.push_back(op);
  }
  ASSERT_EQ(legend.size(), 20u);
  EXPECT_EQ(legend[19].Text, "Cyl 20");
  EXPECT_EQ(legend[19].B, 19 * 16 + 5);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(legend[17 + i].Colour, legend[i].Colour);
  EXPECT_EQ(legend[19].Colour, Colors::Silver);
}

}  // namespace
}  // namespace zephirax
