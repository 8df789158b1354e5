#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "measurement/MeasurementData.h"

// The engine and ship data the user records by hand beside a measurement.
// Arrays are indexed from 1 like the measurement's: cylinders 1..20 and
// turbochargers 1..3. Values are in the base units (deg C, kW).

namespace zephirax {

inline constexpr int TcCount = 3;
inline constexpr size_t MaxShipNameLength = 29;
inline constexpr size_t MaxCommentLength = 255;

template <class T>
using PerTc = std::array<T, TcCount + 1>;

struct AdditionalData {
  PerCylinder<int32_t> Texh{};
  PerTc<int32_t> TcRpm{};
  PerCylinder<float> FuelRack{};
  PerCylinder<float> Vit{};
  PerTc<float> TscavBefore{};
  PerTc<float> TscavAfter{};
  PerTc<int32_t> PDiff{};
  std::string ShipName;  // cp1252 bytes, at most MaxShipNameLength of them
  float EngineRoomTemp = 0;
  int32_t RunningHours = 0;
  int32_t ShaftPower = 0;
  float Pitch = 0;
  int32_t ShaftGenPower = 0;
  int32_t McrPower = 0;
  std::string Comment;  // cp1252 bytes, at most MaxCommentLength of them
  PerTc<int32_t> TexhBeforeTc{};
  PerTc<int32_t> TexhAfterTc{};
  float Pbaro = 0;
  float FuelSpecGravity = 0;
  float FuelTemp = 0;
  float FuelCalorific = 0;
  float FuelSulfur = 0;
  float FuelViscosity = 0;
  float EngineLoad = 0;
  float FuelConsumption = 0;

  bool operator==(const AdditionalData&) const = default;
};

}  // namespace zephirax
