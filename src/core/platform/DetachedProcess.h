#pragma once

#include <QByteArray>
#include <QList>

namespace vorlane {

struct DetachedStart {
  // 0, or the system's error number when the directory cannot be entered or the system refuses
  // to run the program.
  int errorNumber = 0;
  // A descriptor that becomes readable once the program has ended, owned by the caller; -1 when
  // the start failed or the system cannot watch a process it is not the parent of.
  int endDescriptor = -1;
};

// Runs `executable` with `arguments` (its own name first), all as the system's bytes, in
// `workingDirectory`, and returns as soon as the program has started. No shell sees the
// arguments; the program runs as a grandchild in a session of its own, so nothing is waited for,
// no zombie is left, and nothing this process does later can end it. When `outputDescriptor` is
// not -1 the program's standard output and error are that open file; otherwise it shares this
// process's own.
DetachedStart startDetachedProcess(const QByteArray& executable, const QList<QByteArray>& arguments,
                                   const QByteArray& workingDirectory, int outputDescriptor = -1);

}  // namespace vorlane
