#pragma once

#include <QPainter>
#include <QPrinter>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// Where print jobs go. Every target draws on a QPrinter, so the page size and
// the resolution read the same whether the jobs go to a system printer or into
// PDF files: the report pages, the hardcopy and the text printouts draw through
// this one component and never know which it is.

namespace zephirax {

class QtPrintTarget {
 public:
  virtual ~QtPrintTarget() = default;

  // Starts one print job; `title` becomes the printer's job name. Returns the
  // painter to draw on, or nullptr when the job could not start (Failure()
  // says why). A job begun must be ended before the next one begins.
  virtual QPainter* BeginJob(const QString& title) = 0;
  // Ends the job begun last; false when its output could not be completed.
  virtual bool EndJob() = 0;
  // Completes the whole output once the last job has ended (a PDF document is
  // put in place only here); false when that fails. Calling it is required
  // for the PDF document target and harmless for the others.
  virtual bool Finish() { return Failure().isEmpty(); }
  // The printer the jobs draw on: set its orientation before BeginJob; read
  // its resolution and page rectangles after.
  virtual QPrinter& Printer() = 0;

  // True from BeginJob to EndJob.
  bool Busy() const { return Busy_; }
  // The reason of the first failure, empty while all went well.
  const QString& Failure() const { return Failure_; }
  // The number of jobs that ended well.
  int JobsDone() const { return JobsDone_; }

 protected:
  void Fail(const QString& reason) {
    if (Failure_.isEmpty()) Failure_ = reason;
  }
  bool Busy_ = false;
  int JobsDone_ = 0;

 private:
  QString Failure_;
};

// Every job a print job of its own on `printer` (a system printer as the user
// set it up), which must outlive the target.
std::unique_ptr<QtPrintTarget> PrinterJobs(QPrinter& printer);

// Every job one page of a single PDF file at `path`. The file is written
// beside `path` under a temporary name and renamed over it by Finish(), so a
// failed or abandoned run leaves any earlier file at `path` as it was.
std::unique_ptr<QtPrintTarget> PdfDocument(const QString& path);

// Every job a PDF file of its own in `folder`: "01 TITLE.pdf", "02 ...", the
// title's characters that cannot stand in a file name replaced by "_".
std::unique_ptr<QtPrintTarget> PdfJobFiles(const QString& folder);

// The file name PdfJobFiles gives the job numbered `number` (from 1).
QString JobFileName(int number, const QString& title);

// The program's printer object: the system's default printer, which the
// standard print dialog sets up ("Setup printer first"). Installed printers
// are counted once, when it is made.
class QtPrinterObject {
 public:
  QtPrinterObject();
  // For tests: behave as if `installed` printers were present or not.
  explicit QtPrinterObject(bool installed);

  bool HasPrinter() const { return HasPrinter_; }
  QPrinter& Printer() { return Printer_; }

  // Runs the standard print dialog on the printer; false when cancelled. With
  // no printer installed the dialog still lets the user pick a PDF file.
  bool SetupDialog(QWidget* parent);

  // The target of the next run: the printer when one is installed; else the
  // PDF file `choosePdfFile` asks the user for (all of the run's jobs as its
  // pages), or nullptr when the user declines.
  std::unique_ptr<QtPrintTarget> OpenTarget(
      const std::function<std::optional<QString>()>& choosePdfFile);

 private:
  bool HasPrinter_ = false;
  QPrinter Printer_;
};

}  // namespace zephirax
