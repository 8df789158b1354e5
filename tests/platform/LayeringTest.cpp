#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
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

// The header of `#include "folder/name.h"`, or nothing for any other line.
std::string QuotedInclude(const std::string& line) {
  size_t at = line.find_first_not_of(" \t");
  if (at == std::string::npos || line[at] != '#') return {};
  at = line.find_first_not_of(" \t", at + 1);
  if (at == std::string::npos || line.compare(at, 7, "include") != 0) return {};
  at = line.find_first_not_of(" \t", at + 7);
  if (at == std::string::npos || line[at] != '"') return {};
  const size_t end = line.find('"', at + 1);
  return end == std::string::npos ? std::string() : line.substr(at + 1, end - at - 1);
}

TEST(Layering, IncludesOnlyLookDown) {
  const fs::path source = fs::path(ZEPHIRAX_SOURCE_DIR) / "src";
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
      const std::string header = QuotedInclude(line);
      const auto target = Layers.find(header.substr(0, header.find('/')));
      if (target == Layers.end() || target->second <= Layers.at(folder)) continue;
      upward.insert(relative.string() + " -> " + header);
    }
  }
  EXPECT_GT(files, 100u);
  for (const std::string& found : upward) ADD_FAILURE() << "includes upwards: " << found;
}

}  // namespace
}  // namespace zephirax
