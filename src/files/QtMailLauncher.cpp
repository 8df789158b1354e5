#include "files/QtMailLauncher.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace zephirax {

namespace {

constexpr int StartMs = 10000;
constexpr int PollMs = 20;

bool SaysUtf8(const QString& locale) {
  const QString lower = locale.toLower();
  return lower.contains(QLatin1String("utf-8")) || lower.contains(QLatin1String("utf8"));
}

// The caller's environment with a UTF-8 character set: the first of LC_ALL,
// LC_CTYPE and LANG that is set decides it.
QProcessEnvironment Utf8Environment() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const QString value = environment.value(QLatin1String(name));
    if (value.isEmpty()) continue;
    if (SaysUtf8(value)) return environment;
    break;
  }
  const bool overridden = !environment.value(QStringLiteral("LC_ALL")).isEmpty();
  environment.insert(overridden ? QStringLiteral("LC_ALL") : QStringLiteral("LC_CTYPE"),
                     QStringLiteral("C.UTF-8"));
  return environment;
}

}  // namespace

std::optional<ToolOutcome> QtMailLauncher::Run(const std::string& program,
                                               const std::vector<std::string>& args) {
  const QString path = QStandardPaths::findExecutable(QString::fromStdString(program));
  if (path.isEmpty()) return std::nullopt;
  QStringList arguments;
  for (const std::string& arg : args) arguments << QString::fromStdString(arg);

  auto* process = new QProcess;
  process->setProcessEnvironment(Utf8Environment());
  process->setStandardInputFile(QProcess::nullDevice());
  process->setProcessChannelMode(QProcess::MergedChannels);
  process->start(path, arguments);
  ToolOutcome outcome;
  if (!process->waitForStarted(StartMs)) {
    outcome.Output = process->errorString().toStdString();
    delete process;
    return outcome;
  }
  QElapsedTimer waited;
  waited.start();
  while (process->state() != QProcess::NotRunning && !process->waitForFinished(PollMs)) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (waited.elapsed() < handOffMs_) continue;
    // Still composing: the hand-off went through.
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->closeReadChannel(QProcess::StandardOutput);
    outcome.Finished = true;
    outcome.ExitCode = 0;
    return outcome;
  }
  outcome.Output = process->readAll().toStdString();
  outcome.Finished = process->exitStatus() == QProcess::NormalExit;
  outcome.ExitCode = outcome.Finished ? process->exitCode() : -1;
  delete process;
  return outcome;
}

}  // namespace zephirax
