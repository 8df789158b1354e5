#pragma once

#include <QFont>
#include <QString>

#include "printing/PrintMapping.h"

class QPainter;

// The printer output of the text printouts: a job on a print target whose
// painter is mapped so that the report places its texts in a physical unit
// (Scaling) measured from the top-left margin corner of the paper, whatever
// the printer's resolution.

namespace zephirax {

class QtPrintTarget;

enum TXPrinterOrientation { xpoPortrait, xpoLandscape };

class TXPrint {
 public:
  // Draws through `target`, which must outlive the component. Without a
  // target (no printer installed) no operation prints or fails loudly: a job
  // does not begin and Printing() is false.
  explicit TXPrint(QtPrintTarget* target = nullptr);
  // A job still started is ended, so that the target can take the next one.
  ~TXPrint();
  TXPrint(const TXPrint&) = delete;
  TXPrint& operator=(const TXPrint&) = delete;

  TScaling Scaling() const { return scaling_; }
  // The margins keep their place on the paper: they are converted to the new
  // unit at the current resolution. No change while a job is started, as the
  // page is mapped already.
  void SetScaling(TScaling scaling);

  PrintMargins Margins;  // in the unit of Scaling, from the paper's edges
  QFont Font;            // its point size is the printed size under any scaling
  int Copies = 1;
  QString Title;  // the job's name
  TXPrinterOrientation Orientation = xpoPortrait;

  // Text angle in tenths of a degree, counter-clockwise; kept in 0..3599.
  int Angle10() const { return angle10_; }
  void SetAngle10(int angle10);

  // The printer reports the last job aborted.
  bool Aborted() const;
  // A job is in progress on the target or its printer.
  bool Printing() const;
  bool Started() const { return started_; }

  // Sets up the printer (copies, orientation), begins a job titled Title,
  // reads the printer's resolution and page, maps the painter and gives it
  // Font. False when there is no target, a job is started already or the
  // target cannot begin one.
  bool BeginJob();
  // Ends the job; false when none was started or its output failed.
  bool EndJob();

  // The job's painter, mapped to logical units; nullptr outside a job.
  QPainter* Canvas() const { return started_ ? painter_ : nullptr; }
  // The printer as read at the start of the job (300 pixels per inch before).
  const DeviceCaps& Caps() const { return caps_; }
  // The width and height inside the margins, in logical units.
  int PageWidth() const { return page_.Width; }
  int PageHeight() const { return page_.Height; }

  // Font's size in points; during a job the painter's font follows at once.
  void SetFontSize(int points);

  // Logical units and printer pixels at the job's resolution.
  int UnitsToPixelsX(int units) const;
  int UnitsToPixelsY(int units) const;
  int PixelsToUnitsX(int pixels) const;
  int PixelsToUnitsY(int pixels) const;

  // Draws `text` with the top-left corner of its cell at logical (x, y),
  // turned by Angle10 about that corner. Nothing outside a job.
  void TextOut(int x, int y, const QString& text);
  // The width of `text` in logical units in the job's font; 0 outside a job.
  int TextWidth(const QString& text) const;

 private:
  void ApplyFont();

  QtPrintTarget* target_ = nullptr;
  QPainter* painter_ = nullptr;
  TScaling scaling_ = pscDot;
  int angle10_ = 0;
  bool started_ = false;
  DeviceCaps caps_;
  PageSetup page_;
};

}  // namespace zephirax
