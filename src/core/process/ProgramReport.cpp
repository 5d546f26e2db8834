#include "core/process/ProgramReport.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QSocketNotifier>

#include "core/process/ReportRecord.h"

namespace vorlane {
namespace {

using report::RecordHeader;

// What one wake-up reads at most, so that a flood of output leaves the event loop turning.
constexpr qsizetype kReadPerWakeUp = qsizetype(256) << 10;

}  // namespace

ProgramReport::ProgramReport(int channel, int program)
    : m_channel(channel),
      m_program(program),
      m_notifier(new QSocketNotifier(channel, QSocketNotifier::Read, this)) {
  ::fcntl(m_channel, F_SETFL, ::fcntl(m_channel, F_GETFL) | O_NONBLOCK);
  connect(m_notifier, &QSocketNotifier::activated, this, &ProgramReport::readRecords);
}

ProgramReport::~ProgramReport() {
  // The notifiers must let go of the descriptors before they are closed.
  delete m_notifier;
  delete m_programEnd;
  ::close(m_channel);
  if (m_program >= 0) {
    ::close(m_program);
  }
}

void ProgramReport::readRecords() {
  char buffer[report::kMaxRecordBytes * 4];
  for (qsizetype read = 0; read < kReadPerWakeUp;) {
    const ssize_t got = ::read(m_channel, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0 && errno == EAGAIN) {
      break;
    }
    if (got <= 0) {
      awaitProgramEnd();
      return;
    }
    read += got;
    m_pending.append(buffer, got);
    if (!handRecordsOn()) {
      return;
    }
  }
}

bool ProgramReport::handRecordsOn() {
  qsizetype at = 0;
  RecordHeader header{};
  while (m_pending.size() - at >= qsizetype(sizeof header)) {
    std::memcpy(&header, m_pending.constData() + at, sizeof header);
    const qsizetype length = qsizetype(sizeof header) + header.length;
    if (m_pending.size() - at < length) {
      break;
    }
    if (header.kind == RecordHeader::kOutput) {
      m_output.append(m_pending.constData() + at + sizeof header, header.length);
    } else {
      handOutputOn();
    }
    at += length;
    switch (header.kind) {
      case RecordHeader::kSkipped:
        Q_EMIT skipped(header.value);
        break;
      case RecordHeader::kTail:
        m_lastOutput = m_pending.mid(at - header.length, header.length);
        break;
      case RecordHeader::kExited:
        finish(ProgramEnd::exited(static_cast<int>(header.value)));
        return false;
      case RecordHeader::kKilled:
        finish(ProgramEnd::killed(static_cast<int>(header.value)));
        return false;
      default:
        break;
    }
  }
  m_pending.remove(0, at);
  handOutputOn();
  return true;
}

void ProgramReport::handOutputOn() {
  if (!m_output.isEmpty()) {
    Q_EMIT output(m_output);
    // Keeps its room for the next wake-up, unless a receiver kept the bytes.
    m_output.resize(0);
  }
}

// The watcher is gone without a word about the end, which is not the program's end.
void ProgramReport::awaitProgramEnd() {
  m_notifier->setEnabled(false);
  m_pending.clear();
  if (m_program < 0) {
    finish(ProgramEnd{});
    return;
  }
  m_programEnd = new QSocketNotifier(m_program, QSocketNotifier::Read, this);
  connect(m_programEnd, &QSocketNotifier::activated, this, [this] {
    m_programEnd->setEnabled(false);
    finish(ProgramEnd{});
  });
}

void ProgramReport::finish(ProgramEnd end) {
  m_notifier->setEnabled(false);
  m_pending.clear();
  m_ended = true;
  m_end = end;
  Q_EMIT ended(end);
}

}  // namespace vorlane
