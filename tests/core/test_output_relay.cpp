#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <vector>

#include <QList>

#include <gtest/gtest.h>

#include "core/process/OutputRelay.h"
#include "core/process/ReportRecord.h"
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

// The output's end goes with the program's end, from a line's start where more came before,
// unless that would leave nothing but a piece of one long line.
TEST(OutputRelay, SendsTheOutputsEndInWholeLines) {
  const std::size_t kept = report::kMaxOutputBytes;
  const QByteArray longLine(kept, 'x');
  const struct {
    QList<QByteArray> chunks;
    QByteArray tail;
  } cases[] = {
      {{}, ""},
      {{"one\n", "two"}, "one\ntwo"},
      {{longLine, "cut\nlast\n"}, "last\n"},
      {{"a\n" + longLine}, longLine.right(kept)},
      {{"a\n" + longLine + "\n"}, longLine.right(kept - 1) + "\n"},
  };
  for (const auto& example : cases) {
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    OutputRelay::Setup setup;
    setup.channel = channel[1];
    OutputRelay relay(setup);
    for (const QByteArray& chunk : example.chunks) {
      relay.take(chunk.constData(), static_cast<std::size_t>(chunk.size()));
    }
    relay.finish(ProgramEnd::exited(0));
    ::close(channel[1]);
    report::RecordHeader header{};
    ASSERT_EQ(::read(channel[0], &header, sizeof header), qint64(sizeof header));
    EXPECT_EQ(header.kind, report::RecordHeader::kTail);
    QByteArray tail(header.length, '\0');
    EXPECT_EQ(::read(channel[0], tail.data(), header.length), qint64(header.length));
    EXPECT_EQ(tail, example.tail) << example.tail.left(20).constData();
    ::close(channel[0]);
  }
}

}  // namespace
}  // namespace vorlane::test
