#include "core/start/RememberedFile.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/files/TextLines.h"
#include "core/platform/Error.h"
#include "core/platform/FileAccess.h"
#include "core/platform/Messages.h"
#include "core/start/ProgramInfo.h"

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

// The digit's value in base 16 or 8, or -1 when it is no digit of that base.
int digitValue(char c, int base) {
  const int value = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
  return value < base ? value : -1;
}

bool isHexDigit(char c) {
  return digitValue(c, 16) >= 0;
}

// The value as INI readers (Qt's among them) read it back: backslashes, double quotes and control
// characters escaped, the whole quoted when it holds a separator or blanks at its ends, and a
// leading "@" doubled. Bytes that are not UTF-8 stand as they are, so the path keeps them.
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
  QByteArray section = kGeneralSection;
  for (const QByteArray& line : splitLines(text)) {
    const QByteArray trimmed = line.trimmed();
    if (trimmed.startsWith('[')) {
      // A header that does not close names no section: its keys are left out.
      const qsizetype close = trimmed.indexOf(']');
      section = close > 1 ? sectionName(trimmed.sliced(1, close - 1)) : QByteArray();
      continue;
    }
    const qsizetype equals = line.indexOf('=');
    const QByteArray key = equals > 0 ? line.first(equals).trimmed() : QByteArray();
    if (!section.isEmpty() && isKey(key)) {
      values.add({section, key, line.sliced(equals + 1)});
    }
  }
  return values;
}

QByteArray RememberedValues::text() const {
  QByteArray text;
  const QByteArray* section = nullptr;
  for (const Entry& entry : m_entries) {
    if (section == nullptr || *section != entry.section) {
      section = &entry.section;
      text += (text.isEmpty() ? "[" : "\n[") + entry.section + "]\n";
    }
    text += entry.key + '=' + entry.escapedValue + '\n';
  }
  return text;
}

std::optional<QByteArray> RememberedValues::value(QByteArrayView section,
                                                  QByteArrayView key) const {
  const qsizetype at = find(section, key);
  return at < 0 ? std::nullopt : std::optional(unescapedValue(m_entries.at(at).escapedValue));
}

void RememberedValues::set(QByteArrayView section, QByteArrayView key, const QByteArray& value) {
  const qsizetype at = find(section, key);
  if (at >= 0) {
    m_entries[at].escapedValue = escapedValue(value);
  } else {
    add({section.toByteArray(), key.toByteArray(), escapedValue(value)});
  }
}

void RememberedValues::remove(QByteArrayView section, QByteArrayView key) {
  const qsizetype at = find(section, key);
  if (at >= 0) {
    m_entries.removeAt(at);
  }
}

QList<QByteArray> RememberedValues::keys(QByteArrayView section) const {
  QList<QByteArray> keys;
  for (const Entry& entry : m_entries) {
    if (entry.section == section) {
      keys.append(entry.key);
    }
  }
  return keys;
}

qsizetype RememberedValues::find(QByteArrayView section, QByteArrayView key) const {
  const auto found = std::find_if(m_entries.cbegin(), m_entries.cend(), [&](const Entry& entry) {
    return entry.section == section && entry.key == key;
  });
  return found == m_entries.cend() ? -1 : found - m_entries.cbegin();
}

void RememberedValues::add(Entry entry) {
  if (find(entry.section, entry.key) >= 0) {
    return;
  }
  const auto lastOfSection =
      std::find_if(m_entries.crbegin(), m_entries.crend(),
                   [&](const Entry& other) { return other.section == entry.section; });
  m_entries.insert(
      lastOfSection == m_entries.crend() ? m_entries.size() : m_entries.crend() - lastOfSection,
      std::move(entry));
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
