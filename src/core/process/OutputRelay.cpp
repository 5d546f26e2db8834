#include "core/process/OutputRelay.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/files/WriteAll.h"
#include "core/process/LogLines.h"
#include "core/process/ReportRecord.h"

namespace vorlane {
namespace {

using report::RecordHeader;

// A write that fails (a full disk, the file-size limit) loses that part of the log; the program
// and the rest of the relay go on.
void writeToLog(int log, const char* data, std::size_t length) {
  writeAll(log, data, length);
}

void setBlocking(int descriptor, bool blocking) {
  const int flags = ::fcntl(descriptor, F_GETFL);
  if (flags >= 0) {
    ::fcntl(descriptor, F_SETFL, blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK);
  }
}

}  // namespace

OutputRelay::OutputRelay(const Setup& setup) : m_setup(setup), m_channelOpen(setup.channel >= 0) {
  if (m_channelOpen && m_setup.liveFeed) {
    setBlocking(m_setup.channel, false);
  }
}

void OutputRelay::writeHeader(const char* line, std::size_t length) {
  writeLog(line, length);
}

void OutputRelay::take(const char* data, std::size_t length) {
  writeLog(data, length);
  keepInTail(data, length);
  if (m_setup.liveFeed && m_channelOpen) {
    feed(data, length);
  }
}

void OutputRelay::keepInTail(const char* data, std::size_t length) {
  m_taken += length;
  if (length >= sizeof m_tail) {
    std::memcpy(m_tail, data + length - sizeof m_tail, sizeof m_tail);
    m_tailLength = sizeof m_tail;
    return;
  }
  const std::size_t kept = std::min(m_tailLength, sizeof m_tail - length);
  std::memmove(m_tail, m_tail + m_tailLength - kept, kept);
  std::memcpy(m_tail + kept, data, length);
  m_tailLength = kept + length;
}

void OutputRelay::sendTail() {
  const char* start = m_tail;
  const char* const end = m_tail + m_tailLength;
  if (m_taken > m_tailLength) {
    // The first line is a piece of one: the tail starts after it when a whole line follows.
    const auto* lineBreak = static_cast<const char*>(std::memchr(start, '\n', m_tailLength));
    if (lineBreak != nullptr && lineBreak + 1 < end) {
      start = lineBreak + 1;
    }
  }
  if (report::writeRecord(m_setup.channel, RecordHeader::kTail, 0, start,
                          static_cast<std::size_t>(end - start)) != 0) {
    m_channelOpen = false;
  }
}

void OutputRelay::writeLog(const char* data, std::size_t length) {
  if (m_setup.log < 0 || length == 0) {
    return;
  }
  const std::size_t direct = std::min(length, m_setup.headBytes - m_headWritten);
  if (direct > 0) {
    writeToLog(m_setup.log, data, direct);
    m_headWritten += direct;
    m_logEndsLine = data[direct - 1] == '\n';
  }
  keepInRing(data + direct, length - direct);
}

void OutputRelay::keepInRing(const char* data, std::size_t length) {
  // Of a chunk longer than the ring only its end can stay.
  if (length > m_setup.ringBytes) {
    m_pastHead += length - m_setup.ringBytes;
    data += length - m_setup.ringBytes;
    length = m_setup.ringBytes;
  }
  while (length > 0) {
    const std::size_t at = m_pastHead % m_setup.ringBytes;
    const std::size_t piece = std::min(length, m_setup.ringBytes - at);
    std::memcpy(m_setup.ring + at, data, piece);
    m_pastHead += piece;
    data += piece;
    length -= piece;
  }
}

void OutputRelay::feed(const char* data, std::size_t length) {
  while (length > 0 && m_channelOpen) {
    const std::size_t piece = std::min(length, report::kMaxOutputBytes);
    const int error =
        m_skipped > 0 && !sendSkipped()
            ? EAGAIN
            : report::writeRecord(m_setup.channel, RecordHeader::kOutput, 0, data, piece);
    if (error == EAGAIN) {
      // The reader is behind: what does not fit now is only counted.
      m_skipped += length;
      return;
    }
    if (error != 0) {
      m_channelOpen = false;
      return;
    }
    data += piece;
    length -= piece;
  }
}

bool OutputRelay::sendSkipped() {
  const int error = report::writeRecord(m_setup.channel, RecordHeader::kSkipped,
                                        static_cast<std::int64_t>(m_skipped));
  if (error == 0) {
    m_skipped = 0;
  } else if (error != EAGAIN) {
    m_channelOpen = false;
  }
  return error == 0;
}

void OutputRelay::finish(ProgramEnd end) {
  if (m_setup.log >= 0) {
    const std::uint64_t kept = std::min<std::uint64_t>(m_pastHead, m_setup.ringBytes);
    if (m_pastHead > kept) {
      if (!m_logEndsLine) {
        writeToLog(m_setup.log, "\n", 1);
      }
      char line[128];
      writeToLog(m_setup.log, line,
                 messages::formatLeftOutLine(line, sizeof line, m_pastHead - kept));
      m_logEndsLine = true;
    }
    if (kept > 0) {
      // The oldest kept byte is where the next one would have gone.
      const std::size_t oldest = m_pastHead > kept ? m_pastHead % m_setup.ringBytes : 0;
      writeToLog(m_setup.log, m_setup.ring + oldest, kept - oldest);
      writeToLog(m_setup.log, m_setup.ring, oldest);
      m_logEndsLine = m_setup.ring[(m_pastHead - 1) % m_setup.ringBytes] == '\n';
    }
    if (!m_logEndsLine) {
      writeToLog(m_setup.log, "\n", 1);
    }
    char line[128];
    writeToLog(m_setup.log, line, messages::formatLogEndLine(line, sizeof line, end));
  }
  if (m_channelOpen) {
    setBlocking(m_setup.channel, true);
    if (m_skipped > 0) {
      sendSkipped();
    }
    if (m_channelOpen) {
      sendTail();
    }
    if (m_channelOpen) {
      report::writeRecord(
          m_setup.channel,
          end.kind == ProgramEnd::Kind::Killed ? RecordHeader::kKilled : RecordHeader::kExited,
          end.value);
    }
  }
}

}  // namespace vorlane
