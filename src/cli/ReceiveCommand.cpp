#include "cli/ReceiveCommand.h"

#include <chrono>

#include "cli/ApplicationScope.h"
#include "cli/Arguments.h"
#include "devicelink/LinkMessages.h"
#include "devicelink/QtSerialDevice.h"
#include "devicelink/ReceiveTexts.h"
#include "devicelink/Receiver.h"
#include "platform/Paths.h"

namespace zephirax {

const char* const ReceiveUsage =
    "Usage: zephirax-cli receive --device PATH --save NAME [--timeout SECONDS]\n"
    "\n"
    "Waits for one measurement from the device on PATH, as the receive dialog\n"
    "does, and saves it as NAME.KV (with MIP data) or NAME.KS; prints the saved\n"
    "path. Progress and messages go to stderr. It ends with exit status 1 when\n"
    "the device fails or hangs up, when a transfer is refused, or when nothing\n"
    "complete has arrived after --timeout SECONDS (no limit by default).\n";

int ReceiveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string device;
  std::string saveName;
  int timeoutSeconds = 0;  // none
  for (size_t i = 1; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "--device" && hasValue) {
      device = args[++i];
    } else if (args[i] == "--save" && hasValue) {
      saveName = args[++i];
    } else if (args[i] == "--timeout" && hasValue) {
      const std::string& text = args[++i];
      if (!WholeNumber(text, timeoutSeconds) || timeoutSeconds < 1) {
        return UsageError(err, "bad --timeout '" + text + "'", ReceiveUsage);
      }
    } else {
      return UsageError(err, "unexpected argument '" + args[i] + "'", ReceiveUsage);
    }
  }
  if (device.empty() || saveName.empty()) {
    return UsageError(err, "receive needs --device and --save", ReceiveUsage);
  }

  ApplicationScope application(false);
  QtSerialDevice port;
  SerialLink link;
  link.Device = &port;
  link.DeviceOverride = device;
  ReceiveSession session(link, RunningProgramDir());
  session.Prepare();
  if (!session.OpenReceivePort()) {
    err << PortOpenErrorMessage(English, link) << "\n";
    return 1;
  }
  err << Tr(ReceiveStartRequestText, English) << "\n";
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::seconds(timeoutSeconds);
  bool saved = false;
  for (;;) {
    if (timeoutSeconds > 0 && Clock::now() >= deadline) {
      err << "Nothing complete arrived from " << device << " within " << timeoutSeconds
          << " seconds.\n";
      break;
    }
    // Sleeps until bytes come, the device fails, or the wait is over.
    session.WaitForInput(200);
    const ReceivePoll poll = session.Poll();
    for (const ReceiveNotice notice : poll.Notices)
      err << Tr(ReceiveNoticeText(notice), English) << "\n";
    if (poll.ProcessingStarted) err << Tr(ReceiveProcessingText, English) << "\n";
    if (poll.Ended) break;
    // A block that arrived whole is saved even when the device went away
    // right after it.
    if (session.CanSave() && session.State().BlockComplete) {
      const std::optional<std::string> path =
          SaveReceivedMeasurement(session.TempFilePath(), saveName, session.State().MipSeen);
      if (!path) {
        err << Tr(ReceiveSaveFailedText, English) << "\n";
        break;
      }
      err << Tr(ReceiveFinishedText, English) << "\n";
      out << *path << "\n";
      saved = true;
      break;
    }
    if (poll.Failed) {
      err << LinkFailedMessage(English, link, true) << "\n";
      break;
    }
  }
  session.Finish();
  return saved ? 0 : 1;
}

}  // namespace zephirax
