#include "platform/QtToolRunner.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace zephirax {

std::optional<ToolOutcome> QtToolRunner::Run(const std::string& program,
                                             const std::vector<std::string>& args) {
  const QString path = QStandardPaths::findExecutable(QString::fromStdString(program));
  if (path.isEmpty()) return std::nullopt;
  QStringList arguments;
  // Paths are the file system's bytes.
  for (const std::string& arg : args) arguments << QFile::decodeName(arg.c_str());
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.setStandardInputFile(QProcess::nullDevice());
  process.start(path, arguments);
  ToolOutcome outcome;
  if (!process.waitForStarted(timeoutMs_)) {
    outcome.Output = process.errorString().toStdString();
    return outcome;
  }
  if (!process.waitForFinished(timeoutMs_)) {
    process.kill();
    process.waitForFinished(1000);
    outcome.Output = "did not finish in time";
    return outcome;
  }
  outcome.Output = process.readAll().toStdString();
  if (process.exitStatus() != QProcess::NormalExit) {
    if (outcome.Output.empty()) outcome.Output = process.errorString().toStdString();
    return outcome;
  }
  outcome.Finished = true;
  outcome.ExitCode = process.exitCode();
  return outcome;
}

}  // namespace zephirax
