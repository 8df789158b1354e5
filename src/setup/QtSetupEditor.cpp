#include "setup/QtSetupEditor.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "platform/HelpTopics.h"
#include "platform/QtHelp.h"
#include "setup/SetupEditorTexts.h"

namespace zephirax {

namespace {

// What exec() returns for the two ways out.
constexpr int FinishResult = 1;
constexpr int TransmitResult = 2;

// Rows of the firing-order page hold this many cylinders side by side.
constexpr int CylindersPerRow = 5;
constexpr int CellGap = 12;  // pixels between one cylinder's cell and the next

const QColor FocusColour(255, 255, 0);
const QColor InvalidColour(255, 140, 140);

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton* NewButton(const char* name, const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

// Wide enough for `chars` digits and the frame.
void FitWidth(QLineEdit* edit, int chars) {
  const QFontMetrics metrics(edit->font());
  edit->setFixedWidth(metrics.horizontalAdvance(QLatin1Char('0')) * chars + 16);
}

std::string FilledIn(const char* format, const std::string& fileName) {
  std::string text = format;
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, fileName);
  return text;
}

}  // namespace

TTabbedNotebookDlg::TTabbedNotebookDlg(EngineSetup& setup, SetupEditorOptions options,
                                       UserInterface& ui, QWidget* parent)
    : QDialog(parent), setup_(setup), options_(std::move(options)), ui_(ui) {
  setObjectName(QStringLiteral("TabbedNotebookDlg"));
  setWindowTitle(Caption(SetupEditorCaption));

  Pages = new QTabWidget(this);
  Pages->setObjectName(QStringLiteral("Pages"));
  BasicPage = new QWidget;
  BasicPage->setObjectName(QStringLiteral("BasicPage"));
  FiringPage = new QWidget;
  FiringPage->setObjectName(QStringLiteral("FiringPage"));
  Pages->addTab(BasicPage, Caption(SetupEditorBasicPage));
  Pages->addTab(FiringPage, Caption(SetupEditorFiringPage));
  BuildBasicPage();
  BuildFiringPage();

  SaveButton = NewButton("SaveButton", Caption(SetupEditorSave), this);
  PrintButton = NewButton("PrintButton", Caption(SetupEditorPrint), this);
  TransmitButton = NewButton("TransmitButton", Caption(SetupEditorTransmit), this);
  HelpButton = NewButton("HelpButton", Caption(SetupEditorHelp), this);
  FinishButton = NewButton("FinishButton", Caption(SetupEditorFinish), this);
  SaveButton->setDefault(true);
  // Print waits for its action.
  PrintButton->setEnabled(false);
  TransmitButton->setEnabled(options_.TransmitOffered);
  connect(SaveButton, &QPushButton::clicked, this, &TTabbedNotebookDlg::SaveBtnClick);
  connect(FinishButton, &QPushButton::clicked, this, &TTabbedNotebookDlg::FinishBtnClick);
  connect(TransmitButton, &QPushButton::clicked, this, &TTabbedNotebookDlg::TransmitBtnClick);
  connect(PrintButton, &QPushButton::clicked, this, &TTabbedNotebookDlg::PrintBtnClick);
  connect(HelpButton, &QPushButton::clicked, this,
          [this] { ShowHelp(options_.Language, HelpSetupEditor, this); });

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {SaveButton, PrintButton, TransmitButton}) buttons->addWidget(button);
  buttons->addStretch(1);
  buttons->addWidget(HelpButton);
  buttons->addWidget(FinishButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Pages);
  layout->addLayout(buttons);

  normal_ = CylindersEdit->palette();
  FillBasicPage();
  RefreshSetupLayout();
}

QString TTabbedNotebookDlg::Caption(const LangText& text) const {
  return FromUtf8(WithUnits(Tr(text, options_.Language), options_.Units));
}

QLineEdit* TTabbedNotebookDlg::NewField(QWidget* page, const char* name, Rule rule) {
  auto* edit = new QLineEdit(page);
  edit->setObjectName(QString::fromLatin1(name));
  edit->installEventFilter(this);
  if (std::holds_alternative<LetterField>(rule)) {
    // Only the key filter writes a letter field: no paste, drop or undo can
    // put a text there that the record does not hold.
    edit->setReadOnly(true);
    edit->setMaxLength(1);
    edit->setAlignment(Qt::AlignCenter);
    FitWidth(edit, 2);
  } else if (const auto* number = std::get_if<NumberField>(&rule)) {
    if (MaxTextLength(*number) > 0) edit->setMaxLength(MaxTextLength(*number));
    int chars = 8;
    if (number->What == NumberField::FiringOrder) chars = 3;
    if (number->What == NumberField::TdcDeviation) chars = 6;
    FitWidth(edit, chars);
    // Typing only: filling a field from the record must not convert the shown
    // (rounded) value back into it.
    connect(edit, &QLineEdit::textEdited, this, [this, edit] { FieldEdited(edit); });
  } else {
    FitWidth(edit, 3);
  }
  rules_.emplace(edit, rule);
  return edit;
}

void TTabbedNotebookDlg::BuildBasicPage() {
  auto* grid = new QGridLayout(BasicPage);
  struct Row {
    QLineEdit*& Edit;
    const char* Name;
    const LangText& Caption;
    Rule FieldRule;
  };
  // Engine geometry on the left, sensors and limits on the right; the tab
  // order runs down the left column first.
  const Row left[] = {
      {CylindersEdit, "CylindersEdit", SetupCylindersCaption, CountField::Cylinders},
      {StrokesEdit, "StrokesEdit", SetupStrokesCaption, CountField::Strokes},
      {CycleEdit, "CycleEdit", SetupCycleCaption, CountField::Cycle},
      {LayoutEdit, "LayoutEdit", SetupLayoutCaption, LetterField::EngineLayout},
      {VAngleEdit, "VAngleEdit", SetupVAngleCaption, NumberField{NumberField::VAngle}},
      {BoreEdit, "BoreEdit", SetupBoreCaption, NumberField{NumberField::Bore}},
      {StrokeEdit, "StrokeEdit", SetupStrokeCaption, NumberField{NumberField::Stroke}},
      {ConRodEdit, "ConRodEdit", SetupConRodCaption, NumberField{NumberField::ConRod}},
  };
  const Row right[] = {
      {TdcCorrectionEdit, "TdcCorrectionEdit", SetupTdcCorrectionCaption,
       NumberField{NumberField::TdcCorrection}},
      {ScavAirEdit, "ScavAirEdit", SetupScavAirCaption, NumberField{NumberField::Pscav}},
      {LimitEdit, "LimitEdit", SetupLimitCaption, NumberField{NumberField::PmaxDevLimit}},
      {TdcSensorEdit, "TdcSensorEdit", SetupTdcSensorCaption, LetterField::TdcSensor},
      {KmSensorEdit, "KmSensorEdit", SetupKmSensorCaption, LetterField::KmSensor},
      {FuelAclEdit, "FuelAclEdit", SetupFuelAclCaption, LetterField::FuelAclSensor},
      {AverageEdit, "AverageEdit", SetupAverageCaption, LetterField::AverageCurve},
  };
  const auto place = [this, grid](const Row& row, int line, int column) {
    row.Edit = NewField(BasicPage, row.Name, row.FieldRule);
    QLabel* caption = new QLabel(Caption(row.Caption), BasicPage);
    caption->setBuddy(row.Edit);
    grid->addWidget(caption, line, column);
    grid->addWidget(row.Edit, line, column + 1, Qt::AlignLeft);
  };
  int line = 0;
  for (const Row& row : left) place(row, line++, 0);
  line = 0;
  for (const Row& row : right) place(row, line++, 3);
  grid->setColumnMinimumWidth(2, 24);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(std::size(left), 1);
}

void TTabbedNotebookDlg::BuildFiringPage() {
  auto* layout = new QVBoxLayout(FiringPage);
  FiringOrderCaption = new QLabel(Caption(SetupFiringOrderCaption), FiringPage);
  FiringOrderCaption->setObjectName(QStringLiteral("FiringOrderCaption"));
  layout->addWidget(FiringOrderCaption);
  auto* firing = new QGridLayout;
  for (int p = 1; p <= MaxCylinders; ++p) {
    const int row = (p - 1) / CylindersPerRow;
    const int column = (p - 1) % CylindersPerRow;
    const std::string name = "FiringEdit" + std::to_string(p);
    FiringLabels[p - 1] = new QLabel(QString::number(p) + QLatin1Char('.'), FiringPage);
    FiringLabels[p - 1]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FiringEdits[p - 1] =
        NewField(FiringPage, name.c_str(), NumberField{NumberField::FiringOrder, p});
    firing->addWidget(FiringLabels[p - 1], row, 3 * column);
    firing->addWidget(FiringEdits[p - 1], row, 3 * column + 1);
    firing->setColumnMinimumWidth(3 * column + 2, CellGap);
  }
  firing->setColumnStretch(3 * CylindersPerRow, 1);
  layout->addLayout(firing);
  layout->addSpacing(12);

  DeviationsCaption = new QLabel(Caption(SetupDeviationsCaption), FiringPage);
  DeviationsCaption->setObjectName(QStringLiteral("DeviationsCaption"));
  layout->addWidget(DeviationsCaption);
  auto* deviations = new QGridLayout;
  for (int c = 1; c <= MaxCylinders; ++c) {
    const int row = (c - 1) / CylindersPerRow;
    const int column = (c - 1) % CylindersPerRow;
    const std::string name = "DeviationEdit" + std::to_string(c);
    DeviationLabels[c - 1] = new QLabel(QString::number(c) + QLatin1Char(':'), FiringPage);
    DeviationLabels[c - 1]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    DeviationEdits[c - 1] =
        NewField(FiringPage, name.c_str(), NumberField{NumberField::TdcDeviation, c});
    DeviationUnits[c - 1] = new QLabel(QStringLiteral("°"), FiringPage);
    deviations->addWidget(DeviationLabels[c - 1], row, 4 * column);
    deviations->addWidget(DeviationEdits[c - 1], row, 4 * column + 1);
    deviations->addWidget(DeviationUnits[c - 1], row, 4 * column + 2);
    deviations->setColumnMinimumWidth(4 * column + 3, CellGap);
  }
  deviations->setColumnStretch(4 * CylindersPerRow, 1);
  layout->addLayout(deviations);
  layout->addSpacing(12);

  AutoDeviationsButton =
      NewButton("AutoDeviationsButton", Caption(SetupAutoDeviationsCaption), FiringPage);
  connect(AutoDeviationsButton, &QPushButton::clicked, this,
          &TTabbedNotebookDlg::AutoDeviationsClick);
  auto* autoRow = new QHBoxLayout;
  autoRow->addWidget(AutoDeviationsButton);
  autoRow->addStretch(1);
  layout->addLayout(autoRow);
  layout->addStretch(1);
}

void TTabbedNotebookDlg::FillBasicPage() {
  for (QLineEdit* edit : {CylindersEdit, StrokesEdit, CycleEdit, LayoutEdit, VAngleEdit, BoreEdit,
                          StrokeEdit, ConRodEdit, TdcCorrectionEdit, ScavAirEdit, LimitEdit,
                          TdcSensorEdit, KmSensorEdit, FuelAclEdit, AverageEdit}) {
    const Rule& rule = rules_.at(edit);
    std::string text;
    if (const auto* count = std::get_if<CountField>(&rule)) text = CountText(setup_, *count);
    if (const auto* letter = std::get_if<LetterField>(&rule)) {
      text = LetterText(setup_, *letter, options_.Language);
    }
    if (const auto* number = std::get_if<NumberField>(&rule)) {
      text = NumberText(setup_, *number, options_.Units);
    }
    edit->setText(FromUtf8(text));
    invalid_.erase(edit);
    Paint(edit);
  }
}

void TTabbedNotebookDlg::RefreshSetupLayout() {
  const std::array<SetupLayoutRow, MaxCylinders> rows = SetupLayout(setup_);
  for (size_t i = 0; i < rows.size(); ++i) {
    const SetupLayoutRow& row = rows[i];
    for (QWidget* widget :
         {static_cast<QWidget*>(FiringLabels[i]), static_cast<QWidget*>(FiringEdits[i]),
          static_cast<QWidget*>(DeviationLabels[i]), static_cast<QWidget*>(DeviationEdits[i]),
          static_cast<QWidget*>(DeviationUnits[i])}) {
      widget->setVisible(row.Visible);
    }
    FiringEdits[i]->setText(FromUtf8(row.FiringText));
    DeviationEdits[i]->setText(FromUtf8(row.DeviationText));
    for (QLineEdit* edit : {FiringEdits[i], DeviationEdits[i]}) {
      invalid_.erase(edit);
      Paint(edit);
    }
  }
}

void TTabbedNotebookDlg::ShowPageOne() {
  Pages->setCurrentWidget(BasicPage);
  FillBasicPage();
  CylindersEdit->setFocus(Qt::OtherFocusReason);
  CylindersEdit->selectAll();
  Paint(CylindersEdit);
}

SetupEditorEnd TTabbedNotebookDlg::Run() {
  ShowPageOne();
  return exec() == TransmitResult ? SetupEditorEnd::Transmit : SetupEditorEnd::Finish;
}

void TTabbedNotebookDlg::Paint(QLineEdit* edit) {
  QPalette palette = normal_;
  if (invalid_.contains(edit)) {
    palette.setColor(QPalette::Base, InvalidColour);
  } else if (edit == focusedEdit_) {
    palette.setColor(QPalette::Base, FocusColour);
  }
  edit->setPalette(palette);
}

bool TTabbedNotebookDlg::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<QLineEdit*>(watched);
  const auto rule = rules_.find(edit);
  if (edit == nullptr || rule == rules_.end()) return QDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::FocusIn:
      focusedEdit_ = edit;
      Paint(edit);
      break;
    case QEvent::FocusOut: {
      // A message box, a menu or another window taking the focus for a
      // while does not leave the field.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        FieldLeft(edit);
      }
      break;
    }
    case QEvent::KeyPress:
      if (const auto* letter = std::get_if<LetterField>(&rule->second)) {
        return LetterKey(edit, *letter, *static_cast<QKeyEvent*>(event));
      }
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

bool TTabbedNotebookDlg::LetterKey(QLineEdit* edit, LetterField field, const QKeyEvent& key) {
  // Moving on, Enter for the default button, Escape and shortcuts keep
  // their meaning; any other key is an answer.
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      return false;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
      break;
    default:
      if (key.text().isEmpty()) return false;  // arrows, function keys, Shift alone
      break;
  }
  const QList<uint> typed = key.text().toUcs4();
  const char32_t character = typed.isEmpty() ? U'\0' : static_cast<char32_t>(typed.front());
  const LetterKeyResult result = TypeLetter(setup_, field, character, options_.Language);
  if (result.Beep) ui_.Beep();
  edit->setText(FromUtf8(result.Text));
  // The keys change more than their own field: an in-line engine has no V
  // angle, and no KM sensor without a TDC sensor.
  KmSensorEdit->setText(FromUtf8(LetterText(setup_, LetterField::KmSensor, options_.Language)));
  if (field == LetterField::EngineLayout && setup_.InLineEngine == 1) {
    VAngleEdit->setText(FromUtf8(NumberText(setup_, {NumberField::VAngle}, options_.Units)));
    invalid_.erase(VAngleEdit);
    Paint(VAngleEdit);
  }
  return true;
}

void TTabbedNotebookDlg::FieldEdited(QLineEdit* edit) {
  const NumberField field = std::get<NumberField>(rules_.at(edit));
  if (StoreNumberText(setup_, field, edit->text().toStdString(), options_.Units)) {
    invalid_.erase(edit);
  } else {
    invalid_.insert(edit);
  }
  Paint(edit);
}

void TTabbedNotebookDlg::FieldLeft(QLineEdit* edit) {
  if (focusedEdit_ == edit) focusedEdit_ = nullptr;
  const Rule& rule = rules_.at(edit);
  if (const auto* count = std::get_if<CountField>(&rule)) {
    const CountLeaveResult result = LeaveCount(setup_, *count, edit->text().toStdString());
    // A corrected count changes the rows as much as a typed one.
    if (*count == CountField::Cylinders) RefreshSetupLayout();
    if (!result.Valid) {
      ui_.Beep();
      edit->setText(FromUtf8(result.Corrected));
      // The field keeps the focus, so the user sees what was corrected.
      focusedEdit_ = edit;
      QMetaObject::invokeMethod(
          this,
          [this, edit] {
            Pages->setCurrentWidget(BasicPage);
            edit->setFocus(Qt::OtherFocusReason);
          },
          Qt::QueuedConnection);
    }
  } else if (const auto* number = std::get_if<NumberField>(&rule)) {
    // A text that is no number gives way to the value the record kept.
    if (invalid_.erase(edit) > 0) {
      edit->setText(FromUtf8(NumberText(setup_, *number, options_.Units)));
    }
  }
  Paint(edit);
}

void TTabbedNotebookDlg::CommitFocusedField() {
  auto* edit = qobject_cast<QLineEdit*>(focusWidget());
  if (edit != nullptr && rules_.contains(edit)) FieldLeft(edit);
}

void TTabbedNotebookDlg::SaveBtnClick() {
  CommitFocusedField();
  const int language = options_.Language;
  std::string start = options_.EngineDir;
  const std::string name = std::filesystem::path(options_.FileName).filename().string();
  if (!name.empty()) start = (std::filesystem::path(start) / name).string();
  const std::optional<std::string> chosen = ui_.SaveFileName(
      Tr(SaveSetupTitle, language), start, {{Tr(SetupFilesFilter, language), "*"}});
  if (chosen && !chosen->empty() && !WriteSetupFile(setup_, *chosen)) {
    ui_.MessageBox(Tr(ErrorCaption, language), FilledIn(Tr(SetupNotWrittenText, language), *chosen),
                   MsgButtons::Ok, MsgIcon::Error);
  }
  ShowPageOne();
}

void TTabbedNotebookDlg::FinishBtnClick() {
  CommitFocusedField();
  done(FinishResult);
}

void TTabbedNotebookDlg::TransmitBtnClick() {
  CommitFocusedField();
  done(TransmitResult);
}

void TTabbedNotebookDlg::reject() {
  FinishBtnClick();
}

void TTabbedNotebookDlg::PrintBtnClick() {
  CommitFocusedField();
  if (print_) print_(setup_);
}

void TTabbedNotebookDlg::SetPrintAction(std::function<void(const EngineSetup&)> print) {
  print_ = std::move(print);
  PrintButton->setEnabled(static_cast<bool>(print_));
}

void TTabbedNotebookDlg::AutoDeviationsClick() {
  CommitFocusedField();
  AutoTdcDeviations(setup_);
  RefreshSetupLayout();
}

}  // namespace zephirax
