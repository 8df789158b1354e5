#include <QPushButton>

#include "app/Config.h"
#include "app/QtLanguageDlg.h"
#include "app/QtMainForm.h"

// The main window's options workflow.

namespace zephirax {

void TMainForm::SetupButtonClick() {
  FileButton->hide();
  ShowOptions(state_.Config, *ui_, this, MachineOptionsServices());
  // Without a settings folder the choices hold for this run only.
  if (!state_.Window.AppDataDir.empty()) WriteConfig(state_.Config, state_.Window.AppDataDir);
  ApplyCaptions();
  repaint();
  FileButton->show();
}

}  // namespace zephirax
