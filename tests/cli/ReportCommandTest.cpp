#include "cli/ReportCommand.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "support/PdfTools.h"
#include "support/SqueezedText.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

using test::Squeezed;

const std::string SixCyl = std::string(ZEPHIRAX_SAMPLES) + "/SIXCYL2T.KV";  // with an .EXH
const std::string FiveCyl = std::string(ZEPHIRAX_SAMPLES) + "/FIVECYL.KS";  // no MIP item

struct ReportRun {
  int Status = -1;
  std::string Out;
  std::string Err;
};

// A gray picture of a PDF page at 72 pixels per inch: one pixel per point.
struct PagePicture {
  int Width = 0;
  int Height = 0;
  std::string Pixels;
  bool Dark(int x, int y) const {
    return x >= 0 && y >= 0 && x < Width && y < Height &&
           static_cast<unsigned char>(Pixels[y * Width + x]) < 128;
  }
};

class ReportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_CONFIG_HOME", dir_.Path().c_str(), 1); }

  // The program itself, as a user runs it.
  ReportRun Report(const std::vector<std::string>& args) {
    std::string command = ZEPHIRAX_CLI " report";
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " >'" + dir_.File("out.txt") + "' 2>'" + dir_.File("err.txt") + "'";
    const int status = std::system(command.c_str());
    ReportRun run;
    if (WIFEXITED(status)) run.Status = WEXITSTATUS(status);
    run.Out = test::ReadBytes(dir_.File("out.txt"));
    run.Err = test::ReadBytes(dir_.File("err.txt"));
    return run;
  }

  // The first page of `pdf`.
  PagePicture Picture(const std::string& pdf) {
    const std::string base = dir_.File("page");
    const std::string command =
        "/usr/bin/pdftoppm -gray -r 72 -singlefile '" + pdf + "' '" + base + "'";
    PagePicture picture;
    if (std::system(command.c_str()) != 0) return picture;
    // A binary PGM: "P5", the size, the largest value, then a byte per pixel.
    std::istringstream pgm(test::ReadBytes(base + ".pgm"));
    std::string magic;
    int largest = 0;
    pgm >> magic >> picture.Width >> picture.Height >> largest;
    pgm.get();
    picture.Pixels.assign(std::istreambuf_iterator<char>(pgm), {});
    if (magic != "P5" || picture.Pixels.size() < size_t(picture.Width) * picture.Height) {
      return {};
    }
    return picture;
  }

  test::TempDir dir_;
};

TEST_F(ReportCommandTest, RefusesBadArgumentsBeforeLoading) {
  const std::string out = dir_.File("out.pdf");
  const std::vector<std::vector<std::string>> bad = {
      {"report", SixCyl},
      {"report", SixCyl, "-o", out, "--jobs", dir_.File("jobs")},
      {"report", SixCyl, "-o", out, "--pages", "1"},
      {"report", SixCyl, "-o", out, "--pages", "2,,17"},
      {"report", SixCyl, "-o", out, "--lang", "nl"},
      {"report", SixCyl, FiveCyl, "-o", out},
  };
  for (const auto& args : bad) {
    std::ostringstream stdOut, stdErr;
    EXPECT_EQ(ReportCommand(args, stdOut, stdErr), 2) << args.back();
    EXPECT_NE(stdErr.str().find("Usage"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(ReportCommandTest, AllPagesOfASampleWithHeaderAndFrame) {
  const std::string pdf = dir_.File("report.pdf");
  const ReportRun run = Report({SixCyl, "-o", pdf});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, pdf + "\n");
  EXPECT_EQ(test::PdfPageCount(pdf), 30);  // six cylinders, every page of the table

  // The frame runs 0.075 of the printable width in from its sides and from
  // 0.09 to 0.89 of its height; the margins around it are equal.
  const PagePicture page = Picture(pdf);
  ASSERT_GT(page.Width, 0);
  int top = 0;
  while (top < page.Height && !page.Dark(page.Width / 2, top)) ++top;
  int left = 0;
  while (left < page.Width && !page.Dark(left, top)) ++left;
  const double margin = (left - 0.075 * page.Width) / 0.85;
  const double width = page.Width - 2 * margin;
  const double height = page.Height - 2 * margin;
  EXPECT_NEAR(top, margin + 0.09 * height, 1.5);
  const int right = static_cast<int>(std::lround(margin + 0.925 * width));
  const int bottom = static_cast<int>(std::lround(margin + 0.89 * height));
  const int middle = static_cast<int>(margin + 0.5 * height);
  EXPECT_TRUE(page.Dark(left, middle));
  EXPECT_TRUE(page.Dark(right, middle) || page.Dark(right - 1, middle));
  EXPECT_TRUE(page.Dark(page.Width / 2, bottom) || page.Dark(page.Width / 2, bottom - 1));
  // Between the frame and the picture the page is blank.
  EXPECT_FALSE(page.Dark(left + 3, middle));
  EXPECT_FALSE(page.Dark(page.Width / 2, top + 3));
}

TEST_F(ReportCommandTest, HeaderLinesSpeakTheLanguage) {
  const struct {
    const char* Language;
    const char* FileLine;
    const char* ShipLine;
  } cases[] = {
      {"de", "Datei : SIXCYL2T.KV Datum : 06.12.2026 Zeit : 14:32", "Schiff : MV SAMPLE TRADER"},
      {"en", "File : SIXCYL2T.KV Date : 06.12.2026 Time : 14:32", "Ship : MV SAMPLE TRADER"},
      {"fr", "Fichier : SIXCYL2T.KV Date : 06.12.2026 Heure : 14:32", "Navire : MV SAMPLE TRADER"},
      {"es", "Fichero : SIXCYL2T.KV Fecha : 06.12.2026 Hora : 14:32", "Barco : MV SAMPLE TRADER"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Language);
    const std::string pdf = dir_.File(std::string(c.Language) + ".pdf");
    const ReportRun run = Report({SixCyl, "-o", pdf, "--pages", "11", "--lang", c.Language});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(test::PdfPageCount(pdf), 1);
    const std::string text = Squeezed(test::PdfText(pdf));
    EXPECT_NE(text.find(c.FileLine), std::string::npos) << text;
    EXPECT_NE(text.find(c.ShipLine), std::string::npos) << text;
  }
}

TEST_F(ReportCommandTest, OneFilePerJobAndPagesLeftOut) {
  const std::string jobs = dir_.File("jobs");
  // The MIP chart needs what a .KS file lacks; pmax single is one job per cylinder.
  const ReportRun run = Report({FiveCyl, "--jobs", jobs, "--pages", "16,7,2"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_NE(run.Err.find("page 7 (ZEPHIRAX: print MIP all) left out"), std::string::npos)
      << run.Err;
  std::string expected = jobs + "/01 ZEPHIRAX_ print p_alpha all.pdf\n";
  for (int job = 2; job <= 6; ++job) {
    expected += jobs + "/0" + std::to_string(job) + " ZEPHIRAX_ print pmax single.pdf\n";
  }
  EXPECT_EQ(run.Out, expected);
  EXPECT_NE(test::PdfText(jobs + "/06 ZEPHIRAX_ print pmax single.pdf").find("Cyl 5"),
            std::string::npos);

  // Nothing the measurement can show: nothing is written.
  const std::string pdf = dir_.File("none.pdf");
  EXPECT_EQ(Report({FiveCyl, "-o", pdf, "--pages", "5,6"}).Status, 1);
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(ReportCommandTest, RejectedFilesLeaveTheOutputAlone) {
  const std::string junk = dir_.File("junk.KV");
  test::WriteBytes(junk, "not a measurement\r\n");
  const std::string pdf = dir_.File("kept.pdf");
  test::WriteBytes(pdf, "earlier report");
  for (const auto& args :
       std::vector<std::vector<std::string>>{{junk, "-o", pdf},
                                             {dir_.File("missing.KV"), "-o", pdf},
                                             {SixCyl, "-o", pdf, "--exh", dir_.File("missing.EXH")},
                                             {junk, "-o", pdf, "--hardcopy"}}) {
    const ReportRun run = Report(args);
    EXPECT_EQ(run.Status, 1) << args[0];
    EXPECT_FALSE(run.Err.empty());
  }
  EXPECT_TRUE(test::ReadBytes(pdf) == "earlier report");
}

TEST_F(ReportCommandTest, HardcopyPagesCarryTheWindowLossless) {
  const std::string pdf = dir_.File("hardcopy.pdf");
  const ReportRun run = Report({SixCyl, "-o", pdf, "--hardcopy", "--pages", "actual"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(test::PdfPageCount(pdf), 1);
  test::ChildProcess images({"/usr/bin/pdfimages", "-list", pdf});
  const std::string list = Squeezed(images.Output());
  ASSERT_EQ(images.Wait(), 0);
  // One picture of the whole window, stored as it is, not as JPEG.
  EXPECT_NE(list.find("\n 1 0 image 1024 700 rgb 3 8 image "), std::string::npos) << list;
  EXPECT_EQ(list.find(" 1 1 image"), std::string::npos) << list;
}

}  // namespace
}  // namespace zephirax
