#pragma once

#include <string>
#include <string_view>

#include "platform/Settings.h"

// ZEPHIRAX.INI in the per-user application-data folder.

namespace zephirax {

// Path of the configuration file in `appDataDir`; "/ZEPHIRAX.INI" when the
// folder could not be determined (empty).
std::string ConfigPath(const std::string& appDataDir);

// Fills `settings` from the file; a missing or unreadable file yields the defaults.
void ReadConfig(Settings& settings, const std::string& appDataDir);

// The same on the file's bytes already in memory.
void ReadConfigBytes(Settings& settings, std::string_view bytes);

// Writes every key from `settings`, keeping the file's other sections, keys
// and comments. Returns false when the file could not be written.
bool WriteConfig(const Settings& settings, const std::string& appDataDir);

}  // namespace zephirax
