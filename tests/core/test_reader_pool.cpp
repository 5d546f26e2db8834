#include "core/catalogue/ReaderPool.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "core/errors/Error.h"
#include "support/ErrorOf.h"

namespace vorlane {
namespace {

TEST(ReaderPool, RunsEveryIndexOnceOnAtMostTheThreadsAsked) {
  const struct {
    qsizetype count;
    int threads;
  } cases[] = {{0, 16}, {1, 16}, {5, 16}, {3000, 16}, {3000, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    std::vector<std::atomic<int>> runs(c.count);
    std::mutex lock;
    std::set<std::thread::id> threads;
    runInParallel(c.count, c.threads, [&](qsizetype i) {
      ++runs[i];
      const std::lock_guard guard(lock);
      threads.insert(std::this_thread::get_id());
    });
    EXPECT_EQ(std::count(runs.begin(), runs.end(), 1), c.count);
    EXPECT_LE(threads.size(), std::size_t(std::min<qsizetype>(c.threads, c.count)));
  }
}

TEST(ReaderPool, FirstFailureReachesTheCallerOnceEveryThreadHasEnded) {
  for (const qsizetype failingIndex : {qsizetype(0), qsizetype(100), qsizetype(2999)}) {
    SCOPED_TRACE(failingIndex);
    std::atomic<int> running{0};
    const QString failure = test::errorOf([&] {
      runInParallel(3000, 16, [&](qsizetype i) {
        ++running;
        std::this_thread::yield();
        --running;
        if (i == failingIndex) {
          throw Error(QStringLiteral("failed"));
        }
      });
    });
    EXPECT_EQ(failure, QStringLiteral("failed"));
    EXPECT_EQ(running, 0);
  }
}

// A stop set while the work runs hands out no further index: a call past the stopping one
// waits until it is set, so each thread holds at most one such index.
TEST(ReaderPool, AStopEndsTheHandingOutOfIndices) {
  for (const int threads : {1, 16}) {
    SCOPED_TRACE(threads);
    constexpr qsizetype kStopAt = 100;
    std::atomic<bool> stop{false};
    std::atomic<qsizetype> runs{0};
    runInParallel(
        100'000, threads,
        [&](qsizetype i) {
          ++runs;
          if (i == kStopAt) {
            stop = true;
          }
          while (i > kStopAt && !stop) {
            std::this_thread::yield();
          }
        },
        &stop);
    EXPECT_LE(runs, kStopAt + threads);
  }
}

}  // namespace
}  // namespace vorlane
