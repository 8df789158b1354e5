#include "cli/SetupCommands.h"
#include "cli/Arguments.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <iterator>

#include "cli/Json.h"
#include "cli/JsonReader.h"
#include "platform/LangText.h"

namespace zephirax {

const char* const SetupUsage =
    "Usage: zephirax-cli setup new OUT\n"
    "       zephirax-cli setup show FILE\n"
    "       zephirax-cli setup write OUT   (setup JSON on stdin)\n"
    "       zephirax-cli setup frame FILE  (the line frame's bytes on stdout)\n"
    "       zephirax-cli setup auto FILE OUT\n";

namespace {

int BadArguments(std::ostream& err, const std::string& why) {
  return UsageError(err, why, SetupUsage);
}

std::optional<EngineSetup> LoadOrComplain(const std::string& fileName, std::ostream& err) {
  std::optional<EngineSetup> setup = ParseSetupFile(fileName);
  if (!setup) err << "zephirax-cli: " << fileName << ": " << NotSetupFileText(English) << '\n';
  return setup;
}

int WriteOrComplain(EngineSetup& setup, const std::string& fileName, std::ostream& err) {
  if (!WriteSetupFile(setup, fileName)) {
    err << "zephirax-cli: could not write " << fileName << '\n';
    return 1;
  }
  return 0;
}

bool WholeNumber(const json::Value& value, int32_t& result) {
  if (value.Type != json::Value::Kind::Number) return false;
  const double number = value.Number;
  if (number != std::floor(number) || number < -2147483648.0 || number > 2147483647.0) {
    return false;
  }
  result = static_cast<int32_t>(number);
  return true;
}

bool RealNumber(const json::Value& value, double& result) {
  if (value.Type != json::Value::Kind::Number) return false;
  result = value.Number;
  return true;
}

}  // namespace

std::string EngineSetupJson(const EngineSetup& setup) {
  using namespace json;
  const int count = setup.CylCount < 0 ? 0 : std::min<int>(setup.CylCount, MaxCylinders);
  std::string out = "{";
  AppendMember(out, "CylCount", setup.CylCount, true);
  AppendMember(out, "StrokeCount", setup.StrokeCount);
  AppendMember(out, "StrokeCycle", setup.StrokeCycle);
  AppendMember(out, "TdcSensor", setup.TdcSensor);
  AppendMember(out, "InLineEngine", setup.InLineEngine);
  AppendMember(out, "TdcCorrection", setup.TdcCorrection);
  AppendKey(out, "FiringOrder");
  out.push_back('[');
  for (int p = 1; p <= count; ++p) {
    if (p > 1) out.push_back(',');
    AppendNumber(out, setup.FiringOrder[p]);
  }
  out.push_back(']');
  AppendMember(out, "VAngle", setup.VAngle);
  AppendMember(out, "Bore", setup.Bore);
  AppendMember(out, "Stroke", setup.Stroke);
  AppendMember(out, "ConRod", setup.ConRod);
  AppendKey(out, "TdcDeviation");
  out.push_back('[');
  for (int c = 1; c <= count; ++c) {
    if (c > 1) out.push_back(',');
    AppendNumber(out, setup.TdcDeviation[c]);
  }
  out.push_back(']');
  AppendMember(out, "Pscav", setup.Pscav);
  AppendMember(out, "PmaxDevLimit", setup.PmaxDevLimit);
  AppendMember(out, "KmSensor", setup.KmSensor);
  AppendMember(out, "FuelAclSensor", setup.FuelAclSensor);
  AppendMember(out, "AverageCurve", setup.AverageCurve);
  out.push_back('}');
  return out;
}

std::optional<EngineSetup> EngineSetupFromJson(std::string_view text, std::string& why) {
  const std::optional<json::Value> root = json::ParseJson(text);
  if (!root || root->Type != json::Value::Kind::Object) {
    why = "the input is not a JSON object";
    return std::nullopt;
  }
  EngineSetup setup;
  NewSetupDefaults(setup);
  struct IntField {
    const char* Name;
    int32_t* Target;
  };
  struct RealField {
    const char* Name;
    double* Target;
  };
  const IntField ints[] = {
      {"CylCount", &setup.CylCount},
      {"StrokeCount", &setup.StrokeCount},
      {"StrokeCycle", &setup.StrokeCycle},
      {"TdcSensor", &setup.TdcSensor},
      {"InLineEngine", &setup.InLineEngine},
      {"Bore", &setup.Bore},
      {"Stroke", &setup.Stroke},
      {"ConRod", &setup.ConRod},
      {"KmSensor", &setup.KmSensor},
      {"FuelAclSensor", &setup.FuelAclSensor},
      {"AverageCurve", &setup.AverageCurve},
  };
  const RealField reals[] = {
      {"TdcCorrection", &setup.TdcCorrection},
      {"VAngle", &setup.VAngle},
      {"Pscav", &setup.Pscav},
      {"PmaxDevLimit", &setup.PmaxDevLimit},
  };
  // Every member must be known and each must appear once: with all of them
  // present, the member count rules out duplicates.
  constexpr size_t memberCount = std::size(ints) + std::size(reals) + 2;
  if (root->Object.size() != memberCount) {
    why = "the object must have exactly the " + std::to_string(memberCount) + " setup fields";
    return std::nullopt;
  }
  for (const IntField& field : ints) {
    const json::Value* value = root->Find(field.Name);
    if (value == nullptr || !WholeNumber(*value, *field.Target)) {
      why = std::string(field.Name) + " must be a whole number";
      return std::nullopt;
    }
  }
  for (const RealField& field : reals) {
    const json::Value* value = root->Find(field.Name);
    if (value == nullptr || !RealNumber(*value, *field.Target)) {
      why = std::string(field.Name) + " must be a number";
      return std::nullopt;
    }
  }
  if (setup.CylCount < 1 || setup.CylCount > MaxCylinders) {
    why = "CylCount must lie in 1..20";
    return std::nullopt;
  }
  if (setup.StrokeCount < 1 || setup.StrokeCount > MaxStrokes) {
    why = "StrokeCount must lie in 1..30";
    return std::nullopt;
  }
  for (int32_t digit : {setup.StrokeCycle, setup.TdcSensor, setup.InLineEngine, setup.KmSensor}) {
    if (digit < 0 || digit > 9) {
      why = "StrokeCycle, TdcSensor, InLineEngine and KmSensor must be single digits";
      return std::nullopt;
    }
  }
  if ((setup.FuelAclSensor != -1 && setup.FuelAclSensor != 0) ||
      (setup.AverageCurve != -1 && setup.AverageCurve != 0)) {
    why = "FuelAclSensor and AverageCurve must be -1 or 0";
    return std::nullopt;
  }
  const json::Value* firing = root->Find("FiringOrder");
  const json::Value* deviation = root->Find("TdcDeviation");
  const size_t count = static_cast<size_t>(setup.CylCount);
  if (firing == nullptr || firing->Type != json::Value::Kind::Array ||
      firing->Array.size() != count || deviation == nullptr ||
      deviation->Type != json::Value::Kind::Array || deviation->Array.size() != count) {
    why = "FiringOrder and TdcDeviation must be arrays of CylCount numbers";
    return std::nullopt;
  }
  for (size_t i = 0; i < count; ++i) {
    if (!WholeNumber(firing->Array[i], setup.FiringOrder[i + 1]) ||
        !RealNumber(deviation->Array[i], setup.TdcDeviation[i + 1])) {
      why = "FiringOrder must hold whole numbers and TdcDeviation numbers";
      return std::nullopt;
    }
  }
  return setup;
}

int SetupCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err) {
  if (args.size() < 2 || args[0] != "setup") return BadArguments(err, "setup needs a subcommand");
  const std::string& sub = args[1];
  const size_t operands = args.size() - 2;
  if (sub == "new") {
    if (operands != 1) return BadArguments(err, "setup new takes one output file");
    EngineSetup setup;
    NewSetupDefaults(setup);
    return WriteOrComplain(setup, args[2], err);
  }
  if (sub == "show" || sub == "frame") {
    if (operands != 1) return BadArguments(err, "setup " + sub + " takes one setup file");
    const std::optional<EngineSetup> setup = LoadOrComplain(args[2], err);
    if (!setup) return 1;
    if (sub == "show") {
      out << EngineSetupJson(*setup) << '\n';
    } else {
      // A setup that was read holds counts the frame can carry.
      const std::optional<std::string> frame = SetupFrame(*setup, FrameUse::Line);
      if (!frame) {
        err << "zephirax-cli: " << args[2] << ": " << NotSetupFileText(English) << '\n';
        return 1;
      }
      out.write(frame->data(), static_cast<std::streamsize>(frame->size()));
    }
    return 0;
  }
  if (sub == "write") {
    if (operands != 1) return BadArguments(err, "setup write takes one output file");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string why;
    std::optional<EngineSetup> setup = EngineSetupFromJson(text, why);
    if (!setup) {
      err << "zephirax-cli: " << why << '\n';
      return 1;
    }
    return WriteOrComplain(*setup, args[2], err);
  }
  if (sub == "auto") {
    if (operands != 2) return BadArguments(err, "setup auto takes a setup file and an output file");
    std::optional<EngineSetup> setup = LoadOrComplain(args[2], err);
    if (!setup) return 1;
    AutoTdcDeviations(*setup);
    return WriteOrComplain(*setup, args[3], err);
  }
  return BadArguments(err, "unknown setup subcommand '" + sub + "'");
}

int SetupCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return SetupCommand(args, std::cin, out, err);
}

}  // namespace zephirax
