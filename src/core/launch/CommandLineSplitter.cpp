#include "core/launch/CommandLineSplitter.h"

namespace vorlane {
namespace {

constexpr QChar kQuote(u'"');
constexpr QChar kBackslash(u'\\');

bool isSeparator(QChar c) {
  return c == QChar(u' ') || c == QChar(u'\t');
}

}  // namespace

QStringList splitCommandLine(const QString& text) {
  QStringList arguments;
  QString current;
  bool inArgument = false;  // An empty quoted pair still makes an argument.
  bool quoted = false;
  const qsizetype size = text.size();
  qsizetype i = 0;
  while (i < size) {
    const QChar c = text[i];
    if (isSeparator(c) && !quoted) {
      if (inArgument) {
        arguments.append(current);
        current.clear();
        inArgument = false;
      }
      ++i;
      continue;
    }
    inArgument = true;
    if (c == kBackslash) {
      qsizetype backslashes = 0;
      while (i < size && text[i] == kBackslash) {
        ++backslashes;
        ++i;
      }
      if (i < size && text[i] == kQuote) {
        current.append(QString(backslashes / 2, kBackslash));
        if (backslashes % 2 == 1) {
          current.append(kQuote);
          ++i;
        }
        // With an even count the quote is handled as a quote on the next round.
      } else {
        current.append(QString(backslashes, kBackslash));
      }
      continue;
    }
    if (c == kQuote) {
      if (quoted && i + 1 < size && text[i + 1] == kQuote) {
        current.append(kQuote);
        i += 2;
        continue;
      }
      quoted = !quoted;
      ++i;
      continue;
    }
    current.append(c);
    ++i;
  }
  if (inArgument) {
    arguments.append(current);
  }
  return arguments;
}

}  // namespace vorlane
