#include "core/platform/FileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/platform/Error.h"
#include "core/platform/Messages.h"

namespace vorlane {

QByteArray readWholeFile(const QString& path) {
  QFile file(path);
  if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
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
  if (info.exists() && (info.isDir() || !info.isWritable())) {
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
