#include <gtest/gtest.h>

#include <QByteArray>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/RenderCommand.h"
#include "support/TempDir.h"

// Every view with its typical options, drawn as `zephirax-cli render` draws
// it, must make exactly the drawing calls recorded in tests/data/view-logs.
// The logs pin what the user sees while the code behind the views changes.
// After a change meant to alter a picture, run the test with
// ZEPHIRAX_WRITE_VIEW_LOGS=1 to record the new logs, and review their diff.

namespace zephirax {
namespace {

struct ViewCase {
  const char* Name;
  const char* Sample;
  std::vector<std::string> Options;  // --view and the rest
};

const std::vector<ViewCase>& Cases() {
  static const std::vector<ViewCase> cases = {
      {"v00", "SIXCYL2T.KV", {"--view", "0"}},
      {"v00-zoom-dpda", "SIXCYL2T.KV", {"--view", "0", "--zoom", "--dpda"}},
      {"v00-fuel-psi-es",
       "V12FUEL.KV",
       {"--view", "0", "--fuel", "--pressure", "psi", "--lang", "es"}},
      {"v00-fuel-zoom-dpda-mpa-fr",
       "V12FUEL.KV",
       {"--view", "0", "--fuel", "--zoom", "--dpda", "--pressure", "MPa", "--lang", "fr"}},
      {"v00-acl-de", "SEVENACL.KV", {"--view", "0", "--acl", "--lang", "de"}},
      {"v00-filter-cursor-cyl3",
       "SIXCYL2T.KV",
       {"--view", "0", "--filter", "--cursor", "900", "--cyl", "3"}},
      {"v00-cursor-off-small", "SIXCYL2T.KV", {"--view", "0", "--cursor-off", "--size", "800x600"}},
      {"v00-ks", "FIVECYL.KS", {"--view", "0"}},
      {"v01", "SIXCYL2T.KV", {"--view", "1"}},
      {"v01-fuel-psi", "V12FUEL.KV", {"--view", "1", "--pressure", "psi"}},
      {"v01-ks-de", "FIVECYL.KS", {"--view", "1", "--lang", "de"}},
      {"v02-cyl2", "SIXCYL2T.KV", {"--view", "2", "--cyl", "2"}},
      {"v02-mpa-es", "SIXCYL2T.KV", {"--view", "2", "--pressure", "MPa", "--lang", "es"}},
      {"v03", "SIXCYL2T.KV", {"--view", "3"}},
      {"v03-psi-fr", "SIXCYL2T.KV", {"--view", "3", "--pressure", "psi", "--lang", "fr"}},
      {"v04-cyl2", "SIXCYL2T.KV", {"--view", "4", "--cyl", "2"}},
      {"v04-ks", "FIVECYL.KS", {"--view", "4"}},
      {"v05", "SIXCYL2T.KV", {"--view", "5"}},
      {"v05-psi-de", "V12FUEL.KV", {"--view", "5", "--pressure", "psi", "--lang", "de"}},
      {"v06", "SIXCYL2T.KV", {"--view", "6"}},
      {"v06-es", "V12FUEL.KV", {"--view", "6", "--lang", "es"}},
      {"v07", "SIXCYL2T.KV", {"--view", "7"}},
      {"v07-mpa-fr", "SIXCYL2T.KV", {"--view", "7", "--pressure", "MPa", "--lang", "fr"}},
      {"v08", "SIXCYL2T.KV", {"--view", "8"}},
      {"v09", "SIXCYL2T.KV", {"--view", "9"}},
      {"v09-hp-de", "V12FUEL.KV", {"--view", "9", "--power", "hp", "--lang", "de"}},
      {"v10-hp", "SIXCYL2T.KV", {"--view", "10", "--power", "hp"}},
      {"v11", "SIXCYL2T.KV", {"--view", "11"}},
      {"v11-psi-hp-f-es",
       "SIXCYL2T.KV",
       {"--view", "11", "--pressure", "psi", "--power", "hp", "--temp", "F", "--lang", "es"}},
      {"v11-fuel-small-de", "V12FUEL.KV", {"--view", "11", "--size", "800x600", "--lang", "de"}},
      {"v12", "SIXCYL2T.KV", {"--view", "12"}},
      {"v12-fr", "V12FUEL.KV", {"--view", "12", "--lang", "fr"}},
      {"v13", "SIXCYL2T.KV", {"--view", "13"}},
      {"v13-mpa", "V12FUEL.KV", {"--view", "13", "--pressure", "MPa"}},
      {"v14-ref", "SIXCYL2T.KV", {"--view", "14", "--ref", "V12FUEL.KV", "--refcyl", "2"}},
      {"v14-ref-zoom-dpda-de",
       "SIXCYL2T.KV",
       {"--view", "14", "--ref", "SIXCYL2T.KV", "--refcyl", "3", "--zoom", "--dpda", "--lang",
        "de"}},
      {"v14-ref-filters-psi",
       "V12FUEL.KV",
       {"--view", "14", "--ref", "V12FUEL.KV", "--refcyl", "5", "--filter", "--reffilter", "--fuel",
        "--pressure", "psi"}},
      {"v15-refcyl2", "SIXCYL2T.KV", {"--view", "15", "--refcyl", "2"}},
      {"v15-marker-zoom-psi-es",
       "SIXCYL2T.KV",
       {"--view", "15", "--zoom", "--marker-offset", "12", "--marker-slope", "-30", "--pressure",
        "psi", "--lang", "es"}},
      {"v15-marker-hp-mpa-de",
       "V12FUEL.KV",
       {"--view", "15", "--marker-offset", "-40", "--marker-slope", "60", "--power", "hp",
        "--pressure", "MPa", "--lang", "de"}},
      {"v19-cyl3-fr", "SIXCYL2T.KV", {"--view", "19", "--cyl", "3", "--lang", "fr"}},
      {"v19-zoom-filters-psi",
       "V12FUEL.KV",
       {"--view", "19", "--cyl", "4", "--refcyl", "2", "--zoom", "--filter", "--reffilter",
        "--pressure", "psi"}},
      {"v16", "SIXCYL2T.KV", {"--view", "16"}},
      {"v16-psi-es", "V12FUEL.KV", {"--view", "16", "--pressure", "psi", "--lang", "es"}},
      {"v17", "SIXCYL2T.KV", {"--view", "17"}},
      {"v17-f-de", "SIXCYL2T.KV", {"--view", "17", "--temp", "F", "--lang", "de"}},
      {"v18", "SIXCYL2T.KV", {"--view", "18"}},
      {"v18-fr", "SIXCYL2T.KV", {"--view", "18", "--lang", "fr"}},
      {"v20-en", "SIXCYL2T.KV", {"--view", "20", "--lang", "en"}},
      {"v20-de-f", "SIXCYL2T.KV", {"--view", "20", "--lang", "de", "--temp", "F"}},
      {"v20-fr", "SIXCYL2T.KV", {"--view", "20", "--lang", "fr"}},
      {"v20-es-small", "SIXCYL2T.KV", {"--view", "20", "--lang", "es", "--size", "800x600"}},
  };
  return cases;
}

std::string Sample(const std::string& name) {
  return std::string(ZEPHIRAX_SAMPLES) + "/" + name;
}

std::string StoredLogPath(const ViewCase& c) {
  return std::string(ZEPHIRAX_TEST_DATA) + "/view-logs/" + c.Name + ".log.z";
}

// The first line where two logs part, for the failure message.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  std::istringstream a(expected), b(actual);
  std::string lineA, lineB;
  for (int line = 1;; ++line) {
    const bool moreA = static_cast<bool>(std::getline(a, lineA));
    const bool moreB = static_cast<bool>(std::getline(b, lineB));
    if (!moreA && !moreB) return "no difference";
    if (lineA != lineB || moreA != moreB) {
      return "line " + std::to_string(line) + "\n  expected: " + (moreA ? lineA : "(end)") +
             "\n  actual:   " + (moreB ? lineB : "(end)");
    }
  }
}

TEST(ViewLogTest, EveryViewMakesTheRecordedDrawingCalls) {
  test::TempDir dir;
  // The configuration's defaults, whatever the user has set.
  setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
  const bool record = std::getenv("ZEPHIRAX_WRITE_VIEW_LOGS") != nullptr;
  for (const ViewCase& c : Cases()) {
    SCOPED_TRACE(c.Name);
    std::vector<std::string> args = {"render", Sample(c.Sample)};
    for (const std::string& option : c.Options) {
      // Reference files are samples too.
      args.push_back(option.ends_with(".KV") ? Sample(option) : option);
    }
    const std::string log = dir.File(std::string(c.Name) + ".log");
    args.insert(args.end(), {"-o", dir.File("view.png"), "--canvas-log", log});
    std::ostringstream out, err;
    ASSERT_EQ(RenderCommand(args, out, err), 0) << err.str();
    const std::string actual = test::ReadBytes(log);
    const QByteArray packed = qCompress(QByteArray::fromStdString(actual), 9);
    if (record) {
      test::WriteBytes(StoredLogPath(c), packed.toStdString());
      continue;
    }
    const QByteArray stored = QByteArray::fromStdString(test::ReadBytes(StoredLogPath(c)));
    const std::string expected = qUncompress(stored).toStdString();
    ASSERT_FALSE(expected.empty()) << "no recorded log " << StoredLogPath(c);
    EXPECT_TRUE(actual == expected) << FirstDifference(expected, actual);
  }
}

}  // namespace
}  // namespace zephirax
