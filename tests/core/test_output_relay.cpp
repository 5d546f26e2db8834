#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <vector>

#include <QList>

#include <gtest/gtest.h>

#include "core/platform/OutputRelay.h"
#include "support/TempBase.h"

namespace vorlane::test {
namespace {

// The log the relay makes of `chunks` with a first part of `head` bytes and `ring` bytes kept
// of the rest.
QByteArray relayedLog(const QList<QByteArray>& chunks, std::size_t head, std::size_t ring,
                      ProgramEnd end) {
  const TempBase base;
  const QString path = base.filePath(QStringLiteral("tool.log"));
  const int log = ::open(path.toUtf8().constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  std::vector<char> kept(ring);
  OutputRelay::Setup setup;
  setup.log = log;
  setup.headBytes = head;
  setup.ring = kept.data();
  setup.ringBytes = ring;
  OutputRelay relay(setup);
  relay.writeHeader("H\n", 2);
  for (const QByteArray& chunk : chunks) {
    relay.take(chunk.constData(), static_cast<std::size_t>(chunk.size()));
  }
  relay.finish(end);
  ::close(log);
  return base.read(QStringLiteral("tool.log"));
}

TEST(OutputRelay, KeepsTheFirstAndLastPartsWithOneLineForTheGap) {
  const ProgramEnd done = ProgramEnd::exited(0);
  const struct {
    QList<QByteArray> chunks;
    std::size_t head;
    std::size_t ring;
    ProgramEnd end;
    const char* log;
  } cases[] = {
      {{}, 8, 8, done, "H\nEnded with exit code 0\n"},
      {{"abc\n"}, 8, 8, ProgramEnd::exited(2), "H\nabc\nEnded with exit code 2\n"},
      {{"abcdef"}, 6, 4, done, "H\nabcdef\nEnded with exit code 0\n"},
      {{"abcdefgh"}, 6, 4, done, "H\nabcdefgh\nEnded with exit code 0\n"},
      {{"abcdefghij\n"},
       6,
       4,
       ProgramEnd::killed(SIGKILL),
       "H\nabcd\n[... 3 bytes left out ...]\nhij\nEnded, killed by signal 9 (Killed)\n"},
      {{"ab", "cdef\n", "gh", "ijklm"},
       4,
       3,
       done,
       "H\nab\n[... 9 bytes left out ...]\nklm\nEnded with exit code 0\n"},
      {{"ab\n", "0123456789", "xy\n"},
       5,
       4,
       done,
       "H\nab\n[... 9 bytes left out ...]\n9xy\nEnded with exit code 0\n"},
      {{"abcdefghij"}, 6, 0, done, "H\nabcd\n[... 6 bytes left out ...]\nEnded with exit code 0\n"},
  };
  for (const auto& example : cases) {
    EXPECT_EQ(relayedLog(example.chunks, example.head, example.ring, example.end),
              QByteArray(example.log))
        << example.log;
  }
}

}  // namespace
}  // namespace vorlane::test
