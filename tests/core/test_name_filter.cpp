#include <gtest/gtest.h>

#include "core/catalogue/NameFilter.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using test::text;

TEST(NameFilter, FindsTheTextInsideNamesIgnoringCaseAndAccents) {
  const struct {
    const char* filter;
    const char* name;
    bool matches;
  } cases[] = {
      {"", "Anything", true},
      {"pokemon", "Pokémon Gold", true},
      {"POKÉMON", "pokemon gold", true},
      {"ete", "ÉTÉ Racer", true},
      {"gold", "Pokémon Gold", true},
      {"n g", "Pokémon Gold", true},
      {" ", "Pokémon Gold", true},
      {" ", "Zeta", false},
      {"golden", "Pokémon Gold", false},
      {"ç", "Caça", true},
      {"ca", "Caça", true},
      {"ß", "Straße", true},
      {"x", "", false},
      // ASCII names: the filter's own accents and compatibility forms are dropped first.
      {"Caç", "CACAO", true},
      {"ﬁre", "FIRE Fighter", true},
      {"K", "kong", true},
      {"ø", "Oslo", false},
  };
  for (const auto& example : cases) {
    const NameFilter filter(text(example.filter));
    EXPECT_EQ(filter.matches(text(example.name)), example.matches)
        << example.filter << " in " << example.name;
    EXPECT_EQ(filter.matchesDriverText(QByteArray(example.name)), example.matches)
        << example.filter << " in the driver text " << example.name;
    EXPECT_EQ(filter.isActive(), example.filter[0] != '\0') << example.filter;
  }
}

// Driver text that is not UTF-8 is read as Windows-1252, as the list shows it.
TEST(NameFilter, ReadsDriverTextAsTheListShowsIt) {
  EXPECT_TRUE(NameFilter(text("cafe")).matchesDriverText("Caf\xE9 Racer"));
  EXPECT_TRUE(NameFilter(text("œ")).matchesDriverText("C\x9Cur"));
  EXPECT_FALSE(NameFilter(text("cafe")).matchesDriverText("Caf\x80"));
}

}  // namespace
}  // namespace vorlane
