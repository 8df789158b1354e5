#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "adddata/AdditionalData.h"

namespace zephirax {

// What the command's --help prints.
extern const char* const ExhUsage;

// `exh show FILE --cyl N`: the additional-data file as one JSON object.
// `exh write OUT --cyl N`: that JSON object on `in` written as a file.
// args[0] is "exh". Exit status 0 on success, 1 when the file or the JSON is
// rejected or the file cannot be written, 2 on bad arguments.
int ExhCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err);

// The JSON object: field names as in `AdditionalData`, per-cylinder arrays over
// cylinders 1..cylCount, turbocharger arrays over 1..3, texts in UTF-8.
std::string AdditionalDataJson(const AdditionalData& data, int cylCount);

// The reverse; every field must be present with its type and array length and
// nothing else, whole numbers must fit 32 bits, texts must fit their fields.
// Nothing, with `why` set, otherwise.
std::optional<AdditionalData> AdditionalDataFromJson(std::string_view json, int cylCount,
                                                     std::string& why);

}  // namespace zephirax
