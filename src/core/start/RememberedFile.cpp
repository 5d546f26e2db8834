#include "core/start/RememberedFile.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStandardPaths>

#include "core/errors/Error.h"
#include "core/errors/ErrorMessages.h"
#include "core/files/FileAccess.h"
#include "core/start/ProgramInfo.h"
#include "core/text/TextLines.h"

namespace vorlane {
namespace {

constexpr char kFileName[] = "vorlane.conf";
constexpr char kGeneralSection[] = "General";

// The characters written as a backslash and a letter, both ways.
constexpr struct {
  char character;
  char letter;
} kNamedEscapes[] = {{'\a', 'a'}, {'\b', 'b'}, {'\f', 'f'}, {'\n', 'n'},
                     {'\r', 'r'}, {'\t', 't'}, {'\v', 'v'}};

bool isHexDigit(char c) {
  return digitValue(c, 16) >= 0;
}

// The value as INI readers (Qt's among them) read it back: backslashes, double quotes and control
// characters escaped, the whole quoted when it holds a separator or blanks at its ends, and a
// leading "@" doubled. Bytes that are not UTF-8 stand as they are, so a path keeps them.
QByteArray escapedValue(const QByteArray& bytes) {
  QByteArray escaped = bytes.startsWith('@') ? QByteArrayLiteral("@") : QByteArray();
  bool quoted = bytes.startsWith(' ') || bytes.endsWith(' ');
  // "\x1" followed by a hex digit would read as one longer code.
  bool escapeNextHexDigit = false;
  for (const char c : bytes) {
    const auto code = static_cast<uchar>(c);
    const bool afterHexEscape = std::exchange(escapeNextHexDigit, false);
    quoted = quoted || c == ';' || c == ',' || c == '=';
    const auto* named = std::find_if(std::begin(kNamedEscapes), std::end(kNamedEscapes),
                                     [c](const auto& escape) { return escape.character == c; });
    if (named != std::end(kNamedEscapes)) {
      escaped += '\\';
      escaped += named->letter;
    } else if (c == '\\' || c == '"') {
      escaped += '\\';
      escaped += c;
    } else if (code < 0x20 || (afterHexEscape && isHexDigit(c))) {
      escaped += "\\x" + QByteArray::number(code, 16);
      escapeNextHexDigit = true;
    } else {
      escaped += c;
    }
  }
  return quoted ? '"' + escaped + '"' : escaped;
}

// Reads the escape whose letter is at `at` into `value`; returns where the value goes on.
qsizetype readEscape(QByteArrayView text, qsizetype at, QByteArray& value) {
  const char letter = text[at];
  for (const auto& named : kNamedEscapes) {
    if (named.letter == letter) {
      value += named.character;
      return at + 1;
    }
  }
  const int base = letter == 'x' ? 16 : digitValue(letter, 8) >= 0 ? 8 : 0;
  if (base == 0) {
    value += letter;
    return at + 1;
  }
  char32_t code = 0;
  qsizetype next = base == 16 ? at + 1 : at;
  for (; next < text.size() && digitValue(text[next], base) >= 0 && code <= 0x10FFFF; ++next) {
    code = code * char32_t(base) + char32_t(digitValue(text[next], base));
  }
  value += QString::fromUcs4(&code, 1).toUtf8();
  return next;
}

// The value's bytes: quoted parts as they stand, blanks around the rest dropped, escapes read;
// a ";" outside quotes begins a comment.
QByteArray unescapedValue(QByteArrayView text) {
  QByteArray value;
  qsizetype kept = 0;  // the part of `value` that blanks at the end may not take
  bool quoted = false;
  for (qsizetype at = 0; at < text.size();) {
    const char c = text[at++];
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ';' && !quoted) {
      break;
    } else if (c == '\\' && at < text.size()) {
      at = readEscape(text, at, value);
    } else if (!quoted && (c == ' ' || c == '\t')) {
      // Blanks count only between other characters.
      if (!value.isEmpty()) {
        value += c;
      }
      continue;
    } else {
      value += c;
    }
    kept = value.size();
  }
  value.truncate(kept);
  return value.startsWith("@@") ? value.sliced(1) : value;
}

// The section a header names; "general" in any letter case is the one Qt writes as "General".
QByteArray sectionName(const QByteArray& name) {
  return name.compare(kGeneralSection, Qt::CaseInsensitive) == 0 ? QByteArray(kGeneralSection)
                                                                 : name;
}

// Qt writes every key in printable ASCII, escaping the rest; a line that begins a comment holds
// no key.
bool isKey(QByteArrayView key) {
  return !key.isEmpty() && !key.startsWith(';') && !key.startsWith('#') &&
         std::all_of(key.begin(), key.end(), [](char c) { return c > ' ' && c < '\x7F'; });
}

}  // namespace

RememberedValues RememberedValues::fromText(QByteArrayView text) {
  if (text.startsWith("\xEF\xBB\xBF")) {
    text = text.sliced(3);
  }
  RememberedValues values;
  // Looked up by name rather than searched: a file of many short lines costs a pass, no more.
  QHash<QByteArray, qsizetype> sectionAt;
  QSet<QByteArray> seen;
  Section* section = nullptr;
  const auto enter = [&](const QByteArray& name) {
    const qsizetype at = sectionAt.value(name, values.m_sections.size());
    if (at == values.m_sections.size()) {
      sectionAt.insert(name, at);
      values.m_sections.append({name, {}});
    }
    section = &values.m_sections[at];
  };
  enter(kGeneralSection);
  for (const QByteArray& line : splitLines(text)) {
    const QByteArray trimmed = line.trimmed();
    if (trimmed.startsWith('[')) {
      // A header that does not close names no section: its keys are left out.
      const qsizetype close = trimmed.indexOf(']');
      if (close > 1) {
        enter(sectionName(trimmed.sliced(1, close - 1)));
      } else {
        section = nullptr;
      }
      continue;
    }
    const qsizetype equals = line.indexOf('=');
    const QByteArray key = equals > 0 ? line.first(equals).trimmed() : QByteArray();
    // Neither a section's name nor a key holds a line break.
    if (section != nullptr && isKey(key) && !seen.contains(section->name + '\n' + key)) {
      seen.insert(section->name + '\n' + key);
      section->keys.append({key, line.sliced(equals + 1)});
    }
  }
  values.m_sections.removeIf([](const Section& empty) { return empty.keys.isEmpty(); });
  return values;
}

QByteArray RememberedValues::text() const {
  QByteArray text;
  for (const Section& section : m_sections) {
    text += (text.isEmpty() ? "[" : "\n[") + section.name + "]\n";
    for (const auto& [key, escaped] : section.keys) {
      text += key + '=' + escaped + '\n';
    }
  }
  return text;
}

std::optional<QByteArray> RememberedValues::value(QByteArrayView section,
                                                  QByteArrayView key) const {
  const Section* found = find(section);
  const qsizetype at = found != nullptr ? keyAt(*found, key) : -1;
  return at < 0 ? std::nullopt : std::optional(unescapedValue(found->keys.at(at).second));
}

void RememberedValues::set(QByteArrayView section, QByteArrayView key, const QByteArray& value) {
  Section* found = find(section);
  if (found == nullptr) {
    found = &m_sections.emplace_back(Section{section.toByteArray(), {}});
  }
  const qsizetype at = keyAt(*found, key);
  if (at >= 0) {
    found->keys[at].second = escapedValue(value);
  } else {
    found->keys.append({key.toByteArray(), escapedValue(value)});
  }
}

void RememberedValues::remove(QByteArrayView section, QByteArrayView key) {
  Section* found = find(section);
  const qsizetype at = found != nullptr ? keyAt(*found, key) : -1;
  if (at >= 0) {
    found->keys.removeAt(at);
  }
}

void RememberedValues::keepLast(QByteArrayView section, qsizetype count) {
  Section* found = find(section);
  if (found != nullptr && found->keys.size() > count) {
    found->keys.remove(0, found->keys.size() - count);
  }
}

QList<QByteArray> RememberedValues::keys(QByteArrayView section) const {
  QList<QByteArray> keys;
  if (const Section* found = find(section)) {
    for (const auto& entry : found->keys) {
      keys.append(entry.first);
    }
  }
  return keys;
}

const RememberedValues::Section* RememberedValues::find(QByteArrayView section) const {
  const auto found = std::find_if(m_sections.cbegin(), m_sections.cend(),
                                  [&](const Section& each) { return each.name == section; });
  return found == m_sections.cend() ? nullptr : &*found;
}

RememberedValues::Section* RememberedValues::find(QByteArrayView section) {
  return const_cast<Section*>(std::as_const(*this).find(section));
}

qsizetype RememberedValues::keyAt(const Section& section, QByteArrayView key) {
  const auto found = std::find_if(section.keys.cbegin(), section.keys.cend(),
                                  [&](const auto& entry) { return entry.first == key; });
  return found == section.keys.cend() ? -1 : found - section.keys.cbegin();
}

QString RememberedFile::defaultPath() {
  // The generic location with our own folder name: the application's name is the window's
  // title, which is no name for a folder.
  const QString configHome =
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return configHome + QLatin1Char('/') + QLatin1String(kProgramName) + QLatin1Char('/') +
         QLatin1String(kFileName);
}

RememberedFile::RememberedFile(QString path) : m_path(std::move(path)) {}

RememberedValues RememberedFile::read() const {
  try {
    const QByteArray text = readWholeFile(m_path, kSizeLimit);
    // Binary: none this program wrote, so nothing in it is worth keeping.
    return text.contains('\0') ? RememberedValues() : RememberedValues::fromText(text);
  } catch (const Error&) {
    // No file, or none this program wrote: what it would have told is not known, and writing
    // replaces it or says why it cannot.
    return {};
  }
}

void RememberedFile::write(const RememberedValues& values) const {
  if (!QDir().mkpath(QFileInfo(m_path).path())) {
    throw Error(messages::cannotCreateFile(m_path));
  }
  replaceFileAtomically(m_path, values.text());
}

}  // namespace vorlane
