#include "core/catalogue/FileNameOrder.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QCollator>

#include "core/platform/NativeText.h"

namespace vorlane {

void sortFileNames(QStringList& names, const QLocale& locale) {
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
    QString name;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(names.size());
  for (QString& name : names) {
    QCollatorSortKey key = collator.sortKey(displayPath(name));
    keyed.push_back({std::move(key), std::move(name)});
  }
  std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
    const int order = a.key.compare(b.key);
    return order != 0 ? order < 0 : a.name < b.name;
  });
  for (qsizetype i = 0; i < names.size(); ++i) {
    names[i] = std::move(keyed[i].name);
  }
}

}  // namespace vorlane
