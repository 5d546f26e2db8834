#pragma once

#include <optional>

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
  // The section's keys in their order.
  QList<QByteArray> keys(QByteArrayView section) const;

 private:
  struct Entry {
    QByteArray section;
    QByteArray key;
    QByteArray escapedValue;  // as the file holds it
  };
  // Where the key stands in m_entries, or -1.
  qsizetype find(QByteArrayView section, QByteArrayView key) const;
  // Places the key last in its section, unless the section holds it already.
  void add(Entry entry);

  QList<Entry> m_entries;
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
