#pragma once

#include "platform/LangText.h"
#include "platform/UserInterface.h"
#include "printing/QtPrintTarget.h"

#include <memory>
#include <string>

namespace zephirax {

// Asked when no printer is installed: print into a PDF file instead of
// printing nothing at all.
inline constexpr LangText NoPrinterPdfTitle{
    "Kein Drucker installiert - als PDF-Datei speichern", "No printer installed - save as PDF file",
    "Aucune imprimante installée - enregistrer en fichier PDF",
    "Ninguna impresora instalada - guardar como archivo PDF"};
inline constexpr LangText PdfFilterText{"PDF-Dateien", "PDF files", "Fichiers PDF", "Archivos PDF"};

// The target of the next print run: the printer object's printer, or, without
// one, the PDF file the user picks in a save dialog opening on `folder` (".pdf"
// added when the name has no extension); nullptr when the user cancels.
std::unique_ptr<QtPrintTarget> OpenPrintTarget(QtPrinterObject& printer, UserInterface& ui,
                                               Language lang, const std::string& folder);

}  // namespace zephirax
