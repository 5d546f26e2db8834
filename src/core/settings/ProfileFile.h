#pragma once

#include <optional>

#include <QByteArray>
#include <QList>
#include <QString>

#include "core/formats/ProfileText.h"

namespace vorlane {

// An INI file named by its full path. Nothing is opened or cached: every call goes to the file
// anew. Reads never fail; a missing or unreadable file gives the defaults. Every write
// replaces the file atomically, keeps every other line byte for byte (line ends become
// CR LF), and throws Error "Unable to write to %s" when it cannot be done.
class ProfileFile {
 public:
  explicit ProfileFile(QString path);

  const QString& path() const { return m_path; }

  // The key's value, at most 2047 characters; `defaultValue` when the section or key is
  // absent. A key with an empty value gives the empty text.
  QByteArray readString(const QByteArray& section, const QByteArray& key,
                        const QByteArray& defaultValue) const;
  // Several keys of one section from one read of the file, each as readString reads it but
  // nullopt when absent: a window that shows many values waits for one read, however long
  // the file.
  QList<std::optional<QByteArray>> readStrings(const QByteArray& section,
                                               const QList<QByteArray>& keys) const;
  // Decimal, "$" hexadecimal or (texts longer than two characters) "0x" hexadecimal in the
  // signed 32-bit range; `defaultValue` for any other text.
  int readInteger(const QByteArray& section, const QByteArray& key, int defaultValue) const;
  // True when the integer read is not 0; a text that is no number gives `defaultValue`.
  bool readBool(const QByteArray& section, const QByteArray& key, bool defaultValue) const;

  // Line breaks inside the value are stored as blanks.
  void writeString(const QByteArray& section, const QByteArray& key, const QByteArray& value) const;
  void writeInteger(const QByteArray& section, const QByteArray& key, int value) const;
  void writeBool(const QByteArray& section, const QByteArray& key, bool value) const;

  // Each section's name once, in file order; empty for a missing file.
  QList<QByteArray> sectionNames() const;
  // For each section, as sectionNames lists them, the values of `keys` as readStrings reads
  // them, from one read of the file.
  QList<ProfileText::SectionValues> readEachSection(const QList<QByteArray>& keys) const;

 private:
  QByteArray readForReading() const;
  QByteArray readForWriting() const;

  QString m_path;
};

}  // namespace vorlane
