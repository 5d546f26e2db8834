#include "core/catalogue/GameNameOrder.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "core/catalogue/FileNameOrder.h"
#include "core/text/TextCodec.h"

namespace vorlane {

QList<qsizetype> gameNameOrder(const QList<DriverRecord>& drivers, const QLocale& locale) {
  QStringList names;
  names.reserve(drivers.size());
  for (const DriverRecord& driver : drivers) {
    names.append(decodeText(driver.gameName));
  }
  // The rows are in their file names' order already: kept where the names are equal.
  return stableSortedOrder(names, locale);
}

void rankByGameName(QList<DriverRecord>& drivers, const QLocale& locale) {
  const QList<qsizetype> order = gameNameOrder(drivers, locale);
  // In place: the records are the caller's own, so none is copied.
  DriverRecord* recordOf = drivers.data();
  for (qsizetype rank = 0; rank < order.size(); ++rank) {
    recordOf[order.at(rank)].gameNameRank = quint32(rank);
  }
}

QList<qsizetype> rowsInOrder(const QList<DriverRecord>& drivers, ListOrder order) {
  const qsizetype count = drivers.size();
  QList<qsizetype> rows(count);
  if (order == ListOrder::ByFileName) {
    std::iota(rows.begin(), rows.end(), 0);
    return rows;
  }
  // A counting sort: the scan's ranks are a permutation, but records ranked apart or not at all
  // keep their rows too, equal ranks in list order.
  const auto placeOf = [&](qsizetype row) {
    return std::min<qsizetype>(drivers.at(row).gameNameRank, count - 1);
  };
  std::vector<qsizetype> firstOfPlace(std::size_t(count) + 1, 0);
  for (qsizetype row = 0; row < count; ++row) {
    ++firstOfPlace[std::size_t(placeOf(row)) + 1];
  }
  std::partial_sum(firstOfPlace.begin(), firstOfPlace.end(), firstOfPlace.begin());
  for (qsizetype row = 0; row < count; ++row) {
    rows[firstOfPlace[std::size_t(placeOf(row))]++] = row;
  }
  return rows;
}

}  // namespace vorlane
