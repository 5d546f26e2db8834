#include "core/files/FolderWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#include "core/files/FileSystem.h"
#include "core/text/NativeText.h"

namespace vorlane {

FolderWatch::FolderWatch(std::chrono::milliseconds quietTime, QObject* parent,
                         std::chrono::milliseconds pollInterval, int refusedWatches)
    : QObject(parent), m_refusedWatches(refusedWatches) {
  m_quiet.setSingleShot(true);
  m_quiet.setInterval(quietTime);
  m_poll.setInterval(pollInterval);
  connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &FolderWatch::noteChange);
  connect(&m_quiet, &QTimer::timeout, this, &FolderWatch::settle);
  connect(&m_poll, &QTimer::timeout, this, &FolderWatch::poll);
  openWrites();
}

void FolderWatch::openWrites() {
  m_writes = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (m_writes >= 0) {
    m_writesNotifier = new QSocketNotifier(m_writes, QSocketNotifier::Read, this);
    connect(m_writesNotifier, &QSocketNotifier::activated, this, &FolderWatch::takeWrites);
  }
}

FolderWatch::~FolderWatch() {
  if (m_writes >= 0) {
    delete m_writesNotifier;
    ::close(m_writes);
  }
}

void FolderWatch::watch(const QString& folder) {
  m_folder = folder;
  m_quiet.stop();
  m_entriesChanged = false;
  m_identity = identityOf(m_folder);
  rewatch();
}

FolderWatch::Identity FolderWatch::identityOf(const QString& path) {
  const std::optional<DirectoryStamp> stamp = path.isEmpty() ? std::nullopt : directoryStamp(path);
  return stamp ? Identity{true, quint64(stamp->device), quint64(stamp->inode)} : Identity{};
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
  const bool placed = placeWatches();
  // Taken once the watches are in place: a change since shows in one or the other.
  m_stamp = m_folder.isEmpty() ? std::nullopt : directoryStamp(m_folder);
  setPolling(!placed);
}

void FolderWatch::poll() {
  const std::optional<DirectoryStamp> before = m_stamp;
  rewatch();
  if (m_stamp != before) {
    noteChange(m_folder);
  }
}

void FolderWatch::setPolling(bool polling) {
  if (polling == m_poll.isActive()) {
    return;
  }
  if (polling) {
    m_poll.start();
  } else {
    m_poll.stop();
  }
  Q_EMIT pollingChanged(polling);
}

bool FolderWatch::placeWatches() {
  // A watch follows a folder that was renamed: every watch is made afresh on the paths.
  const QStringList watched = m_watcher.directories();
  if (!watched.isEmpty()) {
    m_watcher.removePaths(watched);
  }
  unwatchWrites();
  if (m_folder.isEmpty()) {
    return true;
  }
  if (m_refusedWatches > 0) {
    --m_refusedWatches;
    return false;
  }
  QStringList paths;
  if (m_identity.isFolder) {
    paths.append(m_folder);
  }
  for (QString above = QFileInfo(m_folder).absolutePath(); !above.isEmpty();
       above = QFileInfo(above).absolutePath()) {
    if (isDirectory(above)) {
      paths.append(above);
      break;
    }
    if (QDir(above).isRoot()) {
      break;
    }
  }
  const bool entriesWatched = m_watcher.addPaths(paths).isEmpty();
  return watchWrites() && entriesWatched;
}

void FolderWatch::unwatchWrites() {
  if (m_writesWatch >= 0) {
    ::inotify_rm_watch(m_writes, m_writesWatch);
    m_writesWatch = -1;
  }
}

bool FolderWatch::watchWrites() {
  if (!m_identity.isFolder) {
    return true;
  }
  if (m_writes < 0) {
    openWrites();
  }
  if (m_writes >= 0) {
    m_writesWatch = ::inotify_add_watch(m_writes, encodeNative(m_folder).constData(),
                                        IN_CLOSE_WRITE | IN_ONLYDIR);
  }
  return m_writesWatch >= 0;
}

void FolderWatch::takeWrites() {
  alignas(struct inotify_event) char buffer[4096];
  bool written = false;
  for (ssize_t size; (size = ::read(m_writes, buffer, sizeof buffer)) > 0;) {
    for (ssize_t at = 0; at < size;) {
      const auto* event = reinterpret_cast<const struct inotify_event*>(buffer + at);
      written = written || (event->wd == m_writesWatch && (event->mask & IN_CLOSE_WRITE));
      at += ssize_t(sizeof(struct inotify_event) + event->len);
    }
  }
  if (written) {
    noteChange(m_folder);
  }
}

}  // namespace vorlane
