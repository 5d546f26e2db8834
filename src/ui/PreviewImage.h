#pragma once

#include <optional>

#include <QWidget>

#include "core/catalogue/JpegPicture.h"

namespace vorlane {

// The preview picture, stretched over the whole area of its panel. It holds at most one
// picture, decodes it at its first drawing and draws the kept bitmap on every redraw. With no
// picture, or one that decoded to nothing, it draws nothing, so the panel's caption shows.
class PreviewImage : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewImage(QWidget* parent = nullptr);

  // Whether a picture that fails to decode as it is first drawn says so in a box.
  enum class DecodeFailure { ShowBox, StayQuiet };

  bool hasPicture() const { return m_picture.has_value(); }
  void setPicture(JpegPicture picture, DecodeFailure onFailure = DecodeFailure::ShowBox);
  void removePicture();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<JpegPicture> m_picture;
  DecodeFailure m_onFailure = DecodeFailure::ShowBox;
};

}  // namespace vorlane
