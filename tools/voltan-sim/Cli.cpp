#include "voltan-sim/Cli.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string_view>
#include <system_error>

#include "voltan-sim/DeviceCommands.h"
#include "voltan-sim/Generator.h"

namespace voltansim {

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

constexpr std::string_view MainUsage =
    "Usage: voltan-sim <command> [options]\n"
    "\n"
    "Plays the VOLTAN cylinder-pressure indicator for testing ZEPHIRAX.\n"
    "\n"
    "Commands:\n"
    "  generate   write a measurement file with simulated curves\n"
    "  device     send a measurement or receive a setup over a serial line\n"
    "  pty        open two linked pseudo-terminals to run the device on\n"
    "  help       show this text, or a command's options: voltan-sim help generate\n";

constexpr std::string_view GenerateUsage =
    "Usage: voltan-sim generate -o FILE [options]\n"
    "\n"
    "Writes a measurement file as the device stores it, with cylinder-pressure\n"
    "curves from an engine model. The same options and seed give the same bytes.\n"
    "\n"
    "  -o, --output FILE   file to write; replaced only when complete\n"
    "  --cylinders N       number of cylinders, 1..20 (6)\n"
    "  --strokes N         recorded work strokes per cylinder, 1..30 (10)\n"
    "  --cycle 2|4         two-stroke or four-stroke engine (2); chooses the engine\n"
    "                      defaults below\n"
    "  --v-engine ANGLE    V engine with this bank angle [deg] (in-line)\n"
    "  --layout L          curve layout: 1440, 360, 180lines or 180rows (1440)\n"
    "  --no-version        with --layout 360: leave out the VERSION item\n"
    "  --extra E           second channel: none, fuel, fuel-binary or acl (none)\n"
    "  --shift             add TDC shifts (a SHIFT item)\n"
    "  --seed N            random seed (1)\n"
    "  --rpm X             engine speed [1/min] (two-stroke 102, four-stroke 750)\n"
    "  --bore N            bore [mm] (500 / 320)\n"
    "  --stroke N          stroke [mm] (2000 / 400)\n"
    "  --conrod N          connecting rod [mm] (2000 / 800)\n"
    "  --pscav X           scavenging air pressure [bar] (2.0 / 2.8)\n"
    "  --pmax X            mean peak pressure to aim at [bar] (140 / 190)\n"
    "  --date TEXT         measurement date, 10 characters (06.12.2026)\n"
    "  --time TEXT         measurement time, 5 characters (14:32)\n";

struct UsageError {
  std::string Text;
};

template <class T>
T ParseNumber(const std::string& option, const std::string& text) {
  T value{};
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc() || result.ptr != end)
    throw UsageError{option + ": not a number: '" + text + "'"};
  return value;
}

// Splits "--name=value" and "--name value"; flags take no value.
class ArgumentList {
 public:
  explicit ArgumentList(const std::vector<std::string>& args) : args_(args) {}

  bool Next(std::string& name, std::optional<std::string>& inlineValue) {
    if (index_ >= args_.size()) return false;
    name = args_[index_++];
    inlineValue.reset();
    const size_t equals = name.find('=');
    if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
      inlineValue = name.substr(equals + 1);
      name.erase(equals);
    }
    return true;
  }

  std::string Value(const std::string& name, std::optional<std::string>& inlineValue) {
    if (inlineValue) return *inlineValue;
    if (index_ >= args_.size()) throw UsageError{name + " needs a value"};
    return args_[index_++];
  }

 private:
  const std::vector<std::string>& args_;
  size_t index_ = 0;
};

int Generate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  // The stroke cycle picks the engine, whose defaults the other options then
  // change, so it is looked up first wherever it stands.
  int cycle = 2;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--cycle" && i + 1 < args.size())
      cycle = ParseNumber<int>("--cycle", args[i + 1]);
    if (args[i].rfind("--cycle=", 0) == 0) cycle = ParseNumber<int>("--cycle", args[i].substr(8));
  }
  if (cycle != 2 && cycle != 4) throw UsageError{"--cycle must be 2 or 4"};
  GeneratorOptions options = EngineDefaults(cycle);

  std::string output;
  bool noVersion = false;
  ArgumentList list(args);
  std::string name;
  std::optional<std::string> inlineValue;
  while (list.Next(name, inlineValue)) {
    auto value = [&] { return list.Value(name, inlineValue); };
    auto integer = [&] { return ParseNumber<int>(name, value()); };
    auto number = [&] { return ParseNumber<double>(name, value()); };
    const bool isFlag =
        name == "--shift" || name == "--no-version" || name == "--help" || name == "-h";
    if (isFlag && inlineValue) throw UsageError{name + " takes no value"};

    if (name == "--help" || name == "-h") {
      out << GenerateUsage;
      return ExitOk;
    } else if (name == "-o" || name == "--output") {
      output = value();
    } else if (name == "--cylinders") {
      options.Cylinders = integer();
    } else if (name == "--strokes") {
      options.Strokes = integer();
    } else if (name == "--cycle") {
      value();  // taken above
    } else if (name == "--v-engine") {
      options.InLine = false;
      options.VAngle = number();
    } else if (name == "--layout") {
      const std::string layout = value();
      static const std::map<std::string, CurveLayout> layouts = {
          {"1440", CurveLayout::Rows1440},
          {"360", CurveLayout::Rows360},
          {"180lines", CurveLayout::Lines180},
          {"180rows", CurveLayout::Rows180}};
      const auto found = layouts.find(layout);
      if (found == layouts.end())
        throw UsageError{"--layout must be 1440, 360, 180lines or 180rows, not '" + layout + "'"};
      options.Layout = found->second;
    } else if (name == "--no-version") {
      noVersion = true;
    } else if (name == "--extra") {
      const std::string extra = value();
      static const std::map<std::string, SecondChannel> extras = {
          {"none", SecondChannel::None},
          {"fuel", SecondChannel::Fuel},
          {"fuel-binary", SecondChannel::FuelBinary},
          {"acl", SecondChannel::AclBinary}};
      const auto found = extras.find(extra);
      if (found == extras.end())
        throw UsageError{"--extra must be none, fuel, fuel-binary or acl, not '" + extra + "'"};
      options.Extra = found->second;
    } else if (name == "--shift") {
      options.WithShift = true;
    } else if (name == "--seed") {
      options.Seed = ParseNumber<unsigned>(name, value());
    } else if (name == "--rpm") {
      options.Rpm = number();
    } else if (name == "--bore") {
      options.Bore = integer();
    } else if (name == "--stroke") {
      options.Stroke = integer();
    } else if (name == "--conrod") {
      options.ConRod = integer();
    } else if (name == "--pscav") {
      options.Pscav = number();
    } else if (name == "--pmax") {
      options.PmaxTarget = number();
    } else if (name == "--date") {
      options.Date = value();
    } else if (name == "--time") {
      options.Time = value();
    } else {
      throw UsageError{"unknown option '" + name + "'"};
    }
  }
  if (output.empty()) throw UsageError{"no output file given (-o FILE)"};
  if (noVersion) {
    if (options.Layout != CurveLayout::Rows360)
      throw UsageError{"--no-version goes only with --layout 360"};
    options.WithVersion = false;
  }
  if (std::string problem = CheckOptions(options); !problem.empty()) throw UsageError{problem};

  const std::string error = WriteFileAtomically(output, GenerateMeasurement(options));
  if (!error.empty()) {
    err << "voltan-sim generate: " << error << "\n";
    return ExitFailed;
  }
  return ExitOk;
}

using Command = std::function<int(const std::vector<std::string>&, std::ostream&, std::ostream&)>;

const std::map<std::string, std::pair<Command, std::string_view>>& Commands() {
  static const std::map<std::string, std::pair<Command, std::string_view>> commands = {
      {"generate", {Generate, GenerateUsage}},
      {"device", {DeviceCommand, DeviceUsage}},
      {"pty", {PtyCommand, PtyUsage}},
  };
  return commands;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << MainUsage;
    return ExitUsage;
  }
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    if (command == "help" && args.size() > 1) {
      const auto found = Commands().find(args[1]);
      if (found == Commands().end()) {
        err << "voltan-sim: unknown command '" << args[1] << "'\n\n" << MainUsage;
        return ExitUsage;
      }
      out << found->second.second;
      return ExitOk;
    }
    out << MainUsage;
    return ExitOk;
  }
  const auto found = Commands().find(command);
  if (found == Commands().end()) {
    err << "voltan-sim: unknown command '" << command << "'\n\n" << MainUsage;
    return ExitUsage;
  }
  try {
    return found->second.first(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
  } catch (const UsageError& e) {
    const std::string_view usage = found->second.second;
    err << "voltan-sim " << command << ": " << e.Text << "\n"
        << usage.substr(0, usage.find('\n') + 1) << "Run 'voltan-sim help " << command
        << "' for the options.\n";
    return ExitUsage;
  }
}

std::string WriteFileAtomically(const std::string& fileName, const std::string& bytes) {
  namespace fs = std::filesystem;
  const fs::path target(fileName);
  std::random_device entropy;
  const fs::path temporary = target.string() + ".tmp" + std::to_string(entropy() % 1000000);
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file) return "cannot write " + temporary.string();
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      return "cannot write " + temporary.string();
    }
  }
  std::error_code error;
  fs::rename(temporary, target, error);
  if (error) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return "cannot replace " + fileName + ": " + error.message();
  }
  return {};
}

}  // namespace voltansim
