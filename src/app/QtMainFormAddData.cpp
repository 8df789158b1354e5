#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <optional>

#include "adddata/AddDataEntry.h"
#include "adddata/AddDataTexts.h"
#include "adddata/AdditionalDataFile.h"
#include "adddata/QtAddDataDlg.h"
#include "app/LoadMessages.h"
#include "app/QtMainForm.h"
#include "measurement/MeasurementReader.h"
#include "platform/TextEncoding.h"
#include "printing/QtTextPrintouts.h"

// The main window's additional-data workflow: the user picks a measurement
// (or the ".EXH" file beside one), edits its additional data and saves them
// beside it.

namespace zephirax {

void TMainForm::AddButtonClick() {
  FileButton->hide();
  for (QPushButton* button :
       {ReceiveButton, TransmitButton, AnalyseButton, ShiftButton, AddButton, SetupButton}) {
    button->setEnabled(false);
  }
  const int lang = state_.Config.Language;
  // Every way out of the workflow ends below, back in the idle window.
  [&] {
    const std::optional<std::string> chosen =
        ui_->OpenFileName(Tr(AddDataOpenTitle, lang), openFolder_,
                          {{MeasurementFilterName, MeasurementFilterPattern},
                           {AddDataFilterName, AddDataFilterPattern}});
    if (!chosen || chosen->empty()) return;
    openFolder_ = std::filesystem::path(*chosen).parent_path().string();
    const std::string measName = MeasurementForChosenFile(*chosen);
    FileLabel->setText(QFileInfo(QFile::decodeName(measName.c_str())).fileName());

    ui_->Hourglass(true);
    const LoadResult loaded = LoadMeasurement(*state_.Files.Measurement, measName);
    ui_->Hourglass(false);
    if (!loaded) {
      ShowLoadFault(*ui_, lang, *loaded.Fault, measName, false);
      return;
    }
    // The per-cylinder values of the file are read and written for the
    // measurement's cylinder count.
    const int32_t cylCount = state_.Files.Measurement->CylCount;
    LoadedFiles& files = state_.Files;
    files.AuxFileName = AdditionalDataName(measName);
    files.HasAddData = ReadAdditionalData(files.AddData, files.AuxFileName, cylCount);
    if (!files.HasAddData) files.AddData = AdditionalData{};  // a measurement without data yet

    TAddDataDlg dialog(files.AddData, cylCount, state_.Config, *ui_, this);
    const PrintedMeasurement printed{std::filesystem::path(measName).filename().string(),
                                     Cp1252ToUtf8(state_.Files.Measurement->MeasDate),
                                     Cp1252ToUtf8(state_.Files.Measurement->MeasTime)};
    // The units are the dialog's, as the user sees the values there.
    dialog.SetPrintActions(
        [&] {
          RunTextPrintout(&dialog, [&](QtPrintTarget& target, const PrintoutStart& start) {
            return PrintAdditionalDataForm(target, start, PrintUnitsOf(state_.Config), cylCount);
          });
        },
        [&] {
          RunTextPrintout(&dialog, [&](QtPrintTarget& target, const PrintoutStart& start) {
            return PrintAdditionalData(target, start, PrintUnitsOf(state_.Config), files.AddData,
                                       cylCount, printed);
          });
        });
    if (dialog.exec() != QDialog::Accepted) return;
    if (!WriteAdditionalData(files.AddData, files.AuxFileName, cylCount)) {
      // The entries stay in memory, but the file beside the measurement
      // holds what it held before: the user has to know.
      std::string message = Tr(AddDataWriteFailedText, lang);
      message.replace(message.find("%s"), 2, files.AuxFileName);
      ui_->MessageBox(Tr(ErrorCaption, lang), message, MsgButtons::Ok, MsgIcon::Error);
    }
  }();
  FileLabel->clear();
  SetWorkflowEnabled(true);
}

}  // namespace zephirax
