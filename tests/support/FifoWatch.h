#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

#include <QByteArray>

#include <gtest/gtest.h>

namespace vorlane::test {

// Watches a test of code that must never wait on the pipe at `fifo`: once `deadline` has passed
// while the watch lives, the test fails and whoever waits to open the pipe, for reading or for
// writing, is let through again and again, so the test ends either way.
class FifoWatch {
 public:
  FifoWatch(QByteArray fifo, std::chrono::milliseconds deadline)
      : m_fifo(std::move(fifo)), m_thread([this, deadline] { watch(deadline); }) {}
  ~FifoWatch() {
    {
      const std::lock_guard lock(m_mutex);
      m_stopped = true;
    }
    m_stop.notify_one();
    m_thread.join();
  }
  FifoWatch(const FifoWatch&) = delete;
  FifoWatch& operator=(const FifoWatch&) = delete;

 private:
  void watch(std::chrono::milliseconds deadline) {
    std::unique_lock lock(m_mutex);
    if (m_stop.wait_for(lock, deadline, [this] { return m_stopped; })) {
      return;
    }
    ADD_FAILURE() << "still waiting on the pipe " << m_fifo.toStdString();
    while (!m_stop.wait_for(lock, std::chrono::milliseconds(50), [this] { return m_stopped; })) {
      for (const int mode : {O_WRONLY, O_RDONLY}) {
        const int end = ::open(m_fifo.constData(), mode | O_NONBLOCK | O_CLOEXEC);
        if (end >= 0) {
          ::close(end);
        }
      }
    }
  }

  const QByteArray m_fifo;
  std::mutex m_mutex;
  std::condition_variable m_stop;
  bool m_stopped = false;
  std::thread m_thread;
};

// Long enough for any machine to open a file and look at it, far short of a hung test's end.
inline constexpr std::chrono::milliseconds kPipeDeadline{10000};

}  // namespace vorlane::test
