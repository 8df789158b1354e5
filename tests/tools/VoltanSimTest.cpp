#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <tuple>

#include "measurement/Evaluation.h"
#include "measurement/MeasurementReader.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"
#include "voltan-sim/Generator.h"

namespace voltansim {
namespace {

using zephirax::Curve;
using zephirax::test::ReadBytes;
using Layout = CurveLayout;
using Channel = SecondChannel;

// The written samples as the reader holds them: expanded from 360 to 1440
// and, for pressure, through its smoothing.
void ExpectCurve(const Curve& loaded, const std::vector<float>& written, int count, bool smooth) {
  Curve expected{};
  std::copy(written.begin(), written.end(), expected.begin() + 1);
  if (written.size() == 360) zephirax::ExpandTo1440(expected);
  if (smooth) zephirax::PeakPreservingSmooth(Curve(expected), expected, count);
  for (int s = 1; s <= count; ++s) ASSERT_NEAR(loaded[s], expected[s], 1e-3) << "sample " << s;
}

// Simulates, writes and reads back one file: everything must arrive as
// simulated, and the engine must be one that can run.
void ExpectReadsBack(const GeneratorOptions& o) {
  const SimulatedMeasurement sim = Simulate(o);
  const std::string bytes = FormatMeasurement(o, sim);
  EXPECT_TRUE(GenerateMeasurement(o) == bytes);  // the same seed, the same bytes
  auto d = std::make_unique<zephirax::MeasurementData>();
  zephirax::test::ScriptedUserInterface ui;
  ASSERT_TRUE(zephirax::LoadMeasurementBytes(*d, bytes));
  EXPECT_TRUE(ui.Messages.empty());
  const int n = o.Cylinders;
  const bool mip = o.Layout == Layout::Rows1440 || o.Layout == Layout::Rows360;
  const bool binary = o.Extra == Channel::FuelBinary || o.Extra == Channel::AclBinary;
  EXPECT_EQ(std::tuple(d->MeasDate, d->MeasTime, d->CylCount, d->StrokeCount, d->InLineEngine == 1),
            std::tuple(o.Date, o.Time, n, o.Strokes, o.InLine));
  EXPECT_EQ(std::tuple(d->Bore, d->Stroke, d->ConRod, d->VAngle, d->TdcCorrection, d->Pscav),
            std::tuple(o.Bore, o.Stroke, o.ConRod, o.VAngle, o.TdcCorrection, o.Pscav));
  EXPECT_EQ(std::tuple(d->PmaxDevLimit, d->EnginePmaxMean),
            std::tuple(o.PmaxDevLimit, sim.EnginePmaxMean));
  EXPECT_TRUE(o.Layout == Layout::Lines180 || d->StrokeCycle == o.StrokeCycle);
  EXPECT_EQ(std::tuple(d->HasMipBlock, d->HasExtraChannel, d->ExtraIsBinary, d->ExtraIsAcl),
            std::tuple(mip, o.Extra != Channel::None, binary, o.Extra == Channel::AclBinary));
  const std::vector<int> order(d->FiringOrder.begin() + 1, d->FiringOrder.begin() + 1 + n);
  EXPECT_EQ(order, sim.FiringOrder);
  // Every cylinder fires once, cylinder 1 first, at TDCs spread over one working cycle.
  const std::set<int> fired(order.begin(), order.end());
  const std::set<double> tdcs(d->TdcDeviation.begin() + 1, d->TdcDeviation.begin() + 1 + n);
  EXPECT_TRUE(order[0] == 1 && fired.size() == size_t(n) && *fired.rbegin() == n);
  EXPECT_TRUE(tdcs.size() == size_t(n) && *tdcs.begin() == 0 &&
              *tdcs.rbegin() < 180 * o.StrokeCycle);
  for (int i = 1; i <= n; ++i) {
    SCOPED_TRACE(testing::Message() << "cylinder " << i);
    const SimulatedCylinder& c = sim.Cylinders[i - 1];
    EXPECT_NEAR(d->TdcDeviation[i], sim.TdcDeviation[i - 1], 0.05);  // written with one decimal
    EXPECT_EQ(std::tuple(d->PmaxMean[i], d->PmaxHigh[i], d->PmaxLow[i]),
              std::tuple(c.PmaxMean, c.PmaxHigh, c.PmaxLow));
    EXPECT_EQ(std::vector<int>(&d->StrokePmax[i][1], &d->StrokePmax[i][1] + o.Strokes),
              c.StrokePmax);
    EXPECT_EQ(std::tuple(d->CylRpm[i], d->CylValueFCYL[i], d->CylValueMEA1[i], d->CylValueMEA2[i],
                         d->TdcShift[i]),
              std::tuple(c.Rpm, c.CompressionPressure, c.PTdc, c.PExp, c.TdcShift));
    EXPECT_EQ(std::tuple(d->CylMip[i], d->CylPind[i]),
              mip ? std::tuple(c.Mip, c.Pind) : std::tuple(0.0f, 0));
    ExpectCurve(d->PressureCurve[i], c.Pressure, mip ? 1440 : 180, true);
    if (o.Extra != Channel::None) ExpectCurve(d->ExtraCurve[i], c.Extra, mip ? 1440 : 180, false);
    // The curve's peak: the device's figure, near the target, above compression.
    const float pmax = zephirax::CylinderValues(*d, i).pmax;
    EXPECT_NEAR(pmax, c.PmaxMean, 0.04 * c.PmaxMean);
    EXPECT_NEAR(pmax, o.PmaxTarget, 0.08 * o.PmaxTarget);
    EXPECT_LT(c.CompressionPressure, pmax);
  }
}

TEST(VoltanSimGenerator, EveryLayoutChannelAndEngineSizeReadsBackAsSimulated) {
  for (Layout layout : {Layout::Rows1440, Layout::Rows360, Layout::Lines180, Layout::Rows180}) {
    for (Channel extra : {Channel::None, Channel::Fuel, Channel::FuelBinary, Channel::AclBinary}) {
      GeneratorOptions o = EngineDefaults(4);
      std::tie(o.Cylinders, o.Strokes, o.InLine, o.VAngle, o.Layout, o.Extra, o.WithShift,
               o.TdcCorrection, o.Seed) = std::tuple(8, 7, false, 50, layout, extra, true, -1.5, 3);
      if (!CheckOptions(o).empty()) continue;  // a binary tail needs a MIP layout
      SCOPED_TRACE(testing::Message() << "layout " << int(layout) << " channel " << int(extra));
      ExpectReadsBack(o);
    }
  }
  for (int cycle : {2, 4}) {
    for (int cylinders = 1; cylinders <= 20; ++cylinders) {
      for (bool inLine : {true, false}) {
        if (!inLine && cylinders % 2 != 0) continue;
        SCOPED_TRACE(testing::Message() << cylinders << (inLine ? " in-line " : " V ") << cycle);
        GeneratorOptions o = EngineDefaults(cycle);
        std::tie(o.Cylinders, o.Strokes, o.InLine, o.VAngle, o.Layout) =
            std::tuple(cylinders, 1 + (cylinders - 1) * 29 / 19, inLine, inLine ? 0 : 50,
                       Layout((cylinders + cycle / 2) % 4));
        ExpectReadsBack(o);
      }
    }
  }
  // Values at the edge of their fields: four-digit rpm without a decimal, 30
  // strokes, injection pressure above 999 in five characters.
  GeneratorOptions edge = EngineDefaults(4);
  std::tie(edge.Rpm, edge.PmaxTarget, edge.Pscav, edge.TdcCorrection, edge.Layout, edge.Extra,
           edge.Strokes) = std::tuple(1500, 900, 9, -9.9, Layout::Rows180, Channel::Fuel, 30);
  ExpectReadsBack(edge);
  const SimulatedCylinder c = Simulate(edge).Cylinders[0];
  EXPECT_TRUE(c.Rpm >= 1490 && *std::max_element(c.Extra.begin(), c.Extra.end()) > 999);

  GeneratorOptions other;
  other.Seed = 2;
  EXPECT_FALSE(GenerateMeasurement(other) == GenerateMeasurement(GeneratorOptions{}));
}

TEST(VoltanSimGenerator, BinaryValuesThatSpellAKeyAreMovedOffIt) {
  std::vector<SimulatedCylinder> cylinders(2);
  for (SimulatedCylinder& c : cylinders) c.Extra.assign(360, 0.0f);
  cylinders[0].Extra[10] = std::bit_cast<float>(0x4250494Du);   // "MIP" in the low bytes of 52.07
  cylinders[0].Extra[359] = std::bit_cast<float>(0x43123456u);  // "C" at the top of 146.2 ...
  cylinders[1].Extra[0] = std::bit_cast<float>(0x41005255u);    // ... "UR" at the next one's bottom
  cylinders[1].Extra[200] = std::bit_cast<float>(0x4C455500u);  // "UEL" in the upper bytes
  const std::vector<SimulatedCylinder> before = cylinders;
  KeepItemKeysOutOfTail(cylinders);
  std::string tail;  // little-endian floats, as in the file
  for (size_t i = 0; i < 2; ++i) {
    tail.append(reinterpret_cast<const char*>(cylinders[i].Extra.data()), 4 * 360);
    for (int k = 0; k < 360; ++k) {
      EXPECT_NEAR(cylinders[i].Extra[k], before[i].Extra[k], 1e-4 * std::fabs(before[i].Extra[k]));
    }
  }
  EXPECT_FALSE(ContainsItemKey(tail));
}

// The command line, run as its own process.
int Shell(const std::string& command) {
  const int status = std::system((command + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(VoltanSimCommandLine, GenerateWritesTheFileOfItsOptionsAndRefusesBadOnes) {
  zephirax::test::TempDir dir;
  const std::string file = dir.File("V8.KV"), sim = VOLTAN_SIM " ";
  zephirax::test::WriteBytes(file, "old");
  // Bad arguments and options the format cannot hold leave an existing file alone.
  for (const std::string bad :
       {"frobnicate", "generate --cylinders 21", "generate --cylinders six", "generate --cycle 3",
        "generate --strokes 0", "generate --v-engine 45 --cylinders 7", "generate --conrod 500",
        "generate --bore 10000", "generate --layout 720", "generate --extra oil",
        "generate --layout 180rows --extra acl", "generate --no-version", "generate --shift=yes",
        "generate --date 6.12.2026", "generate --bogus", "generate --seed"}) {
    EXPECT_EQ(Shell(sim + bad + " -o '" + file + "'"), 2) << bad;
    EXPECT_EQ(ReadBytes(file), "old") << bad;
  }
  EXPECT_EQ(Shell(sim), 2);
  EXPECT_EQ(Shell(sim + "generate"), 2);  // no output file
  EXPECT_EQ(Shell(sim + "generate -o '" + dir.File("missing/X.KV") + "'"), 1);
  EXPECT_EQ(Shell(sim + "--help"), 0);

  ASSERT_EQ(Shell(sim + "generate -o '" + file +
                  "' --cylinders 8 --cycle 4 --v-engine 50 --layout 360 --no-version --extra acl"
                  " --shift --seed 7 --rpm 720 --date 01.02.2027 --time=08:15"),
            0);
  GeneratorOptions o = EngineDefaults(4);
  std::tie(o.Cylinders, o.InLine, o.VAngle, o.Layout, o.WithVersion, o.Extra, o.WithShift, o.Seed,
           o.Rpm, o.Date, o.Time) =
      std::tuple(8, false, 50, Layout::Rows360, false, Channel::AclBinary, true, 7, 720,
                 "01.02.2027", "08:15");
  EXPECT_TRUE(ReadBytes(file) == GenerateMeasurement(o));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);  // no leftovers
}

// Each sample regenerates byte for byte with the command that the README
// names, run as it says from the repository root.
TEST(VoltanSimSamples, ReadmeCommandsRegenerateTheSamples) {
  const std::string samples = ZEPHIRAX_SAMPLES;
  zephirax::test::TempDir root;
  std::filesystem::create_directory(root.Path() / "samples");
  std::ifstream readme(samples + "/README.md");
  int checked = 0;
  for (std::string line; std::getline(readme, line);) {
    const size_t start = line.find("`voltan-sim generate -o samples/"), name = start + 32;
    if (start == std::string::npos) continue;
    const std::string sample = line.substr(name, line.find(' ', name) - name);
    const std::string arguments = line.substr(start + 11, line.find('`', start + 1) - start - 11);
    ASSERT_EQ(Shell("cd '" + root.Path().string() + "' && " VOLTAN_SIM + arguments), 0) << line;
    EXPECT_TRUE(ReadBytes(root.File("samples/" + sample)) == ReadBytes(samples + "/" + sample))
        << sample << " is out of date";
    ++checked;
  }
  EXPECT_GE(checked, 4);
}

}  // namespace
}  // namespace voltansim
