#include "platform/QtNumberFormat.h"

#include <gtest/gtest.h>

namespace zephirax {
namespace {

TEST(QtNumberFormat, TakesTheSeparatorsOfTheLocale) {
  const NumberFormat german = RegionalNumberFormat(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(german.DecimalSeparator, ",");
  EXPECT_EQ(german.GroupSeparator, ".");
  const NumberFormat english =
      RegionalNumberFormat(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(FormatRegionalNumber(1234.5, 1, english), "1,234.5");
  // A narrow no-break space becomes the Windows character set's no-break space.
  const NumberFormat french = RegionalNumberFormat(QLocale(QLocale::French, QLocale::France));
  EXPECT_EQ(french.DecimalSeparator, ",");
  EXPECT_TRUE(french.GroupSeparator == "\xA0" || french.GroupSeparator == " ");
}

}  // namespace
}  // namespace zephirax
