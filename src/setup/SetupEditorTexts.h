#pragma once

#include "platform/LangText.h"

// The texts of the setup sequence: the choice between a new and an existing
// setup, the file dialogs and the two-page editor.

namespace zephirax {

// The choice dialog.
inline constexpr LangText SetupChoiceCaption{"Einstellung des VOLTAN KV", "Setup of the VOLTAN KV",
                                             "Configuration du VOLTAN KV",
                                             "Justación del VOLTAN KV"};
inline constexpr LangText SetupChoiceGroup{"Bitte wählen", "Please select", "Sélectionner",
                                           "Elige"};
inline constexpr LangText SetupChoiceNew{"   Erstelle neue Einstellung", "   Create a new setup",
                                         "   Créer une nouvelle config",
                                         "   Producir una nueva justación"};
inline constexpr LangText SetupChoiceOpen{
    "   Nutze vorhandene Einstellung", "   Use an existing setup",
    "   Utiliser une config existante", "   Use una justación existente"};
inline constexpr LangText SetupChoiceOk{"OK", "OK", "Oui", "&OK"};
inline constexpr LangText SetupChoiceCancel{"Abbruch", "Cancel", "Quitter", "&Salir"};
inline constexpr LangText SetupChoiceHelp{"&Hilfe", "&Help", "Aide", "&Ayuda"};

// The file dialogs. Setup files have no fixed extension: all files are shown.
inline constexpr LangText OpenSetupTitle{
    "Auswahl bestehendes VOLTAN KV Setup", "Select existing VOLTAN KV setup",
    "Utiliser une VOLTAN KV config existante", "Elegir una configuración del VOLTAN KV existente"};
inline constexpr LangText SaveSetupTitle{"VOLTAN KV/KM SETUP speichern", "Save VOLTAN KV/KM setup",
                                         "Save VOLTAN KV/KM setup",
                                         "Memorizar una justación del VOLTAN KV/KM"};
inline constexpr LangText SetupFilesFilter{"Alle Dateien", "All files", "Tous les fichiers",
                                           "Todos los ficheros"};
// The main window's file label while a setup is being chosen.
inline constexpr const char* SetupOpenedText = "Opened";

// A setup that could not be saved; %s is the file.
inline constexpr LangText SetupNotWrittenText{
    "%s konnte nicht geschrieben werden.", "%s could not be written.", "%s n'a pas pu être écrit.",
    "No se pudo escribir %s."};
// A setup whose values the frame cannot carry (engine data of an odd
// measurement): nothing goes to the device.
inline constexpr LangText SetupNotSentText{
    "Ein Wert der Einstellung passt nicht in sein Feld; es wurde nichts gesendet.",
    "A value of the setup does not fit its field; nothing was sent.",
    "Une valeur de la configuration ne tient pas dans son champ ; rien n'a été envoyé.",
    "Un valor de la justación no cabe en su campo; no se mandó nada."};

// The editor.
inline constexpr LangText SetupEditorCaption{"VOLTAN KV/KM Setup", "VOLTAN KV/KM setup",
                                             "VOLTAN KV/KM configuration",
                                             "Justación del VOLTAN KV/KM"};
inline constexpr LangText SetupEditorBasicPage{"Grundeinstellungen", "Basic setup",
                                               "Config de base", "Justación fundamental"};
inline constexpr LangText SetupEditorFiringPage{"Zündfolge", "Firing order", "Ordre d'allumage",
                                                "Orden de ecencido"};
inline constexpr LangText SetupEditorSave{"Speichern", "Save", "Enregister", "Memorizar"};
inline constexpr LangText SetupEditorFinish{"Beenden", "Finish", "Quitter", "&Salida"};
inline constexpr LangText SetupEditorPrint{"Drucken", "Print", "Imprimer", "&Imprimir"};
inline constexpr LangText SetupEditorHelp{"&Hilfe", "&Help", "&Aide", "&Ayuda"};
// The editor's way to the device, in the words of the transmit dialog.
inline constexpr LangText SetupEditorTransmit{"Senden", "Transmit", "Envoyer", "Mandar"};

inline constexpr LangText SetupCylindersCaption{
    "Anzahl Zylinder :", "No. of cylinders :", "Nombre de cyl. :", "Cantidad de cilindros :"};
inline constexpr LangText SetupStrokesCaption{
    "Anzahl Arbeitsspiele :", "No. of workstrokes :", "Nombre de cycles :", "Cantidad de ciclos :"};
inline constexpr LangText SetupCycleCaption{
    "2/4 takt Motor :", "2/4 stroke engine :", "2/4 temps :", "motor de 2/4 tiempos :"};
inline constexpr LangText SetupLayoutCaption{
    "Reihen-/V-Motor [R/V] :", "Line-/V-engine :", "moteur Ligne-/Vé :", "motor en linea L/V :"};
inline constexpr LangText SetupBoreCaption{
    "Bohrung [mm] :", "bore [mm] :", "alésage [mm] :", "diámetro interior [mm] :"};
inline constexpr LangText SetupStrokeCaption{
    "Hub [mm] :", "stroke [mm] :", "course [mm] :", "carrera [mm] :"};
inline constexpr LangText SetupConRodCaption{
    "Pleuelstangenlänge [mm] :", "con rod length [mm] :", "longueur de bielle [mm] :",
    "longuitut de la biela [mm] :"};
inline constexpr LangText SetupVAngleCaption{
    "Winkel A/B-Seite :", "V angle :", "angle du Vé :", "ángulo A/B :"};
inline constexpr LangText SetupScavAirCaption{
    "Ladeluftdruck [bar] :", "scavenging air press. [bar] :", "press. suralimentation [bar] :",
    "presión de aire de carga [bar] :"};
inline constexpr LangText SetupLimitCaption{
    "Limit [bar] :", "limit [bar] :", "limite [bar] :", "Límite [bar] :"};
inline constexpr LangText SetupTdcCorrectionCaption{
    "OT-Korrektur [°KW] :", "TDC correction [deg CA] :", "correction PMH [deg] :",
    "PM correción [deg CA] :"};
inline constexpr LangText SetupTdcSensorCaption{
    "OT-Sensor [J/N] :", "TDC sensor [Y/N] :", "Capteur PMH [O/N] :", "PM sensor [S/N] :"};
inline constexpr LangText SetupKmSensorCaption{
    "KM-Sensor [J/N] :", "KM-Sensor [Y/N] :", "Capteur KM [O/N] :", "360° sensor [S/N] :"};
inline constexpr LangText SetupFuelAclCaption{"Fuel/ACL-Sensor [J/N]:", "Fuel/ACL-Sensor [Y/N]:",
                                              "Capteur INJ/ACL [O/N]:", "Fuel/ACL sensor [S/N] :"};
inline constexpr LangText SetupAverageCaption{"Kurve gemittelt [J/N]:", "Average curve [Y/N] :",
                                              "Average curve [O/N] :", "Average curve [S/N]:"};
inline constexpr LangText SetupFiringOrderCaption{
    "Zündfolge ist   [Position.    Zylinder Nr.]   :",
    "Firing order is   [position.    cyl. no]   :", "L'ordre d'allumage est :",
    "orden de ecencido   [posición.    cil. no]   :"};
inline constexpr LangText SetupDeviationsCaption{
    "Abweichung des OT gegenüber OT von Zylinder 1:",
    "TDC deviation of all cylinders against cylinder 1 :",
    "Décalage des mannetons par rapport au cyl. 1 :", "desvio del punto muerto :"};
inline constexpr LangText SetupAutoDeviationsCaption{
    "OT-Verschiebung von PC berechnen lassen", "Automatic calculation of TDC deviations",
    "Calcul automatique de PMH", "calcular el desvio del punto muerto automaticamente"};

}  // namespace zephirax
