#pragma once

#include <QByteArray>
#include <QList>

namespace vorlane {

// Runs `executable` with `arguments` (its own name first), all as the system's bytes, in
// `workingDirectory`, and returns as soon as the program has started. No shell sees the
// arguments; the program runs as a grandchild in a session of its own, so nothing is waited for
// and no zombie is left. Returns 0, or the system's error number when the directory cannot be
// entered or the system refuses to run the program.
int startDetachedProcess(const QByteArray& executable, const QList<QByteArray>& arguments,
                         const QByteArray& workingDirectory);

}  // namespace vorlane
