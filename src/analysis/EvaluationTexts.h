#pragma once

#include "platform/LangText.h"

// The headers and units of the per-cylinder evaluation, shared by the views'
// boxes and tables and the command line's table.

namespace zephirax {

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
