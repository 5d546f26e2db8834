// A flat configuration file of arbitrary bytes, read with readFoundFlatValues and rewritten with
// writeFlatValue through one real file. Input: key NUL value NUL file bytes. The lines must survive
// their own serialisation; readFoundFlatValues, which reads in blocks, must give what a search of
// the whole text gives, wherever a block ends; a write must replace the line that a read of its key
// field finds and nothing else, keep the bytes from the first NUL on, and give the value back to
// the next read.
#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include "core/files/FileAccess.h"
#include "core/formats/FlatFile.h"
#include "core/text/TextLines.h"

#include "FuzzInput.h"

namespace {

using vorlane::fuzz::check;

constexpr qsizetype kKeyFieldWidth = 13;

// No line holds a line break, so no read can return this.
const QByteArray kNotFound = QByteArrayLiteral("\n");

const QString& scratchFile() {
  static const QTemporaryDir directory;
  static const QString path = directory.filePath(QStringLiteral("tessik.ini"));
  return path;
}

void writeScratchFile(const QByteArray& bytes) {
  QFile file(scratchFile());
  check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
        "the scratch file can be written");
}

QByteArray oneLine(QByteArray text) {
  return text.replace('\r', ' ').replace('\n', ' ');
}

// The text a reader sees, and the bytes it never sees.
QByteArray visiblePart(const QByteArray& bytes) {
  return bytes.left(bytes.indexOf('\0') < 0 ? bytes.size() : bytes.indexOf('\0'));
}

QList<QByteArray> visibleLines(const QByteArray& bytes) {
  return vorlane::splitLines(visiblePart(bytes));
}

void checkLines(const QByteArray& bytes) {
  const QList<QByteArray> lines = visibleLines(bytes);
  for (const QByteArray& line : lines) {
    check(!line.contains('\r') && !line.contains('\n'), "a line holds no line break");
  }
  check(vorlane::splitLines(vorlane::joinLinesCrLf(lines)) == lines,
        "lines survive their serialisation");
}

void checkRead(const QByteArray& bytes, const QByteArray& key) {
  const QByteArray value =
      vorlane::readFoundFlatValues(scratchFile(), {key}).front().value_or(kNotFound);
  if (value != kNotFound) {
    check(vorlane::trimBytes(value, vorlane::isBlankOrControl) == value, "a value read is trimmed");
    check(visiblePart(bytes).contains(value), "a value read comes from the visible text");
  }
}

// Lines of one letter that the key does not begin with (when it can be avoided), `size` bytes
// in all with an LF at the end, so that the text behind them starts `size` bytes into the file.
QByteArray fillerLines(qsizetype size, const QByteArray& key) {
  const char letter = key.toLower().startsWith('z') ? 'y' : 'z';
  QByteArray filler(size, letter);
  for (qsizetype i = 79; i < size; i += 80) {
    filler[i] = '\n';
  }
  filler[size - 1] = '\n';
  return filler;
}

// Where the first block should end inside the file bytes: at its first bytes, and on and just
// after its first line ends and NUL bytes, where a block boundary could split a CR LF.
QList<qsizetype> blockEnds(const QByteArray& bytes) {
  QList<qsizetype> ends = {0, 1, 2};
  for (qsizetype i = 0; i < bytes.size() && ends.size() < 24; ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n' || bytes[i] == '\0') {
      ends.append({i, i + 1});
    }
  }
  return ends;
}

void checkReadInBlocks(const QByteArray& bytes, const QByteArray& key) {
  const QByteArray whole = vorlane::flatValue(vorlane::readFlatText(scratchFile()), key, kNotFound);
  check(vorlane::readFoundFlatValues(scratchFile(), {key}).front().value_or(kNotFound) == whole,
        "a read in blocks gives what the whole text gives");
  for (const qsizetype end : blockEnds(bytes)) {
    if (end > bytes.size() || end >= vorlane::kFlatFileFirstBlock) {
      continue;
    }
    writeScratchFile(fillerLines(vorlane::kFlatFileFirstBlock - end, key) + bytes);
    check(vorlane::readFoundFlatValues(scratchFile(), {key}).front().value_or(kNotFound) ==
              vorlane::flatValue(vorlane::readFlatText(scratchFile()), key, kNotFound),
          "a read in blocks gives what the whole text gives, wherever the first block ends");
  }
  writeScratchFile(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QList<QByteArray> fields = vorlane::fuzz::splitFields(data, size, 3);
  const QByteArray key = oneLine(fields[0]);
  const QByteArray value = oneLine(fields[1]);
  const QByteArray& before = fields[2];
  checkLines(before);
  writeScratchFile(before);
  checkRead(before, key);
  checkReadInBlocks(before, key);

  const QByteArray keyField = key.leftJustified(kKeyFieldWidth, ' ');
  const bool hasLine =
      vorlane::readFoundFlatValues(scratchFile(), {keyField}).front().value_or(kNotFound) !=
      kNotFound;
  vorlane::writeFlatValue(scratchFile(), key, value);
  const QByteArray after = vorlane::readWholeFile(scratchFile());
  check(after.sliced(visiblePart(after).size()) == before.sliced(visiblePart(before).size()),
        "the bytes from the first NUL on are kept");
  const QList<QByteArray> linesBefore = visibleLines(before);
  const QList<QByteArray> linesAfter = visibleLines(after);
  check(linesAfter.size() == linesBefore.size(), "a write adds and removes no line");
  qsizetype changed = 0;
  for (qsizetype i = 0; i < linesBefore.size(); ++i) {
    changed += linesBefore[i] != linesAfter[i] ? 1 : 0;
  }
  check(changed <= (hasLine ? 1 : 0), "a write changes its key's line alone, and only if found");
  if (hasLine) {
    check(vorlane::readFoundFlatValues(scratchFile(), {keyField}).front().value_or(kNotFound) ==
              vorlane::trimBytes(value, vorlane::isBlankOrControl),
          "the value written reads back");
  }

  vorlane::writeFlatValue(scratchFile(), key, value);
  check(vorlane::readWholeFile(scratchFile()) == after, "writing the same value twice is stable");
  return 0;
}
