#pragma once

#include <QCollator>
#include <QList>
#include <QLocale>
#include <QStringList>

namespace vorlane {

// How many names one thread turns into sort keys at a time.
inline constexpr qsizetype kNamesPerKeyTask = 2048;

// The collator of the list's order: the locale's (the root collation for the C locale, which has
// none), letter case ignored.
QCollator listCollator(const QLocale& locale);

// The order of file names as a sorted system list shows them: by the collation of the locale (the
// root collation for the C locale, which has none), letter case ignored. Names that differ only in
// case (a case-sensitive file system can hold both) follow in binary order, capitals first, so the
// result never depends on the order given. Entry k is the index in `names` of the name that sorts
// k-th.
QList<qsizetype> sortedOrder(const QStringList& names, const QLocale& locale = QLocale());

// The same collation for texts that are not file names, such as game names: texts it holds equal
// keep the order they were given in.
QList<qsizetype> stableSortedOrder(const QStringList& texts, const QLocale& locale = QLocale());

}  // namespace vorlane
