#include "app/QtLanguageDlg.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <vector>

#include "app/FileTypeRegistration.h"
#include "app/MainTexts.h"
#include "app/OptionsTexts.h"
#include "devicelink/Serial.h"
#include "platform/HelpTopics.h"
#include "platform/QtHelp.h"
#include "platform/QtLangText.h"
#include "platform/QtToolRunner.h"

namespace zephirax {
namespace {

QString Path(const std::string& bytes) {
  return QFile::decodeName(bytes.c_str());
}

// Checks button `id` of `group`; -1 leaves the group without a checked button.
void CheckIn(QButtonGroup* group, int id) {
  if (QAbstractButton* button = group->button(id)) {
    button->setChecked(true);
    return;
  }
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons()) button->setChecked(false);
  group->setExclusive(true);
}

// Marks the port items that are configured but not on the machine.
constexpr int AbsentRole = Qt::UserRole + 1;

}  // namespace

OptionsServices MachineOptionsServices() {
  return {MachineSerialPorts, std::make_shared<QtToolRunner>(),
          QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString()};
}

TLanguageDlg::TLanguageDlg(OptionsServices services, UserInterface& ui, QWidget* parent)
    : QDialog(parent), services_(std::move(services)), ui_(ui) {
  setObjectName("LanguageDlg");
  // A focused entry field stands out, as everywhere in the program.
  setStyleSheet(QStringLiteral("QLineEdit:focus { background-color: yellow; }"));
  BuildPages();
  auto* buttons = new QDialogButtonBox(this);
  OkButton = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
  CancelButton = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
  OkButton->setObjectName("OkButton");
  HelpButton = buttons->addButton(QString(), QDialogButtonBox::HelpRole);
  CancelButton->setObjectName("CancelButton");
  HelpButton->setObjectName("HelpButton");
  OkButton->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // In the language the dialog shows, which may be a new choice.
  connect(buttons, &QDialogButtonBox::helpRequested, this,
          [this] { ShowHelp(language_, HelpOptions, this); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Pages);
  layout->addWidget(buttons);
  // Longer captions of another language widen the dialog rather than clip.
  layout->setSizeConstraint(QLayout::SetMinimumSize);
  ApplyLanguage(English);
  ShowDpDaCaptions(0);
}

void TLanguageDlg::BuildPages() {
  Pages = new QTabWidget(this);
  Pages->setObjectName("Pages");
  // Every page's tab is in sight at once.
  Pages->tabBar()->setUsesScrollButtons(false);
  Pages->addTab(BuildLanguagePage(), QString());
  Pages->addTab(BuildUnitsPage(), QString());
  Pages->addTab(BuildScalingPage(), QString());
  Pages->addTab(BuildSensorPage(), QString());
  Pages->addTab(BuildEmailPage(), QString());
  Pages->addTab(BuildPortPage(), QString());
  Pages->addTab(BuildFileExtPage(), QString());
}

QWidget* TLanguageDlg::BuildLanguagePage() {
  auto* page = new QWidget;
  page->setObjectName("LanguagePage");
  auto* layout = new QVBoxLayout(page);
  languageGroup_ = new QButtonGroup(page);
  QRadioButton** buttons[] = {&DeutschBtn, &EnglischBtn, &FranzBtn, &EspanBtn};
  const char* names[] = {"DeutschBtn", "EnglischBtn", "FranzBtn", "EspanBtn"};
  void (TLanguageDlg::*handlers[])() = {&TLanguageDlg::DeutschBtnClick,
                                        &TLanguageDlg::EnglischBtnClick,
                                        &TLanguageDlg::FranzBtnClick, &TLanguageDlg::EspanBtnClick};
  for (int k = 0; k < 4; ++k) {
    auto* button = new QRadioButton(QString::fromUtf8(LanguageButtonCaptions[k]), page);
    button->setObjectName(names[k]);
    languageGroup_->addButton(button, k);
    layout->addWidget(button);
    connect(button, &QRadioButton::clicked, this, handlers[k]);
    *buttons[k] = button;
  }
  layout->addStretch();
  return page;
}

QWidget* TLanguageDlg::BuildUnitsPage() {
  auto* page = new QWidget;
  page->setObjectName("UnitsPage");
  auto* layout = new QGridLayout(page);
  // One group of radio buttons per quantity, the buttons ordered by code.
  const auto group = [&](QGroupBox*& box, QButtonGroup*& buttons, const char* name,
                         std::initializer_list<std::pair<QRadioButton**, const char*>> members,
                         const char* const* captions, int row, int column) {
    box = new QGroupBox(page);
    box->setObjectName(name);
    buttons = new QButtonGroup(box);
    auto* columnLayout = new QVBoxLayout(box);
    int id = 0;
    for (const auto& [button, buttonName] : members) {
      *button = new QRadioButton(QString::fromUtf8(captions[id]), box);
      (*button)->setObjectName(buttonName);
      buttons->addButton(*button, id++);
      columnLayout->addWidget(*button);
    }
    columnLayout->addStretch();
    layout->addWidget(box, row, column);
  };
  group(pressureBox_, pressureGroup_, "PressureGroup",
        {{&barButton, "barButton"},
         {&MPaButton, "MPaButton"},
         {&psiButton, "psiButton"},
         {&kgButton, "kgButton"}},
        PressureButtonCaptions.data(), 0, 0);
  group(powerBox_, powerGroup_, "PowerGroup", {{&kWButton, "kWButton"}, {&hpButton, "hpButton"}},
        PowerButtonCaptions.data(), 0, 1);
  group(tempBox_, tempGroup_, "TempGroup",
        {{&degCButton, "degCButton"}, {&degFButton, "degFButton"}}, TempButtonCaptions.data(), 1,
        0);
  group(lengthBox_, lengthGroup_, "LengthGroup",
        {{&mmButton, "mmButton"}, {&inchButton, "inchButton"}}, LengthButtonCaptions.data(), 1, 1);
  // The pressure unit kg/cm2 is shown, but no display knows it.
  kgButton->setEnabled(false);
  connect(barButton, &QRadioButton::clicked, this, &TLanguageDlg::barButtonClick);
  connect(psiButton, &QRadioButton::clicked, this, &TLanguageDlg::psiButtonClick);
  return page;
}

QWidget* TLanguageDlg::BuildScalingPage() {
  auto* page = new QWidget;
  page->setObjectName("ScalingPage");
  auto* layout = new QHBoxLayout(page);
  const auto group = [&](QGroupBox*& box, QButtonGroup*& buttons, const char* name,
                         std::array<QRadioButton*, 3>& members, const char* memberName) {
    box = new QGroupBox(page);
    box->setObjectName(name);
    buttons = new QButtonGroup(box);
    auto* column = new QVBoxLayout(box);
    for (int k = 0; k < 3; ++k) {
      members[k] = new QRadioButton(box);
      members[k]->setObjectName(QString::fromLatin1(memberName) + QString::number(k));
      buttons->addButton(members[k], k);
      column->addWidget(members[k]);
    }
    column->addStretch();
    layout->addWidget(box);
  };
  group(dpDaBox_, dpDaGroup_, "DpDaGroup", DpDaButtons, "DpDaButton");
  group(aclBox_, aclGroup_, "AclGroup", AclButtons, "AclButton");
  for (int k = 0; k < 3; ++k) AclButtons[k]->setText(QString::fromLatin1(AclScaleTexts[k]));
  return page;
}

QWidget* TLanguageDlg::BuildSensorPage() {
  auto* page = new QWidget;
  page->setObjectName("SensorPage");
  auto* layout = new QVBoxLayout(page);
  sensorBox_ = new QGroupBox(page);
  sensorBox_->setObjectName("SensorGroup");
  sensorGroup_ = new QButtonGroup(sensorBox_);
  auto* column = new QVBoxLayout(sensorBox_);
  for (int k = 0; k < 3; ++k) {
    SensorButtons[k] = new QRadioButton(sensorBox_);
    SensorButtons[k]->setObjectName(QStringLiteral("SensorButton%1").arg(k));
    sensorGroup_->addButton(SensorButtons[k], k);
    column->addWidget(SensorButtons[k]);
  }
  layout->addWidget(sensorBox_);
  layout->addStretch();
  return page;
}

QWidget* TLanguageDlg::BuildEmailPage() {
  auto* page = new QWidget;
  page->setObjectName("EmailPage");
  auto* layout = new QFormLayout(page);
  const auto field = [&](QLineEdit*& edit, const char* name, const char* caption) {
    edit = new QLineEdit(page);
    edit->setObjectName(name);
    edit->setMinimumWidth(260);
    layout->addRow(QString::fromUtf8(caption), edit);
  };
  field(DestinationEdit, "DestinationEdit", DestinationCaption);
  field(SenderAddressEdit, "SenderAddressEdit", SenderAddressCaption);
  field(UserAccountEdit, "UserAccountEdit", UserAccountCaption);
  return page;
}

QWidget* TLanguageDlg::BuildPortPage() {
  auto* page = new QWidget;
  page->setObjectName("PortPage");
  auto* layout = new QVBoxLayout(page);
  portListLabel_ = new QLabel(page);
  PortList = new QTreeWidget(page);
  PortList->setObjectName("PortList");
  PortList->setColumnCount(2);
  PortList->setRootIsDecorated(false);
  PortList->setAllColumnsShowFocus(true);
  PortList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  portListLabel_->setBuddy(PortList);
  devicePathLabel_ = new QLabel(page);
  DevicePathEdit = new QLineEdit(page);
  DevicePathEdit->setObjectName("DevicePathEdit");
  devicePathLabel_->setBuddy(DevicePathEdit);
  RefreshPortsButton = new QPushButton(page);
  RefreshPortsButton->setObjectName("RefreshPortsButton");
  RefreshPortsButton->setAutoDefault(false);
  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(devicePathLabel_);
  pathRow->addWidget(DevicePathEdit, 1);
  pathRow->addWidget(RefreshPortsButton);
  layout->addWidget(portListLabel_);
  layout->addWidget(PortList, 1);
  layout->addLayout(pathRow);

  // Choosing a port fills in its path; typing a path chooses its port when
  // it is listed.
  // Only a selection counts: the list's taking the focus makes its first
  // port current, which is no choice of the user's.
  connect(PortList, &QTreeWidget::itemSelectionChanged, this, [this] {
    const QList<QTreeWidgetItem*> selected = PortList->selectedItems();
    if (!selected.isEmpty()) DevicePathEdit->setText(selected.front()->text(0));
  });
  connect(DevicePathEdit, &QLineEdit::textEdited, this, &TLanguageDlg::SelectPort);
  connect(RefreshPortsButton, &QPushButton::clicked, this, &TLanguageDlg::RefreshPortsButtonClick);
  return page;
}

QWidget* TLanguageDlg::BuildFileExtPage() {
  auto* page = new QWidget;
  page->setObjectName("FileExtPage");
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(new QLabel(QString::fromUtf8(AutostartCaption), page));
  layout->addWidget(new QLabel(QString::fromUtf8(ExtensionsCaption), page));
  InstallButton = new QPushButton(QString::fromUtf8(InstallCaption), page);
  InstallButton->setObjectName("InstallButton");
  InstallButton->setAutoDefault(false);
  connect(InstallButton, &QPushButton::clicked, this, &TLanguageDlg::InstallButtonClick);
  layout->addWidget(InstallButton, 0, Qt::AlignLeft);
  layout->addStretch();
  return page;
}

void TLanguageDlg::SetChoice(const OptionsChoice& choice, const std::string& comPortDevice) {
  CheckIn(languageGroup_, choice.Language);
  ApplyLanguage(choice.Language >= 0 ? choice.Language : English);
  CheckIn(pressureGroup_, choice.PressureUnit);
  CheckIn(powerGroup_, choice.PowerUnit);
  CheckIn(tempGroup_, choice.TempUnit);
  CheckIn(lengthGroup_, choice.LengthUnit);
  ShowDpDaCaptions(choice.PressureUnit);
  CheckIn(dpDaGroup_, choice.DpDaScale);
  CheckIn(aclGroup_, choice.AclScale);
  CheckIn(sensorGroup_, choice.SensorType);
  DestinationEdit->setText(QString::fromStdString(choice.EmailDestination));
  SenderAddressEdit->setText(QString::fromStdString(choice.EmailSenderAddress));
  UserAccountEdit->setText(QString::fromStdString(choice.EmailSenderName));
  storedDevice_ = choice.Device;
  DevicePathEdit->setText(Path(choice.Device));
  // Without a path of its own the COM port number chooses the device.
  DevicePathEdit->setPlaceholderText(Path(comPortDevice));
  ShowPorts();
}

OptionsChoice TLanguageDlg::Choice() const {
  OptionsChoice choice;
  choice.Language = languageGroup_->checkedId();
  choice.PressureUnit = pressureGroup_->checkedId();
  choice.PowerUnit = powerGroup_->checkedId();
  choice.TempUnit = tempGroup_->checkedId();
  choice.LengthUnit = lengthGroup_->checkedId();
  choice.DpDaScale = dpDaGroup_->checkedId();
  choice.AclScale = aclGroup_->checkedId();
  choice.SensorType = sensorGroup_->checkedId();
  choice.EmailDestination = DestinationEdit->text().toStdString();
  choice.EmailSenderAddress = SenderAddressEdit->text().toStdString();
  choice.EmailSenderName = UserAccountEdit->text().toStdString();
  choice.Device = QFile::encodeName(DevicePathEdit->text()).toStdString();
  return choice;
}

void TLanguageDlg::DeutschBtnClick() {
  ApplyLanguage(German);
}

void TLanguageDlg::EnglischBtnClick() {
  ApplyLanguage(English);
}

void TLanguageDlg::FranzBtnClick() {
  ApplyLanguage(French);
}

void TLanguageDlg::EspanBtnClick() {
  ApplyLanguage(Spanish);
}

void TLanguageDlg::barButtonClick() {
  ShowDpDaCaptions(0);
}

void TLanguageDlg::psiButtonClick() {
  ShowDpDaCaptions(2);
}

void TLanguageDlg::ApplyLanguage(int language) {
  language_ = language;
  setWindowTitle(Text(SetupHint, language));
  const LangText* pageCaptions[] = {
      nullptr,           &UnitsPageCaption, &ScalingPageCaption, &SensorPageCaption,
      &EmailPageCaption, &PortPageCaption,  &FileExtPageCaption};
  Pages->setTabText(0, QString::fromUtf8(LanguagePageCaption));
  for (int k = 1; k < Pages->count(); ++k) Pages->setTabText(k, Text(*pageCaptions[k], language));
  pressureBox_->setTitle(Text(PressureGroupCaption, language));
  powerBox_->setTitle(Text(PowerGroupCaption, language));
  tempBox_->setTitle(Text(TempGroupCaption, language));
  lengthBox_->setTitle(Text(LengthGroupCaption, language));
  sensorBox_->setTitle(Text(SensorGroupCaption, language));
  for (int k = 0; k < 3; ++k) SensorButtons[k]->setText(Text(SensorButtonCaptions[k], language));
  // Spanish keeps the scale groups' captions as they are.
  if (language != Spanish) {
    dpDaBox_->setTitle(Text(DpDaGroupCaption, language));
    aclBox_->setTitle(Text(AclGroupCaption, language));
  }
  portListLabel_->setText(Text(PortListCaption, language));
  PortList->setHeaderLabels(
      {Text(PortColumnCaption, language), Text(DescriptionColumnCaption, language)});
  devicePathLabel_->setText(Text(DevicePathCaption, language));
  RefreshPortsButton->setText(Text(RefreshPortsCaption, language));
  for (int k = 0; k < PortList->topLevelItemCount(); ++k) {
    QTreeWidgetItem* item = PortList->topLevelItem(k);
    if (item->data(0, AbsentRole).toBool()) item->setText(1, Text(PortAbsentText, language));
  }
  OkButton->setText(Text(OkCaption, language));
  CancelButton->setText(Text(CancelCaption, language));
  HelpButton->setText(Text(HelpButtonCaption, language));
}

void TLanguageDlg::ShowDpDaCaptions(int pressureUnit) {
  const std::array<const char*, 3> captions = DpDaCaptions(pressureUnit);
  for (int k = 0; k < 3; ++k) DpDaButtons[k]->setText(QString::fromUtf8(captions[k]));
}

void TLanguageDlg::ShowPorts() {
  const std::vector<SerialPortInfo> listed =
      services_.ListPorts ? services_.ListPorts() : std::vector<SerialPortInfo>{};
  const QSignalBlocker quiet(PortList);
  PortList->clear();
  for (const PortChoice& port : PortChoices(listed, storedDevice_)) {
    auto* item = new QTreeWidgetItem(PortList);
    item->setText(0, Path(port.Path));
    item->setText(1, port.Present ? QString::fromStdString(port.Description)
                                  : Text(PortAbsentText, language_));
    item->setData(0, AbsentRole, !port.Present);
    if (!port.Present) {
      for (int column = 0; column < 2; ++column) {
        item->setForeground(column, palette().brush(QPalette::Disabled, QPalette::Text));
      }
    }
  }
  const QString entered = DevicePathEdit->text();
  SelectPort(entered.isEmpty() ? DevicePathEdit->placeholderText() : entered);
}

void TLanguageDlg::SelectPort(const QString& path) {
  const QSignalBlocker quiet(PortList);
  PortList->setCurrentItem(nullptr);
  PortList->clearSelection();
  for (int k = 0; k < PortList->topLevelItemCount(); ++k) {
    QTreeWidgetItem* item = PortList->topLevelItem(k);
    if (item->text(0) == path) {
      PortList->setCurrentItem(item);
      PortList->scrollToItem(item);
      return;
    }
  }
}

void TLanguageDlg::RefreshPortsButtonClick() {
  ShowPorts();
}

void TLanguageDlg::InstallButtonClick() {
  if (services_.Tools == nullptr) return;
  // The desktop's tools may take a moment; the messages follow once they are done.
  std::vector<std::string> registered;
  ui_.Hourglass(true);
  const std::optional<RegistrationFault> fault =
      RegisterFileTypes(UserRegistrationTarget(services_.ProgramPath), *services_.Tools,
                        [&registered](const RegistrationEvent& event) {
                          if (event.What == RegistrationEvent::Kind::Registered)
                            registered.push_back(event.Subject);
                        });
  ui_.Hourglass(false);
  for (const std::string& extension : registered) {
    ui_.MessageBox(Tr(SetupHint, language_), RegisteredMessage(extension, language_));
  }
  if (fault) {
    ui_.MessageBox(Tr(ErrorCaption, language_), RegistrationFaultMessage(*fault, language_),
                   MsgButtons::Ok, MsgIcon::Error);
  }
}

void ShowOptions(Settings& settings, UserInterface& ui, QWidget* parent,
                 const OptionsServices& services) {
  TLanguageDlg dialog(services, ui, parent);
  const bool comPortSet = settings.ComPort >= 1 && settings.ComPort <= 12;
  dialog.SetChoice(ChoiceFromSettings(settings),
                   comPortSet ? PortDevicePath(settings.ComPort - 1, "") : std::string());
  dialog.exec();
  // OK and Cancel alike: the choices made in the dialog count.
  TakeSettings(settings, dialog.Choice());
}

}  // namespace zephirax
