#include "cli/PrintCommands.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "setup/EngineSetup.h"
#include "support/PdfTools.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

namespace fs = std::filesystem;

struct CliRun {
  int Status = -1;
  std::string Err;
};

class PrintCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Language and units come from the configuration: keep the user's out.
    setenv("XDG_CONFIG_HOME", dir_.Path().c_str(), 1);
  }

  // The program itself, as a user runs it.
  CliRun Cli(const std::vector<std::string>& args) {
    std::string command = ZEPHIRAX_CLI;
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " >/dev/null 2>'" + dir_.File("err.txt") + "'";
    const int status = std::system(command.c_str());
    CliRun run;
    if (WIFEXITED(status)) run.Status = WEXITSTATUS(status);
    run.Err = test::ReadBytes(dir_.File("err.txt"));
    return run;
  }
  // The text of a printout that must have been written.
  std::string Printed(const std::vector<std::string>& args, const std::string& pdf) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(test::PdfPageCount(pdf), 1);
    return test::PdfText(pdf);
  }
  // The sample measurement and its additional data in the test's folder.
  std::string Sample() {
    for (const char* name : {"SIXCYL2T.KV", "SIXCYL2T.EXH"}) {
      fs::copy_file(fs::path(ZEPHIRAX_SAMPLES) / name, dir_.Path() / name);
    }
    return dir_.File("SIXCYL2T.KV");
  }

  test::TempDir dir_;
};

void ExpectAll(const std::string& text, const std::vector<std::string>& parts) {
  for (const std::string& part : parts) {
    EXPECT_NE(text.find(part), std::string::npos) << "missing: " << part << "\n" << text;
  }
}

TEST_F(PrintCommandsTest, BlankFormInEachLanguage) {
  const struct {
    const char* Lang;
    std::vector<std::string> Labels;
  } cases[] = {
      {"de",
       {"Formular für Zusatz-Daten", "Zylinder", "Abgastemperatur", "Turbolader",
        "Differenzdruck über LL-Kühler :", "Leistung Wellengenerator:", "Bemerkungen:",
        "ISO-Korrektur-Daten", "Viskosität Kraftstoff:", "ZEPHIRAX - VOLTAN"}},
      {"en",
       {"Form for additional data", "Cylinder", "Exhaust gas temp.", "Revolution", "rpm",
        "Power shaft generator:", "Remarks:", "Lower calorific value:", "kcal/kg"}},
      {"fr",
       {"Formulaire des données supplémentaires", "Cylindre", "Temp. d'échapt", "Cran des pompes",
        "position VIT", "Commentaires :", "Turbocharger"}},
      {"es", {"Form for additional data", "Cilindro", "Exhaust gas temp.", "Remarks :"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Lang);
    const std::string pdf = dir_.File(std::string("form-") + c.Lang + ".pdf");
    ExpectAll(Printed({"print-form", pdf, "--lang", c.Lang}, pdf), c.Labels);
  }
  // Twelve cylinders in degrees Fahrenheit.
  const std::string pdf = dir_.File("form.pdf");
  const std::string text = Printed({"print-form", pdf, "--cyl", "12", "--temp", "F"}, pdf);
  ExpectAll(text, {"12",
                   "\xC2\xB0"
                   "F"});
  EXPECT_EQ(text.find("13"), std::string::npos);
  EXPECT_EQ(text.find("\xC2\xB0"
                      "C"),
            std::string::npos);
}

TEST_F(PrintCommandsTest, DataPrintoutOfTheSampleInTheUsersUnits) {
  const std::string file = Sample();
  const std::string pdf = dir_.File("data.pdf");
  const std::string text =
      Printed({"print-data", file, pdf, "--lang", "de", "--temp", "F", "--power", "hp"}, pdf);
  ExpectAll(text, {"Zusatzdaten für Datei : SIXCYL2T.KV", "Datum : 06.12.2026", "Zeit : 14:32",
                   "Schiffsname :", "MV SAMPLE TRADER", "Leistung WellenGenerator:",
                   // 352 and 370 deg C, 12000 kW at MCR, the fuel rack.
                   "666", "698", "16092", "hp", "64.5", "Sample data for the demonstration",
                   "All values invented."});
  EXPECT_EQ(text.find("12000"), std::string::npos);
}

// A measurement the reader rejects, or one without additional data, ends
// with the reason and leaves the PDF as it was.
TEST_F(PrintCommandsTest, RejectedFilesWriteNothing) {
  test::WriteBytes(dir_.File("BAD.KV"), "no measurement at all\r\n");
  test::WriteBytes(dir_.File("NOEXH.KV"),
                   test::ReadBytes(std::string(ZEPHIRAX_SAMPLES) + "/SIXCYL2T.KV"));
  test::WriteBytes(dir_.File("NOSETUP"), "VOLTAN\r\n");
  const struct {
    std::vector<std::string> Args;
    const char* Reason;
  } cases[] = {
      {{"print-data", dir_.File("BAD.KV")}, "This is not a ZEPHIRAX data file !"},
      {{"print-data", dir_.File("MISSING.KV")}, "MISSING.KV"},
      {{"print-data", dir_.File("NOEXH.KV")}, "NOEXH.EXH"},
      {{"print-setup", dir_.File("NOSETUP")}, "This is not a valid file type !"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Args[1]);
    const std::string out = dir_.File("out.pdf");
    std::vector<std::string> args = c.Args;
    args.push_back(out);
    const CliRun run = Cli(args);
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find(c.Reason), std::string::npos) << run.Err;
    EXPECT_FALSE(fs::exists(out));
    test::WriteBytes(out, "an older printout");
    EXPECT_EQ(Cli(args).Status, 1);
    EXPECT_EQ(test::ReadBytes(out), "an older printout");
    fs::remove(out);
  }
  EXPECT_EQ(Cli({"print-form"}).Status, 2);
  EXPECT_EQ(Cli({"print-form", dir_.File("a.pdf"), "--temp", "K"}).Status, 2);
  EXPECT_EQ(Cli({"print-setup", dir_.File("NOSETUP"), dir_.File("a.pdf"), "--temp", "F"}).Status,
            2);
}

TEST_F(PrintCommandsTest, SetupListingInTheUsersUnits) {
  EngineSetup setup;
  NewSetupDefaults(setup);
  setup.Bore = 600;
  setup.FiringOrder = {0, 1, 5, 3, 4, 2, 6};
  ASSERT_TRUE(AutoTdcDeviations(setup));
  const std::string file = dir_.File("ENGINE6");
  ASSERT_TRUE(WriteSetupFile(setup, file));
  const std::string pdf = dir_.File("setup.pdf");
  const std::string text = Printed(
      {"print-setup", file, pdf, "--lang", "fr", "--length", "inch", "--pressure", "psi"}, pdf);
  ExpectAll(text, {"VOLTAN SETUP", "Fichier :", "ENGINE6",
                   "Nombre de cylindres :", "alésage [in] :", "23.62",
                   "press. suralimentation [psi] :", "14.53", "2. 5", "5: 60.0",
                   "Décalage PMH de tous les cylindres par rapport au PMH du cylindre 1 :"});
}

}  // namespace
}  // namespace zephirax
