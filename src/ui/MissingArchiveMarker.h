#pragma once

#include <QList>
#include <QString>
#include <QStyledItemDelegate>

class QListWidget;
class QListWidgetItem;

namespace vorlane {

struct DriverRecord;

// Greys the games whose ROM archive is missing and names the path in their tip. Drawn from the
// scan's records as rows are painted or hovered, rather than stored in every item: a catalogue of
// tens of thousands of games fills as fast with the marker as without. The grey keeps readable
// contrast against the list's background in any palette.
class MissingArchiveMarker : public QStyledItemDelegate {
 public:
  // Becomes the list's item delegate; the list owns it.
  explicit MissingArchiveMarker(QListWidget* list);

  // Row i of the list is the game of drivers[i].
  void takeScan(const QList<DriverRecord>& drivers);

  // The missing archive of a row; empty when it is there or was not looked for.
  QString missingArchive(int row) const;
  // How many games of the last scan are greyed.
  int missingCount() const { return m_missingCount; }

  // Public so that tests can see how a row is drawn.
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

 protected:
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;

 private:
  // The reason reaches keyboard and screen-reader users through the current row alone, so the
  // items stay plain however many games are greyed.
  void explainCurrent(QListWidgetItem* current, QListWidgetItem* previous);

  QListWidget* m_list;
  QList<QString> m_missingArchives;
  int m_missingCount = 0;
};

}  // namespace vorlane
