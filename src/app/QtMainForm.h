#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/PrintRunPlan.h"
#include "app/QtPrintRun.h"
#include "platform/LangText.h"
#include "platform/QtCanvas.h"
#include "platform/UserInterface.h"
#include "printing/QtPrintTarget.h"

class QAction;
class QCloseEvent;
class QContextMenuEvent;
class QKeyEvent;
class QLabel;
class QMenu;
class QPushButton;

namespace zephirax {

enum class PrintResult;
struct PrintoutStart;

// The picture the views paint; outside analysis it shows the idle screen. It
// takes the focus, so that the arrow keys move the cursor; the main window
// handles its mouse, key and menu events.
class PictureBox : public QWidget {
 public:
  explicit PictureBox(QWidget* parent);
  void SetPicture(const QImage& picture);
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

// The program's main window. It owns the program-wide state for the whole run:
// idle it shows the background picture and the workflow buttons, in analysis
// mode its picture is the drawing surface of the views.
class TMainForm : public QWidget {
  Q_OBJECT

 public:
  // `programDir` holds the DATA and ENGINE folders. Without `ui` the window
  // shows real dialogs; a given `ui` must outlive the window.
  explicit TMainForm(const std::string& programDir, UserInterface* ui = nullptr,
                     QWidget* parent = nullptr);
  ~TMainForm() override;

  AppState& State() { return state_; }
  const AppState& State() const { return state_; }
  const QImage& Picture() const;

  // The first activation applies the captions and analyses the file named in
  // State().View.PendingFileName; later activations do nothing.
  void FormActivate();
  // Lays out the bottom row and the picture; redraws the view in analysis.
  void FormResize();
  // Title, captions and hints in the language of State().Config.
  void ApplyCaptions();

  // The serial device Receive uses; the machine's own port unless a test
  // hands in another, which must outlive the window.
  void SetSerialDevice(SerialDevice* device) { state_.Window.Link.Device = device; }

  void ReceiveButtonClick();
  // The options dialog; its choices are written to the configuration and
  // the window takes their language at once.
  void SetupButtonClick();
  // The setup sequence: a new or existing setup, the editor, the transmission.
  void TransmitButtonClick();
  void AnalyseButtonClick();
  void AddButtonClick();   // the additional data of a measurement
  void FileButtonClick();  // the file functions
  void EmailItemClick();   // sends the measurement by e-mail
  void ExitButtonClick();
  void HelpButtonClick();  // the help's contents, in the user's language
  void FinishButtonClick();
  void FinishAnalysisItemClick();
  void PAlphaSingleItemClick();
  void PAlphaRefItemClick();
  void PAlphaAllItemClick();

  void CylinderPlusBtnClick();
  void CylinderMinusBtnClick();
  void RefCylinderPlusBtnClick();
  void RefCylinderMinusBtnClick();
  void RefBtnClick();
  void CursorRightBtnClick();
  void CursorLeftBtnClick();
  void CursorBtnClick();
  void ZoomButtonClick();
  void dpdaBtnClick();
  void FilterBtnClick();
  void RefFilterBtnClick();
  void FuelButtonClick();
  void ACLButtonClick();
  void CopyBtnClick();
  // The print run: the selection dialog, then the chosen pages.
  void PrintButtonClick();

  // The print run of `pages` (numbers of the page table) into `target`
  // without asking: what the print button does once the user has chosen.
  // The caller completes the target when the run is complete.
  struct PrintPagesResult {
    PrintPlan Plan;
    PrintRunResult Run;
  };
  PrintPagesResult PrintPages(const std::vector<int>& pages, bool hardcopy, QtPrintTarget& target);
  // True while pages are being printed.
  bool Printing() const { return printing_; }
  // Reads `fileName` as the additional data of the measurement on screen and
  // shows them; false when it cannot be read for it.
  bool UseAdditionalData(const std::string& fileName);

  // The TDC correction mode and the scavenging-air correction.
  void ShiftButtonClick();
  void autoButtonClick();
  void pscavButtonClick();
  void MarkerLeftClick();
  void MarkerRightClick();
  void RotateLeftClick();
  void RotateRightClick();

  // The program's printer: the system's default printer as the user set it
  // up; tests read whether one is installed.
  QtPrinterObject PrinterObject;

 protected:
  void closeEvent(QCloseEvent* event) override;  // FormCloseQuery
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;  // the picture's input

 private:
  // A view item of ViewMenu: the view it shows and where CopyBtn goes.
  struct ViewItem {
    QAction* Action = nullptr;
    int View = 0;
    int CopyLeft = -1;  // -1: CopyBtn stays where it is
    int CopyTop = -1;
    const LangText* Caption = nullptr;
  };

  void FormCreate();
  void BuildComponents();
  void BuildMenu();
  QPushButton* NewButton(QWidget* parent, const char* name, void (TMainForm::*handler)());
  void EnterAnalysisWindow();
  void ShowLoadedMeasurement();
  void ApplyTitle();
  void ShowIdleScreen();
  void SetWorkflowEnabled(bool idle);
  void SyncButtons();
  void EnableMenuItems();
  void ApplyMenuCaptions();
  void ApplyFilterCaptions();
  void ViewItemClick(const ViewItem& item);
  void Redraw(int view);
  void RedrawIf(bool due);
  bool InTdcView() const;
  void ReloadSteppedReference();
  void EnterTdcMode(int tdcView);
  void PrepareTdcButtons();
  void LoadTdcFile();
  void ShowTdcView();
  void SaveTdcFile();
  void FinishTdcMode();
  void MoveTdcMarker(int offsetStep, int slopeStep);
  void PictureMenu(const QContextMenuEvent& event);
  PrintRunResult RunPrintPlan(const PrintPlan& plan, bool hardcopy, QtPrintTarget& target);
  void ShowPrintedView(int view);
  void TellPagesLeftOut(const std::vector<int>& pages);
  bool PictureKey(const QKeyEvent& event);
  // Runs a text printout on the printer, or into a PDF file the user picks
  // when none is installed; a failure is shown over `parent`'s workflow.
  using TextPrintout = std::function<PrintResult(QtPrintTarget&, const PrintoutStart&)>;
  void RunTextPrintout(QWidget* parent, const TextPrintout& printout);

  std::unique_ptr<UserInterface> ownUi_;
  UserInterface* ui_;
  AppState state_;
  QtCanvas canvas_;
  std::unique_ptr<SerialDevice> ownSerial_;
  std::string programDir_;
  std::string openFolder_;  // where the open dialogs start: DATA, then the folder last used
  bool analysisMode_ = false;
  bool startupDone_ = false;
  bool IniLoaded = false;
  bool receiving_ = false;     // the receive dialog is up
  bool printRunning_ = false;  // from the print button's click to the end of its run
  bool printing_ = false;      // the pages of a run are being printed
  std::vector<ViewItem> viewItems_;

  PictureBox* ViewPicture = nullptr;
  QLabel* AddressBlock = nullptr;
  QLabel* ErrorLabel = nullptr;
  QWidget* StatusLine = nullptr;
  QLabel* FileCaption = nullptr;
  QLabel* FileLabel = nullptr;
  QLabel* DateCaption = nullptr;
  QLabel* DateLabel = nullptr;
  QLabel* TimeCaption = nullptr;
  QLabel* TimeLabel = nullptr;
  QLabel* ShipCaption = nullptr;
  QLabel* FunctionLabel = nullptr;

  QPushButton* ReceiveButton = nullptr;
  QPushButton* TransmitButton = nullptr;
  QPushButton* AnalyseButton = nullptr;
  QPushButton* ShiftButton = nullptr;
  QPushButton* AddButton = nullptr;
  QPushButton* SetupButton = nullptr;
  QPushButton* HelpButton = nullptr;
  QPushButton* ExitButton = nullptr;
  QPushButton* FileButton = nullptr;

  QPushButton* CylinderMinusBtn = nullptr;
  QPushButton* CylinderPlusBtn = nullptr;
  QPushButton* RefCylinderMinusBtn = nullptr;
  QPushButton* RefCylinderPlusBtn = nullptr;
  QPushButton* RefBtn = nullptr;
  QPushButton* CursorLeftBtn = nullptr;
  QPushButton* CursorRightBtn = nullptr;
  QPushButton* CursorBtn = nullptr;
  QPushButton* ZoomButton = nullptr;
  QPushButton* dpdaBtn = nullptr;
  QPushButton* FilterBtn = nullptr;
  QPushButton* RefFilterBtn = nullptr;
  QPushButton* FuelButton = nullptr;
  QPushButton* ACLButton = nullptr;
  QPushButton* pscavButton = nullptr;
  QPushButton* autoButton = nullptr;
  QPushButton* TDCleftButton = nullptr;
  QPushButton* TDCRightButton = nullptr;
  QPushButton* TDCRotateLeftButton = nullptr;
  QPushButton* TDCRotateRightButton = nullptr;
  QPushButton* PrintButton = nullptr;
  QPushButton* CopyBtn = nullptr;
  QPushButton* FinishButton = nullptr;

  QMenu* ViewMenu = nullptr;
  QAction* PAlphaSingleItem = nullptr;
  QAction* PAlphaRefItem = nullptr;
  QAction* PAlphaAllItem = nullptr;
  QAction* EmailItem = nullptr;
  QAction* FinishAnalysisItem = nullptr;
};

}  // namespace zephirax
