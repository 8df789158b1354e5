#include "app/QtPrintRun.h"

#include <QCoreApplication>

#include "app/ViewDispatch.h"
#include "app/ViewRegistry.h"
#include "printing/PrintTexts.h"
#include "printing/QtPageCanvas.h"
#include "printing/QtReportPage.h"

namespace zephirax {

namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Jobs run synchronously through the target, so this returns at once unless
// a job is still going on; the window's events are handled meanwhile.
void WaitUntilIdle(const QtPrintTarget& target) {
  QCoreApplication::processEvents();
  while (target.Busy()) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

}  // namespace

ReportLines ReportLinesOf(const ReportHeader& header, int language) {
  return {FromUtf8(ReportFileLine(language, header.File, header.Date, header.Time)),
          FromUtf8(ReportShipLine(language, header.Ship))};
}

void DrawViewOnPage(const AppState& state, int view, QPainter& painter, const QRect& target) {
  const ViewEntry* entry = FindView(view);
  if (entry == nullptr || entry->Draw == nullptr) return;
  const ViewRun run(state);
  QtPageCanvas canvas(painter, target, state.Drawing.ControlWidth, state.Drawing.ControlHeight);
  entry->Draw(run.Context(), canvas);
}

PrintRunResult RunPrintJobs(AppState& state, const PrintPlan& plan, bool hardcopy,
                            const ReportLines& lines, QtPrintTarget& target,
                            const PrintScreen& screen) {
  PrintRunResult result;
  const int total = static_cast<int>(plan.Jobs.size());
  for (const PrintJob& job : plan.Jobs) {
    WaitUntilIdle(target);
    if (job.Redraw) {
      if (job.Cylinder > 0) state.View.CurrentCylinder = job.Cylinder;
      if (screen.ShowView) screen.ShowView(job.View);
    }
    const QString title = FromUtf8(job.Title);
    QPainter* painter = target.BeginJob(title);
    if (painter == nullptr) {
      result.Failure = target.Failure();
      // A refusal without a reason is a failure all the same.
      if (result.Failure.isEmpty())
        result.Failure = QStringLiteral("\"%1\" did not start").arg(title);
      break;
    }
    if (hardcopy && screen.WindowImage) {
      DrawHardcopyPage(*painter, screen.WindowImage());
    } else {
      DrawReportPage(
          *painter,
          [&](QPainter& page, const QRect& place) { DrawViewOnPage(state, job.View, page, place); },
          lines.FileLine, lines.ShipLine);
    }
    if (!target.EndJob()) {
      result.Failure = target.Failure();
      if (result.Failure.isEmpty())
        result.Failure = QStringLiteral("\"%1\" did not end").arg(title);
      break;
    }
    ++result.JobsPrinted;
    if (screen.Progress && !screen.Progress(result.JobsPrinted, total)) {
      result.Stopped = result.JobsPrinted < total;
      break;
    }
  }
  WaitUntilIdle(target);
  if (result.Failure.isEmpty()) result.Failure = target.Failure();
  return result;
}

}  // namespace zephirax
