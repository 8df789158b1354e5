#include "cli/DumpJson.h"

#include <vector>

#include "cli/Json.h"
#include "measurement/Evaluation.h"
#include "platform/TextEncoding.h"

namespace zephirax {

namespace {

using json::AppendKey;

// The numbers of the cylinders a measurement has: 1..CylCount.
std::vector<int> Cylinders(const MeasurementData& data) {
  std::vector<int> cylinders;
  for (int i = 1; i <= data.CylCount && i <= MaxCylinders; ++i) cylinders.push_back(i);
  return cylinders;
}

// A per-cylinder value as a JSON array over the measurement's cylinders.
template <class Fn>
void AppendPerCylinder(std::string& out, const MeasurementData& data, Fn valueOf) {
  json::AppendArray(out, Cylinders(data),
                    [&](std::string& o, int i) { json::AppendNumber(o, valueOf(i)); });
}

template <class T>
void AppendField(std::string& out, std::string_view name, const MeasurementData& data,
                 const PerCylinder<T>& values) {
  AppendKey(out, name);
  AppendPerCylinder(out, data, [&](int i) { return values[i]; });
}

void AppendCurve(std::string& out, const Curve& curve) {
  out.push_back('[');
  for (int s = 1; s <= SamplesPerCurve; ++s) {
    if (s > 1) out.push_back(',');
    json::AppendNumber(out, curve[s]);
  }
  out.push_back(']');
}

void AppendCurves(std::string& out, std::string_view name, const MeasurementData& data,
                  const PerCylinder<Curve>& curves) {
  AppendKey(out, name);
  json::AppendArray(out, Cylinders(data),
                    [&](std::string& o, int i) { AppendCurve(o, curves[i]); });
}

void AppendEvaluation(std::string& out, const MeasurementData& data) {
  std::vector<CylinderResult> values(MaxCylinders + 1);
  for (int i : Cylinders(data)) values[i] = CylinderValues(data, i);
  out.push_back('{');
  AppendKey(out, "pTDC", true);
  AppendPerCylinder(out, data, [&](int i) { return values[i].pTDC; });
  AppendKey(out, "pmax");
  AppendPerCylinder(out, data, [&](int i) { return values[i].pmax; });
  AppendKey(out, "apmax");
  AppendPerCylinder(out, data, [&](int i) { return values[i].apmax; });
  AppendKey(out, "pexp");
  AppendPerCylinder(out, data, [&](int i) { return values[i].pexp; });
  AppendKey(out, "IntegratedMip");
  AppendPerCylinder(out, data, [&](int i) {
    return IntegrateMip(data, i, static_cast<float>(data.Stroke), static_cast<float>(data.ConRod));
  });
  AppendKey(out, "IndicatedPower");
  AppendPerCylinder(out, data, [&](int i) {
    return IndicatedPower(data.StrokeCycle, data.CylRpm[i], data.CylMip[i],
                          static_cast<float>(data.Bore), static_cast<float>(data.Stroke));
  });
  AppendKey(out, "PmaxDeviationPercent");
  AppendPerCylinder(out, data, [&](int i) { return PmaxDeviationPercent(data, i); });
  AppendKey(out, "MipDeviationPercent");
  AppendPerCylinder(out, data, [&](int i) { return MipDeviationPercent(data, i); });
  out.push_back('}');
}

}  // namespace

std::string ReferenceJson(const ReferenceData& r, const MeasurementData& d) {
  std::vector<int> cylinders;
  for (int i = 1; i <= r.RefCylCount && i <= MaxCylinders; ++i) cylinders.push_back(i);
  std::string out = "{";
  auto perCylinder = [&](std::string_view name, const auto& values) {
    AppendKey(out, name);
    json::AppendArray(out, cylinders,
                      [&](std::string& o, int i) { json::AppendNumber(o, values[i]); });
  };
  AppendKey(out, "accepted", true);
  json::AppendBool(out, true);
  json::AppendMember(out, "RefCylCount", r.RefCylCount);
  perCylinder("RefCylRpm", r.RefCylRpm);
  perCylinder("RefCylMip", r.RefCylMip);
  perCylinder("RefCylPind", r.RefCylPind);
  AppendKey(out, "RefHasExtra");
  json::AppendBool(out, r.RefHasExtra);
  AppendKey(out, "RefExtraIsBinary");
  json::AppendBool(out, r.RefExtraIsBinary);
  AppendKey(out, "RefCurve");
  AppendCurve(out, r.RefCurve);
  if (r.RefHasExtra) {
    AppendKey(out, "RefExtraCurve");
    AppendCurve(out, r.RefExtraCurve);
  }
  AppendKey(out, "MeasDate");
  json::AppendString(out, Cp1252ToUtf8(d.MeasDate));
  AppendKey(out, "MeasTime");
  json::AppendString(out, Cp1252ToUtf8(d.MeasTime));
  json::AppendMember(out, "PressureAxisMax", d.PressureAxisMax);
  out.push_back('}');
  return out;
}

std::string MeasurementJson(const MeasurementData& d) {
  std::string out;
  out.reserve(64 * 1024);
  out.push_back('{');
  AppendKey(out, "accepted", true);
  json::AppendBool(out, true);
  AppendKey(out, "MeasDate");
  json::AppendString(out, Cp1252ToUtf8(d.MeasDate));
  AppendKey(out, "MeasTime");
  json::AppendString(out, Cp1252ToUtf8(d.MeasTime));
  const std::pair<const char*, int32_t> engine[] = {
      {"CylCount", d.CylCount}, {"StrokeCycle", d.StrokeCycle}, {"InLineEngine", d.InLineEngine}};
  for (const auto& [name, value] : engine) {
    AppendKey(out, name);
    json::AppendNumber(out, value);
  }
  json::AppendMember(out, "VAngle", d.VAngle);
  const std::pair<const char*, int32_t> geometry[] = {
      {"ConRod", d.ConRod}, {"Bore", d.Bore}, {"Stroke", d.Stroke}, {"TdcSensor", d.TdcSensor}};
  for (const auto& [name, value] : geometry) {
    AppendKey(out, name);
    json::AppendNumber(out, value);
  }
  json::AppendMember(out, "TdcCorrection", d.TdcCorrection);
  AppendField(out, "FiringOrder", d, d.FiringOrder);
  AppendField(out, "TdcDeviation", d, d.TdcDeviation);
  AppendField(out, "CylRpm", d, d.CylRpm);
  AppendField(out, "PmaxMean", d, d.PmaxMean);
  AppendField(out, "PmaxHigh", d, d.PmaxHigh);
  AppendField(out, "PmaxLow", d, d.PmaxLow);
  json::AppendMember(out, "EnginePmaxMean", d.EnginePmaxMean);
  json::AppendMember(out, "StrokeCount", d.StrokeCount);
  json::AppendMember(out, "PmaxDevLimit", d.PmaxDevLimit);
  json::AppendMember(out, "Pscav", d.Pscav);
  AppendKey(out, "StrokePmax");
  json::AppendArray(out, Cylinders(d), [&](std::string& o, int i) {
    o.push_back('[');
    for (int k = 1; k <= d.StrokeCount && k <= MaxStrokes; ++k) {
      if (k > 1) o.push_back(',');
      json::AppendNumber(o, d.StrokePmax[i][k]);
    }
    o.push_back(']');
  });
  AppendKey(out, "HasMipBlock");
  json::AppendBool(out, d.HasMipBlock);
  AppendField(out, "CylMip", d, d.CylMip);
  AppendField(out, "CylPind", d, d.CylPind);
  AppendField(out, "TdcShift", d, d.TdcShift);
  AppendKey(out, "HasExtraChannel");
  json::AppendBool(out, d.HasExtraChannel);
  AppendKey(out, "ExtraIsAcl");
  json::AppendBool(out, d.ExtraIsAcl);
  AppendKey(out, "ExtraIsBinary");
  json::AppendBool(out, d.ExtraIsBinary);
  json::AppendMember(out, "ExtraAxisMax", d.ExtraAxisMax);
  json::AppendMember(out, "AclAmplitude", d.AclAmplitude);
  json::AppendMember(out, "PressureAxisMax", d.PressureAxisMax);
  AppendCurves(out, "PressureCurve", d, d.PressureCurve);
  if (d.HasExtraChannel) AppendCurves(out, "ExtraCurve", d, d.ExtraCurve);
  AppendKey(out, "Evaluation");
  AppendEvaluation(out, d);
  out.push_back('}');
  return out;
}

}  // namespace zephirax
