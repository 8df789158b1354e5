#include "platform/Paths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace zephirax {
namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string CreatedDir(const std::string& dir) {
  std::error_code ignored;
  std::filesystem::create_directories(dir, ignored);
  return dir;
}

std::string SubDir(std::string parent, const char* name) {
  if (parent.empty()) return CreatedDir(name);  // relative to the current folder
  while (!parent.empty() && parent.back() == '/') parent.pop_back();
  return CreatedDir(parent + "/" + name);
}

}  // namespace

std::string AppDataDir() {
  const std::string xdg = Env("XDG_CONFIG_HOME");
  // The base-directory convention ignores a relative XDG_CONFIG_HOME.
  if (!xdg.empty() && xdg.front() == '/') return SubDir(xdg, "VOLTAN");
  const std::string home = Env("HOME");
  if (home.empty()) return "";
  return SubDir(home + "/.config", "VOLTAN");
}

std::string ProgramDir(const std::string& executableDir) {
  const std::string configured = Env("ZEPHIRAX_HOME");
  if (!configured.empty()) return configured;
  if (!executableDir.empty() && access(executableDir.c_str(), W_OK | X_OK) == 0) {
    return executableDir;
  }
  const std::string home = Env("HOME");
  // Without a home folder there is nowhere better than the executable's.
  if (home.empty()) return executableDir;
  return SubDir(home, "ZEPHIRAX");
}

std::string RunningProgramDir() {
  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return ProgramDir(error ? std::string() : executable.parent_path().string());
}

std::string DataDir(const std::string& programDir) {
  return SubDir(programDir, "DATA");
}

std::string EngineDir(const std::string& programDir) {
  return SubDir(programDir, "ENGINE");
}

}  // namespace zephirax
