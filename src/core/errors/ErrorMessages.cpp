#include "core/errors/ErrorMessages.h"

#include <cerrno>
#include <cstring>

#include "core/text/NativeText.h"
#include "core/settings/WindowTexts.h"

namespace vorlane::messages {
namespace {

// Fills a caller's buffer without allocating, cutting what does not fit.
class FixedText {
 public:
  FixedText(char* buffer, std::size_t size) : m_buffer(buffer), m_size(size) {}

  FixedText& operator<<(const char* text) {
    while (*text != '\0' && m_length < m_size) {
      m_buffer[m_length++] = *text++;
    }
    return *this;
  }
  FixedText& operator<<(std::int64_t number) {
    char digits[24];
    int count = 0;
    std::uint64_t magnitude =
        number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    do {
      digits[count++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude > 0);
    if (number < 0) {
      *this << "-";
    }
    while (count > 0 && m_length < m_size) {
      m_buffer[m_length++] = digits[--count];
    }
    return *this;
  }
  std::size_t length() const { return m_length; }

 private:
  char* m_buffer;
  std::size_t m_size;
  std::size_t m_length = 0;
};

// The log's own words, written by the process that waited for the program: " with exit code 2",
// ", killed by signal 9 (Killed)", nothing for an unknown end.
FixedText& operator<<(FixedText& text, ProgramEnd end) {
  switch (end.kind) {
    case ProgramEnd::Kind::Exited:
      return text << " with exit code " << std::int64_t{end.value};
    case ProgramEnd::Kind::Killed: {
      const char* name = ::sigdescr_np(end.value);
      return text << ", killed by signal " << std::int64_t{end.value} << " ("
                  << (name != nullptr ? name : "unknown signal") << ")";
    }
    case ProgramEnd::Kind::Unknown:
      break;
  }
  return text;
}

// "exit code 2", "signal 9 (Killed)" in the applied language; empty for an unknown end.
QString endStatus(ProgramEnd end) {
  switch (end.kind) {
    case ProgramEnd::Kind::Exited:
      return windowText(WindowText::ExitCode).arg(end.value);
    case ProgramEnd::Kind::Killed: {
      const char* name = ::sigdescr_np(end.value);
      return windowText(WindowText::Signal)
          .arg(QString::number(end.value),
               name != nullptr ? QString::fromLocal8Bit(name) : QString::number(end.value));
    }
    case ProgramEnd::Kind::Unknown:
      break;
  }
  return QString();
}

}  // namespace

QString cannotOpenFile(const QString& path, int errorNumber) {
  const QString message = QStringLiteral("Cannot open file %1").arg(displayPath(path));
  return errorNumber == EMFILE || errorNumber == ENFILE
             ? message + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errorNumber))
             : message;
}

QString cannotCreateFile(const QString& path) {
  return QStringLiteral("Cannot create file %1").arg(displayPath(path));
}

QString cannotOpenDirectory(const QString& path) {
  return QStringLiteral("Cannot open directory %1").arg(path);
}

QString streamWriteError() {
  return QStringLiteral("Stream write error");
}

QString unableToWriteTo(const QString& path) {
  return QStringLiteral("Unable to write to %1").arg(displayPath(path));
}

QString textExceedsMemoCapacity() {
  return QStringLiteral("Text exceeds memo capacity");
}

QString jpegError(int code) {
  return QStringLiteral("JPEG error #%1").arg(code);
}

QString missingArchive(const QString& path) {
  return windowText(WindowText::MissingArchive).arg(displayPath(path));
}

QString withoutArchive(const QString& driverCount, int missing) {
  return windowText(WindowText::WithoutArchive).arg(driverCount).arg(missing);
}

QString fileAccessDenied() {
  return QStringLiteral("File access denied");
}

QString notInWindows1252(char32_t character) {
  return windowText(WindowText::NotInWindows1252)
      .arg(QString::fromUcs4(&character, 1),
           QStringLiteral("%1")
               .arg(static_cast<uint>(character), 4, 16, QLatin1Char('0'))
               .toUpper());
}

QString cannotUseCurrentDirectory(int errorNumber) {
  return QStringLiteral("Cannot use the current directory as the base directory: %1")
      .arg(QString::fromLocal8Bit(std::strerror(errorNumber)));
}

QString programOutputTitle(const QString& programName, const QString& gameName) {
  return windowText(WindowText::OutputTitle).arg(programName, gameName);
}

QString programRunning(const QString& programName) {
  return windowText(WindowText::ProgramRunning).arg(programName);
}

QString programEnded(const QString& programName, ProgramEnd end) {
  const QString status = endStatus(end);
  return status.isEmpty() ? windowText(WindowText::ProgramEnded).arg(programName)
                          : windowText(WindowText::ProgramEndedWith).arg(programName, status);
}

QString outputSkipped(qint64 count) {
  return windowText(WindowText::OutputSkipped).arg(count);
}

QString cannotStart(const QString& program, int errorNumber) {
  return windowText(WindowText::CannotStart)
      .arg(displayPath(program), QString::fromLocal8Bit(std::strerror(errorNumber)));
}

QString startNotReported(const QString& program) {
  return QStringLiteral(
             "Cannot tell whether %1 started: the process that starts it gave no word in time "
             "(it may have been stopped); it may still start")
      .arg(displayPath(program));
}

QString needsWine(const QString& program) {
  return windowText(WindowText::NeedsWine).arg(displayPath(program));
}

QString programEndedAtOnce(const QString& programName, ProgramEnd end, const QString& lastLines,
                           const QString& logPath) {
  if (lastLines.isEmpty()) {
    return windowText(WindowText::EndedAtOnceSilently).arg(programName, endStatus(end)) +
           QStringLiteral("\n\n") + wholeLog(logPath);
  }
  return windowText(WindowText::EndedAtOnce).arg(programName, endStatus(end)) +
         QStringLiteral("\n\n") + lastLines + QStringLiteral("\n\n") + wholeLog(logPath);
}

QString wholeLog(const QString& logPath) {
  return windowText(WindowText::WholeLog).arg(displayPath(logPath));
}

QString logKeptAside(const QString& logPath, const QString& takenPath, int errorNumber) {
  return windowText(WindowText::LogKeptAside)
      .arg(displayPath(logPath), displayPath(takenPath),
           QString::fromLocal8Bit(std::strerror(errorNumber)));
}

QString previousLogInTheWay(const QString& logPath, const QString& previousPath, int errorNumber) {
  return windowText(WindowText::PreviousLogInTheWay)
      .arg(displayPath(logPath), displayPath(previousPath),
           QString::fromLocal8Bit(std::strerror(errorNumber)));
}

QString aboutText(const QString& driversPage, const QString& settingsPage,
                  const QString& playButton) {
  return windowText(WindowText::AboutText)
      .replace(QLatin1String("\\n"), QLatin1String("\n"))
      .arg(driversPage, settingsPage, playButton);
}

QByteArray logHeader(const QByteArray& commandLine, const QByteArray& time) {
  return kLogHeaderWord + commandLine + QByteArrayLiteral(" at ") + time + '\n';
}

std::size_t formatLeftOutLine(char* buffer, std::size_t size, std::uint64_t count) {
  FixedText text(buffer, size);
  text << "[... " << static_cast<std::int64_t>(count) << " bytes left out ...]\n";
  return text.length();
}

std::size_t formatLogEndLine(char* buffer, std::size_t size, ProgramEnd end) {
  FixedText text(buffer, size);
  text << "Ended" << end << "\n";
  return text.length();
}

QString errorBoxText(const QString& message) {
  if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
    return message + QLatin1Char('.');
  }
  return message;
}

}  // namespace vorlane::messages
