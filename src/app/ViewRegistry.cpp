#include "app/ViewRegistry.h"

#include <array>

#include "analysis/PAlphaViews.h"
#include "analysis/TdcViews.h"
#include "app/MainTexts.h"
#include "charts/DeviationCharts.h"
#include "charts/EngineRoomPage.h"
#include "charts/EngineTable.h"
#include "charts/PAlpha3DView.h"
#include "charts/PVViews.h"
#include "charts/ValueCharts.h"

namespace zephirax {

namespace {

using enum ViewNeed;
using enum CopyPlace;

constexpr std::array<ViewEntry, 21> Entries{{
    {ViewPAlphaSingle, Nothing, ShowPAlphaSingle, "PAlphaSingleItem", &MenuPAlphaSingle, AtCurves},
    {ViewPAlphaRef, Reference, ShowPAlphaRef, "PAlphaRefItem", &MenuPAlphaRef, AtCurves},
    {ViewPAlphaAll, Nothing, ShowPAlphaAll, "PAlphaAllItem", &MenuPAlphaAll, AtCurves},
    {ViewPAlpha3D, Nothing, ShowPAlpha3D, "PAlpha3DItem", &MenuPAlpha3D, Stay},
    {ViewPVSingle, MipItem, ShowPVSingle, "PVSingleItem", &MenuPVSingle, AtCurves},
    {ViewPVAll, MipItem, ShowPVAll, "PVAllItem", &MenuPVAll, AtCurves},
    {ViewPmaxSingle, Nothing, ShowPmaxSingle, "PmaxSingleItem", &MenuPmaxSingle, AtBars},
    {ViewPmaxAllStrokes, Nothing, ShowPmaxAllStrokes, "PmaxAllStrokesItem", &MenuPmaxAllStrokes,
     AtBars},
    {ViewPmaxMean, Nothing, ShowPmaxMean, "PmaxMeanItem", &MenuPmaxMean, AtBars},
    {ViewPmaxDeviation, Nothing, ShowPmaxDeviation, "PmaxDeviationItem", &MenuPmaxDeviation,
     AtBars},
    {ViewMipAll, MipItem, ShowMipAll, "MipAllItem", &MenuMipAll, AtBars},
    {ViewMipDeviation, MipItem, ShowMipDeviation, "MipDeviationItem", &MenuMipDeviation, AtBars},
    {ViewPindAll, MipItem, ShowPindAll, "PindAllItem", &MenuPindAll, AtBars},
    {ViewPindDeviation, MipItem, ShowPindDeviation, "PindDeviationItem", &MenuPindDeviation,
     AtBars},
    {ViewRpmAll, Nothing, ShowRpmAll, "RpmAllItem", &MenuRpmAll, AtBars},
    {ViewTexhAll, AddData, ShowTexhAll, "TexhAllItem", &MenuTexhAll, Stay},
    {ViewTexhDeviation, AddData, ShowTexhDeviation, "TexhDeviationItem", &MenuTexhDeviation, Stay},
    // The table pages keep Copy clear of their header line.
    {ViewEngineTable, Nothing, ShowEngineTable, "EngineTableItem", &MenuEngineTable, AtBars},
    // Reached through the table's page button.
    {ViewEngineTable2, Nothing, ShowEngineTable2, nullptr, nullptr, Stay},
    {ViewTdcAuto, ShiftWorkflow, ShowTdcAuto, nullptr, nullptr, Stay},
    {ViewTdcManual, ShiftWorkflow, ShowTdcManual, nullptr, nullptr, Stay},
}};

}  // namespace

std::span<const ViewEntry> ViewRegistry() {
  return Entries;
}

const ViewEntry* FindView(int32_t code) {
  for (const ViewEntry& entry : Entries) {
    if (entry.Code == code) return &entry;
  }
  return nullptr;
}

}  // namespace zephirax
