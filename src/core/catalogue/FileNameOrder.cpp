#include "core/catalogue/FileNameOrder.h"

#include <algorithm>
#include <vector>

#include <QCollator>

namespace vorlane {

namespace {

// Each name's key is computed once: comparing names through the collator on every step of
// the sort costs several times more on catalogues of tens of thousands of files.
template <typename Key, typename KeyOf, typename CompareKeys>
QList<qsizetype> orderByKey(const QStringList& names, KeyOf keyOf, CompareKeys compareKeys) {
  struct Keyed {
    Key key;
    qsizetype index;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(names.size());
  for (qsizetype i = 0; i < names.size(); ++i) {
    keyed.push_back({keyOf(names.at(i)), i});
  }
  std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
    const int order = compareKeys(a.key, b.key);
    return order != 0 ? order < 0 : names.at(a.index) < names.at(b.index);
  });
  QList<qsizetype> order;
  order.reserve(names.size());
  for (const Keyed& entry : keyed) {
    order.append(entry.index);
  }
  return order;
}

}  // namespace

QList<qsizetype> sortedOrder(const QStringList& names, const QLocale& locale) {
  if (locale.language() == QLocale::C) {
    // In the C locale Qt's collator ignores case when it compares, but not in its sort keys.
    return orderByKey<QString>(
        names, [](const QString& name) { return name.toCaseFolded(); },
        [](const QString& a, const QString& b) { return QString::compare(a, b); });
  }
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  return orderByKey<QCollatorSortKey>(
      names, [&](const QString& name) { return collator.sortKey(name); },
      [](const QCollatorSortKey& a, const QCollatorSortKey& b) { return a.compare(b); });
}

}  // namespace vorlane
