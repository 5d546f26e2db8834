#include "core/platform/FileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/platform/Error.h"
#include "core/platform/Messages.h"

namespace vorlane {
namespace {

// Not writable by this user, or marked writable for nobody: the superuser may write anywhere,
// but a file without any write permission is still one the user meant to keep as it is.
bool isReadOnly(const QFileInfo& info) {
  constexpr QFile::Permissions kAnyWrite =
      QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
  return !info.isWritable() || (info.permissions() & kAnyWrite) == 0;
}

}  // namespace

QByteArray readWholeFile(const QString& path) {
  QFile file(path);
  // Opening refuses a directory too, so no separate look at the path is needed.
  if (!file.open(QIODevice::ReadOnly)) {
    throw Error(messages::cannotOpenFile(path));
  }
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    throw Error(messages::cannotOpenFile(path));
  }
  return bytes;
}

void replaceFileAtomically(const QString& path, const QByteArray& bytes) {
  const QFileInfo info(path);
  // A rename would replace a read-only file; the user asked for it to be left alone.
  if (info.exists() && (info.isDir() || isReadOnly(info))) {
    throw Error(messages::cannotCreateFile(path));
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    throw Error(messages::cannotCreateFile(path));
  }
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    throw Error(messages::streamWriteError());
  }
  if (!file.commit()) {
    // Buffered bytes are flushed by commit, so a full disk shows up here.
    throw Error(file.error() == QFileDevice::WriteError ? messages::streamWriteError()
                                                        : messages::cannotCreateFile(path));
  }
}

}  // namespace vorlane
