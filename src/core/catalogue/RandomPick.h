#pragma once

#include <functional>

class QRandomGenerator;

namespace vorlane {

// A row drawn evenly among the first `rowCount` rows that `shown` accepts, never `selectedRow`
// (-1 for none); -1 when no other row is shown.
int randomOtherRow(int rowCount, int selectedRow, const std::function<bool(int row)>& shown,
                   QRandomGenerator& random);

}  // namespace vorlane
