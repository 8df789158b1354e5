#pragma once

#include "platform/LangText.h"

// The main window's own texts: title, workflow and analysis buttons with their
// hints, the view menu, the dialogs it opens and the closing question.

namespace zephirax {

inline constexpr LangText MainTitleText{
    "Zylinderdruck-Meßsystem ZEPHIRAX Ver. 1.03a 32/64 Bit",
    "Cylinder Pressure Measuring System ZEPHIRAX Ver. 1.03a 32/64 Bit",
    "Analyseur de Combustion ZEPHIRAX Ver. 1.03a 32/64 Bit",
    "ZEPHIRAX instrumento de medición de presión de combustión Ver. ZEPHIRAX 1.03a 32/64 Bit"};

// Workflow buttons of the bottom row and their hints.
inline constexpr LangText ReceiveCaption{nullptr, "&Receive"};
inline constexpr LangText ReceiveHint{nullptr, "Receive data from VOLTAN"};
inline constexpr LangText TransmitCaption{"&KV Setup", "&KV Setup", "Config. &VOLTAN",
                                          "&KV justación"};
inline constexpr LangText TransmitHint{"VOLTAN KV konfigurieren, nicht für VOLTAN KC",
                                       "Edit and transmit setup to VOLTAN KV, not for VOLTAN KC",
                                       "Edition et transmission de la Configuration au VOLTAN KV",
                                       "Justación del VOLTAN KV"};
inline constexpr LangText AnalyseCaption{"&Analyse", "&Analyse", "&Analyser", "&Análisis"};
inline constexpr LangText AnalyseHint{"Messungen auswerten", "Analyse received data",
                                      "Analyser les données recues", "Analizar una medición"};
inline constexpr LangText ShiftCaption{"&OT schieben", "Shift &TDC", "&Décal PMH", "&PM correc."};
inline constexpr LangText ShiftHint{"OT-Fehler korrigieren", "Shift the TDC", "Décalage du PMH",
                                    "Correción del desvio del punto muerto"};
inline constexpr LangText AddCaption{"&Zusatzdaten", "Add &Data", "Info &suppl", "&Datos supl."};
inline constexpr LangText AddHint{
    "Eingabe/Korrektur von Zusatzdaten", "Input/Editing of additional data",
    "Saisie des données supplémentaires", "Datos suplementarios para un fichero de datos"};
inline constexpr LangText SetupCaption{"&Setup", "&Setup", "&Options", "&Opciónes"};
inline constexpr LangText SetupHint{"Programmeinstellungen", "Setup of the program",
                                    "Options du programme", "Opciónes del programa"};
inline constexpr LangText HelpCaption{"&Hilfe", "&Help", "A&ide", "A&yuda"};
inline constexpr LangText HelpHint{"Hilfefunktion", "Gives program help", "Aide du programme",
                                   "Ayuda"};
inline constexpr LangText ExitCaption{"&Ende", "&Exit", "&Quitter", "&Final"};
inline constexpr LangText ExitHint{"Programm verlassen", "Leave the program",
                                   "Quitter le programme", "Salir del programa"};
inline constexpr LangText FileButtonCaption{"Datei-Funktionen", "File functions"};
inline constexpr LangText FileButtonHint{"Datei-Funktionen, z.B. Kopieren,Löschen etc.",
                                         "File related functions, (copy,move,compress,erase etc.)"};

// Analysis buttons.
inline constexpr LangText CylinderPlusCaption{"Cyl+", "Cyl+", "Cyl+", "Cil+"};
inline constexpr LangText CylinderMinusCaption{"Cyl-", "Cyl-", "Cyl-", "Cil-"};
inline constexpr LangText RefCylinderPlusCaption{"RefCyl+", "RefCyl+", "RefCyl+", "RefCil+"};
// The reference-plus button turns the pages of the engine data table.
inline constexpr const char* TablePageCaption = "more->";
inline constexpr LangText ExportFailedText{
    "ZEPHIRAX.TXT / ZEPHIRAX.CSV konnten nicht geschrieben werden",
    "Could not write ZEPHIRAX.TXT / ZEPHIRAX.CSV",
    "Impossible d'\xC3\xA9"
    "crire ZEPHIRAX.TXT / ZEPHIRAX.CSV",
    "No se pudo escribir ZEPHIRAX.TXT / ZEPHIRAX.CSV"};
inline constexpr LangText RefCylinderMinusCaption{"RefCyl-", "RefCyl-", "RefCyl-", "RefCil-"};
inline constexpr LangText RefBtnCaption{"Lade Ref. Datei", "Load Ref File", "Charger fich. ref",
                                        "abrir datos de ref."};
inline constexpr LangText CursorLeftCaption{"Cursor <-", "Cursor <-", "Curseur<-", "índice <-"};
inline constexpr LangText CursorRightCaption{"Cursor ->", "Cursor ->", "Curseur->", "índice ->"};
inline constexpr LangText CursorOnOffCaption{nullptr, "Cursor On/Off"};
inline constexpr LangText ZoomCaption{nullptr, "Zoom"};
inline constexpr LangText DpDaCaption{"dp/da", "dp/da", "dérivée", "dp/da"};
inline constexpr LangText FilterOnCaption{nullptr, "Filter is On"};
inline constexpr LangText FilterOffCaption{nullptr, "Filter is Off"};
inline constexpr LangText RefFilterOnCaption{nullptr, "Ref-Filter is On"};
inline constexpr LangText RefFilterOffCaption{nullptr, "Ref-Filter is Off"};
inline constexpr LangText FilterHint{
    nullptr, "Filter On will filter the pressure curve and can change measuring results."};
inline constexpr LangText FuelCaption{nullptr, "Fuel"};
inline constexpr LangText AclCaption{nullptr, "ACL"};
inline constexpr LangText PscavCaption{"pscav Korr.", "pscav corr."};
inline constexpr LangText PscavHint{"Korrektur Ladeluftdruck", "Correction of pscav"};
inline constexpr LangText AutoTdcCaption{"Auto TDC correc.", "Auto TDC correc.", "Correct auto PMH",
                                         "Auto PM correc."};
inline constexpr LangText PrintCaption{"Drucken", "Print", "Imprimer", "Imprimir"};
inline constexpr LangText CopyCaption{"Copy", "Copy", "Copier", "Copiar"};
inline constexpr LangText FinishCaption{"Funktionen", "Functions", "Fonctions", "funciones"};
inline constexpr LangText FinishHint{"Ansichten und Analyse beenden", "Views and finish analyse",
                                     "Vues et quitter l'analyse", "Vistas y atras"};
inline constexpr LangText MarkerLeftCaption{nullptr, "<- Marker"};
inline constexpr LangText MarkerRightCaption{nullptr, "Marker ->"};
inline constexpr LangText RotateLeftCaption{nullptr, "<- Rotate"};
inline constexpr LangText RotateRightCaption{nullptr, "Rotate ->"};

// The view menu; "p/alpha 3D" reads the same in every language.
inline constexpr LangText MenuPAlphaSingle{"p/alpha einzel Zyl.", "p/alpha single cyl",
                                           "décalée par cyl", "p/alpha un cilindro"};
inline constexpr LangText MenuPAlphaRef{"p/alpha mit Referenz Zyl.", "p/alpha with ref.",
                                        "p/alpha avec ref", "p/alpha con cil. de referencia"};
inline constexpr LangText MenuPAlphaAll{"p/alpha alle Zyl.", "p/alpha all cyl", "décalée tous cyl",
                                        "p/alpha todos cilindros"};
inline constexpr LangText MenuPAlpha3D{nullptr, "p/alpha 3D"};
inline constexpr LangText MenuPVSingle{"p/V einzel Zyl.", "p/V single cyl", "p/V par cyl",
                                       "p/V un cilindro"};
inline constexpr LangText MenuPVAll{"p/V alle Zyl.", "p/V all cyl", "p/V tous cyl",
                                    "p/V todos cilindros"};
inline constexpr LangText MenuPmaxSingle{"pmax einzel Zyl.", "pmax single cyl",
                                         "histogramme des pmax par cyl", "pmax un cilindro"};
inline constexpr LangText MenuPmaxAllStrokes{
    "pmax alle Zyl., alle Strokes", "pmax all cyl., all strokes",
    "histogramme pmax tous cyl,tous cycles", "pmax todos cil. y todas carreras"};
inline constexpr LangText MenuPmaxMean{"mittl. pmax alle Zyl.", "pmaxmean all cyl",
                                       "histogramme des PMAX MOY tous cyl",
                                       "medio pmax todos cilindros"};
inline constexpr LangText MenuPmaxDeviation{"pmax Abweichung", "pmax deviation",
                                            "déviation des pmax", "pmax desvio"};
inline constexpr LangText MenuMipAll{"MIP alle Zyl.", "MIP all cyl", "PMI tous cyl",
                                     "pmi todos cilindros"};
inline constexpr LangText MenuMipDeviation{"MIP Abweichung", "MIP deviation", "déviation des PMI",
                                           "pmi desvio"};
inline constexpr LangText MenuPindAll{"Pind alle Zyl.", "Pind all cyl", "Pind tous cyl",
                                      "Pind todos cilindros"};
inline constexpr LangText MenuPindDeviation{"Pind Abweichung", "Pind deviation",
                                            "déviation des Pind", "Pind desvio"};
inline constexpr LangText MenuRpmAll{"rpm alle Zyl.", "rpm all cyl", "Vitesse tous cyl",
                                     "rev todos cilindros"};
inline constexpr LangText MenuTexhAll{"texh alle Zyl.", "texh all cyl", "texh tous cyl",
                                      "texh todos cilindros"};
inline constexpr LangText MenuTexhDeviation{"texh Abweichung", "texh deviation",
                                            "déviation des texh", "texh desvio"};
inline constexpr LangText MenuEngineTable{"Motor Tabelle", "engine data table", "Rapport moteur",
                                          "tabla del motor"};
inline constexpr LangText MenuEmail{"Sende Messung als Email", "send measurement as Email"};
inline constexpr LangText MenuFinishAnalyse{"zurück", "finish analyse", "Quitter l'analyse",
                                            "atras"};

// Dialogs.
inline constexpr LangText OpenMeasurementTitle{
    "Auswahl Meßdaten zur Analyse", "Select measured data to analyse",
    "Sélectionner le fichier de mesures", "Elegir una medición para analisarlo"};
inline constexpr LangText OpenReferenceTitle{
    "Auswahl Referenzmessung", "Select a reference measurement",
    "Sélectionner le fichier de référence", "Elegir una medición de referencia"};
inline constexpr LangText AppDataNotFoundText{nullptr, "Finding application data directory failed"};
inline constexpr LangText AppDataNotCreatedText{nullptr,
                                                "Could not create application data directory"};

// The question before the program closes; the first button closes it.
inline constexpr LangText CloseTitle{"Programm beenden", "Finish program", "Quitter le programme",
                                     "Salir del programa"};
inline constexpr LangText CloseText{"Programm wirklich beenden ?",
                                    "Really want to leave the program ?",
                                    "Etes-vous sûr de vouloir quitter ?", "Salir del programa ?"};
inline constexpr LangText CloseYes{"Ja", "Yes", "Oui", "Sí"};
inline constexpr LangText CloseNo{"Nein", "No", "Non", "No"};

}  // namespace zephirax
