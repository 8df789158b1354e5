#include <QPushButton>
#include <filesystem>

#include "app/QtMainForm.h"
#include "files/QtEmailForm.h"
#include "files/QtFileForm.h"
#include "files/QtMailLauncher.h"
#include "files/QtTrash.h"
#include "platform/HelpTopics.h"
#include "platform/QtHelp.h"

// The main window's file functions and the e-mail of the current measurement.

namespace zephirax {

void TMainForm::FileButtonClick() {
  FileButton->hide();
  // On a new installation the data folder is made here, so that the panes
  // open on it rather than above it.
  std::error_code ignored;
  std::filesystem::create_directories(state_.Window.DataDir, ignored);
  QtTrash trash;
  TFileForm dialog(openFolder_, state_.Config.Language, *ui_, trash, this);
  dialog.SetHelp([&] { ShowHelp(state_.Config.Language, HelpFileFunctions, &dialog); });
  dialog.exec();
  FileButton->show();
}

void TMainForm::EmailItemClick() {
  QtMailLauncher mail;
  TEmailForm dialog(state_.Files.MeasFileName, state_.Config.EmailDestination,
                    state_.Config.Language, *ui_, mail, this);
  dialog.exec();
}

}  // namespace zephirax
