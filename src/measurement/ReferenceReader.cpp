#include "measurement/ReferenceReader.h"

#include <algorithm>
#include <memory>

#include "measurement/CurveBlock.h"
#include "measurement/Evaluation.h"
#include "measurement/ItemKeys.h"
#include "measurement/KeywordScanner.h"
#include "measurement/MeasurementReader.h"

namespace zephirax {

namespace {

// The measurement reader's format, keeping only what a reference needs: the
// requested cylinder's curves and the per-cylinder results.
class RefReader {
 public:
  RefReader(ReferenceData& ref, MeasurementData& data, std::string_view bytes, int cylinder)
      : r_(ref), d_(data), in_(bytes), cylinder_(cylinder) {}

  // Throws FileFaultError naming where the fault lies.
  void Run() {
    NamingThePart(part_, [this] { ReadItems(); });
  }

 private:
  void ReadItems() {
    r_.RefHasExtra = false;
    r_.RefExtraIsBinary = false;
    if (!in_.StartTest()) throw FileFaultError(FileFault::NotDataFile, FaultReason::NotMeasurement);
    while (in_.Advance()) Dispatch();
    part_ = FilePart::Header;
    if (r_.RefCylCount < 1 || r_.RefCylCount > MaxCylinders) {
      ThrowUnreadable(FaultReason::NoCylinderCount);
    }
    // The requested cylinder must exist, or the reference would show another file's curve.
    if (cylinder_ < 1 || cylinder_ > r_.RefCylCount) ThrowUnreadable(FaultReason::NoSuchCylinder);
    if (r_.RefHasExtra && r_.RefExtraIsBinary) ReadBinaryTail();
    d_.SetupValid = -1;
  }

  void Dispatch() {
    part_ = FilePart::Header;  // until an item of another part says otherwise
    const std::optional<Item> item = RecognisedItem(in_);
    if (!item) return;
    switch (*item) {
      case Item::Version:
        version_.assign(in_.ItemValue(4));
        return;
      case Item::Date:
        d_.MeasDate = in_.ItemText(10);
        return;
      case Item::Time:
        d_.MeasTime = in_.ItemText(5);
        return;
      case Item::Cylinders:
        r_.RefCylCount = in_.ItemCount(2, 1, MaxCylinders);
        return;
      case Item::Mode:
        return Mode();
      // Read past, so that a value cannot be taken for a key; not kept.
      case Item::EngineType:
        in_.ItemValue(1);
        return;
      case Item::StrokeCount:
        in_.ItemCount(2, 1, MaxStrokes);
        return;
      case Item::Rpm:
        return Rpm();
      case Item::PmaxStatistics:
        return PressureRange();
      case Item::Mip:
        return Mip();
      case Item::Power:
        return Power();
      case Item::PressureCurves:
        return PressureBlock();
      case Item::FuelBinary:
      case Item::AclBinary:
        r_.RefHasExtra = true;
        r_.RefExtraIsBinary = true;
        return;
      case Item::FuelCurves:
        return FuelBlock();
      default:
        return;  // of no use to a reference; its bytes pass the window
    }
  }

  int Cylinders() const { return std::clamp(r_.RefCylCount, 0, MaxCylinders); }

  void Mode() {
    modeSeen_ = true;
    const int32_t cycle = in_.ToInt(in_.ItemValue(1));
    if (cycle != 2 && cycle != 4) ThrowUnreadable(FaultReason::OutOfRange);
  }

  void Rpm() {
    part_ = FilePart::CylinderValues;
    for (int i = 1; i <= Cylinders(); ++i) r_.RefCylRpm[i] = in_.ShortLineValue();
  }

  // Only the highest pmax counts: it widens the pressure axis, never narrows it.
  void PressureRange() {
    part_ = FilePart::CylinderValues;
    in_.Skip(1);
    double highest = 0;
    for (int i = 1; i <= Cylinders(); ++i) {
      in_.Double(3);
      in_.Skip(1);
      highest = std::max(highest, in_.Double(3));
      in_.Skip(1);
      in_.Double(3);
      in_.Skip(2);
    }
    float step = 50;
    if (highest > 50) step = 75;
    if (highest > 75) step = 100;
    if (highest > 100) step = 150;
    if (highest > 150) step = 200;
    if (highest > 200) step = 250;
    if (step > d_.PressureAxisMax) d_.PressureAxisMax = step;
  }

  void Mip() {
    part_ = FilePart::CylinderValues;
    mipSeen_ = true;
    for (int i = 1; i <= Cylinders(); ++i) {
      r_.RefCylMip[i] = in_.Float(5);
      in_.Skip(1);
    }
    in_.Skip(2);
  }

  void Power() {
    part_ = FilePart::CylinderValues;
    in_.Skip(1);
    for (int i = 1; i <= Cylinders(); ++i) {
      r_.RefCylPind[i] = in_.FiveDigitWhole();
      in_.Skip(1);
    }
    in_.Skip(2);
  }

  // Reads a block and keeps the requested cylinder's curve, at 1440 samples
  // (or 180 in the old layout, the rest cleared).
  BlockShape ReadColumn(Curve& curve, size_t width) {
    const BlockShape shape = CurveBlockShape(mipSeen_, modeSeen_, version_);
    std::fill(curve.begin(), curve.end(), 0.0f);
    ReadCurveBlock(in_, shape, Cylinders(), width, [&](int i, int s, float value) {
      if (i == cylinder_) curve[s] = value;
    });
    if (shape.Samples == 360) ExpandTo1440(curve);
    return shape;
  }

  void PressureBlock() {
    part_ = FilePart::PressureCurves;
    in_.Skip(3);
    const BlockShape shape = ReadColumn(r_.RefCurve, 5);
    const Curve raw = r_.RefCurve;
    PeakPreservingSmooth(raw, r_.RefCurve,
                         shape.Layout == BlockLayout::Rows ? SamplesPerCurve : CoarseSamples);
  }

  void FuelBlock() {
    part_ = FilePart::SecondCurves;
    r_.RefHasExtra = true;
    r_.RefExtraIsBinary = false;
    ReadColumn(r_.RefExtraCurve, mipSeen_ ? 6 : 5);
  }

  void ReadBinaryTail() {
    part_ = FilePart::SecondCurves;
    const size_t tailSize = static_cast<size_t>(Cylinders()) * 1440;
    if (in_.Size() < tailSize) ThrowUnreadable(FaultReason::EndsInside);
    in_.Seek(in_.Size() - tailSize + static_cast<size_t>(cylinder_ - 1) * 1440);
    for (int s = 1; s <= 360; ++s) r_.RefExtraCurve[s] = in_.FiniteSingle();
    ExpandTo1440(r_.RefExtraCurve);
  }

  ReferenceData& r_;
  MeasurementData& d_;
  KeywordScanner in_;
  int cylinder_;
  FilePart part_ = FilePart::Header;  // of the item being read
  std::string version_;
  bool mipSeen_ = false;
  bool modeSeen_ = false;
};

LoadResult LoadBytes(ReferenceData& reference, MeasurementData& data, std::string_view bytes,
                     int cylinder) {
  auto ref = std::make_unique<ReferenceData>(reference);
  auto measurement = std::make_unique<MeasurementData>(data);
  try {
    RefReader(*ref, *measurement, bytes, cylinder).Run();
  } catch (const FileFaultError& fault) {
    return fault.Result();
  }
  reference = std::move(*ref);
  data = std::move(*measurement);
  return {};
}

}  // namespace

LoadResult LoadReferenceBytes(ReferenceData& reference, MeasurementData& data,
                              std::string_view bytes, int cylinder) {
  return LoadBytes(reference, data, bytes, cylinder);
}

LoadResult LoadReference(ReferenceData& reference, MeasurementData& data,
                         const std::string& fileName, int cylinder) {
  std::string bytes;
  FaultReason why = FaultReason::CannotOpen;
  if (!ReadMeasurementFile(fileName, bytes, &why)) return {LoadFault{FileFault::NotDataFile, why}};
  return LoadBytes(reference, data, bytes, cylinder);
}

}  // namespace zephirax
