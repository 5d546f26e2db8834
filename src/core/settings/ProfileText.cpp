#include "core/settings/ProfileText.h"

#include <algorithm>

#include <QString>

#include "core/platform/TextCodec.h"
#include "core/settings/TextLines.h"

namespace vorlane {

namespace {

const QByteArray kUtf8ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

QByteArray trimBlanks(QByteArrayView text) {
  return trimBytes(text, isBlank);
}

bool isQuoted(const QByteArray& value) {
  return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
         value.back() == value.front();
}

QByteArray withoutQuotes(const QByteArray& value) {
  return isQuoted(value) ? value.sliced(1, value.size() - 2) : value;
}

// A read drops one pair of surrounding quotes, so a value that has them is stored inside one
// more pair: "a b" "c d" must come back with its own quotes.
QByteArray storedValue(const QByteArray& value) {
  return isQuoted(value) ? value.front() + value + value.back() : value;
}

// Names may carry accented letters in either of the encodings the files are written in.
bool sameName(const QByteArray& a, const QByteArray& b) {
  return a == b || decodeText(a).compare(decodeText(b), Qt::CaseInsensitive) == 0;
}

}  // namespace

ProfileText::ProfileText(QByteArrayView bytes) {
  // An editor's byte order mark must not hide the first section header.
  const qsizetype skip = bytes.startsWith(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
  for (QByteArray& text : splitLines(bytes)) {
    m_lines.append(parseLine(std::move(text), m_lines.isEmpty() ? skip : 0));
  }
}

ProfileText::Line ProfileText::parseLine(QByteArray text, qsizetype skip) {
  Line line;
  line.text = std::move(text);
  const QByteArrayView content = QByteArrayView(line.text).sliced(skip);
  const QByteArray trimmed = trimBlanks(content);
  const qsizetype close = trimmed.lastIndexOf(']');
  if (trimmed.startsWith('[') && close > 0) {
    line.kind = Kind::Section;
    line.name = trimBlanks(QByteArrayView(trimmed).sliced(1, close - 1));
    return line;
  }
  const qsizetype equals = content.indexOf('=');
  if (equals >= 0) {
    line.kind = Kind::Key;
    line.name = trimBlanks(content.first(equals));
    line.valueStart = skip + equals + 1;
  }
  return line;
}

std::optional<qsizetype> ProfileText::findSection(const QByteArray& section) const {
  const QByteArray name = trimBlanks(section);
  for (qsizetype i = 0; i < m_lines.size(); ++i) {
    if (m_lines[i].kind == Kind::Section && sameName(m_lines[i].name, name)) {
      return i;
    }
  }
  return std::nullopt;
}

qsizetype ProfileText::sectionEnd(qsizetype header) const {
  qsizetype end = header + 1;
  while (end < m_lines.size() && m_lines[end].kind != Kind::Section) {
    ++end;
  }
  return end;
}

std::optional<qsizetype> ProfileText::findKey(qsizetype header, const QByteArray& key) const {
  const QByteArray name = trimBlanks(key);
  const qsizetype end = sectionEnd(header);
  for (qsizetype i = header + 1; i < end; ++i) {
    if (m_lines[i].kind == Kind::Key && sameName(m_lines[i].name, name)) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<QByteArray> ProfileText::value(const QByteArray& section,
                                             const QByteArray& key) const {
  const std::optional<qsizetype> header = findSection(section);
  const std::optional<qsizetype> index = header ? findKey(*header, key) : std::nullopt;
  if (!index) {
    return std::nullopt;
  }
  const Line& line = m_lines[*index];
  return withoutQuotes(trimBlanks(QByteArrayView(line.text).sliced(line.valueStart)));
}

QList<QByteArray> ProfileText::sectionNames() const {
  QList<QByteArray> names;
  for (const Line& line : m_lines) {
    if (line.kind == Kind::Section &&
        std::none_of(names.cbegin(), names.cend(),
                     [&](const QByteArray& name) { return sameName(name, line.name); })) {
      names.append(line.name);
    }
  }
  return names;
}

void ProfileText::setValue(const QByteArray& section, const QByteArray& key,
                           const QByteArray& value) {
  // Blanks around a value are not read as part of it; written, those in front would pile up
  // behind "=" at every rewrite of the line.
  const QByteArray oneLineValue = storedValue(trimBlanks(splitLines(value).join(' ')));
  const std::optional<qsizetype> header = findSection(section);
  if (!header) {
    m_lines.append(parseLine('[' + trimBlanks(section) + ']', 0));
    m_lines.append(parseLine(trimBlanks(key) + '=' + oneLineValue, 0));
    return;
  }
  if (const std::optional<qsizetype> index = findKey(*header, key)) {
    // The key keeps its spelling and the blanks around "=" stay as the file had them.
    Line& line = m_lines[*index];
    qsizetype keep = line.valueStart;
    while (keep < line.text.size() && isBlank(line.text[keep])) {
      ++keep;
    }
    line.text = line.text.first(keep) + oneLineValue;
    return;
  }
  qsizetype insertAt = *header + 1;
  for (qsizetype i = insertAt; i < sectionEnd(*header); ++i) {
    if (m_lines[i].kind == Kind::Key) {
      insertAt = i + 1;
    }
  }
  m_lines.insert(insertAt, parseLine(trimBlanks(key) + '=' + oneLineValue, 0));
}

QByteArray ProfileText::toBytes() const {
  QList<QByteArray> texts;
  texts.reserve(m_lines.size());
  for (const Line& line : m_lines) {
    texts.append(line.text);
  }
  return joinLinesCrLf(texts);
}

}  // namespace vorlane
