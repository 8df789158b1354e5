#include "printing/QtPrintTarget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinterInfo>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/AtomicFile.h"
#include "platform/TemporaryFiles.h"

namespace zephirax {

namespace {

// A painter that keeps vector lines sharp and stores pictures as they are:
// without the hint, Qt's PDF engine compresses images as JPEG.
bool BeginPainter(QPainter& painter, QPrinter& printer) {
  if (!painter.begin(&printer)) return false;
  painter.setRenderHint(QPainter::LosslessImageRendering);
  return true;
}

class PrinterJobTarget : public QtPrintTarget {
 public:
  explicit PrinterJobTarget(QPrinter& printer) : Printer_(printer) {}

  QPainter* BeginJob(const QString& title) override {
    if (Busy_) return nullptr;
    Printer_.setDocName(title);
    if (!BeginPainter(Painter_, Printer_)) {
      Fail(QStringLiteral("the printer \"%1\" did not accept the job").arg(Printer_.printerName()));
      return nullptr;
    }
    Busy_ = true;
    return &Painter_;
  }

  bool EndJob() override {
    if (!Busy_) return false;
    Busy_ = false;
    const bool ended = Painter_.end() && Printer_.printerState() != QPrinter::Error;
    if (!ended) {
      Fail(QStringLiteral("the printer \"%1\" reported an error").arg(Printer_.printerName()));
      return false;
    }
    ++JobsDone_;
    return true;
  }

  QPrinter& Printer() override { return Printer_; }

 private:
  QPrinter& Printer_;
  QPainter Painter_;
};

class PdfDocumentTarget : public QtPrintTarget {
 public:
  explicit PdfDocumentTarget(const QString& path) : Path_(path) {
    Printer_.setOutputFormat(QPrinter::PdfFormat);
  }
  ~PdfDocumentTarget() override {
    if (Painter_.isActive()) Painter_.end();
    DropTemporary();
  }

  QPainter* BeginJob(const QString& title) override {
    if (Busy_ || Finished_) return nullptr;
    if (Temporary_.isEmpty()) {
      if (!Start(title)) return nullptr;
    } else if (!Printer_.newPage()) {
      Fail(QStringLiteral("could not add a page to %1").arg(Path_));
      return nullptr;
    }
    Busy_ = true;
    return &Painter_;
  }

  bool EndJob() override {
    if (!Busy_) return false;
    Busy_ = false;
    ++JobsDone_;
    return true;
  }

  bool Finish() override {
    if (Finished_ || Busy_) return false;
    Finished_ = true;
    if (Temporary_.isEmpty()) {
      Fail(QStringLiteral("nothing was printed"));
      return false;
    }
    const bool ended = Painter_.end();
    // The printer writes to a temporary file (it wants a name); the report
    // then replaces the destination as every other file the program writes.
    QFile written(Temporary_);
    const QByteArray bytes = ended && written.open(QIODevice::ReadOnly) ? written.readAll() : "";
    DropTemporary();
    if (bytes.isEmpty() ||
        !ReplaceFileAtomically(QFile::encodeName(Path_).toStdString(),
                               std::string_view(bytes.constData(), bytes.size()))) {
      Fail(QStringLiteral("could not write %1").arg(Path_));
      return false;
    }
    return Failure().isEmpty();
  }

  QPrinter& Printer() override { return Printer_; }

 private:
  bool Start(const QString& title) {
    // Named as a temporary of the file finally replaced, so that the next
    // write of it removes the file when this process is killed meanwhile.
    const std::string destination = WriteDestination(QFile::encodeName(Path_).toStdString());
    std::error_code ignored;
    if (!destination.empty()) {
      std::filesystem::create_directories(std::filesystem::path(destination).parent_path(),
                                          ignored);
    }
    const std::optional<NamedTemporary> temporary =
        destination.empty() ? std::nullopt : CreateNamedTemporary(destination);
    if (!temporary) {
      Fail(QStringLiteral("could not write %1").arg(Path_));
      return false;
    }
    TemporaryLock_ = temporary->Descriptor;
    Temporary_ = QFile::decodeName(temporary->Path.c_str());
    Printer_.setOutputFileName(Temporary_);
    Printer_.setDocName(title);
    if (!BeginPainter(Painter_, Printer_)) {
      Fail(QStringLiteral("could not write %1").arg(Path_));
      return false;
    }
    return true;
  }

  void DropTemporary() {
    if (Temporary_.isEmpty()) return;
    QFile::remove(Temporary_);
    close(TemporaryLock_);
    Temporary_.clear();
  }

  QString Path_;
  QString Temporary_;
  int TemporaryLock_ = -1;  // held while the temporary file exists
  bool Finished_ = false;
  QPrinter Printer_{QPrinter::HighResolution};
  QPainter Painter_;
};

class PdfJobFilesTarget : public QtPrintTarget {
 public:
  explicit PdfJobFilesTarget(const QString& folder) : Folder_(folder) {}

  QPainter* BeginJob(const QString& title) override {
    if (Busy_) return nullptr;
    if (!QDir().mkpath(Folder_)) {
      Fail(QStringLiteral("could not create the folder %1").arg(Folder_));
      return nullptr;
    }
    Job_ = PdfDocument(QDir(Folder_).filePath(JobFileName(++Number_, title)));
    Job_->Printer().setPageLayout(Printer_.pageLayout());
    QPainter* painter = Job_->BeginJob(title);
    if (painter == nullptr) {
      Fail(Job_->Failure());
      return nullptr;
    }
    Busy_ = true;
    return painter;
  }

  bool EndJob() override {
    if (!Busy_) return false;
    Busy_ = false;
    const bool done = Job_->EndJob() && Job_->Finish();
    if (!done) {
      Fail(Job_->Failure());
      return false;
    }
    ++JobsDone_;
    return true;
  }

  // Between jobs this is where the orientation of the next job is set.
  QPrinter& Printer() override { return Busy_ ? Job_->Printer() : Printer_; }

 private:
  QString Folder_;
  int Number_ = 0;
  std::unique_ptr<QtPrintTarget> Job_;
  QPrinter Printer_{QPrinter::HighResolution};
};

}  // namespace

std::unique_ptr<QtPrintTarget> PrinterJobs(QPrinter& printer) {
  return std::make_unique<PrinterJobTarget>(printer);
}

std::unique_ptr<QtPrintTarget> PdfDocument(const QString& path) {
  return std::make_unique<PdfDocumentTarget>(path);
}

std::unique_ptr<QtPrintTarget> PdfJobFiles(const QString& folder) {
  return std::make_unique<PdfJobFilesTarget>(folder);
}

QString JobFileName(int number, const QString& title) {
  QString name = title;
  for (QChar& c : name) {
    if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
        c == '>' || c == '|' || c.unicode() < 0x20) {
      c = '_';
    }
  }
  return QStringLiteral("%1 %2.pdf").arg(number, 2, 10, QChar('0')).arg(name.trimmed());
}

QtPrinterObject::QtPrinterObject()
    : QtPrinterObject(!QPrinterInfo::availablePrinterNames().isEmpty()) {}

QtPrinterObject::QtPrinterObject(bool installed)
    : HasPrinter_(installed), Printer_(QPrinter::HighResolution) {
  if (!HasPrinter_) Printer_.setOutputFormat(QPrinter::PdfFormat);
}

bool QtPrinterObject::SetupDialog(QWidget* parent) {
  QPrintDialog dialog(&Printer_, parent);
  return dialog.exec() == QDialog::Accepted;
}

std::unique_ptr<QtPrintTarget> QtPrinterObject::OpenTarget(
    const std::function<std::optional<QString>()>& choosePdfFile) {
  if (HasPrinter_ && Printer_.outputFormat() == QPrinter::NativeFormat)
    return PrinterJobs(Printer_);
  // Without a printer, or when the user chose "Print to file" in the set-up
  // dialog, the whole run goes into one PDF file: the one named in the set-up
  // dialog, else one the user is asked for now.
  std::optional<QString> path = Printer_.outputFileName();
  if (path->isEmpty()) path = choosePdfFile();
  if (!path || path->isEmpty()) return nullptr;
  auto target = PdfDocument(*path);
  target->Printer().setPageLayout(Printer_.pageLayout());
  return target;
}

}  // namespace zephirax
