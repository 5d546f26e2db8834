#include "core/settings/ProfileFile.h"

#include <limits>
#include <optional>
#include <utility>

#include "core/errors/Error.h"
#include "core/errors/ErrorMessages.h"
#include "core/files/FileAccess.h"
#include "core/files/FileSystem.h"
#include "core/formats/ProfileText.h"
#include "core/text/TextLines.h"

namespace vorlane {

namespace {

constexpr qsizetype kMaxValueLength = 2047;

QList<std::optional<QByteArray>> cutToLongestValue(QList<std::optional<QByteArray>> values) {
  for (std::optional<QByteArray>& value : values) {
    if (value) {
      value->truncate(kMaxValueLength);
    }
  }
  return values;
}

std::optional<int> parseDigits(QByteArrayView digits, int base, bool negative) {
  constexpr qint64 kLimit = qint64(std::numeric_limits<int>::max()) + 1;
  if (digits.isEmpty()) {
    return std::nullopt;
  }
  qint64 magnitude = 0;
  for (const char c : digits) {
    const int digit = digitValue(c, base);
    if (digit < 0) {
      return std::nullopt;
    }
    magnitude = magnitude * base + digit;
    if (magnitude > kLimit) {
      return std::nullopt;
    }
  }
  const qint64 number = negative ? -magnitude : magnitude;
  if (number > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(number);
}

// Blanks and a sign may stand before decimal or "$" digits, never before "0x".
std::optional<int> parseInteger(QByteArrayView text) {
  if (text.size() > 2 && (text.startsWith("0x") || text.startsWith("0X"))) {
    return parseDigits(text.sliced(2), 16, false);
  }
  qsizetype pos = 0;
  while (pos < text.size() && text[pos] == ' ') {
    ++pos;
  }
  const bool negative = pos < text.size() && text[pos] == '-';
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    ++pos;
  }
  const bool hexadecimal = pos < text.size() && text[pos] == '$';
  return parseDigits(text.sliced(pos + (hexadecimal ? 1 : 0)), hexadecimal ? 16 : 10, negative);
}

}  // namespace

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)) {}

QByteArray ProfileFile::readForReading() const {
  try {
    return readWholeFile(m_path);
  } catch (const Error&) {
    return {};
  }
}

QByteArray ProfileFile::readForWriting() const {
  if (!pathExists(m_path)) {
    return {};
  }
  try {
    return readWholeFile(m_path);
  } catch (const Error&) {
    // Rewriting a file that could not be read would lose its other settings.
    throw Error(messages::unableToWriteTo(m_path));
  }
}

QByteArray ProfileFile::readString(const QByteArray& section, const QByteArray& key,
                                   const QByteArray& defaultValue) const {
  return readStrings(section, {key}).front().value_or(defaultValue);
}

QList<std::optional<QByteArray>> ProfileFile::readStrings(const QByteArray& section,
                                                          const QList<QByteArray>& keys) const {
  return cutToLongestValue(ProfileText(readForReading()).values(section, keys));
}

QList<ProfileText::SectionValues> ProfileFile::readEachSection(
    const QList<QByteArray>& keys) const {
  QList<ProfileText::SectionValues> sections = ProfileText(readForReading()).eachSection(keys);
  for (ProfileText::SectionValues& section : sections) {
    section.values = cutToLongestValue(std::move(section.values));
  }
  return sections;
}

int ProfileFile::readInteger(const QByteArray& section, const QByteArray& key,
                             int defaultValue) const {
  return parseInteger(readString(section, key, QByteArray())).value_or(defaultValue);
}

bool ProfileFile::readBool(const QByteArray& section, const QByteArray& key,
                           bool defaultValue) const {
  return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void ProfileFile::writeString(const QByteArray& section, const QByteArray& key,
                              const QByteArray& value) const {
  ProfileText text(readForWriting());
  text.setValue(section, key, value);
  try {
    replaceFileAtomically(m_path, text.toBytes());
  } catch (const Error&) {
    throw Error(messages::unableToWriteTo(m_path));
  }
}

void ProfileFile::writeInteger(const QByteArray& section, const QByteArray& key, int value) const {
  writeString(section, key, QByteArray::number(value));
}

void ProfileFile::writeBool(const QByteArray& section, const QByteArray& key, bool value) const {
  writeString(section, key, value ? QByteArrayLiteral("1") : QByteArrayLiteral("0"));
}

QList<QByteArray> ProfileFile::sectionNames() const {
  return ProfileText(readForReading()).sectionNames();
}

}  // namespace vorlane
