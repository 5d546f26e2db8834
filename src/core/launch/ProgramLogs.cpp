#include "core/launch/ProgramLogs.h"

#include <sys/stat.h>

#include <algorithm>
#include <utility>

#include <QList>

#include "core/files/Paths.h"
#include "core/text/NativeText.h"

namespace vorlane {
namespace {

constexpr QLatin1String kEmulatorLogName("tessik-output.log");
constexpr QLatin1String kPreviousLogSuffix(".1");
constexpr char kCacheLogFolder[] = "/vorlane/logs";

// "vorlane/logs" in the user's cache folder; empty when there is no home to put it in. A cache
// folder given as a relative path is not to be used.
QByteArray cacheLogDirectory() {
  const QByteArray cache = qgetenv("XDG_CACHE_HOME");
  if (cache.startsWith('/')) {
    return cache + kCacheLogFolder;
  }
  const QByteArray home = qgetenv("HOME");
  return home.startsWith('/') ? home + "/.cache" + kCacheLogFolder : QByteArray();
}

// Makes the folders of `path` that are missing, readable by this user only. Whether they can
// take a file shows when one is made.
void makeFolders(const QByteArray& path) {
  for (qsizetype slash = path.indexOf('/', 1); slash >= 0; slash = path.indexOf('/', slash + 1)) {
    ::mkdir(path.left(slash).constData(), 0700);
  }
  ::mkdir(path.constData(), 0700);
}

}  // namespace

QString emulatorLogPath(const QString& logDirectory) {
  return basePath(logDirectory, kEmulatorLogName);
}

QString previousEmulatorLogPath(const QString& logDirectory) {
  return emulatorLogPath(logDirectory) + kPreviousLogSuffix;
}

QString checksumLogPath(const QString& logDirectory, const QString& driverFileName) {
  const qsizetype dot = driverFileName.lastIndexOf(QLatin1Char('.'));
  const QString game = dot > 0 ? driverFileName.left(dot) : driverFileName;
  return basePath(logDirectory, QStringLiteral("checksum-%1.log").arg(game));
}

ProgramLog createProgramLog(const QString& logDirectory,
                            const std::function<QString(const QString&)>& logPathIn) {
  if (!logDirectory.isEmpty()) {
    if (std::unique_ptr<OutputLog> file = OutputLog::create(logPathIn(logDirectory))) {
      return {std::move(file), logDirectory};
    }
  }
  const QByteArray cache = cacheLogDirectory();
  if (cache.isEmpty()) {
    return {};
  }
  makeFolders(cache);
  const QString directory = decodeNative(cache);
  std::unique_ptr<OutputLog> file = OutputLog::create(logPathIn(directory));
  if (!file) {
    return {};
  }
  return {std::move(file), directory};
}

QByteArray lastLines(const QByteArray& output, int count) {
  QList<QByteArray> lines = output.split('\n');
  for (QByteArray& line : lines) {
    if (line.endsWith('\r')) {
      line.chop(1);
    }
  }
  while (!lines.isEmpty() && lines.back().isEmpty()) {
    lines.removeLast();
  }
  return lines.mid(std::max<qsizetype>(0, lines.size() - count)).join('\n');
}

}  // namespace vorlane
