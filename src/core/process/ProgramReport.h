#pragma once

#include <QByteArray>
#include <QObject>

#include "core/process/ProgramEnd.h"

class QSocketNotifier;

namespace vorlane {

// Reads what the watcher of a started program reports: its output when a live feed was asked
// for, the bytes the feed had to leave out, and the program's end. When the watcher is gone
// without telling the end (someone ended it), the program's own process descriptor tells when
// the program ends, though not how. It is neither the program's parent nor has any power over
// it: destroying the report leaves the program running (the watcher then only stops feeding).
class ProgramReport : public QObject {
  Q_OBJECT

 public:
  // Takes over `channel`, the report channel's read end, and `program`, the program's process
  // descriptor or -1 (see startDetachedProcess).
  ProgramReport(int channel, int program);
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
  // Emitted once, after all output, when the program has ended; an unknown end only once its
  // process has, or at once when there is no process descriptor to tell.
  void ended(vorlane::ProgramEnd end);

 private:
  void readRecords();
  // Hands on the whole records in m_pending; false once the end has come.
  bool handRecordsOn();
  void handOutputOn();
  void awaitProgramEnd();
  void finish(ProgramEnd end);

  int m_channel;
  int m_program;
  QSocketNotifier* m_notifier;
  QSocketNotifier* m_programEnd = nullptr;
  // Bytes read but not yet a whole record, and output gathered for one signal.
  QByteArray m_pending;
  QByteArray m_output;
  QByteArray m_lastOutput;
  bool m_ended = false;
  ProgramEnd m_end;
};

}  // namespace vorlane
