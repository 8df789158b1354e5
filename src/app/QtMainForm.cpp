#include "app/QtMainForm.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <filesystem>
#include <iterator>
#include <optional>

#include "app/AnalysisHandlers.h"
#include "app/Config.h"
#include "app/LoadMessages.h"
#include "app/MainTexts.h"
#include "app/QtBackground.h"
#include "app/SharedTexts.h"
#include "app/TdcHandlers.h"
#include "app/ViewDispatch.h"
#include "devicelink/QtReceiveDialog.h"
#include "devicelink/QtSerialDevice.h"
#include "files/EngineDataExport.h"
#include "platform/Paths.h"
#include "platform/QtLangText.h"
#include "platform/QtNumberFormat.h"
#include "platform/QtUserInterface.h"
#include "platform/TextEncoding.h"

namespace zephirax {
namespace {

constexpr int BottomRowHeight = 30;
constexpr int StatusLineHeight = 22;

const FileFilter MeasurementFilter{"VOLTAN files", "*.KV;*"};

QString FromCp1252(const std::string& bytes) {
  return QString::fromStdString(Cp1252ToUtf8(bytes));
}

// A file's name without its folder, as the user sees it.
QString NamePart(const std::string& fileName) {
  return QFileInfo(QFile::decodeName(fileName.c_str())).fileName();
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

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::SetPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!picture_.isNull()) painter.drawImage(0, 0, picture_);
}

TMainForm::TMainForm(const std::string& programDir, UserInterface* ui, QWidget* parent)
    : QWidget(parent), ui_(ui) {
  if (ui_ == nullptr) {
    ownUi_ = std::make_unique<QtUserInterface>(this);
    ui_ = ownUi_.get();
  }
  programDir_ = programDir;
  ownSerial_ = std::make_unique<QtSerialDevice>();
  state_.Window.Link.Device = ownSerial_.get();
  state_.Window.DataDir = DataDir(programDir);
  state_.Window.EngineDir = EngineDir(programDir);
  openFolder_ = state_.Window.DataDir;
  BuildComponents();
  FormCreate();
}

TMainForm::~TMainForm() = default;

const QImage& TMainForm::Picture() const {
  return ViewPicture->Picture();
}

void TMainForm::FormCreate() {
  state_.Window.AppDataDir = AppDataDir();
  // Without a settings folder the defaults hold; the configuration is then
  // neither read from nor written to some unrelated place such as "/".
  if (state_.Window.AppDataDir.empty()) {
    ui_->MessageBox(Tr(ErrorCaption, state_.Config.Language),
                    Tr(AppDataNotFoundText, state_.Config.Language));
  } else {
    std::error_code error;
    if (!std::filesystem::is_directory(state_.Window.AppDataDir, error)) {
      ui_->MessageBox(Tr(ErrorCaption, state_.Config.Language),
                      Tr(AppDataNotCreatedText, state_.Config.Language));
    }
    ReadConfig(state_.Config, state_.Window.AppDataDir);
  }
  state_.View.FilterOn = false;
  state_.View.RefFilterOn = false;
  for (QPushButton* marker :
       {TDCleftButton, TDCRightButton, TDCRotateLeftButton, TDCRotateRightButton}) {
    marker->hide();
  }
  move(0, 0);
  for (QLabel* label : {FileLabel, FunctionLabel, DateLabel, TimeLabel}) label->clear();
  IniLoaded = false;
  state_.View.AnalysisActive = false;
  SetWorkflowEnabled(true);
  SyncButtons();
  // The window is never without its texts, even before its first activation.
  ApplyCaptions();
  FormResize();
}

void TMainForm::FormActivate() {
  if (!IniLoaded) {
    // The configuration read at creation is in force.
    ApplyCaptions();
    IniLoaded = true;
  }
  if (startupDone_) return;
  startupDone_ = true;
  if (!state_.View.PendingFileName.empty()) AnalyseButtonClick();
}

bool TMainForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && !startupDone_) {
    // Queued, so a dialog the analysis opens does not run inside the
    // activation itself.
    QMetaObject::invokeMethod(this, &TMainForm::FormActivate, Qt::QueuedConnection);
  }
  return QWidget::event(event);
}

void TMainForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!startupDone_) {
    QMetaObject::invokeMethod(this, &TMainForm::FormActivate, Qt::QueuedConnection);
  }
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TMainForm::FormResize() {
  const int clientWidth = width();
  const int clientHeight = height();
  const int slot = clientWidth / 8;
  const int rowTop = std::max(0, clientHeight - BottomRowHeight);
  // The Receive button keeps the first slot; the others follow it.
  QPushButton* const row[] = {ReceiveButton, TransmitButton, AnalyseButton, ShiftButton,
                              AddButton,     SetupButton,    HelpButton,    ExitButton};
  for (int i = 0; i < 8; ++i) row[i]->setGeometry(i * slot, rowTop, slot, BottomRowHeight);
  const int statusTop = std::max(0, rowTop - StatusLineHeight);
  StatusLine->setGeometry(0, statusTop, clientWidth, StatusLineHeight);
  ViewPicture->setGeometry(0, 0, clientWidth, statusTop);
  AddressBlock->move(std::max(0, ViewPicture->width() - AddressBlock->width() - 24),
                     std::max(0, ViewPicture->height() - AddressBlock->height() - 16));

  state_.Drawing.ControlWidth = std::max(ViewPicture->width(), 1);
  state_.Drawing.ControlHeight = std::max(ViewPicture->height(), 1);
  if (state_.View.AnalysisActive) {
    Redraw(state_.View.CurrentView);
  } else if (!analysisMode_) {
    ShowIdleScreen();
  } else {
    ViewPicture->SetPicture(QImage());
  }
}

void TMainForm::SetWorkflowEnabled(bool idle) {
  // The help is there in both modes; the file functions only outside the
  // analysis, whose measurement they could move or delete.
  HelpButton->setEnabled(true);
  FileButton->setEnabled(idle);
  ReceiveButton->setEnabled(idle);
  SetupButton->setEnabled(idle);
  TransmitButton->setEnabled(idle);
  ShiftButton->setEnabled(idle);
  AddButton->setEnabled(idle);
  AnalyseButton->setEnabled(true);
  ExitButton->setEnabled(true);
  FileButton->setVisible(idle);
}

void TMainForm::ShowIdleScreen() {
  ViewPicture->SetPicture(BackgroundPicture(ViewPicture->size()));
  AddressBlock->show();
}

void TMainForm::SyncButtons() {
  struct Follows {
    QPushButton* Button;
    ButtonFlags AnalysisButtons::*Flags;
  };
  const Follows follows[] = {
      {CylinderMinusBtn, &AnalysisButtons::CylinderMinusBtn},
      {CylinderPlusBtn, &AnalysisButtons::CylinderPlusBtn},
      {RefCylinderMinusBtn, &AnalysisButtons::RefCylinderMinusBtn},
      {RefCylinderPlusBtn, &AnalysisButtons::RefCylinderPlusBtn},
      {RefBtn, &AnalysisButtons::RefBtn},
      {CursorLeftBtn, &AnalysisButtons::CursorLeftBtn},
      {CursorRightBtn, &AnalysisButtons::CursorRightBtn},
      {CursorBtn, &AnalysisButtons::CursorBtn},
      {ZoomButton, &AnalysisButtons::ZoomButton},
      {dpdaBtn, &AnalysisButtons::dpdaBtn},
      {FilterBtn, &AnalysisButtons::FilterBtn},
      {RefFilterBtn, &AnalysisButtons::RefFilterBtn},
      {FuelButton, &AnalysisButtons::FuelButton},
      {ACLButton, &AnalysisButtons::ACLButton},
      {pscavButton, &AnalysisButtons::pscavButton},
      {autoButton, &AnalysisButtons::autoButton},
      {PrintButton, &AnalysisButtons::PrintButton},
      {CopyBtn, &AnalysisButtons::CopyBtn},
      {FinishButton, &AnalysisButtons::FinishButton},
  };
  for (const Follows& f : follows) {
    const ButtonFlags& flags = state_.Window.Buttons.*f.Flags;
    f.Button->setVisible(flags.Visible);
    f.Button->setEnabled(flags.Enabled);
  }
  for (QPushButton* marker :
       {TDCleftButton, TDCRightButton, TDCRotateLeftButton, TDCRotateRightButton}) {
    marker->setVisible(state_.Window.Buttons.MarkerButtons.Visible);
    marker->setEnabled(state_.Window.Buttons.MarkerButtons.Enabled);
  }
  // A print run keeps its button disabled whatever the views it draws show.
  if (printRunning_) PrintButton->setEnabled(false);
  const int view = state_.View.CurrentView;
  const bool table = view == ViewEngineTable || view == ViewEngineTable2;
  RefCylinderPlusBtn->setText(table ? QString::fromLatin1(TablePageCaption)
                                    : Text(RefCylinderPlusCaption, state_.Config.Language));
}

void TMainForm::EnableMenuItems() {
  for (const ViewItem& item : viewItems_) item.Action->setEnabled(ViewAvailable(state_, item.View));
}

void TMainForm::ApplyTitle() {
  QString title = Text(MainTitleText, state_.Config.Language);
  // The file comes first, so that it still shows where the title is cut short.
  if (!state_.Files.MeasFileName.empty())
    title = NamePart(state_.Files.MeasFileName) + " - " + title;
  setWindowTitle(title);
}

void TMainForm::EnterAnalysisWindow() {
  EnterAnalysisMode(state_);
  analysisMode_ = true;
  const int lang = state_.Config.Language;
  RefBtn->setText(Text(RefBtnCaption, lang));
  FinishButton->setText(Text(FinishCaption, lang));
  CursorLeftBtn->setText(Text(CursorLeftCaption, lang));
  CursorRightBtn->setText(Text(CursorRightCaption, lang));
  pscavButton->setText(Text(PscavCaption, lang));
  TransmitButton->setEnabled(false);
  ShiftButton->setEnabled(false);
  AddButton->setEnabled(false);
  SetupButton->setEnabled(false);
  ExitButton->setEnabled(true);
  AddressBlock->hide();
  ErrorLabel->hide();
  // The idle screen goes; no view until a measurement is loaded.
  ViewPicture->SetPicture(QImage());
  for (QLabel* label : {FileLabel, DateLabel, TimeLabel, FunctionLabel}) label->clear();
  SyncButtons();
  EnableMenuItems();
}

void TMainForm::ReceiveButtonClick() {
  FileButton->hide();
  for (QPushButton* button :
       {ReceiveButton, TransmitButton, AnalyseButton, ShiftButton, AddButton, SetupButton}) {
    button->setEnabled(false);
  }
  SerialLink& link = state_.Window.Link;
  link.ComPort = state_.Config.ComPort;
  link.DeviceOverride = state_.Config.Device;
  ReceiveSession session(link, programDir_);
  receiving_ = true;
  ExitButton->setEnabled(false);
  ReceiveAndSave(session, state_.Window.DataDir, state_.Config.Language, *ui_, this,
                 [this](const std::string& name) {
                   FileLabel->setText(QFile::decodeName(QByteArray::fromStdString(name)));
                 });
  receiving_ = false;
  FunctionLabel->clear();
  SetWorkflowEnabled(true);
}

void TMainForm::AnalyseButtonClick() {
  // A measurement on screen stays there, with its status line, buttons and
  // menu, until another one has loaded: after a cancelled dialog or a
  // rejected file the user goes on with it. From idle the window becomes the
  // analysis window at once, without a view until a file loads.
  if (!analysisMode_) {
    FileButton->hide();
    EnterAnalysisWindow();
  }

  std::string fileName;
  const std::string pending = state_.View.PendingFileName;
  state_.View.PendingFileName.clear();  // handled once, whether or not it exists
  std::error_code error;
  if (!pending.empty() && std::filesystem::is_regular_file(pending, error)) {
    fileName = std::filesystem::absolute(pending, error).lexically_normal().string();
    if (error) fileName = pending;
  } else {
    const std::optional<std::string> chosen = ui_->OpenFileName(
        Tr(OpenMeasurementTitle, state_.Config.Language), openFolder_, {MeasurementFilter});
    if (!chosen || chosen->empty()) return;
    fileName = *chosen;
    // The dialog opens next time where the user last found a measurement.
    openFolder_ = std::filesystem::path(fileName).parent_path().string();
  }

  bool loaded = false;
  {
    HourglassGuard busy(*ui_);
    const LoadResult result = LoadForAnalysis(state_, fileName);
    loaded = static_cast<bool>(result);
    if (!loaded) ShowLoadFault(*ui_, state_.Config.Language, *result.Fault, fileName, false);
  }
  if (loaded) ShowLoadedMeasurement();
}

void TMainForm::ShowLoadedMeasurement() {
  const MeasurementData& data = *state_.Files.Measurement;
  ErrorLabel->hide();
  FileLabel->setText(NamePart(state_.Files.MeasFileName));
  FileLabel->setToolTip(QFile::decodeName(state_.Files.MeasFileName.c_str()));
  DateLabel->setText(FromCp1252(data.MeasDate));
  TimeLabel->setText(FromCp1252(data.MeasTime));
  FunctionLabel->setText(state_.Files.HasAddData ? FromCp1252(state_.Files.AddData.ShipName)
                                                 : QString());
  FinishButton->setToolTip(Text(FinishHint, state_.Config.Language));
  ApplyTitle();
  EnableMenuItems();
  PAlphaAllItemClick();
  // The arrow keys move the cursor straight away.
  ViewPicture->setFocus();
}

bool TMainForm::UseAdditionalData(const std::string& fileName) {
  if (!state_.View.AnalysisActive || !LoadAdditionalDataFile(state_, fileName)) return false;
  FunctionLabel->setText(FromCp1252(state_.Files.AddData.ShipName));
  EnableMenuItems();
  Redraw(state_.View.CurrentView);
  return true;
}

void TMainForm::FinishAnalysisItemClick() {
  LeaveAnalysisMode(state_);
  analysisMode_ = false;
  ApplyTitle();
  for (QLabel* label : {FileLabel, DateLabel, TimeLabel}) label->clear();
  FileLabel->setToolTip(QString());
  ErrorLabel->hide();
  SetWorkflowEnabled(true);
  SyncButtons();
  EnableMenuItems();
  ShowIdleScreen();
}

void TMainForm::FinishButtonClick() {
  if (InTdcView()) {
    // Finishing a TDC shift ends the analysis as well.
    FinishTdcMode();
    return;
  }
  ApplyMenuCaptions();
  ViewMenu->popup(mapToGlobal(QPoint(0, 0)));
}

void TMainForm::ViewItemClick(const ViewItem& item) {
  for (const ViewItem& other : viewItems_) other.Action->setChecked(false);
  item.Action->setChecked(true);
  if (item.CopyLeft >= 0) CopyBtn->move(item.CopyLeft, item.CopyTop);
  Redraw(item.View);
}

void TMainForm::PAlphaSingleItemClick() {
  ViewItemClick(viewItems_[0]);
}

void TMainForm::PAlphaRefItemClick() {
  ViewItemClick(viewItems_[1]);
}

void TMainForm::PAlphaAllItemClick() {
  ViewItemClick(viewItems_[2]);
}

void TMainForm::Redraw(int view) {
  if (ViewAvailable(state_, view)) {
    ShowView(state_, canvas_, view);
    ViewPicture->SetPicture(canvas_.Image());
  }
  SyncButtons();
}

void TMainForm::RedrawIf(bool due) {
  if (due) {
    Redraw(state_.View.CurrentView);
  } else {
    SyncButtons();
  }
}

bool TMainForm::InTdcView() const {
  return IsTdcView(state_.View.CurrentView);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched != ViewPicture) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::ContextMenu:
      PictureMenu(*static_cast<QContextMenuEvent*>(event));
      return true;
    case QEvent::KeyPress:
      return PictureKey(*static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:  // the second of two quick clicks
    case QEvent::MouseMove: {
      // A click puts the cursor where it is; held down, the button drags it.
      const auto* mouse = static_cast<const QMouseEvent*>(event);
      const bool left = event->type() == QEvent::MouseMove
                            ? mouse->buttons().testFlag(Qt::LeftButton)
                            : mouse->button() == Qt::LeftButton;
      const QPoint at = mouse->position().toPoint();
      if (left && PlaceCursor(state_, at.x(), at.y())) Redraw(state_.View.CurrentView);
      break;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void TMainForm::PictureMenu(const QContextMenuEvent& event) {
  // The Functions button's menu, where the user points. In the TDC views that
  // button finishes the shift, so they have no menu.
  if (!state_.View.AnalysisActive || InTdcView()) return;
  // The menu key gives no useful position; the menu then opens mid-picture.
  const QPoint at =
      event.reason() == QContextMenuEvent::Mouse ? event.pos() : ViewPicture->rect().center();
  ApplyMenuCaptions();
  ViewMenu->popup(ViewPicture->mapToGlobal(at));
}

bool TMainForm::PictureKey(const QKeyEvent& event) {
  int direction = 0;
  if (event.key() == Qt::Key_Left) direction = -1;
  if (event.key() == Qt::Key_Right) direction = +1;
  if (direction == 0 || !CursorMovable(state_)) return false;
  RedrawIf(StepCursorByKey(state_, direction, event.modifiers().testFlag(Qt::ShiftModifier)));
  return true;
}

void TMainForm::CylinderPlusBtnClick() {
  RedrawIf(StepCylinder(state_, +1));
  ErrorLabel->hide();
}

void TMainForm::CylinderMinusBtnClick() {
  RedrawIf(StepCylinder(state_, -1));
  ErrorLabel->hide();
}

void TMainForm::RefCylinderPlusBtnClick() {
  const bool due = StepRefCylinder(state_, +1);
  ReloadSteppedReference();
  RedrawIf(due);
}

void TMainForm::RefCylinderMinusBtnClick() {
  const bool due = StepRefCylinder(state_, -1);
  ReloadSteppedReference();
  RedrawIf(due);
}

void TMainForm::RefBtnClick() {
  // In the TDC views this button saves the corrected measurement.
  if (InTdcView()) {
    SaveTdcFile();
    return;
  }
  const std::optional<std::string> chosen = ui_->OpenFileName(
      Tr(OpenReferenceTitle, state_.Config.Language), openFolder_, {MeasurementFilter});
  if (!chosen || chosen->empty()) return;
  openFolder_ = std::filesystem::path(*chosen).parent_path().string();
  bool loaded = false;
  {
    HourglassGuard busy(*ui_);
    const LoadResult result = LoadReferenceFile(state_, *chosen);
    loaded = static_cast<bool>(result);
    if (!loaded) ShowLoadFault(*ui_, state_.Config.Language, *result.Fault, *chosen, true);
  }
  if (!loaded) return;
  EnableMenuItems();
  PAlphaRefItemClick();
}

void TMainForm::CursorRightBtnClick() {
  // In the TDC views these buttons shift the curve.
  if (InTdcView()) {
    ShiftTdc(state_, +1);
    ShowTdcView();
    return;
  }
  RedrawIf(StepCursor(state_, +1));
}

void TMainForm::CursorLeftBtnClick() {
  if (InTdcView()) {
    ShiftTdc(state_, -1);
    ShowTdcView();
    return;
  }
  RedrawIf(StepCursor(state_, -1));
}

void TMainForm::CursorBtnClick() {
  RedrawIf(ToggleCursor(state_));
}

void TMainForm::ZoomButtonClick() {
  RedrawIf(ToggleZoom(state_));
}

void TMainForm::dpdaBtnClick() {
  RedrawIf(ToggleDpDa(state_));
}

void TMainForm::FilterBtnClick() {
  const bool due = ToggleFilter(state_);
  ApplyFilterCaptions();
  RedrawIf(due);
}

void TMainForm::ReloadSteppedReference() {
  // The reference view shows the reference cylinder as last read.
  if (state_.View.CurrentView != ViewPAlphaRef || !state_.Files.HasReference) return;
  const LoadResult result = ReloadReference(state_);
  // A file that has gone since leaves the previous reference in place.
  if (!result) {
    ShowLoadFault(*ui_, state_.Config.Language, *result.Fault, state_.Files.AuxFileName, true);
  }
}

void TMainForm::RefFilterBtnClick() {
  // The step forward and back lands on the same reference cylinder, so the
  // reference as loaded stays valid.
  const bool due = ToggleRefFilter(state_);
  ApplyFilterCaptions();
  RedrawIf(due);
}

void TMainForm::FuelButtonClick() {
  Redraw(ToggleFuel(state_));
}

void TMainForm::ACLButtonClick() {
  Redraw(ToggleAcl(state_));
}

void TMainForm::CopyBtnClick() {
  // The engine data table also goes to the spreadsheet files, in the user's
  // number format of the moment.
  bool exported = true;
  if (state_.View.AnalysisActive && state_.View.CurrentView == ViewEngineTable) {
    state_.Regional = RegionalNumberFormat(QLocale());
    std::error_code error;  // a missing folder is made; a failure shows in the export
    std::filesystem::create_directories(state_.Window.DataDir, error);
    exported = ExportEngineData(*state_.Files.Measurement, state_.Files.AddData, state_.Regional,
                                state_.Window.DataDir);
  }
  QGuiApplication::clipboard()->setImage(ViewPicture->Picture());
  // The picture is on the clipboard all the same; the user should still know
  // that the files beside it are stale.
  if (!exported) {
    const int lang = state_.Config.Language;
    ui_->MessageBox(Tr(ErrorCaption, lang), Tr(ExportFailedText, lang));
  }
}

void TMainForm::ExitButtonClick() {
  close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // The receive dialog runs inside this window's handler; it ends the
  // exchange first, with Save or Cancel. A print run ends by itself.
  if (receiving_ || printRunning_) {
    event->ignore();
    return;
  }
  const bool wasActive = state_.View.AnalysisActive;
  state_.View.AnalysisActive = false;
  const int lang = state_.Config.Language;
  const int answer = ui_->Choose(Tr(CloseTitle, lang), Tr(CloseText, lang),
                                 {Tr(CloseYes, lang), Tr(CloseNo, lang)});
  if (!state_.Window.AppDataDir.empty()) WriteConfig(state_.Config, state_.Window.AppDataDir);
  if (answer == 0) {
    event->accept();
    return;
  }
  // The program goes on: the view stays live, so resizes redraw it again.
  state_.View.AnalysisActive = wasActive;
  event->ignore();
}

}  // namespace zephirax
