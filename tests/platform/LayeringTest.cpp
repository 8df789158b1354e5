#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

// The source folders form layers, and a file may include headers of its own
// layer and the ones below, never above: platform < measurement, adddata,
// setup, devicelink < analysis, charts < printing, files < app, cli.

namespace zephirax {
namespace {

namespace fs = std::filesystem;

const std::map<std::string, int> Layers = {
    {"platform", 0},   {"measurement", 1}, {"adddata", 1}, {"setup", 1},
    {"devicelink", 1}, {"analysis", 2},    {"charts", 2},  {"printing", 3},
    {"files", 3},      {"app", 4},         {"cli", 4},
};

TEST(Layering, IncludesOnlyLookDown) {
  const fs::path source = fs::path(ZEPHIRAX_SOURCE_DIR) / "src";
  const std::regex include(R"re(^\s*#\s*include\s+"(\w+)/[^"]+")re");
  std::set<std::string> upward;
  size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(source)) {
    if (!entry.is_regular_file()) continue;
    const fs::path relative = fs::relative(entry.path(), source);
    const std::string folder = relative.begin()->string();
    ASSERT_TRUE(Layers.contains(folder)) << "a folder without a layer: " << folder;
    ++files;
    std::ifstream in(entry.path());
    for (std::string line; std::getline(in, line);) {
      std::smatch match;
      if (!std::regex_search(line, match, include)) continue;
      const auto target = Layers.find(match[1].str());
      if (target == Layers.end() || target->second <= Layers.at(folder)) continue;
      const std::string header = line.substr(line.find('"') + 1);
      upward.insert(relative.string() + " -> " + header.substr(0, header.find('"')));
    }
  }
  EXPECT_GT(files, 100u);
  for (const std::string& found : upward) ADD_FAILURE() << "includes upwards: " << found;
}

}  // namespace
}  // namespace zephirax
