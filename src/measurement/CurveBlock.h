#pragma once

#include <string_view>

#include "measurement/KeywordScanner.h"
#include "measurement/MeasurementData.h"

// The three shapes a curve block takes in a measurement file, shared by every
// reader of the format.

namespace zephirax {

enum class BlockLayout {
  Rows,           // a MIP item was seen: N rows (1440, or 360 before version "4.00")
  CylinderLines,  // neither MIP nor MODE item: one line of 180 values per cylinder
  CoarseRows,     // no MIP item but a MODE item: 180 rows
};

struct BlockShape {
  BlockLayout Layout = BlockLayout::Rows;
  int Samples = SamplesPerCurve;  // values per cylinder in the file
};

// A file without a version counts as older than "4.00" (byte-wise comparison).
inline BlockShape CurveBlockShape(bool hasMipBlock, bool modeSeen, std::string_view version) {
  if (hasMipBlock) return {BlockLayout::Rows, version >= "4.00" ? SamplesPerCurve : 360};
  return {modeSeen ? BlockLayout::CoarseRows : BlockLayout::CylinderLines, CoarseSamples};
}

// Reads one block of `cylinders` curves with values `width` characters wide,
// handing each to store(cylinder, sample, value).
template <class Store>
void ReadCurveBlock(KeywordScanner& in, const BlockShape& shape, int cylinders, size_t width,
                    Store&& store) {
  if (shape.Layout == BlockLayout::CylinderLines) {
    for (int i = 1; i <= cylinders; ++i) {
      for (int s = 1; s <= shape.Samples; ++s) {
        store(i, s, in.CurveFloat(width));
        in.Skip(1);
      }
      in.Skip(2);
    }
  } else {
    for (int s = 1; s <= shape.Samples; ++s) {
      for (int i = 1; i <= cylinders; ++i) {
        store(i, s, in.CurveFloat(width));
        in.Skip(1);
      }
      in.Skip(2);
    }
  }
  if (shape.Layout != BlockLayout::CoarseRows) in.Skip(1);
}

}  // namespace zephirax
