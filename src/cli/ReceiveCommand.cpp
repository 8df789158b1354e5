#include "cli/ReceiveCommand.h"

#include <chrono>

#include "cli/ApplicationScope.h"
#include "cli/Arguments.h"
#include "devicelink/QtSerialDevice.h"
#include "devicelink/ReceiveTexts.h"
#include "devicelink/Receiver.h"
#include "platform/Paths.h"

namespace zephirax {

namespace {

constexpr const char* ReceiveUsage =
    "Usage: zephirax-cli receive --device PATH --save NAME [--timeout SECONDS]\n";

}  // namespace

int ReceiveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string device;
  std::string saveName;
  int timeoutSeconds = 60;
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
    err << "Could not open " << device << "\n";
    return 1;
  }
  err << Tr(ReceiveStartRequestText, English) << "\n";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  bool saved = false;
  while (std::chrono::steady_clock::now() < deadline) {
    session.WaitForInput(200);
    const ReceivePoll poll = session.Poll();
    for (const ReceiveNotice notice : poll.Notices)
      err << Tr(ReceiveNoticeText(notice), English) << "\n";
    if (poll.ProcessingStarted) err << Tr(ReceiveProcessingText, English) << "\n";
    if (poll.Ended) break;
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
  }
  session.Finish();
  if (!saved) err << "Nothing good was received from " << device << ".\n";
  return saved ? 0 : 1;
}

}  // namespace zephirax
