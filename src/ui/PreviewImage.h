#pragma once

#include <QWidget>

namespace vorlane {

// The preview picture, stretched over the whole area of its panel.
class PreviewImage : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewImage(QWidget* parent = nullptr);
};

}  // namespace vorlane
