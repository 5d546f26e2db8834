#include "core/settings/UFuncoes.h"

#include <algorithm>

#include <QList>

#include "core/platform/FileAccess.h"
#include "core/settings/TextLines.h"

namespace vorlane {

namespace {

constexpr qsizetype kKeyFieldWidth = 13;

const QByteArray kYes = QByteArrayLiteral("yes");
const QByteArray kNo = QByteArrayLiteral("no");

// The file as a reader sees it: the lines before the first NUL byte. `hidden` holds that NUL
// and every byte after it, so a rewrite can put them back untouched.
struct FlatFile {
  QList<QByteArray> lines;
  QByteArray hidden;
};

// The part of the file a reader sees: everything before the first NUL byte.
qsizetype visibleSize(const QByteArray& bytes) {
  const qsizetype nul = bytes.indexOf('\0');
  return nul < 0 ? bytes.size() : nul;
}

FlatFile readFlatFile(const QString& path) {
  const QByteArray bytes = readWholeFile(path);
  const qsizetype visible = visibleSize(bytes);
  return {splitLines(QByteArrayView(bytes).first(visible)), bytes.sliced(visible)};
}

char foldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compared in place: the scan reads every driver file, so no line is copied or folded whole.
bool startsWithFolded(QByteArrayView line, QByteArrayView foldedPrefix) {
  return line.size() >= foldedPrefix.size() &&
         std::equal(foldedPrefix.begin(), foldedPrefix.end(), line.begin(),
                    [](char prefix, char c) { return prefix == foldAscii(c); });
}

}  // namespace

QByteArray LeValor(const QString& path, const QByteArray& key, const QByteArray& defaultValue) {
  const QByteArray bytes = readWholeFile(path);
  const QByteArrayView text = QByteArrayView(bytes).first(visibleSize(bytes));
  const QByteArray foldedKey = key.toLower();
  for (qsizetype start = 0; start < text.size();) {
    const qsizetype end = lineEnd(text, start);
    const QByteArrayView line = text.sliced(start, end - start);
    if (startsWithFolded(line, foldedKey)) {
      return trimBytes(line.sliced(key.size()), isBlankOrControl);
    }
    start = nextLineStart(text, end);
  }
  return defaultValue;
}

void GravaValor(const QString& path, const QByteArray& key, const QByteArray& value) {
  FlatFile file = readFlatFile(path);
  const QByteArray keyField = key.leftJustified(kKeyFieldWidth, ' ');
  const QByteArray foldedKeyField = keyField.toLower();
  for (QByteArray& line : file.lines) {
    if (startsWithFolded(line, foldedKeyField)) {
      line = keyField + value;
      break;
    }
  }
  replaceFileAtomically(path, joinLinesCrLf(file.lines) + file.hidden);
}

QByteArray BoolParaSimNao(bool flag) {
  return flag ? kYes : kNo;
}

bool SimNaoParaBool(const QByteArray& text) {
  return text.toLower() == kYes;
}

}  // namespace vorlane
