#include "platform/Paths.h"

#include <pwd.h>
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

// The user's home folder: $HOME, else the one of the user's account.
std::string HomeDir() {
  if (std::string home = Env("HOME"); !home.empty()) return home;
  passwd entry{};
  passwd* found = nullptr;
  std::string buffer(16384, '\0');
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return "";
}

// A program installed with others keeps its executable in a folder named
// "bin", shared with every other program and owned by the system or the
// package manager, even where it is writable (as it is for root).
bool InstalledProgramFolder(const std::string& executableDir) {
  std::filesystem::path dir = std::filesystem::path(executableDir).lexically_normal();
  if (!dir.has_filename()) dir = dir.parent_path();  // "/usr/bin/"
  const std::string name = dir.filename().string();
  return name == "bin" || name == "sbin";
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
  const bool installed = InstalledProgramFolder(executableDir);
  if (!executableDir.empty() && !installed && access(executableDir.c_str(), W_OK | X_OK) == 0) {
    return executableDir;
  }
  const std::string home = HomeDir();
  // Without a home folder there is nowhere better than the executable's; an
  // installed program's folder is never a place for measurements, so it
  // keeps them in the current folder instead.
  if (home.empty()) return installed ? std::string() : executableDir;
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
