#include "ui/common/BusyCursor.h"

#include <QApplication>

namespace vorlane {

BusyCursor::~BusyCursor() {
  if (m_shown) {
    QApplication::restoreOverrideCursor();
  }
}

void BusyCursor::show() {
  if (!m_shown) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_shown = true;
  }
}

}  // namespace vorlane
