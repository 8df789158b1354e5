#include "app/AnalysisHandlers.h"

#include <gtest/gtest.h>

#include "adddata/AdditionalDataFile.h"
#include "analysis/PAlphaViews.h"
#include "app/ViewDispatch.h"
#include "platform/RecordingCanvas.h"
#include "support/MeasurementFileBuilder.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

class AnalysisHandlersTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  test::ScriptedUserInterface ui_;
  AppState state_;

  // Enters analysis mode and loads a generated measurement.
  bool Analyse(int cylinders, bool mip = true, const std::string& extra = "") {
    test::MeasurementFileBuilder file;
    file.Cylinders = cylinders;
    file.Mip = file.Mode = mip;
    file.Extra = extra;
    const std::string name = dir_.File("M.KV");
    test::WriteBytes(name, file.Build());
    EnterAnalysisMode(state_);
    return LoadForAnalysis(state_, name, ui_);
  }
};

TEST_F(AnalysisHandlersTest, LoadingSetsTheAnalysisStateAndReadsTheAdditionalData) {
  AdditionalData exh;
  exh.Texh[2] = 345;
  test::WriteBytes(dir_.File("M.EXH"), AdditionalDataBytes(exh, 3));
  state_.View.ZoomOn = state_.View.DpDaOn = true;
  state_.View.HasReference = -1;
  ASSERT_TRUE(Analyse(3));
  EXPECT_TRUE(state_.View.AnalysisActive);
  EXPECT_EQ(state_.View.HasAddData, -1);
  EXPECT_EQ(state_.AddData.Texh[2], 345);
  EXPECT_EQ(state_.View.AuxFileName, dir_.File("M.EXH"));
  EXPECT_EQ(state_.View.HasReference, 0);
  EXPECT_FALSE(state_.View.ZoomOn || state_.View.DpDaOn);
  EXPECT_EQ(state_.Measurement->SetupValid, -1);
  EXPECT_TRUE(ViewAvailable(state_, ViewPAlphaAll));
  EXPECT_FALSE(ViewAvailable(state_, ViewPAlphaRef));

  // A rejected file: the user is told, nothing is there to draw.
  test::WriteBytes(dir_.File("BAD.KV"), "no measurement");
  EnterAnalysisMode(state_);
  EXPECT_FALSE(LoadForAnalysis(state_, dir_.File("BAD.KV"), ui_));
  EXPECT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(state_.MeasFileName, dir_.File("M.KV"));
  EXPECT_FALSE(ViewAvailable(state_, ViewPAlphaAll));
  // Nor does a rejected reference replace the file the reference view reads.
  state_.View.AuxFileName = "good.KV";
  EXPECT_FALSE(LoadReferenceFile(state_, dir_.File("BAD.KV"), ui_));
  EXPECT_EQ(state_.View.AuxFileName, "good.KV");
  state_.View.CurrentView = ViewPAlphaAll;
  RecordingCanvas canvas;
  ShowView(state_, canvas, ui_, ViewPAlphaAll);
  EXPECT_TRUE(canvas.Ops().empty());
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
  state_.Reference->RefCylCount = 2;
  state_.View.CurrentView = ViewPAlphaRef;
  EXPECT_TRUE(StepRefCylinder(state_, -1));
  EXPECT_EQ(state_.View.RefCylinder, 2);
  state_.View.CurrentView = ViewEngineTable;
  EXPECT_TRUE(StepRefCylinder(state_, +1));
  EXPECT_EQ(state_.View.CurrentView, ViewEngineTable2);
  EXPECT_EQ(state_.View.RefCylinder, 2);
  state_.Reference->RefCylCount = 0;  // no reference: nothing to divide by
  state_.View.CurrentView = ViewPAlphaRef;
  StepRefCylinder(state_, +1);
  EXPECT_EQ(state_.View.RefCylinder, 1);
}

TEST_F(AnalysisHandlersTest, CursorStaysInsideItsRange) {
  struct Case {
    bool Mip;
    bool Zoom;
    int Start, Delta, Expected;
  };
  for (const Case& c : {Case{true, false, 0, -1, 0}, Case{true, false, 1439, +1, 1439},
                        Case{true, true, 100, +1, 520}, Case{true, true, 920, +1, 920},
                        Case{false, false, 360, -1, 360}, Case{false, false, 1080, +1, 1080}}) {
    ASSERT_TRUE(Analyse(2, c.Mip));
    state_.View.CurrentView = ViewPAlphaSingle;
    state_.View.ZoomOn = c.Zoom;
    state_.View.CursorPos = c.Start;
    EXPECT_TRUE(StepCursor(state_, c.Delta));
    EXPECT_EQ(state_.View.CursorPos, c.Expected) << c.Mip << c.Zoom << c.Start;
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
  EXPECT_FALSE(state_.Buttons.CursorLeftBtn.Enabled || state_.Buttons.CursorRightBtn.Enabled);
}

TEST_F(AnalysisHandlersTest, ViewsShowTheirButtons) {
  ASSERT_TRUE(Analyse(2, true, "FUEL"));
  state_.Config.SensorType = 1;
  RecordingCanvas canvas;
  const AnalysisButtons& b = state_.Buttons;
  ShowView(state_, canvas, ui_, ViewPAlphaSingle);
  EXPECT_TRUE(b.CylinderPlusBtn.Visible && b.RefBtn.Visible && b.FilterBtn.Visible);
  EXPECT_TRUE(b.pscavButton.Visible && b.FuelButton.Visible && b.FuelButton.Enabled);
  EXPECT_FALSE(b.RefCylinderPlusBtn.Visible || b.RefFilterBtn.Visible || b.ACLButton.Visible);
  ShowView(state_, canvas, ui_, ViewPAlphaAll);
  EXPECT_FALSE(b.CylinderPlusBtn.Visible || b.CursorBtn.Visible || b.FuelButton.Visible);
  EXPECT_TRUE(b.dpdaBtn.Visible && b.ZoomButton.Visible && b.pscavButton.Visible);
  EXPECT_EQ(state_.View.CurrentView, ViewPAlphaAll);
}

TEST_F(AnalysisHandlersTest, AllCylinderLegendRepeatsTheColourTable) {
  ASSERT_TRUE(Analyse(20));
  state_.Drawing.ControlWidth = 900;
  RecordingCanvas canvas;
  ShowView(state_, canvas, ui_, ViewPAlphaAll);
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
