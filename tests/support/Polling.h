#pragma once

#include <functional>

#include <QDeadlineTimer>
#include <QThread>

namespace vorlane::test {

// How often a test looks again at what no signal tells it, such as a file a program writes.
inline constexpr int kPollMs = 20;

// Looks at `done` every kPollMs until it holds or `timeoutMs` has passed, handling no events
// meanwhile; whether it held.
inline bool pollUntil(const std::function<bool()>& done, int timeoutMs) {
  for (const QDeadlineTimer deadline(timeoutMs);; QThread::msleep(kPollMs)) {
    if (done()) {
      return true;
    }
    if (deadline.hasExpired()) {
      return false;
    }
  }
}

}  // namespace vorlane::test
