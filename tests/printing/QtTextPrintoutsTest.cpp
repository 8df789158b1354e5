#include "printing/QtTextPrintouts.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "printing/QtPrintTarget.h"
#include "support/ChildProcess.h"
#include "support/PdfTools.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

std::string ToolOutput(std::vector<std::string> args) {
  test::ChildProcess tool(std::move(args));
  std::string output = tool.Output();
  return tool.Wait() == 0 ? output : std::string();
}

// While a job runs on the printer the next printout is refused in the
// user's language, before the printer set-up is even offered.
TEST(QtTextPrintouts, ARunningJobRefusesTheNextPrintout) {
  const struct {
    int Language;
    const char* Caption;
    const char* Text;
  } cases[] = {
      {German, "Fehler :", "Es läuft gerade eine Druckerausgabe!"},
      {English, "Error :", "There is a print job still running!"},
      {French, "Erreur :", "Déjà une impression en cours!"},
      {Spanish, "Falta :", "impresora esta trabajando!"},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    auto target = PdfDocument(QString::fromStdString(dir.File("a.pdf")));
    test::ScriptedUserInterface ui;
    int setUps = 0;
    const PrintoutStart start{c.Language, &ui, [&] { return ++setUps > 0; }};
    ASSERT_NE(target->BeginJob("another job"), nullptr);
    EXPECT_EQ(PrintAdditionalDataForm(*target, start, {}, 6), PrintResult::JobRunning);
    EXPECT_EQ(PrintEngineSetup(*target, start, {}, EngineSetup{}, ""), PrintResult::JobRunning);
    EXPECT_EQ(setUps, 0);
    ASSERT_EQ(ui.Messages.size(), 2u);
    EXPECT_EQ(ui.Messages[0].Caption, c.Caption);
    EXPECT_EQ(ui.Messages[0].Text, c.Text);
    ASSERT_TRUE(target->EndJob());
    EXPECT_EQ(target->JobsDone(), 1);
  }
}

TEST(QtTextPrintouts, CancelledPrinterSetUpPrintsNothing) {
  test::TempDir dir;
  const std::string pdf = dir.File("a.pdf");
  auto target = PdfDocument(QString::fromStdString(pdf));
  const PrintoutStart start{English, nullptr, [] { return false; }};
  EXPECT_EQ(PrintAdditionalData(*target, start, {}, AdditionalData{}, 6, {}),
            PrintResult::Cancelled);
  EXPECT_EQ(target->JobsDone(), 0);
  EXPECT_FALSE(target->Finish());
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

// Portrait whatever the printer was set to, in Arial bold, one page titled
// as its job.
TEST(QtTextPrintouts, OnePagePortraitInArialBold) {
  test::TempDir dir;
  const std::string pdf = dir.File("a.pdf");
  auto target = PdfDocument(QString::fromStdString(pdf));
  target->Printer().setPageSize(QPageSize(QPageSize::A4));
  target->Printer().setPageOrientation(QPageLayout::Landscape);
  int setUps = 0;
  const PrintoutStart start{English, nullptr, [&] { return ++setUps > 0; }};
  EngineSetup setup;
  NewSetupDefaults(setup);
  ASSERT_EQ(PrintEngineSetup(*target, start, {}, setup, "ENGINE/TEMP.DAT"), PrintResult::Printed);
  EXPECT_EQ(setUps, 1);
  ASSERT_TRUE(target->Finish()) << target->Failure().toStdString();

  const std::string info = ToolOutput({"/usr/bin/pdfinfo", pdf});
  EXPECT_NE(info.find("Title:           VOLTAN SETUP"), std::string::npos) << info;
  EXPECT_NE(info.find("Page size:       595 x 842 pts (A4)"), std::string::npos) << info;
  EXPECT_EQ(test::PdfPageCount(pdf), 1);
  const std::string fonts = ToolOutput({"/usr/bin/pdffonts", pdf});
  EXPECT_NE(fonts.find("LiberationSans-Bold"), std::string::npos) << fonts;
  EXPECT_EQ(fonts.find("LiberationSans "), std::string::npos) << fonts;
  const std::string text = test::PdfText(pdf);
  EXPECT_NE(text.find("VOLTAN SETUP"), std::string::npos);
  EXPECT_NE(text.find("ENGINE/TEMP.DAT"), std::string::npos);
}

}  // namespace
}  // namespace zephirax
