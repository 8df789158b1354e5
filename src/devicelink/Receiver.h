#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "devicelink/ReceiveDecoder.h"
#include "devicelink/Serial.h"
#include "platform/LangText.h"

// Receiving one measurement from the device, without any window: the dialog
// and the command line drive a ReceiveSession and show what it reports.
// The block's data bytes are kept as DATA/TEMP.DAT in the program folder until
// the user saves them under a name of their own.

namespace zephirax {

inline constexpr int32_t ChunkBufferSize = ReceiveQueueSize;

// Messages for the user, in the order they arose.
enum class ReceiveNotice {
  ChecksumError,    // ChecksumErrorText; the dialog keeps waiting
  Oversized,        // OversizedBlockText; the dialog keeps waiting
  TempWriteFailed,  // TempWriteFailedText; the dialog keeps waiting
  StrayEtx,         // ChecksumErrorText; the exchange ends with nothing saved
};

// The message the user gets for `notice`.
const LangText& ReceiveNoticeText(ReceiveNotice notice);

// What one poll changed.
struct ReceivePoll {
  int32_t BytesRead = 0;
  bool ProcessingStarted = false;  // the first block of the exchange has begun
  bool Finished = false;           // the first block of the exchange is complete
  bool Ended = false;              // a stray end of block ended the exchange
  bool Failed = false;             // the port failed or is gone; Link().Fault says why
  std::vector<ReceiveNotice> Notices;
};

class ReceiveSession : private ReceiveEvents {
 public:
  // `programDir` holds the DATA folder.
  ReceiveSession(SerialLink& link, std::string programDir);

  SerialLink& Link() { return link_; }
  ReceiveState& State() { return state_; }
  const ReceiveState& State() const { return state_; }
  // DATA/TEMP.DAT in the program folder.
  std::string TempFilePath() const;

  // Closes the port and clears the state for a new exchange.
  void Prepare();
  // Opens the selected port at 9600 baud; true when it is open.
  bool OpenReceivePort();
  // Reads what is waiting on the port and decodes it. A device that failed
  // is closed and reported; so is a port that could not be reopened.
  ReceivePoll Poll();
  // Waits up to `milliseconds` for bytes without using the processor; false
  // when none came or the port is closed.
  bool WaitForInput(int milliseconds);
  // Save is offered only once a block of this exchange has been stored.
  bool CanSave() const { return state_.GoodBlockWritten; }
  // Closes the port and clears the block flags.
  void Finish();

 private:
  void SwitchToHighSpeed() override;
  bool BlockGood(const uint8_t* data, int32_t count) override;
  void ChecksumError() override;
  void StrayEtx() override;
  void Oversized() override;

  SerialLink& link_;
  std::string programDir_;
  ReceiveState state_;
  std::vector<uint8_t> chunk_;
  bool processingShown_ = false;
  bool finishedShown_ = false;
  ReceivePoll* current_ = nullptr;
};

// The file a received measurement is saved as: the chosen name without
// anything from the first "." of its file name on, with ".KV" when the data
// held "MIP", else ".KS".
std::string ReceivedFileName(const std::string& chosenName, bool mipSeen);

// Copies `tempFile` to ReceivedFileName(chosenName, mipSeen), replacing a file
// of that name, then deletes `tempFile`. Returns the new file's path, or
// nothing (with `tempFile` kept) when it failed.
std::optional<std::string> SaveReceivedMeasurement(const std::string& tempFile,
                                                   const std::string& chosenName, bool mipSeen);

}  // namespace zephirax
