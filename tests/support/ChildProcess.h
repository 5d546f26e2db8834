#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <optional>

#include <QByteArray>
#include <QString>

#include "core/errors/Error.h"

namespace vorlane::test {

// What the child process changes about itself before it runs the action.
struct ChildSetup {
  // Caps the size of any file the child writes. The signal a write past the cap raises is
  // left as it is: the code under test must keep it from ending the program.
  std::optional<rlim_t> fileSizeLimit;
  // Runs as an unprivileged user, since root ignores file permissions.
  bool asOrdinaryUser = false;
};

struct ChildOutcome {
  bool ranToEnd = false;         // the action returned or threw Error
  std::optional<QString> error;  // the Error's message, when it threw one
};

// Runs `action` in a forked child, so process-wide limits stay out of the test process.
inline ChildOutcome runInChild(const ChildSetup& setup, const std::function<void()>& action) {
  enum : int { kReturned = 0, kThrewError = 1, kSetupFailed = 2, kOtherException = 3 };
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) {
    return {};
  }
  const pid_t pid = fork();
  if (pid == 0) {
    close(pipeEnds[0]);
    if (setup.asOrdinaryUser && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
      _exit(kSetupFailed);
    }
    if (setup.fileSizeLimit) {
      const rlimit limit{*setup.fileSizeLimit, *setup.fileSizeLimit};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        _exit(kSetupFailed);
      }
    }
    int code = kReturned;
    try {
      action();
    } catch (const Error& error) {
      const QByteArray message = error.message().toUtf8();
      code = write(pipeEnds[1], message.constData(), message.size()) == message.size()
                 ? kThrewError
                 : kSetupFailed;
    } catch (...) {
      code = kOtherException;
    }
    _exit(code);
  }
  close(pipeEnds[1]);
  QByteArray message;
  char buffer[512];
  for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
    message.append(buffer, got);
  }
  close(pipeEnds[0]);
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
    return {};
  }
  switch (WEXITSTATUS(status)) {
    case kReturned:
      return {true, std::nullopt};
    case kThrewError:
      return {true, QString::fromUtf8(message)};
    default:
      return {};
  }
}

}  // namespace vorlane::test
