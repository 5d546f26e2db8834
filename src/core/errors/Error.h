#pragma once

#include <exception>

#include <QByteArray>
#include <QString>

namespace vorlane {

// A failure whose message reaches the user unchanged in the error box.
class Error : public std::exception {
 public:
  explicit Error(QString message);

  const QString& message() const noexcept { return m_message; }
  const char* what() const noexcept override { return m_what.constData(); }

 private:
  QString m_message;
  QByteArray m_what;
};

}  // namespace vorlane
