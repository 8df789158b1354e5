#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <iterator>

#include "app/MainTexts.h"
#include "app/QtMainForm.h"
#include "app/SharedTexts.h"
#include "app/ViewRegistry.h"
#include "platform/QtLangText.h"

// Building the main window's components and giving them their texts.

namespace zephirax {
namespace {

constexpr int AnalysisButtonHeight = 20;

// Where CopyBtn stands for the p/alpha and p/V views and for the bar charts;
// no other analysis button may cover these two places.
constexpr QPoint CopyAtCurves(236, 26);
constexpr QPoint CopyAtBars(298, 5);

// The maker's address block of the idle screen.
constexpr const char* AddressText =
    "VOLTAN Indicator Systems GmbH\n"
    "Am Messfeld 12\n"
    "00000 Musterhafen\n"
    "Tel. +00 00 0000 000-0\n"
    "Fax +00 00 0000 000-9\n"
    "info@voltan.example\n"
    "www.voltan.example";

}  // namespace

QPushButton* TMainForm::NewButton(QWidget* parent, const char* name, void (TMainForm::*handler)()) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setFocusPolicy(Qt::NoFocus);
  if (handler != nullptr) connect(button, &QPushButton::clicked, this, handler);
  return button;
}

void TMainForm::BuildComponents() {
  setObjectName(QStringLiteral("MainForm"));
  resize(1024, 700);

  ViewPicture = new PictureBox(this);
  ViewPicture->setObjectName(QStringLiteral("ViewPicture"));
  ViewPicture->installEventFilter(this);

  AddressBlock = new QLabel(QString::fromUtf8(AddressText), ViewPicture);
  AddressBlock->setObjectName(QStringLiteral("AddressBlock"));
  AddressBlock->setStyleSheet(QStringLiteral("color: white; font-size: 13px;"));
  AddressBlock->adjustSize();

  ErrorLabel = new QLabel(ViewPicture);
  ErrorLabel->setObjectName(QStringLiteral("ErrorLabel"));
  ErrorLabel->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
  ErrorLabel->setGeometry(80, 48, 300, 18);
  ErrorLabel->hide();

  // The analysis buttons stand over the top strip of the picture.
  struct Placed {
    QPushButton*& Button;
    const char* Name;
    void (TMainForm::*Handler)();
    int Left, Top, Width;
  };
  const Placed placed[] = {
      {CylinderMinusBtn, "CylinderMinusBtn", &TMainForm::CylinderMinusBtnClick, 80, 5, 60},
      {CylinderPlusBtn, "CylinderPlusBtn", &TMainForm::CylinderPlusBtnClick, 142, 5, 60},
      {RefBtn, "RefBtn", &TMainForm::RefBtnClick, 204, 5, 90},
      {RefCylinderMinusBtn, "RefCylinderMinusBtn", &TMainForm::RefCylinderMinusBtnClick, 362, 5,
       60},
      {RefCylinderPlusBtn, "RefCylinderPlusBtn", &TMainForm::RefCylinderPlusBtnClick, 424, 5, 60},
      {ZoomButton, "ZoomButton", &TMainForm::ZoomButtonClick, 486, 5, 60},
      {dpdaBtn, "dpdaBtn", &TMainForm::dpdaBtnClick, 548, 5, 60},
      {FinishButton, "FinishButton", &TMainForm::FinishButtonClick, 610, 5, 70},
      {FuelButton, "FuelButton", &TMainForm::FuelButtonClick, 682, 5, 50},
      {ACLButton, "ACLButton", &TMainForm::ACLButtonClick, 734, 5, 50},
      {CursorLeftBtn, "CursorLeftBtn", &TMainForm::CursorLeftBtnClick, 80, 26, 60},
      {CursorRightBtn, "CursorRightBtn", &TMainForm::CursorRightBtnClick, 142, 26, 60},
      {CopyBtn, "CopyBtn", &TMainForm::CopyBtnClick, CopyAtCurves.x(), CopyAtCurves.y(), 60},
      {CursorBtn, "CursorBtn", &TMainForm::CursorBtnClick, 300, 26, 80},
      {FilterBtn, "FilterBtn", &TMainForm::FilterBtnClick, 382, 26, 80},
      {RefFilterBtn, "RefFilterBtn", &TMainForm::RefFilterBtnClick, 464, 26, 100},
      {PrintButton, "PrintButton", &TMainForm::PrintButtonClick, 566, 26, 60},
      {pscavButton, "pscavButton", &TMainForm::pscavButtonClick, 628, 26, 70},
      {autoButton, "autoButton", &TMainForm::autoButtonClick, 700, 26, 100},
      {TDCleftButton, "TDCleftButton", &TMainForm::MarkerLeftClick, 50, 270, 75},
      {TDCRightButton, "TDCRightButton", &TMainForm::MarkerRightClick, 130, 270, 75},
      {TDCRotateLeftButton, "TDCRotateLeftButton", &TMainForm::RotateLeftClick, 50, 300, 75},
      {TDCRotateRightButton, "TDCRotateRightButton", &TMainForm::RotateRightClick, 130, 300, 75},
  };
  QFont small = font();
  small.setPixelSize(11);
  for (const Placed& p : placed) {
    p.Button = NewButton(ViewPicture, p.Name, p.Handler);
    p.Button->setFont(small);
    p.Button->setGeometry(p.Left, p.Top, p.Width, AnalysisButtonHeight);
  }
  // Held down, the cursor buttons keep stepping; a short click is one step.
  for (QPushButton* arrow : {CursorLeftBtn, CursorRightBtn}) {
    arrow->setAutoRepeat(true);
    arrow->setAutoRepeatDelay(400);
    arrow->setAutoRepeatInterval(20);
  }
  for (QPushButton* marker :
       {TDCleftButton, TDCRightButton, TDCRotateLeftButton, TDCRotateRightButton}) {
    marker->setStyleSheet(QStringLiteral("color: red;"));
    marker->setEnabled(false);
  }

  FileButton = NewButton(ViewPicture, "FileButton", &TMainForm::FileButtonClick);
  FileButton->setGeometry(10, 10, 160, 26);

  StatusLine = new QWidget(this);
  StatusLine->setObjectName(QStringLiteral("StatusLine"));
  auto* status = new QHBoxLayout(StatusLine);
  status->setContentsMargins(6, 0, 6, 0);
  auto addLabel = [this, status](QLabel*& label, const char* name, int stretch) {
    label = new QLabel(StatusLine);
    label->setObjectName(QString::fromLatin1(name));
    status->addWidget(label, stretch);
  };
  addLabel(FileCaption, "FileCaption", 0);
  addLabel(FileLabel, "FileLabel", 3);
  addLabel(DateCaption, "DateCaption", 0);
  addLabel(DateLabel, "DateLabel", 1);
  addLabel(TimeCaption, "TimeCaption", 0);
  addLabel(TimeLabel, "TimeLabel", 1);
  addLabel(ShipCaption, "ShipCaption", 0);
  addLabel(FunctionLabel, "FunctionLabel", 3);

  ReceiveButton = NewButton(this, "ReceiveButton", &TMainForm::ReceiveButtonClick);
  TransmitButton = NewButton(this, "TransmitButton", &TMainForm::TransmitButtonClick);
  AnalyseButton = NewButton(this, "AnalyseButton", &TMainForm::AnalyseButtonClick);
  ShiftButton = NewButton(this, "ShiftButton", &TMainForm::ShiftButtonClick);
  AddButton = NewButton(this, "AddButton", &TMainForm::AddButtonClick);
  SetupButton = NewButton(this, "SetupButton", &TMainForm::SetupButtonClick);
  HelpButton = NewButton(this, "HelpButton", &TMainForm::HelpButtonClick);
  ExitButton = NewButton(this, "ExitButton", &TMainForm::ExitButtonClick);
  for (QPushButton* button : {ReceiveButton, TransmitButton, AnalyseButton, ShiftButton, AddButton,
                              SetupButton, HelpButton, ExitButton}) {
    button->setFocusPolicy(Qt::StrongFocus);
  }

  BuildMenu();
}

void TMainForm::BuildMenu() {
  ViewMenu = new QMenu(this);
  ViewMenu->setObjectName(QStringLiteral("ViewMenu"));
  for (const ViewEntry& view : ViewRegistry()) {
    if (view.MenuName == nullptr) continue;
    QAction* action = ViewMenu->addAction(QString());
    action->setObjectName(QString::fromLatin1(view.MenuName));
    action->setCheckable(true);
    action->setEnabled(false);
    QPoint copy(-1, -1);  // CopyBtn stays
    if (view.Copy == CopyPlace::AtCurves) copy = CopyAtCurves;
    if (view.Copy == CopyPlace::AtBars) copy = CopyAtBars;
    viewItems_.push_back({action, view.Code, copy.x(), copy.y(), view.MenuCaption});
    const size_t index = viewItems_.size() - 1;
    connect(action, &QAction::triggered, this, [this, index] { ViewItemClick(viewItems_[index]); });
  }
  PAlphaSingleItem = viewItems_[0].Action;
  PAlphaRefItem = viewItems_[1].Action;
  PAlphaAllItem = viewItems_[2].Action;

  EmailItem = ViewMenu->addAction(QString());
  EmailItem->setObjectName(QStringLiteral("EmailItem"));
  connect(EmailItem, &QAction::triggered, this, &TMainForm::EmailItemClick);
  FinishAnalysisItem = ViewMenu->addAction(QString());
  FinishAnalysisItem->setObjectName(QStringLiteral("FinishAnalysisItem"));
  connect(FinishAnalysisItem, &QAction::triggered, this, &TMainForm::FinishAnalysisItemClick);
  connect(ViewMenu, &QMenu::aboutToShow, this, &TMainForm::ApplyMenuCaptions);
}

void TMainForm::ApplyCaptions() {
  const int lang = state_.Config.Language;
  ApplyTitle();

  struct Captioned {
    QPushButton* Button;
    const LangText* Caption;
    const LangText* Hint;
  };
  const Captioned captioned[] = {
      {ReceiveButton, &ReceiveCaption, &ReceiveHint},
      {TransmitButton, &TransmitCaption, &TransmitHint},
      {AnalyseButton, &AnalyseCaption, &AnalyseHint},
      {ShiftButton, &ShiftCaption, &ShiftHint},
      {AddButton, &AddCaption, &AddHint},
      {SetupButton, &SetupCaption, &SetupHint},
      {HelpButton, &HelpCaption, &HelpHint},
      {ExitButton, &ExitCaption, &ExitHint},
      {FileButton, &FileButtonCaption, &FileButtonHint},
      {CylinderPlusBtn, &CylinderPlusCaption, nullptr},
      {CylinderMinusBtn, &CylinderMinusCaption, nullptr},
      {RefCylinderPlusBtn, &RefCylinderPlusCaption, nullptr},
      {RefCylinderMinusBtn, &RefCylinderMinusCaption, nullptr},
      {RefBtn, &RefBtnCaption, nullptr},
      {CursorLeftBtn, &CursorLeftCaption, nullptr},
      {CursorRightBtn, &CursorRightCaption, nullptr},
      {CursorBtn, &CursorOnOffCaption, nullptr},
      {ZoomButton, &ZoomCaption, nullptr},
      {dpdaBtn, &DpDaCaption, nullptr},
      {FuelButton, &FuelCaption, nullptr},
      {ACLButton, &AclCaption, nullptr},
      {pscavButton, &PscavCaption, &PscavHint},
      {autoButton, &AutoTdcCaption, nullptr},
      {PrintButton, &PrintCaption, nullptr},
      {CopyBtn, &CopyCaption, nullptr},
      {FinishButton, &FinishCaption, nullptr},
      {TDCleftButton, &MarkerLeftCaption, nullptr},
      {TDCRightButton, &MarkerRightCaption, nullptr},
      {TDCRotateLeftButton, &RotateLeftCaption, nullptr},
      {TDCRotateRightButton, &RotateRightCaption, nullptr},
  };
  for (const Captioned& c : captioned) {
    c.Button->setText(Text(*c.Caption, lang));
    if (c.Hint != nullptr) c.Button->setToolTip(Text(*c.Hint, lang));
  }
  if (analysisMode_) FinishButton->setToolTip(Text(FinishHint, lang));
  ApplyFilterCaptions();

  FileCaption->setText(Text(FileCaptionText, lang));
  DateCaption->setText(Text(DateCaptionText, lang));
  TimeCaption->setText(Text(TimeCaptionText, lang));
  ShipCaption->setText(Text(ShipCaptionText, lang));
  ApplyMenuCaptions();
}

void TMainForm::ApplyFilterCaptions() {
  const int lang = state_.Config.Language;
  FilterBtn->setText(Text(state_.View.FilterOn ? FilterOnCaption : FilterOffCaption, lang));
  RefFilterBtn->setText(
      Text(state_.View.RefFilterOn ? RefFilterOnCaption : RefFilterOffCaption, lang));
  FilterBtn->setToolTip(Text(FilterHint, lang));
  RefFilterBtn->setToolTip(Text(FilterHint, lang));
}

void TMainForm::ApplyMenuCaptions() {
  const int lang = state_.Config.Language;
  for (const ViewItem& item : viewItems_) item.Action->setText(Text(*item.Caption, lang));
  EmailItem->setText(Text(MenuEmail, lang));
  FinishAnalysisItem->setText(Text(MenuFinishAnalyse, lang));
}

}  // namespace zephirax
