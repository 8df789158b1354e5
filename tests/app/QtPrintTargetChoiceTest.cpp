#include "app/QtPrintTargetChoice.h"

#include <gtest/gtest.h>

#include "support/PdfTools.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

TEST(QtPrintTargetChoice, WithoutAPrinterAsksForAPdfFileInTheUsersLanguage) {
  test::TempDir dir;
  QtPrinterObject printer(false);
  test::ScriptedUserInterface ui;
  ui.FileAnswers = {std::nullopt, dir.File("report")};
  EXPECT_EQ(OpenPrintTarget(printer, ui, German, dir.Path().string()), nullptr);

  auto target = OpenPrintTarget(printer, ui, French, dir.Path().string());
  ASSERT_NE(target, nullptr);
  ASSERT_EQ(ui.FileRequests.size(), 2u);
  EXPECT_EQ(ui.FileRequests[0].Title, "Kein Drucker installiert - als PDF-Datei speichern");
  EXPECT_EQ(ui.FileRequests[1].Title, "Aucune imprimante installée - enregistrer en fichier PDF");
  ASSERT_NE(target->BeginJob("page"), nullptr);
  ASSERT_TRUE(target->EndJob() && target->Finish());
  EXPECT_EQ(test::PdfPageCount(dir.File("report.pdf")), 1) << "the .pdf extension was not added";
}

}  // namespace
}  // namespace zephirax
