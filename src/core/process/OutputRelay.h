#pragma once

#include <cstddef>
#include <cstdint>

#include "core/process/ProgramEnd.h"
#include "core/process/ReportRecord.h"

namespace vorlane {

// Copies what a started program writes into its log, bounded, and into the report channel when
// a live feed is asked for. It runs in the forked watcher of the program, so it allocates
// nothing and makes only async-signal-safe calls, on memory it is given.
class OutputRelay {
 public:
  struct Setup {
    int log = -1;      // the log file, or -1 for none
    int channel = -1;  // the report channel's write end
    bool liveFeed = false;
    // The log's first part is written as it comes, up to `headBytes`; past it the latest
    // `ringBytes` are kept in `ring` and written at the end.
    std::size_t headBytes = 0;
    char* ring = nullptr;
    std::size_t ringBytes = 0;
  };

  explicit OutputRelay(const Setup& setup);

  // The log's first line; it counts towards the first part.
  void writeHeader(const char* line, std::size_t length);
  // The next bytes of output. Never blocks on the report channel: a chunk that does not fit is
  // counted as skipped and the count is sent with the next record that fits.
  void take(const char* data, std::size_t length);
  // Completes the log (the kept last part after a line saying how much was left out, then a
  // line with the end) and sends the output's end and then the program's, waiting for room in
  // the channel. A reader that has gone is no failure.
  void finish(ProgramEnd end);

 private:
  void writeLog(const char* data, std::size_t length);
  void keepInRing(const char* data, std::size_t length);
  void feed(const char* data, std::size_t length);
  bool sendSkipped();
  void keepInTail(const char* data, std::size_t length);
  void sendTail();

  Setup m_setup;
  std::size_t m_headWritten = 0;
  std::uint64_t m_pastHead = 0;
  std::uint64_t m_skipped = 0;
  bool m_channelOpen;
  bool m_logEndsLine = true;
  // The latest output, whatever became of the rest, for the reader that wants the last lines.
  char m_tail[report::kMaxOutputBytes];
  std::size_t m_tailLength = 0;
  std::uint64_t m_taken = 0;
};

}  // namespace vorlane
