#pragma once

namespace vorlane {

// Hands the pages of memory freed so far back to the system. The allocator keeps freed memory
// for later use by the same thread's pool; after a large short-lived working set (the sort keys
// of a long listing) whose space the reader threads, each with a pool of its own, cannot reuse,
// that memory would stay resident for the whole run. Does nothing where the allocator offers no
// such call.
void releaseFreedMemory();

}  // namespace vorlane
