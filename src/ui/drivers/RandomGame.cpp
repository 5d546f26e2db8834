#include "ui/drivers/RandomGame.h"

#include <QItemSelectionModel>
#include <QListView>
#include <QRandomGenerator>

#include "core/catalogue/RandomPick.h"

namespace vorlane {

void selectRandomShownGame(QListView* list) {
  const QAbstractItemModel* model = list->model();
  QItemSelectionModel* selection = list->selectionModel();
  const QModelIndexList selected = selection->selectedIndexes();
  const int row =
      randomOtherRow(model->rowCount(), selected.isEmpty() ? -1 : selected.front().row(),
                     *QRandomGenerator::global());
  if (row < 0) {
    return;
  }
  const QModelIndex index = model->index(row, 0);
  selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  list->scrollTo(index);
}

}  // namespace vorlane
