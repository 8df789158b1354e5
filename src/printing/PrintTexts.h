#pragma once

#include <string>

#include "platform/LangText.h"
#include "printing/PrintSelection.h"

// The texts of the print selection dialog, of the report page's header and of
// the print run's messages.

namespace zephirax {

inline constexpr LangText PrinterDlgCaption{"Drucken", "Printing", "Imprimer", "Imprimer"};
inline constexpr LangText PrinterDlgOk{"&Ok", "&Yes", "&Oui", "&Sí"};
inline constexpr LangText PrinterDlgCancel{"&Abbrechen", "&Cancel", "&Non", "&No"};

// The check boxes' captions, in the order of PrintBox. Where a language has
// no caption of its own it shows another language's, spelled out here.
inline constexpr LangText PrintBoxCaptions[PrintBoxCount] = {
    {"    Drucker einrichten", "   Setup printer first", "   Config de l'impression",
     "   instalar la impresora"},
    {"drucke als Hardcopy ?", "print as Hardcopy ?", "as Hardcopy ?", "as Hardcopy ?"},
    {"    Drucke nur aktuelle Seite", "   Print only actual page", "   Page courante uniquement",
     "   impremir actual pagina"},
    {"   Drucke alle Bilder", "   Print all pages", "   Drucke alle Seiten",
     "   Drucke alle Seiten"},
    {"   Drucke alle einzelnen p/alpha Diagramme", "   Print p/alpha diagram for each cylinder",
     "   Drucke p/alpha Diagramme aller Zyl.", "   Drucke p/alpha Diagramme aller Zyl."},
    {"   Drucke ein p/alpha-Diagramm für alle Zylinder",
     "   Print p/alpha diagram for all cylinders", "   Drucke p/alpha all Diagramm",
     "   Drucke p/alpha all Diagramm"},
    {"   Drucke p/alpha 3D-Diagramm", "   Print p/alpha 3D-diagram",
     "   Drucke p/alpha 3D-Diagramm", "   Drucke p/alpha 3D-Diagramm"},
    {"   Drucke alle einzelnen p/V Diagramme", "   Print p/V diagram for each cylinder",
     "   Drucke p/V Diagramme aller Zyl.", "   Drucke p/V Diagramme aller Zyl."},
    {"   Drucke ein p/V-Diagramm für alle Zylinder", "   Print p/V diagram for all cylinders",
     "   Drucke p/V all Diagramm", "   Drucke p/V all Diagramm"},
    {"   Drucke alle Spitzendrücke der einzelnen Zylinder",
     "   Print pmax diagrams for each cylinder", "   Drucke pmaxsingle Diagramm",
     "   Drucke pmaxsingle Diagramm"},
    {"   Drucke Spitzendrücke aller Zylinder in einem Diagramm",
     "   Print all strokes for all cylinders", "   Drucke pmaxall Diagramm",
     "   Drucke pmaxall Diagramm"},
    {"   Drucke pmax-Mittelwerte aller Zylinder", "   Print  pmax mean values of all cylinders",
     "   Print  pmax mean values of all cylinders", "   Print  pmax mean values of all cylinders"},
    {"   Drucke pmax-Mittelwert-Abweichung aller Zylinder",
     "   Print pmax mean deviation of all cylinders", "  Print pmax deviation",
     "   Print pmax mean deviation of all cylinders"},
    {"   Drucke MIP-Bargraph-Diagramm", "   Print MIP bargraph diagram", "   Drucke MIP-Diagramm",
     "   Drucke MIP-Diagramm"},
    {"   Drucke MIP-Abweichungs Diagramm", "   Print MIP deviation diagram",
     "   Drucke MIP-Deviation Diagramm", "   Drucke MIP-Deviation Diagramm"},
    {"   Drucke Pind-Bargraph-Diagramm", "   Print Pind bargraph diagram",
     "   Drucke Pind-Diagramm", "   Drucke Pind-Diagramm"},
    {"   Drucke Pind-Abweichungs-Diagramm", "   Print Pind deviation diagram",
     "   Drucke Pind-Deviation-Diagramm", "   Drucke Pind-Deviation-Diagramm"},
    {"   Drucke Motor-Daten-Tabelle", "   Print engine data table", "   Drucke Motor-Daten-Tabelle",
     "   Drucke Motor-Daten-Tabelle"},
    {"   Drucke Zusatzdaten", "   Print added data", "  Print added data", "  Print added data"},
};

inline const LangText& PrintBoxCaption(PrintBox box) {
  return PrintBoxCaptions[static_cast<int>(box)];
}

// The report page's two header lines.
inline constexpr LangText ReportFileLabel{"Datei :  ", "File :  ", "Fichier :  ", "Fichero :  "};
inline constexpr LangText ReportDateLabel{
    "    Datum :  ", "    Date :  ", "    Date :  ", "    Fecha :  "};
inline constexpr LangText ReportTimeLabel{
    "    Zeit :  ", "    Time :  ", "    Heure :  ", "    Hora :  "};
inline constexpr LangText ReportShipLabel{"Schiff : ", "Ship : ", "Navire : ", "Barco : "};

inline std::string ReportFileLine(int language, const std::string& file, const std::string& date,
                                  const std::string& time) {
  return Tr(ReportFileLabel, language) + file + Tr(ReportDateLabel, language) + date +
         Tr(ReportTimeLabel, language) + time;
}

inline std::string ReportShipLine(int language, const std::string& ship) {
  return Tr(ReportShipLabel, language) + ship;
}

// Pages the measurement cannot show are not printed; the list of their
// captions follows, one per line.
inline constexpr LangText PagesLeftOutText{
    "Diese Seiten kann die Messung nicht zeigen; sie werden nicht gedruckt:",
    "The measurement cannot show these pages; they are not printed:",
    "La mesure ne peut pas montrer ces pages ; elles ne sont pas imprimées :",
    "La medición no puede mostrar estas páginas; no se imprimen:"};

// The printer or the PDF file failed; %s is the reason the printer gives.
inline constexpr LangText PrintFailedText{"Der Druck ist fehlgeschlagen:\n%s",
                                          "Printing failed:\n%s", "L'impression a échoué :\n%s",
                                          "La impresión ha fallado:\n%s"};

// The progress of a run: page %1 of %2.
inline constexpr LangText PrintProgressText{"Drucke Seite %1 von %2", "Printing page %1 of %2",
                                            "Impression de la page %1 sur %2",
                                            "Imprimiendo página %1 de %2"};

}  // namespace zephirax
