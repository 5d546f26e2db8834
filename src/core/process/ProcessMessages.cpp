#include "core/process/ProcessMessages.h"

#include <cstring>

#include "core/settings/WindowTexts.h"
#include "core/text/NativeText.h"

namespace vorlane::messages {
namespace {

QString systemReason(int errorNumber) {
  return QString::fromLocal8Bit(std::strerror(errorNumber));
}

}  // namespace

QString cannotStart(const QString& program, int errorNumber) {
  return windowText(WindowText::CannotStart).arg(displayPath(program), systemReason(errorNumber));
}

QString needsWine(const QString& program) {
  return windowText(WindowText::NeedsWine).arg(displayPath(program));
}

QString startNotReported(const QString& program) {
  return windowText(WindowText::StartNotReported).arg(displayPath(program));
}

QString logKeptAside(const QString& logPath, const QString& takenPath, int errorNumber) {
  return windowText(WindowText::LogKeptAside)
      .arg(displayPath(logPath), displayPath(takenPath), systemReason(errorNumber));
}

QString previousLogInTheWay(const QString& logPath, const QString& previousPath, int errorNumber) {
  return windowText(WindowText::PreviousLogInTheWay)
      .arg(displayPath(logPath), displayPath(previousPath), systemReason(errorNumber));
}

}  // namespace vorlane::messages
