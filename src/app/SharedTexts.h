#pragma once

#include "platform/LangText.h"

// The main window's status captions.

namespace zephirax {

inline constexpr LangText FileCaptionText{"Datei :", "File :", "Fichier:", "Fichero:"};
inline constexpr LangText DateCaptionText{"Datum :", "Date :", "Date:", "Fecha :"};
inline constexpr LangText TimeCaptionText{"Zeit :", "Time :", "Heure:", "Hora :"};
inline constexpr LangText ShipCaptionText{"Schiff :", "Ship :", "Navire/Site:", "Barco :"};

}  // namespace zephirax
