#pragma once

#include <string>

// The program's folders. Each routine creates its folder when it is missing;
// a folder that cannot be created is still returned, and the file operation
// that needs it reports the failure.

namespace zephirax {

// Per-user settings folder: $XDG_CONFIG_HOME/VOLTAN (when set and absolute),
// else $HOME/.config/VOLTAN; empty when neither can be determined.
std::string AppDataDir();

// Folder holding DATA and ENGINE: $ZEPHIRAX_HOME when set; else the
// executable's folder when it is writable and not an installation's "bin"
// folder (/usr/bin, /usr/local/bin, ~/.local/bin, /opt/NAME/bin); else
// $HOME/ZEPHIRAX.
std::string ProgramDir(const std::string& executableDir);
// The same for the program that is running.
std::string RunningProgramDir();

// Measurements, the receiver's work file and the export files.
std::string DataDir(const std::string& programDir);

// Engine setup files.
std::string EngineDir(const std::string& programDir);

}  // namespace zephirax
