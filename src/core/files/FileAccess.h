#pragma once

#include <chrono>
#include <optional>

#include <QByteArray>
#include <QString>

namespace vorlane {

// What tells one state of a file from another: the file itself (its file system and number) and
// its size and times. The change time as well, since a rewrite that sets the modification time
// back still moves it.
struct FileStamp {
  quint64 device = 0;
  quint64 inode = 0;
  qint64 size = 0;
  qint64 modified = 0;  // nanoseconds since the epoch
  qint64 changed = 0;
  bool operator==(const FileStamp&) const = default;

  // Coarser than the timestamps of every common file system (FAT keeps two seconds): a file read
  // within this time of its last change may change again without its times showing it.
  static constexpr std::chrono::nanoseconds kTimestampTick = std::chrono::seconds(2);
  // Whether a file of this stamp, read from `readAt` on (nanoseconds since the epoch), was read
  // more than `tick` after its last change, so that a later change must show in its stamp.
  bool settledBefore(qint64 readAt, std::chrono::nanoseconds tick = kTimestampTick) const {
    return readAt - changed > tick.count();
  }

  // The whole stamp in 64 bits, for keeping one for each of many files: two stamps that differ
  // give the same fingerprint with a chance of one in 2^64. Never 0, which stands for none.
  quint64 fingerprint() const;
};

// The stamp of the regular file (or link to one) at a path; nothing when there is none.
std::optional<FileStamp> regularFileStamp(const QString& path);

// Whole-file reads stop here: far above any real settings, language or driver file, and low
// enough that a file linked to a device, or a huge sparse file, is refused before it costs the
// user their memory.
inline constexpr qint64 kTextFileLimit = qint64(64) << 20;
// Preview pictures are larger than text files, but a real preview is still far below this.
inline constexpr qint64 kPictureFileLimit = qint64(256) << 20;

// A directory held open, so that the files of a long listing are opened by their names alone
// instead of the system walking the directory's whole path again for each.
class OpenDirectory {
 public:
  // A directory that cannot be opened opens no file in it.
  explicit OpenDirectory(const QString& path);
  ~OpenDirectory();
  OpenDirectory(const OpenDirectory&) = delete;
  OpenDirectory& operator=(const OpenDirectory&) = delete;

  const QString& path() const { return m_path; }
  // Whether the path, taken from this directory, names a regular file or a link to one.
  bool holdsRegularFile(const QByteArray& relativePath) const;
  // The stamp of the regular file (or link to one) the path names, taken from this directory;
  // nothing when there is none.
  std::optional<FileStamp> regularFileStamp(const QByteArray& relativePath) const;

 private:
  friend class RegularFile;
  QString m_path;
  int m_descriptor = -1;
};

// A regular file open for reading. The open never blocks (a FIFO put in a file's place would
// otherwise wait for a writer forever), and whatever was opened is checked, not the name.
// Throws Error "Cannot open file %s" when the path is missing, unreadable or not a regular file.
class RegularFile {
 public:
  explicit RegularFile(const QString& path);
  // The file of that name (bare, in the file system's bytes) in the directory.
  RegularFile(const OpenDirectory& directory, const QByteArray& name);
  ~RegularFile();
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  // The size the file had when it was opened.
  qint64 size() const { return m_stamp.size; }
  // The file's stamp when it was opened.
  const FileStamp& stamp() const { return m_stamp; }
  // Up to `count` bytes from the current position, fewer only at the end of the file.
  // Throws Error "Cannot open file %s" when the read fails.
  QByteArray read(qint64 count);
  // The path the messages name.
  QString path() const;

 private:
  // Checks what `open` gave; throws for anything but a regular file.
  void takeDescriptor(int descriptor);

  QString m_path;
  // Opened by name: the path is made only for a message.
  const OpenDirectory* m_directory = nullptr;
  QByteArray m_name;
  int m_descriptor = -1;
  FileStamp m_stamp;
};

// The whole file. Throws Error "Cannot open file %s" as RegularFile does, and also when the
// file holds more than `limit` bytes.
QByteArray readWholeFile(const QString& path, qint64 limit = kTextFileLimit);

// Whether the file begins as a Windows program does ("MZ"). Opened without blocking, so a pipe
// put in its place answers no.
bool isWindowsProgram(const QString& path);

// Replaces (or creates) the file with the given bytes through a temporary file in the same
// directory, so a failure leaves the old file exactly as it was and no temporary file behind;
// permissions are kept. Every write, the sync to the disk and the rename are checked.
// Throws Error "Cannot create file %s" when the file is read-only, not a regular file or cannot
// be created, and "Stream write error" when not every byte reached the disk.
void replaceFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace vorlane
