#include "setup/EngineSetup.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "measurement/FixedField.h"
#include "measurement/NumberText.h"
#include "platform/AtomicFile.h"
#include "platform/LangText.h"
#include "platform/RegularFile.h"

namespace zephirax {

namespace {

constexpr char Stx = 0x02;
constexpr char Etx = 0x03;

// A setup file is a few hundred bytes; anything far larger is not one, and is
// not read into memory whole.
constexpr size_t MaxSetupFileSize = 64 * 1024;

constexpr LangText NotSetupFile{"Dies ist keine SETUP-Datei !", "This is not a valid file type !",
                                "Type de fichier incorrect !",
                                "Es un fichero de datos incorrecto !"};

// Right-aligned in `width` with `decimals` decimals (negative: integer), cut to
// the first `width` characters when the number is longer.
std::string Fixed(double value, int width, int decimals) {
  return FormatFixed(value, width, decimals).substr(0, static_cast<size_t>(width));
}

std::string FixedInt(int32_t value, int width) {
  return FormatInt(value, width).substr(0, static_cast<size_t>(width));
}

// Blanks among the first three characters become "0".
std::string Padded(std::string field) {
  for (size_t i = 0; i < 3 && i < field.size(); ++i) {
    if (field[i] == ' ') field[i] = '0';
  }
  return field;
}

// The TDC correction keeps its sign in the first character: "-002.5", "+002.5".
std::string Signed(std::string field) {
  bool negative = false;
  for (size_t i = 0; i < 3 && i < field.size(); ++i) negative = negative || field[i] == '-';
  if (!field.empty() && field[0] == ' ') field[0] = negative ? '-' : '+';
  for (size_t i = 1; i < 3 && i < field.size(); ++i) {
    if (field[i] == ' ' || field[i] == '-') field[i] = '0';
  }
  return field;
}

// A one-character field holds one digit; a negative value would leave a lone
// "-" that no reader converts.
bool OneDigit(int32_t value) {
  return value >= 0 && value <= 9;
}

bool AllFinite(const EngineSetup& setup) {
  if (!std::isfinite(setup.TdcCorrection) || !std::isfinite(setup.VAngle) ||
      !std::isfinite(setup.Pscav) || !std::isfinite(setup.PmaxDevLimit)) {
    return false;
  }
  for (int c = 1; c <= setup.CylCount; ++c) {
    if (!std::isfinite(setup.TdcDeviation[c])) return false;
  }
  return true;
}

// Walks the frame's fixed fields; every field is followed by one separator
// byte that is skipped unseen.
class FrameReader {
 public:
  explicit FrameReader(std::string_view bytes) : bytes_(bytes) {}

  bool Field(size_t width, std::string_view& field) {
    if (position_ + width > bytes_.size()) return false;
    field = bytes_.substr(position_, width);
    position_ += width + 1;
    return true;
  }
  bool Int(size_t width, int32_t& value) {
    std::string_view field;
    return Field(width, field) && ParseIntField(field, value);
  }
  bool Real(size_t width, double& value) {
    std::string_view field;
    return Field(width, field) && ParseFloatField(field, value);
  }
  bool Flag(int32_t& value) {
    std::string_view field;
    if (!Field(1, field)) return false;
    value = field[0] == '1' ? -1 : 0;
    return true;
  }

 private:
  std::string_view bytes_;
  size_t position_ = 1;  // after STX
};

}  // namespace

EngineSetup SetupFromMeasurement(const MeasurementData& data, int32_t kmSensor,
                                 int32_t fuelAclSensor, int32_t averageCurve) {
  EngineSetup setup;
  setup.CylCount = data.CylCount;
  setup.StrokeCount = data.StrokeCount;
  setup.StrokeCycle = data.StrokeCycle;
  setup.TdcSensor = data.TdcSensor;
  setup.InLineEngine = data.InLineEngine;
  setup.TdcCorrection = data.TdcCorrection;
  setup.FiringOrder = data.FiringOrder;
  setup.VAngle = data.VAngle;
  setup.Bore = data.Bore;
  setup.Stroke = data.Stroke;
  setup.ConRod = data.ConRod;
  setup.TdcDeviation = data.TdcDeviation;
  setup.Pscav = data.Pscav;
  setup.PmaxDevLimit = data.PmaxDevLimit;
  setup.KmSensor = kmSensor;
  setup.FuelAclSensor = fuelAclSensor;
  setup.AverageCurve = averageCurve;
  return setup;
}

void ApplySetupToMeasurement(const EngineSetup& setup, MeasurementData& data) {
  data.CylCount = setup.CylCount;
  data.StrokeCount = setup.StrokeCount;
  data.StrokeCycle = setup.StrokeCycle;
  data.TdcSensor = setup.TdcSensor;
  data.InLineEngine = setup.InLineEngine;
  data.TdcCorrection = setup.TdcCorrection;
  data.FiringOrder = setup.FiringOrder;
  data.VAngle = setup.VAngle;
  data.Bore = setup.Bore;
  data.Stroke = setup.Stroke;
  data.ConRod = setup.ConRod;
  data.TdcDeviation = setup.TdcDeviation;
  data.Pscav = setup.Pscav;
  data.PmaxDevLimit = setup.PmaxDevLimit;
}

void NewSetupDefaults(EngineSetup& setup) {
  setup.CylCount = 6;
  setup.StrokeCount = 10;
  setup.StrokeCycle = 2;
  setup.TdcSensor = 1;
  setup.KmSensor = 1;
  setup.InLineEngine = 1;
  setup.TdcCorrection = 0.0;
  setup.VAngle = 0.0;
  setup.Pscav = 1.0;
  setup.PmaxDevLimit = 5.0;
  setup.Bore = 1234;
  setup.Stroke = 2345;
  setup.ConRod = 3456;
  for (int c = 1; c <= MaxCylinders; ++c) {
    setup.TdcDeviation[c] = 0.0;
    setup.FiringOrder[c] = 1;
  }
  setup.FuelAclSensor = 0;
  setup.AverageCurve = -1;
}

std::optional<std::string> SetupFrame(const EngineSetup& setup, FrameUse use) {
  if (setup.CylCount < 1 || setup.CylCount > MaxCylinders || setup.StrokeCount < 1 ||
      setup.StrokeCount > MaxStrokes || !AllFinite(setup) || !OneDigit(setup.StrokeCycle) ||
      !OneDigit(setup.TdcSensor) || !OneDigit(setup.InLineEngine) || !OneDigit(setup.KmSensor)) {
    return std::nullopt;
  }
  std::string frame;
  frame.reserve(SetupFrameSize(setup.CylCount));
  auto put = [&frame](const std::string& field) {
    frame += field;
    frame += ';';
  };
  frame += Stx;
  put(Padded(FixedInt(setup.CylCount - 1, 2)));
  put(Padded(FixedInt(setup.StrokeCount - 1, 2)));
  put(FixedInt(setup.StrokeCycle, 1));
  put(FixedInt(setup.TdcSensor, 1));
  put(FixedInt(setup.InLineEngine, 1));
  put(Signed(Fixed(setup.TdcCorrection, 6, 1)));
  for (int p = 1; p <= setup.CylCount; ++p) put(Padded(FixedInt(setup.FiringOrder[p], 2)));
  put(Padded(Fixed(setup.InLineEngine == 1 ? 0.0 : setup.VAngle, 5, 1)));
  put(Padded(FixedInt(setup.Bore, 4)));
  put(Padded(FixedInt(setup.Stroke, 4)));
  put(Padded(FixedInt(setup.ConRod, 4)));
  for (int c = 1; c <= setup.CylCount; ++c) put(Padded(Fixed(setup.TdcDeviation[c], 5, 1)));
  put(Padded(Fixed(setup.Pscav, 4, use == FrameUse::File ? 2 : 1)));
  put(Padded(Fixed(setup.PmaxDevLimit, 4, 1)));
  put(FixedInt(setup.KmSensor, 1));
  put(setup.FuelAclSensor == -1 ? "1" : "0");
  put(setup.AverageCurve == -1 ? "1" : "0");
  frame += Etx;
  return frame;
}

bool WriteSetupFile(EngineSetup& setup, const std::string& fileName) {
  const std::optional<std::string> frame = SetupFrame(setup, FrameUse::File);
  if (!frame) return false;
  if (setup.InLineEngine == 1) setup.VAngle = 0;
  return ReplaceFileAtomically(fileName, *frame);
}

std::optional<EngineSetup> ParseSetupFrame(std::string_view bytes, const EngineSetup& start) {
  if (bytes.empty() || bytes[0] != Stx) return std::nullopt;
  EngineSetup setup = start;
  FrameReader reader(bytes);
  if (!reader.Int(2, setup.CylCount) || !reader.Int(2, setup.StrokeCount)) return std::nullopt;
  // Any two digits convert; only counts the arrays hold are accepted.
  setup.CylCount += 1;
  setup.StrokeCount += 1;
  if (setup.CylCount < 1 || setup.CylCount > MaxCylinders || setup.StrokeCount < 1 ||
      setup.StrokeCount > MaxStrokes) {
    return std::nullopt;
  }
  if (!reader.Int(1, setup.StrokeCycle) || !reader.Int(1, setup.TdcSensor) ||
      !reader.Int(1, setup.InLineEngine) || !reader.Real(6, setup.TdcCorrection)) {
    return std::nullopt;
  }
  for (int p = 1; p <= setup.CylCount; ++p) {
    if (!reader.Int(2, setup.FiringOrder[p])) return std::nullopt;
  }
  if (!reader.Real(5, setup.VAngle) || !reader.Int(4, setup.Bore) || !reader.Int(4, setup.Stroke) ||
      !reader.Int(4, setup.ConRod)) {
    return std::nullopt;
  }
  for (int c = 1; c <= setup.CylCount; ++c) {
    if (!reader.Real(5, setup.TdcDeviation[c])) return std::nullopt;
  }
  if (!reader.Real(4, setup.Pscav) || !reader.Real(4, setup.PmaxDevLimit) ||
      !reader.Int(1, setup.KmSensor) || !reader.Flag(setup.FuelAclSensor) ||
      !reader.Flag(setup.AverageCurve)) {
    return std::nullopt;
  }
  // The separator and ETX after the last flag are not checked.
  if (setup.InLineEngine == 1) setup.VAngle = 0;
  return setup;
}

const char* NotSetupFileText(int language) {
  return Tr(NotSetupFile, language);
}

std::optional<EngineSetup> ParseSetupFile(const std::string& fileName, const EngineSetup& start) {
  const RegularFileRead read = ReadRegularFile(fileName, MaxSetupFileSize);
  if (!read) return std::nullopt;
  return ParseSetupFrame(read.Bytes, start);
}

bool ReadSetupFile(EngineSetup& setup, int32_t& setupValid, const std::string& fileName) {
  const std::optional<EngineSetup> parsed = ParseSetupFile(fileName, setup);
  if (!parsed) {
    setupValid = 0;
    return false;
  }
  setup = *parsed;
  setupValid = -1;
  return true;
}

bool AutoTdcDeviations(EngineSetup& setup) {
  const int n = setup.CylCount;
  if (n < 1 || n > MaxCylinders) return false;
  const double k = setup.StrokeCycle;
  // B[q] is the deviation of firing position q + 1.
  std::array<double, MaxCylinders> b{};
  if (setup.InLineEngine == 1) {
    for (int p = 1; p <= n; ++p) b[p - 1] = (p - 1) * 360.0 * k / 2.0 / n;
  } else {
    const int h = n / 2;
    std::array<double, MaxCylinders> a{};
    for (int j = 0; j < h; ++j) a[j] = 360.0 * k * j / n;
    for (int j = h; j < n; ++j) a[j] = 360.0 * k * (j - h) / n + setup.VAngle;
    for (int j = 0; j < h; ++j) {
      b[2 * j] = a[j];
      b[2 * j + 1] = a[h + j];
    }
    // With an odd count the interleave continues: the last position gets bank
    // B's last value.
    if (n % 2 == 1) b[n - 1] = a[n - 1];
    if (setup.StrokeCycle == 4) {
      for (int q = 0; q < n; ++q) {
        if (b[q] > 720.0) b[q] -= 720.0;
      }
    }
  }
  for (int p = 1; p <= n; ++p) {
    const int cylinder = setup.FiringOrder[p];
    if (cylinder >= 1 && cylinder <= n) setup.TdcDeviation[cylinder] = b[p - 1];
  }
  return true;
}

}  // namespace zephirax
