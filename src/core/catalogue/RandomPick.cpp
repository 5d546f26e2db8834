#include "core/catalogue/RandomPick.h"

#include <QRandomGenerator>

namespace vorlane {

int randomOtherRow(int rowCount, int selectedRow, QRandomGenerator& random) {
  const bool selectedIsARow = selectedRow >= 0 && selectedRow < rowCount;
  const int candidates = rowCount - (selectedIsARow ? 1 : 0);
  if (candidates <= 0) {
    return -1;
  }
  // Drawn among the other rows, then moved past the selected one.
  const int drawn = int(random.bounded(candidates));
  return selectedIsARow && drawn >= selectedRow ? drawn + 1 : drawn;
}

}  // namespace vorlane
