#include "cli/ExhCommands.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "adddata/AdditionalDataFile.h"
#include "cli/JsonReader.h"
#include "support/JsonValue.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

struct ExhRun {
  int Status = 0;
  std::string Out, Err;
};

ExhRun Exh(const std::vector<std::string>& args, const std::string& stdinText = "") {
  std::istringstream in(stdinText);
  std::ostringstream out, err;
  ExhRun run;
  run.Status = ExhCommand(args, in, out, err);
  run.Out = out.str();
  run.Err = err.str();
  return run;
}

AdditionalData Sample() {
  AdditionalData d;
  for (int i = 1; i <= 6; ++i) {
    d.Texh[i] = 300 + i;
    d.FuelRack[i] = 50.5f + static_cast<float>(i);
    d.Vit[i] = -1.5f;
  }
  d.Texh[7] = 999;  // beyond the measurement's cylinders
  d.TcRpm = {0, 12000, 12100, 0};
  d.TscavBefore[1] = 45.5f;
  d.TscavAfter[1] = 38.2f;
  d.PDiff[2] = 120;
  d.ShipName = "M/S K\xD6LN";  // cp1252 O umlaut
  d.EngineRoomTemp = 32.5f;
  d.RunningHours = 123456;
  d.McrPower = 10000;
  d.Comment = "line 1\r\nline \"2\"";
  d.TexhBeforeTc = {0, 450, 455, 0};
  d.Pbaro = 1013;
  d.FuelSpecGravity = 0.9912f;
  d.FuelCalorific = 9800.5f;
  return d;
}

TEST(ExhCommands, ShowFollowsTheContract) {
  test::TempDir dir;
  const std::string file = dir.File("A.EXH");
  ASSERT_TRUE(WriteAdditionalData(Sample(), file, 6));
  const ExhRun run = Exh({"exh", "show", file, "--cyl", "6"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const test::JsonValue json = test::ParseJson(run.Out);
  const std::vector<std::string> keys = {
      "Texh",           "TcRpm",        "FuelRack",        "Vit",
      "TscavBefore",    "TscavAfter",   "PDiff",           "ShipName",
      "EngineRoomTemp", "RunningHours", "ShaftPower",      "Pitch",
      "ShaftGenPower",  "McrPower",     "Comment",         "TexhBeforeTc",
      "TexhAfterTc",    "Pbaro",        "FuelSpecGravity", "FuelTemp",
      "FuelCalorific",  "FuelSulfur",   "FuelViscosity",   "EngineLoad",
      "FuelConsumption"};
  EXPECT_EQ(json.Keys(), keys);
  EXPECT_EQ(json["Texh"].Array.size(), 6u);
  EXPECT_EQ(json["Texh"][5].Number, 306);
  EXPECT_EQ(json["TcRpm"].Array.size(), 3u);
  EXPECT_EQ(json["TcRpm"][1].Number, 12100);
  EXPECT_FLOAT_EQ(static_cast<float>(json["FuelRack"][0].Number), 51.5f);
  EXPECT_EQ(json["ShipName"].String, "M/S K\xC3\x96LN");
  EXPECT_EQ(json["Comment"].String, "line 1\r\nline \"2\"");
  EXPECT_FLOAT_EQ(static_cast<float>(json["FuelSpecGravity"].Number), 0.9912f);
}

TEST(ExhCommands, WriteReadsWhatShowPrints) {
  test::TempDir dir;
  std::mt19937 rng(3);
  for (const int cylCount : {1, 6, 20}) {
    AdditionalData d = Sample();
    for (int i = 1; i <= cylCount; ++i) d.Texh[i] = static_cast<int32_t>(rng() % 1000);
    // Values beyond the measurement's cylinders are not in the file.
    for (int i = cylCount + 1; i <= MaxCylinders; ++i) d.Texh[i] = d.FuelRack[i] = d.Vit[i] = 0;
    const std::string json = AdditionalDataJson(d, cylCount);
    const std::string out = dir.File("B.EXH");
    const ExhRun run = Exh({"exh", "write", out, "--cyl", std::to_string(cylCount)}, json);
    ASSERT_EQ(run.Status, 0) << run.Err;
    AdditionalData read;
    ASSERT_TRUE(ReadAdditionalData(read, out, cylCount));
    EXPECT_EQ(read, d) << cylCount;
    EXPECT_EQ(Exh({"exh", "show", out, "--cyl", std::to_string(cylCount)}).Out, json + "\n");
  }
}

TEST(ExhCommands, SampleAdditionalDataAreMadeFromTheirJson) {
  test::TempDir dir;
  const std::string samples = ZEPHIRAX_SAMPLES;
  const ExhRun run = Exh({"exh", "write", dir.File("S.EXH"), "--cyl", "6"},
                         test::ReadBytes(samples + "/SIXCYL2T.EXH.json"));
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(test::ReadBytes(dir.File("S.EXH")), test::ReadBytes(samples + "/SIXCYL2T.EXH"));
}

TEST(ExhCommands, RejectsBadArgumentsAndInput) {
  test::TempDir dir;
  const std::string good = AdditionalDataJson(Sample(), 6);
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string json = good;
    json.replace(json.find(from), from.size(), to);
    return json;
  };
  struct Case {
    const char* what;
    std::vector<std::string> args;
    std::string input;
    int status;
  };
  const std::string out = dir.File("C.EXH");
  const Case cases[] = {
      {"no subcommand", {"exh"}, "", 2},
      {"unknown subcommand", {"exh", "list", out, "--cyl", "6"}, "", 2},
      {"no --cyl", {"exh", "show", out}, "", 2},
      {"--cyl 21", {"exh", "show", out, "--cyl", "21"}, "", 2},
      {"--cyl text", {"exh", "show", out, "--cyl", "6x"}, "", 2},
      {"--cyl without value", {"exh", "show", out, "--cyl"}, "", 2},
      {"two files", {"exh", "show", out, out, "--cyl", "6"}, "", 2},
      {"missing file", {"exh", "show", dir.File("none.EXH"), "--cyl", "6"}, "", 1},
      {"not JSON", {"exh", "write", out, "--cyl", "6"}, "{\"Texh\":", 1},
      {"wrong cylinder count", {"exh", "write", out, "--cyl", "5"}, good, 1},
      {"missing member",
       {"exh", "write", out, "--cyl", "6"},
       replaced("\"Pitch\"", "\"Pitsh\""),
       1},
      {"fraction in a whole number",
       {"exh", "write", out, "--cyl", "6"},
       replaced("\"McrPower\":10000", "\"McrPower\":10000.5"),
       1},
      {"whole number past 32 bits",
       {"exh", "write", out, "--cyl", "6"},
       replaced("\"McrPower\":10000", "\"McrPower\":3000000000"),
       1},
      {"single out of range",
       {"exh", "write", out, "--cyl", "6"},
       replaced("\"Pitch\":0", "\"Pitch\":1e39"),
       1},
      {"name too long",
       {"exh", "write", out, "--cyl", "6"},
       replaced("\"M/S K\xC3\x96LN\"", "\"" + std::string(30, 'N') + "\""),
       1},
      {"character without a cp1252 byte",
       {"exh", "write", out, "--cyl", "6"},
       replaced("\"line 1", "\"\u0142ine 1"),
       1},
      {"extra member", {"exh", "write", out, "--cyl", "6"}, replaced("{", "{\"X\":1,"), 1},
      {"repeated member", {"exh", "write", out, "--cyl", "6"}, replaced("{", "{\"Pitch\":1,"), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ExhRun run = Exh(c.args, c.input);
    EXPECT_EQ(run.Status, c.status);
    EXPECT_FALSE(run.Err.empty());
    EXPECT_TRUE(run.Out.empty());
    EXPECT_FALSE(std::filesystem::exists(out));
  }
}

TEST(JsonReader, AcceptsExactlyJson) {
  struct Case {
    std::string text;
    bool valid;
  };
  const Case cases[] = {
      {R"( {"a":[1,-2.5e3,0,true,false,null,"x\u00e9\ud83d\ude00\n"]} )", true},
      {"-0.0", true},
      {"\"\xC3\xA9\"", true},
      {"", false},
      {"01", false},
      {"1.", false},
      {".5", false},
      {"+1", false},
      {"1e400", false},
      {"[1,]", false},
      {"{\"a\":1,}", false},
      {"{a:1}", false},
      {"\"tab\there\"", false},
      {"\"\\x\"", false},
      {"\"\\ud800\"", false},
      {"\"\\udc00x\"", false},
      {"\"\xC3\"", false},
      {"\"\xC0\xAF\"", false},
      {"\"\xED\xA0\x80\"", false},
      {"\"\xF5\x80\x80\x80\"", false},
      {"\"unterminated", false},
      {"1 2", false},
      {"nul", false},
      {std::string(json::MaxJsonDepth, '[') + std::string(json::MaxJsonDepth, ']'), true},
      {std::string(100000, '[') + std::string(100000, ']'), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(json::ParseJson(c.text).has_value(), c.valid) << c.text.substr(0, 40);
  }
  const auto value = json::ParseJson(R"({"s":"a\u00e9\ud83d\ude00","n":-12.5})");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->Find("s")->String, "a\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(value->Find("n")->Number, -12.5);
  EXPECT_EQ(value->Find("missing"), nullptr);
}

TEST(JsonReader, AnyBytesAreSafe) {
  std::mt19937 rng(5);
  const std::string seed = AdditionalDataJson(Sample(), 6);
  for (int round = 0; round < 3000; ++round) {
    std::string text = seed;
    for (int e = 0; e < 4; ++e) text[rng() % text.size()] = static_cast<char>(rng());
    std::string why;
    (void)AdditionalDataFromJson(text, 6, why);
    (void)json::ParseJson(text.substr(0, rng() % text.size()));
  }
}

}  // namespace
}  // namespace zephirax
