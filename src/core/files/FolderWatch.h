#pragma once

#include <chrono>
#include <optional>

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include "core/files/FileSystem.h"

class QSocketNotifier;

namespace vorlane {

// Tells when the entries of one folder change, or a file in it is written in place, never looking
// into its subfolders. Changes are
// gathered until the folder has been quiet for a while and then told once, so a copy of
// thousands of files ends in one or a few reports. A folder that disappears, is renamed or is
// replaced by a file is reported too, and so is its return, which is noticed through the
// folder above it.
// While the system refuses a watch (the user's watches used up by other programs), the folder is
// looked at again every `pollInterval` instead, its entries told by the folder's own times, and
// the watches are tried again each time.
class FolderWatch : public QObject {
  Q_OBJECT

 public:
  static constexpr std::chrono::milliseconds kDefaultQuietTime{300};
  static constexpr std::chrono::milliseconds kDefaultPollInterval{2000};

  // `refusedWatches`: acts as if the system refused the first so many attempts to place the
  // watches, as it does once the user's watches are used up.
  explicit FolderWatch(std::chrono::milliseconds quietTime = kDefaultQuietTime,
                       QObject* parent = nullptr,
                       std::chrono::milliseconds pollInterval = kDefaultPollInterval,
                       int refusedWatches = 0);
  ~FolderWatch() override;
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // Watches `folder` (absolute) from now on, in place of any other; an empty path stops.
  void watch(const QString& folder);
  const QString& folder() const { return m_folder; }
  // The folder is looked at again from time to time, for want of a watch.
  bool isPolling() const { return m_poll.isActive(); }

 Q_SIGNALS:
  // The folder's entries or a file's content changed, or the folder went or came back.
  void changed();
  // isPolling() became `polling`.
  void pollingChanged(bool polling);

 private:
  // A folder's identity on disk, so that one replaced or renamed into place counts as changed.
  struct Identity {
    bool isFolder = false;
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const Identity&, const Identity&) = default;
  };
  static Identity identityOf(const QString& path);

  void noteChange(const QString& path);
  void settle();
  // Watches the folder itself when it is one, and the nearest folder above it that exists;
  // polls while the system refuses a watch.
  void rewatch();
  // Whether every watch is in place.
  bool placeWatches();
  // The toolkit's watch tells a folder's entries only: a file rewritten in place (an editor
  // saving over a driver) is told by the files written and closed in the folder.
  bool watchWrites();
  void unwatchWrites();
  void openWrites();
  void takeWrites();
  void poll();
  void setPolling(bool polling);

  QFileSystemWatcher m_watcher;
  QTimer m_quiet;
  QTimer m_poll;
  int m_refusedWatches;
  // The folder as the watches were last placed, compared at each poll.
  std::optional<DirectoryStamp> m_stamp;
  int m_writes = -1;  // inotify descriptor, or -1 when the system gave none
  int m_writesWatch = -1;
  QSocketNotifier* m_writesNotifier = nullptr;
  QString m_folder;
  Identity m_identity;
  bool m_entriesChanged = false;
};

}  // namespace vorlane
