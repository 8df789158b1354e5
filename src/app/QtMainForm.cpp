#include "app/QtMainForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "app/Config.h"
#include "app/SharedTexts.h"
#include "measurement/Evaluation.h"
#include "measurement/MeasurementReader.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/Paths.h"
#include "platform/QtUserInterface.h"
#include "platform/TextEncoding.h"

namespace zephirax {
namespace {

constexpr LangText TitleText{
    "Zylinderdruck-Meßsystem ZEPHIRAX Ver. 1.03a 32/64 Bit",
    "Cylinder Pressure Measuring System ZEPHIRAX Ver. 1.03a 32/64 Bit",
    "Analyseur de Combustion ZEPHIRAX Ver. 1.03a 32/64 Bit",
    "ZEPHIRAX instrumento de medición de presión de combustión Ver. ZEPHIRAX 1.03a 32/64 Bit"};

constexpr LangText AnalyseCaption{"&Analyse", "&Analyse", "&Analyser", "&Análisis"};
constexpr LangText AnalyseHint{"Messungen auswerten", "Analyse received data",
                               "Analyser les données recues", "Analizar una medición"};
constexpr LangText ExitCaption{"&Ende", "&Exit", "&Quitter", "&Final"};
constexpr LangText ExitHint{"Programm verlassen", "Leave the program", "Quitter le programme",
                            "Salir del programa"};
constexpr LangText FileMenuCaption{"&Datei", "&File", "&Fichier", "&Fichero"};
constexpr LangText OpenCaption{"Ö&ffnen...", "&Open...", "&Ouvrir...", "&Abrir..."};

constexpr LangText OpenDialogTitle{
    "Auswahl Meßdaten zur Analyse", "Select measured data to analyse",
    "Sélectionner le fichier de mesures", "Elegir una medición para analisarlo"};

constexpr LangText AppDataNotFoundText{nullptr, "Finding application data directory failed"};
constexpr LangText AppDataNotCreatedText{nullptr, "Could not create application data directory"};

enum Column {
  ColCylinder,
  ColPtdc,
  ColPmax,
  ColApmax,
  ColPexp,
  ColRpm,
  ColMip,
  ColPind,
  ColPmaxDev,
  ColMipDev,
  ColumnCount
};

const FileFilter MeasurementFilter{"VOLTAN files", "*.KV;*"};

QString Text(const LangText& text, int language) {
  return QString::fromUtf8(Tr(text, language));
}

QString Number(double value, int decimals) {
  return QString::number(value, 'f', decimals);
}

// Keeps the busy cursor balanced whichever way the load ends.
class HourglassGuard {
 public:
  explicit HourglassGuard(UserInterface& ui) : ui_(ui) { ui_.Hourglass(true); }
  ~HourglassGuard() { ui_.Hourglass(false); }
  HourglassGuard(const HourglassGuard&) = delete;
  HourglassGuard& operator=(const HourglassGuard&) = delete;

 private:
  UserInterface& ui_;
};

}  // namespace

TMainForm::TMainForm(const std::string& programDir, UserInterface* ui, QWidget* parent)
    : QMainWindow(parent), ui_(ui) {
  if (ui_ == nullptr) {
    ownUi_ = std::make_unique<QtUserInterface>(this);
    ui_ = ownUi_.get();
  }
  state_.DataDir = DataDir(programDir);
  state_.EngineDir = EngineDir(programDir);
  openFolder_ = state_.DataDir;
  BuildComponents();
  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
  state_.AppDataDir = AppDataDir();
  // Without a settings folder the defaults hold; the configuration is then
  // neither read from nor written to some unrelated place such as "/".
  if (state_.AppDataDir.empty()) {
    ui_->MessageBox(Tr(ErrorCaption, state_.Config.Language),
                    Tr(AppDataNotFoundText, state_.Config.Language));
  } else {
    std::error_code error;
    if (!std::filesystem::is_directory(state_.AppDataDir, error)) {
      ui_->MessageBox(Tr(ErrorCaption, state_.Config.Language),
                      Tr(AppDataNotCreatedText, state_.Config.Language));
    }
    ReadConfig(state_.Config, state_.AppDataDir);
  }
  ApplySettings();
}

void TMainForm::BuildComponents() {
  setObjectName(QStringLiteral("MainForm"));
  resize(1024, 640);

  FileMenu = menuBar()->addMenu(QString());
  FileMenu->setObjectName(QStringLiteral("FileMenu"));
  AnalyseAction = FileMenu->addAction(QString());
  AnalyseAction->setObjectName(QStringLiteral("AnalyseAction"));
  AnalyseAction->setShortcut(QKeySequence::Open);
  connect(AnalyseAction, &QAction::triggered, this, &TMainForm::AnalyseButtonClick);
  FileMenu->addSeparator();
  ExitAction = FileMenu->addAction(QString());
  ExitAction->setObjectName(QStringLiteral("ExitAction"));
  ExitAction->setShortcut(QKeySequence::Quit);
  connect(ExitAction, &QAction::triggered, this, &TMainForm::ExitButtonClick);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);

  CylinderTable = new QTableWidget(0, ColumnCount, central);
  CylinderTable->setObjectName(QStringLiteral("CylinderTable"));
  CylinderTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  CylinderTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  CylinderTable->verticalHeader()->setVisible(false);
  CylinderTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  layout->addWidget(CylinderTable, 1);

  auto* buttons = new QHBoxLayout();
  AnalyseButton = new QPushButton(central);
  AnalyseButton->setObjectName(QStringLiteral("AnalyseButton"));
  connect(AnalyseButton, &QPushButton::clicked, this, &TMainForm::AnalyseButtonClick);
  ExitButton = new QPushButton(central);
  ExitButton->setObjectName(QStringLiteral("ExitButton"));
  connect(ExitButton, &QPushButton::clicked, this, &TMainForm::ExitButtonClick);
  buttons->addWidget(AnalyseButton);
  buttons->addStretch(1);
  buttons->addWidget(ExitButton);
  layout->addLayout(buttons);
  setCentralWidget(central);

  auto addLabel = [this](QLabel*& label, const char* name, int stretch) {
    label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    statusBar()->addWidget(label, stretch);
  };
  addLabel(FileCaption, "FileCaption", 0);
  addLabel(FileLabel, "FileLabel", 3);
  addLabel(DateCaption, "DateCaption", 0);
  addLabel(Datum, "Datum", 1);
  addLabel(TimeCaption, "TimeCaption", 0);
  addLabel(Zeit, "Zeit", 1);
  addLabel(ShipCaption, "ShipCaption", 0);
  addLabel(FunctionLabel, "FunctionLabel", 2);
  statusBar()->setSizeGripEnabled(false);
}

void TMainForm::ApplySettings() {
  const int lang = state_.Config.Language;
  setWindowTitle(Text(TitleText, lang));

  FileMenu->setTitle(Text(FileMenuCaption, lang));
  AnalyseAction->setText(Text(OpenCaption, lang));
  AnalyseAction->setToolTip(Text(AnalyseHint, lang));
  ExitAction->setText(Text(ExitCaption, lang));
  AnalyseButton->setText(Text(AnalyseCaption, lang));
  AnalyseButton->setToolTip(Text(AnalyseHint, lang));
  ExitButton->setText(Text(ExitCaption, lang));
  ExitButton->setToolTip(Text(ExitHint, lang));

  FileCaption->setText(Text(FileCaptionText, lang));
  DateCaption->setText(Text(DateCaptionText, lang));
  TimeCaption->setText(Text(TimeCaptionText, lang));
  ShipCaption->setText(Text(ShipCaptionText, lang));

  const QString pressure =
      QStringLiteral("\n[%1]").arg(PressureUnitName(state_.Config.PressureUnit));
  const QString power = QStringLiteral("\n[%1]").arg(PowerUnitName(state_.Config.PowerUnit));
  const QString percent = QStringLiteral("\n[%]");
  CylinderTable->setHorizontalHeaderLabels({
      Text(CylinderHeader, lang) + QStringLiteral("\n"),
      Text(PtdcHeader, lang) + pressure,
      QStringLiteral("pmax") + pressure,
      QStringLiteral("apmax\n") + Text(DegUnit, lang),
      QStringLiteral("pexp") + pressure,
      Text(RpmHeader, lang) + QStringLiteral("\n") + Text(RpmUnit, lang),
      Text(MipHeader, lang) + pressure,
      QStringLiteral("Pind") + power,
      Text(PmaxDevHeader, lang) + percent,
      Text(MipDevHeader, lang) + percent,
  });
  if (!state_.MeasFileName.empty()) ShowMeasurement();
}

void TMainForm::ShowMeasurement() {
  const MeasurementData& data = *state_.Measurement;
  const QString fileName = QFile::decodeName(state_.MeasFileName.c_str());
  FileLabel->setText(QFileInfo(fileName).fileName());
  FileLabel->setToolTip(fileName);
  Datum->setText(QString::fromStdString(Cp1252ToUtf8(data.MeasDate)));
  Zeit->setText(QString::fromStdString(Cp1252ToUtf8(data.MeasTime)));

  const int pu = state_.Config.PressureUnit;
  const int pressureDecimals = pu == UnitMPa ? 2 : 1;
  const int powerDecimals = state_.Config.PowerUnit == UnitHp ? 1 : 0;
  const int cylinders = std::clamp(data.CylCount, 0, MaxCylinders);

  CylinderTable->clearContents();
  CylinderTable->setRowCount(cylinders);
  for (int c = 1; c <= cylinders; ++c) {
    const CylinderResult values = CylinderValues(data, c);
    const QString cells[ColumnCount] = {
        QString::number(c),
        Number(PressureToDisplay(values.pTDC, pu), pressureDecimals),
        Number(PressureToDisplay(values.pmax, pu), pressureDecimals),
        Number(values.apmax, 2),
        Number(PressureToDisplay(values.pexp, pu), pressureDecimals),
        Number(data.CylRpm[c], 1),
        Number(PressureToDisplay(data.CylMip[c], pu), pressureDecimals),
        Number(PowerToDisplay(data.CylPind[c], state_.Config.PowerUnit), powerDecimals),
        Number(PmaxDeviationPercent(data, c), 1),
        Number(MipDeviationPercent(data, c), 1),
    };
    for (int column = 0; column < ColumnCount; ++column) {
      // Files without the MIP block have neither MIP nor power, and their
      // 180-sample curves have no crank-angle grid for pTDC, apmax and pexp:
      // blank, not a misleading number.
      const bool noValue = !data.HasMipBlock && column != ColCylinder && column != ColPmax &&
                           column != ColRpm && column != ColPmaxDev;
      auto* item = new QTableWidgetItem(noValue ? QString() : cells[column]);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      CylinderTable->setItem(c - 1, column, item);
    }
  }
}

bool TMainForm::AnalyseFile(const QString& fileName) {
  const std::string fullName =
      fileName.isEmpty() ? std::string()
                         : QFile::encodeName(QFileInfo(fileName).absoluteFilePath()).toStdString();
  bool loaded = false;
  {
    HourglassGuard busy(*ui_);
    loaded = LoadMeasurement(*state_.Measurement, fullName, state_.Config.Language, *ui_);
  }
  if (!loaded) return false;
  state_.MeasFileName = fullName;
  ShowMeasurement();
  return true;
}

void TMainForm::AnalyseButtonClick() {
  const std::optional<std::string> chosen = ui_->OpenFileName(
      Tr(OpenDialogTitle, state_.Config.Language), openFolder_, {MeasurementFilter});
  if (!chosen || chosen->empty()) return;
  const QString fileName = QFile::decodeName(chosen->c_str());
  // The dialog opens next time where the user last found a measurement.
  openFolder_ = QFile::encodeName(QFileInfo(fileName).absolutePath()).toStdString();
  AnalyseFile(fileName);
}

void TMainForm::ExitButtonClick() {
  close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!state_.AppDataDir.empty()) WriteConfig(state_.Config, state_.AppDataDir);
  event->accept();
}

}  // namespace zephirax
