#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <functional>

#include "app/AppState.h"
#include "app/PrintRunPlan.h"
#include "printing/QtPrintTarget.h"

// The page loop of a print run: every job's view is drawn as on screen and
// sent as a print job of its own, as a report page or a hardcopy page.

namespace zephirax {

// What the run needs from where it was started: the window, or nothing on
// the command line.
struct PrintScreen {
  // Draws `view` into the picture as choosing it would; CurrentCylinder is
  // already set. Without it the view is drawn for the page only.
  std::function<void(int view)> ShowView;
  // The main window as on screen, for hardcopy pages.
  std::function<QImage()> WindowImage;
  // Called after every job with the count done and the count of all; false
  // stops the run before the next job.
  std::function<bool(int done, int total)> Progress;
};

struct PrintRunResult {
  int JobsPrinted = 0;
  bool Stopped = false;  // Progress asked to stop
  QString Failure;       // why the printer gave up; empty when it did not

  bool Complete() const { return !Stopped && Failure.isEmpty(); }
};

// The two header lines of the report page, in `language`.
struct ReportLines {
  QString FileLine;
  QString ShipLine;
};
ReportLines ReportLinesOf(const ReportHeader& header, int language);

// Prints the jobs of `plan` into `target`. Before every job and after the
// last the run waits until the target has no job in progress, handling
// the window's events meanwhile. A job that the printer refuses ends the run.
// The caller completes the target (Finish) once the run is complete.
PrintRunResult RunPrintJobs(AppState& state, const PrintPlan& plan, bool hardcopy,
                            const ReportLines& lines, QtPrintTarget& target,
                            const PrintScreen& screen);

// Draws `view` as the picture would show it into `target` on the page,
// leaving the program state as it was.
void DrawViewOnPage(const AppState& state, int view, QPainter& painter, const QRect& target);

}  // namespace zephirax
