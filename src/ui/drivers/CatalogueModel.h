#pragma once

#include <optional>

#include <QAbstractListModel>
#include <QList>

#include "core/catalogue/CatalogueDiff.h"
#include "core/catalogue/DriverScan.h"

namespace vorlane {

// The games of the Drivers page, one row per scanned driver in list order: the one copy of the
// catalogue that the list, the filter and the missing-archive marker read. How a missing
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
  void takeScan(const QList<DriverRecord>& drivers, const QString& romDirectory = QString());
  // A later scan of the same folders, taken as row changes so that selections, scroll
  // positions and filters on the rows stay.
  void applyRefresh(const QList<DriverRecord>& drivers);
  // The same with `diff`, from drivers() to `drivers`, made beforehand: off the window's thread.
  void applyRefresh(const QList<DriverRecord>& drivers, const CatalogueDiff& diff);

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

  QList<DriverRecord> m_drivers;
  QByteArray m_archiveDirectoryPart;
  std::optional<Steps> m_steps;
  int m_missingArchiveCount = 0;
  bool m_takingRefresh = false;
};

}  // namespace vorlane
