#pragma once

#include "platform/LangText.h"

// The texts of the TDC correction mode and the scavenging-air correction.

namespace zephirax {

inline constexpr const char* TdcFormCaption = "Selection manual/automatic TDC correction";
inline constexpr LangText TdcManualCaption{
    "Manuelle OT-Korrektur für jeden Zylinder", "Manual TDC correction for each cylinder",
    "Manual TDC correction for each cylinder ?", "Manual TDC correction for each cylinder ?"};
inline constexpr LangText TdcAutomaticCaption{
    "Automatische OT-Korrektur durch Computer", "Automatic TDC correction by computer",
    "Automatic TDC correction by computer ?", "Automatic TDC correction by computer ?"};
inline constexpr LangText TdcCancelCaption{"Abbruch", "Cancel", "Cancel", "Cancel"};

// The shift button while the mode runs.
inline constexpr LangText TdcFinishCaption{"Beenden", "finish", "Quitter", "atras"};
// "Load Ref File" saves in the TDC views.
inline constexpr LangText TdcSaveCaption{"Speichern", "Save", "Enregister", "Memorizar"};
inline constexpr LangText TdcShiftLeftCaption{"Kurve <-", "Shift <-", "décal <-", "desviár <-"};
inline constexpr LangText TdcShiftRightCaption{"Kurve ->", "Shift ->", "décal ->", "desviár ->"};
inline constexpr LangText TdcCorrectedText{"OT korrigiert", "TDC corrected", "PMH corrigé",
                                           "Punto muerto esta correctido"};
inline constexpr LangText NotCrankAngleText{
    "Dies ist keine ZEPHIRAX Daten-Datei !", "This is not a ZEPHIRAX data file !",
    "This is not a ZEPHIRAX data file !", "No es un fichero de datos del ZEPHIRAX !"};
inline constexpr LangText NotCrankAngleCaption{"Fehler :", "Error :", "Erreur :", "Falta :"};
// The captions the end of the mode restores.
inline constexpr LangText TdcEndRefCaption{"Lade Ref. Datei", "Load ref file",
                                           "Charger fichier ref",
                                           "carge fichero de datos de referencía"};
inline constexpr LangText TdcEndCursorLeftCaption{"Cursor <-", "Cursor <-", "Curseur <-",
                                                  "índice <-"};
inline constexpr LangText TdcEndCursorRightCaption{"Cursor ->", "Cursor ->", "Curseur ->",
                                                   "índice ->"};
inline constexpr LangText TdcEndDpDaCaption{"dp/da", "dp/da", "dérivee", "dp/da"};
inline constexpr LangText SaveTdcTitle{
    "Korrigierte Messung speichern", "Save corrected measurement", "Enregistrer la mesure corrigée",
    "Guardar la medición corregida"};
// A corrected measurement that could not be written; %s is the file.
inline constexpr LangText TdcSaveFailedText{
    "%s konnte nicht geschrieben werden. Die Korrekturen bleiben erhalten; bitte an anderer "
    "Stelle speichern.",
    "%s could not be written. The corrections are kept; please save elsewhere.",
    "%s n'a pas pu être écrit. Les corrections sont conservées ; enregistrez ailleurs.",
    "No se pudo escribir %s. Las correcciones se conservan; guárdelas en otro lugar."};
inline constexpr LangText TdcExhFailedText{
    "Die Messung wurde gespeichert, die Zusatzdaten %s nicht.",
    "The measurement was saved, its additional data %s were not.",
    "La mesure a été enregistrée, pas ses données supplémentaires %s.",
    "La medición se guardó, sus datos adicionales %s no."};
// The scavenging-air correction could not be written; %s is the file.
inline constexpr LangText PscavWriteFailedText{
    "%s konnte nicht geschrieben werden; die Messung bleibt unverändert.",
    "%s could not be written; the measurement stays as it was.",
    "%s n'a pas pu être écrit ; la mesure reste inchangée.",
    "No se pudo escribir %s; la medición queda como estaba."};
// The file a correction starts from cannot be read any more; %s is the file.
inline constexpr LangText CorrectionSourceGoneText{
    "%s kann nicht mehr gelesen werden; es wurde nichts geschrieben.",
    "%s can no longer be read; nothing was written.",
    "%s ne peut plus être lu ; rien n'a été écrit.",
    "%s ya no se puede leer; no se escribió nada."};
// A value that does not fit its field; %s is the file.
inline constexpr LangText CorrectionNotReadBackText{
    "Die korrigierte Datei wäre nicht mehr lesbar; %s wurde nicht geschrieben.",
    "The corrected file could not be read again; %s was not written.",
    "Le fichier corrigé ne serait plus lisible ; %s n'a pas été écrit.",
    "El archivo corregido no se podría leer; %s no se escribió."};

inline constexpr LangText CorrectionMisfitText{
    "Ein korrigierter Wert passt nicht in sein Feld; %s wurde nicht geschrieben.",
    "A corrected value does not fit its field; %s was not written.",
    "Une valeur corrigée ne tient pas dans son champ ; %s n'a pas été écrit.",
    "Un valor corregido no cabe en su campo; %s no se escribió."};

// The scavenging-air correction dialog.
inline constexpr LangText PscavFormCaption{"pscav Korrektur", "pscav correction", "pscavForm",
                                           "pscavForm"};
inline constexpr LangText PscavTitleText{
    "Korrektur Ladeluftdruck", "Correction of scavenging air pressure",
    "Correction of scavenging air pressure", "Correction of scavenging air pressure"};
inline constexpr const char* PscavValueCaption = "pscav:";
inline constexpr LangText PscavOkCaption{"&Speichern", "&Save", "OK", "OK"};
inline constexpr LangText PscavCancelCaption{"&Abbrechen", "&Cancel", "Cancel", "Cancel"};
// The conversion error; %s is the text entered.
inline constexpr const char* NotAFloatText = "'%s' is not a valid floating point value";

}  // namespace zephirax
