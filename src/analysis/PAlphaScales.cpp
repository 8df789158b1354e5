#include "analysis/PAlphaScales.h"

#include "measurement/Units.h"

namespace zephirax {

namespace {

// MPa is the bar axis relabelled, so its rows carry bar values. There are no
// MPa rows for 50 and 75 bar (7.5 MPa is no whole label): those axes are drawn
// without ticks, grid and labels.
constexpr PressureScale PressureScales[] = {
    {UnitBar, 50, 10, {50, 40, 30, 20, 10}, {50, 40, 30, 20, 10}, 1, true},
    {UnitBar, 75, 5, {75, 50, 25}, {75, 50, 25}, 1, false},
    {UnitBar, 100, 10, {100, 50}, {100, 50}, 1, false},
    {UnitBar, 150, 10, {150, 100, 50}, {150, 100, 50}, 1, false},
    {UnitBar, 200, 10, {200, 150, 100, 50}, {200, 150, 100, 50}, 1, false},
    {UnitBar, 250, 10, {250, 200, 150, 100, 50}, {250, 200, 150, 100, 50}, 1, false},
    {UnitMPa, 100, 10, {100, 50}, {100, 50}, 10, false},
    {UnitMPa, 150, 10, {150, 100, 50}, {150, 100, 50}, 10, false},
    {UnitMPa, 200, 10, {200, 150, 100, 50}, {200, 100}, 10, false},
    {UnitMPa, 250, 10, {250, 200, 150, 100, 50}, {250, 200, 150, 100, 50}, 10, false},
    {UnitPsi, 500, 100, {}, {500, 400, 300, 200, 100}, 1, false},
    {UnitPsi, 750, 50, {750, 500, 250}, {750, 500, 250}, 1, false},
    {UnitPsi, 1000, 100, {}, {1000, 900, 800, 700, 600, 500, 400, 300, 200, 100}, 1, false},
    {UnitPsi, 1500, 100, {1500, 1000, 500}, {1500, 1000, 500}, 1, false},
    {UnitPsi, 2000, 200, {2000, 1500, 1000, 500}, {2000, 1500, 1000, 500}, 1, false},
    {UnitPsi, 2500, 250, {2500, 2000, 1500, 1000, 500}, {2500, 2000, 1500, 1000, 500}, 1, false},
    {UnitPsi, 3000, 100, {3000, 2000, 1000}, {3000, 2000, 1000}, 1, false},
    {UnitPsi,
     3500,
     100,
     {3500, 3000, 2500, 2000, 1500, 1000, 500},
     {3500, 3000, 2500, 2000, 1500, 1000, 500},
     1,
     false},
    {UnitPsi, 4000, 200, {4000, 3000, 2000, 1000}, {4000, 3000, 2000, 1000}, 1, false},
};

constexpr FuelScale FuelScales[] = {
    {500, {500, 400, 300, 200, 100}, 7500, {7500, 6000, 4500, 3000, 1500}},
    {750, {750, 500, 250}, 10000, {10000, 7500, 5000, 2500}},
    {1000, {1000, 800, 600, 400, 200}, 15000, {15000, 10000, 5000}},
    {1250, {1250, 1000, 500}, 20000, {20000, 15000, 10000, 5000}},
    {1500, {1500, 1000, 500}, 25000, {25000, 20000, 15000, 10000, 5000}},
    {2000, {2000, 1500, 1000, 500}, 30000, {30000, 20000, 10000}},
};

}  // namespace

const PressureScale* FindPressureScale(int unit, float maximum) {
  for (const PressureScale& row : PressureScales) {
    if (row.Unit == unit && static_cast<float>(row.Maximum) == maximum) return &row;
  }
  return nullptr;
}

const FuelScale* FindFuelScale(float extraAxisMax) {
  for (const FuelScale& row : FuelScales) {
    if (static_cast<float>(row.BarMaximum) == extraAxisMax) return &row;
  }
  return nullptr;
}

}  // namespace zephirax
