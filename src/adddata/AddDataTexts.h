#pragma once

#include "platform/LangText.h"

// The texts of the additional-data workflow, its dialog and the ISO form.

namespace zephirax {

// The open dialog of the workflow and its filters.
inline constexpr LangText AddDataOpenTitle{
    "Auswahl Meßdatei zu denen Zusatzdaten eingegeben werden sollen",
    "Select measured data you want to add data to",
    "Sélectionner le fichier pour données supplémentaires",
    "Elegir una medida para añadirle datos suplementarios"};
inline constexpr const char* MeasurementFilterName = "VOLTAN files";
inline constexpr const char* MeasurementFilterPattern = "*.KV;*";
inline constexpr const char* AddDataFilterName = "VOLTAN add datafile";
inline constexpr const char* AddDataFilterPattern = "*.EXH";

// The additional data could not be saved; %s is the file.
inline constexpr LangText AddDataWriteFailedText{
    "%s konnte nicht geschrieben werden; die Zusatzdaten wurden nicht gespeichert.",
    "%s could not be written; the additional data were not saved.",
    "%s n'a pas pu être écrit ; les données supplémentaires n'ont pas été enregistrées.",
    "No se pudo escribir %s; los datos suplementarios no se guardaron."};

inline constexpr LangText AddDataTitle{
    "Eingabe/Korrektur von Zusatzdaten", "Input/Correction of additional data",
    "Saisie/correction des données supplément", "introducir/corregir datos supplementario"};

// The page buttons, pages 0 to 4, and their titles where they differ.
inline constexpr LangText PageCaptions[] = {
    {"Abgastemperaturen", "Exhaust gas temperatures", "Températures d'échappement",
     "temp. del gas de escape"},
    {"Position Füllungsgestänge", "Fuel rack position", "Cran des pompes d'injection",
     "posición del dispositivo de carga"},
    {"VIT Stellung", "VIT position", "position VIT", "posición del VIT"},
    {"Ladeluft-System", "Charging air system", "Circuit air de sural", "sistema de aire de carga"},
    {"Schiffsname,Load u.a.", "Ship name,load,others", "Nom du Navire/Site", "nombre de barco"},
};
inline constexpr LangText ExhaustPageTitle{"Abgastemperatur", "Exhaust gas temperature",
                                           "Températures d'échapt", "temp. del gas de escape"};
inline constexpr LangText MemoCaption{"Notizblock", "Memo", "Mémo", "bloc de notas"};
inline constexpr LangText IsoCaption{"Daten für ISO-Korrektur", "Data for ISO correction", nullptr,
                                     nullptr};
inline constexpr LangText CylinderColumnCaption{"Zylinder", "Cylinder", "Cyl", "Cil."};

inline constexpr LangText SaveCaption{"Speichern", "Save", "Enregister", "&Memorizar"};
inline constexpr LangText CancelCaption{"Abbrechen", "Cancel", "Annuler", "&Salir"};
inline constexpr LangText HelpCaption{"Hilfe", "Help", "Aide", "&Ayuda"};
inline constexpr LangText PrintFormCaption{"Formular", "Print form", "Form", "Formulario"};
inline constexpr LangText PrintDataCaption{"Daten", "Print data", "Données", "Datos"};

// Row and column captions of the pages.
inline constexpr LangText TcCaption{"ATL", "TC", "TC", "TC"};
inline constexpr LangText BeforeTcCaption{"vor ATL", "before TC", "avant TC", "antes del TC"};
inline constexpr LangText AfterTcCaption{"nach ATL", "after TC", "après TC", "después del TC"};
inline constexpr LangText TcRpmCaption{"ATL-Drehzahl", "TC speed", "Vitesse TC", "Velocidad TC"};
inline constexpr LangText TscavBeforeCaption{"Ladeluft vor Kühler", "Charge air before cooler",
                                             "Air avant réfrigérant", "Aire antes del enfriador"};
inline constexpr LangText TscavAfterCaption{"Ladeluft nach Kühler", "Charge air after cooler",
                                            "Air après réfrigérant", "Aire después del enfriador"};
inline constexpr LangText PDiffCaption{"Druckdifferenz Kühler", "Pressure drop over cooler",
                                       "Perte de charge réfrigérant",
                                       "Pérdida de presión enfriador"};
inline constexpr const char* TcRpmUnit = "t/min";
inline constexpr const char* PDiffUnitBar = "[mmWS]";
inline constexpr const char* PDiffUnitOther = "[mmHg]";

inline constexpr LangText ShipNameCaption{"Schiffsname", "Ship name", "Nom du navire/site",
                                          "Nombre del barco"};
inline constexpr LangText ShaftPowerCaption{"Wellenleistung", "Shaft power", "Puissance à l'arbre",
                                            "Potencia en el eje"};
inline constexpr LangText EngineRoomTempCaption{
    "Maschinenraumtemperatur", "Engine room temperature", "Température salle des machines",
    "Temperatura sala de máquinas"};
inline constexpr LangText RunningHoursCaption{"Betriebsstunden", "Running hours",
                                              "Heures de marche", "Horas de servicio"};
inline constexpr LangText PitchCaption{"Propellersteigung", "Propeller pitch", "Pas de l'hélice",
                                       "Paso de la hélice"};
inline constexpr LangText ShaftGenPowerCaption{"Leistung Wellengenerator", "Shaft generator power",
                                               "Puissance alternateur attelé",
                                               "Potencia generador de cola"};
inline constexpr LangText McrPowerCaption{"Indizierte Leistung bei MCR", "Indicated power at MCR",
                                          "Puissance indiquée au MCR", "Potencia indicada al MCR"};
inline constexpr LangText EngineLoadCaption{"Motorlast", "Engine load", "Charge moteur",
                                            "Carga del motor"};
inline constexpr LangText FuelConsumptionCaption{"Brennstoffverbrauch", "Fuel consumption",
                                                 "Consommation de combustible",
                                                 "Consumo de combustible"};
inline constexpr const char* RunningHoursUnit = "[h]";
inline constexpr const char* FuelConsumptionUnit = "[x1000 l/h]";

// The ISO form speaks English in every language.
inline constexpr const char* IsoFormTitle = "Input of additional data for ISO correction";
inline constexpr const char* IsoEngineRoomTempCaption = "Insert engine room temperature :";
inline constexpr const char* IsoScavTempCaption = "Insert scavenging air temperature :";
inline constexpr const char* IsoPbaroCaption = "Atmospheric pressure :";
inline constexpr const char* IsoFuelTempCaption = "Insert fuel oil temperature :";
inline constexpr const char* IsoSpecGravityCaption = "Insert fuel oil specific gravity :";
inline constexpr const char* IsoCalorificCaption = "Insert fuel oil calorific value :";
inline constexpr const char* IsoViscosityCaption = "Insert fuel oil viscosity :";
inline constexpr const char* IsoPbaroUnit = "[mbar]";
inline constexpr const char* IsoCalorificUnit = "[kcal/kg]";
inline constexpr const char* IsoViscosityUnit = "[cst]";
inline constexpr const char* IsoOkCaption = "OK";
inline constexpr const char* IsoCancelCaption = "Cancel";

// Units of the temperatures and the MCR power as the settings choose them.
inline constexpr const char* DegCUnit =
    "[\xC2\xB0"
    "C]";
inline constexpr const char* DegFUnit =
    "[\xC2\xB0"
    "F]";
inline constexpr const char* KWUnit = "[kW]";
inline constexpr const char* HpUnit = "[hp]";

}  // namespace zephirax
