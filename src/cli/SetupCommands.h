#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "setup/EngineSetup.h"

namespace zephirax {

// What the command's --help prints.
extern const char* const SetupUsage;

// `setup new OUT`: a new setup's defaults written to OUT.
// `setup show FILE`: the setup file as one JSON object.
// `setup write OUT`: that JSON object on `in` written as a setup file.
// `setup frame FILE`: the bytes the serial line would carry, raw.
// `setup auto FILE OUT`: the TDC deviations calculated, then written to OUT.
// args[0] is "setup". Exit status 0 on success, 1 when a file or the JSON is
// rejected or a file cannot be written, 2 on bad arguments.
int SetupCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err);
int SetupCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The JSON object: field names as in `EngineSetup`, booleans as -1/0, firing
// order and TDC deviations over positions and cylinders 1..CylCount.
std::string EngineSetupJson(const EngineSetup& setup);

// The reverse; every field must be present with its type and nothing else,
// counts within 1..20 cylinders and 1..30 strokes, arrays of CylCount
// elements, whole numbers within 32 bits, one-character fields single digits,
// flags -1 or 0. Nothing, with `why`
// set, otherwise.
std::optional<EngineSetup> EngineSetupFromJson(std::string_view json, std::string& why);

}  // namespace zephirax
