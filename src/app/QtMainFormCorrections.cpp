#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "analysis/TdcCorrection.h"
#include "analysis/TdcSave.h"
#include "app/CorrectionTexts.h"
#include "app/LoadMessages.h"
#include "app/MainTexts.h"
#include "app/QtBackground.h"
#include "app/QtMainForm.h"
#include "app/QtPscavForm.h"
#include "app/QtTdcForm.h"
#include "app/SharedTexts.h"
#include "app/TdcHandlers.h"
#include "app/ViewDispatch.h"
#include "measurement/CorrectedFileWriter.h"
#include "measurement/PscavCorrection.h"
#include "measurement/Units.h"
#include "platform/QtLangText.h"

// The main window's correction workflows: the TDC correction mode (views 15
// and 19) and the scavenging-air pressure correction of the single view.

namespace zephirax {
namespace {

const FileFilter TdcFilter{"VOLTAN files", "*.KV;*"};

// A message with the file's name in place of %s.
std::string WithName(const LangText& text, int language, const std::string& name) {
  std::string message = Tr(text, language);
  const size_t at = message.find("%s");
  if (at != std::string::npos) message.replace(at, 2, name);
  return message;
}

// What went wrong with a corrected file, for the message box: `source` is
// the file the correction starts from, `target` the one it was to write.
std::string CorrectionFailure(const CorrectionResult& result, int language,
                              const std::string& source, const std::string& target,
                              const LangText& writeFailed) {
  switch (result.Outcome) {
    case CorrectionOutcome::ValueDoesNotFit:
      return WithName(CorrectionMisfitText, language, target);
    case CorrectionOutcome::SourceUnreadable:
      return WithName(CorrectionSourceGoneText, language, source);
    case CorrectionOutcome::NotReadBack:
      return WithName(CorrectionNotReadBackText, language, target);
    case CorrectionOutcome::WriteFailed:
    case CorrectionOutcome::Written:
      break;
  }
  return WithName(writeFailed, language, target);
}

}  // namespace

void TMainForm::ShiftButtonClick() {
  // While the mode runs the button reads "finish".
  if (InTdcView()) {
    FinishTdcMode();
    return;
  }
  FileButton->hide();
  const TdcChoice choice = TTDCForm::Ask(state_.Config.Language, this);
  if (choice == TdcChoice::Cancel) {
    FileButton->show();
    return;
  }
  EnterTdcMode(choice == TdcChoice::Automatic ? ViewTdcAuto : ViewTdcManual);
}

void TMainForm::EnterTdcMode(int tdcView) {
  EnterAnalysisWindow();
  PrepareTdcState(state_, tdcView);
  PrepareTdcButtons();
  LoadTdcFile();
}

// On top of the analysis window: no other workflow, and the shift button
// is the way out.
void TMainForm::PrepareTdcButtons() {
  AnalyseButton->setEnabled(false);
  ShiftButton->setText(Text(TdcFinishCaption, state_.Config.Language));
  ShiftButton->setEnabled(true);
  SyncButtons();
}

void TMainForm::LoadTdcFile() {
  const int lang = state_.Config.Language;
  for (;;) {
    const std::optional<std::string> chosen =
        ui_->OpenFileName(Tr(OpenMeasurementTitle, lang), openFolder_, {TdcFilter});
    if (!chosen || chosen->empty()) return;
    openFolder_ = std::filesystem::path(*chosen).parent_path().string();
    FileLabel->setText(QFileInfo(QFile::decodeName(chosen->c_str())).fileName());
    LoadResult fault;
    TdcLoad loaded = TdcLoad::Rejected;
    {
      ui_->Hourglass(true);
      loaded = ReadTdcFile(state_, *chosen, fault);
      ui_->Hourglass(false);
    }
    switch (loaded) {
      case TdcLoad::Rejected:
        // The mode stays prepared without a curve.
        ShowLoadFault(*ui_, lang, *fault.Fault, *chosen, false);
        return;
      case TdcLoad::NoCrankAngle:
        ui_->MessageBox(Tr(NotCrankAngleCaption, lang), Tr(NotCrankAngleText, lang));
        continue;
      case TdcLoad::Loaded:
        ApplyTitle();
        ShowTdcView();
        ViewPicture->setFocus();
        return;
    }
  }
}

void TMainForm::ShowTdcView() {
  const int lang = state_.Config.Language;
  RefBtn->setText(Text(TdcSaveCaption, lang));
  CursorLeftBtn->setText(Text(TdcShiftLeftCaption, lang));
  CursorRightBtn->setText(Text(TdcShiftRightCaption, lang));
  Redraw(state_.View.CurrentView);
}

void TMainForm::autoButtonClick() {
  if (!InTdcView() || !state_.View.AnalysisActive) return;
  ErrorLabel->hide();
  ui_->Hourglass(true);
  // Every step is shown; the window repaints in between but takes no input,
  // as the correction cannot be interrupted.
  AutoTdcCorrect(*state_.Files.Measurement, state_.View, state_.Drawing.DevFromTdc, [this] {
    ShowTdcView();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  ShowTdcView();
  ui_->Hourglass(false);
  ErrorLabel->setText(Text(TdcCorrectedText, state_.Config.Language));
  ErrorLabel->show();
}

void TMainForm::MoveTdcMarker(int offsetStep, int slopeStep) {
  if (state_.View.CurrentView != ViewTdcAuto) return;
  if (MoveMarker(state_.View.Tdc, offsetStep, slopeStep)) ShowTdcView();
}

void TMainForm::MarkerLeftClick() {
  MoveTdcMarker(-1, 0);
}

void TMainForm::MarkerRightClick() {
  MoveTdcMarker(+1, 0);
}

void TMainForm::RotateLeftClick() {
  MoveTdcMarker(0, -1);
}

void TMainForm::RotateRightClick() {
  MoveTdcMarker(0, +1);
}

void TMainForm::SaveTdcFile() {
  if (!state_.View.AnalysisActive || state_.Files.TdcFileName.empty()) return;
  const int lang = state_.Config.Language;
  const std::string& tdcFile = state_.Files.TdcFileName;
  // Whether additional data are to follow is settled before the dialog, so
  // that saving over them cannot change the answer.
  const std::optional<std::string> exh = ExhToFollow(tdcFile);
  const std::optional<std::string> chosen =
      ui_->SaveFileName(Tr(SaveTdcTitle, lang), openFolder_, {TdcFilter});
  if (!chosen || chosen->empty()) return;
  TdcSaveResult saved;
  {
    ui_->Hourglass(true);
    saved = zephirax::SaveTdcFile(*state_.Files.Measurement, tdcFile, *chosen, exh);
    ui_->Hourglass(false);
  }
  if (!saved.Write) {
    // The corrections stay in memory, so the user can save elsewhere.
    ui_->MessageBox(
        Tr(ErrorCaption, lang),
        CorrectionFailure(saved.Write, lang, tdcFile, saved.SavedName, TdcSaveFailedText),
        MsgButtons::Ok, MsgIcon::Error);
    return;
  }
  state_.Files.MeasFileName = saved.SavedName;
  if (saved.ExhFailed) {
    ui_->MessageBox(Tr(ErrorCaption, lang), WithName(TdcExhFailedText, lang, saved.ExhName),
                    MsgButtons::Ok, MsgIcon::Warning);
  }
}

void TMainForm::FinishTdcMode() {
  const int lang = state_.Config.Language;
  EndTdcState(state_);
  RefBtn->setText(Text(TdcEndRefCaption, lang));
  CursorLeftBtn->setText(Text(TdcEndCursorLeftCaption, lang));
  CursorRightBtn->setText(Text(TdcEndCursorRightCaption, lang));
  dpdaBtn->setText(Text(TdcEndDpDaCaption, lang));
  ShiftButton->setText(Text(ShiftCaption, lang));
  FinishAnalysisItemClick();
}

void TMainForm::pscavButtonClick() {
  if (!state_.View.AnalysisActive || state_.View.CurrentView != ViewPAlphaSingle) return;
  const int lang = state_.Config.Language;
  const int unit = state_.Config.PressureUnit;
  // The dialog speaks the desktop's number format.
  const char separator = QLocale().decimalPoint().at(0).toLatin1();
  MeasurementData& data = *state_.Files.Measurement;
  const std::optional<std::string> entered = TpscavForm::Ask(
      lang, PscavDisplayText(data.Pscav, unit, separator), PressureUnitName(unit), this);
  if (entered) {
    const std::optional<double> bar = PscavFromText(*entered, unit, separator);
    if (!bar) {
      char message[512];
      std::snprintf(message, sizeof message, NotAFloatText, entered->c_str());
      ui_->MessageBox(Tr(ErrorCaption, lang), message, MsgButtons::Ok, MsgIcon::Error);
    } else {
      // Memory and file change together: a file that cannot be written
      // leaves the measurement as it was.
      auto corrected = std::make_unique<MeasurementData>(data);
      ApplyPscavCorrection(*corrected, *bar);
      const CorrectionResult result = WritePscavCorrected(*corrected, state_.Files.MeasFileName);
      if (result) {
        data = std::move(*corrected);
      } else {
        ui_->MessageBox(Tr(ErrorCaption, lang),
                        CorrectionFailure(result, lang, state_.Files.MeasFileName,
                                          state_.Files.MeasFileName, PscavWriteFailedText),
                        MsgButtons::Ok, MsgIcon::Error);
      }
    }
  }
  // "CYL+" then "CYL-": the same cylinder, redrawn.
  CylinderPlusBtnClick();
  CylinderMinusBtnClick();
}

}  // namespace zephirax
