#include "charts/ValueChartAxes.h"

#include <initializer_list>

#include "measurement/NumberText.h"
#include "measurement/Units.h"

namespace zephirax {

namespace {

// The first candidate not below `value`, else `fallback`. A value that is not
// a number compares below nothing and gets the fallback, the largest axis.
int SmallestNotBelow(std::initializer_list<int> candidates, double value, int fallback) {
  for (const int candidate : candidates) {
    if (candidate >= value) return candidate;
  }
  return fallback;
}

void AddLabelList(AxisLadder& ladder, std::initializer_list<int> values) {
  for (const int value : values) {
    ladder.Labels.push_back({static_cast<double>(value), std::to_string(value)});
  }
}

AxisLadder MipPsiLadder(int barMax) {
  AxisLadder ladder;
  ladder.Maximum = 15 * barMax;
  switch (barMax) {
    case 5:
      AddLabelList(ladder, {75, 50, 25});
      break;
    case 10:
      AddLabelList(ladder, {150, 100, 50});
      break;
    case 15:
      AddLabelList(ladder, {225, 200, 100});
      break;
    case 20:
      AddLabelList(ladder, {300, 200, 100});
      break;
    case 25:
      AddLabelList(ladder, {375, 300, 200, 100});
      break;
    default:
      AddLabelList(ladder, {450, 300, 200, 100});
      break;
  }
  // The two odd maxima carry ticks only where they are labelled.
  if (barMax == 5 || barMax == 25) {
    for (const AxisLabel& label : ladder.Labels) ladder.Ticks.push_back(label.Value);
  } else {
    ladder.Ticks = StepTicks(ladder.Maximum, 10);
  }
  return ladder;
}

}  // namespace

AxisLadder MipLadder(int pressureUnit, double largestMipBar) {
  const int barMax = SmallestNotBelow({5, 10, 15, 20, 25}, largestMipBar, 30);
  if (pressureUnit == UnitPsi) return MipPsiLadder(barMax);

  AxisLadder ladder;
  ladder.Maximum = barMax;
  ladder.Ticks = StepTicks(barMax, 1);
  const bool mpa = pressureUnit == UnitMPa;
  int step = 5;
  if (barMax == 5) step = 1;
  if (mpa && barMax == 30) step = 10;  // "3.0", "2.0", "1.0"
  for (int value = barMax; value >= step; value -= step) {
    ladder.Labels.push_back({static_cast<double>(value),
                             mpa ? FormatFixed(value / 10.0, 0, 1) : std::to_string(value)});
  }
  return ladder;
}

AxisLadder PindLadder(int powerUnit, double largestPindKW) {
  AxisLadder ladder;
  const int maximum =
      powerUnit == UnitHp
          ? SmallestNotBelow({500, 1000, 1500, 2000, 2500, 3000, 3500, 4000, 4500, 5000, 6000},
                             largestPindKW * HpPerKWViews, 7000)
          : SmallestNotBelow({500, 1000, 1500, 2000, 2500, 3000, 3500, 4000, 5000}, largestPindKW,
                             6000);
  ladder.Maximum = maximum;
  if (maximum == 4500) return ladder;  // no tick table for it: a bare axis

  ladder.Ticks = StepTicks(maximum, maximum <= 3000 ? 100 : 500);
  if (maximum == 500) {
    AddLabels(ladder, 500, 100, 100);
  } else if (maximum <= 3000) {
    AddLabels(ladder, maximum, 500, 500);
  } else if (maximum == 3500) {
    AddLabelList(ladder, {3500, 3000, 2000, 1000});
  } else {
    AddLabels(ladder, maximum, 1000, 1000);
  }
  return ladder;
}

AxisLadder RpmLadder(double largestRpm) {
  AxisLadder ladder;
  const int maximum =
      SmallestNotBelow({100, 150, 200, 500, 750, 1000, 1500, 2000}, largestRpm, 2500);
  ladder.Maximum = maximum;
  if (maximum == 750) {
    ladder.Ticks = {750};
    for (const double tick : StepTicks(700, 100)) ladder.Ticks.push_back(tick);
    AddLabelList(ladder, {750});
    AddLabels(ladder, 700, 100, 100);
    return ladder;
  }
  ladder.Ticks = StepTicks(maximum, maximum <= 500 ? 10 : 100);
  switch (maximum) {
    case 100:
      AddLabels(ladder, 100, 20, 20);
      break;
    case 150:
    case 200:
      AddLabels(ladder, maximum, 50, 50);
      break;
    case 500:
      AddLabels(ladder, 500, 100, 100);
      break;
    case 1000:
      AddLabels(ladder, 1000, 200, 200);
      break;
    default:
      AddLabels(ladder, maximum, 500, 500);
      break;
  }
  return ladder;
}

AxisLadder TexhLadder(double largestDisplayTexh) {
  AxisLadder ladder;
  const int maximum = SmallestNotBelow({400, 500, 600, 800}, largestDisplayTexh, 1000);
  ladder.Maximum = maximum;
  ladder.Ticks = StepTicks(maximum, maximum == 800 ? 100 : 50);
  const int labelStep = maximum <= 600 ? 100 : 200;
  AddLabels(ladder, maximum, labelStep, labelStep);
  return ladder;
}

}  // namespace zephirax
