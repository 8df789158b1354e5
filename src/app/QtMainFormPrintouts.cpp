#include <memory>
#include <string>

#include "app/QtMainForm.h"
#include "app/QtPrintTargetChoice.h"
#include "printing/PrintoutTexts.h"
#include "printing/QtTextPrintouts.h"

// The text printouts of the setup editor and the additional-data dialog go
// through the program's printer object, or into a PDF file when no printer
// is installed.

namespace zephirax {

void TMainForm::RunTextPrintout(QWidget* parent, const TextPrintout& printout) {
  const int lang = state_.Config.Language;
  const std::unique_ptr<QtPrintTarget> target =
      OpenPrintTarget(PrinterObject, *ui_, static_cast<Language>(lang), state_.Window.DataDir);
  if (target == nullptr) return;  // no PDF file chosen
  PrintoutStart start;
  start.Language = lang;
  start.Ui = ui_;
  // Without a printer the PDF file just chosen is the set-up there is.
  if (PrinterObject.HasPrinter()) {
    start.SetupPrinter = [this, parent] { return PrinterObject.SetupDialog(parent); };
  }
  const PrintResult result = printout(*target, start);
  if (result == PrintResult::Cancelled || result == PrintResult::JobRunning) return;
  if (result == PrintResult::Printed && target->Finish()) return;
  std::string message = Tr(PrintoutFailedText, lang);
  message.replace(message.find("%s"), 2, target->Failure().toStdString());
  ui_->MessageBox(Tr(ErrorCaption, lang), message, MsgButtons::Ok, MsgIcon::Error);
}

}  // namespace zephirax
