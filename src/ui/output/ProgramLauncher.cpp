#include "ui/output/ProgramLauncher.h"

#include <memory>
#include <utility>

#include <QTimer>

#include "core/launch/ProgramLogs.h"
#include "core/process/OutputLog.h"
#include "core/process/ProgramStarter.h"
#include "core/text/NativeText.h"
#include "core/text/TextCodec.h"
#include "ui/WindowMessages.h"
#include "ui/common/MessageBoxes.h"
#include "ui/output/ProgramOutputWindow.h"

namespace vorlane {
namespace {

constexpr int kEarlyEndLines = 10;

QString programName(const QString& program) {
  return displayPath(program.mid(program.lastIndexOf(QLatin1Char('/')) + 1));
}

// Starts the program with its output in `log` when there is one, and keeps the log once it has
// started; tells the user when it cannot start, and where the log is when it could not take its
// name.
ProgramStart startTelling(QWidget* owner, const QString& program, const QStringList& arguments,
                          const QString& workingDirectory, std::unique_ptr<OutputLog>& log,
                          LiveOutput live, const QString& previousLogPath = QString()) {
  ProgramStart start = startProgram(program, arguments, workingDirectory, log.get(), live);
  if (start.failure) {
    // The start may have failed for want of descriptors: the log's goes before the box.
    log.reset();
    showWarningBox(owner, *start.failure);
  } else if (log != nullptr) {
    if (const std::optional<QString> note = log->keep(previousLogPath)) {
      openWarningBox(owner, *note);
    }
  }
  return start;
}

// Watches the emulator through its first seconds, then goes.
class EarlyEndReport : public QObject {
 public:
  EarlyEndReport(QWidget* owner, QString programName, QString logPath, const ProgramReport* report,
                 std::chrono::milliseconds window)
      : QObject(owner), m_programName(std::move(programName)), m_logPath(std::move(logPath)) {
    setObjectName(QStringLiteral("earlyEndReport"));
    QTimer::singleShot(window, this, &QObject::deleteLater);
    connect(report, &ProgramReport::ended, this, [this, owner, report](ProgramEnd end) {
      deleteLater();
      if (end.failed()) {
        openWarningBox(owner,
                       messages::programEndedAtOnce(
                           m_programName, end,
                           decodeText(lastLines(report->lastOutput(), kEarlyEndLines)), m_logPath));
      }
    });
  }

 private:
  QString m_programName;
  QString m_logPath;
};

// Keeps the report of a started emulator until its end has come.
class EmulatorRun : public QObject {
 public:
  EmulatorRun(QObject* owner, std::unique_ptr<ProgramReport> report)
      : QObject(owner), m_report(std::move(report)) {
    connect(m_report.get(), &ProgramReport::ended, this, &QObject::deleteLater);
  }

  const ProgramReport* report() const { return m_report.get(); }

 private:
  std::unique_ptr<ProgramReport> m_report;
};

}  // namespace

const ProgramReport* launchEmulator(QWidget* owner, const QString& program,
                                    const QStringList& arguments, const QString& workingDirectory,
                                    const QString& logDirectory,
                                    std::chrono::milliseconds earlyEndWindow) {
  ProgramLog log = createProgramLog(logDirectory, emulatorLogPath);
  // The box takes the last lines from the report of the end; nothing is fed as it comes.
  ProgramStart start = startTelling(owner, program, arguments, workingDirectory, log.file,
                                    kNoLiveOutput, previousEmulatorLogPath(log.directory));
  if (!start.report) {
    return nullptr;
  }
  const ProgramReport* report = (new EmulatorRun(owner, std::move(start.report)))->report();
  if (log.file) {
    new EarlyEndReport(owner, programName(program), log.file->path(), report, earlyEndWindow);
  }
  return report;
}

void launchChecksum(QWidget* owner, const QString& program, const QStringList& arguments,
                    const QString& workingDirectory, const QString& logDirectory,
                    const QString& driverFileName, const QString& gameName) {
  ProgramLog log = createProgramLog(logDirectory, [&driverFileName](const QString& directory) {
    return checksumLogPath(directory, driverFileName);
  });
  ProgramStart start =
      startTelling(owner, program, arguments, workingDirectory, log.file, kWholeLiveOutput);
  if (log.file && start.report) {
    auto* window = new ProgramOutputWindow(owner, programName(program), gameName, log.file->path(),
                                           std::move(start.report));
    window->show();
  }
}

}  // namespace vorlane
