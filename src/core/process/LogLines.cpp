#include "core/process/LogLines.h"

#include <cstring>

namespace vorlane::messages {
namespace {

// Fills a caller's buffer without allocating, cutting what does not fit.
class FixedText {
 public:
  FixedText(char* buffer, std::size_t size) : m_buffer(buffer), m_size(size) {}

  FixedText& operator<<(const char* text) {
    while (*text != '\0' && m_length < m_size) {
      m_buffer[m_length++] = *text++;
    }
    return *this;
  }
  FixedText& operator<<(std::int64_t number) {
    char digits[24];
    int count = 0;
    std::uint64_t magnitude =
        number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    do {
      digits[count++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude > 0);
    if (number < 0) {
      *this << "-";
    }
    while (count > 0 && m_length < m_size) {
      m_buffer[m_length++] = digits[--count];
    }
    return *this;
  }
  std::size_t length() const { return m_length; }

 private:
  char* m_buffer;
  std::size_t m_size;
  std::size_t m_length = 0;
};

// The log's own words, written by the process that waited for the program: " with exit code 2",
// ", killed by signal 9 (Killed)", nothing for an unknown end.
FixedText& operator<<(FixedText& text, ProgramEnd end) {
  switch (end.kind) {
    case ProgramEnd::Kind::Exited:
      return text << " with exit code " << std::int64_t{end.value};
    case ProgramEnd::Kind::Killed: {
      const char* name = ::sigdescr_np(end.value);
      return text << ", killed by signal " << std::int64_t{end.value} << " ("
                  << (name != nullptr ? name : "unknown signal") << ")";
    }
    case ProgramEnd::Kind::Unknown:
      break;
  }
  return text;
}

}  // namespace

QByteArray logHeader(const QByteArray& commandLine, const QByteArray& time) {
  return kLogHeaderWord + commandLine + QByteArrayLiteral(" at ") + time + '\n';
}

std::size_t formatLeftOutLine(char* buffer, std::size_t size, std::uint64_t count) {
  FixedText text(buffer, size);
  text << "[... " << static_cast<std::int64_t>(count) << " bytes left out ...]\n";
  return text.length();
}

std::size_t formatLogEndLine(char* buffer, std::size_t size, ProgramEnd end) {
  FixedText text(buffer, size);
  text << "Ended" << end << "\n";
  return text.length();
}

}  // namespace vorlane::messages
