#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <string>

#include "app/OptionsChoice.h"
#include "devicelink/QtSerialPorts.h"
#include "platform/Settings.h"
#include "platform/ToolRunner.h"
#include "platform/UserInterface.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidget;

namespace zephirax {

// What the options dialog uses of the machine; tests hand in their own.
struct OptionsServices {
  PortLister ListPorts;               // the serial ports offered
  std::shared_ptr<ToolRunner> Tools;  // the desktop's tools, for the registration
  std::string ProgramPath;            // the program a measurement file is to open in
};

// This machine's ports and tools, and the running program.
OptionsServices MachineOptionsServices();

// The options: language, display units, dp/da and ACL scales, the additional
// sensor, the e-mail addresses, the device's serial port, and the
// registration of the measurement files with the desktop.
class TLanguageDlg : public QDialog {
  Q_OBJECT

 public:
  TLanguageDlg(OptionsServices services, UserInterface& ui, QWidget* parent = nullptr);

  // Shows `choice` in the controls, in the language it names. `comPortDevice`
  // is the device the configured COM port number stands for, used while no
  // device path is set.
  void SetChoice(const OptionsChoice& choice, const std::string& comPortDevice);
  // What the controls hold now.
  OptionsChoice Choice() const;

  // Caption the dialog in a language.
  void DeutschBtnClick();
  void EnglischBtnClick();
  void FranzBtnClick();
  void EspanBtnClick();
  // Re-caption the dp/da buttons for the unit.
  void barButtonClick();
  void psiButtonClick();
  // Registers the measurement files with the desktop.
  void InstallButtonClick();
  // Lists the machine's ports anew (an adapter plugged in meanwhile).
  void RefreshPortsButtonClick();

  QTabWidget* Pages = nullptr;
  QRadioButton* DeutschBtn = nullptr;
  QRadioButton* EnglischBtn = nullptr;
  QRadioButton* FranzBtn = nullptr;
  QRadioButton* EspanBtn = nullptr;
  QRadioButton* barButton = nullptr;
  QRadioButton* MPaButton = nullptr;
  QRadioButton* psiButton = nullptr;
  QRadioButton* kgButton = nullptr;
  QRadioButton* kWButton = nullptr;
  QRadioButton* hpButton = nullptr;
  QRadioButton* degCButton = nullptr;
  QRadioButton* degFButton = nullptr;
  QRadioButton* mmButton = nullptr;
  QRadioButton* inchButton = nullptr;
  std::array<QRadioButton*, 3> DpDaButtons{};
  std::array<QRadioButton*, 3> AclButtons{};
  std::array<QRadioButton*, 3> SensorButtons{};
  QLineEdit* DestinationEdit = nullptr;
  QLineEdit* SenderAddressEdit = nullptr;
  QLineEdit* UserAccountEdit = nullptr;
  QTreeWidget* PortList = nullptr;
  QLineEdit* DevicePathEdit = nullptr;
  QPushButton* RefreshPortsButton = nullptr;
  QPushButton* InstallButton = nullptr;
  QPushButton* OkButton = nullptr;
  QPushButton* CancelButton = nullptr;
  QPushButton* HelpButton = nullptr;

 private:
  void BuildPages();
  QWidget* BuildLanguagePage();
  QWidget* BuildUnitsPage();
  QWidget* BuildScalingPage();
  QWidget* BuildSensorPage();
  QWidget* BuildEmailPage();
  QWidget* BuildPortPage();
  QWidget* BuildFileExtPage();
  void ApplyLanguage(int language);
  void ShowDpDaCaptions(int pressureUnit);
  void ShowPorts();
  void SelectPort(const QString& path);

  OptionsServices services_;
  UserInterface& ui_;
  int language_ = 1;
  std::string storedDevice_;

  QButtonGroup* languageGroup_ = nullptr;
  QButtonGroup* pressureGroup_ = nullptr;
  QButtonGroup* powerGroup_ = nullptr;
  QButtonGroup* tempGroup_ = nullptr;
  QButtonGroup* lengthGroup_ = nullptr;
  QButtonGroup* dpDaGroup_ = nullptr;
  QButtonGroup* aclGroup_ = nullptr;
  QButtonGroup* sensorGroup_ = nullptr;
  QGroupBox* pressureBox_ = nullptr;
  QGroupBox* powerBox_ = nullptr;
  QGroupBox* tempBox_ = nullptr;
  QGroupBox* lengthBox_ = nullptr;
  QGroupBox* dpDaBox_ = nullptr;
  QGroupBox* aclBox_ = nullptr;
  QGroupBox* sensorBox_ = nullptr;
  QLabel* portListLabel_ = nullptr;
  QLabel* devicePathLabel_ = nullptr;
};

// Shows the options dialog modally, preset from `settings`, and however it
// is closed takes every setting back from it. The caller writes the
// configuration and re-captions its own window.
void ShowOptions(Settings& settings, UserInterface& ui, QWidget* parent,
                 const OptionsServices& services);

}  // namespace zephirax
