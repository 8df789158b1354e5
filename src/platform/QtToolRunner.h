#pragma once

#include "platform/ToolRunner.h"

namespace zephirax {

// Runs the programs with QProcess; one that has not finished after
// `timeoutMs` is killed and counts as failed.
class QtToolRunner : public ToolRunner {
 public:
  explicit QtToolRunner(int timeoutMs = 60000) : timeoutMs_(timeoutMs) {}
  std::optional<ToolOutcome> Run(const std::string& program,
                                 const std::vector<std::string>& args) override;

 private:
  int timeoutMs_;
};

}  // namespace zephirax
