#include "ui/drivers/CatalogueModel.h"

#include <algorithm>

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

void CatalogueModel::takeScan(const QList<DriverRecord>& drivers, const QString& romDirectory) {
  beginResetModel();
  m_drivers = drivers;
  m_archiveDirectoryPart = archiveDirectoryPart(romDirectory);
  countMissingArchives();
  endResetModel();
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
    return m_drivers.at(row);
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
