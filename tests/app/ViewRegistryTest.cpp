#include "app/ViewRegistry.h"

#include <gtest/gtest.h>

#include <set>

#include "measurement/MeasurementReader.h"
#include "platform/RecordingCanvas.h"
#include "support/MeasurementFileBuilder.h"
#include "support/ViewFixture.h"

namespace zephirax {
namespace {

TEST(ViewRegistry, NamesEveryViewOnceWithTheMenuFirst) {
  std::set<int> codes;
  bool menuOver = false;
  for (const ViewEntry& view : ViewRegistry()) {
    EXPECT_TRUE(codes.insert(view.Code).second) << view.Code;
    EXPECT_EQ(FindView(view.Code), &view);
    EXPECT_EQ(view.MenuName == nullptr, view.MenuCaption == nullptr) << view.Code;
    if (view.MenuName == nullptr) menuOver = true;
    EXPECT_FALSE(menuOver && view.MenuName != nullptr) << "menu entry after the others";
    EXPECT_NE(view.Draw, nullptr) << view.Code;
  }
  EXPECT_EQ(codes.size(), 21u);
  EXPECT_EQ(*codes.begin(), 0);
  EXPECT_EQ(*codes.rbegin(), 20);
  EXPECT_EQ(FindView(21), nullptr);
  EXPECT_EQ(FindView(-1), nullptr);
}

// A view reads the files and settings and leaves its results only where its
// context says: the code and cursor in View, the geometry, the buttons.
TEST(ViewRegistry, EveryViewRecordsItsCodeAndChangesNoInput) {
  test::MeasurementFileBuilder file;
  file.Cylinders = 4;
  file.Extra = "FUEL";
  test::ViewFixture fixture;
  ASSERT_TRUE(LoadMeasurementBytes(*fixture.Measurement, file.Build()));
  ASSERT_TRUE(LoadReferenceBytes(*fixture.Reference, *fixture.Measurement, file.Build(), 2));
  fixture.AddData.Texh[1] = 350;
  fixture.HasAddData = true;
  fixture.View.FuelOn = fixture.View.ZoomOn = fixture.View.DpDaOn = true;
  const MeasurementData measurement = *fixture.Measurement;
  const ReferenceData reference = *fixture.Reference;
  const AdditionalData addData = fixture.AddData;
  for (const ViewEntry& view : ViewRegistry()) {
    if (view.Draw == nullptr) continue;
    SCOPED_TRACE(view.Code);
    fixture.View.CurrentView = -1;
    RecordingCanvas canvas;
    view.Draw(fixture, canvas);
    EXPECT_EQ(fixture.View.CurrentView, view.Code);
    EXPECT_FALSE(canvas.Ops().empty());
    EXPECT_TRUE(*fixture.Measurement == measurement);
    EXPECT_TRUE(*fixture.Reference == reference);
    EXPECT_TRUE(fixture.AddData == addData);
  }
}

}  // namespace
}  // namespace zephirax
