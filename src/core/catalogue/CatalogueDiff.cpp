#include "core/catalogue/CatalogueDiff.h"

#include <algorithm>
#include <utility>

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

// Texts of records that a refresh kept share their data: those compare without reading it, which
// on a large catalogue would cost a cache miss for every one.
template <typename Text>
bool sameText(const Text& a, const Text& b) {
  return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

bool sameEntry(const DriverRecord& a, const DriverRecord& b) {
  return sameText(a.gameName, b.gameName) && a.archiveMissing == b.archiveMissing &&
         sameText(a.archive, b.archive);
}

// How many rows at the start of both lists name the same files, and how many of the rest at their
// ends do.
std::pair<qsizetype, qsizetype> sameEnds(const QList<DriverRecord>& before,
                                         const QList<DriverRecord>& after) {
  const qsizetype shorter = std::min(before.size(), after.size());
  qsizetype start = 0;
  while (start < shorter && sameText(before.at(start).file, after.at(start).file)) {
    ++start;
  }
  qsizetype end = 0;
  while (end < shorter - start &&
         sameText(before.at(before.size() - 1 - end).file, after.at(after.size() - 1 - end).file)) {
    ++end;
  }
  return {start, end};
}

// The rows at `rows` by their records' identities; -1 for an identity that two of them share.
QHash<quint64, qsizetype> rowsByIdentity(const QList<DriverRecord>& records,
                                         const QList<qsizetype>& rows) {
  QHash<quint64, qsizetype> rowOf;
  for (const qsizetype row : rows) {
    const quint64 identity = records.at(row).identity;
    if (identity == 0) {
      continue;
    }
    const auto found = rowOf.find(identity);
    if (found == rowOf.end()) {
      rowOf.insert(identity, row);
    } else {
      found.value() = -1;
    }
  }
  return rowOf;
}

// Pairs the rows that went with those that came by the identity of their files; a file with more
// than one name on either side is paired with none, as no name of it is the one it was renamed to.
QList<RenamedRow> renamedRows(const QList<DriverRecord>& before, const QList<qsizetype>& gone,
                              const QList<DriverRecord>& after, const QList<qsizetype>& came) {
  QList<RenamedRow> renamed;
  if (gone.isEmpty() || came.isEmpty()) {
    return renamed;
  }
  const QHash<quint64, qsizetype> cameRow = rowsByIdentity(after, came);
  const QHash<quint64, qsizetype> goneRow = rowsByIdentity(before, gone);
  for (auto going = goneRow.cbegin(); going != goneRow.cend(); ++going) {
    const qsizetype coming = cameRow.value(going.key(), -1);
    if (going.value() >= 0 && coming >= 0) {
      renamed.append({going.value(), coming});
    }
  }
  std::sort(renamed.begin(), renamed.end(),
            [](const RenamedRow& a, const RenamedRow& b) { return a.before < b.before; });
  return renamed;
}

}  // namespace

CatalogueDiff diffCatalogue(const QList<DriverRecord>& before, const QList<DriverRecord>& after) {
  CatalogueDiff diff;
  QList<qsizetype> changedRows;
  const auto keep = [&](qsizetype rowBefore, qsizetype rowAfter) {
    diff.keptBefore.append(rowBefore);
    diff.keptAfter.append(rowAfter);
    if (!sameEntry(before.at(rowBefore), after.at(rowAfter))) {
      changedRows.append(rowAfter);
    }
  };
  // A refresh mostly changes a few rows: those at both ends that still name the same files are
  // kept by comparing them in place, and only the rows between are looked up by name.
  const auto [start, end] = sameEnds(before, after);
  diff.keptBefore.reserve(std::min(before.size(), after.size()));
  diff.keptAfter.reserve(std::min(before.size(), after.size()));
  for (qsizetype row = 0; row < start; ++row) {
    keep(row, row);
  }
  QHash<QString, qsizetype> rowAfter;
  rowAfter.reserve(after.size() - start - end);
  for (qsizetype row = start; row < after.size() - end; ++row) {
    rowAfter.insert(after.at(row).file, row);
  }
  qsizetype lastKept = start - 1;
  for (qsizetype row = start; row < before.size() - end; ++row) {
    const auto found = rowAfter.constFind(before.at(row).file);
    // Kept rows must keep their order, or a row step would land on the wrong row.
    if (found != rowAfter.cend() && found.value() > lastKept) {
      lastKept = found.value();
      keep(row, lastKept);
    }
  }
  for (qsizetype k = end; k > 0; --k) {
    keep(before.size() - k, after.size() - k);
  }

  const QList<qsizetype> gone = rowsOutside(diff.keptBefore, before.size());
  const QList<qsizetype> came = rowsOutside(diff.keptAfter, after.size());
  diff.removed = spansOf(gone);
  std::reverse(diff.removed.begin(), diff.removed.end());
  diff.inserted = spansOf(came);
  diff.renamed = renamedRows(before, gone, after, came);
  diff.changed = spansOf(changedRows);
  return diff;
}

}  // namespace vorlane
