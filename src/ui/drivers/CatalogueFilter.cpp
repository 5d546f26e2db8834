#include "ui/drivers/CatalogueFilter.h"

#include "ui/drivers/CatalogueModel.h"

namespace vorlane {

CatalogueFilter::CatalogueFilter(CatalogueModel* catalogue, QObject* parent)
    : QSortFilterProxyModel(parent), m_filter(QString()), m_catalogue(catalogue) {
  setSourceModel(catalogue);
}

void CatalogueFilter::setNameFilter(const QString& text) {
  NameFilter typed(text);
  // The same text again (a rescan applies the field's text): the proxy filtered the new rows
  // already, as they came.
  if (typed.sameTextAs(m_filter)) {
    return;
  }
  // A name without the text before cannot hold one that contains it: typing on tests only the
  // games shown.
  if (m_filter.isActive() && typed.narrows(m_filter)) {
    m_candidates = shownCatalogueRows();
  }
  m_filter = std::move(typed);
  // The rows are mapped again in one layout change: removing the rows one range at a time costs
  // a long catalogue, whose matches are scattered, a range per match in every view.
  invalidate();
  // Mapped now, while the candidates are those of the rows just shown.
  rowCount();
  m_candidates.clear();
}

void CatalogueFilter::setOnlyWithRomArchive(bool only) {
  if (only == m_onlyWithRomArchive) {
    return;
  }
  m_onlyWithRomArchive = only;
  // As for the name filter: the games left out are scattered.
  invalidate();
}

QBitArray CatalogueFilter::shownCatalogueRows() const {
  QBitArray shown(m_catalogue->rowCount());
  for (int row = 0; row < rowCount(); ++row) {
    shown.setBit(mapToSource(index(row, 0)).row());
  }
  return shown;
}

bool CatalogueFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
  Q_UNUSED(sourceParent);
  if (!m_candidates.isEmpty() && !m_candidates.testBit(sourceRow)) {
    return false;
  }
  // Read from the record, not through the display role: a keystroke reads every game's name.
  const DriverRecord& driver = m_catalogue->record(sourceRow);
  return !(m_onlyWithRomArchive && driver.archiveMissing) &&
         m_filter.matchesDriverText(driver.gameName);
}

}  // namespace vorlane
