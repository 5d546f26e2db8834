#include "core/catalogue/FileNameOrder.h"

#include <algorithm>
#include <vector>

#include <QCollator>

#include "core/platform/NativeText.h"

namespace vorlane {

QList<qsizetype> sortedOrder(const QStringList& names, const QLocale& locale) {
  // The C locale has no collation rules of its own: Qt would compare code points there, which
  // puts every accented name behind "Z". English has none either, so its collator is the root
  // collation, where accented letters stand beside their base letters.
  QCollator collator(locale.language() == QLocale::C ? QLocale(QLocale::English) : locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);

  // Each name's key is computed once: comparing names through the collator on every step of
  // the sort costs several times more on catalogues of tens of thousands of files. The key is
  // that of the name the list shows: one that is not UTF-8 sorts as its Windows-1252 reading.
  struct Keyed {
    QCollatorSortKey key;
    qsizetype index;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(names.size());
  for (qsizetype i = 0; i < names.size(); ++i) {
    keyed.push_back({collator.sortKey(displayPath(names.at(i))), i});
  }
  std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
    const int order = a.key.compare(b.key);
    return order != 0 ? order < 0 : names.at(a.index) < names.at(b.index);
  });
  QList<qsizetype> order;
  order.reserve(names.size());
  for (const Keyed& entry : keyed) {
    order.append(entry.index);
  }
  return order;
}

}  // namespace vorlane
