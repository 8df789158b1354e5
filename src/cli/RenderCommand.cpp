#include "cli/RenderCommand.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <memory>
#include <optional>
#include <string_view>

#include "app/AnalysisHandlers.h"
#include "app/AppState.h"
#include "app/Config.h"
#include "app/LoadMessages.h"
#include "app/TdcHandlers.h"
#include "app/ViewDispatch.h"
#include "cli/ApplicationScope.h"
#include "cli/Arguments.h"
#include "cli/CanvasLog.h"
#include "cli/ConsoleUserInterface.h"
#include "platform/AtomicFile.h"
#include "platform/LangText.h"
#include "platform/Paths.h"
#include "platform/QtCanvas.h"
#include "platform/QtNumberFormat.h"
#include "platform/RecordingCanvas.h"

namespace zephirax {

const char* const RenderUsage =
    "Usage: zephirax-cli render FILE --view 0..20 -o OUT.png [--size WxH] [--cyl N]\n"
    "                   [--ref REFFILE [--refcyl N]] [--exh EXHFILE] [--cursor K]\n"
    "                   [--cursor-off] [--zoom] [--dpda] [--filter] [--reffilter]\n"
    "                   [--fuel | --acl] [--lang de|en|fr|es] [--pressure bar|MPa|psi]\n"
    "                   [--power kW|hp] [--temp C|F] [--canvas-log LOG]\n"
    "                   [--marker-offset N] [--marker-slope S] (views 15 and 19)\n"
    "Views: 0 p/alpha single, 1 p/alpha all, 2 p/V single, 3 p/V all, 4 pmax single,\n"
    "       5 pmax mean, 6 pmax deviation, 7 MIP, 8 MIP deviation, 9 Pind,\n"
    "       10 Pind deviation, 11 engine table, 12 rpm, 13 pmax all strokes,\n"
    "       14 p/alpha with reference, 16 p/alpha 3D, 17 texh, 18 texh deviation,\n"
    "       15 TDC correction automatic, 19 TDC correction manual (--refcyl picks the\n"
    "       reference cylinder of FILE, --cyl the current one), 20 engine table page 2\n";

namespace {

constexpr int DefaultWidth = 1280;
constexpr int DefaultHeight = 800;
constexpr int MaxSide = 10000;

int BadArguments(std::ostream& err, const std::string& why) {
  return UsageError(err, why, RenderUsage);
}

struct RenderOptions {
  std::string File;
  std::string Out;
  std::string RefFile;
  std::string LogFile;
  std::string ExhFile;
  int View = -1;
  int Width = DefaultWidth;
  int Height = DefaultHeight;
  std::optional<int> Cylinder;
  std::optional<int> RefCylinder;
  std::optional<int> Cursor;
  std::optional<int> Language;
  std::optional<int> PressureUnit;
  std::optional<int> PowerUnit;
  std::optional<int> TempUnit;
  std::optional<int> MarkerOffset;
  std::optional<int> MarkerSlope;
  bool Zoom = false, DpDa = false, Filter = false, RefFilter = false;
  bool Fuel = false, Acl = false, CursorOff = false;
};

std::string Unknown(const std::string& option, const std::string& value) {
  return "unknown value '" + value + "' for " + option;
}

// Fills `options`; an empty answer means the arguments are fine, otherwise it
// says what is wrong.
std::string ParseArguments(const std::vector<std::string>& args, RenderOptions& options) {
  for (size_t k = 1; k < args.size(); ++k) {
    const std::string& arg = args[k];
    if (arg == "--zoom") {
      options.Zoom = true;
    } else if (arg == "--dpda") {
      options.DpDa = true;
    } else if (arg == "--filter") {
      options.Filter = true;
    } else if (arg == "--reffilter") {
      options.RefFilter = true;
    } else if (arg == "--fuel") {
      options.Fuel = true;
    } else if (arg == "--acl") {
      options.Acl = true;
    } else if (arg == "--cursor-off") {
      options.CursorOff = true;
    } else if (arg == "--view" || arg == "-o" || arg == "--size" || arg == "--cyl" ||
               arg == "--ref" || arg == "--refcyl" || arg == "--cursor" || arg == "--lang" ||
               arg == "--pressure" || arg == "--power" || arg == "--temp" ||
               arg == "--canvas-log" || arg == "--exh" || arg == "--marker-offset" ||
               arg == "--marker-slope") {
      if (k + 1 >= args.size()) return arg + " needs a value";
      const std::string& value = args[++k];
      int number = 0;
      if (arg == "-o") {
        options.Out = value;
      } else if (arg == "--ref") {
        options.RefFile = value;
      } else if (arg == "--canvas-log") {
        options.LogFile = value;
      } else if (arg == "--exh") {
        options.ExhFile = value;
      } else if (arg == "--size") {
        if (!ParseSize(value, options.Width, options.Height, MaxSide)) {
          return "--size needs WxH with both sides in 1.." + std::to_string(MaxSide);
        }
      } else if (arg == "--lang") {
        if (!SetChoice(value, {"de", "en", "fr", "es"}, options.Language))
          return Unknown(arg, value);
      } else if (arg == "--pressure") {
        if (!SetChoice(value, {"bar", "MPa", "psi"}, options.PressureUnit)) {
          return Unknown(arg, value);
        }
      } else if (arg == "--power") {
        if (!SetChoice(value, {"kW", "hp"}, options.PowerUnit)) return Unknown(arg, value);
      } else if (arg == "--temp") {
        if (!SetChoice(value, {"C", "F"}, options.TempUnit)) return Unknown(arg, value);
      } else if (!WholeNumber(value, number)) {
        return "'" + value + "' is not a whole number for " + arg;
      } else if (arg == "--view") {
        options.View = number;
      } else if (arg == "--cyl") {
        options.Cylinder = number;
      } else if (arg == "--refcyl") {
        options.RefCylinder = number;
      } else if (arg == "--marker-offset") {
        if (number < -200 || number > 1040) return "--marker-offset must be -200..1040";
        options.MarkerOffset = number;
      } else if (arg == "--marker-slope") {
        if (number < -120 || number > 120) return "--marker-slope must be -120..120";
        options.MarkerSlope = number;
      } else {
        options.Cursor = number;
      }
    } else if (arg.starts_with("-") && arg != "-") {
      return "unknown option " + arg;
    } else if (options.File.empty()) {
      options.File = arg;
    } else {
      return "render takes one measurement file";
    }
  }
  if (options.File.empty()) return "render needs a measurement file";
  if (options.Out.empty()) return "render needs -o OUT.png";
  if (options.View < 0) return "render needs --view 0..20";
  if (options.View > ViewEngineTable2) {
    return "view " + std::to_string(options.View) + " does not exist; use 0..20";
  }
  if (options.View == ViewPAlphaRef && options.RefFile.empty()) {
    return "view 14 needs --ref REFFILE";
  }
  const bool tdc = IsTdcView(options.View);
  if (tdc && !options.RefFile.empty()) {
    return "the TDC views take their reference from FILE itself: use --refcyl N";
  }
  if (!tdc && (options.MarkerOffset || options.MarkerSlope)) {
    return "--marker-offset and --marker-slope belong to the TDC views 15 and 19";
  }
  if (!tdc && options.RefCylinder && options.RefFile.empty()) {
    return "--refcyl needs --ref REFFILE";
  }
  if (options.Fuel && options.Acl) return "--fuel and --acl exclude each other";
  return {};
}

// The window's toggle handlers, so that a flag does what its button does
// (zoom needs the MIP item, fuel and ACL a second channel); a flag the
// measurement cannot honour is reported and left off.
void ApplyToggles(AppState& state, const RenderOptions& options, std::ostream& err) {
  ViewState& view = state.View;
  if (options.Zoom) {
    ToggleZoom(state);
    if (!view.ZoomOn) err << "zephirax-cli: the measurement has no MIP item; --zoom ignored\n";
  }
  if (options.DpDa) ToggleDpDa(state);
  if (options.Filter) ToggleFilter(state);
  if (options.RefFilter) ToggleRefFilter(state);
  if (options.Fuel) {
    ToggleFuel(state);
    if (!view.FuelOn)
      err << "zephirax-cli: the measurement has no second channel; --fuel ignored\n";
  }
  if (options.Acl) {
    ToggleAcl(state);
    if (!view.AclOn) err << "zephirax-cli: the measurement has no second channel; --acl ignored\n";
  }
  if (options.CursorOff) ToggleCursor(state);
  if (options.Cursor) view.CursorPos = *options.Cursor;
}

bool WritePng(const QImage& image, const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return false;
  return ReplaceFileAtomically(path, std::string_view(bytes.constData(), bytes.size()));
}

// Draws the view at the requested size and writes the picture and the log.
int DrawAndWrite(AppState& state, const RenderOptions& options, std::ostream& out,
                 std::ostream& err) {
  state.Drawing.ControlWidth = options.Width;
  state.Drawing.ControlHeight = options.Height;
  QtCanvas canvas;
  // The view sizes the picture itself; sizing it here as well keeps the file
  // at the requested size whatever the view draws.
  canvas.SetSize(options.Width, options.Height);
  std::optional<RecordingCanvas> recorder;
  if (!options.LogFile.empty()) recorder.emplace(&canvas);
  Canvas& target = recorder ? static_cast<Canvas&>(*recorder) : canvas;
  ShowView(state, target, options.View);

  if (!WritePng(canvas.Image(), options.Out)) {
    err << "zephirax-cli: could not write " << options.Out << '\n';
    return 1;
  }
  out << options.Out << '\n';
  if (recorder) {
    if (!ReplaceFileAtomically(options.LogFile, CanvasLog(recorder->Ops()))) {
      err << "zephirax-cli: could not write " << options.LogFile << '\n';
      return 1;
    }
    out << options.LogFile << '\n';
  }
  return 0;
}

// The TDC views draw the measurement being corrected in the TDC mode, with
// a cylinder of the same file as reference.
int RenderTdcView(AppState& state, const RenderOptions& options, UserInterface& ui,
                  std::ostream& out, std::ostream& err) {
  PrepareTdcState(state, options.View);
  LoadResult fault;
  switch (ReadTdcFile(state, options.File, fault)) {
    case TdcLoad::Rejected:
      ShowLoadFault(ui, English, *fault.Fault, options.File, false);
      return 1;
    case TdcLoad::NoCrankAngle:
      err << "zephirax-cli: view " << options.View << " is not available for " << options.File
          << ": the measurement has no MIP item\n";
      return 1;
    case TdcLoad::Loaded:
      break;
  }
  const int cylCount = state.Files.Measurement->CylCount;
  const std::string range = "1.." + std::to_string(cylCount) + " for " + options.File;
  ViewState& view = state.View;
  if (options.RefCylinder) {
    if (*options.RefCylinder < 1 || *options.RefCylinder > cylCount) {
      return BadArguments(err, "--refcyl must be " + range);
    }
    view.RefCylinder = *options.RefCylinder;
  }
  // In the automatic view the current cylinder follows the reference cylinder.
  view.CurrentCylinder = view.RefCylinder;
  if (options.Cylinder) {
    if (*options.Cylinder < 1 || *options.Cylinder > cylCount) {
      return BadArguments(err, "--cyl must be " + range);
    }
    view.CurrentCylinder = *options.Cylinder;
  }
  if (options.MarkerOffset) view.Tdc.MarkerOffset = *options.MarkerOffset;
  if (options.MarkerSlope) view.Tdc.MarkerSlope = *options.MarkerSlope;
  ApplyToggles(state, options, err);
  return DrawAndWrite(state, options, out, err);
}

}  // namespace

int RenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  RenderOptions options;
  if (const std::string why = ParseArguments(args, options); !why.empty()) {
    return BadArguments(err, why);
  }

  ApplicationScope gui(true);
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    // A host with a console-only application cannot measure or draw text.
    err << "zephirax-cli: rendering needs a GUI application\n";
    return 1;
  }
  auto state = std::make_unique<AppState>();
  state->Window.AppDataDir = AppDataDir();
  ReadConfig(state->Config, state->Window.AppDataDir);
  if (options.Language) state->Config.Language = *options.Language;
  if (options.PressureUnit) state->Config.PressureUnit = *options.PressureUnit;
  if (options.PowerUnit) state->Config.PowerUnit = *options.PowerUnit;
  if (options.TempUnit) state->Config.TempUnit = *options.TempUnit;
  state->Regional = RegionalNumberFormat(QLocale::system());

  // Messages on the command line are English; the picture speaks the
  // chosen language.
  ConsoleUserInterface ui(err);
  const bool tdc = IsTdcView(options.View);
  if (tdc) return RenderTdcView(*state, options, ui, out, err);
  EnterAnalysisMode(*state);
  if (const LoadResult result = LoadForAnalysis(*state, options.File); !result) {
    ShowLoadFault(ui, English, *result.Fault, options.File, false);
    return 1;
  }
  if (!options.RefFile.empty()) {
    if (const LoadResult result = LoadReferenceFile(*state, options.RefFile); !result) {
      ShowLoadFault(ui, English, *result.Fault, options.RefFile, true);
      return 1;
    }
  }
  if (!options.ExhFile.empty() && !LoadAdditionalDataFile(*state, options.ExhFile)) {
    err << "zephirax-cli: " << options.ExhFile << " is not additional data for "
        << state->Files.Measurement->CylCount << " cylinders\n";
    return 1;
  }

  const int cylCount = state->Files.Measurement->CylCount;
  if (options.Cylinder) {
    if (*options.Cylinder < 1 || *options.Cylinder > cylCount) {
      return BadArguments(err,
                          "--cyl must be 1.." + std::to_string(cylCount) + " for " + options.File);
    }
    state->View.CurrentCylinder = *options.Cylinder;
  }
  if (options.RefCylinder) {
    const int refCount = state->Files.Reference->RefCylCount;
    if (*options.RefCylinder < 1 || *options.RefCylinder > refCount) {
      return BadArguments(
          err, "--refcyl must be 1.." + std::to_string(refCount) + " for " + options.RefFile);
    }
    state->View.RefCylinder = *options.RefCylinder;
    if (const LoadResult result = ReloadReference(*state); !result) {
      ShowLoadFault(ui, English, *result.Fault, options.RefFile, true);
      return 1;
    }
  }
  ApplyToggles(*state, options, err);
  if (!ViewAvailable(*state, options.View)) {
    err << "zephirax-cli: view " << options.View << " is not available for " << options.File << ": "
        << UnavailableReason(*state, options.View) << '\n';
    return 1;
  }

  return DrawAndWrite(*state, options, out, err);
}

}  // namespace zephirax
