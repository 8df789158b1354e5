#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <random>

namespace zephirax {
namespace {

TEST(TextEncodingTest, Cp1252RoundTripKeepsEveryByte) {
  EXPECT_EQ(Cp1252ToUtf8("M\xFCller \x80 \x8A\x9C\x9F \x99"),
            "M\xC3\xBCller \xE2\x82\xAC \xC5\xA0\xC5\x93\xC5\xB8 \xE2\x84\xA2");
  EXPECT_EQ(Cp1252ToUtf8("\x81\x9D\xA0"), "\xC2\x81\xC2\x9D\xC2\xA0");  // undefined: same number
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(TextEncodingTest, UnmappableAndInvalidTextBecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("\xE6\x97\xA5 \xF0\x9F\x98\x80 \xC2\x80"), "? ? ?");  // no cp1252 byte
  EXPECT_EQ(Utf8ToCp1252("a\x80z a\xE2\x82z a\xC3"), "a?z a?z a?");            // stray, truncated
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF\xE0\x80\xAF"), "???");                      // overlong forms
  EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80\xF4\x90\x80\x80\xFF"), "???");          // surrogate, too big
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(random() % 64, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    EXPECT_LE(Utf8ToCp1252(bytes).size(), bytes.size());
  }
}

}  // namespace
}  // namespace zephirax
