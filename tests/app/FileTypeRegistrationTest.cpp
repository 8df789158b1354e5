#include "app/FileTypeRegistration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "platform/LangText.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

using test::ReadBytes;

// The desktop's tools as a test wants them: installed or not, succeeding or
// failing; every call is recorded as one command line.
class FakeTools : public ToolRunner {
 public:
  std::map<std::string, ToolOutcome> Installed;  // by program
  std::map<std::string, ToolOutcome> Answers;    // by command line, before Installed
  std::vector<std::string> Calls;

  std::optional<ToolOutcome> Run(const std::string& program,
                                 const std::vector<std::string>& args) override {
    std::string call = program;
    for (const std::string& arg : args) call += " " + arg;
    Calls.push_back(call);
    if (const auto answer = Answers.find(call); answer != Answers.end()) return answer->second;
    const auto tool = Installed.find(program);
    if (tool == Installed.end()) return std::nullopt;
    return tool->second;
  }
};

constexpr ToolOutcome Succeeds{true, 0, ""};

class RegistrationTest : public ::testing::Test {
 protected:
  test::TempDir home_;
  FakeTools tools_;
  RegistrationTarget target_{home_.File("data"), home_.File("config"), "/opt/zephirax/zephirax"};
  std::vector<std::string> events_;

  std::optional<RegistrationFault> Register() {
    return RegisterFileTypes(target_, tools_, [this](const RegistrationEvent& event) {
      const char* kinds[] = {"wrote ", "ran ", "skipped ", "registered "};
      // Paths in the test's folder as relative ones.
      std::string subject = event.Subject;
      const std::string home = home_.Path().string() + "/";
      for (size_t at; (at = subject.find(home)) != std::string::npos;)
        subject.erase(at, home.size());
      events_.push_back(kinds[static_cast<int>(event.What)] + subject);
    });
  }
};

// Without any of the desktop's tools the files are still written, and the
// program becomes the default application in mimeapps.list.
TEST_F(RegistrationTest, WithoutToolsTheFilesAreWritten) {
  std::filesystem::create_directories(home_.File("config"));
  test::WriteBytes(home_.File("config/mimeapps.list"),
                   "[Default Applications]\ntext/plain=editor.desktop\n");
  ASSERT_FALSE(Register());
  const std::vector<std::string> expected = {"wrote data/mime/packages/voltan-zephirax.xml",
                                             "wrote data/applications/zephirax.desktop",
                                             "skipped update-mime-database",
                                             "skipped update-desktop-database",
                                             "wrote config/mimeapps.list",
                                             "registered .KV",
                                             "wrote config/mimeapps.list",
                                             "registered .KS"};
  EXPECT_EQ(events_, expected);

  const std::string package = ReadBytes(home_.File("data/mime/packages/voltan-zephirax.xml"));
  for (const char* part :
       {"<mime-type type=\"application/x-voltan-kv\">", "<comment>VOLTAN KV measurement file",
        "pattern=\"*.KV\"", "pattern=\"*.kv\"", "<mime-type type=\"application/x-voltan-ks\">",
        "<comment>VOLTAN KS measurement file", "pattern=\"*.KS\"", "pattern=\"*.ks\""}) {
    EXPECT_NE(package.find(part), std::string::npos) << part;
  }
  const std::string entry = ReadBytes(home_.File("data/applications/zephirax.desktop"));
  EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
  for (const char* line :
       {"\nType=Application\n", "\nExec=/opt/zephirax/zephirax %f\n", "\nIcon=zephirax\n",
        "\nMimeType=application/x-voltan-kv;application/x-voltan-ks;\n"}) {
    EXPECT_NE(entry.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(ReadBytes(home_.File("config/mimeapps.list")),
            "[Default Applications]\ntext/plain=editor.desktop\n"
            "application/x-voltan-kv=zephirax.desktop;\n"
            "application/x-voltan-ks=zephirax.desktop;\n");

  // Registering again changes nothing.
  const std::string list = ReadBytes(home_.File("config/mimeapps.list"));
  ASSERT_FALSE(Register());
  EXPECT_EQ(ReadBytes(home_.File("config/mimeapps.list")), list);
}

// With the tools installed they get the folders and the types, in order, and
// mimeapps.list is theirs to keep.
TEST_F(RegistrationTest, ToolsUpdateTheDatabasesAndSetTheDefaults) {
  for (const char* tool : {"update-mime-database", "update-desktop-database", "xdg-mime"}) {
    tools_.Installed[tool] = Succeeds;
  }
  ASSERT_FALSE(Register());
  const std::string data = home_.File("data");
  const std::vector<std::string> calls = {
      "update-mime-database " + data + "/mime", "update-desktop-database " + data + "/applications",
      "xdg-mime default zephirax.desktop application/x-voltan-kv",
      "xdg-mime default zephirax.desktop application/x-voltan-ks"};
  EXPECT_EQ(tools_.Calls, calls);
  EXPECT_EQ(events_[2], "ran update-mime-database data/mime");
  EXPECT_EQ(events_.back(), "registered .KS");
  EXPECT_FALSE(std::filesystem::exists(home_.File("config/mimeapps.list")));
}

// A failure stops the registration and says which step failed, with the
// tool's own last words; what was registered before it stays announced.
TEST_F(RegistrationTest, AFailedStepIsNamed) {
  const struct {
    std::string Call;  // a program, or one command line of it
    ToolOutcome Outcome;
    RegistrationStep Step;
    const char* Message;  // its English text
    int Registered;
  } cases[] = {
      {"update-mime-database",
       {true, 1, "reading...\nmime.xml: bad glob\n\n"},
       RegistrationStep::UpdateMimeDatabase,
       "The file types could not be registered.\n"
       "The file type database in DATA/mime could not be updated.\n"
       "update-mime-database: exit status 1: mime.xml: bad glob",
       0},
      {"update-desktop-database",
       {false, -1, "did not finish in time"},
       RegistrationStep::UpdateDesktopDatabase,
       "The file types could not be registered.\n"
       "The application database in DATA/applications could not be updated.\n"
       "update-desktop-database: did not finish in time",
       0},
      {"xdg-mime default zephirax.desktop application/x-voltan-ks",
       {true, 2, "xdg-mime: no such type\n"},
       RegistrationStep::SetDefault,
       "The file types could not be registered.\n"
       "ZEPHIRAX could not be made the program for .KS files.\n"
       "xdg-mime: exit status 2: xdg-mime: no such type",
       1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Call);
    tools_ = FakeTools();
    events_.clear();
    if (c.Call.find(' ') == std::string::npos) {
      tools_.Installed[c.Call] = c.Outcome;
    } else {
      tools_.Installed[c.Call.substr(0, c.Call.find(' '))] = Succeeds;
      tools_.Answers[c.Call] = c.Outcome;
    }
    const std::optional<RegistrationFault> fault = Register();
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->Step, c.Step);
    std::string message = RegistrationFaultMessage(*fault, English);
    for (size_t at; (at = message.find(home_.File("data"))) != std::string::npos;) {
      message.replace(at, home_.File("data").size(), "DATA");
    }
    EXPECT_EQ(message, c.Message);
    EXPECT_EQ(std::count(events_.begin(), events_.end(), "registered .KV"), c.Registered);
  }
}

TEST_F(RegistrationTest, FoldersAndProgramPathsThatCannotServe) {
  test::WriteBytes(home_.File("file"), "");
  const struct {
    std::string DataHome, ConfigHome, Program;
    RegistrationStep Step;
  } cases[] = {
      {"", home_.File("config"), "/opt/zephirax/zephirax", RegistrationStep::FindFolders},
      {home_.File("data"), home_.File("config"), "zephirax", RegistrationStep::ProgramPath},
      {home_.File("file"), home_.File("config"), "/opt/zephirax/zephirax",
       RegistrationStep::WriteMimePackage},
      {home_.File("data"), home_.File("file"), "/opt/zephirax/zephirax",
       RegistrationStep::SetDefault},
  };
  for (const auto& c : cases) {
    target_ = {c.DataHome, c.ConfigHome, c.Program};
    const std::optional<RegistrationFault> fault = Register();
    ASSERT_TRUE(fault) << c.DataHome;
    EXPECT_EQ(fault->Step, c.Step) << c.DataHome;
  }
  // The step is told in the user's language.
  EXPECT_EQ(
      RegistrationFaultMessage({RegistrationStep::WriteDesktopEntry, "/x.desktop", ""}, German),
      "Die Dateitypen konnten nicht registriert werden.\n"
      "Der Programmeintrag /x.desktop konnte nicht geschrieben werden.");
}

// The first word of Exec: quoted only where the path needs it, every
// character that means something to the launcher escaped.
TEST(DesktopEntry, ProgramPathsInExec) {
  const struct {
    std::string Path;
    std::optional<std::string> Exec;
  } cases[] = {
      {"/opt/zephirax/zephirax", "/opt/zephirax/zephirax"},
      {"/home/chief/ZEPHIRAX 1.03/zephirax", "\"/home/chief/ZEPHIRAX 1.03/zephirax\""},
      {"/home/chief/Messtechnik-Zähler/zephirax", "/home/chief/Messtechnik-Zähler/zephirax"},
      {"/opt/100%/zephirax", "/opt/100%%/zephirax"},
      {"/opt/a\"b/$c`d\\e", "\"/opt/a\\\\\"b/\\\\$c\\\\`d\\\\\\\\e\""},
      {"/opt/it's/z", "\"/opt/it's/z\""},
      {"zephirax", std::nullopt},
      {"", std::nullopt},
      {"/opt/line\nbreak", std::nullopt},
      {"/opt/latin1-\xE4/z", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(DesktopExecProgram(c.Path), c.Exec) << c.Path;
}

TEST(DesktopEntry, DefaultApplicationKeepsTheRestOfTheList) {
  const struct {
    std::string Before, After;
  } cases[] = {
      {"", "[Default Applications]\nT=D;\n"},
      {"[Added Associations]\nx/y=a.desktop;\n",
       "[Added Associations]\nx/y=a.desktop;\n\n[Default Applications]\nT=D;\n"},
      // After the section's last entry, before the blank line and the next section.
      {"[Default Applications]\n# mine\nx/y=a.desktop\n\n[Added Associations]\nT=b.desktop;\n",
       "[Default Applications]\n# mine\nx/y=a.desktop\nT=D;\n\n[Added Associations]\n"
       "T=b.desktop;\n"},
      {"[Default Applications]\r\nT = old.desktop\r\nx/y=a.desktop\r\n",
       "[Default Applications]\r\nT=D;\nx/y=a.desktop\r\n"},
      {"[Default Applications]\nT/other=a.desktop\n",
       "[Default Applications]\nT/other=a.desktop\nT=D;\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WithDefaultApplication(c.Before, "T", "D"), c.After) << c.Before;
}

}  // namespace
}  // namespace zephirax
