#include "core/platform/FolderWatch.h"

#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>

#include "core/platform/NativeText.h"

namespace vorlane {

FolderWatch::FolderWatch(std::chrono::milliseconds quietTime, QObject* parent) : QObject(parent) {
  m_quiet.setSingleShot(true);
  m_quiet.setInterval(quietTime);
  connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &FolderWatch::noteChange);
  connect(&m_quiet, &QTimer::timeout, this, &FolderWatch::settle);
}

void FolderWatch::watch(const QString& folder) {
  m_folder = folder;
  m_quiet.stop();
  m_entriesChanged = false;
  m_identity = identityOf(m_folder);
  rewatch();
}

FolderWatch::Identity FolderWatch::identityOf(const QString& path) {
  struct stat status {};
  if (path.isEmpty() || ::stat(encodeNative(path).constData(), &status) != 0 ||
      !S_ISDIR(status.st_mode)) {
    return {};
  }
  return {true, quint64(status.st_dev), quint64(status.st_ino)};
}

void FolderWatch::noteChange(const QString& path) {
  // The folder above changes with every sibling: only the folder's own coming and going count
  // from there, which settle() tells by its identity.
  if (path == m_folder) {
    m_entriesChanged = true;
  }
  m_quiet.start();
}

void FolderWatch::settle() {
  const Identity identity = identityOf(m_folder);
  const bool cameOrWent = identity != m_identity;
  m_identity = identity;
  // Watched again before the report, so that a change made while it is handled is not missed.
  rewatch();
  if (cameOrWent || m_entriesChanged) {
    m_entriesChanged = false;
    Q_EMIT changed();
  }
}

void FolderWatch::rewatch() {
  // A watch follows a folder that was renamed: every watch is made afresh on the paths.
  const QStringList watched = m_watcher.directories();
  if (!watched.isEmpty()) {
    m_watcher.removePaths(watched);
  }
  if (m_folder.isEmpty()) {
    return;
  }
  QStringList paths;
  if (m_identity.isFolder) {
    paths.append(m_folder);
  }
  for (QString above = QFileInfo(m_folder).absolutePath(); !above.isEmpty();
       above = QFileInfo(above).absolutePath()) {
    if (identityOf(above).isFolder) {
      paths.append(above);
      break;
    }
    if (QDir(above).isRoot()) {
      break;
    }
  }
  m_watcher.addPaths(paths);
}

}  // namespace vorlane
