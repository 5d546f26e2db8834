#pragma once

#include <QList>
#include <QString>
#include <QStyledItemDelegate>

class QListWidget;

namespace vorlane {

struct DriverRecord;

// Greys the games whose ROM archive is missing and names the path in their tip. Drawn from the
// scan's records as rows are painted or hovered, rather than stored in every item: a catalogue of
// tens of thousands of games fills as fast with the marker as without.
class MissingArchiveMarker : public QStyledItemDelegate {
 public:
  // Becomes the list's item delegate; the list owns it.
  explicit MissingArchiveMarker(QListWidget* list);

  // Row i of the list is the game of drivers[i].
  void takeScan(const QList<DriverRecord>& drivers);

  // The missing archive of a row; empty when it is there or was not looked for.
  QString missingArchive(int row) const;

  // Public so that tests can see how a row is drawn.
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

 protected:
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;

 private:
  QList<QString> m_missingArchives;
};

}  // namespace vorlane
