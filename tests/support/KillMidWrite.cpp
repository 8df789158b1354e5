#include "support/KillMidWrite.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "platform/AtomicFile.h"
#include "support/TempDir.h"

namespace zephirax::test {

namespace {

namespace fs = std::filesystem;

using Contents = std::map<std::string, std::string>;  // file name: bytes

constexpr int DelayedKills = 30;
constexpr auto DelayStep = std::chrono::microseconds(150);
constexpr ReplaceStep Steps[] = {ReplaceStep::Opened, ReplaceStep::HalfWritten,
                                 ReplaceStep::Written, ReplaceStep::Named, ReplaceStep::Replaced};

// Set in the child only, before it writes.
ReplaceStep KillStep = ReplaceStep::Opened;
int KillCountdown = 0;

void KillAtStep(ReplaceStep step) {
  if (step == KillStep && --KillCountdown == 0) raise(SIGKILL);
}

Contents Read(const fs::path& folder) {
  Contents contents;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    contents[entry.path().filename().string()] =
        entry.is_regular_file() ? ReadBytes(entry.path().string()) : "(no regular file)";
  }
  return contents;
}

// Runs `child` in a forked process (which calls nothing else: the test
// program may have threads) and kills it after `delay`, unless negative.
void RunChild(const std::function<void()>& child, std::chrono::microseconds delay) {
  const pid_t pid = fork();
  if (pid == 0) {
    child();
    _exit(0);
  }
  ASSERT_GT(pid, 0);
  if (delay.count() >= 0) {
    std::this_thread::sleep_for(delay);
    kill(pid, SIGKILL);
  }
  int status = 0;
  waitpid(pid, &status, 0);
}

// Every file of the writer is there, as one of the versions made it. Other
// files (temporaries) are looked at after the next write.
void ExpectWhole(const Contents& found, const Contents versions[2], const std::string& when) {
  for (const auto& [name, old] : versions[0]) {
    const auto file = found.find(name);
    const auto fresh = versions[1].find(name);
    const bool whole =
        file != found.end() &&
        (file->second == old || (fresh != versions[1].end() && file->second == fresh->second));
    EXPECT_TRUE(whole) << name << " is neither version " << when;
  }
}

}  // namespace

void ExpectWholeFilesAfterKills(const KillableWriter& writer) {
  SCOPED_TRACE(writer.Name);
  TempDir dir;
  const std::string folder = dir.File("out");
  Contents versions[2];
  ASSERT_TRUE(writer.Write(folder, 1));
  versions[1] = Read(folder);
  ASSERT_TRUE(writer.Write(folder, 0));
  versions[0] = Read(folder);
  ASSERT_NE(versions[0], versions[1]);

  for (const ReplaceStep step : Steps) {
    for (size_t nth = 1; nth <= versions[0].size(); ++nth) {
      RunChild(
          [&] {
            KillStep = step;
            KillCountdown = static_cast<int>(nth);
            SetReplaceStepHook(KillAtStep);
            writer.Write(folder, 1);
          },
          std::chrono::microseconds(-1));
      ExpectWhole(Read(folder), versions,
                  "after a kill at step " + std::to_string(static_cast<int>(step)));
    }
  }
  for (int k = 0; k < DelayedKills; ++k) {
    RunChild(
        [&] {
          for (int version = 0;; version ^= 1) writer.Write(folder, version);
        },
        DelayStep * k);
    ExpectWhole(Read(folder), versions, "after a kill at " + std::to_string(k));
  }

  ASSERT_TRUE(writer.Write(folder, 0));
  EXPECT_EQ(Read(folder), versions[0]) << "something left beside the files";
}

}  // namespace zephirax::test
