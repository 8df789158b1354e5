#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// Names that are not regular files, for the readers to refuse: a FIFO (whose
// open for reading waits for a writer), a folder and a character device.

namespace zephirax::test {

enum class SpecialKind { Fifo, Folder, Device };

struct SpecialFile {
  SpecialKind Kind;
  const char* What;
};

// Every kind once.
const std::vector<SpecialFile>& SpecialFiles();

// Makes `path` one of them; the device is a link to /dev/null.
void MakeSpecial(SpecialKind kind, const std::string& path);

// Runs `call` with `path` possibly a FIFO. A call still waiting on the FIFO
// after `patience` is set free (a writer comes and goes, so it reads the end
// of the file) and false is returned, so that a reader that blocks fails its
// test instead of hanging the test run.
bool FinishesWithoutWaiting(const std::string& path, const std::function<void()>& call,
                            std::chrono::milliseconds patience = std::chrono::seconds(5));

}  // namespace zephirax::test
