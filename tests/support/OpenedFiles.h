#pragma once

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "core/text/NativeText.h"

namespace vorlane::test {

// The files opened in one folder, as the kernel reports them: what a program really read, seen
// without any hook in the program. Opening the folder itself, as a listing does, is left out.
class OpenedFiles {
 public:
  explicit OpenedFiles(const QString& folder)
      : m_descriptor(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    EXPECT_GE(::inotify_add_watch(m_descriptor, encodeNative(folder).constData(), IN_OPEN), 0);
  }
  ~OpenedFiles() { ::close(m_descriptor); }
  OpenedFiles(const OpenedFiles&) = delete;
  OpenedFiles& operator=(const OpenedFiles&) = delete;

  // The names of the files opened since the last call, sorted, once for each opening.
  QStringList take() {
    QStringList names;
    alignas(struct inotify_event) char buffer[4096];
    for (ssize_t size; (size = ::read(m_descriptor, buffer, sizeof buffer)) > 0;) {
      for (ssize_t at = 0; at < size;) {
        const auto* event = reinterpret_cast<const struct inotify_event*>(buffer + at);
        if (event->len > 0) {
          names.append(decodeNative(event->name));
        }
        at += ssize_t(sizeof(struct inotify_event) + event->len);
      }
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  int m_descriptor;
};

}  // namespace vorlane::test
