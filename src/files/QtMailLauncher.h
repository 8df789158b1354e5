#pragma once

#include "platform/ToolRunner.h"

namespace zephirax {

// Starts the desktop's mail hand-off and waits for its verdict while the
// windows keep painting. Some mail programs keep the hand-off waiting until
// their compose window is closed: one still running after `handOffMs` has
// reached the mail program and counts as a success; it is left to finish.
// The program gets a UTF-8 locale, so that no text is lost on the way.
class QtMailLauncher : public ToolRunner {
 public:
  explicit QtMailLauncher(int handOffMs = 20000) : handOffMs_(handOffMs) {}
  std::optional<ToolOutcome> Run(const std::string& program,
                                 const std::vector<std::string>& args) override;

 private:
  int handOffMs_;
};

}  // namespace zephirax
