#include "core/catalogue/FileNameOrder.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QCollator>

namespace vorlane {

namespace {

// Each name's key is computed once: comparing names through the collator on every step of
// the sort costs several times more on catalogues of tens of thousands of files.
template <typename Key, typename KeyOf, typename CompareKeys>
void sortByKey(QStringList& names, KeyOf keyOf, CompareKeys compareKeys) {
  struct Keyed {
    Key key;
    QString name;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(names.size());
  for (QString& name : names) {
    Key key = keyOf(name);
    keyed.push_back({std::move(key), std::move(name)});
  }
  std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
    const int order = compareKeys(a.key, b.key);
    return order != 0 ? order < 0 : a.name < b.name;
  });
  for (qsizetype i = 0; i < names.size(); ++i) {
    names[i] = std::move(keyed[i].name);
  }
}

}  // namespace

void sortFileNames(QStringList& names, const QLocale& locale) {
  if (locale.language() == QLocale::C) {
    // In the C locale Qt's collator ignores case when it compares, but not in its sort keys.
    sortByKey<QString>(
        names, [](const QString& name) { return name.toCaseFolded(); },
        [](const QString& a, const QString& b) { return QString::compare(a, b); });
    return;
  }
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  sortByKey<QCollatorSortKey>(
      names, [&](const QString& name) { return collator.sortKey(name); },
      [](const QCollatorSortKey& a, const QCollatorSortKey& b) { return a.compare(b); });
}

}  // namespace vorlane
