#include "ui/drivers/CatalogueModel.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include <QApplication>
#include <QPalette>
#include <QScopedValueRollback>
#include "core/catalogue/CatalogueDiff.h"
#include "core/catalogue/RomArchive.h"
#include "core/text/NativeText.h"
#include "core/text/TextCodec.h"
#include "ui/WindowMessages.h"

namespace vorlane {

CatalogueModel::CatalogueModel(QObject* parent) : QAbstractListModel(parent) {}

void CatalogueModel::takeScan(QList<DriverRecord> drivers, const QString& romDirectory) {
  beginResetModel();
  // The model's own, when the caller lets its list go: ranking it then copies no record.
  m_drivers = std::move(drivers);
  m_rows = rowsShown();
  m_archiveDirectoryPart = archiveDirectoryPart(romDirectory);
  countMissingArchives();
  endResetModel();
}

void CatalogueModel::setOrder(ListOrder order) {
  if (order == m_order) {
    return;
  }
  Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  m_order = order;
  std::vector<qsizetype> sameRecord(std::size_t(m_drivers.size()));
  std::iota(sameRecord.begin(), sameRecord.end(), 0);
  moveRowsTo(rowsShown(), sameRecord);
  Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QList<qsizetype> CatalogueModel::rowsShown() {
  if (m_order == ListOrder::ByFileName) {
    return {};
  }
  // Ranked only for the order that shows the ranks: a catalogue shown by file name never pays
  // for collating its game names, in time or in memory. A refresh made in this order ranked its
  // records already.
  ensureRankedByGameName(m_drivers);
  return rowsInOrder(m_drivers, m_order);
}

void CatalogueModel::moveRowsTo(QList<qsizetype> rows, const std::vector<qsizetype>& recordAfter) {
  std::vector<int> placeOf(std::size_t(rows.size()));
  for (qsizetype place = 0; place < rows.size(); ++place) {
    placeOf[std::size_t(rows.at(place))] = int(place);
  }
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& shown : before) {
    const qsizetype recordBefore = m_rows.isEmpty() ? shown.row() : m_rows.at(shown.row());
    const qsizetype record = recordAfter[std::size_t(recordBefore)];
    if (record < 0) {
      after.append(QModelIndex());
    } else {
      after.append(createIndex(rows.isEmpty() ? int(record) : placeOf[std::size_t(record)], 0));
    }
  }
  m_rows = std::move(rows);
  changePersistentIndexList(before, after);
}

void CatalogueModel::applyRefresh(const QList<DriverRecord>& drivers) {
  applyRefresh(drivers, diffCatalogue(m_drivers, drivers));
}

void CatalogueModel::applyRefresh(const QList<DriverRecord>& drivers, const CatalogueDiff& diff) {
  if (diff.isEmpty()) {
    // Nothing shown changed, but the records may hold newer stamps: the next refresh compares
    // with them.
    m_drivers = drivers;
    return;
  }
  if (m_order != ListOrder::ByFileName) {
    applyRefreshAsLayoutChange(drivers, diff);
    return;
  }
  const QScopedValueRollback taking(m_takingRefresh, true);
  // Rows keep their old records while rows are removed and take the new ones as rows are
  // inserted, looked up through the kept rows: no list is shifted row by row, which would cost
  // a burst of scattered changes the whole list once per change.
  m_steps = Steps{&m_drivers, &diff.keptBefore, m_drivers.size(), diff.keptBefore.size()};
  removeSpans(diff);
  m_steps = Steps{&drivers, &diff.keptAfter, 0, 0};
  insertSpans(diff);
  m_steps.reset();
  m_drivers = drivers;
  countMissingArchives();
  if (!diff.renamed.isEmpty()) {
    Q_EMIT driversRenamed(diff.renamed);
  }
  for (const RowSpan& span : diff.changed) {
    Q_EMIT dataChanged(index(int(span.first)), index(int(span.first + span.count - 1)));
  }
}

// The diff's row spans are in list order, scattered over the rows shown in another order: one
// layout change tells them all, and the new rows come from the records' ranks.
void CatalogueModel::applyRefreshAsLayoutChange(const QList<DriverRecord>& drivers,
                                                const CatalogueDiff& diff) {
  const QScopedValueRollback taking(m_takingRefresh, true);
  Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<qsizetype> recordAfter(std::size_t(m_drivers.size()), -1);
  for (qsizetype kept = 0; kept < diff.keptBefore.size(); ++kept) {
    recordAfter[std::size_t(diff.keptBefore.at(kept))] = diff.keptAfter.at(kept);
  }
  // A renamed file is still the game the user chose.
  for (const RenamedRow& renamed : diff.renamed) {
    recordAfter[std::size_t(renamed.before)] = renamed.after;
  }
  m_drivers = drivers;
  countMissingArchives();
  moveRowsTo(rowsShown(), recordAfter);
  Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CatalogueModel::removeSpans(const CatalogueDiff& diff) {
  for (const RowSpan& span : diff.removed) {
    beginRemoveRows(QModelIndex(), int(span.first), int(span.first + span.count - 1));
    // Every row from span.first up is a kept one now: the higher spans went first.
    m_steps->boundary = span.first;
    m_steps->keptFrom =
        std::lower_bound(diff.keptBefore.cbegin(), diff.keptBefore.cend(), span.first) -
        diff.keptBefore.cbegin();
    endRemoveRows();
  }
}

void CatalogueModel::insertSpans(const CatalogueDiff& diff) {
  for (const RowSpan& span : diff.inserted) {
    beginInsertRows(QModelIndex(), int(span.first), int(span.first + span.count - 1));
    // Every row below the span's end is in its final place now: the lower spans went first.
    m_steps->boundary = span.first + span.count;
    m_steps->keptFrom =
        std::lower_bound(diff.keptAfter.cbegin(), diff.keptAfter.cend(), m_steps->boundary) -
        diff.keptAfter.cbegin();
    endInsertRows();
  }
}

void CatalogueModel::countMissingArchives() {
  m_missingArchiveCount =
      int(std::count_if(m_drivers.cbegin(), m_drivers.cend(),
                        [](const DriverRecord& driver) { return driver.archiveMissing; }));
}

const DriverRecord& CatalogueModel::record(int row) const {
  if (!m_steps) {
    return m_drivers.at(m_rows.isEmpty() ? row : m_rows.at(row));
  }
  const Steps& steps = *m_steps;
  return row < steps.boundary
             ? steps.records->at(row)
             : steps.records->at(steps.kept->at(steps.keptFrom + row - steps.boundary));
}

int CatalogueModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) {
    return 0;
  }
  if (!m_steps) {
    return int(m_drivers.size());
  }
  return int(m_steps->boundary + m_steps->kept->size() - m_steps->keptFrom);
}

QVariant CatalogueModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
    return {};
  }
  const DriverRecord& driver = record(index.row());
  const bool missing = driver.archiveMissing;
  const auto missingPath = [&] {
    return missing ? decodeNative(m_archiveDirectoryPart + driver.archive) : QString();
  };
  switch (role) {
    case Qt::DisplayRole:
      return decodeText(driver.gameName);
    case FileNameRole:
      return driver.file;
    case MissingArchiveRole:
      return missingPath();
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
      return missing ? QVariant(messages::missingArchive(missingPath())) : QVariant();
    default:
      return {};
  }
}

}  // namespace vorlane
