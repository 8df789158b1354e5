#include "app/QtPrintRun.h"

#include <QImage>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/AnalysisHandlers.h"
#include "printing/QtReportPage.h"
#include "support/MeasurementFileBuilder.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

// Jobs drawn into pictures of a small page; the job numbered FailAt is refused.
class PictureJobs : public QtPrintTarget {
 public:
  std::vector<std::pair<QString, QImage>> Jobs;
  int FailAt = 0;

  QPainter* BeginJob(const QString& title) override {
    if (static_cast<int>(Jobs.size()) + 1 == FailAt) {
      Fail("out of paper");
      return nullptr;
    }
    Jobs.emplace_back(title, QImage(400, 600, QImage::Format_RGB32));
    Jobs.back().second.fill(Qt::white);
    painter_.begin(&Jobs.back().second);
    Busy_ = true;
    return &painter_;
  }
  bool EndJob() override {
    painter_.end();
    Busy_ = false;
    ++JobsDone_;
    return true;
  }
  QPrinter& Printer() override { return printer_; }

 private:
  QPainter painter_;
  QPrinter printer_;
};

class PrintRunTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  AppState state_;
  PictureJobs target_;
  PrintScreen screen_;
  std::vector<std::string> shown_;  // "view:cylinder" as the screen was asked

  void SetUp() override {
    test::MeasurementFileBuilder file;
    file.Cylinders = 2;
    test::WriteBytes(dir_.File("M.KV"), file.Build());
    ASSERT_TRUE(LoadForAnalysis(state_, dir_.File("M.KV")));
    state_.Drawing.ControlWidth = 200;
    state_.Drawing.ControlHeight = 150;
    state_.View.CurrentView = ViewPmaxMean;
    screen_.ShowView = [this](int view) {
      shown_.push_back(std::to_string(view) + ":" + std::to_string(state_.View.CurrentCylinder));
    };
  }
  PrintRunResult Run(const std::vector<int>& pages, bool hardcopy = false) {
    return RunPrintJobs(state_, PlanPrintRun(state_, pages), hardcopy, {"file line", "ship line"},
                        target_, screen_);
  }
};

TEST_F(PrintRunTest, EveryJobIsDrawnAndPrintedInTurn) {
  const PrintRunResult result = Run({4, 1});
  EXPECT_TRUE(result.Complete());
  EXPECT_EQ(result.JobsPrinted, 3);
  // The current view is printed as it is; the others are drawn first.
  EXPECT_EQ(shown_, (std::vector<std::string>{"0:1", "0:2"}));
  ASSERT_EQ(target_.Jobs.size(), 3u);
  EXPECT_EQ(target_.Jobs[0].first, "ZEPHIRAX: print actual page");
  EXPECT_EQ(target_.Jobs[2].first, "ZEPHIRAX: print p/alpha single");
  // Each page has its view inside the frame, not just the frame.
  const QImage& page = target_.Jobs[0].second;
  const QRect picture = ReportLayoutOf(400, 600).Picture;
  int inked = 0;
  for (int y = picture.top() + 2; y < picture.bottom() - 2; y += 2) {
    for (int x = picture.left() + 2; x < picture.right() - 2; x += 2) {
      inked += page.pixel(x, y) != qRgb(255, 255, 255);
    }
  }
  EXPECT_GT(inked, 50);
}

TEST_F(PrintRunTest, TheRunEndsWhereThePrinterOrTheUserStopsIt) {
  target_.FailAt = 2;
  PrintRunResult result = Run({4});
  EXPECT_EQ(result.JobsPrinted, 1);
  EXPECT_EQ(result.Failure, "out of paper");
  EXPECT_FALSE(result.Complete());

  PictureJobs fresh;
  screen_.Progress = [](int done, int) { return done < 2; };
  result = RunPrintJobs(state_, PlanPrintRun(state_, {2, 4, 13}), false, {}, fresh, screen_);
  EXPECT_EQ(result.JobsPrinted, 2);
  EXPECT_TRUE(result.Stopped);
  EXPECT_TRUE(result.Failure.isEmpty());
  EXPECT_EQ(fresh.Jobs.size(), 2u);
}

TEST_F(PrintRunTest, HardcopyPagesAreTheWindowAtThePageWidth) {
  QImage window(200, 100, QImage::Format_RGB32);
  window.fill(Qt::blue);
  screen_.WindowImage = [&] { return window; };
  ASSERT_TRUE(Run({1}, true).Complete());
  const QImage& page = target_.Jobs.at(0).second;
  EXPECT_EQ(page.pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(page.pixel(399, 199), qRgb(0, 0, 255));
  EXPECT_EQ(page.pixel(200, 201), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace zephirax
