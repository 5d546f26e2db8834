#pragma once

#include <QStyledItemDelegate>

class QListView;
class QModelIndex;

namespace vorlane {

class CatalogueModel;

// Draws the games whose ROM archive is missing (the catalogue's missing-archive role) in a grey
// that keeps readable contrast against the list's background in any palette, and shows the
// row's reason (its tip role) when a game is reached with the keyboard, as hovering would.
class MissingArchiveMarker : public QStyledItemDelegate {
 public:
  // Becomes the list's item delegate; the list owns it. The list's model, whose rows are those of
  // `catalogue`, must be set first.
  MissingArchiveMarker(QListView* list, const CatalogueModel* catalogue);

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

 private:
  void explainCurrent(const QModelIndex& current);

  QListView* m_list;
  const CatalogueModel* m_catalogue;
};

}  // namespace vorlane
