#pragma once

#include <QObject>

class QLabel;
class QLineEdit;
class QListWidget;

namespace vorlane {

class MissingArchiveMarker;
class NameFilter;

// The name filter of the Drivers page: a caption and a field beside the buttons. Typing hides
// the games whose names do not hold the text; rows are hidden, never removed, so the game list
// stays parallel to the file list. While the filter narrows the list, a shown game stays
// selected, chosen as the user would choose it. The field stays out of the Tab order: Ctrl+F on
// the page and the mouse reach it, Escape in it clears it, and the keys that move through the
// list move the list's selection from it. The count's tip says how many games the marker greys.
class DriverListFilter : public QObject {
  Q_OBJECT

 public:
  DriverListFilter(QWidget* page, QListWidget* list, QLabel* countPanel,
                   const MissingArchiveMarker* marker);

  // Shows the rows that match the field's text and the count: the number of games, or
  // "shown/total" while the filter hides some. While filtering, when no shown game is selected,
  // the first shown one is, through the list's own selection signal. Every scan calls it after
  // filling the list.
  void apply();

 Q_SIGNALS:
  // After every apply(): true while the filter hides every game, false otherwise.
  void hidesEveryGame(bool hidesAll);

 protected:
  // Escape in the field clears it; Up, Down, Page Up and Page Down go to the list.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void focusField();
  // Returns the number of rows shown.
  int showMatchingRows(const NameFilter& filter);
  void selectFirstShownUnlessOneIs();

  QWidget* m_page;
  QListWidget* m_list;
  QLabel* m_countPanel;
  const MissingArchiveMarker* m_marker;
  QLineEdit* m_field;
};

}  // namespace vorlane
