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
    const char* Cancel;
    const char* Hardcopy;
    const char* Setup;
    const char* PmaxSingle;
    const char* PmaxDeviation;
  } cases[] = {
      {German, "Drucken", "&Ok", "&Abbrechen", "drucke als Hardcopy ?", "    Drucker einrichten",
       "   Drucke alle Spitzendrücke der einzelnen Zylinder",
       "   Drucke pmax-Mittelwert-Abweichung aller Zylinder"},
      {English, "Printing", "&Yes", "&Cancel", "print as Hardcopy ?", "   Setup printer first",
       "   Print pmax diagrams for each cylinder", "   Print pmax mean deviation of all cylinders"},
      {French, "Imprimer", "&Oui", "&Non", "as Hardcopy ?", "   Config de l'impression",
       "   Drucke pmaxsingle Diagramm", "  Print pmax deviation"},
      // Spanish borrows the French and English captions where it has none.
      {Spanish, "Imprimer", "&Sí", "&No", "as Hardcopy ?", "   instalar la impresora",
       "   Drucke pmaxsingle Diagramm", "   Print pmax mean deviation of all cylinders"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Language);
    TPrinterDlg dialog(c.Language);
    EXPECT_EQ(dialog.windowTitle().toStdString(), c.Caption);
    EXPECT_EQ(dialog.OkButton->text().toStdString(), c.Ok);
    EXPECT_EQ(dialog.CancelButton->text().toStdString(), c.Cancel);
    EXPECT_EQ(dialog.HardcopyCheckBox->text().toStdString(), c.Hardcopy);
    EXPECT_EQ(dialog.PrinterSetupCheckBox->text().toStdString(), c.Setup);
    EXPECT_EQ(dialog.Box(PrintBox::PmaxSingle)->text().toStdString(), c.PmaxSingle);
    EXPECT_EQ(dialog.Box(PrintBox::PmaxDeviation)->text().toStdString(), c.PmaxDeviation);
  }
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
