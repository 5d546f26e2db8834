#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/files/WriteAll.h"

// The records a started program's watcher sends through the report channel to the process that
// started it. Each record is one write of at most PIPE_BUF bytes, so records never mix or tear.
namespace vorlane::report {

struct RecordHeader {
  enum Kind : std::uint32_t {
    kStarted,     // `value`: the program's process id; the first record of a good start
    kStartError,  // `value`: the system's error number; the only record of a failed start
    kOutput,      // `length` bytes of the program's output follow
    kSkipped,     // `value`: bytes of output left out of the feed since the last record
    kExited,      // `value`: the exit code; the last record
    kKilled,      // `value`: the signal that ended it; the last record
    // `length` bytes follow: the output's end, from the start of a line when there was more
    // before it; just before the last record
    kTail,
  };
  std::uint32_t kind;
  std::uint32_t length;
  std::int64_t value;
};

constexpr std::size_t kMaxRecordBytes = PIPE_BUF;
constexpr std::size_t kMaxOutputBytes = kMaxRecordBytes - sizeof(RecordHeader);

// Sends one record in one write, with at most kMaxOutputBytes of `payload`; returns 0 or the
// system's error number. Async-signal-safe: the watcher calls it after a fork.
inline int writeRecord(int channel, RecordHeader::Kind kind, std::int64_t value,
                       const char* payload = nullptr, std::size_t length = 0) {
  char record[kMaxRecordBytes];
  const RecordHeader header{kind, static_cast<std::uint32_t>(length), value};
  std::memcpy(record, &header, sizeof header);
  if (length > 0) {
    std::memcpy(record + sizeof header, payload, length);
  }
  // At most PIPE_BUF bytes: one write, whole or not at all.
  return writeAll(channel, record, sizeof header + length);
}

}  // namespace vorlane::report
