#include "cli/RenderCommand.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <cstdlib>
#include <sstream>

#include "cli/CanvasLog.h"
#include "support/JsonValue.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

const std::string V12Fuel = std::string(ZEPHIRAX_SAMPLES) + "/V12FUEL.KV";
const std::string SixCyl = std::string(ZEPHIRAX_SAMPLES) + "/SIXCYL2T.KV";

TEST(CanvasLogTest, WritesTheFixedVocabulary) {
  CanvasOp pen = MakeCanvasOp("SetPen", 2);
  pen.Colour = 0x0A0BCC;
  pen.Style = PenStyle::Dot;
  CanvasOp font = MakeCanvasOp("SetFont", 13);
  font.Text = "Arial";
  font.Bold = true;
  CanvasOp text = MakeCanvasOp("TextOut", -3, 7);
  text.Text = "p \"max\" \xC2\xB0";
  CanvasOp broken = MakeCanvasOp("TextOut", 0, 0);
  broken.Text =
      "a\xFF"
      "b\xC3";  // not UTF-8: a stray byte and a cut-off sequence
  const struct {
    CanvasOp In;
    std::string Line;
  } cases[] = {
      {MakeCanvasOp("SetSize", 640, 480), R"({"op":"SetSize","width":640,"height":480})"},
      {pen, R"({"op":"SetPen","color":"#0a0bcc","width":2,"style":"dot"})"},
      {MakeCanvasOp("SetBrush"), R"({"op":"SetBrush","color":"#000000"})"},
      {font, R"({"op":"SetFont","name":"Arial","height":13,"bold":true})"},
      {MakeCanvasOp("LineTo", 5, -1), R"({"op":"LineTo","x":5,"y":-1})"},
      {MakeCanvasOp("FillRect", 1, 2, 3, 4), R"({"op":"FillRect","x1":1,"y1":2,"x2":3,"y2":4})"},
      {text, "{\"op\":\"TextOut\",\"x\":-3,\"y\":7,\"text\":\"p \\\"max\\\" \xC2\xB0\"}"},
      {broken,
       "{\"op\":\"TextOut\",\"x\":0,\"y\":0,\"text\":\"a\xEF\xBF\xBD"
       "b\xEF\xBF\xBD\"}"},
  };
  for (const auto& c : cases) {
    const std::string line = CanvasLogLine(c.In);
    EXPECT_EQ(line, c.Line);
    EXPECT_NO_THROW(test::ParseJson(line)) << line;
  }
  EXPECT_EQ(CanvasLog({MakeCanvasOp("MoveTo", 1, 2), MakeCanvasOp("LineTo", 3, 4)}),
            "{\"op\":\"MoveTo\",\"x\":1,\"y\":2}\n{\"op\":\"LineTo\",\"x\":3,\"y\":4}\n");
}

struct RenderRun {
  int Status = -1;
  std::string Err;
};

class RenderCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Settings come from the configuration: keep the user's out of it.
    setenv("XDG_CONFIG_HOME", dir_.Path().c_str(), 1);
  }

  // The program itself, as a user runs it.
  RenderRun Render(const std::vector<std::string>& args) {
    std::string command = ZEPHIRAX_CLI " render";
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " >/dev/null 2>'" + dir_.File("err.txt") + "'";
    const int status = std::system(command.c_str());
    RenderRun run;
    if (WIFEXITED(status)) run.Status = WEXITSTATUS(status);
    run.Err = test::ReadBytes(dir_.File("err.txt"));
    return run;
  }

  std::vector<test::JsonValue> LogLines(const std::string& file) {
    std::vector<test::JsonValue> lines;
    std::istringstream log(test::ReadBytes(file));
    for (std::string line; std::getline(log, line);) lines.push_back(test::ParseJson(line));
    return lines;
  }

  test::TempDir dir_;
};

TEST_F(RenderCommandTest, RefusesBadArgumentsBeforeLoading) {
  const std::string out = dir_.File("out.png");
  const std::vector<std::vector<std::string>> bad = {
      {"render"},
      {"render", V12Fuel, "--view", "0"},
      {"render", V12Fuel, "-o", out},
      {"render", V12Fuel, "--view", "21", "-o", out},
      {"render", V12Fuel, "--view", "0", "-o", out, "--power", "PS"},
      {"render", V12Fuel, "--view", "0", "-o", out, "--temp", "K"},
      {"render", V12Fuel, "--view", "0", "-o", out, "--exh"},
      {"render", V12Fuel, "--view", "x", "-o", out},
      {"render", V12Fuel, "--view", "14", "-o", out},
      {"render", V12Fuel, "--view", "0", "-o", out, "--refcyl", "2"},
      {"render", V12Fuel, "--view", "0", "-o", out, "--fuel", "--acl"},
      {"render", V12Fuel, "--view", "0", "-o", out, "--size", "0x800"},
      {"render", V12Fuel, "--view", "0", "-o", out, "--size", "10001x800"},
      {"render", V12Fuel, "--view", "0", "-o", out, "--size", "1280x"},
      {"render", V12Fuel, "--view", "0", "-o", out, "--lang", "nl"},
      {"render", V12Fuel, "--view", "0", "-o", out, "--pressure", "kPa"},
      {"render", V12Fuel, "--view", "0", "-o", out, "--cursor", "12.5"},
      {"render", V12Fuel, "--view", "0", "-o", out, "--bogus"},
      {"render", V12Fuel, SixCyl, "--view", "0", "-o", out},
      {"render", V12Fuel, "--view", "0", "-o"},
  };
  for (const auto& args : bad) {
    std::ostringstream stdOut, stdErr;
    EXPECT_EQ(RenderCommand(args, stdOut, stdErr), 2) << args.back();
    EXPECT_NE(stdErr.str().find("Usage"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(RenderCommandTest, CylindersAreCheckedAgainstTheFiles) {
  const std::string out = dir_.File("out.png");
  EXPECT_EQ(Render({V12Fuel, "--view", "0", "-o", out, "--cyl", "13"}).Status, 2);
  EXPECT_EQ(Render({V12Fuel, "--view", "0", "-o", out, "--cyl", "0"}).Status, 2);
  EXPECT_EQ(Render({SixCyl, "--view", "14", "-o", out, "--ref", SixCyl, "--refcyl", "7"}).Status,
            2);
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(RenderCommandTest, RejectedFilesFailWithTheirMessage) {
  const std::string junk = dir_.File("junk.KV");
  test::WriteBytes(junk, "not a measurement\r\n");
  const std::string out = dir_.File("out.png");
  for (const auto& args :
       std::vector<std::vector<std::string>>{{junk, "--view", "1", "-o", out},
                                             {SixCyl, "--view", "14", "--ref", junk, "-o", out},
                                             {dir_.File("missing.KV"), "--view", "1", "-o", out}}) {
    const RenderRun run = Render(args);
    EXPECT_EQ(run.Status, 1) << args[0];
    EXPECT_FALSE(run.Err.empty());
  }
  EXPECT_FALSE(std::filesystem::exists(out));
  // A destination that cannot be made: its folder would have to be a file.
  EXPECT_EQ(Render({SixCyl, "--view", "1", "-o", junk + "/out.png"}).Status, 1);
}

TEST_F(RenderCommandTest, DrawsThePictureAndLogsEveryCall) {
  const std::string out = dir_.File("v0.png");
  const std::string log = dir_.File("v0.log");
  const RenderRun run = Render({V12Fuel, "--view", "0", "-o", out, "--size", "640x480", "--cyl",
                                "3", "--fuel", "--dpda", "--canvas-log", log});
  ASSERT_EQ(run.Status, 0) << run.Err;
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(out), "PNG"));
  EXPECT_EQ(image.size(), QSize(640, 480));

  const std::vector<test::JsonValue> lines = LogLines(log);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0]["op"].String, "SetSize");
  EXPECT_EQ(lines[0]["width"].Number, 640);
  EXPECT_EQ(lines[0]["height"].Number, 480);
  int lineTos = 0, texts = 0;
  for (const test::JsonValue& line : lines) {
    lineTos += line["op"].String == "LineTo";
    texts += line["op"].String == "TextOut";
  }
  EXPECT_GT(lineTos, 100);
  EXPECT_GT(texts, 10);
  // Something was drawn where the log says lines go.
  int inked = 0;
  for (int y = 0; y < image.height(); y += 4) {
    for (int x = 0; x < image.width(); x += 4) inked += image.pixel(x, y) != qRgb(255, 255, 255);
  }
  EXPECT_GT(inked, 100);

  // The flags reach the view: without them it draws less.
  const std::string plainLog = dir_.File("plain.log");
  ASSERT_EQ(Render({V12Fuel, "--view", "0", "-o", out, "--size", "640x480", "--cyl", "3",
                    "--canvas-log", plainLog})
                .Status,
            0);
  EXPECT_LT(LogLines(plainLog).size(), lines.size());
}

TEST_F(RenderCommandTest, DrawsAgainstAReferenceCylinder) {
  const std::string out = dir_.File("v14.png");
  const std::string log = dir_.File("v14.log");
  const RenderRun run = Render(
      {SixCyl, "--view", "14", "--ref", SixCyl, "--refcyl", "4", "-o", out, "--canvas-log", log});
  ASSERT_EQ(run.Status, 0) << run.Err;
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(out), "PNG"));
  EXPECT_EQ(image.size(), QSize(1280, 800));
  const std::vector<test::JsonValue> lines = LogLines(log);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0]["width"].Number, 1280);
}

TEST_F(RenderCommandTest, DrawsEveryViewTheMenuOffers) {
  // SIXCYL2T.EXH beside the sample brings the texh views.
  const std::string log = dir_.File("view.log");
  for (int view = 0; view <= 20; ++view) {
    if (view == 14 || view == 15 || view == 19) continue;
    SCOPED_TRACE(view);
    const std::string out = dir_.File("view" + std::to_string(view) + ".png");
    const RenderRun run =
        Render({SixCyl, "--view", std::to_string(view), "-o", out, "--size", "800x600", "--power",
                "hp", "--temp", "F", "--lang", "fr", "--canvas-log", log});
    ASSERT_EQ(run.Status, 0) << run.Err;
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(out), "PNG"));
    EXPECT_EQ(image.size(), QSize(800, 600));
    const std::vector<test::JsonValue> lines = LogLines(log);
    ASSERT_GT(lines.size(), 20u);
    EXPECT_EQ(lines[0]["op"].String, "SetSize");
  }
}

TEST_F(RenderCommandTest, AdditionalDataComeFromBesideTheFileOrFromExh) {
  // The sample's .EXH lies beside it; a copy elsewhere has none.
  const std::string lonely = dir_.File("SIX.KV");
  test::WriteBytes(lonely, test::ReadBytes(SixCyl));
  const std::string out = dir_.File("texh.png");
  const RenderRun missing = Render({lonely, "--view", "17", "-o", out});
  EXPECT_EQ(missing.Status, 1);
  EXPECT_NE(missing.Err.find("additional data"), std::string::npos) << missing.Err;

  const std::string log = dir_.File("texh.log");
  const std::string exh = std::string(ZEPHIRAX_SAMPLES) + "/SIXCYL2T.EXH";
  ASSERT_EQ(Render({lonely, "--view", "17", "-o", out, "--exh", exh, "--canvas-log", log}).Status,
            0);
  const std::string drawn = test::ReadBytes(log);
  EXPECT_NE(drawn.find("\"text\":\"370\""), std::string::npos);  // the hottest cylinder
  const std::string fahrenheit = dir_.File("texhF.log");
  ASSERT_EQ(
      Render({SixCyl, "--view", "17", "-o", out, "--temp", "F", "--canvas-log", fahrenheit}).Status,
      0);
  EXPECT_NE(test::ReadBytes(fahrenheit).find("\"text\":\"698\""), std::string::npos);

  EXPECT_EQ(Render({lonely, "--view", "17", "-o", out, "--exh", dir_.File("none.EXH")}).Status, 1);
  EXPECT_EQ(Render({SixCyl, "--view", "7", "-o", out}).Status, 0);
  EXPECT_EQ(
      Render({std::string(ZEPHIRAX_SAMPLES) + "/FIVECYL.KS", "--view", "7", "-o", out}).Status, 1);
}

TEST_F(RenderCommandTest, NumbersKeepTheirDecimalPointUnderACommaLocale) {
  // A German desktop must not turn the pictures' figures into decimal commas.
  const std::string locales = dir_.File("locales");
  const std::string make = "localedef -i de_DE -f UTF-8 '" + locales + "/de_DE.UTF-8' 2>/dev/null";
  if (std::system(("mkdir -p '" + locales + "' && " + make).c_str()) != 0) {
    GTEST_SKIP() << "no German locale can be made here";
  }
  setenv("LOCPATH", locales.c_str(), 1);
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  const std::string log = dir_.File("de.log");
  const RenderRun run =
      Render({SixCyl, "--view", "7", "-o", dir_.File("de.png"), "--canvas-log", log});
  unsetenv("LC_ALL");
  unsetenv("LOCPATH");
  ASSERT_EQ(run.Status, 0) << run.Err;
  const std::string drawn = test::ReadBytes(log);
  EXPECT_NE(drawn.find("MIPmean = "), std::string::npos);
  for (size_t at = drawn.find("\"text\":\""); at != std::string::npos;
       at = drawn.find("\"text\":\"", at + 1)) {
    const std::string text = drawn.substr(at + 8, drawn.find('"', at + 8) - at - 8);
    EXPECT_EQ(text.find(','), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace zephirax
