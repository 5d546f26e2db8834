#pragma once

#include <QByteArray>
#include <QString>

namespace vorlane {

// Whole-file reads stop here: far above any real settings, language or driver file, and low
// enough that a file linked to a device, or a huge sparse file, is refused before it costs the
// user their memory.
inline constexpr qint64 kTextFileLimit = qint64(64) << 20;
// Preview pictures are larger than text files, but a real preview is still far below this.
inline constexpr qint64 kPictureFileLimit = qint64(256) << 20;

// A regular file open for reading. The open never blocks (a FIFO put in a file's place would
// otherwise wait for a writer forever), and whatever was opened is checked, not the name.
// Throws Error "Cannot open file %s" when the path is missing, unreadable or not a regular file.
class RegularFile {
 public:
  explicit RegularFile(const QString& path);
  ~RegularFile();
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  // The size the file had when it was opened.
  qint64 size() const { return m_size; }
  // Up to `count` bytes from the current position, fewer only at the end of the file.
  // Throws Error "Cannot open file %s" when the read fails.
  QByteArray read(qint64 count);

 private:
  QString m_path;
  int m_descriptor = -1;
  qint64 m_size = 0;
};

// The whole file. Throws Error "Cannot open file %s" as RegularFile does, and also when the
// file holds more than `limit` bytes.
QByteArray readWholeFile(const QString& path, qint64 limit = kTextFileLimit);

// Replaces (or creates) the file with the given bytes through a temporary file in the same
// directory, so a failure leaves the old file exactly as it was and no temporary file behind;
// permissions are kept. Every write, the sync to the disk and the rename are checked.
// Throws Error "Cannot create file %s" when the file is read-only, not a regular file or cannot
// be created, and "Stream write error" when not every byte reached the disk.
void replaceFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace vorlane
