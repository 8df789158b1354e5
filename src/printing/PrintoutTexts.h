#pragma once

#include "platform/LangText.h"

// The texts of the three text printouts: the blank additional-data form, the
// filled-in additional data and the engine setup listing. Where a language
// has no label of its own the English one is printed.

namespace zephirax {

// A print job is still going on the printer: the new printout is refused.
inline constexpr LangText PrintJobRunningText{
    "Es läuft gerade eine Druckerausgabe!", "There is a print job still running!",
    "Déjà une impression en cours!", "impresora esta trabajando!"};

// The printout could not be completed; %s says why.
inline constexpr LangText PrintoutFailedText{
    "Der Ausdruck konnte nicht abgeschlossen werden: %s", "The printout could not be completed: %s",
    "L'impression n'a pas pu être terminée : %s", "No se pudo terminar la impresión: %s"};

// The last line of the additional-data pages.
inline constexpr LangText PrintoutFooter{"ZEPHIRAX - VOLTAN Zylinderdruck-Indikator",
                                         "ZEPHIRAX - VOLTAN cylinder pressure indicator",
                                         "ZEPHIRAX - Indicateur de pression cylindre VOLTAN",
                                         "ZEPHIRAX - Indicador de presión de cilindro VOLTAN"};

// The blank form's title, centred over the page.
inline constexpr LangText AddDataFormTitle{"Formular für Zusatz-Daten", "Form for additional data",
                                           "Formulaire des données supplémentaires", nullptr};

// The data printout's head: the measurement, its date and time, the ship.
inline constexpr LangText AddDataFileLabel{
    "Zusatzdaten für Datei : ", "Additional data for File : ",
    "Données supplémentaires du fichier : ", nullptr};
inline constexpr LangText AddDataDateLabel{
    "    Datum : ", "    Date : ", "    Date : ", "    fecha : "};
inline constexpr LangText AddDataTimeLabel{
    "   Zeit : ", "   Time : ", "   Heure : ", "   tiempo : "};
inline constexpr LangText AddDataShipLabel{
    "Schiffsname :    ", "Ship name :    ", "Navire/Site :    ", "nombre del barco :    "};
// The data printout's job title; the measurement's file name follows.
inline constexpr LangText AddDataJobTitle{"Zusatzdaten ", "Additional data ",
                                          "Données supplémentaires ", nullptr};

// The cylinder table at the top of both pages.
inline constexpr LangText PrintCylinderLabel{"Zylinder", "Cylinder", "Cylindre", "Cilindro"};
inline constexpr LangText PrintTexhLabel{"Abgastemperatur", "Exhaust gas temp.", "Temp. d'échapt",
                                         nullptr};
inline constexpr LangText PrintFuelRackLabel{"Fuel Rack", "Fuel Rack", "Cran des pompes", nullptr};
inline constexpr LangText PrintVitLabel{"VIT", "VIT", "position VIT", nullptr};

// The turbocharger rows; the columns are the turbochargers 1, 2 and 3.
inline constexpr LangText PrintTurbochargerLabel{"Turbolader", "Turbocharger", nullptr, nullptr};
inline constexpr LangText PrintTcRpmLabel{"Drehzahl", "Revolution", nullptr, nullptr};
inline constexpr LangText PrintTexhBeforeTcLabel{"Abgastemperatur vor", "Temp. exhaustgas before",
                                                 nullptr, nullptr};
inline constexpr LangText PrintTexhAfterTcLabel{"nach Turbolader", "after Turbocharger", nullptr,
                                                nullptr};
inline constexpr LangText PrintTscavBeforeLabel{"Temperatur LL vor", "Temp. charging air before",
                                                nullptr, nullptr};
inline constexpr LangText PrintTscavAfterLabel{"nach LL-Kühler", "after cooler", nullptr, nullptr};
inline constexpr LangText PrintPDiffLabel{
    "Differenzdruck über LL-Kühler :", "Diff. pressure over cooler", nullptr, nullptr};

// Rows of two values: the first in the left half of the page, the second in
// the right half.
inline constexpr LangText PrintPitchLabel{"Propeller Steigung:", "Propeller pitch:", nullptr,
                                          nullptr};
inline constexpr LangText PrintShaftPowerLabel{"Wellenleistung:", "Shaft power:", nullptr, nullptr};
inline constexpr LangText PrintShaftGenFormLabel{
    "Leistung Wellengenerator:", "Power shaft generator:", nullptr, nullptr};
inline constexpr LangText PrintShaftGenDataLabel{
    "Leistung WellenGenerator:", "Power shaft generator:", nullptr, nullptr};
inline constexpr LangText PrintMcrPowerLabel{
    "indiz. Leistung (MCR):", "indicated power (MCR):", nullptr, nullptr};
inline constexpr LangText PrintEngineRoomLabel{
    "Temp. Maschinenraum:", "Temp. engine room:", nullptr, nullptr};
inline constexpr LangText PrintRunningHoursLabel{"Betriebsstunden:", "Running hours:", nullptr,
                                                 nullptr};
inline constexpr LangText PrintLoadLabel{"Load:", "Engine load:", nullptr, nullptr};
inline constexpr LangText PrintFuelConsumptionLabel{
    "Brennstoff-Verbrauch:", "Fuel consumption:", nullptr, nullptr};
inline constexpr LangText PrintRemarksLabel{
    "Bemerkungen:", "Remarks:", "Commentaires :", "Remarks :"};

// The ISO correction block in the right half.
inline constexpr LangText PrintIsoLabel{"ISO-Korrektur-Daten", "ISO correction data", nullptr,
                                        nullptr};
inline constexpr LangText PrintIsoEngineRoomLabel{
    "Temp. Maschinenraum:", "Temp. engineroom:", nullptr, nullptr};
inline constexpr LangText PrintIsoChargeAirLabel{"Temp. Ladeluft:", "Temp. charge air:", nullptr,
                                                 nullptr};
inline constexpr LangText PrintIsoBaroLabel{"Umgebungsdruck:", "Barometric press.:", nullptr,
                                            nullptr};
inline constexpr LangText PrintIsoFuelTempLabel{"Temp. Kraftstoff:", "Fuel temperature:", nullptr,
                                                nullptr};
inline constexpr LangText PrintIsoGravityLabel{
    "Spez. Dichte Kraftstoff:", "Spec. gravity fuel:", nullptr, nullptr};
inline constexpr LangText PrintIsoCalorificLabel{
    "Heizwert Kraftstoff:", "Lower calorific value:", nullptr, nullptr};
inline constexpr LangText PrintIsoViscosityLabel{
    "Viskosität Kraftstoff:", "Viscosity fuel:", nullptr, nullptr};

// Units of the additional-data pages.
inline constexpr const char* PrintRpmUnit = "rpm";
// The charge-air pressure difference is read off a water column with bar
// gauges and a mercury column otherwise, as the dialog labels it.
inline constexpr const char* PrintPDiffUnitBar = "mmWS";
inline constexpr const char* PrintPDiffUnitOther = "mmHg";
inline constexpr const char* PrintPercentUnit = "%";
inline constexpr const char* PrintHoursUnit = "h";
inline constexpr const char* PrintFuelConsumptionUnit = "x1000l/h";
inline constexpr const char* PrintMbarUnit = "mbar";
inline constexpr const char* PrintCalorificUnit = "kcal/kg";
inline constexpr const char* PrintViscosityUnit = "cst";

// The setup listing. Its other labels are the setup editor's.
inline constexpr const char* SetupPrintTitle = "VOLTAN SETUP";
inline constexpr LangText SetupPrintFileLabel{"Datei :", "File :", "Fichier :", "Fichero :"};
inline constexpr LangText SetupPrintCylindersLabel{
    "Anzahl Zylinder :", "Number of cylinders :", "Nombre de cylindres :",
    "Cantidad de cilindros :"};
inline constexpr LangText SetupPrintDeviationsLabel{
    "OT Verschiebung aller Zylinder gegen OT von Zylinder 1 :",
    "TDC deviation of all cylinders against TDC of cylinder 1 :",
    "Décalage PMH de tous les cylindres par rapport au PMH du cylindre 1 :",
    "Desvío del PM de todos los cilindros respecto al PM del cilindro 1 :"};

}  // namespace zephirax
