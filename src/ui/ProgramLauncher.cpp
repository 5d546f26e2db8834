#include "ui/ProgramLauncher.h"

#include <memory>
#include <utility>

#include <QTimer>

#include "core/launch/ProgramLogs.h"
#include "core/platform/Messages.h"
#include "core/platform/NativeText.h"
#include "core/platform/OutputLog.h"
#include "core/platform/ProgramStarter.h"
#include "core/platform/TextCodec.h"
#include "ui/MessageBoxes.h"
#include "ui/ProgramOutputWindow.h"

namespace vorlane {
namespace {

// An emulator that ends this soon after its start is taken to have failed to run the game.
constexpr int kEarlyEndMs = 5000;
constexpr int kEarlyEndLines = 10;
// Far more than the last lines need.
constexpr qint64 kEarlyEndTailBytes = qint64(16) << 10;

// The log at `path` in the log directory, or none when there is no directory to use.
std::unique_ptr<OutputLog> createLog(const QString& logDirectory, const QString& path) {
  return logDirectory.isEmpty() ? nullptr : OutputLog::create(path);
}

QString programName(const QString& program) {
  return displayPath(program.mid(program.lastIndexOf(QLatin1Char('/')) + 1));
}

// Starts the program with its output in `log` when there is one, and keeps the log once it has
// started; tells the user when it cannot start.
ProgramStart startTelling(QWidget* owner, const QString& program, const QStringList& arguments,
                          const QString& workingDirectory, OutputLog* log,
                          const QString& previousLogPath = QString()) {
  ProgramStart start = startProgram(program, arguments, workingDirectory, log);
  if (start.failure) {
    showWarningBox(owner, *start.failure);
  } else if (log != nullptr) {
    log->keep(previousLogPath);
  }
  return start;
}

// Watches the emulator through its first seconds, then goes.
class EarlyEndReport : public QObject {
 public:
  EarlyEndReport(QWidget* owner, QString programName, std::unique_ptr<OutputLog> log,
                 std::unique_ptr<ProgramEndWatch> end)
      : QObject(owner),
        m_programName(std::move(programName)),
        m_log(std::move(log)),
        m_end(std::move(end)) {
    QTimer::singleShot(kEarlyEndMs, this, &QObject::deleteLater);
    connect(m_end.get(), &ProgramEndWatch::ended, this, [this, owner] {
      deleteLater();
      const QByteArray lines = lastLines(m_log->tail(kEarlyEndTailBytes), kEarlyEndLines);
      if (!lines.isEmpty()) {
        openWarningBox(
            owner, messages::programEndedAtOnce(m_programName, decodeText(lines), m_log->path()));
      }
    });
  }

 private:
  QString m_programName;
  std::unique_ptr<OutputLog> m_log;
  std::unique_ptr<ProgramEndWatch> m_end;
};

}  // namespace

void launchEmulator(QWidget* owner, const QString& program, const QStringList& arguments,
                    const QString& workingDirectory, const QString& logDirectory) {
  std::unique_ptr<OutputLog> log = createLog(logDirectory, emulatorLogPath(logDirectory));
  ProgramStart start = startTelling(owner, program, arguments, workingDirectory, log.get(),
                                    previousEmulatorLogPath(logDirectory));
  if (log && start.end) {
    new EarlyEndReport(owner, programName(program), std::move(log), std::move(start.end));
  }
}

void launchChecksum(QWidget* owner, const QString& program, const QStringList& arguments,
                    const QString& workingDirectory, const QString& logDirectory,
                    const QString& driverFileName, const QString& gameName) {
  std::unique_ptr<OutputLog> log =
      createLog(logDirectory, checksumLogPath(logDirectory, driverFileName));
  ProgramStart start = startTelling(owner, program, arguments, workingDirectory, log.get());
  if (log && !start.failure) {
    auto* window = new ProgramOutputWindow(owner, programName(program), gameName, std::move(log),
                                           std::move(start.end));
    window->show();
  }
}

}  // namespace vorlane
