#pragma once

#include <QList>

#include "core/catalogue/DriverScan.h"

namespace vorlane {

// Consecutive rows of a list.
struct RowSpan {
  qsizetype first = 0;
  qsizetype count = 0;
  friend bool operator==(const RowSpan&, const RowSpan&) = default;
};

// A driver file that left one row and came back at another under a new name: its row in the old
// list and in the new one.
struct RenamedRow {
  qsizetype before = 0;
  qsizetype after = 0;
  friend bool operator==(const RenamedRow&, const RenamedRow&) = default;
};

// How one catalogue becomes the next as row changes, drivers matched by file name. Applied in
// this order, every row number holds at its step: the removed spans from the highest row down
// (old numbering), then the inserted spans from the lowest row up (new numbering), then the
// changed rows (new numbering).
struct CatalogueDiff {
  QList<RowSpan> removed;
  QList<RowSpan> inserted;
  // Rows of drivers in both lists whose game name or missing archive differs.
  QList<RowSpan> changed;
  // The rows of the drivers in both lists, ascending: keptBefore[k] in the old list is the same
  // driver as keptAfter[k] in the new one.
  QList<qsizetype> keptBefore;
  QList<qsizetype> keptAfter;
  // Removed rows whose file is an inserted row's (the same identity, shared by no other removed or
  // inserted row), by ascending old row: the file was renamed.
  QList<RenamedRow> renamed;

  bool isEmpty() const { return removed.isEmpty() && inserted.isEmpty() && changed.isEmpty(); }
};

// Both lists in list order. A driver whose place among the others changed (the lists were
// sorted by different rules) is removed and inserted rather than moved.
CatalogueDiff diffCatalogue(const QList<DriverRecord>& before, const QList<DriverRecord>& after);

}  // namespace vorlane
