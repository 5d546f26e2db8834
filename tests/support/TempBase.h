#pragma once

#include <ostream>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace vorlane::test {

// A fresh temporary directory for one test, with helpers to lay out real files in it.
class TempBase {
 public:
  TempBase();

  QString path() const { return m_dir.path(); }
  QString filePath(const QString& name) const;

  // Writes the bytes to `name` (parent folders are made) and returns its full path.
  QString write(const QString& name, const QByteArray& bytes) const;
  QByteArray read(const QString& name) const;
  QString makeDir(const QString& name) const;

 private:
  QTemporaryDir m_dir;
};

// Shorthand for byte texts in tests.
inline QByteArray bytes(const char* text) {
  return QByteArray(text);
}
inline QString text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace vorlane::test

// Readable failure output for Qt texts.
inline void PrintTo(const QByteArray& value, std::ostream* out) {
  *out << '"' << value.toPercentEncoding(" ;=[]\"'.,:/-_()").toStdString() << '"';
}
inline void PrintTo(const QString& value, std::ostream* out) {
  *out << '"' << value.toStdString() << '"';
}
