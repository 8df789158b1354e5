#include <gtest/gtest.h>

#include <vector>

#include "setup/EngineSetup.h"

namespace zephirax {
namespace {

EngineSetup Engine(int cylinders, int cycle, bool inLine, double vAngle,
                   const std::vector<int>& firingOrder) {
  EngineSetup setup;
  NewSetupDefaults(setup);
  setup.CylCount = cylinders;
  setup.StrokeCycle = cycle;
  setup.InLineEngine = inLine ? 1 : 0;
  setup.VAngle = vAngle;
  for (size_t p = 0; p < firingOrder.size(); ++p) setup.FiringOrder[p + 1] = firingOrder[p];
  for (int c = 1; c <= MaxCylinders; ++c) setup.TdcDeviation[c] = -1;  // to see what is set
  return setup;
}

std::vector<int> InOrder(int n) {
  std::vector<int> order;
  for (int c = 1; c <= n; ++c) order.push_back(c);
  return order;
}

TEST(AutoTdc, DeviationsByCylinder) {
  struct Case {
    const char* What;
    EngineSetup Setup;
    std::vector<double> Expected;  // cylinders 1..N
  };
  const Case cases[] = {
      {"in-line two-stroke",
       Engine(6, 2, true, 0, {1, 5, 3, 4, 2, 6}),
       {0, 240, 120, 180, 60, 300}},
      {"in-line four-stroke",
       Engine(6, 4, true, 0, {1, 5, 3, 4, 2, 6}),
       {0, 480, 240, 360, 120, 600}},
      {"V four-stroke, 45 deg",
       Engine(12, 4, false, 45, InOrder(12)),
       {0, 45, 120, 165, 240, 285, 360, 405, 480, 525, 600, 645}},
      // Bank B: 120 x j + 150, so its last value 750 passes 720 and becomes 30.
      {"V four-stroke wraps past 720",
       Engine(12, 4, false, 150, InOrder(12)),
       {0, 150, 120, 270, 240, 390, 360, 510, 480, 630, 600, 30}},
      {"V four-stroke, exactly 720 stays", Engine(2, 4, false, 720, {1, 2}), {0, 720}},
      {"V two-stroke", Engine(4, 2, false, 40, {1, 3, 2, 4}), {0, 180, 40, 220}},
      // Odd count: the interleave continues, the last position gets bank B's last.
      {"V odd count", Engine(5, 2, false, 30, InOrder(5)), {0, 30, 144, 174, 318}},
      {"V one cylinder", Engine(1, 2, false, 30, {1}), {30}},
      {"in-line one cylinder", Engine(1, 4, true, 0, {1}), {0}},
  };
  for (const Case& c : cases) {
    EngineSetup setup = c.Setup;
    ASSERT_TRUE(AutoTdcDeviations(setup)) << c.What;
    for (size_t i = 0; i < c.Expected.size(); ++i) {
      EXPECT_NEAR(setup.TdcDeviation[i + 1], c.Expected[i], 1e-9) << c.What << " cyl " << i + 1;
    }
    for (int cyl = static_cast<int>(c.Expected.size()) + 1; cyl <= MaxCylinders; ++cyl) {
      EXPECT_EQ(setup.TdcDeviation[cyl], -1) << c.What << " cyl " << cyl;
    }
  }
}

TEST(AutoTdc, NeverWritesOutsideTheCylinders) {
  // Firing orders are not validated when typed: numbers past the count, 0 and
  // negatives are skipped instead of indexing past the array.
  EngineSetup setup = Engine(4, 2, true, 0, {1, 99, -3, 0});
  setup.FiringOrder[5] = 5;  // beyond the count: never used
  ASSERT_TRUE(AutoTdcDeviations(setup));
  EXPECT_EQ(setup.TdcDeviation[1], 0);
  for (int c = 2; c <= MaxCylinders; ++c) EXPECT_EQ(setup.TdcDeviation[c], -1) << c;

  for (int count : {0, -1, 21, 1000}) {
    EngineSetup bad = Engine(6, 2, true, 0, InOrder(6));
    bad.CylCount = count;
    const EngineSetup before = bad;
    EXPECT_FALSE(AutoTdcDeviations(bad));
    EXPECT_EQ(bad, before);
  }
}

}  // namespace
}  // namespace zephirax
