#pragma once

#include <optional>
#include <vector>

#include <QAbstractListModel>
#include <QList>

#include "core/catalogue/CatalogueDiff.h"
#include "core/catalogue/DriverScan.h"
#include "core/catalogue/GameNameOrder.h"

namespace vorlane {

// The games of the Drivers page, one row per scanned driver in the order chosen (list order by
// default): the one copy of the catalogue that the list, the filter and the missing-archive
// marker read. How a missing
// archive's row is drawn is the marker's alone: one colour here could not suit every palette.
class CatalogueModel : public QAbstractListModel {
  Q_OBJECT

 public:
  enum Role {
    FileNameRole = Qt::UserRole,  // the driver's bare file name
    MissingArchiveRole,           // the missing ROM archive's path; empty when it is there
  };

  explicit CatalogueModel(QObject* parent = nullptr);

  // A whole scan, which may be of other folders: every row is replaced, and with the rows the
  // selection goes, since no row of the last scan need be the same game. `romDirectory` is the
  // one that the records' missing archives lie in, as the scan was given it.
  void takeScan(QList<DriverRecord> drivers, const QString& romDirectory = QString());
  // A later scan of the same folders, taken as row changes so that selections, scroll
  // positions and filters on the rows stay.
  void applyRefresh(const QList<DriverRecord>& drivers);
  // The same with `diff`, from drivers() to `drivers`, made beforehand: off the window's thread.
  // In list order the diff is told as row changes; in another order as one layout change, the
  // kept and renamed games' persistent indexes moved to their new rows.
  void applyRefresh(const QList<DriverRecord>& drivers, const CatalogueDiff& diff);

  // Shows the rows in `order` in one layout change: persistent indexes (selections) stay on their
  // games. The records' ranks give the order; records not ranked yet are ranked first (the first
  // switch to game names after a scan), after which no name is compared.
  void setOrder(ListOrder order);
  ListOrder order() const { return m_order; }

  // The records in list order, whatever the rows' order.
  const QList<DriverRecord>& drivers() const { return m_drivers; }
  // How many games are missing their ROM archive.
  int missingArchiveCount() const { return m_missingArchiveCount; }
  // The record a row shows, also while a refresh's row changes are told.
  const DriverRecord& record(int row) const;
  // While a refresh's row changes are told: whatever moves then is not the user's doing.
  bool isTakingRefresh() const { return m_takingRefresh; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 Q_SIGNALS:
  // Within a refresh, once its rows were removed and inserted: the drivers whose file was renamed,
  // their rows before and after it.
  void driversRenamed(const QList<RenamedRow>& renamed);

 private:
  // Which record a row shows while the row steps of a refresh are under way.
  struct Steps {
    const QList<DriverRecord>* records = nullptr;
    const QList<qsizetype>* kept = nullptr;  // rows of `records` past `boundary`
    qsizetype boundary = 0;                  // rows below it are records' own
    qsizetype keptFrom = 0;
  };
  void removeSpans(const CatalogueDiff& diff);
  void insertSpans(const CatalogueDiff& diff);
  void countMissingArchives();
  void applyRefreshAsLayoutChange(const QList<DriverRecord>& drivers, const CatalogueDiff& diff);
  // The record each row shows in the order shown (empty in list order), the records ranked first
  // where that order needs it.
  QList<qsizetype> rowsShown();
  // Moves the persistent indexes as the rows become `rows` (entry k the record shown k-th);
  // `recordAfter` gives a record's index after the change, -1 for one that goes.
  void moveRowsTo(QList<qsizetype> rows, const std::vector<qsizetype>& recordAfter);

  QList<DriverRecord> m_drivers;  // in list order
  ListOrder m_order = ListOrder::ByFileName;
  // Outside list order, the record each row shows; empty in list order.
  QList<qsizetype> m_rows;
  QByteArray m_archiveDirectoryPart;
  std::optional<Steps> m_steps;
  int m_missingArchiveCount = 0;
  bool m_takingRefresh = false;
};

}  // namespace vorlane
