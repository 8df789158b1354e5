#pragma once

#include "platform/LangText.h"

// Texts that more than one place shows: the main window's status captions and
// the headers of the per-cylinder evaluation (window table and command line).

namespace zephirax {

inline constexpr LangText FileCaptionText{"Datei :", "File :", "Fichier:", "Fichero:"};
inline constexpr LangText DateCaptionText{"Datum :", "Date :", "Date:", "Fecha :"};
inline constexpr LangText TimeCaptionText{"Zeit :", "Time :", "Heure:", "Hora :"};
inline constexpr LangText ShipCaptionText{"Schiff :", "Ship :", "Navire/Site:", "Barco :"};

inline constexpr LangText CylinderHeader{"CYL", "CYL", "CYL", "Cil"};
inline constexpr LangText PtdcHeader{"pTDC", "pTDC", "pPMH", "pTDC"};
inline constexpr LangText RpmHeader{"rpm", "rpm", "rpm", "rev"};
inline constexpr LangText MipHeader{"MIP", "MIP", "pmi", "pmi"};
inline constexpr LangText PmaxDevHeader{"Abw. pmax", "dev. pmax",
                                        "\xC3\xA9"
                                        "cart pmax",
                                        "desv. pmax"};
inline constexpr LangText MipDevHeader{"Abw. MIP", "dev. MIP",
                                       "\xC3\xA9"
                                       "cart pmi",
                                       "desv. pmi"};
inline constexpr LangText DegUnit{"[deg]", "[deg]", "[deg]", "[grados]"};
inline constexpr LangText RpmUnit{"[1/min]", "[1/min]", "[t/min]", "[1/min]"};

}  // namespace zephirax
