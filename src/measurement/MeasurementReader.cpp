#include "measurement/MeasurementReader.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <memory>

#include "measurement/CurveBlock.h"
#include "measurement/Evaluation.h"
#include "measurement/ItemKeys.h"
#include "measurement/KeywordScanner.h"

namespace zephirax {

namespace {

class Reader {
 public:
  Reader(MeasurementData& data, std::string_view bytes) : d_(data), in_(bytes) {}

  // Throws FileFaultError naming where the fault lies.
  void Run() {
    NamingThePart(part_, [this] { ReadItems(); });
  }

 private:
  void ReadItems() {
    d_.TdcShift.fill(0);
    d_.HasMipBlock = false;
    d_.HasExtraChannel = false;
    d_.ExtraIsAcl = false;
    d_.ExtraIsBinary = false;

    if (!in_.StartTest()) throw FileFaultError(FileFault::NotDataFile, FaultReason::NotMeasurement);
    while (in_.Advance()) Dispatch();
    part_ = FilePart::Header;
    // Everything that works on a measurement needs a cylinder count; a file
    // that never gave one (and found none from an earlier file) is unusable.
    if (d_.CylCount < 1 || d_.CylCount > MaxCylinders) {
      ThrowUnreadable(FaultReason::NoCylinderCount);
    }

    if (d_.HasExtraChannel && d_.ExtraIsBinary) ReadBinaryTail();
    for (int i = 1; i <= d_.CylCount; ++i) {
      const Curve raw = d_.PressureCurve[i];
      PeakPreservingSmooth(raw, d_.PressureCurve[i], CurveSamples(d_));
    }
    d_.SetupValid = -1;
  }

  // The item whose key the window holds reads its values; other bytes pass.
  void Dispatch() {
    part_ = FilePart::Header;  // until an item of another part says otherwise
    const std::optional<Item> item = RecognisedItem(in_);
    if (!item) return;
    switch (*item) {
      case Item::Version:
        return Version();
      case Item::Date:
        d_.MeasDate = in_.ItemText(10);
        return;
      case Item::Time:
        d_.MeasTime = in_.ItemText(5);
        return;
      case Item::Cylinders:
        d_.CylCount = in_.ItemCount(2, 1, MaxCylinders);
        return;
      case Item::Mode:
        return Mode();
      case Item::EngineType:
        d_.InLineEngine = Flag("Ll");
        return;
      case Item::VAngle:
        d_.VAngle = Value(5);
        return;
      case Item::ConRod:
        d_.ConRod = Whole(4);
        return;
      case Item::Bore:
        d_.Bore = Whole(4);
        return;
      case Item::Stroke:
        d_.Stroke = Whole(4);
        return;
      case Item::TdcSensor:
        d_.TdcSensor = Flag("Y");
        return;
      case Item::TdcCorrection:
        return TdcCorrection();
      case Item::FiringOrder:
        return FiringOrder();
      case Item::TdcDeviation:
        return TdcDeviation();
      case Item::Rpm:
        return Rpm();
      case Item::PmaxStatistics:
        return PmaxStatistics();
      case Item::EnginePmaxMean:
        d_.EnginePmaxMean = static_cast<float>(Value(5));
        return;
      case Item::Fcyl:
        return Fcyl();
      case Item::Mea:
        return Mea();
      case Item::StrokeCount:
        d_.StrokeCount = in_.ItemCount(2, 1, MaxStrokes);
        return;
      case Item::PmaxDevLimit:
        d_.PmaxDevLimit = Value(4);
        return;
      case Item::Pscav:
        d_.Pscav = Value(4);
        return;
      case Item::StrokePressures:
        return StrokePressures();
      case Item::Mip:
        return Mip();
      case Item::Power:
        return Power();
      case Item::PressureCurves:
        return PressureBlock();
      case Item::FuelBinary:
        return BinaryChannel(false);
      case Item::AclBinary:
        return BinaryChannel(true);
      case Item::Shift:
        return Shift();
      case Item::FuelCurves:
        return FuelBlock();
    }
  }

  // Counts from an earlier file or another workflow are trusted only as far
  // as the arrays reach.
  int Cylinders() const { return std::clamp(d_.CylCount, 0, MaxCylinders); }
  int Strokes() const { return std::clamp(d_.StrokeCount, 0, MaxStrokes); }

  double Value(size_t width) { return in_.ToDouble(in_.ItemValue(width)); }
  int32_t Whole(size_t width) { return in_.ToInt(in_.ItemValue(width)); }
  int32_t Flag(std::string_view trueLetters) {
    return in_.ItemValue(1).find_first_of(trueLetters) == 0 ? 1 : 0;
  }

  void Version() { version_.assign(in_.ItemValue(4)); }

  void Mode() {
    modeSeen_ = true;
    const int32_t cycle = Whole(1);
    if (cycle != 2 && cycle != 4) ThrowUnreadable(FaultReason::OutOfRange);
    d_.StrokeCycle = cycle;
  }

  void TdcCorrection() {
    in_.Skip(2);
    d_.TdcCorrection = in_.Double(5);
    in_.Skip(1);
  }

  void FiringOrder() {
    part_ = FilePart::CylinderValues;
    in_.Skip(1);
    for (int i = 1; i <= Cylinders(); ++i) {
      d_.FiringOrder[i] = in_.Int(2);
      in_.Skip(1);
    }
    in_.Skip(1);
  }

  void TdcDeviation() {
    part_ = FilePart::CylinderValues;
    in_.Skip(2);
    for (int i = 1; i <= Cylinders(); ++i)
      d_.TdcDeviation[i] = in_.ToDouble(in_.CharsUntilSeparator(20));
  }

  void Rpm() {
    part_ = FilePart::CylinderValues;
    for (int i = 1; i <= Cylinders(); ++i) d_.CylRpm[i] = in_.ShortLineValue();
  }

  void PmaxStatistics() {
    part_ = FilePart::CylinderValues;
    in_.Skip(1);
    for (int i = 1; i <= Cylinders(); ++i) {
      d_.PmaxMean[i] = in_.Int(3);
      in_.Skip(1);
      d_.PmaxHigh[i] = in_.Int(3);
      in_.Skip(1);
      d_.PmaxLow[i] = in_.Int(3);
      in_.Skip(2);
    }
    int32_t highest = 0;
    for (int i = 1; i <= Cylinders(); ++i) highest = std::max(highest, d_.PmaxHigh[i]);
    float axis = 50;
    if (highest > 50) axis = 75;
    if (highest > 75) axis = 100;
    if (highest > 100) axis = 150;
    if (highest > 150) axis = 200;
    if (highest > 200) axis = 250;
    d_.PressureAxisMax = axis;
  }

  void Fcyl() {
    part_ = FilePart::CylinderValues;
    in_.Skip(1);
    for (int i = 1; i <= Cylinders(); ++i) {
      d_.CylValueFCYL[i] = static_cast<float>(in_.ToDouble(in_.CharsUntilSeparator(7)));
    }
  }

  void Mea() {
    part_ = FilePart::CylinderValues;
    in_.Skip(2);
    for (int i = 1; i <= Cylinders(); ++i) {
      d_.CylValueMEA1[i] = in_.Float(5);
      in_.Skip(1);
      d_.CylValueMEA2[i] = in_.Float(5);
      in_.Skip(2);
    }
  }

  void StrokePressures() {
    part_ = FilePart::CylinderValues;
    in_.Skip(1);
    for (int i = 1; i <= Cylinders(); ++i) {
      for (int k = 1; k <= Strokes(); ++k) {
        d_.StrokePmax[i][k] = in_.Int(3);
        in_.Skip(1);
      }
      in_.Skip(1);
    }
  }

  void Mip() {
    part_ = FilePart::CylinderValues;
    d_.HasMipBlock = true;
    for (int i = 1; i <= Cylinders(); ++i) {
      d_.CylMip[i] = in_.Float(5);
      in_.Skip(1);
    }
    in_.Skip(2);
  }

  void Power() {
    part_ = FilePart::CylinderValues;
    in_.Skip(1);
    for (int i = 1; i <= Cylinders(); ++i) {
      d_.CylPind[i] = in_.FiveDigitWhole();
      in_.Skip(1);
    }
    in_.Skip(2);
  }

  void BinaryChannel(bool acl) {
    d_.HasExtraChannel = true;
    d_.ExtraIsBinary = true;
    if (acl) d_.ExtraIsAcl = true;
    d_.ExtraAxisMax = 500;
  }

  void Shift() {
    part_ = FilePart::CylinderValues;
    in_.Skip(1);
    for (int i = 1; i <= Cylinders(); ++i) {
      d_.TdcShift[i] = in_.Float(5);
      in_.Skip(1);
    }
  }

  void PressureBlock() {
    part_ = FilePart::PressureCurves;
    in_.Skip(3);
    ReadBlock(d_.PressureCurve, 5, false);
  }

  void FuelBlock() {
    part_ = FilePart::SecondCurves;
    d_.HasExtraChannel = true;
    d_.ExtraIsBinary = false;
    d_.ExtraAxisMax = 500;
    ReadBlock(d_.ExtraCurve, d_.HasMipBlock ? 6 : 5, true);
  }

  // Fuel values beyond the axis widen it in steps of 250, at most four per value.
  void RaiseExtraAxis(float value) {
    for (int step = 0; step < 4 && value > d_.ExtraAxisMax; ++step) d_.ExtraAxisMax += 250;
  }

  void ReadBlock(PerCylinder<Curve>& curves, size_t width, bool fuel) {
    const BlockShape shape = CurveBlockShape(d_.HasMipBlock, modeSeen_, version_);
    const int n = Cylinders();
    // Old files fill only the first 180 samples; what follows must not be left
    // over from the previously loaded measurement.
    if (shape.Samples == CoarseSamples) {
      for (int i = 1; i <= n; ++i) {
        std::fill(curves[i].begin() + CoarseSamples + 1, curves[i].end(), 0.0f);
      }
    }
    const bool raiseAxis = fuel && shape.Layout == BlockLayout::Rows;
    ReadCurveBlock(in_, shape, n, width, [&](int i, int s, float value) {
      curves[i][s] = value;
      if (raiseAxis) RaiseExtraAxis(value);
    });
    if (shape.Layout != BlockLayout::Rows) return;
    if (fuel) ComputeAclAmplitude(shape.Samples);
    if (shape.Samples == 360) {
      for (int i = 1; i <= n; ++i) ExpandTo1440(curves[i]);
    }
  }

  // Largest deviation of any cylinder's second curve from that curve's own mean
  // over its first `samples` samples.
  void ComputeAclAmplitude(int samples) {
    d_.AclAmplitude = 0;
    for (int i = 1; i <= Cylinders(); ++i) {
      const Curve& x = d_.ExtraCurve[i];
      double sum = 0;
      for (int s = 1; s <= samples; ++s) sum += x[s];
      const double mean = sum / samples;
      double hi = 0;
      double lo = 5000;
      for (int s = 1; s <= samples; ++s) {
        hi = std::max(hi, x[s] - mean);
        lo = std::min(lo, x[s] - mean);
      }
      d_.AclAmplitude =
          std::max({d_.AclAmplitude, static_cast<float>(hi), static_cast<float>(std::fabs(lo))});
    }
  }

  // The second curves stored as 360 little-endian singles per cylinder at the
  // end of the file; they are always expanded to 1440 samples, so the ACL
  // amplitude is taken over all 1440.
  void ReadBinaryTail() {
    part_ = FilePart::SecondCurves;
    const size_t tailSize = static_cast<size_t>(Cylinders()) * 1440;
    if (in_.Size() < tailSize) ThrowUnreadable(FaultReason::EndsInside);
    in_.Seek(in_.Size() - tailSize);
    for (int i = 1; i <= Cylinders(); ++i) {
      for (int s = 1; s <= 360; ++s) {
        const float value = in_.FiniteSingle();
        d_.ExtraCurve[i][s] = value;
        RaiseExtraAxis(value);
      }
      ExpandTo1440(d_.ExtraCurve[i]);
    }
    if (d_.ExtraIsAcl) ComputeAclAmplitude(SamplesPerCurve);
  }

  MeasurementData& d_;
  KeywordScanner in_;
  FilePart part_ = FilePart::Header;  // of the item being read
  std::string version_;               // a file without a version counts as older than "4.00"
  bool modeSeen_ = false;
};

LoadResult LoadBytes(MeasurementData& data, std::string_view bytes) {
  // Load into a copy and take it over only when the whole file was accepted.
  // The copy is kept from one load to the next: the curves make it a quarter
  // of a megabyte, which costs more to allocate afresh than to overwrite.
  thread_local const std::unique_ptr<MeasurementData> loaded = std::make_unique<MeasurementData>();
  *loaded = data;
  try {
    Reader(*loaded, bytes).Run();
  } catch (const FileFaultError& fault) {
    return fault.Result();
  }
  data = *loaded;
  return {};
}

}  // namespace

void ExpandTo1440(Curve& curve) {
  // Backwards, so that no source sample is overwritten before it is used.
  for (int k = 360; k >= 1; --k) {
    const double p = curve[k];
    const double d = k < 360 ? curve[k + 1] - p : static_cast<double>(curve[360]) - curve[359];
    curve[4 * k - 3] = static_cast<float>(p);
    curve[4 * k - 2] = static_cast<float>(p + d / 4);
    curve[4 * k - 1] = static_cast<float>(p + d / 2);
    curve[4 * k] = static_cast<float>(p + 0.75 * d);
  }
}

LoadResult LoadMeasurementBytes(MeasurementData& data, std::string_view bytes) {
  return LoadBytes(data, bytes);
}

LoadResult LoadMeasurement(MeasurementData& data, const std::string& fileName) {
  std::string bytes;
  FaultReason why = FaultReason::CannotOpen;
  if (!ReadMeasurementFile(fileName, bytes, &why)) return {LoadFault{FileFault::NotDataFile, why}};
  return LoadBytes(data, bytes);
}

}  // namespace zephirax
