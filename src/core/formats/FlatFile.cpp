#include "core/formats/FlatFile.h"

#include <algorithm>
#include <optional>

#include <QList>

#include "core/errors/Error.h"
#include "core/errors/ErrorMessages.h"
#include "core/files/FileAccess.h"
#include "core/text/TextLines.h"

namespace vorlane {

namespace {

constexpr qsizetype kKeyFieldWidth = 13;
constexpr qint64 kLaterBlock = 64 << 10;

const QByteArray kYes = QByteArrayLiteral("yes");
const QByteArray kNo = QByteArrayLiteral("no");

// The file as a reader sees it: the lines before the first NUL byte. `hidden` holds that NUL
// and every byte after it, so a rewrite can put them back untouched.
struct FlatFileLines {
  QList<QByteArray> lines;
  QByteArray hidden;
};

// The part of the file a reader sees: everything before the first NUL byte.
qsizetype visibleSize(const QByteArray& bytes) {
  const qsizetype nul = bytes.indexOf('\0');
  return nul < 0 ? bytes.size() : nul;
}

FlatFileLines readFlatFile(const QString& path) {
  const QByteArray bytes = readWholeFile(path);
  const qsizetype visible = visibleSize(bytes);
  return {splitLines(QByteArrayView(bytes).first(visible)), bytes.sliced(visible)};
}

char foldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compared in place, both sides folded: the scan reads every driver file, so neither a line nor
// a key is copied or folded whole.
bool startsWithFolded(QByteArrayView line, QByteArrayView prefix) {
  return line.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), line.begin(),
                    [](char p, char c) { return foldAscii(p) == foldAscii(c); });
}

// The keys one read looks for, with what each has found so far.
struct WantedValues {
  QList<QByteArray> keys;
  QList<std::optional<QByteArray>> values;
  qsizetype missing;

  explicit WantedValues(const QList<QByteArray>& wantedKeys)
      : keys(wantedKeys), values(wantedKeys.size()), missing(wantedKeys.size()) {}
};

// Scans the lines of `text` from `start` and gives each key still missing the value of the
// first line that begins with it; returns whether every key has one. Unless the text is
// `complete`, it is only the file's beginning: its last line may go on, and a CR at its very
// end may be the first half of a CR LF, so the scan stops before that line; `start` is left at
// the first line not yet decided.
bool findValues(QByteArrayView text, qsizetype& start, WantedValues& wanted, bool complete) {
  while (start < text.size() && wanted.missing > 0) {
    const qsizetype end = lineEnd(text, start);
    if (!complete && (end == text.size() || (text[end] == '\r' && end + 1 == text.size()))) {
      return false;
    }
    const QByteArrayView line = text.sliced(start, end - start);
    for (qsizetype k = 0; k < wanted.keys.size(); ++k) {
      const QByteArray& key = wanted.keys.at(k);
      if (!wanted.values[k] && startsWithFolded(line, key)) {
        wanted.values[k] = trimBytes(line.sliced(key.size()), isBlankOrControl);
        --wanted.missing;
      }
    }
    start = nextLineStart(text, end);
  }
  return wanted.missing == 0;
}

}  // namespace

QList<std::optional<QByteArray>> readFoundFlatValues(const QString& path,
                                                     const QList<QByteArray>& keys) {
  RegularFile file(path);
  return readFoundFlatValues(file, keys);
}

QList<std::optional<QByteArray>> readFoundFlatValues(RegularFile& file,
                                                     const QList<QByteArray>& keys) {
  // As a whole-file read does, whether or not the keys stand in the first block.
  if (file.size() > kTextFileLimit) {
    throw Error(messages::cannotOpenFile(file.path()));
  }
  WantedValues wanted(keys);
  QByteArray text;  // what has been read, up to the first NUL
  qsizetype start = 0;
  qint64 readSoFar = 0;
  // A small file comes in one read of its size.
  qint64 block = file.size() > 0 ? std::min(file.size(), kFlatFileFirstBlock) : kFlatFileFirstBlock;
  for (;; block = kLaterBlock) {
    const QByteArray bytes = file.read(block);
    readSoFar += bytes.size();
    if (readSoFar > kTextFileLimit) {
      throw Error(messages::cannotOpenFile(file.path()));
    }
    const qsizetype nul = bytes.indexOf('\0');
    text += nul < 0 ? bytes : bytes.first(nul);
    const bool complete = nul >= 0 || bytes.size() < block;
    if (findValues(text, start, wanted, complete) || complete) {
      return wanted.values;
    }
  }
}

QByteArray readFlatText(const QString& path) {
  QByteArray bytes = readWholeFile(path);
  bytes.truncate(visibleSize(bytes));
  return bytes;
}

QByteArray flatValue(QByteArrayView text, const QByteArray& key, const QByteArray& defaultValue) {
  WantedValues wanted({key});
  qsizetype start = 0;
  findValues(text, start, wanted, true);
  return wanted.values.front().value_or(defaultValue);
}

void writeFlatValue(const QString& path, const QByteArray& key, const QByteArray& value) {
  FlatFileLines file = readFlatFile(path);
  const QByteArray keyField = key.leftJustified(kKeyFieldWidth, ' ');
  for (QByteArray& line : file.lines) {
    if (startsWithFolded(line, keyField)) {
      line = keyField + value;
      break;
    }
  }
  replaceFileAtomically(path, joinLinesCrLf(file.lines) + file.hidden);
}

QByteArray yesNoText(bool flag) {
  return flag ? kYes : kNo;
}

bool isYes(const QByteArray& text) {
  return text.toLower() == kYes;
}

}  // namespace vorlane
