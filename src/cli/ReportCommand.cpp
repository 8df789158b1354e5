#include "cli/ReportCommand.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "app/AnalysisHandlers.h"
#include "app/AppState.h"
#include "app/Config.h"
#include "app/LoadMessages.h"
#include "app/PrintRunPlan.h"
#include "app/QtMainForm.h"
#include "app/QtPrintRun.h"
#include "app/ViewDispatch.h"
#include "cli/ApplicationScope.h"
#include "cli/Arguments.h"
#include "cli/ConsoleUserInterface.h"
#include "platform/LangText.h"
#include "platform/Paths.h"
#include "platform/QtCanvas.h"
#include "platform/QtNumberFormat.h"
#include "printing/PrintSelection.h"
#include "printing/QtPrintTarget.h"

namespace zephirax {

const char* const ReportUsage =
    "Usage: zephirax-cli report FILE (-o OUT.pdf | --jobs DIR) [--pages all|actual|LIST]\n"
    "                   [--hardcopy] [--exh EXHFILE] [--lang de|en|fr|es]\n"
    "                   [--pressure bar|MPa|psi] [--power kW|hp] [--temp C|F]\n"
    "Prints the analysis views of FILE as the window's print button does, each page\n"
    "a print job of its own, in the order of the page table: into one PDF file OUT\n"
    "(replaced only when complete) or, with --jobs, into one PDF file per job in DIR,\n"
    "named by its number and job title. Without --exh the .EXH beside FILE is read.\n"
    "Pages: all (pages 2 to 16, the default), actual (the view the window opens a\n"
    "measurement with), or a comma-separated LIST of page numbers:\n"
    "   2 p/alpha all cylinders      3 p/alpha 3D           4 p/alpha, each cylinder\n"
    "   5 p/V, each cylinder         6 p/V all cylinders    7 MIP\n"
    "   8 MIP deviation              9 Pind                10 Pind deviation\n"
    "  11 engine data table         12 pmax deviation      13 mean pmax\n"
    "  14 pmax of all strokes       15 engine-room data    16 pmax, each cylinder\n"
    "Pages the measurement cannot show (p/V, MIP and Pind without a MIP item, the\n"
    "engine-room data without additional data) are left out with a note.\n"
    "--hardcopy prints the main window as on screen instead of the report page.\n";

namespace {

// The picture of the main window at the size it opens with.
constexpr int PictureWidth = 1024;
constexpr int PictureHeight = 648;

struct ReportOptions {
  std::string File;
  std::string Out;
  std::string JobsDir;
  std::string ExhFile;
  std::vector<int> Pages;
  bool Hardcopy = false;
  std::optional<int> Language;
  std::optional<int> PressureUnit;
  std::optional<int> PowerUnit;
  std::optional<int> TempUnit;
};

int BadArguments(std::ostream& err, const std::string& why) {
  return UsageError(err, why, ReportUsage);
}

// "all", "actual" or page numbers 2..16 separated by commas.
bool ParsePages(const std::string& text, std::vector<int>& pages) {
  pages.clear();
  if (text == "actual") {
    pages.push_back(1);
    return true;
  }
  if (text == "all") {
    for (int page = FirstTablePage; page <= LastTablePage; ++page) pages.push_back(page);
    return true;
  }
  const std::string_view all(text);
  size_t start = 0;
  for (;;) {
    const size_t comma = std::min(all.find(',', start), all.size());
    int page = 0;
    if (!WholeNumber(all.substr(start, comma - start), page) || page < FirstTablePage ||
        page > LastTablePage) {
      return false;
    }
    pages.push_back(page);
    if (comma == all.size()) return true;
    start = comma + 1;
  }
}

std::string ParseArguments(const std::vector<std::string>& args, ReportOptions& options) {
  bool pagesGiven = false;
  for (size_t k = 1; k < args.size(); ++k) {
    const std::string& arg = args[k];
    if (arg == "--hardcopy") {
      options.Hardcopy = true;
    } else if (arg == "-o" || arg == "--jobs" || arg == "--pages" || arg == "--exh" ||
               arg == "--lang" || arg == "--pressure" || arg == "--power" || arg == "--temp") {
      if (k + 1 >= args.size()) return arg + " needs a value";
      const std::string& value = args[++k];
      const std::string unknown = "unknown value '" + value + "' for " + arg;
      if (arg == "-o") {
        options.Out = value;
      } else if (arg == "--jobs") {
        options.JobsDir = value;
      } else if (arg == "--exh") {
        options.ExhFile = value;
      } else if (arg == "--pages") {
        if (!ParsePages(value, options.Pages)) {
          return "--pages needs all, actual or page numbers 2..16 separated by commas";
        }
        pagesGiven = true;
      } else if (arg == "--lang") {
        if (!SetChoice(value, {"de", "en", "fr", "es"}, options.Language)) return unknown;
      } else if (arg == "--pressure") {
        if (!SetChoice(value, {"bar", "MPa", "psi"}, options.PressureUnit)) return unknown;
      } else if (arg == "--power") {
        if (!SetChoice(value, {"kW", "hp"}, options.PowerUnit)) return unknown;
      } else if (!SetChoice(value, {"C", "F"}, options.TempUnit)) {
        return unknown;
      }
    } else if (arg.starts_with("-") && arg != "-") {
      return "unknown option " + arg;
    } else if (options.File.empty()) {
      options.File = arg;
    } else {
      return "report takes one measurement file";
    }
  }
  if (options.File.empty()) return "report needs a measurement file";
  if (options.Out.empty() == options.JobsDir.empty())
    return "report needs -o OUT.pdf or --jobs DIR";
  if (!pagesGiven) ParsePages("all", options.Pages);
  return {};
}

void ApplySettings(Settings& config, const ReportOptions& options) {
  if (options.Language) config.Language = *options.Language;
  if (options.PressureUnit) config.PressureUnit = *options.PressureUnit;
  if (options.PowerUnit) config.PowerUnit = *options.PowerUnit;
  if (options.TempUnit) config.TempUnit = *options.TempUnit;
}

// Loads FILE (and --exh) into `state` as the Analyse button does; false,
// with the message on `err`, when a file is rejected.
bool Analyse(AppState& state, const ReportOptions& options, std::ostream& err) {
  ConsoleUserInterface ui(err);
  EnterAnalysisMode(state);
  if (const LoadResult result = LoadForAnalysis(state, options.File); !result) {
    ShowLoadFault(ui, English, *result.Fault, options.File, false);
    return false;
  }
  if (!options.ExhFile.empty() && !LoadAdditionalDataFile(state, options.ExhFile)) {
    err << "zephirax-cli: " << options.ExhFile << " is not additional data for "
        << state.Files.Measurement->CylCount << " cylinders\n";
    return false;
  }
  return true;
}

void NoteLeftOut(const std::vector<int>& pages, const std::string& file, std::ostream& err) {
  for (const int number : pages) {
    const PrintPage* page = FindPrintPage(number);
    err << "zephirax-cli: page " << number << " (" << (page != nullptr ? page->JobTitle : "")
        << ") left out: " << (number == 15 ? "no additional data for " : "no MIP item in ") << file
        << '\n';
  }
}

std::unique_ptr<QtPrintTarget> OpenTarget(const ReportOptions& options, std::ostream& err) {
  if (options.JobsDir.empty()) return PdfDocument(QFile::decodeName(options.Out.c_str()));
  std::error_code error;
  std::filesystem::create_directories(options.JobsDir, error);
  if (!std::filesystem::is_directory(options.JobsDir, error)) {
    err << "zephirax-cli: could not create the folder " << options.JobsDir << '\n';
    return nullptr;
  }
  return PdfJobFiles(QFile::decodeName(options.JobsDir.c_str()));
}

// What the run wrote, one file per line.
void ListOutput(const ReportOptions& options, const PrintPlan& plan, std::ostream& out) {
  if (options.JobsDir.empty()) {
    out << options.Out << '\n';
    return;
  }
  const QDir folder(QFile::decodeName(options.JobsDir.c_str()));
  int number = 0;
  for (const PrintJob& job : plan.Jobs) {
    const QString name = JobFileName(++number, QString::fromStdString(job.Title));
    out << QFile::encodeName(folder.filePath(name)).toStdString() << '\n';
  }
}

int Finish(const ReportOptions& options, const PrintPlan& plan, const PrintRunResult& run,
           QtPrintTarget& target, std::ostream& out, std::ostream& err) {
  QString failure = run.Failure;
  if (failure.isEmpty() && !target.Finish()) failure = target.Failure();
  if (!failure.isEmpty()) {
    err << "zephirax-cli: printing failed: " << failure.toStdString() << '\n';
    return 1;
  }
  ListOutput(options, plan, out);
  return 0;
}

// Hardcopy pages are grabs of the main window, which needs the file loaded
// in a window of its own.
int HardcopyReport(const ReportOptions& options, std::ostream& out, std::ostream& err) {
  ConsoleUserInterface ui(err);
  TMainForm form(RunningProgramDir(), &ui);
  ApplySettings(form.State().Config, options);
  form.ApplyCaptions();
  form.State().View.PendingFileName = options.File;
  form.show();
  form.FormActivate();
  if (!form.State().View.AnalysisActive) return 1;
  if (!options.ExhFile.empty() && !form.UseAdditionalData(options.ExhFile)) return 1;
  const std::unique_ptr<QtPrintTarget> target = OpenTarget(options, err);
  if (target == nullptr) return 1;
  const TMainForm::PrintPagesResult result = form.PrintPages(options.Pages, true, *target);
  NoteLeftOut(result.Plan.LeftOut, options.File, err);
  if (result.Plan.Jobs.empty()) {
    err << "zephirax-cli: none of the pages can be shown for " << options.File << '\n';
    return 1;
  }
  return Finish(options, result.Plan, result.Run, *target, out, err);
}

}  // namespace

int ReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ReportOptions options;
  if (const std::string why = ParseArguments(args, options); !why.empty()) {
    return BadArguments(err, why);
  }

  ApplicationScope gui(true, true);
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    err << "zephirax-cli: printing needs a widget application\n";
    return 1;
  }
  auto state = std::make_unique<AppState>();
  state->Window.AppDataDir = AppDataDir();
  ReadConfig(state->Config, state->Window.AppDataDir);
  ApplySettings(state->Config, options);
  state->Regional = RegionalNumberFormat(QLocale::system());
  // A file the reader rejects stops the command before anything is written.
  if (!Analyse(*state, options, err)) return 1;
  if (options.Hardcopy) return HardcopyReport(options, out, err);

  state->Drawing.ControlWidth = PictureWidth;
  state->Drawing.ControlHeight = PictureHeight;
  QtCanvas picture;
  PrintScreen screen;
  screen.ShowView = [&](int view) { ShowView(*state, picture, view); };
  // The view a loaded measurement opens with.
  screen.ShowView(ViewPAlphaAll);

  const PrintPlan plan = PlanPrintRun(*state, options.Pages);
  NoteLeftOut(plan.LeftOut, options.File, err);
  if (plan.Jobs.empty()) {
    err << "zephirax-cli: none of the pages can be shown for " << options.File << '\n';
    return 1;
  }
  const std::unique_ptr<QtPrintTarget> target = OpenTarget(options, err);
  if (target == nullptr) return 1;
  const PrintRunResult run =
      RunPrintJobs(*state, plan, false,
                   ReportLinesOf(ReportHeaderOf(*state), state->Config.Language), *target, screen);
  return Finish(options, plan, run, *target, out, err);
}

}  // namespace zephirax
