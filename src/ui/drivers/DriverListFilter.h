#pragma once

#include <optional>

#include <QObject>

#include "core/catalogue/CatalogueDiff.h"

class QLabel;
class QLineEdit;
class QListView;

namespace vorlane {

class CatalogueFilter;
class CatalogueModel;

// The name filter of the Drivers page: a field beside the buttons. Typing leaves the games whose
// names do not hold the text out of the list's rows (the catalogue keeps them). While the filter
// narrows the list, a shown game stays selected, chosen as the user would choose it. The field
// is out of the Tab order (its layout says so), so Tab walks the same controls with or without
// a filter: Ctrl+F on the page and the mouse reach it, Escape in it clears it, and the keys that
// move through the list move the list's selection from it. The count's tip says how many games
// the marker greys.
class DriverListFilter : public QObject {
  Q_OBJECT

 public:
  // Sets `filter`, whose source is `catalogue`, as the model of `list`.
  DriverListFilter(QWidget* page, QListView* list, QLineEdit* field, QLabel* countPanel,
                   CatalogueFilter* filter, const CatalogueModel* catalogue);

  // Shows the rows that match the field's text and the count: the number of games, or
  // "shown/total" while the filter may leave some out (its text, or only games with an archive).
  // While filtering, when no shown game is selected, the first shown one is, through the list's own
  // selection signal. Every scan calls it after filling the list.
  void apply();
  // After the catalogue's rows changed in place: the count. A selected game the change took away
  // left no selection, unless its file was only renamed: then it is selected under its new name.
  void followCatalogueChange();
  // Shows the count and the marked games' tip as the catalogue and the filter now are.
  void showCount();
  // While the folders are followed by looking at them again in turns, for want of watches, the
  // count's tip says so: quietly, the list still follows the disk.
  void setFollowedByPolling(bool polling);

 protected:
  // Escape in the field clears it; Up, Down, Page Up and Page Down go to the list.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void focusField();
  void selectFirstShownUnlessOneIs();
  void dropSelectionLeavingRows(int first, int last);
  void selectRenamedFile(const QList<RenamedRow>& renamed);
  void noteSelectedRowPlace();
  void keepSelectedRowInPlace();

  QWidget* m_page;
  QListView* m_list;
  QLabel* m_countPanel;
  CatalogueFilter* m_filter;
  const CatalogueModel* m_catalogue;
  QLineEdit* m_field;
  bool m_followedByPolling = false;
  // The selected game's row counted from the list's top row, before rows came or went.
  std::optional<int> m_selectedRowPlace;
  // The catalogue row of the selected game whose row went, until the change is followed.
  std::optional<int> m_droppedRow;
};

}  // namespace vorlane
