#include "core/gamepad/MappingFile.h"

#include "core/errors/Error.h"
#include "core/files/FileAccess.h"
#include "core/start/ProgramInfo.h"
#include "core/text/NativeText.h"

namespace vorlane {

std::variant<QByteArray, QString> readMappingFile(const QString& path, qint64 limit) {
  const auto refused = [&](const QString& reason) {
    return QStringLiteral("%1: the game controller mappings in %2 are not read: %3.")
        .arg(QString::fromLatin1(kProgramName), displayPath(path), reason);
  };
  try {
    RegularFile file(path);
    // Read one byte past the limit: the file may have grown since it was opened.
    const QByteArray bytes = file.size() <= limit ? file.read(limit + 1) : QByteArray();
    if (file.size() > limit || bytes.size() > limit) {
      return refused(QStringLiteral("it holds more than %1 bytes").arg(limit));
    }
    return bytes;
  } catch (const Error&) {
    return refused(QStringLiteral("it is not a readable regular file"));
  }
}

}  // namespace vorlane
