#include "ui/drivers/PreviewPanel.h"

#include <QPainter>

namespace vorlane {

PreviewPanel::PreviewPanel(QWidget* parent) : QFrame(parent) {}

void PreviewPanel::setCaption(const QString& caption) {
  m_caption = caption;
  update();
}

void PreviewPanel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.drawText(contentsRect(), Qt::AlignCenter | Qt::TextSingleLine, m_caption);
}

}  // namespace vorlane
