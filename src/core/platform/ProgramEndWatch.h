#pragma once

#include <QObject>

class QSocketNotifier;

namespace vorlane {

// Tells when a started program has ended, without being its parent and without any power over
// it: destroying the watch leaves the program running.
class ProgramEndWatch : public QObject {
  Q_OBJECT

 public:
  // Takes over `endDescriptor` (see startDetachedProcess), which must be valid.
  explicit ProgramEndWatch(int endDescriptor, QObject* parent = nullptr);
  ~ProgramEndWatch() override;
  ProgramEndWatch(const ProgramEndWatch&) = delete;
  ProgramEndWatch& operator=(const ProgramEndWatch&) = delete;

  bool hasEnded() const { return m_ended; }

 Q_SIGNALS:
  // Emitted once, from the event loop, when the program has ended.
  void ended();

 private:
  void noticeEnd();

  int m_descriptor;
  QSocketNotifier* m_notifier;
  bool m_ended = false;
};

}  // namespace vorlane
