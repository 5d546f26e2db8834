#include "ui/CatalogueFilter.h"

#include "ui/CatalogueModel.h"

namespace vorlane {

CatalogueFilter::CatalogueFilter(CatalogueModel* catalogue, QObject* parent)
    : QSortFilterProxyModel(parent), m_filter(QString()), m_catalogue(catalogue) {
  setSourceModel(catalogue);
}

void CatalogueFilter::setNameFilter(const QString& text) {
  m_filter = NameFilter(text);
  // The rows are mapped again in one layout change: removing the rows one range at a time costs
  // a long catalogue, whose matches are scattered, a range per match in every view.
  invalidate();
}

bool CatalogueFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
  Q_UNUSED(sourceParent);
  // Read from the record, not through the display role: a keystroke reads every game's name.
  return m_filter.matchesDriverText(m_catalogue->record(sourceRow).gameName);
}

}  // namespace vorlane
