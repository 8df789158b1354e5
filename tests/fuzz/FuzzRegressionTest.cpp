#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/FuzzEntries.h"

// Every input the fuzzers ever broke a reader with, and a few made by hand,
// replayed through the fuzz targets' own entries. An entry aborts on a broken
// promise and the sanitizer build catches what the sanitizers see: getting
// through is the pass.

namespace zephirax::fuzz {
namespace {

namespace fs = std::filesystem;

class FuzzRegressions : public testing::TestWithParam<FuzzTarget> {};

TEST_P(FuzzRegressions, EveryFileReplays) {
  const fs::path folder = fs::path(ZEPHIRAX_TEST_DATA) / "fuzz-regressions" / GetParam().Name;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  // A misspelt folder must not pass by replaying nothing.
  ASSERT_FALSE(files.empty()) << folder;
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(in.bad()) << file;
    // Named before the run: a crash ends the process before any report.
    std::fprintf(stderr, "replaying %s\n", file.c_str());
    GetParam().Run(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzRegressions,
                         testing::ValuesIn(FuzzTargets().begin(), FuzzTargets().end()),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace zephirax::fuzz
