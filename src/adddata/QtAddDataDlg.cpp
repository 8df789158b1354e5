#include "adddata/QtAddDataDlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

#include "adddata/AddDataTexts.h"
#include "adddata/QtEntryHighlight.h"
#include "adddata/QtISOForm.h"
#include "adddata/QtNumberFields.h"
#include "measurement/Units.h"
#include "platform/HelpTopics.h"
#include "platform/QtHelp.h"
#include "platform/TextEncoding.h"

namespace zephirax {

namespace {

using Q = AddDataQuantity;

constexpr int OthersPage = 4;  // the ship name and the single values
constexpr LangText EmptyCaption{"", "", "", ""};

// Cylinders stand in columns of this many, so that twenty still fit a screen.
constexpr int CylindersPerColumn = 10;

// The caption of a quantity's row; the cylinder pages caption their columns.
const LangText* RowCaption(AddDataQuantity quantity) {
  switch (quantity) {
    case Q::TexhBeforeTc:
      return &BeforeTcCaption;
    case Q::TexhAfterTc:
      return &AfterTcCaption;
    case Q::TcRpm:
      return &TcRpmCaption;
    case Q::TscavBefore:
      return &TscavBeforeCaption;
    case Q::TscavAfter:
      return &TscavAfterCaption;
    case Q::PDiff:
      return &PDiffCaption;
    case Q::ShaftPower:
      return &ShaftPowerCaption;
    case Q::EngineRoomTemp:
      return &EngineRoomTempCaption;
    case Q::RunningHours:
      return &RunningHoursCaption;
    case Q::Pitch:
      return &PitchCaption;
    case Q::ShaftGenPower:
      return &ShaftGenPowerCaption;
    case Q::McrPower:
      return &McrPowerCaption;
    case Q::EngineLoad:
      return &EngineLoadCaption;
    case Q::FuelConsumption:
      return &FuelConsumptionCaption;
    default:
      return &EmptyCaption;
  }
}

// The unit beside a quantity's fields, as the settings choose it.
const char* UnitText(AddDataQuantity quantity, const Settings& config) {
  if (RuleOf(quantity).Unit == EntryUnit::Temperature) {
    return config.TempUnit == UnitDegF ? DegFUnit : DegCUnit;
  }
  switch (quantity) {
    case Q::McrPower:
      return config.PowerUnit == UnitHp ? HpUnit : KWUnit;
    case Q::ShaftPower:
    case Q::ShaftGenPower:
      return KWUnit;  // stored as entered, whatever the power unit
    case Q::RunningHours:
      return RunningHoursUnit;
    case Q::FuelConsumption:
      return FuelConsumptionUnit;
    case Q::TcRpm:
      return TcRpmUnit;
    case Q::PDiff:
      // The column of water or of mercury that the user's gauge shows; the
      // number is stored as entered.
      return config.PressureUnit == UnitBar ? PDiffUnitBar : PDiffUnitOther;
    default:
      return "";
  }
}

QString MemoCount(size_t stored) {
  return QStringLiteral("%1/%2").arg(stored).arg(MaxCommentLength);
}

QLabel* Caption(const QString& text, QWidget* parent) {
  return new QLabel(text, parent);
}

// A page with its title over whatever the builder adds.
QWidget* NewPage(const QString& title, QWidget* parent) {
  auto* page = new QWidget(parent);
  auto* layout = new QVBoxLayout(page);
  auto* heading = new QLabel(title, page);
  heading->setObjectName("PageTitle");
  QFont bold = heading->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.15);
  heading->setFont(bold);
  layout->addWidget(heading);
  return page;
}

void AddToPage(QWidget* page, QGridLayout* grid) {
  grid->setColumnStretch(grid->columnCount(), 1);
  static_cast<QVBoxLayout*>(page->layout())->addLayout(grid);
}

void EndPage(QWidget* page) {
  static_cast<QVBoxLayout*>(page->layout())->addStretch(1);
}

}  // namespace

TAddDataDlg::TAddDataDlg(AdditionalData& data, int32_t cylCount, const Settings& config,
                         UserInterface& ui, QWidget* parent)
    : QDialog(parent),
      data_(data),
      cylCount_(std::clamp<int32_t>(cylCount, 0, MaxCylinders)),
      config_(config),
      ui_(ui) {
  setObjectName("AddDataDlg");
  setWindowTitle(Text(AddDataTitle));
  highlight_ = new EntryHighlight(this);
  numbers_ = new NumberFields(data_, config_, &DisplayText, *highlight_, this);

  // The page buttons come first in the tab order, then the page, then the
  // dialog's buttons.
  auto* selector = new QVBoxLayout;
  auto* group = new QButtonGroup(this);
  auto pageButton = [&](const char* name, const LangText& caption, int page) {
    auto* button = new QPushButton(Text(caption), this);
    button->setObjectName(name);
    button->setCheckable(true);
    group->addButton(button);
    selector->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, page] { ShowPage(page); });
    return button;
  };
  for (int page = 0; page < AddDataPageCount; ++page) {
    const QByteArray name = "PageButton" + QByteArray::number(page);
    PageButtons[page] = pageButton(name.constData(), PageCaptions[page], page);
  }
  MemoButton = pageButton("MemoButton", MemoCaption, MemoPage);
  selector->addSpacing(12);
  IsoButton = new QPushButton(Text(IsoCaption), this);
  IsoButton->setObjectName("IsoButton");
  connect(IsoButton, &QPushButton::clicked, this, &TAddDataDlg::IsoButtonClick);
  selector->addWidget(IsoButton);
  selector->addStretch(1);

  Pages = new QStackedWidget(this);
  Pages->setObjectName("Pages");
  for (int page = 0; page < AddDataPageCount; ++page) Pages->addWidget(BuildPage(page));
  Pages->addWidget(BuildMemoPage());

  auto addButton = [this](const char* name, const LangText& caption) {
    auto* button = new QPushButton(Text(caption), this);
    button->setObjectName(name);
    return button;
  };
  PrintFormButton = addButton("PrintFormButton", PrintFormCaption);
  PrintDataButton = addButton("PrintDataButton", PrintDataCaption);
  HelpButton = addButton("HelpButton", HelpCaption);
  SaveButton = addButton("SaveButton", SaveCaption);
  CancelButton = addButton("CancelButton", CancelCaption);
  // The print buttons wait for their actions.
  for (QPushButton* later : {PrintFormButton, PrintDataButton}) {
    later->setEnabled(false);
  }
  connect(PrintFormButton, &QPushButton::clicked, this, [this] {
    if (printForm_) printForm_();
  });
  connect(PrintDataButton, &QPushButton::clicked, this, [this] {
    if (printData_) printData_();
  });
  connect(HelpButton, &QPushButton::clicked, this,
          [this] { ShowHelp(config_.Language, HelpAddData, this); });
  // Tab from the last entry reaches Save, not the help.
  setTabOrder(CancelButton, HelpButton);
  SaveButton->setDefault(true);
  connect(SaveButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(PrintFormButton);
  bottom->addWidget(PrintDataButton);
  bottom->addStretch(1);
  bottom->addWidget(HelpButton);
  bottom->addWidget(SaveButton);
  bottom->addWidget(CancelButton);

  auto* top = new QHBoxLayout;
  top->addLayout(selector);
  top->addWidget(Pages, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(bottom);

  FillAddDataDialog();
  ShowPage(0);
}

QString TAddDataDlg::Text(const LangText& text) const {
  return QString::fromUtf8(Tr(text, config_.Language));
}

QGridLayout* TAddDataDlg::CylinderGrid(QWidget* page, const std::vector<AddDataField>& fields) {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  const int count = static_cast<int>(fields.size());
  const int columns = (count + CylindersPerColumn - 1) / CylindersPerColumn;
  const QString unit = QString::fromUtf8(UnitText(fields.front().Quantity, config_));
  for (int c = 0; c < columns; ++c) {
    grid->addWidget(Caption(Text(CylinderColumnCaption), page), 0, 3 * c);
    grid->addWidget(Caption(unit, page), 0, 3 * c + 1);
    if (c > 0) grid->setColumnMinimumWidth(3 * c - 1, 24);
  }
  for (const AddDataField& field : fields) {
    const int column = 3 * ((field.Index - 1) / CylindersPerColumn);
    const int row = 1 + (field.Index - 1) % CylindersPerColumn;
    QLineEdit* edit = numbers_->Add(page, field);
    auto* number = Caption(QString::number(field.Index), page);
    number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    number->setBuddy(edit);
    grid->addWidget(number, row, column);
    grid->addWidget(edit, row, column + 1);
  }
  return grid;
}

QGridLayout* TAddDataDlg::TcGrid(QWidget* page, const std::vector<AddDataField>& fields) {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  for (int t = 1; t <= TcCount; ++t) {
    auto* heading = Caption(Text(TcCaption) + ' ' + QString::number(t), page);
    heading->setAlignment(Qt::AlignCenter);
    grid->addWidget(heading, 0, t);
  }
  // One row per quantity, one column per turbocharger.
  int row = 0;
  for (const AddDataField& field : fields) {
    QLineEdit* edit = numbers_->Add(page, field);
    if (field.Index == 1) {
      ++row;
      auto* caption = Caption(Text(*RowCaption(field.Quantity)), page);
      caption->setBuddy(edit);
      grid->addWidget(caption, row, 0);
      grid->addWidget(Caption(QString::fromUtf8(UnitText(field.Quantity, config_)), page), row,
                      TcCount + 1);
    }
    grid->addWidget(edit, row, field.Index);
  }
  return grid;
}

void TAddDataDlg::AddSingleRows(QWidget* page, QGridLayout* grid,
                                const std::vector<AddDataField>& fields) {
  for (const AddDataField& field : fields) {
    const int row = grid->rowCount();
    QLineEdit* edit = numbers_->Add(page, field);
    auto* caption = Caption(Text(*RowCaption(field.Quantity)), page);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(Caption(QString::fromUtf8(UnitText(field.Quantity, config_)), page), row, 2);
  }
}

QLineEdit* TAddDataDlg::NewShipNameEntry(QWidget* page) {
  auto* edit = new QLineEdit(page);
  edit->setObjectName("ShipNameEdit");
  // The file keeps 29 characters; the field takes no more rather than lose
  // the rest on saving.
  edit->setMaxLength(static_cast<int>(MaxShipNameLength));
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(MaxShipNameLength + 1, 'M')));
  highlight_->Watch(edit);
  connect(edit, &QLineEdit::textEdited, this,
          [this](const QString& text) { data_.ShipName = ShipNameFromEntry(text.toStdString()); });
  return edit;
}

QWidget* TAddDataDlg::BuildPage(int page) {
  QWidget* widget = NewPage(Text(page == 0 ? ExhaustPageTitle : PageCaptions[page]), this);
  std::vector<AddDataField> cylinders, turbochargers, singles;
  for (const AddDataField& field : PageFields(page, cylCount_)) {
    switch (RuleOf(field.Quantity).Scope) {
      case EntryScope::PerCylinder:
        cylinders.push_back(field);
        break;
      case EntryScope::PerTc:
        turbochargers.push_back(field);
        break;
      case EntryScope::Single:
        singles.push_back(field);
        break;
    }
  }
  auto* layout = static_cast<QVBoxLayout*>(widget->layout());
  if (!cylinders.empty()) {
    AddToPage(widget, CylinderGrid(widget, cylinders));
    layout->addSpacing(12);
  }
  if (!turbochargers.empty()) AddToPage(widget, TcGrid(widget, turbochargers));
  if (page == OthersPage || !singles.empty()) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    if (page == OthersPage) {
      // The ship name heads the page, above the single values.
      ShipNameEdit = NewShipNameEntry(widget);
      auto* caption = Caption(Text(ShipNameCaption), widget);
      caption->setBuddy(ShipNameEdit);
      grid->addWidget(caption, 0, 0);
      grid->addWidget(ShipNameEdit, 0, 1, 1, 2);
    }
    AddSingleRows(widget, grid, singles);
    AddToPage(widget, grid);
  }
  EndPage(widget);
  firstEntry_[page] = widget->findChild<QLineEdit*>();
  return widget;
}

QWidget* TAddDataDlg::BuildMemoPage() {
  QWidget* page = NewPage(Text(MemoCaption), this);
  MemoEdit = new QPlainTextEdit(page);
  MemoEdit->setObjectName("MemoEdit");
  // Tab moves on to the buttons rather than into the text.
  MemoEdit->setTabChangesFocus(true);
  highlight_->Watch(MemoEdit);
  connect(MemoEdit, &QPlainTextEdit::textChanged, this, &TAddDataDlg::MemoChanged);
  MemoCountLabel = new QLabel(page);
  MemoCountLabel->setObjectName("MemoCountLabel");
  MemoCountLabel->setAlignment(Qt::AlignRight);
  auto* layout = static_cast<QVBoxLayout*>(page->layout());
  layout->addWidget(MemoEdit, 1);
  layout->addWidget(MemoCountLabel);
  firstEntry_[MemoPage] = MemoEdit;
  return page;
}

void TAddDataDlg::FillAddDataDialog() {
  numbers_->FillAll();
  ShipNameEdit->setText(QString::fromStdString(Cp1252ToUtf8(data_.ShipName)));
  fillingMemo_ = true;
  acceptedMemo_ = QString::fromStdString(MemoFromComment(data_.Comment));
  MemoEdit->setPlainText(acceptedMemo_);
  fillingMemo_ = false;
  MemoCountLabel->setText(MemoCount(data_.Comment.size()));
}

void TAddDataDlg::ShowPage(int page) {
  if (page < 0 || page > MemoPage) return;
  AddDataPage = page;
  Pages->setCurrentIndex(page);
  (page == MemoPage ? MemoButton : PageButtons[page])->setChecked(true);
  if (firstEntry_[page] != nullptr) firstEntry_[page]->setFocus();
}

QLineEdit* TAddDataDlg::Field(const AddDataField& field) const {
  return numbers_->Field(field);
}

void TAddDataDlg::SetPrintActions(std::function<void()> printForm,
                                  std::function<void()> printData) {
  printForm_ = std::move(printForm);
  printData_ = std::move(printData);
  PrintFormButton->setEnabled(static_cast<bool>(printForm_));
  PrintDataButton->setEnabled(static_cast<bool>(printData_));
}

void TAddDataDlg::MemoChanged() {
  if (fillingMemo_) return;
  const QString text = MemoEdit->toPlainText();
  const std::string utf8 = text.toStdString();
  if (MemoFits(utf8)) {
    data_.Comment = CommentFromMemo(utf8);
    acceptedMemo_ = text;
    MemoCountLabel->setText(MemoCount(data_.Comment.size()));
    return;
  }
  // A change that would overflow the comment is not taken, whole: cutting it
  // short could drop text from the end that the user typed earlier.
  const int grown = static_cast<int>(text.size() - acceptedMemo_.size());
  const int position = std::clamp(MemoEdit->textCursor().position() - std::max(grown, 0), 0,
                                  static_cast<int>(acceptedMemo_.size()));
  fillingMemo_ = true;
  MemoEdit->setPlainText(acceptedMemo_);
  fillingMemo_ = false;
  QTextCursor cursor = MemoEdit->textCursor();
  cursor.setPosition(position);
  MemoEdit->setTextCursor(cursor);
  ui_.Beep();
}

void TAddDataDlg::IsoButtonClick() {
  TISOForm form(data_, config_, this);
  if (form.exec() != QDialog::Accepted) return;
  // The engine-room and charge-air temperatures are on the pages as well.
  for (const AddDataField& field : IsoFields()) numbers_->Fill(field);
}

}  // namespace zephirax
