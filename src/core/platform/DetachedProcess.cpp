#include "core/platform/DetachedProcess.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <vector>

namespace vorlane {
namespace {

// What the two started processes tell the caller through the report channel. A record is far
// smaller than a pipe's atomic write, so records never mix.
struct Report {
  enum Kind : int { kProgramId, kStartError } kind;
  int value;
};

// Between fork and exec only async-signal-safe calls are allowed: everything below works on
// memory prepared before the fork.

void report(int channel, Report record) {
  while (::write(channel, &record, sizeof record) < 0 && errno == EINTR) {
  }
}

// What this process ignores or blocks (a write past the file-size limit, a closed pipe) the
// started program would otherwise inherit through exec.
void restoreSignals() {
  struct sigaction standard {};
  standard.sa_handler = SIG_DFL;
  for (const int number : {SIGPIPE, SIGXFSZ}) {
    ::sigaction(number, &standard, nullptr);
  }
  sigset_t none;
  ::sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
}

bool redirectOutput(int outputDescriptor) {
  return outputDescriptor < 0 || (::dup2(outputDescriptor, STDOUT_FILENO) >= 0 &&
                                  ::dup2(outputDescriptor, STDERR_FILENO) >= 0);
}

[[noreturn]] void runProgram(const char* executable, char* const* argv, const char* directory,
                             int outputDescriptor, int channel) {
  restoreSignals();
  if (redirectOutput(outputDescriptor) && ::chdir(directory) == 0) {
    ::execv(executable, argv);
  }
  report(channel, {Report::kStartError, errno});
  ::_exit(127);
}

// Blocks until the caller closes its end of the pipe.
void waitForRelease(int release) {
  char byte = 0;
  while (::read(release, &byte, 1) < 0 && errno == EINTR) {
  }
}

bool readReport(int channel, Report& record) {
  ssize_t got = 0;
  do {
    got = ::read(channel, &record, sizeof record);
  } while (got < 0 && errno == EINTR);
  // The channel closes without a word once both processes are done with it.
  return got == static_cast<ssize_t>(sizeof record);
}

// A descriptor that becomes readable when the process ends, or -1 on a kernel without process
// descriptors. Called through syscall, as not every C library declares it for C++.
int openProcessDescriptor(pid_t process) {
  return static_cast<int>(::syscall(SYS_pidfd_open, process, 0));
}

void closeIfOpen(int& descriptor) {
  if (descriptor >= 0) {
    ::close(descriptor);
    descriptor = -1;
  }
}

}  // namespace

DetachedStart startDetachedProcess(const QByteArray& executable, const QList<QByteArray>& arguments,
                                   const QByteArray& workingDirectory, int outputDescriptor) {
  std::vector<char*> argv;
  argv.reserve(static_cast<std::size_t>(arguments.size()) + 1);
  for (const QByteArray& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.constData()));
  }
  argv.push_back(nullptr);

  // The intermediate child waits on `release` after it has reported the program's id: until it
  // ends, the program cannot be reaped by anyone, so the id still names it when it is opened
  // for watching.
  int channel[2];
  int release[2];
  if (::pipe2(channel, O_CLOEXEC) != 0) {
    return {errno};
  }
  if (::pipe2(release, O_CLOEXEC) != 0) {
    const int errorNumber = errno;
    ::close(channel[0]);
    ::close(channel[1]);
    return {errorNumber};
  }
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    ::close(release[1]);
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild == 0) {
      runProgram(executable.constData(), argv.data(), workingDirectory.constData(),
                 outputDescriptor, channel[1]);
    }
    if (grandchild < 0) {
      report(channel[1], {Report::kStartError, errno});
    } else {
      report(channel[1], {Report::kProgramId, grandchild});
      waitForRelease(release[0]);
    }
    // The grandchild is adopted by init, which reaps it when it ends.
    ::_exit(0);
  }
  DetachedStart start;
  start.errorNumber = child < 0 ? errno : 0;
  ::close(channel[1]);
  ::close(release[0]);
  Report record{};
  while (child > 0 && readReport(channel[0], record)) {
    if (record.kind == Report::kProgramId) {
      start.endDescriptor = openProcessDescriptor(record.value);
      closeIfOpen(release[1]);
    } else {
      start.errorNumber = record.value;
    }
  }
  closeIfOpen(release[1]);
  ::close(channel[0]);
  if (child > 0) {
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  if (start.errorNumber != 0) {
    closeIfOpen(start.endDescriptor);
  }
  return start;
}

}  // namespace vorlane
