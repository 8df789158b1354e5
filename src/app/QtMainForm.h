#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>
#include <string>

#include "app/AppState.h"
#include "platform/UserInterface.h"

class QAction;
class QCloseEvent;
class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;

namespace zephirax {

// The program's main window. It owns the program-wide state for the whole run.
class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // `programDir` holds the DATA folder. Without `ui` the window shows real
  // dialogs; a given `ui` must outlive the window.
  explicit TMainForm(const std::string& programDir, UserInterface* ui = nullptr,
                     QWidget* parent = nullptr);
  ~TMainForm() override;

  // Loads a measurement file and shows its evaluation. A rejected file leaves
  // the previous measurement and its display as they were; the user has then
  // been told why.
  bool AnalyseFile(const QString& fileName);

  // The settings in `State().Config` are in force; call ApplySettings after changing them.
  AppState& State() { return state_; }
  const AppState& State() const { return state_; }
  // Title, captions and the table follow the current language and units.
  void ApplySettings();

  void AnalyseButtonClick();
  void ExitButtonClick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void BuildComponents();
  void ShowMeasurement();

  std::unique_ptr<UserInterface> ownUi_;
  UserInterface* ui_;
  AppState state_;
  std::string openFolder_;  // where the open dialog starts: DATA, then the folder last used

  QMenu* FileMenu = nullptr;
  QAction* AnalyseAction = nullptr;
  QAction* ExitAction = nullptr;
  QTableWidget* CylinderTable = nullptr;
  QPushButton* AnalyseButton = nullptr;
  QPushButton* ExitButton = nullptr;
  QLabel* FileCaption = nullptr;
  QLabel* FileLabel = nullptr;
  QLabel* DateCaption = nullptr;
  QLabel* Datum = nullptr;
  QLabel* TimeCaption = nullptr;
  QLabel* Zeit = nullptr;
  QLabel* ShipCaption = nullptr;
  QLabel* FunctionLabel = nullptr;
};

}  // namespace zephirax
