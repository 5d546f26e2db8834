#include "core/catalogue/FileNameOrder.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include <QCollator>
#include <QThread>

#include "core/catalogue/ReaderPool.h"
#include "core/platform/NativeText.h"

namespace vorlane {

namespace {

QCollator listCollator(const QLocale& locale) {
  // The C locale has no collation rules of its own: Qt would compare code points there, which
  // puts every accented name behind "Z". English has none either, so its collator is the root
  // collation, where accented letters stand beside their base letters.
  QCollator collator(locale.language() == QLocale::C ? QLocale(QLocale::English) : locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  return collator;
}

struct Keyed {
  QCollatorSortKey key;
  qsizetype index;
};

}  // namespace

QList<qsizetype> sortedOrder(const QStringList& names, const QLocale& locale) {
  // Each name's key is computed once: comparing names through the collator on every step of
  // the sort costs several times more on catalogues of tens of thousands of files. The key is
  // that of the name the list shows: one that is not UTF-8 sorts as its Windows-1252 reading.
  // The keys cost most of the sort, so every core makes a share of them, each share with a
  // collator of its own, since a collator is not to be shared between threads.
  const qsizetype tasks = (names.size() + kNamesPerKeyTask - 1) / kNamesPerKeyTask;
  std::vector<std::vector<Keyed>> shares(tasks);
  runInParallel(tasks, QThread::idealThreadCount(), [&](qsizetype task) {
    const QCollator collator = listCollator(locale);
    const qsizetype first = task * kNamesPerKeyTask;
    const qsizetype end = std::min(names.size(), first + kNamesPerKeyTask);
    std::vector<Keyed>& share = shares[task];
    share.reserve(end - first);
    for (qsizetype i = first; i < end; ++i) {
      share.push_back({collator.sortKey(displayPath(names.at(i))), i});
    }
  });
  std::vector<Keyed> keyed;
  keyed.reserve(names.size());
  for (std::vector<Keyed>& share : shares) {
    std::move(share.begin(), share.end(), std::back_inserter(keyed));
    share = {};
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
