#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>

#include <QPainter>

#include "app/AnalysisHandlers.h"
#include "app/AppState.h"
#include "app/ViewDispatch.h"
#include "measurement/MeasurementReader.h"
#include "platform/QtCanvas.h"
#include "platform/RecordingCanvas.h"
#include "voltan-sim/Generator.h"

// The canvas holds lines back and sets the painter's pens only when needed, so
// that views of thousands of segments draw fast. The picture must be exactly
// that of drawing every call on its own: the same calls, each finished before
// the next, are the reference.

namespace zephirax {
namespace {

std::unique_ptr<AppState> TwentyCylinders() {
  voltansim::GeneratorOptions options = voltansim::EngineDefaults(4);
  options.Cylinders = 20;
  options.Strokes = 30;
  options.Extra = voltansim::SecondChannel::Fuel;
  auto state = std::make_unique<AppState>();
  state->Config.SensorType = 1;
  state->Drawing.ControlWidth = 1280;
  state->Drawing.ControlHeight = 800;
  EnterAnalysisMode(*state);
  if (!LoadMeasurementBytes(*state->Files.Measurement, voltansim::GenerateMeasurement(options))) {
    return nullptr;
  }
  state->View.AnalysisActive = true;
  return state;
}

void Replay(const CanvasOp& op, Canvas& canvas) {
  if (op.Op == "SetSize") canvas.SetSize(op.A, op.B);
  if (op.Op == "SetPen") canvas.SetPen(op.Colour, op.A, op.Style);
  if (op.Op == "SetBrush") canvas.SetBrush(op.Colour);
  if (op.Op == "SetFont") canvas.SetFont(op.Text, op.A, op.Bold);
  if (op.Op == "SetFontColor") canvas.SetFontColor(op.Colour);
  if (op.Op == "MoveTo") canvas.MoveTo(op.A, op.B);
  if (op.Op == "LineTo") canvas.LineTo(op.A, op.B);
  if (op.Op == "Rectangle") canvas.Rectangle(op.A, op.B, op.C, op.D);
  if (op.Op == "FillRect") canvas.FillRect(op.A, op.B, op.C, op.D);
  if (op.Op == "TextOut") canvas.TextOut(op.A, op.B, op.Text);
}

TEST(QtViewPixelsTest, ViewsDrawAsEveryCallOnItsOwn) {
  struct Case {
    const char* Name;
    int View;
    std::function<void(AppState&)> Setup;
  };
  const Case cases[] = {
      {"all cylinders", ViewPAlphaAll, {}},
      {"one cylinder zoomed with dp/da and fuel", ViewPAlphaSingle,
       [](AppState& s) { s.View.ZoomOn = s.View.DpDaOn = s.View.FuelOn = true; }},
      {"pmax bars", ViewPmaxMean, {}},
      {"p/V of all cylinders", ViewPVAll, {}},
  };
  auto state = TwentyCylinders();
  ASSERT_NE(state, nullptr);
  QtCanvas fast;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    if (c.Setup) c.Setup(*state);
    // Twice, so that the second drawing reuses the picture of the first.
    RecordingCanvas recorder(&fast);
    ShowView(*state, recorder, c.View);
    ShowView(*state, fast, c.View);
    ASSERT_GT(recorder.Ops().size(), 100u);

    QtCanvas reference;
    for (const CanvasOp& op : recorder.Ops()) {
      Replay(op, reference);
      reference.Image();  // finishes this call before the next
    }
    EXPECT_TRUE(fast.Image() == reference.Image());
  }
}

// Curves that dwell on a pixel, run along rows and columns, turn back, jump
// and touch the edges, with solid and dotted pens: the folded lines, and the
// short ones set from patterns, must leave exactly the pixels of every step
// drawn on its own by the painter.
TEST(QtViewPixelsTest, StepsAlongRowsAndColumnsDrawAsOnTheirOwn) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> step(-3, 3);
  std::uniform_int_distribution<int> kind(0, 10);
  std::uniform_int_distribution<int> jump(-90, 90);
  RecordingCanvas recorder;
  recorder.SetSize(200, 150);
  for (int curve = 0; curve < 40; ++curve) {
    recorder.SetPen(static_cast<Color>(0x030507 * (curve + 1)), 0,
                    curve % 5 == 0 ? PenStyle::Dot : PenStyle::Solid);
    int x = 100, y = 75;
    recorder.MoveTo(x, y);
    for (int i = 0; i < 400; ++i) {
      const int k = kind(random);
      if (k < 3) {
        x += step(random);  // along the row
      } else if (k < 5) {
        y += step(random);  // along the column
      } else if (k < 8) {
        x += step(random);
        y += step(random);
      } else if (k == 8) {
        x += jump(random);
        y += jump(random);
      } else if (k == 9) {
        (i % 2 == 0 ? x : y) += 2 * jump(random);  // a long run along a row or column
      }                                            // else: stays on its pixel
      x = std::clamp(x, -5, 205);
      y = std::clamp(y, -5, 155);
      recorder.LineTo(x, y);
    }
  }
  QtCanvas fast;
  for (const CanvasOp& op : recorder.Ops()) Replay(op, fast);
  // The reference is the painter's alone, every step a line of its own.
  QImage reference(200, 150, QImage::Format_RGB32);
  reference.fill(Qt::white);
  QPainter painter(&reference);
  QPen pen;
  pen.setCosmetic(true);
  QPoint at;
  for (const CanvasOp& op : recorder.Ops()) {
    if (op.Op == "SetPen") {
      pen.setColor(QColor::fromRgb(static_cast<QRgb>(op.Colour)));
      pen.setWidth(op.A);
      pen.setStyle(op.Style == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
      painter.setPen(pen);
    } else if (op.Op == "MoveTo") {
      at = QPoint(op.A, op.B);
    } else if (op.Op == "LineTo") {
      painter.drawLine(at, QPoint(op.A, op.B));
      at = QPoint(op.A, op.B);
    }
  }
  painter.end();
  EXPECT_TRUE(fast.Image() == reference);
}

}  // namespace
}  // namespace zephirax
