#pragma once

#include <array>

#include "platform/LangText.h"

// The texts of the options dialog and of the file type registration.

namespace zephirax {

// The language page speaks every language at once.
inline constexpr const char* LanguagePageCaption = "Sprache/Language/Langue/Idioma";
inline constexpr std::array<const char*, 4> LanguageButtonCaptions = {
    "     Deutsch", "     English", "     Français", "     Español"};

inline constexpr LangText UnitsPageCaption{"Maßeinheiten", "Units"};
inline constexpr LangText ScalingPageCaption{"Skalierung", "Scaling"};
inline constexpr LangText SensorPageCaption{nullptr, "Sensor type"};
inline constexpr LangText EmailPageCaption{nullptr, "Email"};
inline constexpr LangText FileExtPageCaption{nullptr, "File Ext"};
inline constexpr LangText PortPageCaption{"Schnittstelle", "Serial port", "Port série",
                                          "Puerto serie"};

inline constexpr LangText PressureGroupCaption{"Drücke", "pressures", "pression", "presión"};
inline constexpr LangText PowerGroupCaption{"Leistungen", "power", "puissance", "potencia"};
inline constexpr LangText TempGroupCaption{"Temperaturen", "temperatures", "température",
                                           "temperaturas"};
inline constexpr LangText LengthGroupCaption{"Längen", "length"};
// The unit buttons read the same in every language; "kg/cm2" is shown but
// not offered.
inline constexpr std::array<const char*, 4> PressureButtonCaptions = {"bar", "MPa", "psi",
                                                                      "kg/cm2"};
inline constexpr std::array<const char*, 2> PowerButtonCaptions = {"kW", "hp"};
inline constexpr std::array<const char*, 2> TempButtonCaptions = {"°C", "°F"};
inline constexpr std::array<const char*, 2> LengthButtonCaptions = {"mm", "inch"};

// Spanish leaves the scale groups as they were; English is what the dialog
// starts with.
inline constexpr LangText DpDaGroupCaption{"dp/da Skalierung", "dp/da scale"};
inline constexpr LangText AclGroupCaption{"ACL-Sensor-Skalierung", "ACL sensor scale"};

inline constexpr LangText SensorGroupCaption{"Zusatzsensor:", "Addional sensor:"};
inline constexpr std::array<LangText, 3> SensorButtonCaptions = {{
    {"kein Zusatzsensor", "no additional sensor"},
    {"Einspritzdruck (fuel)", "Injection pressure (fuel)"},
    {"Beschleunigung (ACL)", "Acceleration sensor (ACL)"},
}};

inline constexpr const char* DestinationCaption = "Destination adress:";
inline constexpr const char* SenderAddressCaption = "Sender adress:";
inline constexpr const char* UserAccountCaption = "User account:";

inline constexpr const char* AutostartCaption = "Autostart for this File extensions:";
inline constexpr const char* ExtensionsCaption = ".KV and .KS";
inline constexpr const char* InstallCaption = "Install in Registry";

inline constexpr LangText PortListCaption{
    "Serielle Schnittstelle des VOLTAN:", "Serial port of the VOLTAN:", "Port série du VOLTAN :",
    "Puerto serie del VOLTAN:"};
inline constexpr LangText PortColumnCaption{"Anschluss", "Port", "Port", "Puerto"};
inline constexpr LangText DescriptionColumnCaption{"Beschreibung", "Description", "Description",
                                                   "Descripción"};
inline constexpr LangText DevicePathCaption{
    "Gerätepfad:", "Device path:", "Chemin du périphérique :", "Ruta del dispositivo:"};
// Beside a configured port that is not on the machine now.
inline constexpr LangText PortAbsentText{"(nicht vorhanden)", "(not present)", "(absent)",
                                         "(no presente)"};
inline constexpr LangText RefreshPortsCaption{"Aktualisieren", "Refresh", "Actualiser",
                                              "Actualizar"};

inline constexpr LangText OkCaption{"OK", "OK", "OK", "Aceptar"};
inline constexpr LangText CancelCaption{"Abbrechen", "Cancel", "Annuler", "Cancelar"};
inline constexpr LangText HelpButtonCaption{"Hilfe", "Help", "Aide", "Ayuda"};

// After each extension's registration; the same in every language.
inline constexpr LangText KvRegisteredText{nullptr, "Files with ext .KV registered"};
inline constexpr LangText KsRegisteredText{nullptr, "Files with ext .KS registered"};

// A registration that failed: the headline, then the step (%s: the file,
// folder, path or extension it concerns), then the tool's own words.
inline constexpr LangText RegistrationFailedText{
    "Die Dateitypen konnten nicht registriert werden.", "The file types could not be registered.",
    "Les types de fichiers n'ont pas pu être enregistrés.",
    "No se pudieron registrar los tipos de fichero."};
// One per RegistrationStep, in its order.
inline constexpr std::array<LangText, 7> RegistrationStepTexts = {{
    {"Es gibt keinen Ordner für die Anwendungsdaten des Benutzers (HOME, XDG_DATA_HOME).",
     "There is no folder for the user's application data (HOME, XDG_DATA_HOME).",
     "Il n'y a pas de dossier pour les données de l'utilisateur (HOME, XDG_DATA_HOME).",
     "No hay carpeta para los datos del usuario (HOME, XDG_DATA_HOME)."},
    {"Der Programmpfad %s kann nicht in einen Desktop-Eintrag geschrieben werden.",
     "The program path %s cannot be written into a desktop entry.",
     "Le chemin du programme %s ne peut pas figurer dans une entrée de bureau.",
     "La ruta del programa %s no cabe en una entrada de escritorio."},
    {"Die Dateityp-Beschreibung %s konnte nicht geschrieben werden.",
     "The file type description %s could not be written.",
     "La description des types de fichiers %s n'a pas pu être écrite.",
     "No se pudo escribir la descripción de tipos de fichero %s."},
    {"Der Programmeintrag %s konnte nicht geschrieben werden.",
     "The program entry %s could not be written.",
     "L'entrée du programme %s n'a pas pu être écrite.",
     "No se pudo escribir la entrada del programa %s."},
    {"Die Dateityp-Datenbank in %s konnte nicht aktualisiert werden.",
     "The file type database in %s could not be updated.",
     "La base des types de fichiers dans %s n'a pas pu être mise à jour.",
     "No se pudo actualizar la base de tipos de fichero en %s."},
    {"Die Programm-Datenbank in %s konnte nicht aktualisiert werden.",
     "The application database in %s could not be updated.",
     "La base des applications dans %s n'a pas pu être mise à jour.",
     "No se pudo actualizar la base de aplicaciones en %s."},
    {"ZEPHIRAX konnte nicht als Programm für %s-Dateien eingetragen werden.",
     "ZEPHIRAX could not be made the program for %s files.",
     "ZEPHIRAX n'a pas pu devenir le programme des fichiers %s.",
     "No se pudo asignar ZEPHIRAX a los ficheros %s."},
}};

}  // namespace zephirax
