#pragma once

#include "platform/LangText.h"

// Mean labels the value charts and the deviation charts share.

namespace zephirax {

inline constexpr LangText ChartPmaxMeanLabel{
    "pmaxmean = ", "pmaxmean = ", "pmaxmoy = ", "pmax medio = "};
inline constexpr LangText ChartMipMeanLabel{"MIPmean = ", "MIPmean = ", "PMImoy = ", "pmimedio = "};
inline constexpr LangText ChartPindMeanLabel{
    "Pindmean = ", "Pindmean = ", "Pindmoy = ", "Pind medio = "};

// "°C" / "°F": the temperature unit word after a mean.
inline const char* ChartTempUnitWord(int tempUnit) {
  return tempUnit == 1 ? "\xC2\xB0"
                         "F"
                       : "\xC2\xB0"
                         "C";
}

}  // namespace zephirax
