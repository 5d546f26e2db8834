#pragma once

#include <cstddef>

namespace vorlane {

// Writes all `length` bytes, writing on after a write that a signal interrupted or cut short.
// Returns 0, or the system's error number of the write that failed (EIO for one that wrote
// nothing). Allocates nothing and makes only async-signal-safe calls: a started program's watcher
// writes with it after a fork. A write of at most PIPE_BUF bytes to a pipe is never cut short,
// so what is written to one in such a piece arrives whole or not at all.
int writeAll(int descriptor, const void* data, std::size_t length);

}  // namespace vorlane
