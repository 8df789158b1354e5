#include "devicelink/Receiver.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

#include "devicelink/ReceiveTexts.h"
#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"

namespace zephirax {

namespace fs = std::filesystem;

ReceiveSession::ReceiveSession(SerialLink& link, std::string programDir)
    : link_(link), programDir_(std::move(programDir)), chunk_(ChunkBufferSize) {}

std::string ReceiveSession::TempFilePath() const {
  return (fs::path(programDir_) / "DATA" / "TEMP.DAT").string();
}

void ReceiveSession::Prepare() {
  CloseLink(link_);
  ResetForExchange(state_);
  processingShown_ = false;
  finishedShown_ = false;
}

bool ReceiveSession::OpenReceivePort() {
  // Every exchange starts at 9600; the device asks for more itself.
  link_.BaudRate = 9600;
  OpenSelectedPort(link_);
  return link_.PortOpen;
}

ReceivePoll ReceiveSession::Poll() {
  ReceivePoll poll;
  if (link_.PortOpen && !state_.StrayEtxSeen) {
    const int32_t waiting = ComQueueCount(link_, link_.ComHandle, false);
    if (waiting > 0) {
      const int32_t wanted = std::min(waiting, ChunkBufferSize);
      poll.BytesRead = ReadComPort(link_, link_.ComHandle, chunk_.data(), wanted);
      current_ = &poll;
      DecodeBytes(state_, chunk_.data(), poll.BytesRead, *this);
      current_ = nullptr;
    }
    CloseIfFailed(link_);
  }
  // Closed by a failure here, or not reopened at the higher speed.
  poll.Failed = !link_.PortOpen && !state_.StrayEtxSeen;
  if (state_.InBlock && !processingShown_) {
    processingShown_ = true;
    poll.ProcessingStarted = true;
  }
  if (state_.BlockComplete) {
    state_.Gauge = 100;
    if (!finishedShown_) {
      finishedShown_ = true;
      poll.Finished = true;
    }
  }
  poll.Ended = state_.StrayEtxSeen;
  return poll;
}

bool ReceiveSession::WaitForInput(int milliseconds) {
  if (!link_.PortOpen || link_.Device == nullptr) return false;
  return link_.Device->WaitForInput(milliseconds);
}

void ReceiveSession::Finish() {
  CloseLink(link_);
  ClearBlockFlags(state_);
}

void ReceiveSession::SwitchToHighSpeed() {
  // The device changes its speed right after the SYN; the bytes already read
  // were sent before that and are decoded on.
  CloseLink(link_);
  link_.BaudRate = 38400;
  OpenSelectedPort(link_);
}

bool ReceiveSession::BlockGood(const uint8_t* data, int32_t count) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), static_cast<size_t>(count));
  if (ReplaceFileAtomically(TempFilePath(), bytes)) return true;
  if (current_ != nullptr) current_->Notices.push_back(ReceiveNotice::TempWriteFailed);
  return false;
}

void ReceiveSession::ChecksumError() {
  if (current_ != nullptr) current_->Notices.push_back(ReceiveNotice::ChecksumError);
}

void ReceiveSession::StrayEtx() {
  if (current_ != nullptr) current_->Notices.push_back(ReceiveNotice::StrayEtx);
}

void ReceiveSession::Oversized() {
  if (current_ != nullptr) current_->Notices.push_back(ReceiveNotice::Oversized);
}

const LangText& ReceiveNoticeText(ReceiveNotice notice) {
  switch (notice) {
    case ReceiveNotice::Oversized:
      return OversizedBlockText;
    case ReceiveNotice::TempWriteFailed:
      return TempWriteFailedText;
    case ReceiveNotice::ChecksumError:
    case ReceiveNotice::StrayEtx:
      break;
  }
  return ChecksumErrorText;
}

std::string ReceivedFileName(const std::string& chosenName, bool mipSeen) {
  const fs::path chosen(chosenName);
  std::string name = chosen.filename().string();
  // Only the file name's dots count: a folder may have one too.
  const size_t dot = name.find('.');
  if (dot != std::string::npos) name.erase(dot);
  name += mipSeen ? ".KV" : ".KS";
  return (chosen.parent_path() / name).string();
}

std::optional<std::string> SaveReceivedMeasurement(const std::string& tempFile,
                                                   const std::string& chosenName, bool mipSeen) {
  // The working copy holds one measurement: never more than a reader takes.
  const RegularFileRead read = ReadRegularFile(tempFile, 64 << 20);
  if (!read) return std::nullopt;

  const std::string target = ReceivedFileName(chosenName, mipSeen);
  if (!ReplaceFileAtomically(target, read.Bytes)) return std::nullopt;
  std::error_code ignored;
  fs::remove(tempFile, ignored);
  return target;
}

}  // namespace zephirax
