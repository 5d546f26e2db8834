#include "core/catalogue/GameNameOrder.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "core/catalogue/FileNameOrder.h"
#include "core/catalogue/FreedMemory.h"
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
  // The names and keys of a large catalogue, held only while it was ranked, would otherwise stay
  // resident for the whole run.
  releaseFreedMemory();
}

namespace {

// rankByGameName after only the records at `changedRows` (ascending) lost their ranks.
void rerankByGameName(QList<DriverRecord>& drivers, const std::vector<qsizetype>& changedRows,
                      const QLocale& locale) {
  const qsizetype count = drivers.size();
  // Placing one record collates about log2(count) names; ranking anew collates each name once.
  constexpr qsizetype kKeptPerPlaced = 16;
  if (qsizetype(changedRows.size()) * kKeptPerPlaced > count) {
    rankByGameName(drivers, locale);
    return;
  }
  std::vector<qsizetype> kept;
  kept.reserve(std::size_t(count) - changedRows.size());
  for (qsizetype row = 0, next = 0; row < count; ++row) {
    if (next < qsizetype(changedRows.size()) && changedRows[std::size_t(next)] == row) {
      ++next;
    } else {
      kept.push_back(row);
    }
  }
  // The kept records' ranks are of the list they were read with: their order holds among them.
  std::sort(kept.begin(), kept.end(), [&](qsizetype a, qsizetype b) {
    return drivers.at(a).gameNameRank < drivers.at(b).gameNameRank;
  });
  QStringList changedNames;
  for (const qsizetype row : changedRows) {
    changedNames.append(decodeText(drivers.at(row).gameName));
  }
  const QCollator collator = listCollator(locale);
  std::vector<qsizetype> order;
  order.reserve(std::size_t(count));
  auto keptFrom = kept.cbegin();
  // In the changed records' own order, each goes before the first kept one that sorts after it,
  // names held equal in list order.
  for (const qsizetype index : stableSortedOrder(changedNames, locale)) {
    const qsizetype row = changedRows[std::size_t(index)];
    const QString& name = changedNames.at(index);
    const auto place = std::partition_point(keptFrom, kept.cend(), [&](qsizetype keptRow) {
      const int collated = collator.compare(decodeText(drivers.at(keptRow).gameName), name);
      return collated < 0 || (collated == 0 && keptRow < row);
    });
    order.insert(order.end(), keptFrom, place);
    order.push_back(row);
    keptFrom = place;
  }
  order.insert(order.end(), keptFrom, kept.cend());
  DriverRecord* recordOf = drivers.data();
  for (std::size_t rank = 0; rank < order.size(); ++rank) {
    recordOf[order[rank]].gameNameRank = quint32(rank);
  }
}

}  // namespace

void ensureRankedByGameName(QList<DriverRecord>& drivers, const QLocale& locale) {
  // Read through the constant list: a list with nothing to rank is not copied from its sharers.
  const QList<DriverRecord>& records = drivers;
  std::vector<qsizetype> unranked;
  for (qsizetype row = 0; row < records.size(); ++row) {
    if (records.at(row).gameNameRank == DriverRecord::kUnranked) {
      unranked.push_back(row);
    }
  }
  if (!unranked.empty()) {
    rerankByGameName(drivers, unranked, locale);
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
