#pragma once

#include <optional>

#include <QImage>
#include <QString>
#include <QWidget>

#include "core/errors/Error.h"
#include "core/formats/JpegPicture.h"

namespace vorlane {

// The preview picture, stretched over the whole area of its panel, or, with its shape kept,
// fitted whole into it (fitPicture) on the area's background. It holds at most one
// picture, decodes it at its first drawing and draws the kept bitmap on every redraw. With no
// picture, or one that decoded to nothing, it draws nothing, so the panel's caption shows. A
// picture that cannot be read or decoded shows as its message, in the area and in its
// accessible description, never as a box: the user may be typing elsewhere.
class PreviewImage : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewImage(QWidget* parent = nullptr);

  // `fileName` names the picture in the message of a decoding failure.
  void setPicture(JpegPicture picture, const QString& fileName);
  // A picture that could not be read or decoded: the failure shows in its place.
  void showFailure(const Error& failure, const QString& fileName);
  void removePicture();
  void setKeepShape(bool keep);
  bool keepsShape() const { return m_keepShape; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void setFailureText(const QString& text);
  void drawPicture(const QImage& image);

  std::optional<JpegPicture> m_picture;
  QString m_fileName;
  QString m_failure;
  bool m_keepShape = false;
};

}  // namespace vorlane
