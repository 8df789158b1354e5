#include "analysis/ViewButtons.h"

#include <gtest/gtest.h>

#include <string>

#include "analysis/ViewState.h"

namespace zephirax {
namespace {

// The visible buttons, by name, in a fixed order; a '-' marks one that is
// shown but disabled.
std::string Shown(const AnalysisButtons& b) {
  const std::pair<const char*, const ButtonFlags*> all[] = {
      {"Cyl", &b.CylinderPlusBtn},
      {"RefCyl", &b.RefCylinderPlusBtn},
      {"Ref", &b.RefBtn},
      {"Cursor<>", &b.CursorLeftBtn},
      {"Cursor", &b.CursorBtn},
      {"Zoom", &b.ZoomButton},
      {"dpda", &b.dpdaBtn},
      {"Filter", &b.FilterBtn},
      {"RefFilter", &b.RefFilterBtn},
      {"Fuel", &b.FuelButton},
      {"ACL", &b.ACLButton},
      {"pscav", &b.pscavButton},
      {"Print", &b.PrintButton},
      {"Copy", &b.CopyBtn},
      {"Functions", &b.FinishButton},
      {"Auto", &b.autoButton},
      {"Markers", &b.MarkerButtons},
  };
  std::string text;
  for (const auto& [name, flags] : all) {
    if (!flags->Visible) continue;
    if (!text.empty()) text += ' ';
    text += flags->Enabled ? name : std::string("-") + name;
  }
  return text;
}

TEST(ViewButtons, EachViewShowsItsOwn) {
  struct Case {
    int View;
    int SensorType;
    bool Mip, Extra;
    const char* Expected;
  };
  // Enabled before as entering the analysis leaves them; the pscav button
  // waits for its workflow.
  AnalysisButtons enabled;
  for (ButtonFlags* b : {&enabled.CylinderPlusBtn, &enabled.RefCylinderPlusBtn, &enabled.RefBtn,
                         &enabled.CursorLeftBtn, &enabled.CursorBtn, &enabled.ZoomButton,
                         &enabled.dpdaBtn, &enabled.FilterBtn, &enabled.RefFilterBtn,
                         &enabled.PrintButton, &enabled.CopyBtn, &enabled.FinishButton}) {
    b->Enabled = true;
  }
  const Case cases[] = {
      {ViewPAlphaSingle, 1, true, true,
       "Cyl Ref Cursor<> Cursor Zoom dpda Filter Fuel -pscav Print Copy Functions"},
      {ViewPAlphaSingle, 2, false, false,
       "Cyl Ref Cursor<> Cursor dpda Filter -ACL -pscav Print Copy Functions"},
      {ViewPAlphaAll, 1, true, true, "Zoom dpda Print Copy Functions"},
      {ViewPAlphaRef, 0, true, false,
       "Cyl RefCyl Ref Cursor<> Cursor Zoom dpda Filter RefFilter Print Copy Functions"},
      {ViewPVSingle, 1, true, true, "Cyl Cursor<> Print Copy Functions"},
      {ViewPmaxSingle, 0, true, false, "Cyl Print Copy Functions"},
      {ViewPmaxMean, 2, true, true, "Print Copy Functions"},
      {ViewEngineTable, 0, true, false, "RefCyl Print Copy Functions"},
      {ViewEngineTable2, 0, true, false, "RefCyl Print Copy Functions"},
      {ViewPAlpha3D, 1, true, true, "Print Copy Functions"},
      // The TDC views: Ref saves, the arrows shift, dp/da is always drawn.
      {ViewTdcAuto, 1, true, true,
       "RefCyl Ref Cursor<> Zoom Filter RefFilter Print Functions Auto Markers"},
      {ViewTdcManual, 2, true, true,
       "Cyl RefCyl Ref Cursor<> Zoom Filter RefFilter Print Functions Auto"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.View);
    MeasurementData data;
    data.HasMipBlock = c.Mip;
    data.HasExtraChannel = c.Extra;
    Settings config;
    config.SensorType = c.SensorType;
    EXPECT_EQ(Shown(ViewButtons(c.View, enabled, data, config)), c.Expected);
  }
}

// The all-cylinder view keeps the pscav button as it was before.
TEST(ViewButtons, AllCylinderViewKeepsThePscavButton) {
  MeasurementData data;
  data.HasMipBlock = true;
  const Settings config;
  const AnalysisButtons single = ViewButtons(ViewPAlphaSingle, {}, data, config);
  EXPECT_TRUE(ViewButtons(ViewPAlphaAll, single, data, config).pscavButton.Visible);
  const AnalysisButtons chart = ViewButtons(ViewPmaxMean, single, data, config);
  EXPECT_FALSE(ViewButtons(ViewPAlphaAll, chart, data, config).pscavButton.Visible);
}

}  // namespace
}  // namespace zephirax
