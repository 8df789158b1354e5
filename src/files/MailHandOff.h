#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ToolRunner.h"

// Handing a measurement's archive to the desktop's mail program: xdg-email
// composes a message with one recipient, subject, body and one attachment.
// Its outcome is reported with the result codes and texts of the mail
// interface the program has always spoken.

namespace zephirax {

// The archive sent for a measurement: its name with the extension ".ZIP".
std::string MailArchiveName(const std::string& measFileName);

// The arguments of xdg-email; empty texts are left out (it refuses them).
std::vector<std::string> MailArguments(const std::string& archive, const std::string& subject,
                                       const std::string& body, const std::string& address);

// The mail result code for how xdg-email ended (no value: not installed).
int MailResultCode(const std::optional<ToolOutcome>& outcome);

// The error text of a result code; empty for success and unknown codes.
std::string MailResultText(int code);

// Sends `archive` to `address`; the error text, empty on success.
std::string SendMeasurementMail(ToolRunner& runner, const std::string& archive,
                                const std::string& subject, const std::string& body,
                                const std::string& address);

// The message box text for an error text of SendMeasurementMail.
std::string TransmitFailedMessage(const std::string& errorText);

}  // namespace zephirax
