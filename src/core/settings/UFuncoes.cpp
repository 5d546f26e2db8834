#include "core/settings/UFuncoes.h"

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

FlatFile readFlatFile(const QString& path) {
  const QByteArray bytes = readWholeFile(path);
  const qsizetype nul = bytes.indexOf('\0');
  const qsizetype visibleSize = nul < 0 ? bytes.size() : nul;
  return {splitLines(QByteArrayView(bytes).first(visibleSize)), bytes.sliced(visibleSize)};
}

bool startsWithFolded(const QByteArray& line, const QByteArray& foldedPrefix) {
  return line.size() >= foldedPrefix.size() &&
         line.first(foldedPrefix.size()).toLower() == foldedPrefix;
}

bool isBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

QByteArray trimBlanksAndControls(QByteArrayView text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && isBlankOrControl(text[begin])) {
    ++begin;
  }
  while (end > begin && isBlankOrControl(text[end - 1])) {
    --end;
  }
  return text.sliced(begin, end - begin).toByteArray();
}

}  // namespace

QByteArray LeValor(const QString& path, const QByteArray& key, const QByteArray& defaultValue) {
  const QByteArray foldedKey = key.toLower();
  for (const QByteArray& line : readFlatFile(path).lines) {
    if (startsWithFolded(line, foldedKey)) {
      return trimBlanksAndControls(QByteArrayView(line).sliced(key.size()));
    }
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
