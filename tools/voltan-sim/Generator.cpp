#include "voltan-sim/Generator.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <numeric>
#include <stdexcept>

#include "measurement/Evaluation.h"
#include "measurement/ItemKeys.h"
#include "measurement/MeasurementData.h"
#include "measurement/MeasurementReader.h"
#include "voltan-sim/CylinderModel.h"

namespace voltansim {

namespace {

constexpr std::string_view Eol = "\r\n";
constexpr int BinarySamples = 360;

bool HasMipItem(CurveLayout layout) {
  return layout == CurveLayout::Rows1440 || layout == CurveLayout::Rows360;
}

int SampleCount(CurveLayout layout) {
  switch (layout) {
    case CurveLayout::Rows1440:
      return 1440;
    case CurveLayout::Rows360:
      return 360;
    default:
      return 180;
  }
}

bool IsBinary(SecondChannel extra) {
  return extra == SecondChannel::FuelBinary || extra == SecondChannel::AclBinary;
}

double Quantise(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::nearbyint(value * scale) / scale + 0.0;  // + 0.0: no "-0,0" in a file
}

// Right-aligned in `width` with `decimals` decimals and a decimal comma; the
// blanks of the padding become '0' unless `keepBlanks` ("0-0,5" for -0.5).
std::string Fixed(double value, int width, int decimals, bool keepBlanks = false) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, result.ptr);
  std::replace(text.begin(), text.end(), '.', ',');
  // Callers clamp every value to its field, so an overflow is a fault here.
  if (result.ec != std::errc() || static_cast<int>(text.size()) > width)
    throw std::logic_error("value does not fit its field: " + text);
  return std::string(width - text.size(), keepBlanks ? ' ' : '0') + text;
}

// One decimal without padding: "60,0", "-2,5".
std::string Plain(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
  std::string text(buffer, result.ptr);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

std::vector<int> StepOrder(int n) {
  // Stepping through the cylinders by a stride coprime with their number
  // spreads consecutive firings along the crankshaft.
  int stride = std::max(1, n / 2);
  while (stride > 1 && std::gcd(stride, n) != 1) --stride;
  std::vector<int> order;
  for (int p = 0; p < n; ++p) order.push_back(1 + (p * stride) % n);
  return order;
}

std::vector<int> InLineFiringOrder(int n, int strokeCycle) {
  static const std::vector<std::vector<int>> twoStroke = {
      {1},
      {1, 2},
      {1, 3, 2},
      {1, 4, 3, 2},
      {1, 4, 3, 2, 5},
      {1, 5, 3, 4, 2, 6},
      {1, 7, 2, 5, 4, 3, 6},
      {1, 8, 3, 4, 7, 2, 5, 6},
      {1, 6, 7, 3, 5, 8, 2, 4, 9},
      {1, 8, 7, 3, 5, 10, 2, 4, 9, 6},
      {1, 8, 11, 3, 5, 10, 2, 4, 7, 9, 6},
      {1, 8, 11, 4, 3, 10, 7, 2, 5, 12, 9, 6},
  };
  static const std::vector<std::vector<int>> fourStroke = {
      {1},
      {1, 2},
      {1, 3, 2},
      {1, 3, 4, 2},
      {1, 2, 4, 5, 3},
      {1, 5, 3, 6, 2, 4},
      {1, 2, 4, 6, 7, 5, 3},
      {1, 6, 2, 5, 8, 3, 7, 4},
      {1, 6, 3, 2, 8, 7, 4, 9, 5},
      {1, 6, 3, 10, 2, 8, 5, 9, 4, 7},
  };
  const auto& table = strokeCycle == 4 ? fourStroke : twoStroke;
  if (n >= 1 && n <= static_cast<int>(table.size())) return table[n - 1];
  return StepOrder(n);
}

// A V engine's bank A holds cylinders 1..n/2, bank B the rest; each B cylinder
// shares the crank pin of its A partner and fires one V angle after it.
std::vector<int> FiringOrder(const GeneratorOptions& o) {
  if (o.InLine) return InLineFiringOrder(o.Cylinders, o.StrokeCycle);
  const int half = o.Cylinders / 2;
  std::vector<int> order;
  for (int a : InLineFiringOrder(half, o.StrokeCycle)) {
    order.push_back(a);
    order.push_back(a + half);
  }
  return order;
}

// The same spacing the setup editor's automatic calculation gives, so that a
// generated file agrees with a setup made for the same engine.
std::vector<double> TdcDeviations(const GeneratorOptions& o, const std::vector<int>& order) {
  const int n = o.Cylinders;
  const double cycle = 180.0 * o.StrokeCycle;
  std::vector<double> deviation(n, 0.0);
  for (int p = 0; p < n; ++p) {
    double value;
    if (o.InLine) {
      value = p * cycle / n;
    } else {
      value = (p / 2) * 2.0 * cycle / n + (p % 2 == 1 ? o.VAngle : 0.0);
    }
    // A B-bank TDC past the end of the cycle is the same TDC early in the next.
    if (value >= cycle) value -= cycle;
    deviation[order[p] - 1] = value;
  }
  return deviation;
}

std::string TailBytes(const std::vector<SimulatedCylinder>& cylinders) {
  std::string bytes;
  for (const SimulatedCylinder& c : cylinders) {
    for (float value : c.Extra) {
      uint32_t bits;
      std::memcpy(&bits, &value, sizeof bits);
      for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<char>((bits >> (8 * b)) & 0xFF));
    }
  }
  return bytes;
}

struct KeyHit {
  size_t Position = std::string_view::npos;
  size_t Length = 0;
};

KeyHit FindItemKey(std::string_view bytes) {
  KeyHit first;
  for (const zephirax::ItemKey& key : zephirax::ItemKeys()) {
    const size_t at = bytes.find(key.Key);
    if (at < first.Position) first = {at, key.Key.size()};
  }
  return first;
}

struct EngineModel {
  CylinderParameters Cylinder;
  double ValveClosing;  // the valve that seats during compression [deg CA]
};

EngineModel BaseModel(const GeneratorOptions& o) {
  EngineModel m;
  CylinderParameters& c = m.Cylinder;
  c.Bore = o.Bore;
  c.Stroke = o.Stroke;
  c.ConRod = o.ConRod;
  c.BdcPressure = o.Pscav + AmbientPressure;
  c.PmaxTarget = o.PmaxTarget + AmbientPressure;
  if (o.StrokeCycle == 2) {
    c.CompressionRatio = 14.0;
    c.CombustionStart = -2.5;
    c.CombustionDuration = 38;
    c.ExhaustOpening = 108;
    c.BlowDownWidth = 18;
    m.ValveClosing = -110;  // exhaust valve
  } else {
    c.CompressionRatio = 14.5;
    c.CombustionStart = -5;
    c.CombustionDuration = 45;
    c.ExhaustOpening = 132;
    c.BlowDownWidth = 22;
    m.ValveClosing = -148;  // inlet valve
  }
  c.WiebeShape = 1.5;
  return m;
}

std::vector<float> Sampled(const Grid& grid, int samples, int decimals, double low, double high,
                           Random* noise = nullptr, double noiseLevel = 0) {
  const int step = GridSamples / samples;
  std::vector<float> out;
  out.reserve(samples);
  for (int k = 0; k < samples; ++k) {
    double value = grid[k * step];
    if (noise != nullptr) value += noiseLevel * noise->Normal();
    out.push_back(static_cast<float>(Quantise(std::clamp(value, low, high), decimals)));
  }
  return out;
}

}  // namespace

GeneratorOptions EngineDefaults(int strokeCycle) {
  GeneratorOptions o;
  if (strokeCycle == 4) {
    o.StrokeCycle = 4;
    o.Bore = 320;
    o.Stroke = 400;
    o.ConRod = 800;
    o.Rpm = 750;
    o.Pscav = 2.8;
    o.PmaxTarget = 190;
  }
  return o;
}

std::string CheckOptions(const GeneratorOptions& o) {
  if (o.Cylinders < 1 || o.Cylinders > zephirax::MaxCylinders)
    return "the number of cylinders must be 1..20";
  if (o.Strokes < 1 || o.Strokes > zephirax::MaxStrokes)
    return "the number of strokes must be 1..30";
  if (o.StrokeCycle != 2 && o.StrokeCycle != 4) return "the stroke cycle must be 2 or 4";
  if (!o.InLine) {
    if (o.Cylinders % 2 != 0) return "a V engine needs an even number of cylinders";
    if (!(o.VAngle > 0 && o.VAngle < 180)) return "the V angle must lie between 0 and 180 degrees";
  }
  for (int length : {o.Bore, o.Stroke, o.ConRod}) {
    if (length < 1 || length > 9999) return "bore, stroke and connecting rod must be 1..9999 mm";
  }
  if (2 * o.ConRod <= o.Stroke) return "the connecting rod must be longer than half the stroke";
  if (!(o.Rpm > 0 && o.Rpm <= 9000)) return "the speed must lie above 0 and at most 9000 1/min";
  if (!(o.Pscav >= 0 && o.Pscav <= 9)) return "the scavenging air pressure must be 0..9 bar";
  if (!(o.PmaxTarget >= 1 && o.PmaxTarget <= 900)) return "the peak pressure must be 1..900 bar";
  if (!(o.PmaxDevLimit >= 0 && o.PmaxDevLimit <= 99.9))
    return "the pmax deviation limit must be 0..99.9 bar";
  if (!(o.TdcCorrection >= -9.9 && o.TdcCorrection <= 99.9))
    return "the TDC correction must be -9.9..99.9 degrees";
  if (IsBinary(o.Extra) && !HasMipItem(o.Layout))
    return "a binary second channel needs the 1440 or 360 layout";
  if (o.Date.size() != 10 || o.Date.find_first_of("\r\n") != std::string::npos)
    return "the date must have exactly 10 characters";
  if (o.Time.size() != 5 || o.Time.find_first_of("\r\n") != std::string::npos)
    return "the time must have exactly 5 characters";
  return {};
}

SimulatedMeasurement Simulate(const GeneratorOptions& o) {
  if (std::string error = CheckOptions(o); !error.empty()) throw std::invalid_argument(error);
  Random random(o.Seed);
  SimulatedMeasurement sim;
  sim.FiringOrder = FiringOrder(o);
  sim.TdcDeviation = TdcDeviations(o, sim.FiringOrder);

  const EngineModel base = BaseModel(o);
  const int samples = SampleCount(o.Layout);
  const bool twoStroke = o.StrokeCycle == 2;
  // Engine-wide settings of the injection system; the cylinders scatter around them.
  const double injectionStart = random.Uniform(-10, -6);
  const double injectionLength = random.Uniform(24, 32);
  const double injectionPeak = random.Uniform(900, 1350);

  auto data = std::make_unique<zephirax::MeasurementData>();
  data->CylCount = 1;
  data->Bore = o.Bore;

  double pmaxSum = 0;
  for (int i = 0; i < o.Cylinders; ++i) {
    CylinderParameters p = base.Cylinder;
    p.CompressionRatio += 0.08 * random.Normal();
    p.Polytropic += 0.004 * random.Normal();
    p.BdcPressure += 0.03 * random.Normal();
    p.ExhaustPressure = p.BdcPressure - 0.15;
    p.CombustionStart += 0.3 * random.Normal();
    p.CombustionDuration += 0.8 * random.Normal();
    p.WiebeShape += 0.04 * random.Normal();
    p.ExhaustOpening += random.Normal();
    p.PmaxTarget =
        AmbientPressure + (p.PmaxTarget - AmbientPressure) * (1 + 0.015 * random.Normal());
    const Grid absolute = CylinderPressure(p);

    Grid gauge{};
    for (int k = 0; k < GridSamples; ++k) gauge[k] = absolute[k] - AmbientPressure;
    SimulatedCylinder c;
    c.Pressure = Sampled(gauge, samples, 1, 0.0, 999.9, &random, 0.04);
    c.CompressionPressure = static_cast<float>(
        Quantise(std::clamp(CompressionPressure(p) - AmbientPressure, 0.0, 999.9), 1));

    // pTDC and pexp (36 deg after TDC) on the written curve's own grid.
    c.PTdc = c.Pressure[samples / 2];
    c.PExp = c.Pressure[(180 + 36) * samples / 360];

    zephirax::Curve& curve = data->PressureCurve[1];
    if (samples == 1440) {
      std::copy(c.Pressure.begin(), c.Pressure.end(), curve.begin() + 1);
    } else if (samples == 360) {
      // The MIP the device reports is the one of the curve as it is expanded at load.
      std::copy(c.Pressure.begin(), c.Pressure.end(), curve.begin() + 1);
      zephirax::ExpandTo1440(curve);
    } else {
      // The old layouts have no MIP item; the figure is still worked out for callers.
      const std::vector<float> fine = Sampled(gauge, GridSamples, 1, 0.0, 999.9);
      std::copy(fine.begin(), fine.end(), curve.begin() + 1);
    }
    const float mip = zephirax::IntegrateMip(*data, 1, static_cast<float>(o.Stroke),
                                             static_cast<float>(o.ConRod));
    c.Mip = static_cast<float>(Quantise(std::clamp(static_cast<double>(mip), 0.0, 999.9), 1));

    double rpm = Quantise(o.Rpm * (1 + 0.001 * random.Normal()), 1);
    if (rpm >= 1000) rpm = std::min(9999.0, std::nearbyint(rpm));
    c.Rpm = static_cast<float>(rpm);
    const double power = zephirax::IndicatedPower(
        o.StrokeCycle, c.Rpm, c.Mip, static_cast<float>(o.Bore), static_cast<float>(o.Stroke));
    c.Pind = static_cast<int>(std::clamp(std::nearbyint(power), 0.0, 99999.0));

    // The device's per-stroke peaks scatter around the averaged curve's peak.
    const double curvePmax = *std::max_element(c.Pressure.begin(), c.Pressure.end());
    double strokeSum = 0;
    for (int s = 0; s < o.Strokes; ++s) {
      const double value = curvePmax + 0.012 * curvePmax * random.Normal();
      c.StrokePmax.push_back(static_cast<int>(std::clamp(std::nearbyint(value), 0.0, 999.0)));
      strokeSum += c.StrokePmax.back();
    }
    c.PmaxMean = static_cast<int>(std::nearbyint(strokeSum / o.Strokes));
    c.PmaxHigh = *std::max_element(c.StrokePmax.begin(), c.StrokePmax.end());
    c.PmaxLow = *std::min_element(c.StrokePmax.begin(), c.StrokePmax.end());
    pmaxSum += c.PmaxMean;

    if (o.Extra == SecondChannel::Fuel || o.Extra == SecondChannel::FuelBinary) {
      InjectionParameters injection;
      injection.Start = injectionStart + 0.4 * random.Normal();
      injection.End = injection.Start + injectionLength + random.Normal();
      injection.Peak = injectionPeak * (1 + 0.03 * random.Normal());
      const Grid fuel = InjectionPressure(injection);
      if (o.Extra == SecondChannel::FuelBinary) {
        c.Extra = Sampled(fuel, BinarySamples, 2, 0.0, 9999.9);
      } else if (HasMipItem(o.Layout)) {
        c.Extra = Sampled(fuel, samples, 1, 0.0, 9999.9);
      } else {
        // Five characters cannot hold an injection pressure with a decimal.
        c.Extra = Sampled(fuel, samples, 0, 0.0, 99999.0);
      }
    } else if (o.Extra == SecondChannel::AclBinary) {
      auto swing = [&](double lo, double hi) {
        const double size = random.Uniform(lo, hi);
        return random.Uniform() < 0.5 ? -size : size;
      };
      // Valve seating, injector opening, the combustion knock (the strongest),
      // exhaust valve opening, and the piston's reversal near BDC.
      const std::vector<VibrationEvent> events = {
          {base.ValveClosing + random.Normal(), swing(12, 25), 5, 6},
          {injectionStart, swing(6, 12), 3, 4},
          {p.CombustionStart + 3, swing(30, 60), random.Uniform(5, 7), 10},
          {p.ExhaustOpening - 2, swing(15, 30), 4, 6},
          {twoStroke ? 140.0 : 165.0, swing(5, 10), 6, 8},
      };
      c.Extra = Sampled(Acceleration(events, random, 1.0), BinarySamples, 2, -9999.0, 9999.0);
    }

    if (o.WithShift)
      c.TdcShift = static_cast<float>(Quantise(std::clamp(0.5 * random.Normal(), -2.0, 2.0), 1));
    sim.Cylinders.push_back(std::move(c));
  }
  sim.EnginePmaxMean = static_cast<float>(Quantise(pmaxSum / o.Cylinders, 1));
  if (IsBinary(o.Extra)) KeepItemKeysOutOfTail(sim.Cylinders);
  return sim;
}

std::string FormatMeasurement(const GeneratorOptions& o, const SimulatedMeasurement& sim) {
  std::string out;
  auto line = [&out](std::string_view text) {
    out += text;
    out += Eol;
  };
  auto joined = [](const std::vector<std::string>& fields, bool trailing) {
    std::string text;
    for (size_t i = 0; i < fields.size(); ++i) {
      text += fields[i];
      if (trailing || i + 1 < fields.size()) text += ';';
    }
    return text;
  };
  auto perCylinder = [&sim](auto field) {
    std::vector<std::string> fields;
    for (const SimulatedCylinder& c : sim.Cylinders) fields.push_back(field(c));
    return fields;
  };

  const bool mipItem = HasMipItem(o.Layout);
  const int samples = SampleCount(o.Layout);
  std::string version;
  if (o.Layout == CurveLayout::Rows1440) {
    version = "4.00";
  } else if (o.Layout == CurveLayout::Rows360 && o.WithVersion) {
    version = "3.90";
  }

  // Seven lines of device identification; their text is free but must not
  // contain an item key, which the tests check.
  line(mipItem ? "VOLTAN KV" : "VOLTAN KS");
  line("FIRMWARE V" + (version.empty() ? std::string(mipItem ? "3.52" : "2.31") : version));
  line("SERIAL NO. 20417");
  line("MEASURING POINT: MAIN ENGINE");
  switch (o.Extra) {
    case SecondChannel::None:
      line("CHANNEL B: NONE");
      break;
    case SecondChannel::AclBinary:
      line("CHANNEL B: ACC");
      break;
    default:
      line("CHANNEL B: INJ");
  }
  line("RANGE: 250 BAR");
  line("--------------------------------");

  if (!version.empty()) {
    line("VERSION");
    line(version);
  }
  line("DATE");
  line(o.Date);
  line("TIME");
  line(o.Time);
  line("CYLINDERS");
  line(Fixed(o.Cylinders, 2, 0));
  if (o.Layout != CurveLayout::Lines180) {
    line("MODE");
    line(o.StrokeCycle == 4 ? "4" : "2");
  }
  line("ENGINE TYPE");
  line(o.InLine ? "L" : "V");
  line("V-ANGLE");
  line(Fixed(o.InLine ? 0.0 : o.VAngle, 5, 1));
  line("CONROD");
  line(Fixed(o.ConRod, 4, 0));
  line("BORE");
  line(Fixed(o.Bore, 4, 0));
  line("STROKE");
  line(Fixed(o.Stroke, 4, 0));
  line("TDC SENSOR");
  line(o.TdcSensor ? "Y" : "N");
  line("TDC CORRECTION");
  line(Fixed(o.TdcCorrection, 5, 1));

  line("FIRING ORDER");
  std::vector<std::string> fields;
  for (int cylinder : sim.FiringOrder) fields.push_back(Fixed(cylinder, 2, 0));
  line(joined(fields, false));
  line("TDC DEVIATION");
  fields.clear();
  for (double deviation : sim.TdcDeviation) fields.push_back(Plain(deviation));
  line(joined(fields, false));

  line("RPM");
  for (const SimulatedCylinder& c : sim.Cylinders)
    line(c.Rpm >= 1000 ? Fixed(c.Rpm, 4, 0) : Fixed(c.Rpm, 5, 1));
  line("PMAXMIN");
  for (const SimulatedCylinder& c : sim.Cylinders)
    line(Fixed(c.PmaxMean, 3, 0) + ";" + Fixed(c.PmaxHigh, 3, 0) + ";" + Fixed(c.PmaxLow, 3, 0));
  line("PMEANENG");
  line(Fixed(sim.EnginePmaxMean, 5, 1));
  line("FCYL");
  line(
      joined(perCylinder([](const auto& c) { return Fixed(c.CompressionPressure, 5, 1); }), false));
  line(">MEAS");
  for (const SimulatedCylinder& c : sim.Cylinders)
    line(Fixed(c.PTdc, 5, 1) + ";" + Fixed(c.PExp, 5, 1));
  line("STROKES");
  line(Fixed(o.Strokes, 2, 0));
  line("PMAX LIMIT");
  line(Fixed(o.PmaxDevLimit, 4, 1));
  line("PSCAV");
  line(Fixed(o.Pscav, 4, 2));
  line("PRESSURES");
  for (const SimulatedCylinder& c : sim.Cylinders) {
    fields.clear();
    for (int value : c.StrokePmax) fields.push_back(Fixed(value, 3, 0));
    line(joined(fields, false));
  }
  if (mipItem) {
    line("MIP");
    line(joined(perCylinder([](const auto& c) { return Fixed(c.Mip, 5, 1); }), true));
    line("POWER");
    line(joined(perCylinder([](const auto& c) { return Fixed(c.Pind, 5, 0); }), true));
  }

  // The pressure block and a text second channel share their shape: rows of
  // one value per cylinder, or in the oldest layout one line per cylinder.
  auto block = [&](auto curveOf, int width, int decimals) {
    if (o.Layout == CurveLayout::Lines180) {
      for (const SimulatedCylinder& c : sim.Cylinders) {
        for (float value : curveOf(c)) out += Fixed(value, width, decimals) + ";";
        out += Eol;
      }
      return;
    }
    for (int k = 0; k < samples; ++k) {
      for (const SimulatedCylinder& c : sim.Cylinders)
        out += Fixed(curveOf(c)[k], width, decimals) + ";";
      out += Eol;
    }
  };
  line("CURVE");
  line("");
  block([](const SimulatedCylinder& c) -> const std::vector<float>& { return c.Pressure; }, 5, 1);

  // The reader drops the byte after a curve block, so the keyword lines that
  // follow one start with a letter that does not belong to their key.
  switch (o.Extra) {
    case SecondChannel::None:
      break;
    case SecondChannel::Fuel:
      line("FUEL");
      block([](const SimulatedCylinder& c) -> const std::vector<float>& { return c.Extra; },
            mipItem ? 6 : 5, mipItem ? 1 : 0);
      break;
    case SecondChannel::FuelBinary:
      line("FUE1");
      break;
    case SecondChannel::AclBinary:
      line("ACL1");
      break;
  }
  if (o.WithShift) {
    line("SHIFT");
    line(joined(perCylinder([](const auto& c) { return Fixed(c.TdcShift, 5, 1, true); }), true));
  }
  line("END");
  if (IsBinary(o.Extra)) out += TailBytes(sim.Cylinders);
  return out;
}

std::string GenerateMeasurement(const GeneratorOptions& options) {
  return FormatMeasurement(options, Simulate(options));
}

bool ContainsItemKey(std::string_view bytes) {
  return FindItemKey(bytes).Position != std::string_view::npos;
}

void KeepItemKeysOutOfTail(std::vector<SimulatedCylinder>& cylinders) {
  for (int attempt = 0; attempt < 10000; ++attempt) {
    const KeyHit hit = FindItemKey(TailBytes(cylinders));
    if (hit.Position == std::string_view::npos) return;
    // Move the lowest byte of a value inside the hit; when the hit lies wholly
    // in the upper bytes of one value, move its second byte instead.
    size_t index = hit.Position / 4;
    uint32_t step = 256;
    for (size_t pos = hit.Position; pos < hit.Position + hit.Length; ++pos) {
      if (pos % 4 == 0) {
        index = pos / 4;
        step = 1;
        break;
      }
    }
    float& value = cylinders[index / BinarySamples].Extra[index % BinarySamples];
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    bits += step;
    std::memcpy(&value, &bits, sizeof bits);
  }
  throw std::logic_error("cannot keep the item keys out of the binary tail");
}

}  // namespace voltansim
