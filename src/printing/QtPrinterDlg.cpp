#include "printing/QtPrinterDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/QtLangText.h"
#include "printing/PrintTexts.h"

namespace zephirax {

namespace {

// The object names of the boxes, in the order of PrintBox.
constexpr const char* BoxNames[PrintBoxCount] = {
    "PrinterSetupCheckBox",    "HardcopyCheckBox",      "PrintActualCheckBox",
    "PrintAllCheckBox",        "PrintpasingleCheckBox", "PrintpaallCheckBox",
    "Print3dCheckBox",         "PrintpvsingleCheckBox", "PrintpvallCheckBox",
    "PrintpmaxsingleCheckBox", "PrintpmaxallCheckBox",  "PrintpmaxmeanCheckBox",
    "PrintmaxdevCheckBox",     "PrintMipCheckBox",      "PrintMIPdevCheckBox",
    "PrintPindCheckBox",       "PrintPinddevCheckBox",  "PrintEngineCheckBox",
    "PrintAddedDataCheckBox",
};

}  // namespace

TPrinterDlg::TPrinterDlg(int language, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("PrinterDlg"));
  setWindowTitle(Text(PrinterDlgCaption, language));

  auto* layout = new QVBoxLayout(this);
  auto* firstRow = new QHBoxLayout;
  layout->addLayout(firstRow);
  for (int k = 0; k < PrintBoxCount; ++k) {
    const auto box = static_cast<PrintBox>(k);
    auto* check = new QCheckBox(Text(PrintBoxCaption(box), language), this);
    check->setObjectName(QString::fromLatin1(BoxNames[k]));
    boxes_[k] = check;
    // The hardcopy box stands right of the set-up box.
    if (box == PrintBox::Setup || box == PrintBox::Hardcopy) {
      firstRow->addWidget(check);
    } else {
      layout->addWidget(check);
    }
    connect(check, &QCheckBox::clicked, this, [this, box](bool ticked) { BoxClick(box, ticked); });
  }
  PrinterSetupCheckBox = Box(PrintBox::Setup);
  HardcopyCheckBox = Box(PrintBox::Hardcopy);
  PrintActualCheckBox = Box(PrintBox::Actual);
  PrintAllCheckBox = Box(PrintBox::All);

  auto* buttons = new QDialogButtonBox(this);
  OkButton = buttons->addButton(Text(PrinterDlgOk, language), QDialogButtonBox::AcceptRole);
  CancelButton = buttons->addButton(Text(PrinterDlgCancel, language), QDialogButtonBox::RejectRole);
  OkButton->setObjectName(QStringLiteral("OkButton"));
  CancelButton->setObjectName(QStringLiteral("CancelButton"));
  OkButton->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ShowTicks();

  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect place = rect();
    place.moveCenter(screen->availableGeometry().center());
    move(place.topLeft());
  }
}

void TPrinterDlg::BoxClick(PrintBox box, bool ticked) {
  SetTicked(selection_, box, ticked);
  ShowTicks();
}

void TPrinterDlg::ShowTicks() {
  for (int k = 0; k < PrintBoxCount; ++k) boxes_[k]->setChecked(selection_.Ticked[k]);
}

std::optional<PrintSelection> TPrinterDlg::Ask(int language, QWidget* parent) {
  TPrinterDlg dialog(language, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Selection();
}

}  // namespace zephirax
