#include "app/QtLanguageDlg.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "app/QtMainForm.h"
#include "platform/LangText.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

using test::ReadBytes;

// Works the next options dialog once it is up, then closes it with `close`.
void AnswerOptions(std::function<void(TLanguageDlg&)> work,
                   std::function<void(TLanguageDlg&)> close) {
  QTimer::singleShot(0, [work, close] {
    auto* dialog = qobject_cast<TLanguageDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    work(*dialog);
    close(*dialog);
  });
}

const auto PressCancel = [](TLanguageDlg& d) { d.CancelButton->click(); };
const auto PressOk = [](TLanguageDlg& d) { d.OkButton->click(); };

QString GroupTitle(const TLanguageDlg& dialog, const char* name) {
  return dialog.findChild<QGroupBox*>(name)->title();
}

// Registration without the desktop's tools, into the test's own folders.
class NoTools : public ToolRunner {
 public:
  std::optional<ToolOutcome> Run(const std::string&, const std::vector<std::string>&) override {
    return std::nullopt;
  }
};

class OptionsTest : public ::testing::Test {
 protected:
  test::TempDir home_;
  test::ScriptedUserInterface ui_;
  OptionsServices services_{
      [] {
        return std::vector<SerialPortInfo>{{"/dev/ttyUSB0", "FT232R USB UART"}, {"/dev/ttyS0", ""}};
      },
      std::make_shared<NoTools>(), "/opt/zephirax/zephirax"};
  Settings settings_;

  void SetUp() override {
    qputenv("XDG_CONFIG_HOME", home_.File("config").c_str());
    qputenv("XDG_DATA_HOME", home_.File("data").c_str());
    settings_.ComPort = 1;
  }
  void TearDown() override {
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
  }
  void Show(std::function<void(TLanguageDlg&)> work,
            std::function<void(TLanguageDlg&)> close = PressOk) {
    AnswerOptions(std::move(work), std::move(close));
    ShowOptions(settings_, ui_, nullptr, services_);
  }
};

// However the dialog is closed (OK, Cancel, Esc, Enter), what was chosen in
// it counts.
TEST_F(OptionsTest, EveryWayOfClosingTakesTheChoices) {
  const auto change = [](TLanguageDlg& d) {
    d.DeutschBtn->click();
    d.psiButton->click();
    d.hpButton->click();
    d.degFButton->click();
    d.inchButton->click();
    d.DpDaButtons[2]->click();
    d.AclButtons[1]->click();
    d.SensorButtons[1]->click();
    d.DestinationEdit->setText("service@voltan.example");
    d.UserAccountEdit->setText("Jürgen");
  };
  const std::function<void(TLanguageDlg&)> closes[] = {
      PressOk, PressCancel, [](TLanguageDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); },
      [](TLanguageDlg& d) { QTest::keyClick(d.UserAccountEdit, Qt::Key_Return); }};
  for (const auto& close : closes) {
    settings_ = Settings();
    Show(change, close);
    EXPECT_EQ(settings_.Language, German);
    EXPECT_EQ(settings_.PressureUnit, 2);
    EXPECT_EQ(settings_.PowerUnit + settings_.TempUnit + settings_.LengthUnit, 3);
    EXPECT_EQ(settings_.DpDaMax, 10.0f);
    EXPECT_EQ(settings_.AclScale, "normal");
    EXPECT_EQ(settings_.SensorType, 1);
    EXPECT_EQ(settings_.EmailDestination, "service@voltan.example");
    EXPECT_EQ(settings_.EmailSenderName, "Jürgen");
  }
}

// The dialog opens on the settings, in their language; a dp/da scale no
// button stands for is kept unless a button is chosen.
TEST_F(OptionsTest, OpensOnTheSettings) {
  settings_.Language = French;
  settings_.PressureUnit = 1;
  settings_.DpDaMax = 7.5f;
  settings_.AclScale = "max";
  settings_.SensorType = 2;
  settings_.EmailSenderAddress = "chief@ship.example";
  Show([](TLanguageDlg& d) {
    EXPECT_TRUE(d.FranzBtn->isChecked());
    EXPECT_TRUE(d.MPaButton->isChecked());
    EXPECT_FALSE(d.kgButton->isEnabled());
    for (QRadioButton* button : d.DpDaButtons) EXPECT_FALSE(button->isChecked());
    EXPECT_TRUE(d.AclButtons[2]->isChecked());
    EXPECT_TRUE(d.SensorButtons[2]->isChecked());
    EXPECT_EQ(d.SenderAddressEdit->text(), "chief@ship.example");
    EXPECT_EQ(d.windowTitle(), "Options du programme");
    EXPECT_EQ(GroupTitle(d, "PressureGroup"), "pression");
    EXPECT_EQ(GroupTitle(d, "LengthGroup"), "length");
  });
  EXPECT_EQ(settings_.DpDaMax, 7.5f);
  EXPECT_EQ(settings_.Language, French);
}

// The dp/da buttons show the scales in the pressure unit: at opening for
// each unit, and at once when bar or psi is chosen in the dialog.
TEST_F(OptionsTest, DpDaCaptionsFollowThePressureUnit) {
  const auto captions = [](const TLanguageDlg& d) {
    return d.DpDaButtons[0]->text() + "|" + d.DpDaButtons[1]->text() + "|" +
           d.DpDaButtons[2]->text();
  };
  const QString bar = "2.5 bar/°CA|5 bar/°CA|10 bar/°CA";
  const QString mpa = "0.25 MPa/°CA|0.5 MPa/°CA|1.0 MPa/°CA";
  const QString psi = "50 psi/°CA|100 psi/°CA|150 psi/°CA";
  const QString opened[] = {bar, mpa, psi};
  for (int unit = 0; unit < 3; ++unit) {
    settings_.PressureUnit = unit;
    Show([&](TLanguageDlg& d) { EXPECT_EQ(captions(d), opened[unit]); });
  }
  settings_.PressureUnit = 0;
  settings_.DpDaMax = 5.0f;
  Show([&](TLanguageDlg& d) {
    d.psiButton->click();
    EXPECT_EQ(captions(d), psi);
    d.MPaButton->click();  // MPa captions come with the opening only
    EXPECT_EQ(captions(d), psi);
    d.barButton->click();
    EXPECT_EQ(captions(d), bar);
    // Chosen with the arrow keys, as a keyboard user does.
    d.Pages->setCurrentIndex(1);
    QApplication::setActiveWindow(&d);
    d.barButton->setFocus();
    QTest::keyClick(d.barButton, Qt::Key_Down);
    QTest::keyClick(d.MPaButton, Qt::Key_Down);
    EXPECT_TRUE(d.psiButton->isChecked());
    EXPECT_EQ(captions(d), psi);
  });
  EXPECT_EQ(settings_.PressureUnit, 2);
  EXPECT_EQ(settings_.DpDaMax, 5.0f);
}

// The language buttons caption the dialog at once; Spanish leaves the scale
// groups as they were.
TEST_F(OptionsTest, LanguageButtonsCaptionTheDialog) {
  Show([](TLanguageDlg& d) {
    d.DeutschBtn->click();
    EXPECT_EQ(d.Pages->tabText(1) + "|" + d.Pages->tabText(2) + "|" + d.Pages->tabText(5),
              "Maßeinheiten|Skalierung|Schnittstelle");
    EXPECT_EQ(d.SensorButtons[0]->text(), "kein Zusatzsensor");
    EXPECT_EQ(d.CancelButton->text(), "Abbrechen");
    d.EspanBtn->click();
    EXPECT_EQ(GroupTitle(d, "PressureGroup"), "presión");
    EXPECT_EQ(GroupTitle(d, "DpDaGroup"), "dp/da Skalierung");
    EXPECT_EQ(GroupTitle(d, "AclGroup"), "ACL-Sensor-Skalierung");
    EXPECT_EQ(d.Pages->tabText(1), "Units");
    EXPECT_EQ(d.SensorButtons[2]->text(), "Acceleration sensor (ACL)");
    d.EnglischBtn->click();
    EXPECT_EQ(GroupTitle(d, "DpDaGroup"), "dp/da scale");
    EXPECT_EQ(d.Pages->tabText(0), "Sprache/Language/Langue/Idioma");
  });
  EXPECT_EQ(settings_.Language, English);
}

// The machine's ports and a configured one that has gone; choosing a port
// fills in its path, a typed path chooses its port, and the path is kept.
TEST_F(OptionsTest, SerialPortPage) {
  settings_.Device = "/dev/ttyUSB3";
  Show([](TLanguageDlg& d) {
    QTreeWidget* list = d.PortList;
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "/dev/ttyS0");
    EXPECT_EQ(list->topLevelItem(1)->text(1), "FT232R USB UART");
    EXPECT_EQ(list->topLevelItem(2)->text(0) + " " + list->topLevelItem(2)->text(1),
              "/dev/ttyUSB3 (not present)");
    EXPECT_EQ(list->currentItem(), list->topLevelItem(2));
    d.DeutschBtn->click();
    EXPECT_EQ(list->topLevelItem(2)->text(1), "(nicht vorhanden)");

    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(d.DevicePathEdit->text(), "/dev/ttyUSB0");
    d.DevicePathEdit->clear();
    QTest::keyClicks(d.DevicePathEdit, "/dev/ttyS0");
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
    QTest::keyClicks(d.DevicePathEdit, "1");
    EXPECT_EQ(list->currentItem(), nullptr);
  });
  EXPECT_EQ(settings_.Device, "/dev/ttyS01");

  // Without a path of its own the COM port's device is shown; tabbing
  // through the list chooses no port.
  settings_.Device.clear();
  settings_.ComPort = 3;
  Show([](TLanguageDlg& d) {
    EXPECT_EQ(d.DevicePathEdit->placeholderText(), "/dev/ttyS2");
    EXPECT_EQ(d.PortList->currentItem(), nullptr);
    QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(d.PortList, &tabbedIn);
    EXPECT_EQ(d.DevicePathEdit->text(), "");
  });
  EXPECT_EQ(settings_.Device, "");
}

// The registration button writes the desktop's files and announces each
// extension; a failure names its step.
TEST_F(OptionsTest, InstallButtonRegistersTheFileTypes) {
  Show([](TLanguageDlg& d) { d.InstallButton->click(); });
  ASSERT_EQ(ui_.Messages.size(), 2u);
  EXPECT_EQ(ui_.Messages[0].Text, "Files with ext .KV registered");
  EXPECT_EQ(ui_.Messages[1].Text, "Files with ext .KS registered");
  EXPECT_EQ(ui_.HourglassOn, 0);
  EXPECT_NE(ReadBytes(home_.File("data/applications/zephirax.desktop"))
                .find("Exec=/opt/zephirax/zephirax %f"),
            std::string::npos);
  EXPECT_NE(ReadBytes(home_.File("config/mimeapps.list")).find("application/x-voltan-ks="),
            std::string::npos);

  ui_.Messages.clear();
  test::WriteBytes(home_.File("blocked"), "");
  qputenv("XDG_DATA_HOME", home_.File("blocked").c_str());
  settings_.Language = German;
  Show([](TLanguageDlg& d) { d.InstallButton->click(); });
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(ui_.Messages[0].Caption, "Fehler :");
  EXPECT_NE(ui_.Messages[0].Text.find("Die Dateityp-Beschreibung " + home_.File("blocked") +
                                      "/mime/packages/voltan-zephirax.xml konnte nicht"),
            std::string::npos)
      << ui_.Messages[0].Text;
}

// The main window's Setup button: the window speaks the new language at
// once and ZEPHIRAX.INI holds the choices.
TEST_F(OptionsTest, SetupButtonAppliesAndWritesTheChoices) {
  TMainForm form(home_.File("program"), &ui_);
  auto* setup = form.findChild<QPushButton*>("SetupButton");
  auto* fileButton = form.findChild<QPushButton*>("FileButton");
  ASSERT_TRUE(setup->isEnabled());
  AnswerOptions(
      [fileButton](TLanguageDlg& d) {
        EXPECT_TRUE(fileButton->isHidden());
        d.FranzBtn->click();
        d.psiButton->click();
        d.DpDaButtons[0]->click();
        d.DevicePathEdit->setText("/dev/serial/by-id/usb-FTDI-if00");
      },
      PressCancel);
  setup->click();
  EXPECT_EQ(setup->text(), "&Options");
  EXPECT_EQ(form.findChild<QPushButton*>("AnalyseButton")->text(), "&Analyser");
  EXPECT_EQ(form.findChild<QPushButton*>("ExitButton")->toolTip(), "Quitter le programme");
  EXPECT_FALSE(fileButton->isHidden());
  const std::string ini = ReadBytes(home_.File("config/VOLTAN/ZEPHIRAX.INI"));
  for (const char* line : {"Language=francais\r\n", "Pressure=psi\r\n", "dpdamax=2.5\r\n",
                           "Device=/dev/serial/by-id/usb-FTDI-if00\r\n"}) {
    EXPECT_NE(ini.find(line), std::string::npos) << line << ini;
  }
  EXPECT_EQ(form.State().Config.Device, "/dev/serial/by-id/usb-FTDI-if00");
}

}  // namespace
}  // namespace zephirax
