#include "devicelink/ReceiveDecoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace zephirax {
namespace {

enum class Check { Good, Bad, Lower, None };

std::string Frame(const std::string& data, Check check) {
  unsigned sum = 0;
  for (unsigned char c : data) sum += c;
  char hex[3];
  std::snprintf(hex, sizeof hex, check == Check::Lower ? "%02x" : "%02X", sum % 256);
  std::string tail = hex;
  if (check == Check::Bad) tail = (sum % 256 == 0) ? "01" : "00";
  if (check == Check::None) tail = "\x10\x13";
  return "\x02" + data + "\x03" + tail;
}

struct Recorder : ReceiveEvents {
  std::vector<std::string> Log;
  std::vector<std::string> Blocks;

  void SwitchToHighSpeed() override { Log.push_back("syn"); }
  void BlockStarted() override { Log.push_back("stx"); }
  bool BlockGood(const uint8_t* data, int32_t count) override {
    Log.push_back("good");
    Blocks.emplace_back(reinterpret_cast<const char*>(data), static_cast<size_t>(count));
    return true;
  }
  void ChecksumError() override { Log.push_back("checksum"); }
  void StrayEtx() override { Log.push_back("stray"); }
  void Oversized() override { Log.push_back("oversized"); }
};

int32_t Feed(ReceiveState& state, const std::string& bytes, ReceiveEvents& events) {
  return DecodeBytes(state, reinterpret_cast<const uint8_t*>(bytes.data()),
                     static_cast<int32_t>(bytes.size()), events);
}

using Log = std::vector<std::string>;

TEST(ReceiveDecoder, ChecksumRules) {
  const std::string sum1A3 = "\xFF\xA4";  // 255 + 164 = 0x1A3
  struct Case {
    const char* name;
    bool syn;
    std::string data;
    Check check;
    Log expected;
  };
  const std::vector<Case> cases = {
      {"good at 38400", true, "HEADER 1", Check::Good, {"syn", "stx", "good"}},
      {"bad at 38400", true, "HEADER 1", Check::Bad, {"syn", "stx", "checksum"}},
      {"lowercase digits at 38400",
       true,
       sum1A3 + "\x0B",
       Check::Lower,
       {"syn", "stx", "checksum"}},
      {"no checksum at 38400", true, "HEADER 1", Check::None, {"syn", "stx", "good"}},
      {"sum above 255 at 38400", true, sum1A3, Check::Good, {"syn", "stx", "good"}},
      {"bad at 9600 is unchecked", false, "HEADER 1", Check::Bad, {"stx", "good"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReceiveState state;
    Recorder rec;
    // The SYN and the block arrive in one read: the bytes after the switch
    // are decoded, and checked, at the new speed.
    const std::string line = "noise" + std::string(c.syn ? "\x16" : "") + Frame(c.data, c.check);
    EXPECT_EQ(Feed(state, line, rec), static_cast<int32_t>(line.size()));
    EXPECT_EQ(rec.Log, c.expected);
    EXPECT_EQ(state.HighSpeed, c.syn);
    EXPECT_TRUE(state.BlockComplete);
    EXPECT_FALSE(state.InBlock);
    const bool good = c.expected.back() == "good";
    EXPECT_EQ(state.GoodBlockWritten, good);
    if (good) {
      EXPECT_EQ(rec.Blocks.at(0), c.data);
    }
  }
}

TEST(ReceiveDecoder, SplitReadsGiveTheSameResultAndFindMipAcrossThem) {
  const std::string line = "\x16" + Frame("PRESSURE MIP 12.5\r\n", Check::Good);
  ReceiveState whole;
  Recorder wholeRec;
  Feed(whole, line, wholeRec);

  ReceiveState split;
  Recorder splitRec;
  for (char c : line) Feed(split, std::string(1, c), splitRec);

  EXPECT_EQ(splitRec.Log, wholeRec.Log);
  EXPECT_EQ(splitRec.Blocks, wholeRec.Blocks);
  EXPECT_TRUE(whole.MipSeen);
  EXPECT_TRUE(split.MipSeen);

  ReceiveState noMip;
  Recorder noMipRec;
  Feed(noMip, Frame("MI P M IP", Check::Good), noMipRec);
  EXPECT_FALSE(noMip.MipSeen);
}

TEST(ReceiveDecoder, StrayEtxEndsTheExchange) {
  ReceiveState state;
  Recorder rec;
  const std::string line = std::string("\x03") + "AB" + Frame("DATA", Check::Good);
  EXPECT_EQ(Feed(state, line, rec), 3);
  EXPECT_EQ(rec.Log, Log{"stray"});
  EXPECT_TRUE(state.StrayEtxSeen);
}

TEST(ReceiveDecoder, EtxRightBeforeStxIsNotTheBlocksEnd) {
  ReceiveState state;
  Recorder rec;
  Feed(state, "\x03" + Frame("DATA", Check::Good), rec);
  EXPECT_EQ(rec.Log, (Log{"stx", "good"}));
  EXPECT_EQ(rec.Blocks, Log{"DATA"});
}

TEST(ReceiveDecoder, LaterBlocksReplaceEarlierOnes) {
  ReceiveState state;
  Recorder rec;
  Feed(state,
       "\x16" + Frame("FIRST", Check::Good) + Frame("SECOND", Check::Bad) +
           Frame("THIRD", Check::None),
       rec);
  EXPECT_EQ(rec.Log, (Log{"syn", "stx", "good", "stx", "checksum", "stx", "good"}));
  EXPECT_EQ(rec.Blocks, (Log{"FIRST", "THIRD"}));
  EXPECT_EQ(state.DataCount, 5);
}

TEST(ReceiveDecoder, OversizedBlockIsDroppedWithoutOverrun) {
  ReceiveState state;
  Recorder rec;
  const std::string huge(BlockBufferSize + 1, 'x');
  // The rest of the huge block, including its end and check characters, is
  // ignored; the next block is taken normally.
  Feed(state, "\x16" + Frame(huge, Check::Good) + Frame("SMALL", Check::Good), rec);
  EXPECT_EQ(rec.Log, (Log{"syn", "stx", "oversized", "stx", "good"}));
  EXPECT_EQ(rec.Blocks, Log{"SMALL"});
  EXPECT_EQ(state.BlockBuffer.size(), static_cast<size_t>(BlockBufferSize));

  // Exactly full is still fine.
  ReceiveState full;
  Recorder fullRec;
  Feed(full, Frame(std::string(BlockBufferSize, 'y'), Check::Good), fullRec);
  EXPECT_EQ(fullRec.Log, (Log{"stx", "good"}));
}

TEST(ReceiveDecoder, Gauge) {
  for (auto [count, gauge] :
       std::vector<std::pair<int32_t, int>>{{1, 1}, {2000, 3}, {99500, 100}, {512000, 100}}) {
    EXPECT_EQ(GaugeForCount(count), gauge) << count;
  }
  ReceiveState state;
  Recorder rec;
  Feed(state,
       "\x02"
       "A",
       rec);
  EXPECT_EQ(state.Gauge, 1);
}

TEST(ReceiveDecoder, ResetStartsAFreshExchange) {
  ReceiveState state;
  Recorder rec;
  Feed(state,
       "\x16" + Frame("MIP", Check::Good) +
           "\x02X\x03"
           "A",
       rec);
  ResetForExchange(state);
  EXPECT_FALSE(state.MipSeen || state.HighSpeed || state.GoodBlockWritten || state.InBlock ||
               state.EtxSeen);
  // The half-finished check characters of the last exchange do not count.
  rec.Log.clear();
  Feed(state, "B", rec);
  EXPECT_TRUE(rec.Log.empty());
}

}  // namespace
}  // namespace zephirax
