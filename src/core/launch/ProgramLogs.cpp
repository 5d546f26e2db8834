#include "core/launch/ProgramLogs.h"

#include <algorithm>

#include <QList>

#include "core/platform/Paths.h"

namespace vorlane {
namespace {

constexpr QLatin1String kEmulatorLogName("tessik-output.log");
constexpr QLatin1String kPreviousLogSuffix(".1");

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
