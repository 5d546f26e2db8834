#include "core/platform/DetachedProcess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <vector>

namespace vorlane {
namespace {

// Between fork and exec only async-signal-safe calls are allowed: everything below works on
// memory prepared before the fork.

void report(int channel, int errorNumber) {
  while (::write(channel, &errorNumber, sizeof errorNumber) < 0 && errno == EINTR) {
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

[[noreturn]] void runProgram(const char* executable, char* const* argv, const char* directory,
                             int channel) {
  restoreSignals();
  if (::chdir(directory) == 0) {
    ::execv(executable, argv);
  }
  report(channel, errno);
  ::_exit(127);
}

int readReport(int channel) {
  int errorNumber = 0;
  ssize_t got = 0;
  do {
    got = ::read(channel, &errorNumber, sizeof errorNumber);
  } while (got < 0 && errno == EINTR);
  // The channel closes without a word when exec succeeds.
  return got == static_cast<ssize_t>(sizeof errorNumber) ? errorNumber : 0;
}

}  // namespace

int startDetachedProcess(const QByteArray& executable, const QList<QByteArray>& arguments,
                         const QByteArray& workingDirectory) {
  std::vector<char*> argv;
  argv.reserve(static_cast<std::size_t>(arguments.size()) + 1);
  for (const QByteArray& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.constData()));
  }
  argv.push_back(nullptr);

  int channel[2];
  if (::pipe2(channel, O_CLOEXEC) != 0) {
    return errno;
  }
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild == 0) {
      runProgram(executable.constData(), argv.data(), workingDirectory.constData(), channel[1]);
    }
    if (grandchild < 0) {
      report(channel[1], errno);
    }
    // The grandchild is adopted by init, which reaps it when it ends.
    ::_exit(0);
  }
  const int forkError = child < 0 ? errno : 0;
  ::close(channel[1]);
  const int errorNumber = forkError != 0 ? forkError : readReport(channel[0]);
  ::close(channel[0]);
  if (child > 0) {
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  return errorNumber;
}

}  // namespace vorlane
