#include <set>

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include "core/catalogue/RandomPick.h"

namespace vorlane {
namespace {

// Draws often enough that every candidate comes up, and returns the rows drawn.
std::set<int> drawMany(int rowCount, int selectedRow) {
  QRandomGenerator random(7);
  std::set<int> drawn;
  for (int draw = 0; draw < 500; ++draw) {
    drawn.insert(randomOtherRow(rowCount, selectedRow, random));
  }
  return drawn;
}

TEST(RandomOtherRow, DrawsEveryRowButTheSelectedOne) {
  struct Case {
    const char* name;
    int rowCount;
    int selectedRow;
    std::set<int> expected;
  };
  const Case cases[] = {
      {"nothing selected", 4, -1, {0, 1, 2, 3}},
      {"the selected row never", 4, 2, {0, 1, 3}},
      {"the first row selected", 3, 0, {1, 2}},
      {"the last row selected", 3, 2, {0, 1}},
      {"one other row", 2, 1, {0}},
      {"only the selected row", 1, 0, {-1}},
      {"an empty list", 0, -1, {-1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(drawMany(c.rowCount, c.selectedRow), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace vorlane
