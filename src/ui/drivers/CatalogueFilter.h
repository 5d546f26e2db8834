#pragma once

#include <QBitArray>
#include <QSortFilterProxyModel>

#include "core/catalogue/NameFilter.h"

namespace vorlane {

class CatalogueModel;

// The games of a catalogue whose names hold the filter's text; the others are left out of the
// rows, not hidden.
class CatalogueFilter : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  // Filters the rows of `catalogue`, its one source model.
  explicit CatalogueFilter(CatalogueModel* catalogue, QObject* parent = nullptr);

  void setNameFilter(const QString& text);
  bool isFiltering() const { return m_filter.isActive(); }

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  QBitArray shownCatalogueRows() const;

  NameFilter m_filter;
  // While a text typed on from the last one maps the rows: the catalogue rows the last text
  // showed, the only ones that can still match. Empty otherwise.
  QBitArray m_candidates;
  const CatalogueModel* m_catalogue;
};

}  // namespace vorlane
