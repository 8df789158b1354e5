#include "devicelink/ReceiveDecoder.h"

#include <cmath>

namespace zephirax {

namespace {

constexpr uint8_t NoChecksumFirst = 0x10;
constexpr uint8_t NoChecksumSecond = 0x13;

char HexDigit(uint32_t value) {
  return "0123456789ABCDEF"[value & 0x0F];
}

bool ChecksumHolds(const ReceiveState& state) {
  const uint8_t first = state.RecentBytes[1];
  const uint8_t second = state.RecentBytes[2];
  if (first == NoChecksumFirst && second == NoChecksumSecond) return true;
  const uint32_t sum = state.DataSum % 256;
  return first == static_cast<uint8_t>(HexDigit(sum >> 4)) &&
         second == static_cast<uint8_t>(HexDigit(sum));
}

void StartBlock(ReceiveState& state) {
  state.InBlock = true;
  state.EtxSeen = false;
  state.BlockComplete = false;
  state.DiscardingBlock = false;
  state.DataCount = 0;
  state.DataSum = 0;
}

void CheckBlock(ReceiveState& state, ReceiveEvents& events) {
  state.BlockComplete = true;
  state.InBlock = false;
  // At 9600 baud the device's check characters are not reliable enough to
  // reject a block on; only after the switch to 38400 are they enforced.
  if (state.HighSpeed && !ChecksumHolds(state)) {
    events.ChecksumError();
    return;
  }
  if (events.BlockGood(state.BlockBuffer.data(), state.DataCount)) state.GoodBlockWritten = true;
}

void TakeDataByte(ReceiveState& state, uint8_t b, ReceiveEvents& events) {
  if (state.DataCount >= static_cast<int32_t>(state.BlockBuffer.size())) {
    // Far beyond any measurement the device stores: drop the whole block
    // rather than keep a truncated one, and wait for the next STX.
    state.InBlock = false;
    state.EtxSeen = false;
    state.DiscardingBlock = true;
    state.DataCount = 0;
    state.DataSum = 0;
    events.Oversized();
    return;
  }
  state.BlockBuffer[state.DataCount] = b;
  ++state.DataCount;
  state.DataSum += b;
  if (state.RecentBytes[0] == 'M' && state.RecentBytes[1] == 'I' && state.RecentBytes[2] == 'P') {
    state.MipSeen = true;
  }
  state.Gauge = GaugeForCount(state.DataCount);
}

// Returns false when the byte ended the exchange.
bool DecodeByte(ReceiveState& state, uint8_t b, ReceiveEvents& events) {
  state.RecentBytes[0] = state.RecentBytes[1];
  state.RecentBytes[1] = state.RecentBytes[2];
  state.RecentBytes[2] = b;

  if (b == SynByte) {
    state.HighSpeed = true;
    events.SwitchToHighSpeed();
    return true;
  }
  if (b == StxByte) {
    StartBlock(state);
    events.BlockStarted();
    return true;
  }
  if (state.DiscardingBlock) return true;

  if (b == EtxByte) state.EtxSeen = true;
  if (state.RecentBytes[0] == EtxByte) {
    if (!state.InBlock) {
      state.StrayEtxSeen = true;
      events.StrayEtx();
      return false;
    }
    // An ETX just before this block's STX is line noise, not this block's end.
    if (state.EtxSeen) {
      CheckBlock(state, events);
      return true;
    }
  }
  if (state.InBlock && !state.EtxSeen) TakeDataByte(state, b, events);
  return true;
}

}  // namespace

void ResetForExchange(ReceiveState& state) {
  ClearBlockFlags(state);
  state.MipSeen = false;
  state.HighSpeed = false;
  state.RecentBytes = {};
  state.DataCount = 0;
  state.DataSum = 0;
  state.Gauge = 0;
  state.GoodBlockWritten = false;
  state.DiscardingBlock = false;
  state.StrayEtxSeen = false;
}

void ClearBlockFlags(ReceiveState& state) {
  state.InBlock = false;
  state.BlockComplete = false;
  state.EtxSeen = false;
}

int GaugeForCount(int32_t dataCount) {
  const long value = std::lround(dataCount * 0.001) + 1;
  return value > 100 ? 100 : static_cast<int>(value);
}

int32_t DecodeBytes(ReceiveState& state, const uint8_t* bytes, int32_t count,
                    ReceiveEvents& events) {
  for (int32_t i = 0; i < count; ++i) {
    if (!DecodeByte(state, bytes[i], events)) return i + 1;
  }
  return count;
}

}  // namespace zephirax
