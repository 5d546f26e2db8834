#include "core/platform/ProgramEndWatch.h"

#include <unistd.h>

#include <QSocketNotifier>

namespace vorlane {

ProgramEndWatch::ProgramEndWatch(int endDescriptor, QObject* parent)
    : QObject(parent),
      m_descriptor(endDescriptor),
      m_notifier(new QSocketNotifier(endDescriptor, QSocketNotifier::Read, this)) {
  connect(m_notifier, &QSocketNotifier::activated, this, &ProgramEndWatch::noticeEnd);
}

ProgramEndWatch::~ProgramEndWatch() {
  // The notifier must let go of the descriptor before it is closed.
  delete m_notifier;
  ::close(m_descriptor);
}

void ProgramEndWatch::noticeEnd() {
  // The descriptor stays readable for good: one notice is all there is.
  m_notifier->setEnabled(false);
  m_ended = true;
  Q_EMIT ended();
}

}  // namespace vorlane
