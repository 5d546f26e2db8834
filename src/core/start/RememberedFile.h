#pragma once

#include <optional>
#include <utility>

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace vorlane {

// The keys of an INI file as Qt's settings write it, with their values' bytes, in the order
// they came: sections in the order they first appear, the keys of each together. Keys before
// any section belong to "General", whose name ignores letter case.
class RememberedValues {
 public:
  // The keys of the file's text. A key that is no printable ASCII, or repeats one before it in
  // its section, is left out, and so is every line that holds no "=".
  static RememberedValues fromText(QByteArrayView text);
  QByteArray text() const;

  // The value's bytes, its escapes read; none when the section has no such key.
  std::optional<QByteArray> value(QByteArrayView section, QByteArrayView key) const;
  // A new key goes last in its section.
  void set(QByteArrayView section, QByteArrayView key, const QByteArray& value);
  void remove(QByteArrayView section, QByteArrayView key);
  // Drops all but the section's last `count` keys.
  void keepLast(QByteArrayView section, qsizetype count);
  // The section's keys in their order.
  QList<QByteArray> keys(QByteArrayView section) const;

 private:
  struct Section {
    QByteArray name;
    QList<std::pair<QByteArray, QByteArray>> keys;  // each with its value as the file holds it
  };
  const Section* find(QByteArrayView section) const;
  Section* find(QByteArrayView section);
  // Where the key stands among the section's, or -1.
  static qsizetype keyAt(const Section& section, QByteArrayView key);

  QList<Section> m_sections;
};

// The per-user file in which the program remembers what it was left with, in the user's
// configuration directory (never among the base directory's files). It is read and written as
// every settings file is: a regular file only (a link to one is written through), never opened
// so that it could block, read under a size cap and replaced atomically. A key this program does
// not know is kept when the others are written.
class RememberedFile {
 public:
  // No file this program writes is larger; a larger one is not worth the memory of reading.
  static constexpr qint64 kSizeLimit = qint64(256) << 10;

  // $XDG_CONFIG_HOME/vorlane/vorlane.conf.
  static QString defaultPath();

  explicit RememberedFile(QString path = defaultPath());

  const QString& path() const { return m_path; }

  // No keys when there is no file, or none this program wrote: no regular file, one larger than
  // kSizeLimit, or one that holds a NUL byte.
  RememberedValues read() const;

  // Replaces the file with `values`, making its folder. Throws Error "Cannot create file %s" when
  // it cannot be (no regular file, read-only, its folder cannot be made) and "Stream write error"
  // when not every byte reached the disk.
  void write(const RememberedValues& values) const;

 private:
  QString m_path;
};

}  // namespace vorlane
