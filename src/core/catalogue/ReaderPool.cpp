#include "core/catalogue/ReaderPool.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace vorlane {

void runInParallel(qsizetype count, int threads, const std::function<void(qsizetype)>& work,
                   const std::atomic<bool>* stop) {
  std::atomic<qsizetype> next{0};
  std::mutex failureLock;
  std::exception_ptr failure;
  const auto keepFirstFailure = [&] {
    const std::lock_guard lock(failureLock);
    if (!failure) {
      failure = std::current_exception();
    }
    next.store(count, std::memory_order_relaxed);
  };
  const auto takeTurns = [&] {
    const auto stopped = [stop] {
      return stop != nullptr && stop->load(std::memory_order_relaxed);
    };
    for (qsizetype i; !stopped() && (i = next.fetch_add(1, std::memory_order_relaxed)) < count;) {
      try {
        work(i);
      } catch (...) {
        keepFirstFailure();
      }
    }
  };

  std::vector<std::thread> helpers;
  const qsizetype helperCount = std::min<qsizetype>(threads, count) - 1;
  try {
    while (qsizetype(helpers.size()) < helperCount) {
      helpers.emplace_back(takeTurns);
    }
  } catch (const std::system_error&) {
    // Fewer threads only make the work slower.
  }
  takeTurns();
  // Joining also makes every result the helpers wrote visible to this thread.
  for (std::thread& helper : helpers) {
    helper.join();
  }
  if (failure) {
    std::rethrow_exception(failure);
  }
}

}  // namespace vorlane
