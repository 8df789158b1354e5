#include "printing/QtPrintTarget.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>

#include "support/PdfTools.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

namespace fs = std::filesystem;
using test::PdfPageCount;
using test::PdfText;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// Prints one job per title, each page naming its job.
bool PrintJobs(QtPrintTarget& target, const QStringList& titles) {
  for (const QString& title : titles) {
    QPainter* painter = target.BeginJob(title);
    if (painter == nullptr) return false;
    painter->setFont(QFont("Arial", 12));
    painter->drawText(200, 200, "page of " + title);
    if (!target.EndJob()) return false;
  }
  return true;
}

std::vector<std::string> FileNames(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(QtPrintTarget, PdfDocumentHoldsEveryJobAsAPageInOrder) {
  TempDir dir;
  const std::string out = dir.File("report.pdf");
  WriteBytes(out, "an older report");
  auto target = PdfDocument(QString::fromStdString(out));
  ASSERT_TRUE(PrintJobs(*target, {"first", "second", "third"}));
  EXPECT_EQ(ReadBytes(out), "an older report") << "replaced before the run completed";
  ASSERT_TRUE(target->Finish()) << target->Failure().toStdString();
  EXPECT_EQ(target->JobsDone(), 3);
  EXPECT_EQ(PdfPageCount(out), 3);
  const std::string text = PdfText(out);
  EXPECT_LT(text.find("page of first"), text.find("page of second"));
  EXPECT_LT(text.find("page of second"), text.find("page of third"));
  EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"report.pdf"}) << "litter left";
  EXPECT_EQ(fs::status(out).permissions() & fs::perms::others_read, fs::perms::others_read)
      << "the report is private to its writer";
}

TEST(QtPrintTarget, AnAbandonedOrFailedRunKeepsTheOldFileAndLeavesNoLitter) {
  TempDir dir;
  const std::string out = dir.File("report.pdf");
  WriteBytes(out, "an older report");
  {
    auto abandoned = PdfDocument(QString::fromStdString(out));
    ASSERT_TRUE(PrintJobs(*abandoned, {"first"}));
  }
  EXPECT_EQ(ReadBytes(out), "an older report");
  EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"report.pdf"});

  auto empty = PdfDocument(QString::fromStdString(out));
  EXPECT_FALSE(empty->Finish()) << "a run without a page reported success";
  EXPECT_EQ(ReadBytes(out), "an older report");

  // A folder that cannot be created (a file stands in its way).
  auto blocked = PdfDocument(QString::fromStdString(dir.File("report.pdf/inside.pdf")));
  EXPECT_EQ(blocked->BeginJob("first"), nullptr);
  EXPECT_FALSE(blocked->Failure().isEmpty());
  EXPECT_FALSE(blocked->Finish());
}

TEST(QtPrintTarget, JobsOneAtATime) {
  TempDir dir;
  auto target = PdfDocument(QString::fromStdString(dir.File("a.pdf")));
  ASSERT_NE(target->BeginJob("one"), nullptr);
  EXPECT_TRUE(target->Busy());
  EXPECT_EQ(target->BeginJob("two"), nullptr) << "a second job began inside the first";
  EXPECT_FALSE(target->Finish()) << "finished with a job still open";
  EXPECT_TRUE(target->EndJob());
  EXPECT_FALSE(target->Busy());
  EXPECT_FALSE(target->EndJob()) << "ended a job that was not begun";
}

TEST(QtPrintTarget, PdfJobFilesWritesOneNamedFilePerJob) {
  TempDir dir;
  const fs::path folder = dir.Path() / "jobs";
  auto target = PdfJobFiles(QString::fromStdString(folder.string()));
  ASSERT_TRUE(PrintJobs(*target, {"ZEPHIRAX: print p/alpha all", "ZEPHIRAX: print MIP all"}));
  ASSERT_TRUE(target->Finish());
  EXPECT_EQ(FileNames(folder), (std::vector<std::string>{"01 ZEPHIRAX_ print p_alpha all.pdf",
                                                         "02 ZEPHIRAX_ print MIP all.pdf"}));
  const std::string second = (folder / "02 ZEPHIRAX_ print MIP all.pdf").string();
  EXPECT_EQ(PdfPageCount(second), 1);
  EXPECT_NE(PdfText(second).find("page of ZEPHIRAX: print MIP all"), std::string::npos);
}

TEST(QtPrintTarget, JobFileNamesStayInTheirFolder) {
  EXPECT_EQ(JobFileName(1, "a/b\\c:d*e?f\"g<h>i|j"), "01 a_b_c_d_e_f_g_h_i_j.pdf");
  EXPECT_EQ(JobFileName(12, "../x"), "12 .._x.pdf");
  EXPECT_EQ(JobFileName(3, QString("line\nbreak")), "03 line_break.pdf");
}

TEST(QtPrintTarget, WithoutAPrinterTheRunGoesIntoThePdfTheUserChooses) {
  TempDir dir;
  QtPrinterObject printer(false);
  EXPECT_FALSE(printer.HasPrinter());
  EXPECT_EQ(printer.OpenTarget([] { return std::nullopt; }), nullptr) << "declined, yet a target";

  const std::string out = dir.File("chosen.pdf");
  auto target = printer.OpenTarget([&] { return QString::fromStdString(out); });
  ASSERT_NE(target, nullptr);
  ASSERT_TRUE(PrintJobs(*target, {"one", "two"}));
  ASSERT_TRUE(target->Finish());
  EXPECT_EQ(PdfPageCount(out), 2);
}

TEST(QtPrintTarget, APrinterPrintsEveryJobOnItsOwn) {
  TempDir dir;
  // A printer set to print into a file stands in for a system printer: each
  // job replaces the file, so the last job's page is what remains.
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(dir.File("printer.pdf")));
  auto target = PrinterJobs(printer);
  ASSERT_TRUE(PrintJobs(*target, {"one", "two"}));
  EXPECT_EQ(target->JobsDone(), 2);
  EXPECT_EQ(printer.docName(), "two");
  EXPECT_NE(PdfText(dir.File("printer.pdf")).find("page of two"), std::string::npos);
}

}  // namespace
}  // namespace zephirax
