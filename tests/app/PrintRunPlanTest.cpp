#include "app/PrintRunPlan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "adddata/AdditionalDataFile.h"
#include "app/AnalysisHandlers.h"
#include "support/MeasurementFileBuilder.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

const std::vector<int> AllPages = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

class PrintRunPlanTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  AppState state_;

  void Analyse(int cylinders, bool mip, bool addData) {
    test::MeasurementFileBuilder file;
    file.Cylinders = cylinders;
    file.Mip = file.Mode = mip;
    const std::string name = dir_.File("ENGINE 7.KV");
    test::WriteBytes(name, file.Build());
    std::filesystem::remove(dir_.File("ENGINE 7.EXH"));
    if (addData) {
      AdditionalData exh;
      exh.ShipName = "M/S Kr\xE4he";  // cp1252, as the file keeps it
      test::WriteBytes(dir_.File("ENGINE 7.EXH"), AdditionalDataBytes(exh, cylinders));
    }
    ASSERT_TRUE(LoadForAnalysis(state_, name));
    state_.View.CurrentView = ViewPmaxMean;
  }

  // "page:view:cylinder" of every job.
  static std::vector<std::string> Jobs(const PrintPlan& plan) {
    std::vector<std::string> jobs;
    for (const PrintJob& job : plan.Jobs) {
      jobs.push_back(std::to_string(job.Page) + ":" + std::to_string(job.View) + ":" +
                     std::to_string(job.Cylinder));
    }
    return jobs;
  }
};

TEST_F(PrintRunPlanTest, AllPagesOfSixCylindersAreThirtyJobsInTableOrder) {
  Analyse(6, true, true);
  const PrintPlan plan = PlanPrintRun(state_, AllPages);
  ASSERT_EQ(plan.Jobs.size(), 30u);
  EXPECT_TRUE(plan.LeftOut.empty());
  std::vector<std::string> expected = {"2:1:0", "3:16:0"};
  for (int cyl = 1; cyl <= 6; ++cyl) expected.push_back("4:0:" + std::to_string(cyl));
  for (int cyl = 1; cyl <= 6; ++cyl) expected.push_back("5:2:" + std::to_string(cyl));
  for (const char* job : {"6:3:0", "7:7:0", "8:8:0", "9:9:0", "10:10:0", "11:11:0", "12:6:0",
                          "13:5:0", "14:13:0", "15:20:0"}) {
    expected.push_back(job);
  }
  for (int cyl = 1; cyl <= 6; ++cyl) expected.push_back("16:4:" + std::to_string(cyl));
  EXPECT_EQ(Jobs(plan), expected);
  EXPECT_EQ(plan.Jobs.front().Title, "ZEPHIRAX: print p/alpha all");
  EXPECT_EQ(plan.Jobs[2].Title, "ZEPHIRAX: print p/alpha single");
  EXPECT_EQ(plan.Jobs[23].Title, "ZEPHIRAX: print added data");
  EXPECT_EQ(plan.Jobs.back().Title, "ZEPHIRAX: print pmax single");
  for (const PrintJob& job : plan.Jobs) EXPECT_TRUE(job.Redraw);
}

TEST_F(PrintRunPlanTest, PagesTheMeasurementCannotShowAreLeftOut) {
  const struct {
    bool Mip, AddData;
    std::vector<int> LeftOut;
    size_t Jobs;
  } cases[] = {
      {true, true, {}, 30},
      {true, false, {15}, 29},
      {false, true, {5, 6, 7, 8, 9, 10}, 19},
      {false, false, {5, 6, 7, 8, 9, 10, 15}, 18},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "MIP " << c.Mip << ", additional data " << c.AddData);
    state_ = AppState();
    Analyse(6, c.Mip, c.AddData);
    const PrintPlan plan = PlanPrintRun(state_, AllPages);
    EXPECT_EQ(plan.LeftOut, c.LeftOut);
    EXPECT_EQ(plan.Jobs.size(), c.Jobs);
  }
}

TEST_F(PrintRunPlanTest, TheCurrentViewComesFirstAndEveryPageOnce) {
  Analyse(3, false, false);
  const PrintPlan plan = PlanPrintRun(state_, {16, 7, 1, 13, 7, 1});
  EXPECT_EQ(Jobs(plan),
            (std::vector<std::string>{"1:5:0", "13:5:0", "16:4:1", "16:4:2", "16:4:3"}));
  EXPECT_FALSE(plan.Jobs[0].Redraw);
  EXPECT_EQ(plan.LeftOut, std::vector<int>{7});
}

TEST_F(PrintRunPlanTest, TheHeaderNamesTheFileAndTheShipOfTheMeasurement) {
  state_.Config.ShipName = "Configured";
  Analyse(2, true, true);
  ReportHeader header = ReportHeaderOf(state_);
  EXPECT_EQ(header.File, "ENGINE 7.KV");
  EXPECT_EQ(header.Date + " " + header.Time, "06.12.2026 14:32");
  EXPECT_EQ(header.Ship, "M/S Kr\xC3\xA4he");
  // Without a ship of its own the measurement was taken on the configured one.
  state_.Files.AddData.ShipName.clear();
  EXPECT_EQ(ReportHeaderOf(state_).Ship, "Configured");
  state_.Files.AddData.ShipName = "Other";
  state_.Files.HasAddData = false;
  EXPECT_EQ(ReportHeaderOf(state_).Ship, "Configured");
}

}  // namespace
}  // namespace zephirax
