#include "core/catalogue/GameNameOrder.h"

#include "core/catalogue/FileNameOrder.h"
#include "core/platform/TextCodec.h"

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

}  // namespace vorlane
