#include "core/catalogue/CatalogueDiff.h"

#include <algorithm>

#include <QHash>

namespace vorlane {
namespace {

// Rows, ascending, gathered into spans of consecutive rows.
QList<RowSpan> spansOf(const QList<qsizetype>& rows) {
  QList<RowSpan> spans;
  for (const qsizetype row : rows) {
    if (!spans.isEmpty() && spans.last().first + spans.last().count == row) {
      ++spans.last().count;
    } else {
      spans.append({row, 1});
    }
  }
  return spans;
}

// The rows of `count` that `kept` (ascending) leaves out.
QList<qsizetype> rowsOutside(const QList<qsizetype>& kept, qsizetype count) {
  QList<qsizetype> rows;
  rows.reserve(count - kept.size());
  qsizetype next = 0;
  for (qsizetype row = 0; row < count; ++row) {
    if (next < kept.size() && kept.at(next) == row) {
      ++next;
    } else {
      rows.append(row);
    }
  }
  return rows;
}

bool sameEntry(const DriverRecord& a, const DriverRecord& b) {
  return a.gameName == b.gameName && a.archiveMissing == b.archiveMissing && a.archive == b.archive;
}

}  // namespace

CatalogueDiff diffCatalogue(const QList<DriverRecord>& before, const QList<DriverRecord>& after) {
  QHash<QString, qsizetype> rowAfter;
  rowAfter.reserve(after.size());
  for (qsizetype row = 0; row < after.size(); ++row) {
    rowAfter.insert(after.at(row).file, row);
  }

  CatalogueDiff diff;
  QList<qsizetype> changedRows;
  qsizetype lastKept = -1;
  for (qsizetype row = 0; row < before.size(); ++row) {
    const auto found = rowAfter.constFind(before.at(row).file);
    // Kept rows must keep their order, or a row step would land on the wrong row.
    if (found == rowAfter.cend() || found.value() <= lastKept) {
      continue;
    }
    lastKept = found.value();
    diff.keptBefore.append(row);
    diff.keptAfter.append(lastKept);
    if (!sameEntry(before.at(row), after.at(lastKept))) {
      changedRows.append(lastKept);
    }
  }

  diff.removed = spansOf(rowsOutside(diff.keptBefore, before.size()));
  std::reverse(diff.removed.begin(), diff.removed.end());
  diff.inserted = spansOf(rowsOutside(diff.keptAfter, after.size()));
  diff.changed = spansOf(changedRows);
  return diff;
}

}  // namespace vorlane
