#include "files/MailHandOff.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace zephirax {
namespace {

class RecordingRunner : public ToolRunner {
 public:
  std::optional<ToolOutcome> Run(const std::string& program,
                                 const std::vector<std::string>& args) override {
    Calls.push_back(program);
    Args = args;
    return Outcome;
  }
  std::optional<ToolOutcome> Outcome = ToolOutcome{true, 0, ""};
  std::vector<std::string> Calls;
  std::vector<std::string> Args;
};

TEST(MailHandOff, ArgumentsLeaveOutEmptyTextsAndNeverTakeTheAddressAsAnOption) {
  using Args = std::vector<std::string>;
  EXPECT_EQ(MailArguments("/d/S.ZIP", "pmax", "see\nattached", "--bcc"),
            (Args{"--utf8", "--subject", "pmax", "--body", "see\nattached", "--attach", "/d/S.ZIP",
                  "--to", "--bcc"}));
  EXPECT_EQ(MailArguments("/d/S.ZIP", "", "", ""), (Args{"--utf8", "--attach", "/d/S.ZIP"}));
  EXPECT_EQ(MailArchiveName("/data/SHIP1.KV"), "/data/SHIP1.ZIP");
}

TEST(MailHandOff, ExitCodesMapToTheMailTexts) {
  const struct {
    std::optional<ToolOutcome> Outcome;
    const char* Text;
  } cases[] = {
      {ToolOutcome{true, 0, ""}, ""},
      {ToolOutcome{true, 1, ""}, "One or more unspecified errors occurred!"},
      {ToolOutcome{true, 2, ""}, "The specified attachment was not found!"},
      {ToolOutcome{true, 3, ""},
       "There was no default logon, and the user failed to log on successfully when the logon "
       "dialog box was displayed!"},
      {ToolOutcome{true, 4, ""}, "One or more unspecified errors occurred!"},
      {ToolOutcome{true, 5, ""}, "The specified attachment could not be open!"},
      {ToolOutcome{false, -1, "crashed"}, "One or more unspecified errors occurred!"},
      {std::nullopt,
       "There was no default logon, and the user failed to log on successfully when the logon "
       "dialog box was displayed!"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MailResultText(MailResultCode(c.Outcome)), c.Text)
        << (c.Outcome ? c.Outcome->ExitCode : 99);
  }
  EXPECT_EQ(MailResultText(14), "A recipient did not appear in the address list!");
  EXPECT_EQ(TransmitFailedMessage("A recipient did not appear in the address list!"),
            "Could not transmit file via E-Mail!\n\nMessage:\nA recipient did not appear in the "
            "address list!");
}

TEST(MailHandOff, MissingArchiveIsNamedWithoutAHandOff) {
  test::TempDir home;
  RecordingRunner runner;
  const std::string archive = home.File("SHIP1.ZIP");
  EXPECT_EQ(SendMeasurementMail(runner, archive, "s", "b", "a@b"),
            "File \"" + archive + "\" not found!");
  EXPECT_TRUE(runner.Calls.empty());
  test::WriteBytes(archive, "PK");
  runner.Outcome = ToolOutcome{true, 2, ""};
  EXPECT_EQ(SendMeasurementMail(runner, archive, "s", "b", "a@b"),
            "The specified attachment was not found!");
  EXPECT_EQ(runner.Calls, std::vector<std::string>{"xdg-email"});
}

}  // namespace
}  // namespace zephirax
