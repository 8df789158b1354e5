#include "measurement/ItemKeys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zephirax {
namespace {

// The item recognised after each byte of `text`, in order.
std::vector<Item> ItemsIn(std::string_view text) {
  KeywordScanner in(text);
  std::vector<Item> items;
  while (in.Advance()) {
    if (const std::optional<Item> item = RecognisedItem(in)) items.push_back(*item);
  }
  return items;
}

// Readers that care for a few items only, and the writers, ask for items
// rather than trying keys in their own order; that is sound only while no
// window can hold two keys at once.
TEST(ItemKeys, NoWindowHoldsTwoKeys) {
  std::set<Item> ids;
  for (const ItemKey& a : ItemKeys()) {
    EXPECT_TRUE(a.Key.size() >= 3 && a.Key.size() <= 5) << a.Key;
    EXPECT_TRUE(ids.insert(a.Id).second) << a.Key;
    for (const ItemKey& b : ItemKeys()) {
      if (&a != &b) {
        EXPECT_FALSE(b.Key.starts_with(a.Key)) << a.Key << " / " << b.Key;
      }
    }
  }
}

// What the program writes must be read back as the item it means.
TEST(ItemKeys, WrittenKeywordLinesAreRecognisedAsTheirItems) {
  const auto line = [](std::string_view keyword) { return std::string(keyword) + "\r\n1,0\r\n"; };
  EXPECT_EQ(ItemsIn(line(VersionKeyword)), std::vector{Item::Version});
  EXPECT_EQ(ItemsIn(line(FuelKeyword)), std::vector{Item::FuelCurves});
  EXPECT_EQ(ItemsIn(line(ShiftKeyword)), std::vector{Item::Shift});
}

// STROKE (the stroke length) and STROKES (their number) differ in one letter.
TEST(ItemKeys, TellsTheStrokeLengthFromTheStrokeCount) {
  EXPECT_EQ(ItemsIn("STROKE\r\n"), std::vector{Item::Stroke});
  EXPECT_EQ(ItemsIn("STROKES\r\n"), std::vector{Item::StrokeCount});
  EXPECT_EQ(ItemsIn("POWER\r\nCURVE\r\n"), (std::vector{Item::Power, Item::PressureCurves}));
}

}  // namespace
}  // namespace zephirax
