#include "app/QtMainForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <optional>
#include <tuple>

#include <gtest/gtest.h>

#include "adddata/AdditionalDataFile.h"
#include "measurement/ReferenceReader.h"
#include "platform/LangText.h"
#include "support/FakeSerialDevice.h"
#include "support/MeasurementFileBuilder.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

using test::WriteBytes;

class MainFormTest : public ::testing::Test {
 protected:
  test::TempDir home_;
  test::ScriptedUserInterface ui_;
  std::unique_ptr<TMainForm> form_;

  // The settings live in the test's own folder.
  void SetUp() override { qputenv("XDG_CONFIG_HOME", home_.File("config").c_str()); }
  void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }
  void NewForm() { form_ = std::make_unique<TMainForm>(home_.File("program"), &ui_); }
  void WriteLanguage(const char* language) {
    std::filesystem::create_directories(home_.File("config/VOLTAN"));
    WriteBytes(home_.File("config/VOLTAN/ZEPHIRAX.INI"),
               std::string("[Language]\r\nLanguage=") + language + "\r\n");
  }
  // A measurement of `cylinders` in the test's home; its full name.
  std::string File(const std::string& name, int cylinders, bool mip = true) const {
    test::MeasurementFileBuilder file;
    std::tie(file.Cylinders, file.Mip) = std::tuple(cylinders, mip);
    std::filesystem::create_directories(std::filesystem::path(home_.File(name)).parent_path());
    WriteBytes(home_.File(name), file.Build());
    return home_.File(name);
  }
  // Analyses `fileName` as if chosen in the open dialog.
  void Analyse(const std::string& fileName) {
    ui_.FileAnswers.push_back(fileName);
    form_->AnalyseButtonClick();
  }
  ViewState& View() { return form_->State().View; }
  QPushButton* Button(const char* name) const { return form_->findChild<QPushButton*>(name); }
  QAction* Item(const char* name) const { return form_->findChild<QAction*>(name); }
  QString Label(const char* name) const { return form_->findChild<QLabel*>(name)->text(); }
  QString StatusLine() const {
    return Label("FileLabel") + "|" + Label("DateLabel") + "|" + Label("TimeLabel") + "|" +
           Label("FunctionLabel");
  }
  QWidget* Picture() const { return form_->findChild<QWidget*>("ViewPicture"); }
  QSize PictureSize() const {
    const DrawingState& d = form_->State().Drawing;
    return {d.ControlWidth, d.ControlHeight};
  }
  void Click(const char* name, int times = 1) {
    for (int i = 0; i < times; ++i) Button(name)->click();
  }
};

TEST_F(MainFormTest, FileFromTheCommandLineIsAnalysedAtTheFirstActivationOnly) {
  NewForm();
  View().PendingFileName = File("program/DATA/MY ENGINE 4.KV", 4);
  form_->show();  // the first activation follows
  QApplication::processEvents();
  EXPECT_TRUE(View().AnalysisActive);
  EXPECT_EQ(View().CurrentView, ViewPAlphaAll);
  EXPECT_TRUE(Item("PAlphaAllItem")->isChecked());
  EXPECT_TRUE(View().PendingFileName.empty());
  EXPECT_EQ(Label("FileLabel") + " " + Label("DateLabel") + " " + Label("TimeLabel"),
            "MY ENGINE 4.KV 06.12.2026 14:32");
  // The view's buttons follow the view; the idle screen's parts are gone.
  EXPECT_FALSE(Button("FinishButton")->isHidden());
  EXPECT_TRUE(Button("CylinderPlusBtn")->isHidden());
  EXPECT_TRUE(Button("FileButton")->isHidden());
  EXPECT_TRUE(form_->findChild<QLabel*>("AddressBlock")->isHidden());
  EXPECT_EQ(form_->Picture().size(),
            QSize(form_->State().Drawing.ControlWidth, form_->State().Drawing.ControlHeight));
  EXPECT_TRUE(ui_.Messages.empty());

  // Copy hands the picture to the clipboard.
  Click("CopyBtn");
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), form_->Picture().size());

  // Functions pops up the view menu; its last item ends the analysis.
  auto* menu = form_->findChild<QMenu*>("ViewMenu");
  Click("FinishButton");
  EXPECT_TRUE(menu->isVisible());
  menu->hide();
  form_->findChild<QAction*>("FinishAnalysisItem")->trigger();
  EXPECT_FALSE(View().AnalysisActive);
  EXPECT_EQ(Label("FileLabel"), "");
  EXPECT_FALSE(Button("FileButton")->isHidden());
  EXPECT_TRUE(Button("FinishButton")->isHidden());
  EXPECT_FALSE(form_->findChild<QLabel*>("AddressBlock")->isHidden());

  View().PendingFileName = home_.File("program/DATA/MY ENGINE 4.KV");
  form_->FormActivate();  // a second activation
  EXPECT_FALSE(View().AnalysisActive);
}

TEST_F(MainFormTest, ButtonsStepWrapAndClampThroughTheViews) {
  NewForm();
  Analyse(File("THREE.KV", 3));
  form_->PAlphaSingleItemClick();
  ASSERT_EQ(View().CurrentView, ViewPAlphaSingle);
  ASSERT_FALSE(Button("CylinderPlusBtn")->isHidden());

  Click("CylinderPlusBtn", 3);
  EXPECT_EQ(View().CurrentCylinder, 1);  // 2, 3, then round to 1
  Click("CylinderMinusBtn");
  EXPECT_EQ(View().CurrentCylinder, 3);

  View().CursorPos = 1438;
  Click("CursorRightBtn", 2);
  EXPECT_EQ(View().CursorPos, 1439);
  Click("ZoomButton");
  EXPECT_TRUE(View().ZoomOn);
  EXPECT_EQ(View().CursorPos, 920);  // the zoomed view pulls the cursor in
  Click("CursorRightBtn");
  EXPECT_EQ(View().CursorPos, 920);

  // Switching the cursor off takes the cursor buttons with it.
  Click("CursorBtn");
  EXPECT_FALSE(Button("CursorLeftBtn")->isEnabled());
  Click("CursorBtn");
  EXPECT_TRUE(Button("CursorLeftBtn")->isEnabled());

  Click("FilterBtn");
  EXPECT_EQ(Button("FilterBtn")->text(), "Filter is On");
  Click("FilterBtn");
  EXPECT_EQ(Button("FilterBtn")->text(), "Filter is Off");
  EXPECT_EQ(View().CurrentCylinder, 3);

  // A reference file enables and shows the reference view.
  EXPECT_FALSE(Item("PAlphaRefItem")->isEnabled());
  ui_.FileAnswers.push_back(File("REF.KV", 3));
  Click("RefBtn");
  EXPECT_EQ(View().CurrentView, ViewPAlphaRef);
  EXPECT_TRUE(Item("PAlphaRefItem")->isEnabled() && Item("PAlphaRefItem")->isChecked());
  EXPECT_FALSE(Item("PAlphaSingleItem")->isChecked());
  const Curve firstCylinder = form_->State().Files.Reference->RefCurve;
  Click("RefCylinderMinusBtn");
  EXPECT_EQ(View().RefCylinder, 3);
  // The stepped cylinder is read when it is chosen, not while drawing.
  auto expected = std::make_unique<ReferenceData>();
  auto scratch = std::make_unique<MeasurementData>();
  ASSERT_TRUE(LoadReference(*expected, *scratch, home_.File("REF.KV"), 3));
  EXPECT_TRUE(form_->State().Files.Reference->RefCurve == expected->RefCurve);
  EXPECT_FALSE(expected->RefCurve == firstCylinder);
  // A reference file gone since: the user is told, the reference stays.
  std::filesystem::remove(home_.File("REF.KV"));
  Click("RefCylinderMinusBtn");
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(ui_.Messages[0].Text.rfind("This is not a ZEPHIRAX data file !\n", 0), 0u);
  EXPECT_TRUE(form_->State().Files.Reference->RefCurve == expected->RefCurve);
  ui_.Messages.clear();

  // Without a MIP item zoom cannot be switched on.
  Analyse(File("NOMIP.KS", 2, false));
  form_->PAlphaSingleItemClick();
  form_->ZoomButtonClick();
  EXPECT_FALSE(View().ZoomOn);
  EXPECT_FALSE(Item("PAlphaRefItem")->isEnabled());  // a new analysis drops the reference
  EXPECT_TRUE(ui_.Messages.empty());
}

TEST_F(MainFormTest, FirstAnalysisWithoutAFileLeavesAnalysisModeWithoutAView) {
  NewForm();
  WriteBytes(home_.File("BAD.KV"), "This is a shopping list\r\nbread\r\nmilk\r\n");
  Analyse(home_.File("BAD.KV"));

  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(ui_.Messages[0].Text.rfind("This is not a ZEPHIRAX data file !\n", 0), 0u);
  EXPECT_FALSE(View().AnalysisActive);
  EXPECT_FALSE(Item("PAlphaSingleItem")->isEnabled());
  EXPECT_TRUE(Button("FinishButton")->isHidden());
  EXPECT_FALSE(Button("TransmitButton")->isEnabled());
  EXPECT_TRUE(form_->findChild<QLabel*>("AddressBlock")->isHidden());
  EXPECT_EQ(StatusLine(), "|||");
  EXPECT_EQ(ui_.HourglassOn, 0);

  // A cancelled dialog leaves it so; the next analysis works.
  form_->AnalyseButtonClick();
  EXPECT_FALSE(View().AnalysisActive);
  Analyse(File("program/DATA/GOOD.KV", 2));
  EXPECT_TRUE(View().AnalysisActive);
  EXPECT_TRUE(Item("PAlphaSingleItem")->isEnabled());
}

TEST_F(MainFormTest, CancelledOrRejectedFileKeepsTheMeasurementOnScreen) {
  NewForm();
  Analyse(File("program/DATA/GOOD.KV", 3));
  form_->PAlphaSingleItemClick();
  Click("CylinderPlusBtn");
  const QImage picture = form_->Picture();
  const QString status = StatusLine();
  const QString title = form_->windowTitle();
  ASSERT_EQ(status, "GOOD.KV|06.12.2026|14:32|");

  WriteBytes(home_.File("BAD.KV"), "This is a shopping list\r\nbread\r\nmilk\r\n");
  const std::string whole = test::MeasurementFileBuilder().Build();
  WriteBytes(home_.File("CUT.KV"), whole.substr(0, whole.find("CURVE") + 200));  // cut short
  const std::optional<std::string> answers[] = {std::nullopt, home_.File("BAD.KV"),
                                                home_.File("CUT.KV")};
  for (const std::optional<std::string>& answer : answers) {
    SCOPED_TRACE(answer.value_or("cancelled"));
    const size_t messages = ui_.Messages.size();
    ui_.FileAnswers.push_back(answer);
    form_->AnalyseButtonClick();
    if (answer) {
      ASSERT_EQ(ui_.Messages.size(), messages + 1);
      const std::string& text = ui_.Messages.back().Text;
      EXPECT_TRUE(text.rfind("This is not a ZEPHIRAX data file !", 0) == 0 ||
                  text.rfind("Could not open ZEPHIRAX data file !", 0) == 0)
          << text;
    }
    EXPECT_TRUE(View().AnalysisActive);
    EXPECT_EQ(std::tuple(View().CurrentView, View().CurrentCylinder),
              std::tuple(ViewPAlphaSingle, 2));
    EXPECT_TRUE(form_->Picture() == picture);
    EXPECT_EQ(StatusLine(), status);
    EXPECT_EQ(form_->windowTitle(), title);
    EXPECT_FALSE(Button("FinishButton")->isHidden());
    EXPECT_FALSE(Button("CursorRightBtn")->isHidden());
    EXPECT_TRUE(Item("PAlphaSingleItem")->isChecked() && Item("PVSingleItem")->isEnabled());
    EXPECT_EQ(ui_.HourglassOn, 0);
  }

  // Only a file that loads replaces the measurement, and starts afresh.
  Analyse(File("program/DATA/NEXT.KV", 2, false));
  EXPECT_EQ(StatusLine(), "NEXT.KV|06.12.2026|14:32|");
  EXPECT_EQ(std::tuple(View().CurrentView, View().CurrentCylinder), std::tuple(ViewPAlphaAll, 1));
  EXPECT_TRUE(Item("PAlphaAllItem")->isChecked());
  EXPECT_FALSE(Item("PVSingleItem")->isEnabled());
}

TEST_F(MainFormTest, WindowTitleNamesTheMeasurementBeingAnalysed) {
  NewForm();
  const QString english = "Cylinder Pressure Measuring System ZEPHIRAX Ver. 1.03a 32/64 Bit";
  EXPECT_EQ(form_->windowTitle(), english);
  Analyse(File("program/DATA/SIXCYL2T.KV", 6));
  EXPECT_EQ(form_->windowTitle(), "SIXCYL2T.KV - " + english);
  // A change of language keeps the file in the title.
  form_->State().Config.Language = German;
  form_->ApplyCaptions();
  const QString german = QString::fromUtf8("Zylinderdruck-Meßsystem ZEPHIRAX Ver. 1.03a 32/64 Bit");
  EXPECT_EQ(form_->windowTitle(), "SIXCYL2T.KV - " + german);
  form_->FinishAnalysisItemClick();
  EXPECT_EQ(form_->windowTitle(), german);
}

TEST_F(MainFormTest, PictureOpensTheViewMenuWhereTheUserPoints) {
  NewForm();
  auto* menu = form_->findChild<QMenu*>("ViewMenu");
  // Whether the menu opened, and where.
  const auto menuAfter = [&](QContextMenuEvent::Reason reason, QPoint at) {
    QContextMenuEvent event(reason, at, Picture()->mapToGlobal(at));
    QApplication::sendEvent(Picture(), &event);
    const std::optional<QPoint> where =
        menu->isVisible() ? std::optional(menu->pos()) : std::nullopt;
    menu->hide();
    return where;
  };
  EXPECT_EQ(menuAfter(QContextMenuEvent::Mouse, {100, 60}), std::nullopt);  // idle

  Analyse(File("TWO.KV", 2));
  form_->PAlphaSingleItemClick();
  form_->State().Config.Language = French;  // captioned as it opens, as from the button
  EXPECT_EQ(menuAfter(QContextMenuEvent::Mouse, {100, 60}),
            Picture()->mapToGlobal(QPoint(100, 60)));
  EXPECT_EQ(Item("PAlphaAllItem")->text(), QString::fromUtf8("décalée tous cyl"));
  EXPECT_TRUE(Item("PAlphaSingleItem")->isChecked() && !Item("PAlphaAllItem")->isChecked());
  // The menu key reports no position of its own; the menu opens on the picture.
  form_->resize(400, 300);  // the menu fits beside and below the middle
  form_->FormResize();
  EXPECT_EQ(menuAfter(QContextMenuEvent::Keyboard, {0, 0}),
            Picture()->mapToGlobal(Picture()->rect().center()));

  // In a TDC view the Functions button finishes; the picture has no menu.
  View().CurrentView = ViewTdcAuto;
  EXPECT_EQ(menuAfter(QContextMenuEvent::Mouse, {100, 60}), std::nullopt);
  EXPECT_TRUE(View().AnalysisActive);
}

TEST_F(MainFormTest, CursorFollowsHeldButtonsArrowKeysAndClicks) {
  NewForm();
  form_->show();
  QApplication::processEvents();
  Analyse(File("TWO.KV", 2));
  form_->PAlphaSingleItemClick();
  EXPECT_TRUE(Picture()->hasFocus());  // the keys work at once

  QTest::keyClick(Picture(), Qt::Key_Right);
  EXPECT_EQ(View().CursorPos, 681);
  QTest::keyClick(Picture(), Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(View().CursorPos, 677);

  // Held down, the button keeps going.
  QTest::mousePress(Button("CursorRightBtn"), Qt::LeftButton);
  QTest::qWait(1000);
  QTest::mouseRelease(Button("CursorRightBtn"), Qt::LeftButton);
  EXPECT_GT(View().CursorPos, 680);  // a click would be one step

  // A click on the TDC line puts the cursor there, and the picture shows it.
  const QImage before = form_->Picture();
  const DrawingState& d = form_->State().Drawing;
  QTest::mouseClick(Picture(), Qt::LeftButton, {}, QPoint(d.PlotCentreX, d.PlotBase - 20));
  EXPECT_EQ(View().CursorPos, 720);
  EXPECT_FALSE(form_->Picture() == before);

  // Where the view has no cursor, keys and clicks leave it alone.
  form_->PAlphaAllItemClick();
  QTest::keyClick(Picture(), Qt::Key_Left);
  QTest::mouseClick(Picture(), Qt::LeftButton, {}, QPoint(d.PlotLeft + 10, d.PlotBase - 20));
  EXPECT_EQ(View().CursorPos, 720);
}

TEST_F(MainFormTest, SecondAnswerToTheCloseQuestionKeepsRunningButSavesSettings) {
  NewForm();
  Analyse(File("TWO.KV", 2));
  ui_.ChooseAnswers = {1, 0};
  EXPECT_FALSE(form_->close());
  EXPECT_TRUE(std::filesystem::exists(home_.File("config/VOLTAN/ZEPHIRAX.INI")));
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(ui_.Messages[0].Caption + "|" + ui_.Messages[0].Text,
            "Finish program|Really want to leave the program ?");
  // The view is still live: menu items and resizes keep working.
  EXPECT_TRUE(View().AnalysisActive);
  EXPECT_TRUE(Item("PAlphaAllItem")->isEnabled());

  EXPECT_TRUE(form_->close());
}

TEST_F(MainFormTest, CaptionsFollowTheLanguage) {
  struct Case {
    const char* Language;
    const char* Menu;     // PAlphaAllItem
    const char* Plus;     // CylinderPlusBtn
    const char* Analyse;  // AnalyseButton
    const char* File;     // FileCaption
  };
  const Case cases[] = {
      {"deutsch", "p/alpha alle Zyl.", "Cyl+", "&Analyse", "Datei :"},
      {"francais", "décalée tous cyl", "Cyl+", "&Analyser", "Fichier:"},
      {"espaniol", "p/alpha todos cilindros", "Cil+", "&Análisis", "Fichero:"},
  };
  for (const Case& c : cases) {
    WriteLanguage(c.Language);
    NewForm();
    form_->FormActivate();
    EXPECT_EQ(Item("PAlphaAllItem")->text(), QString::fromUtf8(c.Menu)) << c.Language;
    EXPECT_EQ(Item("PAlpha3DItem")->text(), "p/alpha 3D") << c.Language;
    EXPECT_EQ(Button("CylinderPlusBtn")->text(), QString::fromUtf8(c.Plus)) << c.Language;
    EXPECT_EQ(Button("AnalyseButton")->text(), QString::fromUtf8(c.Analyse)) << c.Language;
    EXPECT_EQ(Label("FileCaption"), QString::fromUtf8(c.File)) << c.Language;
  }
  EXPECT_EQ(form_->windowTitle(),
            "ZEPHIRAX instrumento de medición de presión de combustión Ver. ZEPHIRAX 1.03a 32/64 "
            "Bit");
  form_->State().Config.Language = French;
  ui_.ChooseAnswers = {1};
  form_->close();
  EXPECT_EQ(ui_.Messages.back().Caption, "Quitter le programme");
}

TEST_F(MainFormTest, BottomRowSharesTheWidthInEighths) {
  NewForm();
  form_->resize(1003, 700);
  form_->FormResize();
  EXPECT_EQ(Button("ReceiveButton")->geometry().x(), 0);
  EXPECT_EQ(Button("AnalyseButton")->geometry(), QRect(250, 670, 125, 30));
  EXPECT_EQ(Button("ExitButton")->geometry().x(), 875);
  const QWidget* image = form_->findChild<QWidget*>("ViewPicture");
  EXPECT_EQ(std::tuple(form_->State().Drawing.ControlWidth, form_->State().Drawing.ControlHeight),
            std::tuple(image->width(), image->height()));
  EXPECT_EQ(form_->Picture().size(), image->size());  // the idle picture fills it
}

TEST_F(MainFormTest, WorkflowButtonsFollowTheMode) {
  NewForm();
  for (const char* name : {"AnalyseButton", "SetupButton", "TransmitButton", "AddButton",
                           "HelpButton", "FileButton"}) {
    EXPECT_TRUE(Button(name)->isEnabled()) << name;
  }
  Analyse(File("TWO.KV", 2));
  EXPECT_FALSE(Button("SetupButton")->isEnabled());
  form_->PAlphaSingleItemClick();
  for (const char* name : {"autoButton", "TDCleftButton"}) {
    EXPECT_FALSE(Button(name)->isEnabled()) << name;
  }
  EXPECT_TRUE(Button("PrintButton")->isEnabled());
  EXPECT_TRUE(Button("HelpButton")->isEnabled());
  EXPECT_TRUE(Button("FileButton")->isHidden());
}

TEST_F(MainFormTest, EveryViewItemShowsItsViewWithItsButtons) {
  NewForm();
  const std::string file = File("program/DATA/FOUR.KV", 4);
  AdditionalData exh;
  exh.Texh = {0, 350, 360, 370, 380};
  ASSERT_TRUE(WriteAdditionalData(exh, home_.File("program/DATA/FOUR.EXH"), 4));
  Analyse(file);
  const struct {
    const char* Item;
    int View;
    const char* Shown;  // a button the view shows
  } items[] = {
      {"PAlphaSingleItem", 0, "CursorBtn"},
      {"PAlphaAllItem", 1, "dpdaBtn"},
      {"PAlpha3DItem", 16, "CopyBtn"},
      {"PVSingleItem", 2, "CursorRightBtn"},
      {"PVAllItem", 3, "PrintButton"},
      {"PmaxSingleItem", 4, "CylinderPlusBtn"},
      {"PmaxAllStrokesItem", 13, "CopyBtn"},
      {"PmaxMeanItem", 5, "CopyBtn"},
      {"PmaxDeviationItem", 6, "CopyBtn"},
      {"MipAllItem", 7, "CopyBtn"},
      {"MipDeviationItem", 8, "CopyBtn"},
      {"PindAllItem", 9, "CopyBtn"},
      {"PindDeviationItem", 10, "CopyBtn"},
      {"RpmAllItem", 12, "CopyBtn"},
      {"TexhAllItem", 17, "CopyBtn"},
      {"TexhDeviationItem", 18, "CopyBtn"},
      {"EngineTableItem", 11, "RefCylinderPlusBtn"},
  };
  for (const auto& item : items) {
    SCOPED_TRACE(item.Item);
    ASSERT_TRUE(Item(item.Item)->isEnabled());
    Item(item.Item)->trigger();
    EXPECT_EQ(View().CurrentView, item.View);
    EXPECT_TRUE(Item(item.Item)->isChecked());
    EXPECT_FALSE(Button(item.Shown)->isHidden());
    EXPECT_EQ(Button("ZoomButton")->isHidden(), item.View > 1);
    EXPECT_EQ(form_->Picture().size(), PictureSize());
  }
  // The bar charts move Copy out of the way of their captions; the 3D view leaves it.
  Item("PmaxMeanItem")->trigger();
  EXPECT_EQ(Button("CopyBtn")->pos(), QPoint(298, 5));
  Item("PAlpha3DItem")->trigger();
  EXPECT_EQ(Button("CopyBtn")->pos(), QPoint(298, 5));
  Item("PVAllItem")->trigger();
  EXPECT_EQ(Button("CopyBtn")->pos(), QPoint(236, 26));

  // In the table the reference-plus button turns the pages.
  Item("EngineTableItem")->trigger();
  EXPECT_EQ(Button("CopyBtn")->pos(), QPoint(298, 5));
  EXPECT_EQ(Button("RefCylinderPlusBtn")->text(), "more->");
  Click("RefCylinderPlusBtn");
  EXPECT_EQ(View().CurrentView, ViewEngineTable2);
  Click("RefCylinderPlusBtn");
  EXPECT_EQ(View().CurrentView, ViewEngineTable);
  form_->PAlphaSingleItemClick();
  EXPECT_TRUE(Button("RefCylinderPlusBtn")->isHidden());
  EXPECT_EQ(Button("RefCylinderPlusBtn")->text(), "RefCyl+");

  // Without a MIP item and without additional data their views are not offered.
  Analyse(File("program/DATA/OLD.KS", 3, false));
  for (const char* name :
       {"PVSingleItem", "PVAllItem", "MipAllItem", "MipDeviationItem", "PindAllItem",
        "PindDeviationItem", "TexhAllItem", "TexhDeviationItem"}) {
    EXPECT_FALSE(Item(name)->isEnabled()) << name;
  }
  EXPECT_TRUE(Item("PAlpha3DItem")->isEnabled() && Item("EngineTableItem")->isEnabled());
  EXPECT_TRUE(ui_.Messages.empty());
}

TEST_F(MainFormTest, CopyingTheEngineTableWritesTheExportFilesInTheUsersNumberFormat) {
  NewForm();
  Analyse(File("program/DATA/TWO.KV", 2));
  form_->State().Files.Measurement->CylPind[1] = 1234;
  const auto exported = [&](const QLocale& locale) {
    QLocale::setDefault(locale);
    Click("CopyBtn");
    return std::pair(test::ReadBytes(home_.File("program/DATA/ZEPHIRAX.TXT")),
                     test::ReadBytes(home_.File("program/DATA/ZEPHIRAX.CSV")));
  };
  // Only the table exports.
  exported(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_FALSE(std::filesystem::exists(home_.File("program/DATA/ZEPHIRAX.TXT")));

  Item("EngineTableItem")->trigger();
  const auto [germanText, germanCsv] = exported(QLocale(QLocale::German, QLocale::Germany));
  const auto [englishText, englishCsv] = exported(QLocale(QLocale::English, QLocale::UnitedStates));
  QLocale::setDefault(QLocale::c());
  EXPECT_NE(germanText.find("\t1.234\t"), std::string::npos);  // German digit grouping
  EXPECT_NE(germanText.find("\t2,35\t"), std::string::npos);   // and decimal comma
  EXPECT_NE(germanCsv.find(",2.35,"), std::string::npos);
  EXPECT_NE(englishText.find("\t1,234\t"), std::string::npos);
  EXPECT_NE(englishCsv.find(",1.234,"), std::string::npos);  // the group comma becomes a point
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), form_->Picture().size());
  EXPECT_TRUE(ui_.Messages.empty());

  // A data folder that cannot be written is reported; the picture is copied all the same.
  std::filesystem::remove_all(home_.File("program/DATA"));
  WriteBytes(home_.File("program/DATA"), "a file in the way");
  QGuiApplication::clipboard()->clear();
  Click("CopyBtn");
  EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
  ASSERT_EQ(ui_.Messages.size(), 1u);
}

TEST_F(MainFormTest, ReceiveSavesTheBlockUnderTheChosenName) {
  NewForm();
  test::FakeSerialDevice device;
  const std::string data = "MEASUREMENT with MIP values";
  // At 9600 baud the check characters are taken unchecked.
  device.Chunks = {"\x02" + data + "\x03" + "zz"};
  form_->SetSerialDevice(&device);
  form_->State().Config.Device = "/dev/voltan";
  ui_.FileAnswers.push_back(home_.File("ENGINE1.DAT"));
  // The dialog runs its own loop: press Save once it is offered.
  QTimer press;
  bool closeRefused = false;
  QObject::connect(&press, &QTimer::timeout, [&] {
    // Closing the program would pull the window from under the exchange.
    if (!closeRefused) closeRefused = !form_->close();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* save = widget->findChild<QPushButton*>("OkButton");
      if (widget->isVisible() && save != nullptr && save->isEnabled()) save->click();
    }
  });
  press.start(10);
  form_->ReceiveButtonClick();
  EXPECT_EQ(test::ReadBytes(home_.File("ENGINE1.KV")), data);
  EXPECT_EQ(Label("FileLabel"), "ENGINE1.KV");
  EXPECT_TRUE(closeRefused);
  EXPECT_EQ(device.OpenAttempts.at(0), "/dev/voltan");
  EXPECT_FALSE(device.IsOpen());
  EXPECT_TRUE(Button("ReceiveButton")->isEnabled());
  EXPECT_TRUE(Button("AnalyseButton")->isEnabled());

  // Without a port the user is told and no dialog appears.
  form_->State().Config.Device.clear();
  form_->State().Config.ComPort = 3;
  device.FailingOpens = -1;
  const size_t before = ui_.Messages.size();
  form_->ReceiveButtonClick();
  ASSERT_EQ(ui_.Messages.size(), before + 1);
  EXPECT_EQ(ui_.Messages.back().Text, "Could not open /dev/ttyS2\nNo such file or directory");
}

}  // namespace
}  // namespace zephirax
