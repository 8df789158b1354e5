#include "support/FakeSerialDevice.h"

#include <algorithm>
#include <cstring>

namespace zephirax::test {

bool FakeSerialDevice::Open(const std::string& path) {
  OpenAttempts.push_back(path);
  if (open_) return false;  // exclusive, like a real port
  if (FailingOpens < 0) return false;
  if (FailingOpens > 0) {
    --FailingOpens;
    return false;
  }
  open_ = true;
  return true;
}

bool FakeSerialDevice::Configure(int32_t baud, int16_t, int16_t, int16_t, uint8_t) {
  if (!open_ || RefuseConfigure) return false;
  Bauds.push_back(baud);
  return true;
}

int64_t FakeSerialDevice::Write(const uint8_t* data, int32_t count) {
  if (!open_ || Written.size() + static_cast<size_t>(count) > WritableBytes) {
    return -static_cast<int64_t>(count);
  }
  Written.append(reinterpret_cast<const char*>(data), static_cast<size_t>(count));
  return count;
}

int32_t FakeSerialDevice::Read(uint8_t* buffer, int32_t count) {
  if (!open_ || Chunks.empty()) return 0;
  std::string& chunk = Chunks.front();
  const size_t n = std::min(chunk.size(), static_cast<size_t>(count));
  std::memcpy(buffer, chunk.data(), n);
  chunk.erase(0, n);
  if (chunk.empty()) Chunks.pop_front();
  return static_cast<int32_t>(n);
}

int32_t FakeSerialDevice::QueueCount(bool output) {
  if (!open_ || output || Chunks.empty()) return 0;
  return static_cast<int32_t>(Chunks.front().size());
}

bool FakeSerialDevice::WaitForInput(int) {
  return open_ && !Chunks.empty();
}

void FakeSerialDevice::Close() {
  if (open_) ++Closes;
  open_ = false;
}

}  // namespace zephirax::test
