#pragma once

#include <memory>

#include <QByteArray>
#include <QString>

namespace vorlane {

// A log file made fresh for what one started program writes, and read back by this process as
// it grows. The file stays open here, so it is still this run's log when a later run of the
// same program has put a new file in its place.
class OutputLog {
 public:
  // Makes a new empty file beside `path`, under a name of its own until keep() gives it that
  // one, so that a program that fails to start leaves the logs as they were. Returns nullptr when
  // the file cannot be made, for example in a folder that is missing or may not be written: the
  // program then goes without a log.
  static std::unique_ptr<OutputLog> create(const QString& path);
  // Removes the file again unless it was kept.
  ~OutputLog();
  OutputLog(const OutputLog&) = delete;
  OutputLog& operator=(const OutputLog&) = delete;

  // Once the program has started, the file takes the name it was made for. An older file of that
  // name is moved to `previousPath` when one is given (replacing what was kept there), and
  // replaced otherwise; it is never emptied, so a program still writing to it writes on into its
  // own. A link in the file's place is replaced, not followed.
  void keep(const QString& previousPath = QString());

  // Where the file is now.
  const QString& path() const { return m_path; }
  // The open file a started program writes its output to.
  int descriptor() const { return m_descriptor; }

  // What was written since the last call, at most `limit` bytes.
  QByteArray readNew(qint64 limit);
  // The last `count` bytes written so far; does not move readNew on.
  QByteArray tail(qint64 count) const;

 private:
  OutputLog(QString finalPath, QString path, int descriptor);
  qint64 size() const;

  QString m_finalPath;
  QString m_path;
  int m_descriptor;
  bool m_kept = false;
  qint64 m_readOffset = 0;
};

}  // namespace vorlane
