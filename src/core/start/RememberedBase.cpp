#include "core/start/RememberedBase.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/errors/Error.h"
#include "core/errors/ErrorMessages.h"
#include "core/files/FileAccess.h"
#include "core/files/FileSystem.h"
#include "core/files/Paths.h"
#include "core/settings/EmulatorConfig.h"
#include "core/start/ProgramInfo.h"
#include "core/text/NativeText.h"
#include "core/text/TextLines.h"

namespace vorlane {
namespace {

constexpr char kSettingsFileName[] = "vorlane.conf";
constexpr char kGeneralSection[] = "General";
constexpr char kBaseDirectoryKey[] = "BaseDirectory";
// The file holds one path, escaped: anything larger was not written by this program, and is not
// worth the memory of reading.
constexpr qint64 kSettingsFileLimit = qint64(64) << 10;

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

// The base directory's value in the file's text; empty when no line of the general section (or
// of the lines before any section) holds the key.
QByteArray baseDirectoryValue(QByteArrayView text) {
  if (text.startsWith("\xEF\xBB\xBF")) {
    text = text.sliced(3);
  }
  bool inGeneral = true;
  for (const QByteArray& line : splitLines(text)) {
    const QByteArray trimmed = line.trimmed();
    if (trimmed.startsWith('[')) {
      const qsizetype close = trimmed.indexOf(']');
      inGeneral = close > 0 &&
                  trimmed.sliced(1, close - 1).compare(kGeneralSection, Qt::CaseInsensitive) == 0;
      continue;
    }
    const qsizetype equals = line.indexOf('=');
    if (inGeneral && equals > 0 && line.first(equals).trimmed() == kBaseDirectoryKey) {
      return unescapedValue(QByteArrayView(line).sliced(equals + 1));
    }
  }
  return {};
}

}  // namespace

QString RememberedBase::defaultSettingsPath() {
  // The generic location with our own folder name: the application's name is the window's
  // title, which is no name for a folder.
  const QString configHome =
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return configHome + QLatin1Char('/') + QLatin1String(kProgramName) + QLatin1Char('/') +
         QLatin1String(kSettingsFileName);
}

RememberedBase::RememberedBase(QString settingsPath) : m_settingsPath(std::move(settingsPath)) {}

QString RememberedBase::directory() const {
  try {
    return decodeNative(baseDirectoryValue(readWholeFile(m_settingsPath, kSettingsFileLimit)));
  } catch (const Error&) {
    // No file, or none this program wrote: the start asks, and remembering the answer replaces
    // the file or says why it cannot.
    return {};
  }
}

QString RememberedBase::usableDirectory() const {
  const QString remembered = directory();
  return !remembered.isEmpty() && holdsEmulatorConfig(remembered) ? remembered : QString();
}

void RememberedBase::remember(const QString& directory) const {
  if (!QDir().mkpath(QFileInfo(m_settingsPath).path())) {
    throw Error(messages::cannotCreateFile(m_settingsPath));
  }
  replaceFileAtomically(m_settingsPath, QByteArray("[") + kGeneralSection + "]\n" +
                                            kBaseDirectoryKey + '=' +
                                            escapedValue(encodeNative(directory)) + '\n');
}

bool holdsEmulatorConfig(const QString& directory) {
  return isRegularFile(basePath(directory, kEmulatorConfigFileName));
}

}  // namespace vorlane
