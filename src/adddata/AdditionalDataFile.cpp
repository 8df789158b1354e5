#include "adddata/AdditionalDataFile.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "measurement/FixedField.h"
#include "measurement/KeywordScanner.h"
#include "platform/AtomicFile.h"

namespace zephirax {

namespace {

constexpr size_t NameFieldSize = 30;      // length byte and 29 positions
constexpr size_t CommentFieldSize = 256;  // length byte and 255 positions

bool CylCountUsable(int32_t cylCount) {
  return cylCount >= 0 && cylCount <= MaxCylinders;
}

// Right-aligns `text` in `width`, pads with '0' and cuts what is too long
// (from the right: 1000 in three digits is "100").
std::string Fit(std::string text, size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  text.resize(width);
  return text;
}

std::string WholeField(int32_t value, size_t width) {
  return Fit(std::to_string(value), width);
}

// Formatted without the C locale, which the desktop program may have switched
// to a decimal comma.
std::string DecimalField(double value, size_t width, int decimals) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return std::string(width, '0');
  return Fit(std::string(buffer, result.ptr), width);
}

// A length byte, the text and filler blanks; a text longer than the field
// holds is cut.
std::string RawTextField(std::string_view text, size_t fieldSize) {
  const size_t length = std::min(text.size(), fieldSize - 1);
  std::string field(1, static_cast<char>(length));
  field.append(text.substr(0, length));
  field.resize(fieldSize, ' ');
  return field;
}

void Item(std::string& out, const char* key, const std::string& values) {
  out += key;
  out += "\r\n";
  out += values;
  out += "\r\n";
}

template <class Fn>
std::string Joined(int count, Fn field) {
  std::string line;
  for (int i = 1; i <= count; ++i) {
    if (i > 1) line.push_back(';');
    line += field(i);
  }
  return line;
}

// A value that does not convert reads 0, as a field left empty in the dialog.
float DecimalValue(std::string_view field) {
  double value = 0;
  return ParseFloatField(field, value) ? static_cast<float>(value) : 0.0f;
}

int32_t WholeValue(std::string_view field) {
  int32_t value = 0;
  return ParseIntField(field, value) ? value : 0;
}

// The text behind a length byte; a length larger than the field holds is
// capped rather than trusted.
std::string RawText(std::string_view field) {
  const size_t length = std::min<size_t>(static_cast<unsigned char>(field[0]), field.size() - 1);
  return std::string(field.substr(1, length));
}

// True when the file held at least one item: bytes without any (an empty
// file, blanks) are no additional data, not data that all read 0.
bool ReadItems(KeywordScanner& scan, AdditionalData& data, int32_t cylCount) {
  bool anyItem = false;
  auto oneValue = [&](size_t width) {
    scan.Skip(1);
    const std::string_view chars = scan.Chars(width);
    scan.Skip(1);
    return chars;
  };
  while (scan.Advance()) {
    if (scan.Matches("BARO")) {
      data.Pbaro = DecimalValue(oneValue(4));
    } else if (scan.Matches("SFOG")) {
      data.FuelSpecGravity = DecimalValue(oneValue(6));
    } else if (scan.Matches("FUEL")) {
      data.FuelTemp = DecimalValue(oneValue(5));
    } else if (scan.Matches("ALOR")) {
      data.FuelCalorific = DecimalValue(oneValue(6));
    } else if (scan.Matches("LFUR")) {
      data.FuelSulfur = DecimalValue(oneValue(5));
    } else if (scan.Matches("COSI")) {
      data.FuelViscosity = DecimalValue(oneValue(5));
    } else if (scan.Matches("LOAD")) {
      data.EngineLoad = DecimalValue(oneValue(5));
    } else if (scan.Matches("CONS")) {
      data.FuelConsumption = DecimalValue(oneValue(5));
    } else if (scan.Matches("TEXH")) {
      scan.Skip(1);
      for (int i = 1; i <= cylCount; ++i) {
        data.Texh[i] = WholeValue(scan.Chars(3));
        scan.Skip(1);
      }
      scan.Skip(1);
    } else if (scan.Matches("TCRP")) {
      scan.Skip(2);
      for (int t = 1; t <= TcCount; ++t) {
        data.TcRpm[t] = WholeValue(scan.Chars(5));
        scan.Skip(1);
      }
      scan.Skip(1);
    } else if (scan.Matches("FRAC") || scan.Matches("VIT")) {
      PerCylinder<float>& values = scan.Matches("VIT") ? data.Vit : data.FuelRack;
      if (!scan.Matches("VIT")) scan.Skip(2);
      for (int i = 1; i <= cylCount; ++i) {
        values[i] = DecimalValue(scan.Chars(5));
        scan.Skip(1);
      }
      scan.Skip(1);
    } else if (scan.Matches("TSCA")) {
      scan.Skip(2);
      for (int t = 1; t <= TcCount; ++t) {
        data.TscavBefore[t] = DecimalValue(scan.Chars(4));
        scan.Skip(1);
        data.TscavAfter[t] = DecimalValue(scan.Chars(4));
        scan.Skip(1);
      }
    } else if (scan.Matches("PDI")) {
      scan.Skip(2);
      for (int t = 1; t <= TcCount; ++t) {
        data.PDiff[t] = WholeValue(scan.Chars(4));
        scan.Skip(1);
      }
    } else if (scan.Matches("NAM")) {
      scan.Skip(1);
      data.ShipName = RawText(scan.Chars(NameFieldSize));
    } else if (scan.Matches("TEMP")) {
      scan.Skip(3);
      data.EngineRoomTemp = DecimalValue(scan.Chars(4));
    } else if (scan.Matches("RHOU")) {
      scan.Skip(3);
      data.RunningHours = WholeValue(scan.Chars(6));
    } else if (scan.Matches("SHAF")) {
      scan.Skip(7);
      data.ShaftPower = WholeValue(scan.Chars(5));
    } else if (scan.Matches("PITC")) {
      scan.Skip(2);
      data.Pitch = DecimalValue(scan.Chars(5));
    } else if (scan.Matches("SHGE")) {
      scan.Skip(2);
      data.ShaftGenPower = WholeValue(scan.Chars(5));
    } else if (scan.Matches("MCRP")) {
      scan.Skip(2);
      data.McrPower = WholeValue(scan.Chars(5));
    } else if (scan.Matches("MMEN")) {
      scan.Skip(2);
      data.Comment = RawText(scan.Chars(CommentFieldSize));
      scan.Skip(2);
    } else if (scan.Matches("EXBT") || scan.Matches("EXAT")) {
      PerTc<int32_t>& values = scan.Matches("EXBT") ? data.TexhBeforeTc : data.TexhAfterTc;
      scan.Skip(2);
      for (int t = 1; t <= TcCount; ++t) values[t] = WholeValue(scan.Chars(4).substr(0, 3));
    } else {
      continue;
    }
    anyItem = true;
  }
  return anyItem;
}

}  // namespace

bool ReadAdditionalDataBytes(AdditionalData& data, std::string_view bytes, int32_t cylCount) {
  if (!CylCountUsable(cylCount)) return false;
  AdditionalData loaded = data;
  loaded.TexhBeforeTc = {};
  loaded.TexhAfterTc = {};
  loaded.Pbaro = 0;
  loaded.FuelSpecGravity = 0;
  loaded.FuelTemp = 0;
  loaded.FuelCalorific = 0;
  loaded.FuelSulfur = 0;
  loaded.FuelViscosity = 0;
  loaded.EngineLoad = 0;
  loaded.FuelConsumption = 0;
  KeywordScanner scan(bytes);
  try {
    if (!ReadItems(scan, loaded, cylCount)) return false;
  } catch (const FileFaultError&) {
    return false;
  }
  data = std::move(loaded);
  return true;
}

bool ReadAdditionalData(AdditionalData& data, const std::string& fileName, int32_t cylCount) {
  std::string bytes;
  if (!ReadMeasurementFile(fileName, bytes)) return false;
  return ReadAdditionalDataBytes(data, bytes, cylCount);
}

std::string AdditionalDataBytes(const AdditionalData& data, int32_t cylCount) {
  const int cyls = std::clamp<int32_t>(cylCount, 0, MaxCylinders);
  std::string out;
  Item(out, "TEXH", Joined(cyls, [&](int i) { return WholeField(data.Texh[i], 3); }));
  Item(out, "TCRPM", Joined(TcCount, [&](int t) { return WholeField(data.TcRpm[t], 5); }));
  Item(out, "FRACK", Joined(cyls, [&](int i) { return DecimalField(data.FuelRack[i], 5, 1); }));
  Item(out, "VIT", Joined(cyls, [&](int i) { return DecimalField(data.Vit[i], 5, 1); }));
  Item(out, "TSCAV", Joined(TcCount, [&](int t) {
         return DecimalField(data.TscavBefore[t], 4, 1) + ';' +
                DecimalField(data.TscavAfter[t], 4, 1);
       }));
  Item(out, "PDIFF", Joined(TcCount, [&](int t) { return WholeField(data.PDiff[t], 4); }));
  Item(out, "NAME", RawTextField(data.ShipName, NameFieldSize));
  Item(out, "TEMPER", DecimalField(data.EngineRoomTemp, 4, 1));
  Item(out, "RHOURS", WholeField(data.RunningHours, 6));
  Item(out, "SHAFTPOWER", WholeField(data.ShaftPower, 5));
  Item(out, "PITCH", DecimalField(data.Pitch, 5, 1));
  Item(out, "SHGEN", WholeField(data.ShaftGenPower, 5));
  Item(out, "MCRPW", WholeField(data.McrPower, 5));
  Item(out, "COMMENT", RawTextField(data.Comment, CommentFieldSize));
  Item(out, "TEXBTC", Joined(TcCount, [&](int t) { return WholeField(data.TexhBeforeTc[t], 3); }));
  Item(out, "TEXATC", Joined(TcCount, [&](int t) { return WholeField(data.TexhAfterTc[t], 3); }));
  // Four characters of the value with three decimals: 1013.25 mbar is "1013".
  Item(out, "PBARO", DecimalField(data.Pbaro, 4, 3));
  Item(out, "SFOG", DecimalField(data.FuelSpecGravity, 6, 4));
  Item(out, "TFUEL", DecimalField(data.FuelTemp, 5, 1));
  // Six characters with one decimal; a value below 1000 is zero-padded so
  // that the reader's fixed count still finds it.
  Item(out, "FCALOR", DecimalField(data.FuelCalorific, 6, 1));
  Item(out, "FSULFUR", DecimalField(data.FuelSulfur, 5, 1));
  Item(out, "FVISCOSI", DecimalField(data.FuelViscosity, 5, 1));
  Item(out, "LOAD", DecimalField(data.EngineLoad, 5, 1));
  Item(out, "FCONS", DecimalField(data.FuelConsumption, 5, 1));
  return out;
}

bool WriteAdditionalData(const AdditionalData& data, const std::string& fileName,
                         int32_t cylCount) {
  if (!CylCountUsable(cylCount)) return false;
  return ReplaceFileAtomically(fileName, AdditionalDataBytes(data, cylCount));
}

std::string AdditionalDataName(const std::string& measFileName) {
  std::filesystem::path name(measFileName);
  name.replace_extension(".EXH");
  std::error_code error;
  if (!std::filesystem::exists(name, error)) {
    std::filesystem::path lower(measFileName);
    lower.replace_extension(".exh");
    if (std::filesystem::exists(lower, error)) return lower.string();
  }
  return name.string();
}

}  // namespace zephirax
