#include "cli/SetupCommands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/JsonValue.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

struct SetupRun {
  int Status = 0;
  std::string Out, Err;
};

SetupRun RunSetup(const std::vector<std::string>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  SetupRun run;
  run.Status = SetupCommand(args, in, out, err);
  run.Out = out.str();
  run.Err = err.str();
  return run;
}

class SetupCommandsTest : public ::testing::Test {
 protected:
  std::string File(const std::string& name) const { return dir_.File(name); }
  test::TempDir dir_;
};

TEST_F(SetupCommandsTest, NewShowWriteRoundTrip) {
  ASSERT_EQ(RunSetup({"setup", "new", File("A")}).Status, 0);
  const SetupRun shown = RunSetup({"setup", "show", File("A")});
  ASSERT_EQ(shown.Status, 0) << shown.Err;
  const test::JsonValue json = test::ParseJson(shown.Out);
  EXPECT_EQ(json.Keys(), (std::vector<std::string>{
                             "CylCount", "StrokeCount", "StrokeCycle", "TdcSensor", "InLineEngine",
                             "TdcCorrection", "FiringOrder", "VAngle", "Bore", "Stroke", "ConRod",
                             "TdcDeviation", "Pscav", "PmaxDevLimit", "KmSensor", "FuelAclSensor",
                             "AverageCurve"}));
  EXPECT_EQ(json["CylCount"].Number, 6);
  EXPECT_EQ(json["FiringOrder"].Array.size(), 6u);
  EXPECT_EQ(json["TdcDeviation"].Array.size(), 6u);
  EXPECT_EQ(json["Pscav"].Number, 1.0);
  EXPECT_EQ(json["FuelAclSensor"].Number, 0);
  EXPECT_EQ(json["AverageCurve"].Number, -1);

  // The shown JSON, written back, gives the same file byte for byte.
  ASSERT_EQ(RunSetup({"setup", "write", File("B")}, shown.Out).Status, 0);
  EXPECT_EQ(test::ReadBytes(File("B")), test::ReadBytes(File("A")));
  EXPECT_EQ(test::ReadBytes(File("A")).size(), 112u);
}

TEST_F(SetupCommandsTest, FrameIsTheLineBytes) {
  ASSERT_EQ(RunSetup({"setup", "new", File("A")}).Status, 0);
  const SetupRun frame = RunSetup({"setup", "frame", File("A")});
  ASSERT_EQ(frame.Status, 0);
  std::string expected = test::ReadBytes(File("A"));
  expected.replace(expected.find(";1.00;"), 6, ";01.0;");
  EXPECT_EQ(frame.Out, expected);
}

TEST_F(SetupCommandsTest, AutoWritesTheDeviations) {
  const std::string json =
      R"({"CylCount":6,"StrokeCount":10,"StrokeCycle":4,"TdcSensor":1,"InLineEngine":1,)"
      R"("TdcCorrection":-2.5,"FiringOrder":[1,5,3,4,2,6],"VAngle":0,"Bore":600,)"
      R"("Stroke":2400,"ConRod":2500,"TdcDeviation":[0,0,0,0,0,0],"Pscav":2.5,)"
      R"("PmaxDevLimit":5,"KmSensor":1,"FuelAclSensor":-1,"AverageCurve":0})";
  ASSERT_EQ(RunSetup({"setup", "write", File("A")}, json).Status, 0);
  ASSERT_EQ(RunSetup({"setup", "auto", File("A"), File("B")}).Status, 0);
  const test::JsonValue shown = test::ParseJson(RunSetup({"setup", "show", File("B")}).Out);
  const double expected[] = {0, 480, 240, 360, 120, 600};
  for (size_t c = 0; c < 6; ++c) EXPECT_EQ(shown["TdcDeviation"][c].Number, expected[c]);
  EXPECT_EQ(shown["TdcCorrection"].Number, -2.5);
  EXPECT_EQ(shown["FuelAclSensor"].Number, -1);
}

TEST_F(SetupCommandsTest, FailuresAndTheirStatus) {
  test::WriteBytes(File("bad"), "hello");
  test::WriteBytes(File("old"), "keep");
  const std::string good =
      R"({"CylCount":1,"StrokeCount":1,"StrokeCycle":2,"TdcSensor":0,"InLineEngine":0,)"
      R"("TdcCorrection":0,"FiringOrder":[1],"VAngle":45,"Bore":1,"Stroke":1,"ConRod":1,)"
      R"("TdcDeviation":[0],"Pscav":1,"PmaxDevLimit":5,"KmSensor":0,"FuelAclSensor":0,)"
      R"("AverageCurve":0})";
  auto with = [&good](const std::string& from, const std::string& to) {
    std::string json = good;
    json.replace(json.find(from), from.size(), to);
    return json;
  };
  struct Case {
    std::vector<std::string> Args;
    std::string Input;
    int Status;
  };
  const Case cases[] = {
      {{"setup"}, "", 2},
      {{"setup", "bogus", File("x")}, "", 2},
      {{"setup", "show"}, "", 2},
      {{"setup", "auto", File("bad")}, "", 2},
      {{"setup", "show", File("bad")}, "", 1},
      {{"setup", "frame", File("missing")}, "", 1},
      {{"setup", "auto", File("bad"), File("old")}, "", 1},
      {{"setup", "write", File("old")}, "not json", 1},
      {{"setup", "write", File("old")}, with("\"CylCount\":1", "\"CylCount\":21"), 1},
      {{"setup", "write", File("old")}, with("\"CylCount\":1", "\"CylCount\":2"), 1},
      {{"setup", "write", File("old")}, with("\"StrokeCount\":1", "\"StrokeCount\":31"), 1},
      {{"setup", "write", File("old")}, with("\"Bore\":1", "\"Bore\":1.5"), 1},
      {{"setup", "write", File("old")}, with("\"Bore\":1", "\"Bore\":\"1\""), 1},
      {{"setup", "write", File("old")}, with("\"AverageCurve\":0", "\"AverageCurve\":1"), 1},
      {{"setup", "write", File("old")}, with(",\"KmSensor\":0", ""), 1},
      {{"setup", "write", File("old")}, with("\"KmSensor\":0", "\"KmSensor\":0,\"Extra\":1"), 1},
      {{"setup", "write", File("old")}, with("\"KmSensor\":0", "\"KmSensor\":0,\"Bore\":2"), 1},
      {{"setup", "write", File("old")}, with("[0]", "[\"a\"]"), 1},
      {{"setup", "write", File("old")}, with("\"TdcSensor\":0", "\"TdcSensor\":-1"), 1},
      {{"setup", "write", File("old") + "/inside"}, good, 1},
  };
  for (const Case& c : cases) {
    const SetupRun run = RunSetup(c.Args, c.Input);
    EXPECT_EQ(run.Status, c.Status) << c.Args.back() << " " << c.Input;
    EXPECT_FALSE(run.Err.empty());
    EXPECT_EQ(test::ReadBytes(File("old")), "keep");
  }
  EXPECT_NE(RunSetup({"setup", "show", File("bad")}).Err.find("This is not a valid file type !"),
            std::string::npos);
  EXPECT_EQ(RunSetup({"setup", "write", File("old")}, good).Status, 0);
}

}  // namespace
}  // namespace zephirax
