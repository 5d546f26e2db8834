#include "core/catalogue/RandomPick.h"

#include <QRandomGenerator>

namespace vorlane {

int randomOtherRow(int rowCount, int selectedRow, const std::function<bool(int row)>& shown,
                   QRandomGenerator& random) {
  const auto candidate = [&](int row) { return row != selectedRow && shown(row); };
  int candidates = 0;
  for (int row = 0; row < rowCount; ++row) {
    candidates += candidate(row) ? 1 : 0;
  }
  if (candidates == 0) {
    return -1;
  }
  int left = int(random.bounded(candidates));
  for (int row = 0; row < rowCount; ++row) {
    if (candidate(row) && left-- == 0) {
      return row;
    }
  }
  return -1;
}

}  // namespace vorlane
