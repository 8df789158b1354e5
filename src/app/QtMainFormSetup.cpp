#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <optional>

#include "app/QtMainForm.h"
#include "platform/Paths.h"
#include "printing/QtTextPrintouts.h"
#include "setup/EngineSetup.h"
#include "setup/QtSetupChoiceDialog.h"
#include "setup/QtSetupEditor.h"
#include "setup/QtTransmitDialog.h"
#include "setup/SetupEditorTexts.h"

// The setup sequence of the main window: new or existing setup, the editor
// with its save loop, and the transmission to the device.

namespace zephirax {
namespace {

// The working file of a new setup, under the program folder.
constexpr const char* NewSetupName = "TEMP.DAT";

QString NameOnly(const std::string& fileName) {
  return QFile::decodeName(std::filesystem::path(fileName).filename().string().c_str());
}

}  // namespace

void TMainForm::TransmitButtonClick() {
  FileButton->hide();
  for (QPushButton* button : {AnalyseButton, ShiftButton, AddButton, SetupButton}) {
    button->setEnabled(false);
  }
  const int lang = state_.Config.Language;
  MeasurementData& engine = *state_.Files.Measurement;
  SetupSensors& sensors = state_.Sensors;
  EngineSetup setup =
      SetupFromMeasurement(engine, sensors.KmSensor, sensors.FuelAclSensor, sensors.AverageCurve);
  // Before any measurement or setup was loaded there is no engine in memory;
  // the editor then starts from a new setup rather than from zero cylinders.
  if (setup.CylCount < 1 || setup.CylCount > MaxCylinders) NewSetupDefaults(setup);
  std::string& setupFile = state_.Files.MeasFileName;
  std::string& engineDir = state_.Window.EngineDir;
  std::error_code error;  // a folder that cannot be made shows in the file dialogs
  std::filesystem::create_directories(engineDir, error);

  bool editing = true;
  switch (TTransmitDlg1::Ask(lang, this)) {
    case SetupChoice::New:
      NewSetupDefaults(setup);
      setupFile = (std::filesystem::path(EngineDir(programDir_)) / NewSetupName).string();
      FileLabel->setText(QString::fromLatin1(NewSetupName));
      break;
    case SetupChoice::Open: {
      FileLabel->setText(QString::fromLatin1(SetupOpenedText));
      const std::optional<std::string> chosen = ui_->OpenFileName(
          Tr(OpenSetupTitle, lang), engineDir, {{Tr(SetupFilesFilter, lang), "*"}});
      if (chosen && !chosen->empty()) {
        engineDir = std::filesystem::path(*chosen).parent_path().string();
        setupFile = *chosen;
        FileLabel->setText(NameOnly(*chosen));
        // A file that is no setup leaves the values as they were; the user
        // edits those.
        if (!ReadSetupFile(setup, engine.SetupValid, *chosen)) {
          ui_->MessageBox(Tr(ErrorCaption, lang), NotSetupFileText(lang), MsgButtons::Ok,
                          MsgIcon::Error);
        }
      } else {
        setupFile.clear();
        for (QLabel* label : {FileLabel, DateLabel, TimeLabel}) label->clear();
      }
      break;
    }
    case SetupChoice::Cancel:
      editing = false;
      break;
  }

  if (editing) {
    SetupEditorOptions options;
    options.Language = lang;
    options.Units = {state_.Config.LengthUnit, state_.Config.PressureUnit};
    options.EngineDir = engineDir;
    options.FileName = setupFile;
    options.TransmitOffered = !state_.Config.Device.empty() ||
                              (state_.Config.ComPort >= 1 && state_.Config.ComPort <= 12);
    SetupEditorEnd end = SetupEditorEnd::Finish;
    {
      TTabbedNotebookDlg editor(setup, options, *ui_, this);
      editor.SetPrintAction([&](const EngineSetup& edited) {
        RunTextPrintout(&editor, [&](QtPrintTarget& target, const PrintoutStart& start) {
          return PrintEngineSetup(target, start, PrintUnitsOf(state_.Config), edited, setupFile);
        });
      });
      end = editor.Run();
    }
    // The edits stay in memory whichever way the editor closed.
    ApplySetupToMeasurement(setup, engine);
    sensors = {setup.KmSensor, setup.FuelAclSensor, setup.AverageCurve};
    if (end == SetupEditorEnd::Transmit) {
      const std::optional<std::string> frame = SetupFrame(setup, FrameUse::Line);
      if (frame) {
        SerialLink& link = state_.Window.Link;
        link.ComPort = state_.Config.ComPort;
        link.DeviceOverride = state_.Config.Device;
        TransmitSetup(link, *frame, lang, *ui_, this);
      } else {
        ui_->MessageBox(Tr(ErrorCaption, lang), Tr(SetupNotSentText, lang), MsgButtons::Ok,
                        MsgIcon::Error);
      }
    }
  }

  FunctionLabel->clear();
  setupFile.clear();
  for (QLabel* label : {FileLabel, DateLabel, TimeLabel}) label->clear();
  SetWorkflowEnabled(true);
}

}  // namespace zephirax
