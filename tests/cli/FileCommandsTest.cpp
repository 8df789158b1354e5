#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "files/MailHandOff.h"
#include "support/ArchiveListing.h"
#include "support/ChildProcess.h"
#include "support/CraftedArchive.h"
#include "support/StandInMailer.h"
#include "support/TempDir.h"

// zip, unzip and mail as scripts run them.

namespace zephirax {
namespace {

namespace fs = std::filesystem;
using test::WriteBytes;

struct Finished {
  int Status = -1;
  std::string Output;
};

class FileCommandsTest : public ::testing::Test {
 protected:
  test::TempDir home_;
  std::string path_ = std::getenv("PATH");

  Finished Run(std::vector<std::string> args) {
    std::vector<std::string> line = {"/usr/bin/env", "HOME=" + home_.Path().string(),
                                     "XDG_CONFIG_HOME=" + home_.File("config"), "PATH=" + path_,
                                     ZEPHIRAX_CLI};
    line.insert(line.end(), args.begin(), args.end());
    test::ChildProcess process(line);
    Finished run;
    run.Status = process.Wait(std::chrono::seconds(30));
    run.Output = process.Output();
    return run;
  }
  std::string File(const std::string& name, const std::string& bytes = "x") {
    fs::create_directories(fs::path(home_.File(name)).parent_path());
    WriteBytes(home_.File(name), bytes);
    return home_.File(name);
  }
};

TEST_F(FileCommandsTest, ZipTakesCompanionsAndUnzipRefusesEntriesLeadingOut) {
  File("DATA/SHIP1.EXH");
  const Finished zipped =
      Run({"zip", home_.File("TRIP.ZIP"), File("DATA/SHIP1.KV"), File("DATA/SHIP2.KV")});
  EXPECT_EQ(zipped.Status, 0) << zipped.Output;
  EXPECT_EQ(test::UnzipListing(home_.File("TRIP.ZIP")),
            (std::set<std::string>{"SHIP1.KV", "SHIP1.EXH", "SHIP2.KV"}));
  EXPECT_EQ(Run({"zip", home_.File("TRIP.ZIP"), home_.File("GONE.KV")}).Status, 1);

  ASSERT_TRUE(test::WriteCraftedArchive(home_.File("evil.zip"),
                                        {{"ok.txt", "ok"}, {"../x", "up"}, {"/abs", "root"}}));
  const Finished unzipped = Run({"unzip", home_.File("evil.zip"), home_.File("out")});
  EXPECT_EQ(unzipped.Status, 1);
  EXPECT_NE(unzipped.Output.find("zephirax-cli: ../x\n"), std::string::npos) << unzipped.Output;
  EXPECT_NE(unzipped.Output.find("zephirax-cli: /abs\n"), std::string::npos) << unzipped.Output;
  EXPECT_TRUE(fs::exists(home_.File("out/ok.txt")));
  EXPECT_FALSE(fs::exists(home_.File("x")));
}

// The texts arrive as typed; a failure is the mail program's reason.
TEST_F(FileCommandsTest, MailReportsTheMailProgramsVerdict) {
  test::StandInMailer mailer;
  path_ = mailer.Bin() + ":" + path_;
  const std::string meas = File("DATA/SHIP1.KV");
  const std::string address = "'Ops' \"Desk\" $(id) <ops@x.example>";
  EXPECT_EQ(Run({"mail", meas, "--to", address}).Status, 0);
  EXPECT_EQ(mailer.Args(), MailArguments(home_.File("DATA/SHIP1.ZIP"), "", "", address));
  mailer.SetExit(2);
  const Finished failed = Run({"mail", meas});
  EXPECT_EQ(failed.Status, 1);
  EXPECT_EQ(failed.Output,
            "zephirax-cli: Could not transmit file via E-Mail!\nzephirax-cli: \n"
            "zephirax-cli: Message:\nzephirax-cli: The specified attachment was not found!\n");
}

}  // namespace
}  // namespace zephirax
