#include "cli/ExhCommands.h"

#include <cmath>
#include <iterator>
#include <limits>
#include <span>

#include "adddata/AdditionalDataFile.h"
#include "cli/Arguments.h"
#include "cli/Json.h"
#include "cli/JsonReader.h"
#include "platform/TextEncoding.h"

namespace zephirax {

const char* const ExhUsage =
    "Usage: zephirax-cli exh show FILE --cyl N\n"
    "       zephirax-cli exh write OUT --cyl N   (the JSON of 'exh show' on stdin)\n"
    "N is the measurement's cylinder count, 1..20.\n";

namespace {

int BadArguments(std::ostream& err, const std::string& why) {
  return UsageError(err, why, ExhUsage);
}

// One walk over the fields in file order, shared by the JSON writer and reader.
template <class Data, class Visitor>
void VisitFields(Data& d, int cylCount, Visitor&& v) {
  const auto cyl = [cylCount](auto& array) { return std::span(array).subspan(1, cylCount); };
  const auto tc = [](auto& array) { return std::span(array).subspan(1, TcCount); };
  v("Texh", cyl(d.Texh));
  v("TcRpm", tc(d.TcRpm));
  v("FuelRack", cyl(d.FuelRack));
  v("Vit", cyl(d.Vit));
  v("TscavBefore", tc(d.TscavBefore));
  v("TscavAfter", tc(d.TscavAfter));
  v("PDiff", tc(d.PDiff));
  v.Text("ShipName", d.ShipName, MaxShipNameLength);
  v("EngineRoomTemp", d.EngineRoomTemp);
  v("RunningHours", d.RunningHours);
  v("ShaftPower", d.ShaftPower);
  v("Pitch", d.Pitch);
  v("ShaftGenPower", d.ShaftGenPower);
  v("McrPower", d.McrPower);
  v.Text("Comment", d.Comment, MaxCommentLength);
  v("TexhBeforeTc", tc(d.TexhBeforeTc));
  v("TexhAfterTc", tc(d.TexhAfterTc));
  v("Pbaro", d.Pbaro);
  v("FuelSpecGravity", d.FuelSpecGravity);
  v("FuelTemp", d.FuelTemp);
  v("FuelCalorific", d.FuelCalorific);
  v("FuelSulfur", d.FuelSulfur);
  v("FuelViscosity", d.FuelViscosity);
  v("EngineLoad", d.EngineLoad);
  v("FuelConsumption", d.FuelConsumption);
}

struct FieldWriter {
  std::string& out;
  bool first = true;

  void Key(const char* name) {
    json::AppendKey(out, name, first);
    first = false;
  }
  template <class T>
  void operator()(const char* name, std::span<const T> values) {
    Key(name);
    json::AppendArray(out, values, [](std::string& o, T value) { json::AppendNumber(o, value); });
  }
  template <class T>
  void operator()(const char* name, const T& value) {
    Key(name);
    json::AppendNumber(out, value);
  }
  void Text(const char* name, const std::string& cp1252, size_t) {
    Key(name);
    json::AppendString(out, Cp1252ToUtf8(cp1252));
  }
};

struct FieldReader {
  const json::Value& object;
  std::string& why;
  size_t seen = 0;

  const json::Value* Member(const char* name, json::Value::Kind kind) {
    const json::Value* member = object.Find(name);
    if (member == nullptr || member->Type != kind) {
      if (why.empty()) why = std::string("missing or mistyped member ") + name;
      return nullptr;
    }
    ++seen;
    return member;
  }
  bool Convert(const char* name, const json::Value& v, int32_t& value) {
    const double n = v.Number;
    if (v.Type != json::Value::Kind::Number || n != std::floor(n) || n < INT32_MIN ||
        n > INT32_MAX) {
      if (why.empty()) why = std::string(name) + " needs whole numbers of 32 bits";
      return false;
    }
    value = static_cast<int32_t>(n);
    return true;
  }
  bool Convert(const char* name, const json::Value& v, float& value) {
    if (v.Type != json::Value::Kind::Number ||
        std::fabs(v.Number) > std::numeric_limits<float>::max()) {
      if (why.empty()) why = std::string(name) + " needs numbers within single range";
      return false;
    }
    value = static_cast<float>(v.Number);
    return true;
  }
  template <class T>
  void operator()(const char* name, std::span<T> values) {
    const json::Value* member = Member(name, json::Value::Kind::Array);
    if (member == nullptr) return;
    if (member->Array.size() != values.size()) {
      if (why.empty()) {
        why = std::string(name) + " needs " + std::to_string(values.size()) + " values";
      }
      return;
    }
    for (size_t k = 0; k < values.size(); ++k) Convert(name, member->Array[k], values[k]);
  }
  template <class T>
  void operator()(const char* name, T& value) {
    const json::Value* member = Member(name, json::Value::Kind::Number);
    if (member != nullptr) Convert(name, *member, value);
  }
  void Text(const char* name, std::string& cp1252, size_t maxLength) {
    const json::Value* member = Member(name, json::Value::Kind::String);
    if (member == nullptr) return;
    cp1252 = Utf8ToCp1252(member->String);
    // Silently cutting or replacing characters would lose what the user wrote.
    if (why.empty() && Cp1252ToUtf8(cp1252) != member->String) {
      why = std::string(name) + " has characters outside the Windows Western character set";
    }
    if (why.empty() && cp1252.size() > maxLength) {
      why = std::string(name) + " holds at most " + std::to_string(maxLength) + " characters";
    }
  }
};

bool ParseArgs(const std::vector<std::string>& args, std::string& file, int& cylCount,
               std::ostream& err, int& status) {
  bool cylGiven = false;
  for (size_t k = 2; k < args.size(); ++k) {
    if (args[k] == "--cyl") {
      const std::string_view value = k + 1 < args.size() ? args[k + 1] : std::string_view();
      if (!WholeNumber(value, cylCount) || cylCount < 1 || cylCount > MaxCylinders) {
        status = BadArguments(err, "--cyl needs a cylinder count of 1..20");
        return false;
      }
      cylGiven = true;
      ++k;
    } else if (args[k].starts_with("--")) {
      status = BadArguments(err, "unknown option " + args[k]);
      return false;
    } else if (file.empty()) {
      file = args[k];
    } else {
      status = BadArguments(err, "exh " + args[1] + " takes one file name");
      return false;
    }
  }
  if (file.empty() || !cylGiven) {
    status = BadArguments(err, "exh " + args[1] + " needs a file name and --cyl N");
    return false;
  }
  return true;
}

}  // namespace

std::string AdditionalDataJson(const AdditionalData& data, int cylCount) {
  std::string out = "{";
  VisitFields(data, cylCount, FieldWriter{out});
  out.push_back('}');
  return out;
}

std::optional<AdditionalData> AdditionalDataFromJson(std::string_view text, int cylCount,
                                                     std::string& why) {
  why.clear();
  const std::optional<json::Value> document = json::ParseJson(text);
  if (!document || document->Type != json::Value::Kind::Object) {
    why = "the input is not one JSON object";
    return std::nullopt;
  }
  AdditionalData data;
  FieldReader reader{*document, why};
  VisitFields(data, cylCount, reader);
  if (why.empty() && reader.seen != document->Object.size()) {
    why = "the input has unknown or repeated members";
  }
  if (!why.empty()) return std::nullopt;
  return data;
}

int ExhCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err) {
  if (args.size() < 2 || (args[1] != "show" && args[1] != "write")) {
    return BadArguments(err, "exh needs show or write");
  }
  std::string file;
  int cylCount = 0;
  int status = 0;
  if (!ParseArgs(args, file, cylCount, err, status)) return status;

  if (args[1] == "show") {
    AdditionalData data;
    if (!ReadAdditionalData(data, file, cylCount)) {
      err << "zephirax-cli: could not read the additional-data file " << file << '\n';
      return 1;
    }
    out << AdditionalDataJson(data, cylCount) << '\n';
    return 0;
  }

  const std::string text(std::istreambuf_iterator<char>(in), {});
  std::string why;
  const std::optional<AdditionalData> data = AdditionalDataFromJson(text, cylCount, why);
  if (!data) {
    err << "zephirax-cli: " << why << '\n';
    return 1;
  }
  if (!WriteAdditionalData(*data, file, cylCount)) {
    err << "zephirax-cli: could not write " << file << '\n';
    return 1;
  }
  out << file << '\n';
  return 0;
}

}  // namespace zephirax
