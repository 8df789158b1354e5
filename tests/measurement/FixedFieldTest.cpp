#include "measurement/FixedField.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

namespace zephirax {
namespace {

TEST(FixedField, ReadsTheFieldsTheFilesHold) {
  double v = 0;
  ASSERT_TRUE(ParseFloatField("012,3", v));
  EXPECT_DOUBLE_EQ(v, 12.3);
  ASSERT_TRUE(ParseFloatField("0-2,5", v));  // zero padding before the sign
  EXPECT_DOUBLE_EQ(v, -2.5);
  ASSERT_TRUE(ParseFloatField(" -1,5", v));  // blanks kept, as in the shift row
  EXPECT_DOUBLE_EQ(v, -1.5);
  ASSERT_TRUE(ParseFloatField("  0,0", v));
  EXPECT_DOUBLE_EQ(v, 0);
  ASSERT_TRUE(ParseFloatField("2.35", v));
  EXPECT_DOUBLE_EQ(v, 2.35);
  ASSERT_TRUE(ParseFloatField("12345678901234567890", v));  // long fields still convert
  EXPECT_DOUBLE_EQ(v, 12345678901234567890.0);

  for (const char* bad : {"", "   ", "-", "0-", "1,2,3", "1e5", "12a", "--1", "1-2", "0x10", "inf",
                          "nan", ",", "1 2"}) {
    EXPECT_FALSE(ParseFloatField(bad, v)) << bad;
  }

  int32_t n = 0;
  ASSERT_TRUE(ParseIntField("095", n));
  EXPECT_EQ(n, 95);
  ASSERT_TRUE(ParseIntField("00-12", n));
  EXPECT_EQ(n, -12);
  ASSERT_TRUE(ParseIntField("-2147483648", n));
  EXPECT_EQ(n, INT32_MIN);
  for (const char* bad : {"", "1,0", "2147483648", "99999999999999999999", "1 2", "+", "x"}) {
    EXPECT_FALSE(ParseIntField(bad, n)) << bad;
  }
}

// The quick conversion of short fields must give exactly the correctly
// rounded value that a full decimal conversion gives.
TEST(FixedField, QuickConversionIsExact) {
  std::mt19937 rng(3);
  for (int round = 0; round < 200000; ++round) {
    const int width = 1 + static_cast<int>(rng() % 12);
    std::string field;
    for (int k = 0; k < width; ++k) field.push_back(static_cast<char>('0' + rng() % 10));
    field.insert(rng() % (field.size() + 1), ".");
    double quick = 0;
    ASSERT_TRUE(ParseFloatField(field, quick)) << field;
    const double reference = std::strtod(field.c_str(), nullptr);
    ASSERT_EQ(quick, reference) << field;
  }
}

}  // namespace
}  // namespace zephirax
