#include "printing/PrintSelection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zephirax {
namespace {

using enum PrintBox;

// The ticked boxes by short name, in the dialog's order.
std::string Ticked(const PrintSelection& selection) {
  static const char* const Names[PrintBoxCount] = {
      "setup", "hard", "actual", "all", "paS",  "paA",  "3d",    "pvS", "pvA", "pmaxS",
      "pmaxA", "mean", "pdev",   "mip", "mipD", "pind", "pindD", "eng", "add"};
  std::string text;
  for (int k = 0; k < PrintBoxCount; ++k) {
    if (!selection.Ticked[k]) continue;
    if (!text.empty()) text += ' ';
    text += Names[k];
  }
  return text;
}

TEST(PrintSelection, TickingOneChoiceClearsTheOthers) {
  struct Click {
    PrintBox Box;
    bool Tick;
  };
  const struct {
    const char* Name;
    std::vector<Click> Clicks;
    const char* Expected;
  } cases[] = {
      {"a new dialog", {}, "actual"},
      {"a single page clears the current view", {{PmaxSingle, true}}, "pmaxS"},
      {"single pages add up", {{PVAll, true}, {Mip, true}, {AddedData, true}}, "pvA mip add"},
      {"all clears the single pages", {{Mip, true}, {PAlpha3D, true}, {All, true}}, "all"},
      {"a single page clears all", {{All, true}, {PindDeviation, true}}, "pindD"},
      {"the current view clears everything else",
       {{Mip, true}, {EngineTable, true}, {Actual, true}},
       "actual"},
      {"all clears the current view", {{All, true}}, "all"},
      {"unticking changes nothing else", {{Mip, true}, {PVAll, true}, {Mip, false}}, "pvA"},
      {"unticking the only choice leaves none", {{Actual, false}}, ""},
      {"set-up and hardcopy stand on their own",
       {{PrintBox::Setup, true}, {Hardcopy, true}, {All, true}, {Mip, true}, {Actual, true}},
       "setup hard actual"},
      {"ticking set-up keeps the pages",
       {{Mip, true}, {PrintBox::Setup, true}, {PrintBox::Setup, false}},
       "mip"},
  };
  for (const auto& c : cases) {
    PrintSelection selection;
    for (const Click& click : c.Clicks) SetTicked(selection, click.Box, click.Tick);
    EXPECT_EQ(Ticked(selection), c.Expected) << c.Name;
  }
}

TEST(PrintSelection, ChosenPagesFollowTheTableOrder) {
  const auto chosen = [](std::initializer_list<PrintBox> boxes) {
    PrintSelection selection;
    selection.Ticked = {};
    for (const PrintBox box : boxes) selection.Ticked[static_cast<int>(box)] = true;
    return ChosenPages(selection);
  };
  EXPECT_EQ(ChosenPages(PrintSelection()), std::vector<int>{1});
  EXPECT_EQ(chosen({All}), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
  // Ticked in any order, printed in the table's.
  EXPECT_EQ(chosen({PmaxSingle, AddedData, PmaxMean, PAlphaAll, PVSingle}),
            (std::vector<int>{2, 5, 13, 15, 16}));
  EXPECT_EQ(chosen({PrintBox::Setup, Hardcopy}), std::vector<int>{});
  EXPECT_EQ(chosen({Actual, Mip}), (std::vector<int>{1, 7}));
}

}  // namespace
}  // namespace zephirax
