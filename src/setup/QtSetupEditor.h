#pragma once

#include <QDialog>
#include <QPalette>
#include <array>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <variant>

#include "platform/LangText.h"
#include "platform/UserInterface.h"
#include "setup/EngineSetup.h"
#include "setup/SetupEditor.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace zephirax {

struct SetupEditorOptions {
  int Language = English;
  SetupUnits Units;
  std::string EngineDir;         // where the save dialog starts
  std::string FileName;          // the setup's file; the save dialog proposes its name
  bool TransmitOffered = false;  // a serial device is configured
};

enum class SetupEditorEnd { Finish, Transmit };

// The two-page setup editor: the basic engine data, and the firing order with
// the TDC deviations. It works on the record it is given, so every accepted
// entry is kept whichever way the editor is closed.
class TTabbedNotebookDlg : public QDialog {
  Q_OBJECT

 public:
  TTabbedNotebookDlg(EngineSetup& setup, SetupEditorOptions options, UserInterface& ui,
                     QWidget* parent = nullptr);

  // Shows the editor until Finish or Transmit; Save writes the setup file and
  // goes on editing.
  SetupEditorEnd Run();

  void SaveBtnClick();
  void FinishBtnClick();
  void TransmitBtnClick();
  void AutoDeviationsClick();
  // Prints the record as edited so far.
  void PrintBtnClick();
  // What printing does with the record. The printout belongs to a layer
  // above; the owner hands it in, and without it the button stays disabled.
  void SetPrintAction(std::function<void(const EngineSetup&)> print);
  // Shows the rows of the cylinders there are and fills them from the record.
  void RefreshSetupLayout();

  QTabWidget* Pages = nullptr;
  QWidget* BasicPage = nullptr;
  QWidget* FiringPage = nullptr;

  QLineEdit* CylindersEdit = nullptr;
  QLineEdit* StrokesEdit = nullptr;
  QLineEdit* CycleEdit = nullptr;
  QLineEdit* LayoutEdit = nullptr;
  QLineEdit* VAngleEdit = nullptr;
  QLineEdit* BoreEdit = nullptr;
  QLineEdit* StrokeEdit = nullptr;
  QLineEdit* ConRodEdit = nullptr;
  QLineEdit* TdcCorrectionEdit = nullptr;
  QLineEdit* ScavAirEdit = nullptr;
  QLineEdit* LimitEdit = nullptr;
  QLineEdit* TdcSensorEdit = nullptr;
  QLineEdit* KmSensorEdit = nullptr;
  QLineEdit* FuelAclEdit = nullptr;
  QLineEdit* AverageEdit = nullptr;
  // Index p - 1: firing position p, and cylinder p's deviation.
  std::array<QLineEdit*, MaxCylinders> FiringEdits{};
  std::array<QLabel*, MaxCylinders> FiringLabels{};
  std::array<QLineEdit*, MaxCylinders> DeviationEdits{};
  std::array<QLabel*, MaxCylinders> DeviationLabels{};
  std::array<QLabel*, MaxCylinders> DeviationUnits{};
  QLabel* FiringOrderCaption = nullptr;
  QLabel* DeviationsCaption = nullptr;

  QPushButton* SaveButton = nullptr;
  QPushButton* FinishButton = nullptr;
  QPushButton* PrintButton = nullptr;
  QPushButton* HelpButton = nullptr;
  QPushButton* TransmitButton = nullptr;
  QPushButton* AutoDeviationsButton = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Escape and the close box finish.
  void reject() override;

 private:
  using Rule = std::variant<CountField, LetterField, NumberField>;

  void BuildBasicPage();
  void BuildFiringPage();
  QLineEdit* NewField(QWidget* page, const char* name, Rule rule);
  void FillBasicPage();
  void ShowPageOne();
  void FieldEdited(QLineEdit* edit);
  void FieldLeft(QLineEdit* edit);
  bool LetterKey(QLineEdit* edit, LetterField field, const QKeyEvent& key);
  // Ends the entry in the focused field as leaving it would, so a button
  // pressed with Enter acts on checked values.
  void CommitFocusedField();
  void Paint(QLineEdit* edit);
  QString Caption(const LangText& text) const;

  EngineSetup& setup_;
  SetupEditorOptions options_;
  UserInterface& ui_;
  std::map<QLineEdit*, Rule> rules_;
  std::set<QLineEdit*> invalid_;  // text that is no number; the record keeps its value
  QLineEdit* focusedEdit_ = nullptr;
  QPalette normal_;
  std::function<void(const EngineSetup&)> print_;
};

}  // namespace zephirax
