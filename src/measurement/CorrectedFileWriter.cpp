#include "measurement/CorrectedFileWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "measurement/CurveBlock.h"
#include "measurement/ItemKeys.h"
#include "measurement/KeywordScanner.h"
#include "measurement/MeasurementReader.h"
#include "measurement/NumberText.h"
#include "platform/AtomicFile.h"

namespace zephirax {

namespace {

enum class Writer { Pscav, TdcShift };

// An older file gains this version item.
constexpr std::string_view VersionWritten = "4.00";

// A value that needs more characters than its field would shift every byte
// after it; such a file is not written at all.
struct FieldOverflow {
  FieldMisfit Misfit;
};

// Right-aligned in `width` with `decimals`; blanks become "0" and the decimal
// point a comma, unless the blanks are to stay (the shift row). May be wider
// than `width`.
std::string FixedText(double value, int width, int decimals, bool zeroFill) {
  if (value == 0) value = 0;  // no "-0,0"
  std::string text = FormatFixed(value, width, decimals);
  for (char& c : text) {
    if (c == ' ' && zeroFill) c = '0';
    if (c == '.') c = ',';
  }
  return text;
}

std::string Field(CorrectedField field, double value, int width, int decimals,
                  bool zeroFill = true) {
  std::string text = FixedText(value, width, decimals, zeroFill);
  if (text.size() > static_cast<size_t>(width) || !std::isfinite(value)) {
    throw FieldOverflow{{field, value}};
  }
  return text;
}

std::string Whole(CorrectedField field, int32_t value, int width) {
  std::string text = FormatInt(value, width);
  if (text.size() > static_cast<size_t>(width)) throw FieldOverflow{{field, double(value)}};
  std::replace(text.begin(), text.end(), ' ', '0');
  return text;
}

// The four characters of the scavenging-air pressure are the first four of
// its text with two decimals, so 12.5 stands as "12,5" and 1.234 as "1,23".
// Only a value whose whole part needs more than four characters cannot be
// written.
std::string PscavField(double value) {
  const std::string text = FixedText(value, 4, 2, true);
  const size_t comma = text.find(',');
  if (!std::isfinite(value) || comma == std::string::npos || comma > 4) {
    throw FieldOverflow{{CorrectedField::Pscav, value}};
  }
  return text.substr(0, 4);
}

// The version text of the file, looked for up to the first `stopItem`.
std::string VersionOf(std::string_view bytes, Item stopItem) {
  KeywordScanner in(bytes);
  std::string version;
  try {
    while (in.Advance()) {
      const std::optional<Item> item = RecognisedItem(in);
      if (item == stopItem) break;
      if (item == Item::Version) version.assign(in.ItemValue(4));
    }
  } catch (const FileFaultError&) {
    // A version item cut off by the end of the file counts as no version.
  }
  return version;
}

// An older file: its first seven lines, a version item "4.00", then the rest.
std::string WithVersionItem(std::string_view bytes) {
  size_t end = 0;
  for (int line = 0; line < 7 && end < bytes.size(); ++line) {
    const size_t lf = bytes.find('\n', end);
    end = lf == std::string_view::npos ? bytes.size() : lf + 1;
  }
  std::string out(bytes.substr(0, end));
  if (!out.empty() && out.back() != '\n') out += "\r\n";
  out.append(VersionKeyword).append("\r\n4.00\r\n");
  out.append(bytes.substr(end));
  return out;
}

class Patcher {
 public:
  // Scanning reads the file as it was; writing changes a copy of it.
  Patcher(const MeasurementData& data, std::string bytes, Writer writer)
      : d_(data), original_(std::move(bytes)), out_(original_), in_(original_), writer_(writer) {}

  // Each value is written where the reader starts reading it: `Write`'s skip
  // is the reader's first skip after the key.
  std::string Run() {
    while (in_.Advance()) {
      const std::optional<Item> item = RecognisedItem(in_);
      if (!item) continue;
      if (*item == Item::Mip) mipSeen_ = true;
      if (*item == Item::Mode) modeSeen_ = true;
      if (writer_ == Writer::Pscav) {
        if (*item == Item::PmaxStatistics)
          Write(1, PmaxRows());
        else if (*item == Item::EnginePmaxMean)
          Write(1, Field(CorrectedField::EnginePmaxMean, d_.EnginePmaxMean, 5, 1));
        else if (*item == Item::Pscav)
          Write(1, PscavField(d_.Pscav));
        else if (*item == Item::StrokePressures)
          Write(1, StrokeRows());
      } else {
        if (*item == Item::Mip)
          Write(0, MipRow());
        else if (*item == Item::Power)
          Write(1, PowerRow());
      }
      if (*item == Item::PressureCurves) {
        Write(3, CurveBlock());
        break;  // writing and scanning end with the curves
      }
    }
    return out_;
  }

 private:
  int Cylinders() const { return std::clamp(d_.CylCount, 0, MaxCylinders); }

  // Skips `skip` bytes after the key, then puts `text` over the bytes there.
  // Scanning goes on behind the written bytes, over what the file held there.
  void Write(size_t skip, const std::string& text) {
    const size_t at = std::min(in_.Position() + skip, out_.size());
    if (out_.size() < at + text.size()) out_.resize(at + text.size());
    out_.replace(at, text.size(), text);
    in_.Seek(at + text.size());
  }

  std::string PmaxRows() const {
    std::string rows;
    for (int i = 1; i <= Cylinders(); ++i) {
      rows += Whole(CorrectedField::Pmax, d_.PmaxMean[i], 3) + ";" +
              Whole(CorrectedField::Pmax, d_.PmaxHigh[i], 3) + ";" +
              Whole(CorrectedField::Pmax, d_.PmaxLow[i], 3) + "\r\n";
    }
    return rows;
  }

  std::string StrokeRows() const {
    std::string rows;
    const int strokes = std::clamp(d_.StrokeCount, 0, MaxStrokes);
    for (int i = 1; i <= Cylinders(); ++i) {
      for (int k = 1; k <= strokes; ++k) {
        if (k > 1) rows += ';';
        rows += Whole(CorrectedField::StrokePmax, d_.StrokePmax[i][k], 3);
      }
      rows += "\r\n";
    }
    return rows;
  }

  std::string MipRow() const {
    std::string row;
    for (int i = 1; i <= Cylinders(); ++i)
      row += Field(CorrectedField::Mip, d_.CylMip[i], 5, 1) + ";";
    return row;
  }

  std::string PowerRow() const {
    std::string row;
    for (int i = 1; i <= Cylinders(); ++i)
      row += Whole(CorrectedField::Power, d_.CylPind[i], 5) + ";";
    return row;
  }

  // The curves in the shape the reader takes from this file: 1440 rows once
  // there is a MIP item (the version item makes older files read so too),
  // else the old 180-sample layout the file already has, with its whole-number
  // second-channel values.
  std::string CurveBlock() const {
    const BlockShape shape =
        mipSeen_ ? BlockShape{} : CurveBlockShape(false, modeSeen_, VersionWritten);
    std::string block = Values(d_.PressureCurve, shape, CorrectedField::PressureSample, 5, 1);
    if (d_.HasExtraChannel) {
      block.append(FuelKeyword).append("\r\n");
      block += mipSeen_ ? Values(d_.ExtraCurve, shape, CorrectedField::SecondChannelSample, 6, 1)
                        : Values(d_.ExtraCurve, shape, CorrectedField::SecondChannelSample, 5, 0);
    }
    block.append(ShiftKeyword).append("\r\n");
    for (int i = 1; i <= Cylinders(); ++i) {
      block += Field(CorrectedField::TdcShift, d_.TdcShift[i], 5, 1, false) + ";";
    }
    return block + "\r\n";
  }

  std::string Values(const PerCylinder<Curve>& curves, const BlockShape& shape,
                     CorrectedField field, int width, int decimals) const {
    std::string block;
    block.reserve(static_cast<size_t>(Cylinders()) * static_cast<size_t>(shape.Samples) *
                  (static_cast<size_t>(width) + 2));
    if (shape.Layout == BlockLayout::CylinderLines) {
      for (int i = 1; i <= Cylinders(); ++i) {
        for (int s = 1; s <= shape.Samples; ++s)
          block += Field(field, curves[i][s], width, decimals) + ";";
        block += "\r\n";
      }
      return block;
    }
    for (int s = 1; s <= shape.Samples; ++s) {
      for (int i = 1; i <= Cylinders(); ++i)
        block += Field(field, curves[i][s], width, decimals) + ";";
      block += "\r\n";
    }
    return block;
  }

  const MeasurementData& d_;
  const std::string original_;
  std::string out_;
  KeywordScanner in_;
  Writer writer_;
  bool mipSeen_ = false;
  bool modeSeen_ = false;
};

std::optional<std::string> Corrected(const MeasurementData& data, std::string_view source,
                                     Writer writer, FieldMisfit* misfit, bool* unreadable) {
  const std::string version = VersionOf(source, writer == Writer::Pscav ? Item::Rpm : Item::Mip);
  std::string bytes = version < VersionWritten ? WithVersionItem(source) : std::string(source);
  std::optional<std::string> corrected;
  try {
    corrected = Patcher(data, std::move(bytes), writer).Run();
  } catch (const FieldOverflow& overflow) {
    if (misfit != nullptr) *misfit = overflow.Misfit;
    return std::nullopt;
  }
  // The version item goes in after the seventh line, where every file of the
  // device has an item boundary; a file laid out otherwise would come out
  // unreadable. A correction that cannot be read back is not written: the
  // user's file must never be replaced by one the program cannot open.
  auto reread = std::make_unique<MeasurementData>(data);
  if (!LoadMeasurementBytes(*reread, *corrected)) {
    if (unreadable != nullptr) *unreadable = true;
    return std::nullopt;
  }
  return corrected;
}

CorrectionResult WriteCorrected(const MeasurementData& data, const std::string& sourceName,
                                const std::string& destinationName, Writer writer) {
  CorrectionResult result;
  std::string source;
  if (!ReadMeasurementFile(sourceName, source)) {
    result.Outcome = CorrectionOutcome::SourceUnreadable;
    return result;
  }
  bool unreadable = false;
  const std::optional<std::string> bytes =
      Corrected(data, source, writer, &result.Misfit, &unreadable);
  if (!bytes) {
    result.Outcome =
        unreadable ? CorrectionOutcome::NotReadBack : CorrectionOutcome::ValueDoesNotFit;
  } else if (!ReplaceFileAtomically(destinationName, *bytes)) {
    result.Outcome = CorrectionOutcome::WriteFailed;
  }
  return result;
}

}  // namespace

std::optional<std::string> PscavCorrectedBytes(const MeasurementData& data, std::string_view source,
                                               FieldMisfit* misfit, bool* unreadable) {
  return Corrected(data, source, Writer::Pscav, misfit, unreadable);
}

std::optional<std::string> TdcShiftedBytes(const MeasurementData& data, std::string_view source,
                                           FieldMisfit* misfit, bool* unreadable) {
  return Corrected(data, source, Writer::TdcShift, misfit, unreadable);
}

CorrectionResult WritePscavCorrected(const MeasurementData& data, const std::string& fileName) {
  return WriteCorrected(data, fileName, fileName, Writer::Pscav);
}

CorrectionResult WriteTdcShifted(const MeasurementData& data, const std::string& sourceName,
                                 const std::string& destinationName) {
  return WriteCorrected(data, sourceName, destinationName, Writer::TdcShift);
}

}  // namespace zephirax
