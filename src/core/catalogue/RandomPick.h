#pragma once

class QRandomGenerator;

namespace vorlane {

// A row drawn evenly among the first `rowCount` rows, never `selectedRow` (-1 for none); -1 when
// there is no other row.
int randomOtherRow(int rowCount, int selectedRow, QRandomGenerator& random);

}  // namespace vorlane
