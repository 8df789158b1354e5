#include "files/MailHandOff.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace zephirax {
namespace {

struct RecordingRunner : ToolRunner {
  std::optional<ToolOutcome> Outcome = ToolOutcome{true, 0, ""};
  int Calls = 0;
  std::optional<ToolOutcome> Run(const std::string&, const std::vector<std::string>&) override {
    ++Calls;
    return Outcome;
  }
};

// xdg-email refuses empty texts, and reads an address such as "--bcc" as an
// option unless it is the value of --to.
TEST(MailHandOff, ArgumentsLeaveOutEmptyTextsAndNeverTakeTheAddressAsAnOption) {
  using Args = std::vector<std::string>;
  EXPECT_EQ(MailArguments("/d/S.ZIP", "pmax", "", "--bcc"),
            (Args{"--utf8", "--subject", "pmax", "--attach", "/d/S.ZIP", "--to", "--bcc"}));
  EXPECT_EQ(MailArguments("/d/S.ZIP", "", "", ""), (Args{"--utf8", "--attach", "/d/S.ZIP"}));
}

TEST(MailHandOff, MissingArchiveOrMailProgramIsReported) {
  test::TempDir home;
  RecordingRunner runner;
  const std::string archive = home.File("SHIP1.ZIP");
  EXPECT_EQ(SendMeasurementMail(runner, archive, "s", "b", "a@b"),
            "File \"" + archive + "\" not found!");
  EXPECT_EQ(runner.Calls, 0);
  test::WriteBytes(archive, "PK");
  runner.Outcome = ToolOutcome{false, -1, "crashed"};
  EXPECT_EQ(SendMeasurementMail(runner, archive, "s", "b", "a@b"),
            "One or more unspecified errors occurred!");
}

}  // namespace
}  // namespace zephirax
