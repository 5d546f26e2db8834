#include <gtest/gtest.h>

#include "core/launch/OptionText.h"

namespace vorlane {
namespace {

struct CompositionCase {
  const char* name;
  OptionState state;
  const char* expected;
};

OptionState withEveryFlag(int resolutionIndex, int frameSkipIndex) {
  return {resolutionIndex, frameSkipIndex, true, true, true, true, true, true, true};
}

TEST(ComposeOptionText, BuildsTheEmulatorsOptionText) {
  const CompositionCase cases[] = {
      {"settings defaults", {3, 4}, "-400x300VESA2 -frameskip 4"},
      {"every flag", withEveryFlag(5, 9),
       "-800x600VESA2 -frameskip 9 -sync -debug -profile -nocheck -swap -swapKey -sound"},
      {"nothing selected", {-1, -1}, " -frameskip -1"},
      {"resolution past the list", {6, 0}, " -frameskip 0"},
      {"every flag without selections", withEveryFlag(-1, -1),
       " -frameskip -1 -sync -debug -profile -nocheck -swap -swapKey -sound"},
  };
  for (const CompositionCase& c : cases) {
    EXPECT_EQ(composeOptionText(c.state).toStdString(), c.expected) << c.name;
  }
}

TEST(ComposeOptionText, NamesEveryResolutionByItsIndex) {
  const char* const expected[] = {"-200x256",      "-320x200", "-400x256",
                                  "-400x300VESA2", "-640x480", "-800x600VESA2"};
  for (int index = 0; index < 6; ++index) {
    EXPECT_EQ(composeOptionText({index, 0}).toStdString(),
              std::string(expected[index]) + " -frameskip 0")
        << index;
  }
}

TEST(ComposeOptionText, GivesEachFlagItsOwnText) {
  struct FlagCase {
    bool OptionState::*flag;
    const char* text;
  };
  const FlagCase cases[] = {
      {&OptionState::sync, " -sync"},       {&OptionState::debug, " -debug"},
      {&OptionState::profile, " -profile"}, {&OptionState::noCheck, " -nocheck"},
      {&OptionState::swap, " -swap"},       {&OptionState::swapKey, " -swapKey"},
      {&OptionState::sound, " -sound"},
  };
  for (const FlagCase& c : cases) {
    OptionState state{0, 1};
    state.*c.flag = true;
    EXPECT_EQ(composeOptionText(state).toStdString(), std::string("-200x256 -frameskip 1") + c.text)
        << c.text;
  }
}

}  // namespace
}  // namespace vorlane
