#include <gtest/gtest.h>

#include "core/launch/CommandLineSplitter.h"

namespace vorlane {
namespace {

struct SplitCase {
  const char* text;
  QStringList expected;
};

void expectSplits(const std::vector<SplitCase>& cases) {
  for (const SplitCase& c : cases) {
    EXPECT_EQ(splitCommandLine(QString::fromUtf8(c.text)), c.expected) << c.text;
  }
}

QStringList args(std::initializer_list<const char*> texts) {
  QStringList list;
  for (const char* text : texts) {
    list.append(QString::fromUtf8(text));
  }
  return list;
}

TEST(SplitCommandLine, SeparatesAtBlanksAndTabsOnly) {
  expectSplits({
      {"", {}},
      {" \t  ", {}},
      {"-400x300VESA2 -frameskip 4 pacman.drv",
       args({"-400x300VESA2", "-frameskip", "4", "pacman.drv"})},
      {"  a \t\tb  ", args({"a", "b"})},
      {"my game.drv", args({"my", "game.drv"})},
      {"a\nb", args({"a\nb"})},
      {"x$(touch y); rm * | z & `w` ?",
       args({"x$(touch", "y);", "rm", "*", "|", "z", "&", "`w`", "?"})},
  });
}

TEST(SplitCommandLine, GroupsWithDoubleQuotes) {
  expectSplits({
      {"\"my game.drv\" -sound", args({"my game.drv", "-sound"})},
      {"a\"b c\"d", args({"ab cd"})},
      {"\"\"", args({""})},
      {"a \"\" b", args({"a", "", "b"})},
      {"\"open to the end", args({"open to the end"})},
      {"\"a\"\"b\" c", args({"a\"b", "c"})},
      {"a\"b\"\" c d", args({"ab\" c d"})},
      {"\"\"\"\"", args({"\""})},
  });
}

TEST(SplitCommandLine, KeepsBackslashesExceptBeforeAQuote) {
  expectSplits({
      {"C:\\roms\\pacman.zip", args({"C:\\roms\\pacman.zip"})},
      {"dir\\ \\\\", args({"dir\\", "\\\\"})},
      {"\\\"", args({"\""})},
      {"a\\\\\\b d\"e f\"g h", args({"a\\\\\\b", "de fg", "h"})},
      {"a\\\\\\\"b c d", args({"a\\\"b", "c", "d"})},
      {"a\\\\\\\\\"b c\" d e", args({"a\\\\b c", "d", "e"})},
      {"\"C:\\my roms\\\\\" x", args({"C:\\my roms\\", "x"})},
  });
}

}  // namespace
}  // namespace vorlane
