#pragma once

#include <string>

#include "platform/ToolRunner.h"
#include "platform/UserInterface.h"

// Sending a measurement: it is packed with its additional-data file into an
// archive beside it (the measurement's name with ".ZIP"), which is handed to
// the desktop's mail program as the one attachment. The archive stays.

namespace zephirax {

// Writes the archive anew; false when the measurement is missing or the
// archive could not be written with everything in it.
bool BuildMailArchive(const std::string& measFileName);

enum class MailOutcome { Sent, ArchiveFailed, HandOffFailed };

// The whole transmission with its messages; the texts go as they are.
MailOutcome SendMeasurement(UserInterface& ui, ToolRunner& mail, int language,
                            const std::string& measFileName, const std::string& subject,
                            const std::string& body, const std::string& address);

}  // namespace zephirax
