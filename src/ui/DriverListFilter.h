#pragma once

#include <QObject>

class QLabel;
class QLineEdit;
class QListWidget;

namespace vorlane {

class MissingArchiveMarker;

// The name filter of the Drivers page: a caption and a field beside the buttons. Typing hides
// the games whose names do not hold the text; rows are hidden, never removed, so the game list
// stays parallel to the file list. The field stays out of the Tab order: Ctrl+F on the page
// and the mouse reach it, Escape in it clears it. The count's tip says how many games the
// marker greys.
class DriverListFilter : public QObject {
  Q_OBJECT

 public:
  DriverListFilter(QWidget* page, QListWidget* list, QLabel* countPanel,
                   const MissingArchiveMarker* marker);

  // Shows the rows that match the field's text and the count: the number of games, or
  // "shown/total" while the filter hides some. Every scan calls it after filling the list.
  void apply();

 protected:
  // Escape in the field clears it.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void focusField();

  QWidget* m_page;
  QListWidget* m_list;
  QLabel* m_countPanel;
  const MissingArchiveMarker* m_marker;
  QLineEdit* m_field;
};

}  // namespace vorlane
