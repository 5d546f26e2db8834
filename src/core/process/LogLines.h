#pragma once

#include <cstddef>
#include <cstdint>

#include <QByteArray>

#include "core/process/ProgramEnd.h"

// The lines Vorlane itself writes into a started program's log, around what the program wrote.
namespace vorlane::messages {

// A log's first line: this word, the program and its arguments as it receives them (each in double
// quotes), and the time.
inline constexpr char kLogHeaderWord[] = "Started ";
QByteArray logHeader(const QByteArray& commandLine, const QByteArray& time);
// A log's lines written by the watcher of a started program after a fork, where nothing may
// allocate: each fills `buffer` (cut at `size` bytes) and returns the length. The line after
// the log's first part when the middle was left out, and the log's last line with the end.
std::size_t formatLeftOutLine(char* buffer, std::size_t size, std::uint64_t count);
std::size_t formatLogEndLine(char* buffer, std::size_t size, ProgramEnd end);

}  // namespace vorlane::messages
