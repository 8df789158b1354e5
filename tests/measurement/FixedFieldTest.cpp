#include "measurement/FixedField.h"
#include "measurement/KeywordScanner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

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

// Curve blocks are read through an inline conversion of their own: it must
// give every field exactly what the general one gives, and reject the same.
TEST(FixedField, CurveValuesConvertAsEveryOtherField) {
  std::mt19937 rng(5);
  const std::string alphabet = "0123456789,.- x";
  std::vector<std::string> fields = {
      "139", "019,8", "12.", ".5", " 12",   "-1,5",           "1,2,3",
      ",",   "000",   "",    "7",  "0-2,5", "123456789012345"};
  for (int round = 0; round < 20000; ++round) {
    std::string field;
    const int width = 1 + static_cast<int>(rng() % 8);
    for (int k = 0; k < width; ++k) {
      field.push_back(rng() % 4 == 0 ? alphabet[rng() % alphabet.size()]
                                     : static_cast<char>('0' + rng() % 10));
    }
    fields.push_back(field);
  }
  const auto converted = [](const std::string& field, bool curve) -> std::optional<float> {
    KeywordScanner in(field);
    try {
      return curve ? in.CurveFloat(field.size()) : in.Float(field.size());
    } catch (const std::exception&) {
      return std::nullopt;
    }
  };
  for (const std::string& field : fields) {
    const std::optional<float> general = converted(field, false);
    const std::optional<float> curve = converted(field, true);
    ASSERT_EQ(general.has_value(), curve.has_value()) << '"' << field << '"';
    if (general) {
      ASSERT_EQ(std::memcmp(&*general, &*curve, sizeof(float)), 0) << '"' << field << '"';
    }
  }
}

}  // namespace
}  // namespace zephirax
