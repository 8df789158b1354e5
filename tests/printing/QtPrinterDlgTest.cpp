#include "printing/QtPrinterDlg.h"

#include <QCheckBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include "platform/LangText.h"
#include "support/ModalDialogs.h"

namespace zephirax {
namespace {

using test::WhenModal;

TEST(PrinterDlg, CaptionsFollowTheLanguage) {
  const struct {
    int Language;
    const char* Caption;
    const char* Ok;
    const char* Setup;
    const char* PmaxDeviation;
  } cases[] = {
      {German, "Drucken", "&Ok", "    Drucker einrichten",
       "   Drucke pmax-Mittelwert-Abweichung aller Zylinder"},
      {English, "Printing", "&Yes", "   Setup printer first",
       "   Print pmax mean deviation of all cylinders"},
      {French, "Imprimer", "&Oui", "   Config de l'impression", "  Print pmax deviation"},
      // Spanish borrows the English caption here, and the French one elsewhere.
      {Spanish, "Imprimer", "&Sí", "   instalar la impresora",
       "   Print pmax mean deviation of all cylinders"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Language);
    TPrinterDlg dialog(c.Language);
    EXPECT_EQ(dialog.windowTitle().toStdString(), c.Caption);
    EXPECT_EQ(dialog.OkButton->text().toStdString(), c.Ok);
    EXPECT_EQ(dialog.PrinterSetupCheckBox->text().toStdString(), c.Setup);
    EXPECT_EQ(dialog.Box(PrintBox::PmaxDeviation)->text().toStdString(), c.PmaxDeviation);
  }
  EXPECT_EQ(TPrinterDlg(Spanish).Box(PrintBox::PmaxSingle)->text().toStdString(),
            "   Drucke pmaxsingle Diagramm");
}

TEST(PrinterDlg, BoxesFollowTheRulesAndOkReturnsThem) {
  WhenModal<TPrinterDlg>([](TPrinterDlg& dialog) {
    EXPECT_TRUE(dialog.PrintActualCheckBox->isChecked());
    dialog.Box(PrintBox::Mip)->click();
    dialog.Box(PrintBox::PVAll)->click();
    EXPECT_FALSE(dialog.PrintActualCheckBox->isChecked());
    dialog.PrintAllCheckBox->click();
    EXPECT_FALSE(dialog.Box(PrintBox::Mip)->isChecked());
    dialog.Box(PrintBox::PmaxSingle)->click();
    EXPECT_FALSE(dialog.PrintAllCheckBox->isChecked());
    dialog.HardcopyCheckBox->click();
    dialog.OkButton->click();
  });
  const std::optional<PrintSelection> chosen = TPrinterDlg::Ask(English, nullptr);
  ASSERT_TRUE(chosen);
  EXPECT_TRUE((*chosen)[PrintBox::Hardcopy]);
  EXPECT_EQ(ChosenPages(*chosen), std::vector<int>{16});

  WhenModal<TPrinterDlg>([](TPrinterDlg& dialog) {
    dialog.PrintAllCheckBox->click();
    dialog.CancelButton->click();
  });
  EXPECT_FALSE(TPrinterDlg::Ask(English, nullptr));
}

}  // namespace
}  // namespace zephirax
