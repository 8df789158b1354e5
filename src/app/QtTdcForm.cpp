#include "app/QtTdcForm.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/CorrectionTexts.h"

namespace zephirax {

namespace {

// The dialog's answers, as the window reads them.
constexpr int ManualResult = 10;
constexpr int AutomaticResult = 11;

}  // namespace

TTDCForm::TTDCForm(int language, QWidget* parent) : QDialog(parent) {
  setObjectName("TDCForm");
  setWindowTitle(QString::fromUtf8(TdcFormCaption));
  // No border icons: the choice is made with the buttons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  auto* layout = new QVBoxLayout(this);
  const auto add = [&](const char* name, const LangText& caption, int result) {
    auto* button = new QPushButton(QString::fromUtf8(Tr(caption, language)), this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    return button;
  };
  ManualButton = add("ManualButton", TdcManualCaption, ManualResult);
  AutomaticButton = add("AutomaticButton", TdcAutomaticCaption, AutomaticResult);
  CancelButton = add("CancelButton", TdcCancelCaption, QDialog::Rejected);
  setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

TdcChoice TTDCForm::Ask(int language, QWidget* parent) {
  TTDCForm form(language, parent);
  switch (form.exec()) {
    case ManualResult:
      return TdcChoice::Manual;
    case AutomaticResult:
      return TdcChoice::Automatic;
    default:
      return TdcChoice::Cancel;
  }
}

}  // namespace zephirax
