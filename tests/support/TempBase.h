#pragma once

#include <initializer_list>
#include <ostream>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace vorlane::test {

// The emulator's folders as its settings file (tessik.ini) names them; a line only for a folder
// that is given.
struct EmulatorFolders {
  QByteArray romDir = {};
  QByteArray logDir = {};
  QByteArray drvDir = {};
};

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
  // The emulator's settings file naming `folders` in the emulator's order, then `moreLines`.
  QString writeEmulatorConfig(const EmulatorFolders& folders,
                              const QByteArray& moreLines = {}) const;

 private:
  QTemporaryDir m_dir;
};

// A driver file's text naming its game, then `moreLines`.
QByteArray driverText(const QByteArray& gameName, const QByteArray& moreLines = {});

// What a file holds; empty while it cannot be read, as before a program has written it.
QByteArray contentOf(const QString& path);

// Shorthand for byte texts in tests.
inline QByteArray bytes(const char* text) {
  return QByteArray(text);
}
inline QString text(const char* utf8) {
  return QString::fromUtf8(utf8);
}
inline QStringList strings(std::initializer_list<const char*> utf8Texts) {
  QStringList list;
  for (const char* utf8 : utf8Texts) {
    list.append(text(utf8));
  }
  return list;
}

}  // namespace vorlane::test

// Readable failure output for Qt texts.
inline void PrintTo(const QByteArray& value, std::ostream* out) {
  *out << '"' << value.toPercentEncoding(" ;=[]\"'.,:/-_()").toStdString() << '"';
}
inline void PrintTo(const QString& value, std::ostream* out) {
  *out << '"' << value.toStdString() << '"';
}
