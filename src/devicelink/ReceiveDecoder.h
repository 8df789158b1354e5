#pragma once

#include <array>
#include <cstdint>
#include <vector>

// Decoding of the device's framed block, byte by byte. The decoder keeps the
// framing state and reports what happened through ReceiveEvents; acting on it
// (reopening the port, writing the file, telling the user) is the caller's
// business, so the dialog, the command line and the tests share one decoder.
//
// Wire format: an optional SYN (the device asks for 38400 baud), STX, the data
// bytes, ETX, then two check characters: the data sum modulo 256 as two
// uppercase hexadecimal digits, or 0x10 0x13 for "no checksum".

namespace zephirax {

inline constexpr uint8_t SynByte = 0x16;
inline constexpr uint8_t StxByte = 0x02;
inline constexpr uint8_t EtxByte = 0x03;
inline constexpr int32_t BlockBufferSize = 512000;

struct ReceiveState {
  bool InBlock = false;        // an STX started a block whose checksum is not yet complete
  bool EtxSeen = false;        // the current block's ETX has arrived
  bool BlockComplete = false;  // a block and its check characters have arrived
  bool MipSeen = false;        // "MIP" occurred in block data during this exchange
  bool HighSpeed = false;      // the device asked for 38400 baud during this exchange
  std::array<uint8_t, 3> RecentBytes{};  // the last three bytes from the line, oldest first
  int32_t DataCount = 0;
  uint32_t DataSum = 0;
  std::vector<uint8_t> BlockBuffer;  // BlockBufferSize bytes, allocated once
  int Gauge = 0;                     // progress 0..100

  // A block (good checksum, or unchecked at 9600) was stored during this
  // exchange; until then there is nothing of this exchange to save.
  bool GoodBlockWritten = false;
  // The current block outgrew BlockBuffer: its remaining bytes are ignored up
  // to the next STX.
  bool DiscardingBlock = false;
  // A check character arrived with no block open; the exchange is over.
  bool StrayEtxSeen = false;

  ReceiveState() : BlockBuffer(BlockBufferSize) {}
};

// What the decoder reports, in the order the bytes cause it.
class ReceiveEvents {
 public:
  virtual ~ReceiveEvents() = default;
  // SYN: HighSpeed is already set; the port should be reopened at 38400
  // before the next byte is decoded.
  virtual void SwitchToHighSpeed() {}
  virtual void BlockStarted() {}
  // A block to keep; true when it was stored.
  virtual bool BlockGood(const uint8_t* data, int32_t count) {
    (void)data;
    (void)count;
    return false;
  }
  virtual void ChecksumError() {}
  // A check character with no block open. Decoding stops after it.
  virtual void StrayEtx() {}
  // A block of more than BlockBufferSize data bytes was dropped.
  virtual void Oversized() {}
};

// Clears the state at the start of an exchange.
void ResetForExchange(ReceiveState& state);
// Clears the block flags at the end of an exchange.
void ClearBlockFlags(ReceiveState& state);

// The progress bar for `dataCount` data bytes: one per thousand, plus one,
// at most 100.
int GaugeForCount(int32_t dataCount);

// Decodes `count` bytes. Returns how many were taken: all of them, unless a
// stray end of block ended the exchange.
int32_t DecodeBytes(ReceiveState& state, const uint8_t* bytes, int32_t count,
                    ReceiveEvents& events);

}  // namespace zephirax
