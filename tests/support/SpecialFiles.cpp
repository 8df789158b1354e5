#include "support/SpecialFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace zephirax::test {

const std::vector<SpecialFile>& SpecialFiles() {
  static const std::vector<SpecialFile> kinds = {{SpecialKind::Fifo, "FIFO"},
                                                 {SpecialKind::Folder, "folder"},
                                                 {SpecialKind::Device, "device"}};
  return kinds;
}

void MakeSpecial(SpecialKind kind, const std::string& path) {
  std::error_code error;
  switch (kind) {
    case SpecialKind::Fifo:
      if (mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
      return;
    case SpecialKind::Folder:
      std::filesystem::create_directory(path, error);
      break;
    case SpecialKind::Device:
      std::filesystem::create_symlink("/dev/null", path, error);
      break;
  }
  if (error) throw std::runtime_error(error.message());
}

bool FinishesWithoutWaiting(const std::string& path, const std::function<void()>& call,
                            std::chrono::milliseconds patience) {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  bool setFree = false;
  std::thread watchdog([&] {
    std::unique_lock lock(mutex);
    if (finished.wait_for(lock, patience, [&] { return done; })) return;
    setFree = true;
    while (!done) {
      lock.unlock();
      const int writer = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (writer >= 0) close(writer);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      lock.lock();
    }
  });
  call();
  {
    std::lock_guard lock(mutex);
    done = true;
  }
  finished.notify_all();
  watchdog.join();
  return !setFree;
}

}  // namespace zephirax::test
