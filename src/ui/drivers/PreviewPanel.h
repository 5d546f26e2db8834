#pragma once

#include <QFrame>
#include <QString>

namespace vorlane {

// The frame of the preview: its caption shows centred wherever no picture covers it.
class PreviewPanel : public QFrame {
  Q_OBJECT

 public:
  explicit PreviewPanel(QWidget* parent = nullptr);

  const QString& caption() const { return m_caption; }
  void setCaption(const QString& caption);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString m_caption;
};

}  // namespace vorlane
