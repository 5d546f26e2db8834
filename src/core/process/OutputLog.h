#pragma once

#include <memory>
#include <optional>

#include <QString>

namespace vorlane {

// A log file made fresh for what one started program writes. The file stays open here until the
// program has started, so it is still this run's log when a later run of the same program has
// put a new file in its place.
class OutputLog {
 public:
  // Makes a new empty file beside `path` (with the permissions the umask allows), under a name
  // of its own until keep() gives it that one, so that a program that fails to start leaves the
  // logs as they were. Such files that earlier runs left under their own names, because `path`
  // was taken, go first. Returns nullptr when the file cannot be made, for example in a folder
  // that is missing or may not be written: the program then goes without a log.
  static std::unique_ptr<OutputLog> create(const QString& path);
  // Removes the file again unless it was kept.
  ~OutputLog();
  OutputLog(const OutputLog&) = delete;
  OutputLog& operator=(const OutputLog&) = delete;

  // Once the program has started, the file takes the name it was made for. An older log of that
  // name is moved to `previousPath` when one is given (replacing what was kept there), and
  // replaced otherwise; it is never emptied, so a program still writing to it writes on into its
  // own. A link in the file's place is replaced, not followed. When the name cannot be taken (a
  // folder in its place, or an older log that cannot be moved aside or replaced), the file stays
  // under its own name until the next run of the same log, and the text returned says where
  // the output is and why.
  std::optional<QString> keep(const QString& previousPath = QString());

  // Where the file is now.
  const QString& path() const { return m_path; }
  // The open file a started program's output is written to.
  int descriptor() const { return m_descriptor; }

 private:
  OutputLog(QString finalPath, QString path, int descriptor);

  QString m_finalPath;
  QString m_path;
  int m_descriptor;
  bool m_kept = false;
};

}  // namespace vorlane
