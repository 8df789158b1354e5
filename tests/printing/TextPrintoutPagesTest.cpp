#include "printing/TextPrintoutPages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "printing/PrintoutTexts.h"

namespace zephirax {
namespace {

constexpr int A4Height = 27694;      // inside 10 mm margins at 600 dpi
constexpr int LetterHeight = 25939;  // 279.4 mm paper
constexpr int TurbochargerRowY = 11800;

std::optional<PageText> Find(const PrintoutPage& page, const std::string& text) {
  for (const PageText& item : page.Texts) {
    if (item.Text == text) return item;
  }
  return std::nullopt;
}

// The text standing right of `label` on its row, if any.
std::string RightOf(const PrintoutPage& page, const std::string& label) {
  const std::optional<PageText> at = Find(page, label);
  if (!at) return "no label " + label;
  const PageText* next = nullptr;
  for (const PageText& item : page.Texts) {
    if (item.Y == at->Y && item.X > at->X && (next == nullptr || item.X < next->X)) next = &item;
  }
  return next != nullptr ? next->Text : "";
}

// The cylinder numbers of the table: centred texts above the turbochargers.
std::vector<PageText> CylinderNumbers(const PrintoutPage& page) {
  std::vector<PageText> numbers;
  const int numberRowY = Find(page, "Cylinder")->Y;
  for (const PageText& item : page.Texts) {
    if (item.Align == PageText::Centred && item.Y < TurbochargerRowY &&
        (item.Y - numberRowY) % 4000 == 0) {
      numbers.push_back(item);
    }
  }
  return numbers;
}

TEST(TextPrintoutPages, CylinderTableHoldsEveryCylinderWithinThePage) {
  for (const int cylinders : {1, 6, 10, 11, 20}) {
    SCOPED_TRACE(cylinders);
    const PrintoutPage page = AdditionalDataFormPage(English, {}, cylinders, A4Height);
    const std::vector<PageText> numbers = CylinderNumbers(page);
    ASSERT_EQ(numbers.size(), static_cast<size_t>(cylinders));
    for (int c = 1; c <= cylinders; ++c) {
      const PageText& number = numbers[c - 1];
      EXPECT_EQ(number.Text, std::to_string(c));
      // Ten to a block; a block's columns are 14.4 mm wide and end on A4.
      EXPECT_EQ(number.Y, numbers[(c - 1) / CylindersPerBlock * CylindersPerBlock].Y);
      EXPECT_GE(number.X - 700, 4600);
      EXPECT_LE(number.X + 700, 19000);
    }
    for (const PageLine& line : page.Lines) {
      EXPECT_LE(std::max(line.X1, line.X2), 19000);
      if (line.Y1 < TurbochargerRowY) {
        EXPECT_LT(line.Y2, TurbochargerRowY - 800);
      }
    }
  }
}

// What the CLI's PDFs cannot tell apart: which value stands in which cell,
// and the units the settings choose, the dialog's hp for the shaft powers
// and the mercury column beside non-bar pressures.
TEST(TextPrintoutPages, ValuesInTheUsersUnitsInTheirCells) {
  AdditionalData data;
  data.TscavBefore[1] = 37.5f;
  data.ShaftPower = 1000;
  data.McrPower = 10000;
  data.EngineRoomTemp = 25;
  data.PDiff[1] = 180;
  data.FuelRack[6] = 62.5f;
  const PrintoutPage page = AdditionalDataPage(English, {UnitDegF, UnitHp, UnitPsi, UnitMm}, data,
                                               6, {"ENGINE.KV", "01.02.2024", "10:15"}, A4Height);
  EXPECT_EQ(Find(page, "62.5")->Y, Find(page, "Fuel Rack")->Y);
  EXPECT_EQ(RightOf(page, "Temp. charging air before"), "99.5");
  EXPECT_EQ(RightOf(page, "Shaft power:"), "1341");
  EXPECT_EQ(RightOf(page, "1341"), "hp");
  EXPECT_EQ(RightOf(page, "indicated power (MCR):"), "13410");  // as the dialog shows it
  EXPECT_EQ(RightOf(page, "Temp. engine room:"), "77.0");
  EXPECT_EQ(RightOf(page, "77.0"),
            "\xC2\xB0"
            "F");
  EXPECT_EQ(RightOf(page, "180"), "0");  // turbochargers 2 and 3
  EXPECT_TRUE(Find(page, "mmHg").has_value());
}

// The footer stands 11 mm above the end of the page, below everything else
// also on letter paper, which is shorter than the form; the remarks end
// before it.
TEST(TextPrintoutPages, NothingRunsIntoTheFooter) {
  AdditionalData data;
  data.Comment = std::string(200, 'x');
  const struct {
    int Height;
    int FooterY;
  } cases[] = {{A4Height, A4Height - 1100}, {LetterHeight, 25200}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Height);
    const PrintoutPage form = AdditionalDataFormPage(English, {}, 20, c.Height);
    const PrintoutPage filled =
        AdditionalDataPage(English, {}, data, 20, {"ENGINE.KV", "", ""}, c.Height);
    for (const PrintoutPage* page : {&form, &filled}) {
      const std::string footer = Tr(PrintoutFooter, English);
      EXPECT_EQ(Find(*page, footer)->Y, c.FooterY);
      for (const PageText& item : page->Texts) {
        if (item.Text != footer) {
          EXPECT_LE(item.Y + 480, c.FooterY) << item.Text;
        }
      }
      for (const PageLine& line : page->Lines) EXPECT_LT(std::max(line.Y1, line.Y2), c.FooterY);
      for (const PageBlock& block : page->Blocks) EXPECT_LT(block.Y + block.Height, c.FooterY);
    }
    ASSERT_EQ(filled.Blocks.size(), 1u);
  }
}

}  // namespace
}  // namespace zephirax
