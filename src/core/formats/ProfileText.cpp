#include "core/formats/ProfileText.h"

#include <algorithm>

#include <QSet>
#include <QString>

#include "core/text/TextCodec.h"
#include "core/text/TextLines.h"

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

// "a b" "c d" must come back with its own quotes.
QByteArray storedValue(const QByteArray& value) {
  return isQuoted(value) ? value.front() + value + value.back() : value;
}

// What a name compares by: its text (accented letters may come in either of the encodings the
// files are written in) with each letter case-folded on its own, as a case-insensitive compare
// of two texts does. Names are the same exactly when their keys are.
QString nameKey(QByteArrayView name) {
  // Most names are plain ASCII, whose letters fold to their lower case.
  if (isAscii(name)) {
    return QString::fromLatin1(name).toLower();
  }
  const QString text = decodeText(name.toByteArray());
  QString key;
  key.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    char32_t letter = text[i].unicode();
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      letter = QChar::surrogateToUcs4(text[i], text[i + 1]);
      ++i;
    }
    key.append(QChar::fromUcs4(QChar::toCaseFolded(letter)));
  }
  return key;
}

}  // namespace

ProfileText::ProfileText(QByteArrayView bytes) {
  // An editor's byte order mark must not hide the first section header.
  const qsizetype skip = bytes.startsWith(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
  forEachLine(bytes, [&](QByteArrayView text) {
    m_lines.append(parseLine(text, m_lines.isEmpty() ? skip : 0));
  });
}

ProfileText::Line ProfileText::parseLine(QByteArrayView text, qsizetype skip) {
  // Parsing copies no more than the line and its name: a file may hold many thousand lines.
  Line line;
  line.text = text.toByteArray();
  const QByteArrayView content = text.sliced(skip);
  const QByteArrayView trimmed = trimmedView(content, isBlank);
  const qsizetype close = trimmed.lastIndexOf(']');
  if (trimmed.startsWith('[') && close > 0) {
    line.kind = Kind::Section;
    line.name = trimBlanks(trimmed.sliced(1, close - 1));
    line.key = nameKey(line.name);
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
  const QString key = nameKey(trimmedView(section, isBlank));
  for (qsizetype i = 0; i < m_lines.size(); ++i) {
    if (m_lines[i].kind == Kind::Section && m_lines[i].key == key) {
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

std::optional<qsizetype> ProfileText::findKey(qsizetype header, const QByteArray& name) const {
  // Sections are short: a key line's compare key is made as the search passes it.
  const QByteArray wanted = trimBlanks(name);
  const QString key = nameKey(wanted);
  const qsizetype end = sectionEnd(header);
  for (qsizetype i = header + 1; i < end; ++i) {
    const Line& line = m_lines[i];
    if (line.kind == Kind::Key && (line.name == wanted || nameKey(line.name) == key)) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<QByteArray> ProfileText::value(const QByteArray& section,
                                             const QByteArray& key) const {
  return values(section, {key}).front();
}

QList<std::optional<QByteArray>> ProfileText::values(const QByteArray& section,
                                                     const QList<QByteArray>& keys) const {
  return valuesAt(findSection(section), keys);
}

QList<std::optional<QByteArray>> ProfileText::valuesAt(std::optional<qsizetype> header,
                                                       const QList<QByteArray>& keys) const {
  QList<std::optional<QByteArray>> found;
  found.reserve(keys.size());
  for (const QByteArray& key : keys) {
    const std::optional<qsizetype> index = header ? findKey(*header, key) : std::nullopt;
    if (!index) {
      found.append(std::nullopt);
      continue;
    }
    const Line& line = m_lines[*index];
    found.append(withoutQuotes(trimBlanks(QByteArrayView(line.text).sliced(line.valueStart))));
  }
  return found;
}

QList<QByteArray> ProfileText::sectionNames() const {
  QList<QByteArray> names;
  for (const SectionValues& section : eachSection({})) {
    names.append(section.name);
  }
  return names;
}

QList<ProfileText::SectionValues> ProfileText::eachSection(const QList<QByteArray>& keys) const {
  // One hash look-up per header, so a file of many sections lists as fast as it reads; a later
  // section of a name already seen is the first one's duplicate, which never counts.
  QList<SectionValues> sections;
  QSet<QString> listed;
  for (qsizetype i = 0; i < m_lines.size(); ++i) {
    const Line& line = m_lines[i];
    if (line.kind != Kind::Section) {
      continue;
    }
    const qsizetype before = listed.size();
    listed.insert(line.key);
    if (listed.size() != before) {
      sections.append({line.name, valuesAt(i, keys)});
    }
  }
  return sections;
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
