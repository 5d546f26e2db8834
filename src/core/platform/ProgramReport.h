#pragma once

#include <QByteArray>
#include <QObject>

#include "core/platform/ProgramEnd.h"

class QSocketNotifier;

namespace vorlane {

// Reads what the watcher of a started program reports: its output when a live feed was asked
// for, the bytes the feed had to leave out, and the program's end. It is neither the program's
// parent nor has any power over it: destroying the report leaves the program running (the
// watcher then only stops feeding).
class ProgramReport : public QObject {
  Q_OBJECT

 public:
  // Takes over `channel`, the report channel's read end (see startDetachedProcess).
  explicit ProgramReport(int channel, QObject* parent = nullptr);
  ~ProgramReport() override;
  ProgramReport(const ProgramReport&) = delete;
  ProgramReport& operator=(const ProgramReport&) = delete;

  bool hasEnded() const { return m_ended; }
  ProgramEnd end() const { return m_end; }
  // Once the program has ended, the end of what it wrote (a few kilobytes, whole lines where
  // more came before), whether or not it was fed live.
  const QByteArray& lastOutput() const { return m_lastOutput; }

 Q_SIGNALS:
  // Each emitted from the event loop, in the order the watcher sent them.
  void output(const QByteArray& bytes);
  void skipped(qint64 count);
  // Emitted once, after all output.
  void ended(vorlane::ProgramEnd end);

 private:
  void readRecords();
  // Hands on the whole records in m_pending; false once the end has come.
  bool handRecordsOn();
  void handOutputOn();
  void finish(ProgramEnd end);

  int m_channel;
  QSocketNotifier* m_notifier;
  // Bytes read but not yet a whole record, and output gathered for one signal.
  QByteArray m_pending;
  QByteArray m_output;
  QByteArray m_lastOutput;
  bool m_ended = false;
  ProgramEnd m_end;
};

}  // namespace vorlane
