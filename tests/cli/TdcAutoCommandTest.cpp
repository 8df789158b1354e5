#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "support/JsonValue.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

const std::string Samples = ZEPHIRAX_SAMPLES;

class TdcAutoCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_CONFIG_HOME", dir_.Path().c_str(), 1); }

  // The program itself, as a user runs it; its exit status.
  int Run(const std::string& command, const std::vector<std::string>& args) {
    std::string line = std::string(ZEPHIRAX_CLI) + " " + command;
    for (const std::string& arg : args) line += " '" + arg + "'";
    line += " >'" + dir_.File("out.txt") + "' 2>'" + dir_.File("err.txt") + "'";
    const int status = std::system(line.c_str());
    out_ = test::ReadBytes(dir_.File("out.txt"));
    err_ = test::ReadBytes(dir_.File("err.txt"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  test::TempDir dir_;
  std::string out_, err_;
};

// The automatic view reads the marker's deviation, corrects every cylinder
// and saves NEW.KV with the additional data beside it; FILE stays as it was.
TEST_F(TdcAutoCommandTest, CorrectsSavesAndReports) {
  const std::string file = dir_.File("SIX.KV");
  std::filesystem::copy_file(Samples + "/SIXCYL2T.KV", file);
  std::filesystem::copy_file(Samples + "/SIXCYL2T.EXH", dir_.File("SIX.EXH"));
  const std::string before = test::ReadBytes(file);

  ASSERT_EQ(Run("tdc-auto", {file, dir_.File("NEW"), "--ref", "2", "--size", "640x400"}), 0)
      << err_;
  const test::JsonValue json = test::ParseJson(out_);
  EXPECT_TRUE(json.Has("DevFromTdc"));
  ASSERT_EQ(json["TdcShift"].Array.size(), 6u);
  ASSERT_EQ(json["CylMip"].Array.size(), 6u);
  EXPECT_EQ(test::ReadBytes(file), before);
  EXPECT_EQ(test::ReadBytes(dir_.File("NEW.EXH")), test::ReadBytes(dir_.File("SIX.EXH")));
  ASSERT_EQ(Run("dump", {dir_.File("NEW.KV")}), 0) << err_;
  const test::JsonValue saved = test::ParseJson(out_);
  // The file holds each shift with one decimal.
  for (size_t c = 0; c < 6; ++c) {
    EXPECT_NEAR(saved["TdcShift"][c].Number, json["TdcShift"][c].Number, 0.051) << c;
  }

  // The manual view aligns one cylinder and reads no marker.
  ASSERT_EQ(Run("tdc-auto", {file, dir_.File("MAN.KV"), "--manual", "3", "--ref", "1"}), 0) << err_;
  const test::JsonValue manual = test::ParseJson(out_);
  EXPECT_FALSE(manual.Has("DevFromTdc"));
  EXPECT_EQ(manual["TdcShift"][0].Number, 0);
  EXPECT_EQ(manual["TdcShift"][1].Number, 0);
}

TEST_F(TdcAutoCommandTest, RefusesWhatItCannotCorrect) {
  const std::string file = dir_.File("SIX.KV");
  std::filesystem::copy_file(Samples + "/SIXCYL2T.KV", file);
  EXPECT_EQ(Run("tdc-auto", {file, dir_.File("SIX")}), 2);  // would overwrite FILE
  EXPECT_EQ(Run("tdc-auto", {file, dir_.File("X"), "--ref", "7"}), 2);
  EXPECT_EQ(Run("tdc-auto", {file, dir_.File("X"), "--marker-offset", "1041"}), 2);
  EXPECT_EQ(Run("tdc-auto", {Samples + "/FIVECYL.KS", dir_.File("X")}), 1);
  EXPECT_NE(err_.find("MIP"), std::string::npos) << err_;
  EXPECT_EQ(Run("tdc-auto", {dir_.File("missing.KV"), dir_.File("X")}), 1);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("X.KV")));
}

TEST_F(TdcAutoCommandTest, RenderDrawsTheTdcViews) {
  const std::string file = Samples + "/SIXCYL2T.KV";
  const std::string png = dir_.File("v.png");
  EXPECT_EQ(Run("render", {file, "--view", "15", "-o", png, "--refcyl", "2", "--marker-offset",
                           "40", "--canvas-log", dir_.File("v.log")}),
            0)
      << err_;
  EXPECT_NE(test::ReadBytes(dir_.File("v.log")).find("Dev from TDC"), std::string::npos);
  EXPECT_EQ(Run("render", {file, "--view", "19", "-o", png, "--cyl", "3"}), 0) << err_;
  EXPECT_EQ(Run("render", {file, "--view", "15", "-o", png, "--ref", file}), 2);
  EXPECT_EQ(Run("render", {file, "--view", "0", "-o", png, "--marker-slope", "3"}), 2);
  EXPECT_EQ(Run("render", {Samples + "/FIVECYL.KS", "--view", "19", "-o", png}), 1);
}

}  // namespace
}  // namespace zephirax
