#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "measurement/Evaluation.h"
#include "support/JsonValue.h"
#include "support/MeasurementFileBuilder.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

using test::JsonValue;

struct CliRun {
  int Status = 0;
  std::string Out, Err;
};

CliRun Cli(const std::vector<std::string>& args) {
  std::istringstream in;
  std::ostringstream out, err;
  CliRun run;
  run.Status = RunCli(args, in, out, err);
  run.Out = out.str();
  run.Err = err.str();
  return run;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The info command reads the configuration: keep it away from the user's.
    setenv("XDG_CONFIG_HOME", dir_.Path().c_str(), 1);
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    test::WriteBytes(dir_.File(name), bytes);
    return dir_.File(name);
  }
  test::TempDir dir_;
};

TEST_F(CliTest, DumpFollowsTheContract) {
  test::MeasurementFileBuilder file;
  file.Cylinders = 3;
  file.Strokes = 4;
  file.Extra = "FUEL";
  file.Shift = true;
  const CliRun run = Cli({"dump", Write("a.KV", file.Build())});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const JsonValue json = test::ParseJson(run.Out);
  const std::vector<std::string> keys = {
      "accepted",     "MeasDate",      "MeasTime",        "CylCount",       "StrokeCycle",
      "InLineEngine", "VAngle",        "ConRod",          "Bore",           "Stroke",
      "TdcSensor",    "TdcCorrection", "FiringOrder",     "TdcDeviation",   "CylRpm",
      "PmaxMean",     "PmaxHigh",      "PmaxLow",         "EnginePmaxMean", "StrokeCount",
      "PmaxDevLimit", "Pscav",         "StrokePmax",      "HasMipBlock",    "CylMip",
      "CylPind",      "TdcShift",      "HasExtraChannel", "ExtraIsAcl",     "ExtraIsBinary",
      "ExtraAxisMax", "AclAmplitude",  "PressureAxisMax", "PressureCurve",  "ExtraCurve",
      "Evaluation"};
  EXPECT_EQ(json.Keys(), keys);
  EXPECT_TRUE(json["accepted"].Bool);
  EXPECT_EQ(json["MeasDate"].String, "06.12.2026");
  EXPECT_EQ(json["CylCount"].Number, 3);
  EXPECT_EQ(json["Pscav"].Number, 2.35);
  EXPECT_EQ(json["FiringOrder"].Array.size(), 3u);
  ASSERT_EQ(json["StrokePmax"].Array.size(), 3u);
  EXPECT_EQ(json["StrokePmax"][2].Array.size(), 4u);
  EXPECT_EQ(json["StrokePmax"][2][3].Number, 47);
  ASSERT_EQ(json["PressureCurve"].Array.size(), 3u);
  EXPECT_EQ(json["PressureCurve"][0].Array.size(), 1440u);
  EXPECT_EQ(json["ExtraCurve"][2].Array.size(), 1440u);
  // Floats are printed so that they read back as the same float.
  EXPECT_EQ(static_cast<float>(json["CylMip"][1].Number), 15.2f);
  EXPECT_EQ(static_cast<float>(json["TdcShift"][2].Number), -1.5f);
  const JsonValue& eval = json["Evaluation"];
  EXPECT_EQ(eval.Keys(), (std::vector<std::string>{"pTDC", "pmax", "apmax", "pexp", "IntegratedMip",
                                                   "IndicatedPower", "PmaxDeviationPercent",
                                                   "MipDeviationPercent"}));
  EXPECT_EQ(static_cast<float>(eval["pmax"][0].Number), json["PressureCurve"][0][1439].Number);
  EXPECT_EQ(eval["apmax"][0].Number, (1440 - 721) / 4.0);
  EXPECT_EQ(static_cast<float>(eval["IndicatedPower"][0].Number),
            IndicatedPower(2, 91.5f, 15.1f, 500, 1900));
  EXPECT_NEAR(eval["PmaxDeviationPercent"][0].Number, -100.0 / 42, 1e-4);  // 41 against 42

  file.Extra = "";
  const JsonValue plain = test::ParseJson(Cli({"dump", Write("b.KV", file.Build())}).Out);
  EXPECT_FALSE(plain.Has("ExtraCurve"));
}

TEST_F(CliTest, DumpOfARejectedFile) {
  const CliRun run = Cli({"dump", Write("bad.KV", "ABCDEFG")});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(test::ParseJson(run.Out).Keys(), std::vector<std::string>{"accepted"});
  EXPECT_FALSE(test::ParseJson(run.Out)["accepted"].Bool);
  EXPECT_NE(run.Err.find("This is not a ZEPHIRAX data file !"), std::string::npos);
  const CliRun missing = Cli({"dump", dir_.File("missing.KV")});
  EXPECT_EQ(missing.Status, 1);
}

TEST_F(CliTest, InfoInTheChosenLanguageAndUnits) {
  const std::string file = Write("a.KV", test::MeasurementFileBuilder().Build());
  CliRun run = Cli({"info", file, "--lang", "fr", "--pressure", "psi", "--power", "hp"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_NE(run.Out.find("pPMH"), std::string::npos);
  EXPECT_NE(run.Out.find("[psi]"), std::string::npos);
  EXPECT_NE(run.Out.find("[hp]"), std::string::npos);
  EXPECT_NE(run.Out.find("Moy"), std::string::npos);
  // MIP 15.1 bar in psi with the program's factor 14.525.
  EXPECT_NE(run.Out.find("219.3"), std::string::npos) << run.Out;

  // Deviations that cancel out average to 0, never "-0.0".
  EXPECT_EQ(run.Out.find("-0.0 "), std::string::npos) << run.Out;

  // Defaults come from the configuration file.
  test::WriteBytes(dir_.File("VOLTAN/ZEPHIRAX.INI"), "");
  std::filesystem::create_directories(dir_.Path() / "VOLTAN");
  test::WriteBytes(dir_.File("VOLTAN/ZEPHIRAX.INI"),
                   "[Language]\r\nLanguage=deutsch\r\n[Units]\r\nPressure=Mpa\r\n");
  run = Cli({"info", file});
  ASSERT_EQ(run.Status, 0);
  EXPECT_NE(run.Out.find("Datei :"), std::string::npos);
  EXPECT_NE(run.Out.find("[MPa]"), std::string::npos);
}

TEST_F(CliTest, RefFollowsTheContract) {
  test::MeasurementFileBuilder file;
  file.Cylinders = 6;  // highest pmax 51: the axis widens from 50 to 75
  file.Extra = "FUEL";
  const std::string ref = Write("ref.KV", file.Build());
  CliRun run =
      Cli({"ref", ref, "2", "--current", Write("cur.KV", test::MeasurementFileBuilder().Build())});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const JsonValue json = test::ParseJson(run.Out);
  EXPECT_EQ(json.Keys(),
            (std::vector<std::string>{"accepted", "RefCylCount", "RefCylRpm", "RefCylMip",
                                      "RefCylPind", "RefHasExtra", "RefExtraIsBinary", "RefCurve",
                                      "RefExtraCurve", "MeasDate", "MeasTime", "PressureAxisMax"}));
  EXPECT_EQ(json["RefCylRpm"].Array.size(), 6u);
  EXPECT_EQ(json["RefCurve"].Array.size(), 1440u);
  EXPECT_EQ(static_cast<float>(json["RefCurve"][0].Number), 20.1f);  // cylinder 2, sample 1
  EXPECT_EQ(json["PressureAxisMax"].Number, 75);

  run = Cli({"ref", ref, "7"});
  EXPECT_EQ(run.Status, 1);
  EXPECT_FALSE(test::ParseJson(run.Out)["accepted"].Bool);
  EXPECT_EQ(Cli({"ref", ref, "two"}).Status, 2);
}

TEST_F(CliTest, PscavCorrectsTheFileInPlace) {
  const std::string file = Write("a.KV", test::MeasurementFileBuilder().Build());
  ASSERT_EQ(Cli({"pscav", file, "2,6"}).Status, 0);
  const JsonValue json = test::ParseJson(Cli({"dump", file}).Out);
  EXPECT_EQ(json["Pscav"].Number, 2.6);
  EXPECT_EQ(json["PmaxMean"][0].Number, 41);  // 41 + 0.25 rounds back to 41
  CliRun run = Cli({"pscav", file, "12.5"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(test::ParseJson(Cli({"dump", file}).Out)["Pscav"].Number, 12.5);
  // A value no field can hold is named, and the file stays as it was.
  const std::string before = test::ReadBytes(file);
  run = Cli({"pscav", file, "2000"});
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("the pmax 2"), std::string::npos) << run.Err;
  EXPECT_NE(run.Err.find("does not fit its field"), std::string::npos) << run.Err;
  EXPECT_EQ(test::ReadBytes(file), before);
  EXPECT_EQ(Cli({"pscav", file, "abc"}).Status, 2);
  EXPECT_EQ(Cli({"pscav", dir_.File("missing.KV"), "2"}).Status, 1);
}

TEST_F(CliTest, TdcShiftWritesTheShiftedCopy) {
  const std::string file = Write("a.KV", test::MeasurementFileBuilder().Build());
  const std::string shifted = dir_.File("out/b.KV");
  CliRun run = Cli({"tdc-shift", file, shifted, "--ref", "1", "2:-3", "1:2"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const JsonValue json = test::ParseJson(Cli({"dump", shifted}).Out);
  EXPECT_EQ(json["TdcShift"][0].Number, 0.5);
  EXPECT_EQ(json["TdcShift"][1].Number, -0.8);  // the row holds one decimal
  // Cylinder 2's linear curve moved three samples towards the start.
  EXPECT_NEAR(json["PressureCurve"][1][100].Number, 20 + 0.1 * 104, 0.051);
  EXPECT_EQ(Cli({"tdc-shift", file, shifted, "2:1"}).Status, 2);
  EXPECT_EQ(Cli({"tdc-shift", file, shifted, "--ref", "1", "2:x"}).Status, 2);
  EXPECT_EQ(Cli({"tdc-shift", file, shifted, "--ref", "1", "9:1"}).Status, 1);
}

TEST_F(CliTest, ExportWritesBothFilesIntoTheDataFolder) {
  setenv("ZEPHIRAX_HOME", dir_.File("home").c_str(), 1);
  const std::string file = Write("a.KV", test::MeasurementFileBuilder().Build());
  const CliRun run = Cli({"export", file, "--locale", "de_DE"});
  unsetenv("ZEPHIRAX_HOME");
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, dir_.File("home/DATA/ZEPHIRAX.TXT") + "\n" +
                         dir_.File("home/DATA/ZEPHIRAX.CSV") + "\n");
  EXPECT_NE(test::ReadBytes(dir_.File("home/DATA/ZEPHIRAX.TXT")).find("\t2,35\t"),
            std::string::npos);
  EXPECT_EQ(Cli({"export"}).Status, 2);
  EXPECT_EQ(Cli({"export", file, "--exh", dir_.File("missing.EXH")}).Status, 1);
}

TEST_F(CliTest, BadArguments) {
  EXPECT_EQ(Cli({"--help"}).Status, 0);
  EXPECT_NE(Cli({"--help"}).Out.find("Usage"), std::string::npos);
  for (const auto& args :
       std::vector<std::vector<std::string>>{{},
                                             {"frobnicate"},
                                             {"dump"},
                                             {"dump", "a", "b"},
                                             {"info"},
                                             {"info", "x.KV", "--lang"},
                                             {"info", "x.KV", "--lang", "nl"},
                                             {"info", "x.KV", "--pressure", "kPa"},
                                             {"info", "x.KV", "--bogus"}}) {
    const CliRun run = Cli(args);
    EXPECT_NE(run.Status, 0);
    EXPECT_FALSE(run.Err.empty());
  }
  EXPECT_EQ(Cli({"info", dir_.File("missing.KV")}).Status, 1);
}

// "--help" after any command shows that command's usage, even where the
// command would take it for a file name or refuse it as an option.
TEST_F(CliTest, EveryCommandHasItsOwnHelp) {
  const std::string overview = Cli({"--help"}).Out;
  for (const std::string command :
       {"dump", "info", "ref", "pscav", "tdc-shift", "exh", "setup", "export", "render", "receive",
        "send-setup", "register", "print-form", "print-data", "print-setup"}) {
    SCOPED_TRACE(command);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{command, "--help"}, {command, "x.KV", "--help"}}) {
      const CliRun run = Cli(args);
      EXPECT_EQ(run.Status, 0);
      EXPECT_EQ(run.Out.rfind("Usage: zephirax-cli " + command + " ", 0), 0u) << run.Out;
      EXPECT_TRUE(run.Err.empty()) << run.Err;
    }
    EXPECT_NE(overview.find("\n  " + command + " "), std::string::npos);
  }
  EXPECT_NE(overview.find("  dump FILE        load a measurement file and print it with its "
                          "evaluation as one\n                   JSON object;"),
            std::string::npos)
      << overview;
}

TEST_F(CliTest, TheProgramItselfPrintsTheDump) {
  const std::string file = Write("a.KV", test::MeasurementFileBuilder().Build());
  const std::string command = std::string(ZEPHIRAX_CLI) + " dump '" + file + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[65536];
  size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_EQ(test::ParseJson(out)["CylCount"].Number, 2);
}

}  // namespace
}  // namespace zephirax
