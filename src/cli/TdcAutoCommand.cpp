#include "cli/TdcAutoCommand.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <filesystem>
#include <memory>
#include <optional>

#include "analysis/TdcCorrection.h"
#include "analysis/TdcSave.h"
#include "app/AppState.h"
#include "app/Config.h"
#include "app/LoadMessages.h"
#include "app/TdcHandlers.h"
#include "app/ViewDispatch.h"
#include "cli/ApplicationScope.h"
#include "cli/Arguments.h"
#include "cli/ConsoleUserInterface.h"
#include "cli/Json.h"
#include "platform/LangText.h"
#include "platform/Paths.h"
#include "platform/QtCanvas.h"

namespace zephirax {

const char* const TdcAutoUsage =
    "Usage: zephirax-cli tdc-auto FILE OUT [--size WxH] [--ref R] [--marker-offset N]\n"
    "                   [--marker-slope S] [--pressure bar|MPa|psi] [--manual CYL]\n"
    "Runs Auto TDC correct on FILE in view 15 (with --manual CYL: view 19, cylinder CYL\n"
    "against reference cylinder R), drawing every step at WxH (default 1280x800), and\n"
    "saves the corrected copy as OUT (.KV appended unless OUT ends in it), with the\n"
    ".EXH beside FILE copied beside OUT. Prints {\"DevFromTdc\", \"TdcShift\", \"CylMip\",\n"
    "\"CylPind\"}; DevFromTdc (view 15 only) is read before the correction.\n";

namespace {

constexpr int MaxSide = 10000;

struct TdcAutoOptions {
  std::string File;
  std::string Out;
  int Width = 1280;
  int Height = 800;
  int RefCylinder = 1;
  std::optional<int> Manual;
  std::optional<int> MarkerOffset;
  std::optional<int> MarkerSlope;
  std::optional<int> PressureUnit;
};

int BadArguments(std::ostream& err, const std::string& why) {
  return UsageError(err, why, TdcAutoUsage);
}

// An empty text when the arguments are usable, else what is wrong.
std::string Parse(const std::vector<std::string>& args, TdcAutoOptions& o) {
  std::vector<std::string> positional;
  for (size_t k = 1; k < args.size(); ++k) {
    const std::string& arg = args[k];
    if (arg.rfind("--", 0) != 0) {
      positional.push_back(arg);
      continue;
    }
    if (k + 1 >= args.size()) return arg + " needs a value";
    const std::string& value = args[++k];
    int number = 0;
    if (arg == "--size") {
      if (!ParseSize(value, o.Width, o.Height, MaxSide))
        return "--size needs WxH, each 1.." + std::to_string(MaxSide);
    } else if (arg == "--ref") {
      if (!WholeNumber(value, o.RefCylinder)) return "--ref needs a cylinder number";
    } else if (arg == "--manual") {
      if (!WholeNumber(value, number)) return "--manual needs a cylinder number";
      o.Manual = number;
    } else if (arg == "--marker-offset") {
      if (!WholeNumber(value, number) || number < -200 || number > 1040)
        return "--marker-offset must be -200..1040";
      o.MarkerOffset = number;
    } else if (arg == "--marker-slope") {
      if (!WholeNumber(value, number) || number < -120 || number > 120)
        return "--marker-slope must be -120..120";
      o.MarkerSlope = number;
    } else if (arg == "--pressure") {
      const int unit = Choice(value, {"bar", "MPa", "psi"});
      if (unit < 0) return "unknown value '" + value + "' for --pressure";
      o.PressureUnit = unit;
    } else {
      return "unknown option " + arg;
    }
  }
  if (positional.size() != 2) return "tdc-auto takes FILE and OUT";
  o.File = positional[0];
  o.Out = positional[1];
  return {};
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);
}

}  // namespace

int TdcAutoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  TdcAutoOptions o;
  if (const std::string why = Parse(args, o); !why.empty()) return BadArguments(err, why);
  const std::string saveName = TdcSaveName(o.Out);
  if (SameFile(o.File, saveName)) {
    err << "zephirax-cli: " << saveName << " is FILE itself; tdc-auto never changes FILE\n";
    return 2;
  }

  ApplicationScope gui(true);
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    err << "zephirax-cli: drawing needs a GUI application\n";
    return 1;
  }
  auto state = std::make_unique<AppState>();
  ReadConfig(state->Config, AppDataDir());
  if (o.PressureUnit) state->Config.PressureUnit = *o.PressureUnit;

  const int view = o.Manual ? ViewTdcManual : ViewTdcAuto;
  PrepareTdcState(*state, view);
  LoadResult fault;
  ConsoleUserInterface ui(err);
  switch (ReadTdcFile(*state, o.File, fault)) {
    case TdcLoad::Rejected:
      ShowLoadFault(ui, English, *fault.Fault, o.File, false);
      return 1;
    case TdcLoad::NoCrankAngle:
      err << "zephirax-cli: " << o.File
          << " has no crank-angle curves (no MIP item); it cannot be TDC-corrected\n";
      return 1;
    case TdcLoad::Loaded:
      break;
  }
  MeasurementData& data = *state->Files.Measurement;
  const auto cylinderOk = [&](int c) { return c >= 1 && c <= data.CylCount; };
  const std::string range = "1.." + std::to_string(data.CylCount);
  if (!cylinderOk(o.RefCylinder)) return BadArguments(err, "--ref must be " + range);
  if (o.Manual && !cylinderOk(*o.Manual)) return BadArguments(err, "--manual must be " + range);
  ViewState& v = state->View;
  v.RefCylinder = o.RefCylinder;
  v.CurrentCylinder = o.Manual ? *o.Manual : o.RefCylinder;
  if (o.MarkerOffset) v.Tdc.MarkerOffset = *o.MarkerOffset;
  if (o.MarkerSlope) v.Tdc.MarkerSlope = *o.MarkerSlope;
  state->Drawing.ControlWidth = o.Width;
  state->Drawing.ControlHeight = o.Height;

  // The same drawing as the window's, so that DevFromTdc is the one the user
  // would read, and every step is drawn as the button draws it.
  QtCanvas canvas;
  const auto redraw = [&] { ShowView(*state, canvas, v.CurrentView); };
  redraw();
  const float devFromTdc = state->Drawing.DevFromTdc;
  AutoTdcCorrect(data, v, devFromTdc, redraw);

  const TdcSaveResult saved = SaveTdcFile(data, o.File, o.Out, ExhToFollow(o.File));
  if (!saved.Write) {
    err << "zephirax-cli: " << saved.SavedName << " could not be written\n";
    return 1;
  }
  if (saved.ExhFailed) {
    err << "zephirax-cli: " << saved.SavedName << " was written, its additional data "
        << saved.ExhName << " were not\n";
    return 1;
  }

  std::string json = "{";
  bool first = true;
  if (view == ViewTdcAuto) {
    json::AppendMember(json, "DevFromTdc", devFromTdc, true);
    first = false;
  }
  const auto cylinders = [&](auto field, auto& values) {
    json::AppendKey(json, field, first);
    first = false;
    std::vector<std::decay_t<decltype(values[1])>> list(values.begin() + 1,
                                                        values.begin() + 1 + data.CylCount);
    json::AppendArray(json, list,
                      [](std::string& to, auto value) { json::AppendNumber(to, value); });
  };
  cylinders("TdcShift", data.TdcShift);
  cylinders("CylMip", data.CylMip);
  cylinders("CylPind", data.CylPind);
  json += "}";
  out << json << '\n';
  return 0;
}

}  // namespace zephirax
