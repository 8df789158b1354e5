#include "cli/Cli.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <memory>

#include "adddata/AdditionalDataFile.h"
#include "analysis/CurveShift.h"
#include "app/Config.h"
#include "app/LoadMessages.h"
#include "cli/Arguments.h"
#include "cli/ConsoleUserInterface.h"
#include "cli/DesktopCommands.h"
#include "cli/DumpJson.h"
#include "cli/ExhCommands.h"
#include "cli/FileCommands.h"
#include "cli/InfoTable.h"
#include "cli/PrintCommands.h"
#include "cli/ReceiveCommand.h"
#include "cli/RenderCommand.h"
#include "cli/ReportCommand.h"
#include "cli/SendSetupCommand.h"
#include "cli/SetupCommands.h"
#include "cli/TdcAutoCommand.h"
#include "files/EngineDataExport.h"
#include "measurement/CorrectedFileWriter.h"
#include "measurement/FixedField.h"
#include "measurement/MeasurementReader.h"
#include "measurement/PscavCorrection.h"
#include "measurement/ReferenceReader.h"
#include "platform/LangText.h"
#include "platform/Paths.h"
#include "platform/QtNumberFormat.h"

namespace zephirax {

namespace {

// What the program's own --help lists of each command. Commands with options
// of their own show their own usage on "COMMAND --help"; the others show
// their synopsis and description.
struct CommandHelp {
  const char* Name;
  const char* Synopsis;     // continuation lines are indented as in the overview
  const char* Description;  // lines without indentation
  const char* OwnUsage;     // or nullptr
};

const CommandHelp Commands[] = {
    {"dump", "dump FILE",
     "load a measurement file and print it with its evaluation as one\n"
     "JSON object; exit status 1 when the file is rejected",
     nullptr},
    {"info", "info FILE [--lang de|en|fr|es] [--pressure bar|MPa|psi] [--power kW|hp]",
     "print the evaluation per cylinder and the engine means;\n"
     "language and units default to the configuration file",
     nullptr},
    {"ref", "ref FILE CYL [--current MEASFILE]",
     "load cylinder CYL of FILE as reference (after MEASFILE, when given)\n"
     "and print the reference as one JSON object; exit status 1 when a\n"
     "file is rejected",
     nullptr},
    {"pscav", "pscav FILE NEW_BAR",
     "correct the scavenging-air pressure of FILE to NEW_BAR and\n"
     "write the corrected measurement back to FILE",
     nullptr},
    {"tdc-shift", "tdc-shift FILE OUT --ref R CYL:STEPS...",
     "shift cylinder CYL by STEPS quarter degrees (negative: towards\n"
     "the start) against reference cylinder R and write the\n"
     "corrected copy of FILE to OUT",
     nullptr},
    {"tdc-auto",
     "tdc-auto FILE OUT [--size WxH] [--ref R] [--marker-offset N] [--marker-slope S]\n"
     "         [--pressure bar|MPa|psi] [--manual CYL]",
     "run Auto TDC correct on FILE as the window does and save the\n"
     "corrected copy as OUT; prints the shifts, MIP and power as JSON",
     TdcAutoUsage},
    {"exh", "exh show FILE --cyl N | exh write OUT --cyl N",
     "the additional data of a measurement as JSON; write takes the\n"
     "JSON on standard input",
     ExhUsage},
    {"setup",
     "setup new OUT | setup show FILE | setup write OUT | setup frame FILE |\n"
     "  setup auto FILE OUT",
     "engine setup files: defaults, JSON view, JSON on standard input,\n"
     "the frame sent to the device, automatic TDC deviations",
     SetupUsage},
    {"export", "export FILE [--exh EXHFILE] [--locale NAME]",
     "write ZEPHIRAX.TXT and ZEPHIRAX.CSV into the data folder in the\n"
     "regional number format of NAME (default: the user's); prints\n"
     "their paths",
     nullptr},
    {"render",
     "render FILE --view 0..20 -o OUT.png [--size WxH] [--cyl N] [--ref REFFILE\n"
     "         [--refcyl N]] [--exh EXHFILE] [--cursor K] [--cursor-off] [--zoom]\n"
     "         [--dpda] [--filter] [--reffilter] [--fuel | --acl] [--lang de|en|fr|es]\n"
     "         [--pressure bar|MPa|psi] [--power kW|hp] [--temp C|F] [--canvas-log LOG]",
     "draw a view as the window does (default size 1280x800) into a\n"
     "PNG file; the log gets every drawing call as one JSON object\n"
     "per line; without --exh the .EXH beside FILE is read",
     RenderUsage},
    {"print-form",
     "print-form OUT.pdf [--cyl N] [--lang de|en|fr|es] [--temp C|F] [--power kW|hp]\n"
     "         [--pressure bar|MPa|psi]",
     "print the blank additional-data form for N cylinders (default\n"
     "20) into a PDF file",
     PrintFormUsage},
    {"print-data",
     "print-data FILE OUT.pdf [--lang de|en|fr|es] [--temp C|F] [--power kW|hp]\n"
     "         [--pressure bar|MPa|psi]",
     "print the additional data of the measurement FILE (its .EXH\n"
     "file) into a PDF file; exit status 1 when a file is rejected",
     PrintDataUsage},
    {"print-setup",
     "print-setup SETUPFILE OUT.pdf [--lang de|en|fr|es] [--length mm|inch]\n"
     "         [--pressure bar|MPa|psi]",
     "print the listing of an engine setup file into a PDF file;\n"
     "exit status 1 when the file is no setup file",
     PrintSetupUsage},
    {"report",
     "report FILE (-o OUT.pdf | --jobs DIR) [--pages all|actual|LIST] [--hardcopy]\n"
     "         [--exh EXHFILE] [--lang de|en|fr|es] [--pressure bar|MPa|psi]\n"
     "         [--power kW|hp] [--temp C|F]",
     "print the analysis views as the print button does, one page per\n"
     "print job, into one PDF file or one PDF file per job in DIR;\n"
     "pages the measurement cannot show are left out with a note",
     ReportUsage},
    {"receive", "receive --device PATH --save NAME [--timeout SECONDS]",
     "wait for one measurement from the device on PATH and save it\n"
     "as NAME.KV (with MIP data) or NAME.KS; prints the saved path",
     ReceiveUsage},
    {"send-setup", "send-setup SETUPFILE --device PATH",
     "send the setup file's frame to the device on PATH (9600 baud)", SendSetupUsage},
    {"zip", "zip OUT.zip FILE...",
     "pack the files, each with the .EXH file beside it, into OUT.zip", ZipUsage},
    {"unzip", "unzip ARCHIVE DESTDIR",
     "extract the archive into DESTDIR; entries that would land\n"
     "outside it are refused and named, exit status 1",
     UnzipUsage},
    {"mail", "mail FILE [--to ADDRESS] [--subject TEXT] [--body TEXT]",
     "pack the measurement with its .EXH file into an archive beside\n"
     "it and hand that to the desktop's mail program",
     MailUsage},
    {"ports", "ports",
     "list the serial ports the options dialog offers, one per line:\n"
     "the path, a tab, the description; the configured device is\n"
     "listed as not present when it has gone",
     nullptr},
    {"register", "register [--user]",
     "register .KV and .KS files with the desktop for this user, as\n"
     "the options dialog does, so that opening one starts the program\n"
     "(the program beside zephirax-cli); prints each step, exit status\n"
     "1 naming the step that failed. Registration is always per user:\n"
     "--user only says so",
     nullptr},
};

constexpr size_t DescriptionColumn = 19;

std::string Indented(std::string_view lines, size_t indent) {
  std::string text;
  size_t start = 0;
  while (start <= lines.size()) {
    const size_t end = std::min(lines.find('\n', start), lines.size());
    text += std::string(indent, ' ');
    text.append(lines.substr(start, end - start));
    text += '\n';
    start = end + 1;
  }
  return text;
}

// The overview of every command, as "zephirax-cli --help" shows it.
std::string OverviewUsage() {
  std::string text =
      "Usage: zephirax-cli COMMAND [OPTIONS] FILE\n"
      "\n"
      "Commands:\n";
  for (const CommandHelp& command : Commands) {
    const std::string_view synopsis = command.Synopsis;
    const std::string_view description = command.Description;
    const size_t lastLine = synopsis.rfind('\n') + 1;  // 0 when there is one line
    text += "  ";
    text.append(synopsis);
    // A short synopsis has the description's first line beside it.
    if (2 + synopsis.size() - lastLine < DescriptionColumn - 1) {
      text += std::string(DescriptionColumn - 2 - (synopsis.size() - lastLine), ' ');
      const size_t firstEnd = std::min(description.find('\n'), description.size());
      text.append(description.substr(0, firstEnd));
      text += '\n';
      if (firstEnd < description.size()) {
        text += Indented(description.substr(firstEnd + 1), DescriptionColumn);
      }
    } else {
      text += '\n';
      text += Indented(description, DescriptionColumn);
    }
  }
  text += "  --help           show this text\n";
  return text;
}

// The usage "zephirax-cli COMMAND --help" shows.
std::string CommandUsage(const CommandHelp& command) {
  if (command.OwnUsage != nullptr) return command.OwnUsage;
  return std::string("Usage: zephirax-cli ") + command.Synopsis + "\n\n" +
         Indented(command.Description, 0);
}

int BadArguments(std::ostream& err, const std::string& why) {
  return UsageError(err, why, OverviewUsage().c_str());
}

// Why a corrected measurement was not written, naming the file.
int CorrectionFailed(std::ostream& err, const CorrectionResult& result, const std::string& source,
                     const std::string& destination) {
  err << "zephirax-cli: ";
  switch (result.Outcome) {
    case CorrectionOutcome::SourceUnreadable:
      err << "could not read " << source << '\n';
      break;
    case CorrectionOutcome::ValueDoesNotFit: {
      static constexpr const char* FieldNames[] = {"scavenging-air pressure",
                                                   "pmax",
                                                   "engine mean pmax",
                                                   "stroke pmax",
                                                   "MIP",
                                                   "indicated power",
                                                   "pressure sample",
                                                   "second-channel sample",
                                                   "TDC shift"};
      static_assert(std::size(FieldNames) == static_cast<size_t>(CorrectedField::TdcShift) + 1);
      char value[64];
      std::snprintf(value, sizeof value, "%.10g", result.Misfit.Value);
      err << "the " << FieldNames[static_cast<int>(result.Misfit.Field)] << " " << value
          << " does not fit its field in the file; " << destination << " was not written\n";
      break;
    }
    case CorrectionOutcome::NotReadBack:
      err << "the corrected file could not be read again; " << destination << " was not written\n";
      break;
    case CorrectionOutcome::WriteFailed:
    case CorrectionOutcome::Written:
      err << "could not write " << destination << '\n';
      break;
  }
  return 1;
}

// Messages on the command line are always English.
bool Load(MeasurementData& data, const std::string& fileName, std::ostream& err) {
  const LoadResult result = LoadMeasurement(data, fileName);
  if (!result) {
    ConsoleUserInterface ui(err);
    ShowLoadFault(ui, English, *result.Fault, fileName, false);
  }
  return static_cast<bool>(result);
}

int Dump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) return BadArguments(err, "dump takes exactly one file name");
  auto data = std::make_unique<MeasurementData>();
  if (!Load(*data, args[1], err)) {
    out << RejectedJson() << '\n';
    return 1;
  }
  out << MeasurementJson(*data) << '\n';
  return 0;
}

int Info(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Settings settings;
  ReadConfig(settings, AppDataDir());
  InfoOptions options{settings.Language, settings.PressureUnit, settings.PowerUnit, ""};
  for (size_t k = 1; k < args.size(); ++k) {
    const std::string& arg = args[k];
    if (arg == "--lang" || arg == "--pressure" || arg == "--power") {
      if (k + 1 >= args.size()) return BadArguments(err, arg + " needs a value");
      const std::string& value = args[++k];
      int code = -1;
      if (arg == "--lang") {
        code = options.Language = Choice(value, {"de", "en", "fr", "es"});
      } else if (arg == "--pressure") {
        code = options.PressureUnit = Choice(value, {"bar", "MPa", "psi"});
      } else {
        code = options.PowerUnit = Choice(value, {"kW", "hp"});
      }
      if (code < 0) return BadArguments(err, "unknown value '" + value + "' for " + arg);
    } else if (arg.starts_with("--")) {
      return BadArguments(err, "unknown option " + arg);
    } else if (options.FileName.empty()) {
      options.FileName = arg;
    } else {
      return BadArguments(err, "info takes one file name");
    }
  }
  if (options.FileName.empty()) return BadArguments(err, "info needs a file name");
  auto data = std::make_unique<MeasurementData>();
  if (!Load(*data, options.FileName, err)) return 1;
  out << InfoTable(*data, options);
  return 0;
}

int Ref(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> positional;
  std::string current;
  for (size_t k = 1; k < args.size(); ++k) {
    if (args[k] == "--current") {
      if (k + 1 >= args.size()) return BadArguments(err, "--current needs a file name");
      current = args[++k];
    } else if (args[k].starts_with("--")) {
      return BadArguments(err, "unknown option " + args[k]);
    } else {
      positional.push_back(args[k]);
    }
  }
  if (positional.size() != 2) return BadArguments(err, "ref takes a file name and a cylinder");
  int cylinder = 0;
  if (!WholeNumber(positional[1], cylinder)) {
    return BadArguments(err, "'" + positional[1] + "' is not a cylinder number");
  }
  auto data = std::make_unique<MeasurementData>();
  auto reference = std::make_unique<ReferenceData>();
  if (!current.empty() && !Load(*data, current, err)) {
    out << RejectedJson() << '\n';
    return 1;
  }
  if (const LoadResult result = LoadReference(*reference, *data, positional[0], cylinder);
      !result) {
    ConsoleUserInterface ui(err);
    ShowLoadFault(ui, English, *result.Fault, positional[0], true);
    out << RejectedJson() << '\n';
    return 1;
  }
  out << ReferenceJson(*reference, *data) << '\n';
  return 0;
}

int Pscav(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 3) return BadArguments(err, "pscav takes a file name and a pressure in bar");
  double newPscav = 0;
  if (!ParseFloatField(args[2], newPscav)) {
    return BadArguments(err, "'" + args[2] + "' is not a pressure");
  }
  auto data = std::make_unique<MeasurementData>();
  if (!Load(*data, args[1], err)) return 1;
  ApplyPscavCorrection(*data, newPscav);
  if (const CorrectionResult result = WritePscavCorrected(*data, args[1]); !result) {
    return CorrectionFailed(err, result, args[1], args[1]);
  }
  out << args[1] << '\n';
  return 0;
}

int TdcShift(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> positional;
  TdcModeState state;
  int refCylinder = 1;
  bool refGiven = false;
  for (size_t k = 1; k < args.size(); ++k) {
    if (args[k] == "--ref") {
      if (k + 1 >= args.size() || !WholeNumber(args[k + 1], refCylinder)) {
        return BadArguments(err, "--ref needs a cylinder number");
      }
      refGiven = true;
      ++k;
    } else {
      positional.push_back(args[k]);
    }
  }
  if (!refGiven || positional.size() < 2) {
    return BadArguments(err, "tdc-shift takes FILE OUT --ref R and CYL:STEPS shifts");
  }
  std::vector<std::pair<int, int>> shifts;
  for (size_t k = 2; k < positional.size(); ++k) {
    const std::string& shift = positional[k];
    const size_t colon = shift.find(':');
    int cylinder = 0;
    int steps = 0;
    if (colon == std::string::npos ||
        !WholeNumber(std::string_view(shift).substr(0, colon), cylinder) ||
        !WholeNumber(std::string_view(shift).substr(colon + 1), steps) || steps < -1440 ||
        steps > 1440) {
      return BadArguments(err, "'" + shift + "' is not CYL:STEPS");
    }
    shifts.emplace_back(cylinder, steps);
  }
  auto data = std::make_unique<MeasurementData>();
  if (!Load(*data, positional[0], err)) return 1;
  for (const auto& [cylinder, steps] : shifts) {
    if (cylinder < 1 || cylinder > data->CylCount) {
      err << "zephirax-cli: the measurement has no cylinder " << cylinder << '\n';
      return 1;
    }
    for (int k = 0; k < std::abs(steps); ++k) {
      if (steps < 0) {
        ShiftCurveLeft(*data, state, cylinder, refCylinder);
      } else {
        ShiftCurveRight(*data, state, cylinder, refCylinder);
      }
    }
  }
  if (const CorrectionResult result = WriteTdcShifted(*data, positional[0], positional[1]);
      !result) {
    return CorrectionFailed(err, result, positional[0], positional[1]);
  }
  out << positional[1] << '\n';
  return 0;
}

int Export(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string file;
  std::string exhFile;
  QLocale locale = QLocale::system();
  for (size_t k = 1; k < args.size(); ++k) {
    if (args[k] == "--exh" || args[k] == "--locale") {
      if (k + 1 >= args.size()) return BadArguments(err, args[k] + " needs a value");
      if (args[k] == "--exh") {
        exhFile = args[++k];
      } else {
        locale = QLocale(QString::fromStdString(args[++k]));
      }
    } else if (args[k].starts_with("--") || !file.empty()) {
      return BadArguments(err, "unexpected argument " + args[k]);
    } else {
      file = args[k];
    }
  }
  if (file.empty()) return BadArguments(err, "export needs a measurement file");
  auto data = std::make_unique<MeasurementData>();
  if (!Load(*data, file, err)) return 1;
  AdditionalData addData;
  if (!exhFile.empty() && !ReadAdditionalData(addData, exhFile, data->CylCount)) {
    err << "zephirax-cli: could not read " << exhFile << '\n';
    return 1;
  }
  const std::string dataDir = DataDir(RunningProgramDir());
  if (!ExportEngineData(*data, addData, RegionalNumberFormat(locale), dataDir)) {
    err << "zephirax-cli: could not write the export files into " << dataDir << '\n';
    return 1;
  }
  out << dataDir << "/ZEPHIRAX.TXT\n" << dataDir << "/ZEPHIRAX.CSV\n";
  return 0;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
  if (args.empty()) return BadArguments(err, "no command given");
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    out << OverviewUsage();
    return 0;
  }
  const auto known = std::find_if(std::begin(Commands), std::end(Commands),
                                  [&](const CommandHelp& help) { return command == help.Name; });
  if (known == std::end(Commands)) {
    return BadArguments(err, "unknown command '" + command + "'");
  }
  // "--help" anywhere after the command asks for its usage, before any of
  // its arguments is read as a file or a value.
  if (std::find(args.begin() + 1, args.end(), "--help") != args.end()) {
    out << CommandUsage(*known);
    return 0;
  }
  if (command == "dump") return Dump(args, out, err);
  if (command == "info") return Info(args, out, err);
  if (command == "ref") return Ref(args, out, err);
  if (command == "pscav") return Pscav(args, out, err);
  if (command == "tdc-shift") return TdcShift(args, out, err);
  if (command == "exh") return ExhCommand(args, in, out, err);
  if (command == "setup") return SetupCommand(args, in, out, err);
  if (command == "export") return Export(args, out, err);
  if (command == "render") return RenderCommand(args, out, err);
  if (command == "print-form") return PrintFormCommand(args, out, err);
  if (command == "print-data") return PrintDataCommand(args, out, err);
  if (command == "print-setup") return PrintSetupCommand(args, out, err);
  if (command == "report") return ReportCommand(args, out, err);
  if (command == "tdc-auto") return TdcAutoCommand(args, out, err);
  if (command == "send-setup") return SendSetupCommand(args, out, err);
  if (command == "receive") return ReceiveCommand(args, out, err);
  if (command == "zip") return ZipCommand(args, out, err);
  if (command == "unzip") return UnzipCommand(args, out, err);
  if (command == "mail") return MailCommand(args, out, err);
  if (command == "ports") return PortsCommand(args, out, err);
  if (command == "register") return RegisterCommand(args, out, err);
  return BadArguments(err, "unknown command '" + command + "'");
}

}  // namespace zephirax
