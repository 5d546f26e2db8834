#include <set>

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include "core/catalogue/RandomPick.h"

namespace vorlane {
namespace {

// Draws often enough that every candidate comes up, and returns the rows drawn.
std::set<int> drawMany(int rowCount, int selectedRow, const std::set<int>& hidden) {
  QRandomGenerator random(7);
  std::set<int> drawn;
  for (int draw = 0; draw < 500; ++draw) {
    drawn.insert(randomOtherRow(
        rowCount, selectedRow, [&hidden](int row) { return !hidden.contains(row); }, random));
  }
  return drawn;
}

TEST(RandomOtherRow, DrawsEveryShownRowButTheSelectedOne) {
  struct Case {
    const char* name;
    int rowCount;
    int selectedRow;
    std::set<int> hidden;
    std::set<int> expected;
  };
  const Case cases[] = {
      {"nothing selected", 4, -1, {}, {0, 1, 2, 3}},
      {"the selected row never", 4, 2, {}, {0, 1, 3}},
      {"hidden rows never", 6, 0, {1, 3, 5}, {2, 4}},
      {"one other row", 2, 1, {}, {0}},
      {"only the selected row shown", 3, 1, {0, 2}, {-1}},
      {"an empty list", 0, -1, {}, {-1}},
      {"a selected row that the filter hides", 3, 1, {1}, {0, 2}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(drawMany(c.rowCount, c.selectedRow, c.hidden), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace vorlane
