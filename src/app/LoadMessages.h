#pragma once

#include <string>

#include "measurement/KeywordScanner.h"
#include "platform/LangText.h"
#include "platform/UserInterface.h"

// Why a measurement or reference file was not loaded, for the user. French
// shows the English caption here.

namespace zephirax {

inline constexpr LangText MeasurementErrorCaption{"Fehler :", "Error :", "Error :", "Falta :"};

inline constexpr LangText NotADataFileText{
    "Dies ist keine ZEPHIRAX Daten-Datei !", "This is not a ZEPHIRAX data file !",
    "This is not a ZEPHIRAX data file !", " No es un fichero de datos para el ZEPHIRAX !"};

// The reference reader's Spanish text has no leading blank.
inline constexpr LangText RefNotADataFileText{
    "Dies ist keine ZEPHIRAX Daten-Datei !", "This is not a ZEPHIRAX data file !",
    "This is not a ZEPHIRAX data file !", "No es un fichero de datos para el ZEPHIRAX !"};

inline constexpr LangText CouldNotReadFileText{
    "Konnte ZEPHIRAX Daten-Datei nicht lesen!", "Could not open ZEPHIRAX data file !",
    "Could not open ZEPHIRAX data file !", "No puedo abr\xC3\xADr el fichero de datos !"};

// A rejected file's message: `headline`, then the file's name (unless empty)
// and what is wrong with it, in `language`.
std::string FileFaultMessage(const LangText& headline, const LoadFault& fault,
                             const std::string& fileName, int language);

// Tells the user, in an error box, why the measurement (or, with `reference`,
// the reference) `fileName` was not loaded.
void ShowLoadFault(UserInterface& ui, int language, const LoadFault& fault,
                   const std::string& fileName, bool reference);

}  // namespace zephirax
