#pragma once

#include <atomic>
#include <functional>

#include <QtGlobal>

namespace vorlane {

// How many files are read at a time: a cold disk answers many requests at once, and on a warm
// cache the readers keep every core busy.
inline constexpr int kReaderThreads = 16;

// Runs work(i) for every i from 0 to count - 1 on up to `threads` threads, the calling thread
// among them, each taking the next index in turn, and returns when every call has ended. A thread
// the system refuses leaves its share to the others. The first exception that leaves `work` stops
// the handing out of indices and is rethrown here once every thread is done.
// `work` runs on several threads at once: calls for different indices must not share data.
// Once `stop` is seen set, no further index is handed out: the calls under way end, the rest
// never run.
void runInParallel(qsizetype count, int threads, const std::function<void(qsizetype)>& work,
                   const std::atomic<bool>* stop = nullptr);

}  // namespace vorlane
