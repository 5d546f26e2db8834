#pragma once

#include <QByteArray>
#include <QList>

namespace vorlane {

// Where a started program's output goes, and what its watcher tells about it.
struct DetachedOutput {
  // The log file, or -1: the program then shares this process's own output.
  int logDescriptor = -1;
  // The log's first line, written before any output.
  QByteArray logHeader;
  // The log's size limit: past it the log keeps its first and its last half, and one line says
  // how much was left out between them.
  qint64 logCap = qint64(16) << 20;
  // Whether the output is also sent through the report channel as it comes.
  bool liveFeed = false;
};

struct DetachedStart {
  // 0, or the system's error number when the directory cannot be entered or the system refuses
  // to run the program.
  int errorNumber = 0;
  // The watcher told nothing within the deadline (it may have been stopped): whether the
  // program runs is not known.
  bool unreported = false;
  // The read end of the report channel (see ReportRecord.h) after the start record, owned by the
  // caller; -1 when the start failed.
  int reportDescriptor = -1;
  // The started program's process descriptor, owned by the caller, which tells its end when its
  // watcher is gone; -1 when the start failed or the system gave none.
  int programDescriptor = -1;
};

// Runs `executable` with `arguments` (its own name first), all as the system's bytes, in
// `workingDirectory`, and returns as soon as the program has started. No shell sees the
// arguments. The program runs in a session of its own, as the child of a watcher that this
// process is not the parent of: the watcher (named vorlane-relay, so that ending Vorlane by its
// name leaves it be) copies the output into the log, waits for the program, and reports its end, so
// nothing is waited for here, no zombie is left, and nothing this process does later can end the
// program. The program inherits no signal disposition, no signal mask and no descriptor above 2
// from this process. How long the start waits for the watcher's word before it gives up on it.
inline constexpr int kStartReportMs = 10000;
DetachedStart startDetachedProcess(const QByteArray& executable, const QList<QByteArray>& arguments,
                                   const QByteArray& workingDirectory,
                                   const DetachedOutput& output = {});

// Reads the watcher's first record from the report channel's read end, waiting at most
// `deadlineMs`; on a good start the channel is handed on in the result, otherwise closed.
DetachedStart readStartReport(int channel, int deadlineMs);

}  // namespace vorlane
