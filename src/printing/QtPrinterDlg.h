#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "printing/PrintSelection.h"

class QCheckBox;
class QPushButton;

namespace zephirax {

// The print selection dialog: which pages to print, whether as hardcopy and
// whether to set up the printer first.
class TPrinterDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TPrinterDlg(int language, QWidget* parent = nullptr);

  // The ticks the user left; nothing when the dialog was not closed with OK.
  static std::optional<PrintSelection> Ask(int language, QWidget* parent);
  const PrintSelection& Selection() const { return selection_; }

  QCheckBox* Box(PrintBox box) const { return boxes_[static_cast<int>(box)]; }

  QCheckBox* PrinterSetupCheckBox = nullptr;
  QCheckBox* HardcopyCheckBox = nullptr;
  QCheckBox* PrintActualCheckBox = nullptr;
  QCheckBox* PrintAllCheckBox = nullptr;
  QPushButton* OkButton = nullptr;
  QPushButton* CancelButton = nullptr;

 private:
  void BoxClick(PrintBox box, bool ticked);
  void ShowTicks();

  PrintSelection selection_;
  std::array<QCheckBox*, PrintBoxCount> boxes_{};
};

}  // namespace zephirax
