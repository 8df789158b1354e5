#include "measurement/ItemKeys.h"

#include <array>

namespace zephirax {

namespace {

// "ROKE" takes the CR after it: STROKE is the stroke length, STROKES (key
// "OKES") the number of recorded strokes.
constexpr std::array<ItemKey, 30> Keys{{
    {Item::Version, "SION"},
    {Item::Date, "DATE"},
    {Item::Time, "TIME"},
    {Item::Cylinders, "DERS"},
    {Item::Mode, "MODE"},
    {Item::EngineType, "TYPE"},
    {Item::VAngle, "NGLE"},
    {Item::ConRod, "NROD"},
    {Item::Bore, "BORE"},
    {Item::Stroke, "ROKE\r"},
    {Item::TdcSensor, "NSOR"},
    {Item::TdcCorrection, "CTIO"},
    {Item::FiringOrder, "RDER"},
    {Item::TdcDeviation, "ATIO"},
    {Item::Rpm, "RPM"},
    {Item::PmaxStatistics, "XMIN"},
    {Item::EnginePmaxMean, "NENG"},
    {Item::Fcyl, "FCYL"},
    {Item::Mea, ">MEA"},
    {Item::StrokeCount, "OKES"},
    {Item::PmaxDevLimit, "IMIT"},
    {Item::Pscav, "SCAV"},
    {Item::StrokePressures, "URES"},
    {Item::Mip, "MIP"},
    {Item::Power, "OWER"},
    {Item::PressureCurves, "URVE"},
    {Item::FuelBinary, "UE1"},
    {Item::AclBinary, "CL1"},
    {Item::Shift, "HIFT"},
    {Item::FuelCurves, "UEL"},
}};

// Most bytes of a file start no key: a glance at the window's first letter
// spares comparing them with every key.
constexpr std::array<bool, 256> KeyStarts = [] {
  std::array<bool, 256> starts{};
  for (const ItemKey& key : Keys) starts[static_cast<unsigned char>(key.Key[0])] = true;
  return starts;
}();

}  // namespace

std::span<const ItemKey> ItemKeys() {
  return Keys;
}

std::optional<Item> RecognisedItem(const KeywordScanner& in) {
  if (!KeyStarts[static_cast<unsigned char>(in.WindowAt(1))]) return std::nullopt;
  for (const ItemKey& key : Keys) {
    if (in.Matches(key.Key)) return key.Id;
  }
  return std::nullopt;
}

}  // namespace zephirax
