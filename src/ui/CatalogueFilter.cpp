#include "ui/CatalogueFilter.h"

namespace vorlane {

CatalogueFilter::CatalogueFilter(QObject* parent)
    : QSortFilterProxyModel(parent), m_filter(QString()) {
  // Rows follow the catalogue's list order, never a sort of their own.
  setDynamicSortFilter(true);
}

void CatalogueFilter::setNameFilter(const QString& text) {
  m_filter = NameFilter(text);
  invalidateFilter();
}

bool CatalogueFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
  return !m_filter.isActive() ||
         m_filter.matches(sourceModel()->index(sourceRow, 0, sourceParent).data().toString());
}

}  // namespace vorlane
