// A parameter text of arbitrary characters split into arguments. Besides not crashing: the
// arguments found, quoted by the Windows rules and joined again, split back into themselves;
// a text without quotes or backslashes splits exactly at its blanks and tabs; words free of
// blanks, tabs and quotes joined with blanks split back into those words.
#include <cstddef>
#include <cstdint>

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include "core/launch/CommandLineSplitter.h"

#include "FuzzInput.h"

namespace {

using vorlane::fuzz::check;

// The quoting a Windows program's caller applies: the argument in quotes, a quote inside it
// escaped with a backslash, and the backslashes in front of any quote doubled.
QString quoted(const QString& argument) {
  QString text(u'"');
  qsizetype backslashes = 0;
  for (const QChar c : argument) {
    if (c == u'\\') {
      ++backslashes;
      continue;
    }
    const bool quote = c == u'"';
    text += QString(quote ? 2 * backslashes + 1 : backslashes, u'\\');
    text += c;
    backslashes = 0;
  }
  text += QString(2 * backslashes, u'\\');
  text += u'"';
  return text;
}

QString quotedJoin(const QStringList& arguments) {
  QStringList parts;
  for (const QString& argument : arguments) {
    parts.append(quoted(argument));
  }
  return parts.join(u' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text =
      QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QStringList arguments = vorlane::splitCommandLine(text);
  check(vorlane::splitCommandLine(quotedJoin(arguments)) == arguments,
        "quoted arguments split back into themselves");

  static const QRegularExpression separators(QStringLiteral("[ \\t]+"));
  if (!text.contains(u'"') && !text.contains(u'\\')) {
    check(arguments == text.split(separators, Qt::SkipEmptyParts),
          "a text without quotes or backslashes splits at its blanks and tabs");
  }

  static const QRegularExpression unsafe(QStringLiteral("[ \\t\"]"));
  QStringList words = text.split(u'\n', Qt::SkipEmptyParts);
  for (QString& word : words) {
    word.remove(unsafe);
  }
  words.removeAll(QString());
  check(vorlane::splitCommandLine(words.join(u' ')) == words,
        "plain words joined with blanks split back into themselves");
  return 0;
}
