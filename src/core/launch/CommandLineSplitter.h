#pragma once

#include <QString>
#include <QStringList>

namespace vorlane {

// Splits a parameter text into arguments as a Windows program's C runtime does, so a line
// written for a Windows command line keeps its meaning: blanks and tabs separate arguments;
// double quotes group and are removed; backslashes are literal except before a double quote,
// where 2n backslashes give n and the quote toggles quoting, and 2n+1 give n and a literal
// quote; inside quotes a doubled quote gives one quote and quoting goes on.
QStringList splitCommandLine(const QString& text);

}  // namespace vorlane
