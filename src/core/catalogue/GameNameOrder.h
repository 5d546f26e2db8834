#pragma once

#include <QList>
#include <QLocale>

#include "core/catalogue/DriverScan.h"

namespace vorlane {

// The orders the Drivers page's list can show.
enum class ListOrder {
  ByFileName,  // list order, as the scan gives the records
  ByGameName,  // gameNameOrder
};

// The rows of a catalogue (in list order, as the scan gives them) in the order of the game names
// the list shows: the collation the file names sort by (sortedOrder), letter case ignored, and
// games of one name in the order of their file names. Entry k is the row of the game that sorts
// k-th.
QList<qsizetype> gameNameOrder(const QList<DriverRecord>& drivers,
                               const QLocale& locale = QLocale());

// Gives each record its place in gameNameOrder as its gameNameRank.
void rankByGameName(QList<DriverRecord>& drivers, const QLocale& locale = QLocale());

// rankByGameName for records of which some have no rank (kUnranked: read anew by a scan or a
// refresh): the ranked ones keep the order of the ranks they had, and each of the others is placed
// among them by collating it with a few of them, where ranking anew would collate every name.
// Many unranked records are ranked anew; with none, the list is left as it is, unshared.
void ensureRankedByGameName(QList<DriverRecord>& drivers, const QLocale& locale = QLocale());

// The rows of ranked records in `order`, entry k the row shown k-th: a switch of order without a
// name collated or two records compared, in two passes over the ranks. Records whose ranks are
// equal (not ranked together) follow in list order, unranked ones last.
QList<qsizetype> rowsInOrder(const QList<DriverRecord>& drivers, ListOrder order);

}  // namespace vorlane
