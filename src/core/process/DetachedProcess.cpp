#include "core/process/DetachedProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include <QDeadlineTimer>
#include <QFile>

#include "core/files/WriteAll.h"
#include "core/process/OutputRelay.h"
#include "core/process/ReportRecord.h"

namespace vorlane {
namespace {

using report::RecordHeader;

// A larger pipe lets the program and its watcher run further apart before either waits.
constexpr int kPipeBytes = 1 << 20;
// What the watcher takes from the output pipe at once.
constexpr std::size_t kChunkBytes = 64 << 10;
// After the program has ended, its pipe is read this far at most: a process it left behind may
// hold the pipe open and write on.
constexpr std::size_t kDrainBytes = std::size_t(4) << 20;
// Without process descriptors the watcher looks for the program's end this often.
constexpr int kEndPollMs = 100;
// The watcher's name and command line: not Vorlane's, so that ending Vorlane by its name (which
// the user may do while a game runs) does not end the watcher, and with it the game's output.
constexpr char kWatcherName[] = "vorlane-relay";

// Where this process's argument strings lie: what the system shows as its command line.
struct ArgumentArea {
  char* start = nullptr;
  std::size_t bytes = 0;
};

// Everything the forked processes use, prepared before the fork: after it, in a process that
// may have had other threads, only async-signal-safe calls are made, on this memory.
struct Plan {
  const char* executable = nullptr;
  char* const* argv = nullptr;
  const char* directory = nullptr;
  int channel[2] = {-1, -1};
  int output[2] = {-1, -1};  // the pipe the program's output goes into, when there is a log
  OutputRelay::Setup relay;
  const char* header = nullptr;
  std::size_t headerBytes = 0;
  int highestDescriptor = 0;
  ArgumentArea arguments;
};

void closeRange(unsigned first, unsigned last, int highest) {
  if (first > last || ::syscall(SYS_close_range, first, last, 0) == 0) {
    return;
  }
  for (unsigned descriptor = first; descriptor <= last && descriptor <= unsigned(highest);
       ++descriptor) {
    ::close(static_cast<int>(descriptor));
  }
}

// Closes every descriptor above 2 but those in `keep`, which is sorted.
template <std::size_t N>
void closeAllBut(const std::array<int, N>& keep, int highest) {
  unsigned from = 3;
  for (const int descriptor : keep) {
    if (descriptor >= static_cast<int>(from)) {
      closeRange(from, static_cast<unsigned>(descriptor) - 1, highest);
      from = static_cast<unsigned>(descriptor) + 1;
    }
  }
  closeRange(from, ~0U, highest);
}

// Nothing this process ignored, caught or blocked reaches the program: every signal is back to
// its default and none is blocked.
// Through the system call itself: the C library refuses the signals it keeps for its own threads,
// yet a caller may have left them ignored. An all-zero kernel action is the default action with
// no flags and no mask, whatever the order of its fields.
void resetSignals() {
  constexpr unsigned long kKernelSignalSetBytes = 8;
  const std::array<unsigned long, 8> standard{};
  for (int number = 1; number < NSIG; ++number) {
    ::syscall(SYS_rt_sigaction, number, standard.data(), nullptr, kKernelSignalSetBytes);
  }
  sigset_t none;
  ::sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
}

void ignoreSignal(int number) {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(number, &ignore, nullptr);
}

[[noreturn]] void runProgram(const Plan& plan, int execFailure) {
  resetSignals();
  const int output = plan.output[1];
  if ((output < 0 || (::dup2(output, STDOUT_FILENO) >= 0 && ::dup2(output, STDERR_FILENO) >= 0)) &&
      ::chdir(plan.directory) == 0) {
    // `execFailure` closes itself when exec succeeds.
    closeAllBut(std::array<int, 1>{execFailure}, plan.highestDescriptor);
    ::execv(plan.executable, plan.argv);
  }
  const int error = errno;
  writeAll(execFailure, &error, sizeof error);
  ::_exit(127);
}

ProgramEnd endOf(int status) {
  return WIFSIGNALED(status) ? ProgramEnd::killed(WTERMSIG(status))
                             : ProgramEnd::exited(WEXITSTATUS(status));
}

// Copies the program's output until the program has ended, and then what it left in the pipe.
ProgramEnd relayUntilEnd(const Plan& plan, OutputRelay& relay, pid_t program) {
  const int endDescriptor = static_cast<int>(::syscall(SYS_pidfd_open, program, 0));
  int output = plan.output[0];
  char chunk[kChunkBytes];
  int status = 0;
  bool reaped = false;
  while (!reaped) {
    pollfd watched[2] = {{output, POLLIN, 0}, {endDescriptor, POLLIN, 0}};
    if (::poll(watched, 2, endDescriptor < 0 ? kEndPollMs : -1) < 0 && errno != EINTR) {
      break;
    }
    if (watched[0].revents != 0) {
      const ssize_t got = ::read(output, chunk, sizeof chunk);
      if (got > 0) {
        relay.take(chunk, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        output = -1;  // ignored by poll from now on
      }
    }
    reaped = (endDescriptor < 0 || watched[1].revents != 0) &&
             ::waitpid(program, &status, WNOHANG) == program;
  }
  if (output >= 0) {
    ::fcntl(output, F_SETFL, O_NONBLOCK);
    std::size_t drained = 0;
    for (ssize_t got; drained < kDrainBytes && (got = ::read(output, chunk, sizeof chunk)) > 0;
         drained += static_cast<std::size_t>(got)) {
      relay.take(chunk, static_cast<std::size_t>(got));
    }
  }
  if (endDescriptor >= 0) {
    ::close(endDescriptor);
  }
  while (!reaped && ::waitpid(program, &status, 0) < 0 && errno == EINTR) {
  }
  return endOf(status);
}

ArgumentArea argumentArea() {
  QFile file(QStringLiteral("/proc/self/stat"));
  if (!file.open(QIODevice::ReadOnly)) {
    return {};
  }
  // The fields after the name in parentheses (which may hold anything), from the third on;
  // the 48th and 49th are where the arguments begin and end.
  const QByteArray status = file.readAll();
  const QList<QByteArray> fields = status.mid(status.lastIndexOf(')') + 2).split(' ');
  constexpr int kFirstField = 3;
  constexpr int kArgumentsStart = 48;
  constexpr int kArgumentsEnd = 49;
  if (fields.size() <= kArgumentsEnd - kFirstField) {
    return {};
  }
  const quintptr start = fields[kArgumentsStart - kFirstField].toULongLong();
  const quintptr end = fields[kArgumentsEnd - kFirstField].toULongLong();
  if (start == 0 || end <= start) {
    return {};
  }
  return {reinterpret_cast<char*>(start), static_cast<std::size_t>(end - start)};
}

// Gives the watcher its own name, and its own command line in the copy of Vorlane's arguments
// it has (as much of the name as they have room for).
void nameWatcher(const ArgumentArea& arguments) {
  ::prctl(PR_SET_NAME, kWatcherName);
  if (arguments.bytes > 0) {
    std::memset(arguments.start, 0, arguments.bytes);
    std::memcpy(arguments.start, kWatcherName,
                std::min(sizeof kWatcherName - 1, arguments.bytes - 1));
  }
}

// The process between this one and the program: it starts the program, tells its id or why
// it could not start, copies its output, waits for it and tells its end.
[[noreturn]] void watchProgram(const Plan& plan) {
  resetSignals();
  nameWatcher(plan.arguments);
  // A reader that has gone and a log past the file-size limit are failed writes, not the end.
  ignoreSignal(SIGPIPE);
  ignoreSignal(SIGXFSZ);
  const int channel = plan.channel[1];
  std::array<int, 4> keep = {channel, plan.relay.log, plan.output[0], plan.output[1]};
  std::sort(keep.begin(), keep.end());
  closeAllBut(keep, plan.highestDescriptor);

  int execFailure[2];
  if (::pipe2(execFailure, O_CLOEXEC) != 0) {
    report::writeRecord(channel, RecordHeader::kStartError, errno);
    ::_exit(0);
  }
  const pid_t program = ::fork();
  if (program == 0) {
    runProgram(plan, execFailure[1]);
  }
  const int forkError = errno;
  ::close(execFailure[1]);
  if (plan.output[1] >= 0) {
    ::close(plan.output[1]);
  }
  int error = program < 0 ? forkError : 0;
  while (program > 0 && ::read(execFailure[0], &error, sizeof error) < 0 && errno == EINTR) {
  }
  if (error != 0) {
    report::writeRecord(channel, RecordHeader::kStartError, error);
    if (program > 0) {
      while (::waitpid(program, nullptr, 0) < 0 && errno == EINTR) {
      }
    }
    ::_exit(0);
  }
  report::writeRecord(channel, RecordHeader::kStarted, program);
  OutputRelay relay(plan.relay);
  relay.writeHeader(plan.header, plan.headerBytes);
  relay.finish(relayUntilEnd(plan, relay, program));
  ::_exit(0);
}

enum class ReadResult { kWhole, kEnded, kTimedOut };

// Reads `length` bytes unless the deadline passes first.
ReadResult readBefore(int descriptor, void* data, std::size_t length,
                      const QDeadlineTimer& deadline) {
  auto* bytes = static_cast<char*>(data);
  while (length > 0) {
    pollfd readable{descriptor, POLLIN, 0};
    const int ready = ::poll(&readable, 1, static_cast<int>(deadline.remainingTime()));
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    if (ready == 0) {
      return ReadResult::kTimedOut;
    }
    const ssize_t got = ready < 0 ? -1 : ::read(descriptor, bytes, length);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      return ReadResult::kEnded;
    }
    bytes += got;
    length -= static_cast<std::size_t>(got);
  }
  return ReadResult::kWhole;
}

void closePair(int pair[2]) {
  for (int i : {0, 1}) {
    if (pair[i] >= 0) {
      ::close(pair[i]);
      pair[i] = -1;
    }
  }
}

int highestDescriptor() {
  rlimit limit{};
  return ::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY
             ? static_cast<int>(std::min<rlim_t>(limit.rlim_cur, 1 << 20))
             : 1 << 16;
}

// The ring the watcher keeps the log's last part in: mapped here but never touched, so it
// costs this process nothing, and unmapped again once the watcher has its own copy.
char* mapRing(std::size_t bytes) {
  if (bytes == 0) {
    return nullptr;
  }
  void* ring = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  return ring == MAP_FAILED ? nullptr : static_cast<char*>(ring);
}

}  // namespace

DetachedStart startDetachedProcess(const QByteArray& executable, const QList<QByteArray>& arguments,
                                   const QByteArray& workingDirectory,
                                   const DetachedOutput& output) {
  std::vector<char*> argv;
  argv.reserve(static_cast<std::size_t>(arguments.size()) + 1);
  for (const QByteArray& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.constData()));
  }
  argv.push_back(nullptr);

  Plan plan;
  plan.executable = executable.constData();
  plan.argv = argv.data();
  plan.directory = workingDirectory.constData();
  plan.header = output.logHeader.constData();
  plan.headerBytes = static_cast<std::size_t>(output.logHeader.size());
  plan.highestDescriptor = highestDescriptor();
  plan.arguments = argumentArea();
  plan.relay.liveFeed = output.liveFeed;
  if (::pipe2(plan.channel, O_CLOEXEC) != 0) {
    return {errno};
  }
  plan.relay.channel = plan.channel[1];
  ::fcntl(plan.channel[1], F_SETPIPE_SZ, kPipeBytes);
  if (output.logDescriptor >= 0) {
    if (::pipe2(plan.output, O_CLOEXEC) != 0) {
      const int error = errno;
      closePair(plan.channel);
      return {error};
    }
    ::fcntl(plan.output[1], F_SETPIPE_SZ, kPipeBytes);
    plan.relay.log = output.logDescriptor;
    plan.relay.headBytes = static_cast<std::size_t>(output.logCap / 2);
    plan.relay.ringBytes = static_cast<std::size_t>(output.logCap) - plan.relay.headBytes;
    plan.relay.ring = mapRing(plan.relay.ringBytes);
    if (plan.relay.ring == nullptr) {
      plan.relay.ringBytes = 0;
    }
  }

  const pid_t child = ::fork();
  if (child == 0) {
    // The first child only puts the watcher out of this process's family: once it has ended,
    // the watcher is adopted by init (or a subreaper) and this process is nobody's parent.
    ::setsid();
    const pid_t watcher = ::fork();
    if (watcher == 0) {
      watchProgram(plan);
    }
    if (watcher < 0) {
      report::writeRecord(plan.channel[1], RecordHeader::kStartError, errno);
    }
    ::_exit(0);
  }
  const int forkError = errno;
  if (plan.relay.ring != nullptr) {
    ::munmap(plan.relay.ring, plan.relay.ringBytes);
  }
  ::close(plan.channel[1]);
  closePair(plan.output);
  if (child < 0) {
    ::close(plan.channel[0]);
    return {forkError};
  }
  while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
  return readStartReport(plan.channel[0], kStartReportMs);
}

DetachedStart readStartReport(int channel, int deadlineMs) {
  RecordHeader first{};
  const ReadResult read = readBefore(channel, &first, sizeof first, QDeadlineTimer(deadlineMs));
  if (read == ReadResult::kWhole && first.kind == RecordHeader::kStarted) {
    // Opened before anything is read past the start: until then the watcher has not reaped the
    // program, so its process id still names it.
    return {.reportDescriptor = channel,
            .programDescriptor =
                static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(first.value), 0))};
  }
  ::close(channel);
  if (read == ReadResult::kTimedOut) {
    return {.unreported = true};
  }
  // A watcher that died before it said anything leaves no reason of its own.
  return {.errorNumber =
              first.kind == RecordHeader::kStartError ? static_cast<int>(first.value) : EIO};
}

}  // namespace vorlane
