#include "cli/PrintCommands.h"

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "adddata/AdditionalDataFile.h"
#include "app/Config.h"
#include "app/LoadMessages.h"
#include "cli/ApplicationScope.h"
#include "cli/Arguments.h"
#include "cli/ConsoleUserInterface.h"
#include "measurement/MeasurementReader.h"
#include "platform/Paths.h"
#include "platform/TextEncoding.h"
#include "printing/QtPrintTarget.h"
#include "printing/QtTextPrintouts.h"
#include "setup/EngineSetup.h"

namespace zephirax {

const char* const PrintFormUsage =
    "Usage: zephirax-cli print-form OUT.pdf [--cyl N] [--lang de|en|fr|es] [--temp C|F]\n"
    "                   [--power kW|hp] [--pressure bar|MPa|psi]\n"
    "The blank additional-data form for N cylinders (default 20) as a PDF page.\n";
const char* const PrintDataUsage =
    "Usage: zephirax-cli print-data FILE OUT.pdf [--lang de|en|fr|es] [--temp C|F]\n"
    "                   [--power kW|hp] [--pressure bar|MPa|psi]\n"
    "The additional data of the measurement FILE (its .EXH file) as a PDF page.\n";
const char* const PrintSetupUsage =
    "Usage: zephirax-cli print-setup SETUPFILE OUT.pdf [--lang de|en|fr|es]\n"
    "                   [--length mm|inch] [--pressure bar|MPa|psi]\n"
    "The engine setup listing of SETUPFILE as a PDF page.\n";

namespace {

// Which options a command takes besides --lang.
struct PrintOptions {
  bool Units = false;   // --temp, --power
  bool Length = false;  // --length
  bool Cylinders = false;
};

struct PrintArguments {
  std::vector<std::string> Files;
  Settings Config;
  int Cylinders = MaxCylinders;
};

// Fills `parsed`; an empty answer means the arguments are fine.
std::string Parse(const std::vector<std::string>& args, PrintOptions allowed,
                  PrintArguments& parsed) {
  ReadConfig(parsed.Config, AppDataDir());
  Settings& config = parsed.Config;
  for (size_t k = 1; k < args.size(); ++k) {
    const std::string& arg = args[k];
    const bool known = arg == "--lang" || arg == "--pressure" ||
                       ((arg == "--temp" || arg == "--power") && allowed.Units) ||
                       (arg == "--length" && allowed.Length) ||
                       (arg == "--cyl" && allowed.Cylinders);
    if (known) {
      if (k + 1 >= args.size()) return arg + " needs a value";
      const std::string& value = args[++k];
      int code = -1;
      if (arg == "--lang") {
        code = config.Language = Choice(value, {"de", "en", "fr", "es"});
      } else if (arg == "--pressure") {
        code = config.PressureUnit = Choice(value, {"bar", "MPa", "psi"});
      } else if (arg == "--temp") {
        code = config.TempUnit = Choice(value, {"C", "F"});
      } else if (arg == "--power") {
        code = config.PowerUnit = Choice(value, {"kW", "hp"});
      } else if (arg == "--length") {
        code = config.LengthUnit = Choice(value, {"mm", "inch"});
      } else if (!WholeNumber(value, parsed.Cylinders) || parsed.Cylinders < 1 ||
                 parsed.Cylinders > MaxCylinders) {
        return "--cyl needs a cylinder count 1..20";
      } else {
        code = 0;
      }
      if (code < 0) return "unknown value '" + value + "' for " + arg;
    } else if (arg.starts_with("-") && arg != "-") {
      return "unknown option " + arg;
    } else {
      parsed.Files.push_back(arg);
    }
  }
  return {};
}

// Prints one page into the PDF `outName`, which is replaced only when the
// page is complete.
int PrintToPdf(const std::string& outName, std::ostream& out, std::ostream& err,
               const std::function<PrintResult(QtPrintTarget&)>& print) {
  const std::unique_ptr<QtPrintTarget> target = PdfDocument(QString::fromStdString(outName));
  if (target == nullptr) {
    err << "zephirax-cli: " << outName << " was not written\n";
    return 1;
  }
  const PrintResult result = print(*target);
  if (result != PrintResult::Printed || !target->Finish()) {
    const QString why = target->Failure();
    err << "zephirax-cli: " << outName << " was not written"
        << (why.isEmpty() ? std::string() : ": " + why.toStdString()) << '\n';
    return 1;
  }
  out << outName << '\n';
  return 0;
}

}  // namespace

int PrintFormCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  PrintArguments parsed;
  if (const std::string why = Parse(args, {.Units = true, .Cylinders = true}, parsed);
      !why.empty()) {
    return UsageError(err, why, PrintFormUsage);
  }
  if (parsed.Files.size() != 1) return UsageError(err, "print-form takes OUT.pdf", PrintFormUsage);
  ApplicationScope application(true);
  ConsoleUserInterface ui(err);
  const PrintoutStart start{parsed.Config.Language, &ui, {}};
  return PrintToPdf(parsed.Files[0], out, err, [&](QtPrintTarget& target) {
    return PrintAdditionalDataForm(target, start, PrintUnitsOf(parsed.Config), parsed.Cylinders);
  });
}

int PrintDataCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  PrintArguments parsed;
  if (const std::string why = Parse(args, {.Units = true}, parsed); !why.empty()) {
    return UsageError(err, why, PrintDataUsage);
  }
  if (parsed.Files.size() != 2) {
    return UsageError(err, "print-data takes FILE and OUT.pdf", PrintDataUsage);
  }
  const std::string& fileName = parsed.Files[0];
  ConsoleUserInterface ui(err);
  auto data = std::make_unique<MeasurementData>();
  // Messages on the command line are always English.
  if (const LoadResult loaded = LoadMeasurement(*data, fileName); !loaded) {
    ShowLoadFault(ui, English, *loaded.Fault, fileName, false);
    return 1;
  }
  AdditionalData addData;
  const std::string exhName = AdditionalDataName(fileName);
  if (!ReadAdditionalData(addData, exhName, data->CylCount)) {
    err << "zephirax-cli: could not read the additional data " << exhName << '\n';
    return 1;
  }
  const PrintedMeasurement measurement{std::filesystem::path(fileName).filename().string(),
                                       Cp1252ToUtf8(data->MeasDate), Cp1252ToUtf8(data->MeasTime)};
  ApplicationScope application(true);
  const PrintoutStart start{parsed.Config.Language, &ui, {}};
  return PrintToPdf(parsed.Files[1], out, err, [&](QtPrintTarget& target) {
    return PrintAdditionalData(target, start, PrintUnitsOf(parsed.Config), addData, data->CylCount,
                               measurement);
  });
}

int PrintSetupCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  PrintArguments parsed;
  if (const std::string why = Parse(args, {.Length = true}, parsed); !why.empty()) {
    return UsageError(err, why, PrintSetupUsage);
  }
  if (parsed.Files.size() != 2) {
    return UsageError(err, "print-setup takes SETUPFILE and OUT.pdf", PrintSetupUsage);
  }
  const std::string& fileName = parsed.Files[0];
  const std::optional<EngineSetup> setup = ParseSetupFile(fileName);
  if (!setup) {
    err << "zephirax-cli: " << fileName << ": " << NotSetupFileText(English) << '\n';
    return 1;
  }
  ApplicationScope application(true);
  ConsoleUserInterface ui(err);
  const PrintoutStart start{parsed.Config.Language, &ui, {}};
  return PrintToPdf(parsed.Files[1], out, err, [&](QtPrintTarget& target) {
    return PrintEngineSetup(target, start, PrintUnitsOf(parsed.Config), *setup, fileName);
  });
}

}  // namespace zephirax
