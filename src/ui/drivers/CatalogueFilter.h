#pragma once

#include <QBitArray>
#include <QSortFilterProxyModel>

#include "core/catalogue/NameFilter.h"

namespace vorlane {

class CatalogueModel;

// The games of a catalogue whose names hold the filter's text, and, when asked, only those whose
// ROM archive is there; the others are left out of the rows, not hidden.
class CatalogueFilter : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  // Filters the rows of `catalogue`, its one source model.
  explicit CatalogueFilter(CatalogueModel* catalogue, QObject* parent = nullptr);

  void setNameFilter(const QString& text);
  bool isFiltering() const { return m_filter.isActive(); }
  // Leaves out the games whose ROM archive is missing, in one layout change.
  void setOnlyWithRomArchive(bool only);
  bool isOnlyWithRomArchive() const { return m_onlyWithRomArchive; }
  // Whether some rule may leave games out: the count then reads "shown/all".
  bool leavesGamesOut() const { return isFiltering() || m_onlyWithRomArchive; }

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  QBitArray shownCatalogueRows() const;

  NameFilter m_filter;
  // While a text typed on from the last one maps the rows: the catalogue rows the last text
  // showed, the only ones that can still match. Empty otherwise.
  QBitArray m_candidates;
  const CatalogueModel* m_catalogue;
  bool m_onlyWithRomArchive = false;
};

}  // namespace vorlane
