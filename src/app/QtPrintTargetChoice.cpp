#include "app/QtPrintTargetChoice.h"

#include <QFileInfo>

namespace zephirax {

std::unique_ptr<QtPrintTarget> OpenPrintTarget(QtPrinterObject& printer, UserInterface& ui,
                                               Language lang, const std::string& folder) {
  return printer.OpenTarget([&]() -> std::optional<QString> {
    const std::optional<std::string> chosen =
        ui.SaveFileName(Tr(NoPrinterPdfTitle, lang), folder, {{Tr(PdfFilterText, lang), "*.pdf"}});
    if (!chosen || chosen->empty()) return std::nullopt;
    QString path = QString::fromStdString(*chosen);
    if (QFileInfo(path).suffix().isEmpty()) path += ".pdf";
    return path;
  });
}

}  // namespace zephirax
