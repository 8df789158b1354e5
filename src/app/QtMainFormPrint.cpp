#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <memory>
#include <optional>

#include "app/QtMainForm.h"
#include "app/QtPrintTargetChoice.h"
#include "platform/QtLangText.h"
#include "printing/PrintSelection.h"
#include "printing/PrintTexts.h"
#include "printing/QtPrinterDlg.h"

// The main window's print run: the selection dialog, the printer set-up, and
// every chosen page drawn into the picture and printed.

namespace zephirax {

namespace {

QString PageOf(int page, int total, int language) {
  return Text(PrintProgressText, language).arg(page).arg(total);
}

}  // namespace

void TMainForm::PrintButtonClick() {
  if (printRunning_ || !state_.View.AnalysisActive) return;
  const int lang = state_.Config.Language;
  printRunning_ = true;
  SyncButtons();
  // Every way out of the run ends below, with the print button back.
  [&] {
    const std::optional<PrintSelection> selection = TPrinterDlg::Ask(lang, this);
    if (!selection) return;
    if ((*selection)[PrintBox::Setup]) PrinterObject.SetupDialog(this);
    const std::vector<int> pages = ChosenPages(*selection);
    if (pages.empty()) return;
    const PrintPlan plan = PlanPrintRun(state_, pages);
    if (!plan.Jobs.empty()) {
      const std::unique_ptr<QtPrintTarget> target =
          OpenPrintTarget(PrinterObject, *ui_, static_cast<Language>(lang), state_.Window.DataDir);
      if (target == nullptr) return;
      PrintRunResult result = RunPrintPlan(plan, (*selection)[PrintBox::Hardcopy], *target);
      if (result.Complete() && !target->Finish()) result.Failure = target->Failure();
      if (!result.Failure.isEmpty()) {
        std::string message = Tr(PrintFailedText, lang);
        message.replace(message.find("%s"), 2, result.Failure.toStdString());
        ui_->MessageBox(Tr(ErrorCaption, lang), message, MsgButtons::Ok, MsgIcon::Error);
      }
    }
    if (!plan.LeftOut.empty()) TellPagesLeftOut(plan.LeftOut);
  }();
  printRunning_ = false;
  SyncButtons();
}

TMainForm::PrintPagesResult TMainForm::PrintPages(const std::vector<int>& pages, bool hardcopy,
                                                  QtPrintTarget& target) {
  PrintPagesResult result;
  if (printRunning_) return result;
  result.Plan = PlanPrintRun(state_, pages);
  if (result.Plan.Jobs.empty()) return result;
  printRunning_ = true;
  result.Run = RunPrintPlan(result.Plan, hardcopy, target);
  printRunning_ = false;
  SyncButtons();
  return result;
}

PrintRunResult TMainForm::RunPrintPlan(const PrintPlan& plan, bool hardcopy,
                                       QtPrintTarget& target) {
  const int lang = state_.Config.Language;
  // The header names what the status line shows.
  ReportHeader header = ReportHeaderOf(state_);
  header.File = FileLabel->text().toStdString();
  header.Date = DateLabel->text().toStdString();
  header.Time = TimeLabel->text().toStdString();
  const ReportLines lines = ReportLinesOf(header, lang);

  // The TDC mode goes on after the run; the pages it printed must not end it.
  const bool tdcMode = InTdcView();
  const ViewState viewBefore = state_.View;
  const DrawingState drawingBefore = state_.Drawing;
  const AnalysisButtons buttonsBefore = state_.Window.Buttons;

  printing_ = true;
  SyncButtons();
  ui_->Hourglass(true);
  const int total = static_cast<int>(plan.Jobs.size());
  // Modal to this window: its events go on between the pages, its input
  // waits until the run is over.
  QProgressDialog progress(PageOf(1, total, lang), Text(PrinterDlgCancel, lang), 0, total, this);
  progress.setObjectName(QStringLiteral("PrintProgress"));
  progress.setWindowTitle(Text(PrinterDlgCaption, lang));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  progress.setValue(0);

  PrintScreen screen;
  screen.ShowView = [this](int view) { ShowPrintedView(view); };
  screen.WindowImage = [this] { return grab().toImage(); };
  screen.Progress = [&](int done, int all) {
    progress.setValue(done);
    if (done < all) progress.setLabelText(PageOf(done + 1, all, lang));
    return !progress.wasCanceled();
  };
  const PrintRunResult result = RunPrintJobs(state_, plan, hardcopy, lines, target, screen);
  progress.close();
  ui_->Hourglass(false);
  printing_ = false;

  if (tdcMode) {
    state_.View = viewBefore;
    state_.Drawing = drawingBefore;
    state_.Window.Buttons = buttonsBefore;
    ShowTdcView();
  } else {
    SyncButtons();
  }
  return result;
}

void TMainForm::ShowPrintedView(int view) {
  // As the view menu shows it, with the Copy button in its place.
  for (const ViewItem& item : viewItems_) {
    if (item.View == view) {
      ViewItemClick(item);
      return;
    }
  }
  Redraw(view);
}

void TMainForm::TellPagesLeftOut(const std::vector<int>& pages) {
  const int lang = state_.Config.Language;
  std::string text = Tr(PagesLeftOutText, lang);
  for (const int number : pages) {
    const PrintPage* page = FindPrintPage(number);
    if (page == nullptr) continue;
    text += '\n';
    // The dialog's captions are indented; the list is not.
    const std::string caption = Tr(PrintBoxCaption(page->Box), lang);
    text += caption.substr(std::min(caption.find_first_not_of(' '), caption.size()));
  }
  ui_->MessageBox(Tr(PrinterDlgCaption, lang), text, MsgButtons::Ok, MsgIcon::Warning);
}

}  // namespace zephirax
