#include "core/start/ProgramInfo.h"

#include "core/start/ProgramVersion.h"

namespace vorlane {

QString programVersion() {
  return QString::fromLatin1(kProgramVersion);
}

QString windowVersionText(int major, int minor) {
  return QStringLiteral("v%1.%2").arg(major).arg(minor, 2, 10, QLatin1Char('0'));
}

QString mainWindowTitle() {
  return QStringLiteral("Vorlane Frontend ") +
         windowVersionText(kProgramVersionMajor, kProgramVersionMinor);
}

}  // namespace vorlane
