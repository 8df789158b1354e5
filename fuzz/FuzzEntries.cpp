#include "fuzz/FuzzEntries.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "adddata/AdditionalDataFile.h"
#include "app/Config.h"
#include "app/IniFile.h"
#include "devicelink/ReceiveDecoder.h"
#include "measurement/CorrectedFileWriter.h"
#include "measurement/Evaluation.h"
#include "measurement/MeasurementReader.h"
#include "measurement/ReferenceReader.h"
#include "setup/EngineSetup.h"

namespace zephirax::fuzz {
namespace {

void Expect(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::fflush(stderr);
  std::abort();
}

std::string_view Text(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

bool CurvesFinite(const PerCylinder<Curve>& curves, int cylinders) {
  for (int i = 1; i <= cylinders; ++i) {
    for (int s = 1; s <= SamplesPerCurve; ++s) {
      if (!std::isfinite(curves[i][s])) return false;
    }
  }
  return true;
}

void ExpectSoundMeasurement(const MeasurementData& d) {
  Expect(d.CylCount >= 1 && d.CylCount <= MaxCylinders, "cylinder count in range");
  Expect(d.StrokeCount >= 1 && d.StrokeCount <= MaxStrokes, "stroke count in range");
  Expect(d.StrokeCycle == 2 || d.StrokeCycle == 4, "two or four strokes");
  Expect(d.MeasDate.size() <= 10 && d.MeasTime.size() <= 5, "date and time fit their fields");
  Expect(CurvesFinite(d.PressureCurve, d.CylCount), "pressure curves finite");
  Expect(CurvesFinite(d.ExtraCurve, d.CylCount), "second curves finite");
  Expect(std::isfinite(d.AclAmplitude) && std::isfinite(d.ExtraAxisMax) &&
             std::isfinite(d.PressureAxisMax),
         "axes finite");
}

// What the window computes for every view of a freshly loaded measurement.
void Evaluate(const MeasurementData& d) {
  auto smoothed = std::make_unique<Curve>();
  float total = 0;
  for (int i = 1; i <= d.CylCount; ++i) {
    const CylinderResult values = CylinderValues(d, i);
    const float mip =
        IntegrateMip(d, i, static_cast<float>(d.Stroke), static_cast<float>(d.ConRod));
    total += values.pmax + values.pexp + mip +
             IndicatedPower(d.StrokeCycle, d.CylRpm[i], mip, static_cast<float>(d.Bore),
                            static_cast<float>(d.Stroke)) +
             PmaxDeviationPercent(d, i) + MipDeviationPercent(d, i);
    PeakPreservingSmooth(d.PressureCurve[i], *smoothed, CurveSamples(d));
  }
  // Only that computing them is sound matters here; the values are any.
  (void)total;
}

// A corrected copy is written over the loaded file's own bytes; whenever the
// writer produces one, it must load again over the measurement it corrects
// (a file may lack items whose values were kept from memory).
void ExpectCorrectionsReadBack(const MeasurementData& d, std::string_view source,
                               const MeasurementData& loadedOver) {
  auto reloaded = std::make_unique<MeasurementData>(loadedOver);
  if (const auto bytes = PscavCorrectedBytes(d, source)) {
    Expect(static_cast<bool>(LoadMeasurementBytes(*reloaded, *bytes)),
           "a pscav-corrected file loads");
  }
  *reloaded = loadedOver;
  if (const auto bytes = TdcShiftedBytes(d, source)) {
    Expect(static_cast<bool>(LoadMeasurementBytes(*reloaded, *bytes)), "a TDC-shifted file loads");
  }
}

}  // namespace

void FuzzMeasurementReader(const uint8_t* data, size_t size) {
  const std::string_view bytes = Text(data, size);
  auto d = std::make_unique<MeasurementData>();
  d->MeasDate = "01.02.2003";
  d->CylCount = 3;
  const auto before = std::make_unique<MeasurementData>(*d);
  if (!LoadMeasurementBytes(*d, bytes)) {
    Expect(*d == *before, "a rejected measurement changes nothing");
    return;
  }
  ExpectSoundMeasurement(*d);
  Evaluate(*d);
  ExpectCorrectionsReadBack(*d, bytes, *d);
}

void FuzzReferenceReader(const uint8_t* data, size_t size) {
  if (size == 0) return;
  const int cylinder = data[0] % (MaxCylinders + 2);  // 0..21
  const std::string_view bytes = Text(data + 1, size - 1);
  auto reference = std::make_unique<ReferenceData>();
  auto d = std::make_unique<MeasurementData>();
  d->CylCount = 6;
  d->MeasDate = "01.02.2003";
  const auto referenceBefore = std::make_unique<ReferenceData>(*reference);
  const auto dataBefore = std::make_unique<MeasurementData>(*d);
  if (!LoadReferenceBytes(*reference, *d, bytes, cylinder)) {
    Expect(*reference == *referenceBefore && *d == *dataBefore,
           "a rejected reference changes nothing");
    return;
  }
  Expect(cylinder >= 1 && cylinder <= reference->RefCylCount,
         "only a cylinder of the file is loaded");
  Expect(reference->RefCylCount <= MaxCylinders, "reference cylinder count in range");
  for (int s = 1; s <= SamplesPerCurve; ++s) {
    Expect(std::isfinite(reference->RefCurve[s]) && std::isfinite(reference->RefExtraCurve[s]),
           "reference curves finite");
  }
  Expect(std::isfinite(d->PressureAxisMax), "pressure axis finite");
}

void FuzzSetupReader(const uint8_t* data, size_t size) {
  EngineSetup start;
  start.FiringOrder.fill(7);
  const std::optional<EngineSetup> parsed = ParseSetupFrame(Text(data, size), start);
  if (!parsed) return;
  Expect(parsed->CylCount >= 1 && parsed->CylCount <= MaxCylinders, "cylinder count in range");
  Expect(parsed->StrokeCount >= 1 && parsed->StrokeCount <= MaxStrokes, "stroke count in range");
  for (int i = parsed->CylCount + 1; i <= MaxCylinders; ++i) {
    Expect(parsed->FiringOrder[i] == 7, "firing positions past the count are kept");
  }

  // Saving what was read must give a file that reads back as saved.
  if (const auto frame = SetupFrame(*parsed, FrameUse::File)) {
    const std::optional<EngineSetup> again = ParseSetupFrame(*frame, *parsed);
    Expect(again.has_value(), "a written setup file reads back");
    const auto frameAgain = SetupFrame(*again, FrameUse::File);
    Expect(frameAgain == frame, "a setup file is written the same after reading it back");
  }
  (void)SetupFrame(*parsed, FrameUse::Line);

  // Reading a setup overwrites the engine data of the measurement in memory.
  auto measurement = std::make_unique<MeasurementData>();
  ApplySetupToMeasurement(*parsed, *measurement);
  EngineSetup spread = SetupFromMeasurement(*measurement, parsed->KmSensor, parsed->FuelAclSensor,
                                            parsed->AverageCurve);
  AutoTdcDeviations(spread);
}

void FuzzAdditionalDataReader(const uint8_t* data, size_t size) {
  if (size == 0) return;
  const int32_t cylCount = data[0] % (MaxCylinders + 3) - 1;  // -1..21
  const std::string_view bytes = Text(data + 1, size - 1);
  AdditionalData read;
  read.ShipName = "KEPT";
  read.Texh.fill(-1);
  const AdditionalData before = read;
  if (!ReadAdditionalDataBytes(read, bytes, cylCount)) {
    Expect(read == before, "rejected additional data changes nothing");
    return;
  }
  Expect(cylCount >= 0 && cylCount <= MaxCylinders, "only a usable cylinder count is read");
  Expect(read.ShipName.size() <= MaxShipNameLength && read.Comment.size() <= MaxCommentLength,
         "texts fit their fields");

  // Saving what was read must give a file that reads back as saved.
  const std::string saved = AdditionalDataBytes(read, cylCount);
  AdditionalData again = before;
  Expect(ReadAdditionalDataBytes(again, saved, cylCount), "saved additional data reads back");
  Expect(AdditionalDataBytes(again, cylCount) == saved,
         "additional data is saved the same after reading it back");
}

void FuzzIniReader(const uint8_t* data, size_t size) {
  const std::string_view bytes = Text(data, size);
  Settings settings;
  ReadConfigBytes(settings, bytes);
  Expect(settings.Language >= 0 && settings.Language <= 3, "language in range");
  Expect(settings.PressureUnit >= 0 && settings.PressureUnit <= 2, "pressure unit in range");
  Expect(settings.ComPort >= 0 && settings.ComPort <= 12, "port in range");
  Expect(settings.BaudRate == 0 || settings.BaudRate == 9600 || settings.BaudRate == 38400,
         "baud rate known");

  IniFile ini = IniFile::Parse(bytes);
  const std::string serialized = ini.Serialize();
  Expect(IniFile::Parse(serialized).Serialize() == serialized, "a written INI file reads back");

  // A value set, whatever its bytes, reads back as set (line breaks become
  // blanks); the file's first line serves as a hostile value.
  const std::string value(bytes.substr(0, std::min<size_t>(bytes.find('\n'), 80)));
  std::string expected = value;
  for (char& c : expected) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 3> Keys = {
      {{"Ports", "Device"}, {"Global", "Shipname"}, {"Email", "Sender name"}}};
  for (const auto& [section, key] : Keys) {
    ini.Set(section, key, value);
    Expect(ini.Get(section, key) == expected, "a value set reads back");
    const IniFile reread = IniFile::Parse(ini.Serialize());
    Expect(reread.Get(section, key) == expected, "a value written reads back from the file");
  }
  ini.Remove("Ports", "Device");
  Expect(!ini.Get("Ports", "Device").has_value(), "a removed key is gone");
}

namespace {

// Every event with what it carried, to compare two decodings.
struct EventLog : ReceiveEvents {
  std::vector<std::string> Events;
  std::vector<std::string> Blocks;

  void SwitchToHighSpeed() override { Events.emplace_back("syn"); }
  void BlockStarted() override { Events.emplace_back("stx"); }
  bool BlockGood(const uint8_t* data, int32_t count) override {
    Expect(count >= 0 && count <= BlockBufferSize, "block size in range");
    Events.emplace_back("good");
    Blocks.emplace_back(reinterpret_cast<const char*>(data), static_cast<size_t>(count));
    return true;
  }
  void ChecksumError() override { Events.emplace_back("checksum"); }
  void StrayEtx() override { Events.emplace_back("stray"); }
  void Oversized() override { Events.emplace_back("oversized"); }
};

bool SameOutcome(const ReceiveState& a, const ReceiveState& b) {
  return a.InBlock == b.InBlock && a.EtxSeen == b.EtxSeen && a.BlockComplete == b.BlockComplete &&
         a.MipSeen == b.MipSeen && a.HighSpeed == b.HighSpeed && a.DataCount == b.DataCount &&
         a.DataSum == b.DataSum && a.GoodBlockWritten == b.GoodBlockWritten &&
         a.DiscardingBlock == b.DiscardingBlock && a.StrayEtxSeen == b.StrayEtxSeen;
}

// Feeds the bytes as the receive session does: chunk by chunk, until a stray
// end of block ends the exchange.
void Decode(ReceiveState& state, std::string_view bytes, size_t chunkSize, EventLog& log) {
  ResetForExchange(state);
  for (size_t at = 0; at < bytes.size() && !state.StrayEtxSeen; at += chunkSize) {
    const size_t count = std::min(chunkSize, bytes.size() - at);
    const auto* chunk = reinterpret_cast<const uint8_t*>(bytes.data() + at);
    const int32_t taken = DecodeBytes(state, chunk, static_cast<int32_t>(count), log);
    Expect(taken == static_cast<int32_t>(count) || state.StrayEtxSeen,
           "every byte is taken unless the exchange ended");
    Expect(state.Gauge >= 0 && state.Gauge <= 100, "progress in range");
    Expect(state.DataCount >= 0 && state.DataCount <= BlockBufferSize, "data count in range");
  }
}

}  // namespace

void FuzzReceiveDecoder(const uint8_t* data, size_t size) {
  if (size == 0) return;
  const size_t chunkSize = data[0] % 64 + 1;
  const std::string_view bytes = Text(data + 1, size - 1);
  // The states are large and reused, as a session reuses its own.
  static auto whole = std::make_unique<ReceiveState>();
  static auto chunked = std::make_unique<ReceiveState>();
  EventLog wholeLog;
  EventLog chunkedLog;
  Decode(*whole, bytes, bytes.size() + 1, wholeLog);
  Decode(*chunked, bytes, chunkSize, chunkedLog);
  Expect(wholeLog.Events == chunkedLog.Events && wholeLog.Blocks == chunkedLog.Blocks,
         "the chunks the bytes arrive in change nothing");
  Expect(SameOutcome(*whole, *chunked), "the chunks the bytes arrive in leave the same state");

  // A stored block is saved as a measurement and opened next.
  auto measurement = std::make_unique<MeasurementData>();
  for (const std::string& block : wholeLog.Blocks) {
    if (LoadMeasurementBytes(*measurement, block)) ExpectSoundMeasurement(*measurement);
  }
}

std::span<const FuzzTarget> FuzzTargets() {
  static constexpr std::array<FuzzTarget, 6> Targets = {{
      {"measurement", FuzzMeasurementReader},
      {"reference", FuzzReferenceReader},
      {"setup", FuzzSetupReader},
      {"adddata", FuzzAdditionalDataReader},
      {"ini", FuzzIniReader},
      {"receive", FuzzReceiveDecoder},
  }};
  return Targets;
}

}  // namespace zephirax::fuzz
