#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>

#include "measurement/Evaluation.h"
#include "measurement/MeasurementReader.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"
#include "voltan-sim/Cli.h"
#include "voltan-sim/Generator.h"

namespace voltansim {
namespace {

using zephirax::Curve;
using zephirax::MeasurementData;

std::unique_ptr<MeasurementData> Load(const std::string& bytes) {
  auto data = std::make_unique<MeasurementData>();
  zephirax::test::ScriptedUserInterface ui;
  const bool accepted = zephirax::LoadMeasurementBytes(*data, bytes, 1, ui);
  EXPECT_TRUE(accepted);
  EXPECT_TRUE(ui.Messages.empty()) << ui.Messages.front().Text;
  return accepted ? std::move(data) : nullptr;
}

bool HasMip(CurveLayout layout) {
  return layout == CurveLayout::Rows1440 || layout == CurveLayout::Rows360;
}
bool IsBinary(SecondChannel extra) {
  return extra == SecondChannel::FuelBinary || extra == SecondChannel::AclBinary;
}

// The written samples as the reader holds them before smoothing.
Curve AsLoaded(const std::vector<float>& samples) {
  Curve curve{};
  std::copy(samples.begin(), samples.end(), curve.begin() + 1);
  if (samples.size() == 360) zephirax::ExpandTo1440(curve);
  return curve;
}

void ExpectSameSamples(const Curve& loaded, const Curve& expected, int count, int cylinder) {
  for (int s = 1; s <= count; ++s) {
    ASSERT_NEAR(loaded[s], expected[s], 1e-3) << "cylinder " << cylinder << " sample " << s;
  }
}

TEST(VoltanSimGenerator, EveryLayoutAndChannelReadsBackAsWritten) {
  const CurveLayout layouts[] = {CurveLayout::Rows1440, CurveLayout::Rows360, CurveLayout::Lines180,
                                 CurveLayout::Rows180};
  const SecondChannel channels[] = {SecondChannel::None, SecondChannel::Fuel,
                                    SecondChannel::FuelBinary, SecondChannel::AclBinary};
  for (CurveLayout layout : layouts) {
    for (SecondChannel extra : channels) {
      if (IsBinary(extra) && !HasMip(layout)) continue;
      SCOPED_TRACE(testing::Message() << "layout " << static_cast<int>(layout) << " channel "
                                      << static_cast<int>(extra));
      GeneratorOptions o = EngineDefaults(4);
      o.Cylinders = 8;
      o.Strokes = 7;
      o.InLine = false;
      o.VAngle = 50;
      o.Layout = layout;
      o.Extra = extra;
      o.WithShift = true;
      o.TdcCorrection = -1.5;
      o.Seed = 3;
      const SimulatedMeasurement sim = Simulate(o);
      auto d = Load(FormatMeasurement(o, sim));
      ASSERT_TRUE(d);

      EXPECT_EQ(d->MeasDate, o.Date);
      EXPECT_EQ(d->MeasTime, o.Time);
      EXPECT_EQ(d->CylCount, 8);
      EXPECT_EQ(d->StrokeCount, 7);
      if (layout != CurveLayout::Lines180) {
        EXPECT_EQ(d->StrokeCycle, 4);  // no MODE item there
      }
      EXPECT_EQ(d->InLineEngine, 0);
      EXPECT_DOUBLE_EQ(d->VAngle, 50.0);
      EXPECT_EQ(d->Bore, 320);
      EXPECT_EQ(d->Stroke, 400);
      EXPECT_EQ(d->ConRod, 800);
      EXPECT_DOUBLE_EQ(d->TdcCorrection, -1.5);
      EXPECT_NEAR(d->Pscav, 2.8, 1e-9);
      EXPECT_NEAR(d->PmaxDevLimit, 5.0, 1e-9);
      EXPECT_FLOAT_EQ(d->EnginePmaxMean, sim.EnginePmaxMean);
      EXPECT_EQ(d->HasMipBlock, HasMip(layout));
      EXPECT_EQ(d->HasExtraChannel, extra != SecondChannel::None);
      EXPECT_EQ(d->ExtraIsBinary, IsBinary(extra));
      EXPECT_EQ(d->ExtraIsAcl, extra == SecondChannel::AclBinary);

      for (int i = 1; i <= 8; ++i) {
        const SimulatedCylinder& c = sim.Cylinders[i - 1];
        EXPECT_EQ(d->FiringOrder[i], sim.FiringOrder[i - 1]);
        EXPECT_NEAR(d->TdcDeviation[i], sim.TdcDeviation[i - 1], 1e-9);
        EXPECT_FLOAT_EQ(d->CylRpm[i], c.Rpm);
        EXPECT_EQ(d->PmaxMean[i], c.PmaxMean);
        EXPECT_EQ(d->PmaxHigh[i], c.PmaxHigh);
        EXPECT_EQ(d->PmaxLow[i], c.PmaxLow);
        for (int k = 1; k <= 7; ++k) EXPECT_EQ(d->StrokePmax[i][k], c.StrokePmax[k - 1]);
        EXPECT_FLOAT_EQ(d->CylValueFCYL[i], c.CompressionPressure);
        EXPECT_FLOAT_EQ(d->CylValueMEA1[i], c.PTdc);
        EXPECT_FLOAT_EQ(d->CylValueMEA2[i], c.PExp);
        EXPECT_FLOAT_EQ(d->TdcShift[i], c.TdcShift);
        if (HasMip(layout)) {
          EXPECT_FLOAT_EQ(d->CylMip[i], c.Mip);
          EXPECT_EQ(d->CylPind[i], c.Pind);
        }
        // The reader smooths the pressure curves; the same filter over the
        // written samples must give exactly what was loaded.
        const int n = HasMip(layout) ? 1440 : 180;
        Curve smoothed = AsLoaded(c.Pressure);
        zephirax::PeakPreservingSmooth(AsLoaded(c.Pressure), smoothed, n);
        ExpectSameSamples(d->PressureCurve[i], smoothed, n, i);
        if (extra != SecondChannel::None) {
          ExpectSameSamples(d->ExtraCurve[i], AsLoaded(c.Extra), IsBinary(extra) ? 1440 : n, i);
        }
      }
    }
  }
}

// What an engineer would check on a real measurement: the device's figures
// agree with the curves and the engine runs as the options say.
TEST(VoltanSimGenerator, DeviceFiguresAgreeWithTheCurvesOfBothEngineKinds) {
  for (int cycle : {2, 4}) {
    SCOPED_TRACE(cycle);
    GeneratorOptions o = EngineDefaults(cycle);
    o.Cylinders = 12;
    o.Seed = 11;
    auto d = Load(GenerateMeasurement(o));
    ASSERT_TRUE(d);
    double pmaxSum = 0;
    for (int i = 1; i <= d->CylCount; ++i) {
      SCOPED_TRACE(i);
      // The loaded curve is smoothed, which moves the integral a little.
      const float mip = zephirax::IntegrateMip(*d, i, d->Stroke, d->ConRod);
      EXPECT_NEAR(mip, d->CylMip[i], 0.01 * d->CylMip[i] + 0.05);
      EXPECT_NEAR(d->CylMip[i], cycle == 2 ? 18.5 : 24.5, 3.0);
      const float power =
          zephirax::IndicatedPower(cycle, d->CylRpm[i], d->CylMip[i], d->Bore, d->Stroke);
      EXPECT_EQ(d->CylPind[i], static_cast<int>(std::nearbyint(power)));
      EXPECT_NEAR(d->CylRpm[i], o.Rpm, 0.01 * o.Rpm);

      EXPECT_LE(d->PmaxLow[i], d->PmaxMean[i]);
      EXPECT_LE(d->PmaxMean[i], d->PmaxHigh[i]);
      for (int k = 1; k <= d->StrokeCount; ++k) {
        EXPECT_GE(d->StrokePmax[i][k], d->PmaxLow[i]);
        EXPECT_LE(d->StrokePmax[i][k], d->PmaxHigh[i]);
      }
      pmaxSum += d->PmaxMean[i];

      const zephirax::CylinderResult r = zephirax::CylinderValues(*d, i);
      EXPECT_NEAR(r.pmax, d->PmaxMean[i], 0.04 * d->PmaxMean[i]);
      EXPECT_NEAR(r.pmax, o.PmaxTarget, 0.08 * o.PmaxTarget);
      EXPECT_GT(r.apmax, 0.0f);
      EXPECT_LT(r.apmax, 25.0f);
      EXPECT_LT(d->CylValueFCYL[i], r.pmax);  // combustion adds to the compression pressure
      EXPECT_NEAR(d->PressureCurve[i][1], o.Pscav, 0.5);
      EXPECT_GE(*std::min_element(d->PressureCurve[i].begin() + 1, d->PressureCurve[i].end()), 0);
    }
    EXPECT_NEAR(d->EnginePmaxMean, pmaxSum / d->CylCount, 0.051);
  }
}

TEST(VoltanSimGenerator, EngineSizesCoverTheWholeRangeWithValidFiringOrders) {
  for (int cylinders = 1; cylinders <= 20; ++cylinders) {
    for (bool inLine : {true, false}) {
      if (!inLine && cylinders % 2 != 0) continue;
      SCOPED_TRACE(testing::Message() << cylinders << (inLine ? " in-line" : " V"));
      GeneratorOptions o = EngineDefaults(cylinders % 3 == 0 ? 4 : 2);
      o.Cylinders = cylinders;
      o.Strokes = 1 + (cylinders * 7) % 30;
      o.InLine = inLine;
      o.VAngle = inLine ? 0 : 50;
      o.Layout = cylinders % 2 ? CurveLayout::Rows180 : CurveLayout::Rows360;
      const SimulatedMeasurement sim = Simulate(o);
      auto d = Load(FormatMeasurement(o, sim));
      ASSERT_TRUE(d);
      EXPECT_EQ(d->CylCount, cylinders);
      EXPECT_EQ(d->StrokeCount, o.Strokes);

      // Every cylinder fires once, the first is cylinder 1, and the TDCs are
      // spread over one working cycle without two falling together.
      std::vector<int> order(d->FiringOrder.begin() + 1, d->FiringOrder.begin() + 1 + cylinders);
      EXPECT_EQ(order.front(), 1);
      std::sort(order.begin(), order.end());
      for (int i = 0; i < cylinders; ++i) EXPECT_EQ(order[i], i + 1);
      std::set<double> tdc(d->TdcDeviation.begin() + 1, d->TdcDeviation.begin() + 1 + cylinders);
      EXPECT_EQ(static_cast<int>(tdc.size()), cylinders);
      EXPECT_EQ(*tdc.begin(), 0.0);
      EXPECT_LT(*tdc.rbegin(), 180.0 * o.StrokeCycle);
    }
  }
  for (int strokes : {1, 30}) {
    GeneratorOptions o;
    o.Strokes = strokes;
    auto d = Load(GenerateMeasurement(o));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->StrokeCount, strokes);
    if (strokes == 1) {
      EXPECT_EQ(d->PmaxLow[1], d->StrokePmax[1][1]);
      EXPECT_EQ(d->PmaxHigh[1], d->StrokePmax[1][1]);
    }
  }
}

TEST(VoltanSimGenerator, SameSeedGivesTheSameBytes) {
  GeneratorOptions o;
  o.Extra = SecondChannel::AclBinary;
  const std::string first = GenerateMeasurement(o);
  EXPECT_TRUE(GenerateMeasurement(o) == first);
  o.Seed = 2;
  EXPECT_FALSE(GenerateMeasurement(o) == first);
}

TEST(VoltanSimGenerator, KeysAppearOnlyWhereTheirItemsAre) {
  for (SecondChannel extra : {SecondChannel::None, SecondChannel::Fuel, SecondChannel::FuelBinary,
                              SecondChannel::AclBinary}) {
    for (CurveLayout layout :
         {CurveLayout::Rows1440, CurveLayout::Rows360, CurveLayout::Lines180}) {
      if (IsBinary(extra) && !HasMip(layout)) continue;
      GeneratorOptions o;
      o.Layout = layout;
      o.Extra = extra;
      o.WithVersion = false;
      const std::string bytes = GenerateMeasurement(o);
      std::istringstream in(bytes);
      std::string line;
      for (int n = 1; n <= 7; ++n) {
        ASSERT_TRUE(std::getline(in, line));
        ASSERT_EQ(line.back(), '\r');
        for (char& ch : line) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        EXPECT_FALSE(ContainsItemKey(line)) << line;
      }
      EXPECT_EQ(bytes.substr(2, 1), "L");  // the reader's start test
      EXPECT_EQ(bytes.substr(0, 9), HasMip(layout) ? "VOLTAN KV" : "VOLTAN KS");
      if (IsBinary(extra)) {
        EXPECT_FALSE(ContainsItemKey(bytes.substr(bytes.size() - 6 * 1440)));
      }
    }
  }
}

TEST(VoltanSimGenerator, BinaryValuesThatSpellAKeyAreMovedOffIt) {
  auto fromBits = [](uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  };
  std::vector<SimulatedCylinder> cylinders(2);
  for (SimulatedCylinder& c : cylinders) c.Extra.assign(360, 0.0f);
  cylinders[0].Extra[10] = fromBits(0x4250494D);   // "MIP" in the low bytes of 52.07
  cylinders[0].Extra[359] = fromBits(0x43123456);  // "C" at the top of 146.2 ...
  cylinders[1].Extra[0] = fromBits(0x41005255);    // ... and "UR" at the bottom of the next value
  cylinders[1].Extra[200] = fromBits(0x4C455500);  // "UEL" in the upper bytes of one value
  const std::vector<SimulatedCylinder> before = cylinders;

  KeepItemKeysOutOfTail(cylinders);
  std::string tail;
  for (const SimulatedCylinder& c : cylinders) {
    for (int k = 0; k < 360; ++k) {
      char bytes[4];
      std::memcpy(bytes, &c.Extra[k], 4);  // little-endian machine, as the file
      tail.append(bytes, 4);
      EXPECT_NEAR(c.Extra[k], before[&c - cylinders.data()].Extra[k], 1e-4 * std::fabs(c.Extra[k]));
    }
  }
  EXPECT_FALSE(ContainsItemKey(tail));
}

TEST(VoltanSimGenerator, ValuesAtTheEdgeOfTheirFieldsStillRead) {
  GeneratorOptions o = EngineDefaults(4);
  o.Rpm = 1500;  // four digits without a decimal
  o.PmaxTarget = 900;
  o.Pscav = 9;
  o.TdcCorrection = -9.9;
  o.Layout = CurveLayout::Rows180;
  o.Extra = SecondChannel::Fuel;  // injection pressure above 999 in five characters
  const SimulatedMeasurement sim = Simulate(o);
  auto d = Load(FormatMeasurement(o, sim));
  ASSERT_TRUE(d);
  EXPECT_DOUBLE_EQ(d->TdcCorrection, -9.9);
  EXPECT_NEAR(d->Pscav, 9.0, 1e-9);
  for (int i = 1; i <= o.Cylinders; ++i) {
    EXPECT_EQ(d->CylRpm[i], std::round(d->CylRpm[i]));
    EXPECT_NEAR(d->CylRpm[i], 1500, 10);
    EXPECT_NEAR(d->PmaxMean[i], 900, 70);
    EXPECT_GT(*std::max_element(d->ExtraCurve[i].begin() + 1, d->ExtraCurve[i].begin() + 181), 800);
  }
}

TEST(VoltanSimGenerator, RefusesOptionsTheFormatCannotHold) {
  auto problem = [](auto change) {
    GeneratorOptions o;
    change(o);
    return CheckOptions(o);
  };
  EXPECT_EQ(problem([](GeneratorOptions&) {}), "");
  EXPECT_NE(problem([](GeneratorOptions& o) { o.Cylinders = 21; }), "");
  EXPECT_NE(problem([](GeneratorOptions& o) { o.Strokes = 0; }), "");
  EXPECT_NE(problem([](GeneratorOptions& o) { o.StrokeCycle = 3; }), "");
  EXPECT_NE(problem([](GeneratorOptions& o) { o.InLine = false, o.VAngle = 45, o.Cylinders = 7; }),
            "");
  EXPECT_NE(problem([](GeneratorOptions& o) { o.ConRod = o.Stroke / 2; }), "");
  EXPECT_NE(problem([](GeneratorOptions& o) { o.Bore = 10000; }), "");
  EXPECT_NE(problem([](GeneratorOptions& o) { o.Date = "6.12.2026"; }), "");
  EXPECT_NE(problem([](GeneratorOptions& o) {
              o.Layout = CurveLayout::Rows180, o.Extra = SecondChannel::AclBinary;
            }),
            "");
  GeneratorOptions bad;
  bad.Cylinders = 0;
  EXPECT_THROW(GenerateMeasurement(bad), std::invalid_argument);
}

// The command line, run as its own process.
int RunSim(const std::string& arguments) {
  const int status =
      std::system((std::string(VOLTAN_SIM) + " " + arguments + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(VoltanSimCommandLine, GenerateWritesTheFileOfItsOptions) {
  zephirax::test::TempDir dir;
  const std::string file = dir.File("V8.KV");
  ASSERT_EQ(RunSim("generate -o '" + file +
                   "' --cylinders 8 --cycle 4 --v-engine 50 --layout 360 --no-version --extra acl"
                   " --shift --seed 7 --rpm 720 --date 01.02.2027 --time=08:15"),
            0);
  GeneratorOptions o = EngineDefaults(4);
  o.Cylinders = 8;
  o.InLine = false;
  o.VAngle = 50;
  o.Layout = CurveLayout::Rows360;
  o.WithVersion = false;
  o.Extra = SecondChannel::AclBinary;
  o.WithShift = true;
  o.Seed = 7;
  o.Rpm = 720;
  o.Date = "01.02.2027";
  o.Time = "08:15";
  const std::string bytes = zephirax::test::ReadBytes(file);
  EXPECT_TRUE(bytes == GenerateMeasurement(o));
  EXPECT_EQ(bytes.find("VERSION"), std::string::npos);
  EXPECT_NE(Load(bytes), nullptr);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

  EXPECT_EQ(RunSim("--help"), 0);
  EXPECT_EQ(RunSim("generate --help"), 0);
}

TEST(VoltanSimCommandLine, BadArgumentsFailAndLeaveTheFileAlone) {
  zephirax::test::TempDir dir;
  const std::string file = dir.File("OLD.KV");
  zephirax::test::WriteBytes(file, "old");
  const std::string out = " -o '" + file + "'";
  for (const std::string& arguments : {
           std::string(),
           "frobnicate" + out,
           std::string("generate"),
           "generate --cylinders 21" + out,
           "generate --cylinders six" + out,
           "generate --cycle 3" + out,
           "generate --v-engine 45 --cylinders 5" + out,
           "generate --layout 720" + out,
           "generate --extra oil" + out,
           "generate --layout 180rows --extra acl" + out,
           "generate --no-version" + out,
           "generate --shift=yes" + out,
           "generate --date 2026-12-6" + out,
           "generate --bogus" + out,
           "generate --seed" + out,
       }) {
    EXPECT_NE(RunSim(arguments), 0) << arguments;
    EXPECT_EQ(zephirax::test::ReadBytes(file), "old") << arguments;
  }
  EXPECT_EQ(RunSim("generate -o '" + dir.File("missing/X.KV") + "'"), 1);
}

// The README names the command that regenerates each sample; it must give
// exactly the file that is checked in.
TEST(VoltanSimSamples, ReadmeCommandsRegenerateTheSamples) {
  std::ifstream readme(std::string(ZEPHIRAX_SAMPLES) + "/README.md");
  ASSERT_TRUE(readme);
  std::string line;
  std::set<std::string> checked;
  while (std::getline(readme, line)) {
    const size_t start = line.find("`voltan-sim generate");
    if (start == std::string::npos) continue;
    const size_t end = line.find('`', start + 1);
    std::istringstream words(line.substr(start + 12, end - start - 12));
    std::vector<std::string> args;
    std::string sample;
    for (std::string word; words >> word;) {
      if (!args.empty() && args.back() == "-o") {
        sample = std::filesystem::path(word).filename().string();
        word = "-";
      }
      args.push_back(word);
    }
    ASSERT_FALSE(sample.empty()) << line;
    zephirax::test::TempDir dir;
    std::replace(args.begin(), args.end(), std::string("-"), dir.File(sample));
    std::ostringstream out, err;
    ASSERT_EQ(RunCommandLine(args, out, err), 0) << err.str();
    const std::string bytes = zephirax::test::ReadBytes(dir.File(sample));
    EXPECT_TRUE(bytes == zephirax::test::ReadBytes(std::string(ZEPHIRAX_SAMPLES) + "/" + sample))
        << sample << " is out of date";
    EXPECT_NE(Load(bytes), nullptr);
    checked.insert(sample);
  }
  EXPECT_TRUE(checked.count("SIXCYL2T.KV"));
  EXPECT_TRUE(checked.count("V12FUEL.KV"));
}

}  // namespace
}  // namespace voltansim
