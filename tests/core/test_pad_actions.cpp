#include <variant>

#include <gtest/gtest.h>

#include "core/gamepad/PadActions.h"

namespace vorlane {
namespace {

using enum PadAction;

// One controller event at a time in milliseconds, or a call of advance at that time.
struct Press {
  PadButton button;
  int device = 0;
};
struct Release {
  PadButton button;
  int device = 0;
};
struct Stick {
  int value;
  int device = 0;
};
struct Trigger {
  PadTrigger trigger;
  int value;
};
struct Removed {
  int device;
};
struct Tick {};
using Event = std::variant<Press, Release, Stick, Trigger, Removed, Tick>;

struct Step {
  qint64 atMs;
  Event event;
  QList<PadAction> expected;
};

struct Scenario {
  const char* name;
  QList<Step> steps;
};

QList<PadAction> feed(PadActionMapper& mapper, const Step& step) {
  const qint64 now = step.atMs;
  return std::visit(
      [&](const auto& event) -> QList<PadAction> {
        using Kind = std::decay_t<decltype(event)>;
        if constexpr (std::is_same_v<Kind, Press>) {
          return mapper.buttonChanged(event.device, event.button, true, now);
        } else if constexpr (std::is_same_v<Kind, Release>) {
          return mapper.buttonChanged(event.device, event.button, false, now);
        } else if constexpr (std::is_same_v<Kind, Stick>) {
          return mapper.stickMoved(event.device, event.value, now);
        } else if constexpr (std::is_same_v<Kind, Trigger>) {
          return mapper.triggerMoved(0, event.trigger, event.value, now);
        } else if constexpr (std::is_same_v<Kind, Removed>) {
          mapper.deviceRemoved(event.device);
          return {};
        } else {
          return mapper.advance(now);
        }
      },
      step.event);
}

void run(const Scenario& scenario) {
  PadActionMapper mapper;  // 400 ms, then 80 ms; dead zone 8000, press at 16000
  for (qsizetype i = 0; i < scenario.steps.size(); ++i) {
    EXPECT_EQ(feed(mapper, scenario.steps[i]), scenario.steps[i].expected)
        << scenario.name << ", step " << i;
  }
}

TEST(PadActionMapper, HeldDirectionsRepeatFirstLateThenOften) {
  const Scenario scenarios[] = {
      {"dpad held down",
       {{0, Press{PadButton::DpadDown}, {Next}},
        {399, Tick{}, {}},
        {400, Tick{}, {Next}},
        {479, Tick{}, {}},
        {480, Tick{}, {Next}},
        {560, Tick{}, {Next}},
        {600, Release{PadButton::DpadDown}, {}},
        {2000, Tick{}, {}}}},
      {"a late tick moves once, not once per missed interval",
       {{0, Press{PadButton::DpadUp}, {Previous}},
        {2000, Tick{}, {Previous}},
        {2001, Tick{}, {}},
        {2080, Tick{}, {Previous}}}},
      {"pressed again restarts the first wait",
       {{0, Press{PadButton::DpadDown}, {Next}},
        {100, Release{PadButton::DpadDown}, {}},
        {150, Press{PadButton::DpadDown}, {Next}},
        {400, Tick{}, {}},
        {550, Tick{}, {Next}}}},
      {"letting go of the other arrow keeps the held one repeating",
       {{0, Press{PadButton::DpadDown}, {Next}},
        {10, Release{PadButton::DpadUp}, {}},
        {400, Tick{}, {Next}}}},
      {"the latest arrow takes over the repeat",
       {{0, Press{PadButton::DpadDown}, {Next}},
        {100, Press{PadButton::DpadUp}, {Previous}},
        {450, Tick{}, {}},
        {500, Tick{}, {Previous}}}},
      {"a second pad's arrow takes over; its release stops the repeat",
       {{0, Press{PadButton::DpadDown, 1}, {Next}},
        {100, Press{PadButton::DpadUp, 2}, {Previous}},
        {200, Release{PadButton::DpadUp, 2}, {}},
        {1000, Tick{}, {}}}},
      {"a pad pulled out while held stops moving",
       {{0, Press{PadButton::DpadDown, 3}, {Next}},
        {100, Removed{3}, {}},
        {1000, Tick{}, {}},
        {1100, Press{PadButton::DpadDown, 3}, {Next}}}},
  };
  for (const Scenario& scenario : scenarios) {
    run(scenario);
  }
}

TEST(PadActionMapper, TheStickMovesOnlyPastItsDeadZone) {
  const Scenario scenarios[] = {
      {"a resting stick's drift never moves",
       {{0, Stick{3000}, {}}, {10, Stick{-7999}, {}}, {20, Stick{15999}, {}}, {1000, Tick{}, {}}}},
      {"pushed down, then back to rest",
       {{0, Stick{20000}, {Next}},
        {50, Stick{32767}, {}},
        {400, Tick{}, {Next}},
        {420, Stick{5000}, {}},
        {1000, Tick{}, {}}}},
      {"between dead zone and press point it stays held, and at rest again",
       {{0, Stick{-32768}, {Previous}},
        {100, Stick{-10000}, {}},
        {400, Tick{}, {Previous}},
        {410, Stick{10000}, {}},
        {480, Tick{}, {Previous}},
        {490, Stick{-10000}, {}},
        {500, Stick{0}, {}},
        {1000, Tick{}, {}}}},
      {"flipped from up to down",
       {{0, Stick{-20000}, {Previous}}, {100, Stick{20000}, {Next}}, {500, Tick{}, {Next}}}},
  };
  for (const Scenario& scenario : scenarios) {
    run(scenario);
  }
}

TEST(PadActionMapper, ButtonsActOnPressOnly) {
  const Scenario scenarios[] = {
      {"face buttons and start",
       {{0, Press{PadButton::South}, {Play}},
        {1, Release{PadButton::South}, {}},
        {2, Press{PadButton::Start}, {Play}},
        {3, Press{PadButton::West}, {Checksum}},
        {4, Press{PadButton::North}, {RandomGame}},
        {5, Press{PadButton::East}, {ClearFilter}},
        {1000, Tick{}, {}}}},
      {"shoulders page the list, with Back held they switch pages",
       {{0, Press{PadButton::LeftShoulder}, {PageUp}},
        {1, Press{PadButton::RightShoulder}, {PageDown}},
        {2, Press{PadButton::Back}, {}},
        {3, Press{PadButton::LeftShoulder}, {PreviousPage}},
        {4, Press{PadButton::RightShoulder}, {NextPage}},
        {5, Release{PadButton::Back}, {}},
        {6, Press{PadButton::RightShoulder}, {PageDown}},
        {1000, Tick{}, {}}}},
      {"Back on one pad does not change another's shoulders",
       {{0, Press{PadButton::Back, 1}, {}}, {1, Press{PadButton::RightShoulder, 2}, {PageDown}}}},
      {"triggers go to the ends once per pull",
       {{0, Trigger{PadTrigger::Left, 10000}, {}},
        {1, Trigger{PadTrigger::Left, 20000}, {First}},
        {2, Trigger{PadTrigger::Left, 32767}, {}},
        {3, Trigger{PadTrigger::Left, 12000}, {}},
        {4, Trigger{PadTrigger::Left, 20000}, {}},
        {5, Trigger{PadTrigger::Left, 0}, {}},
        {6, Trigger{PadTrigger::Left, 32767}, {First}},
        {7, Trigger{PadTrigger::Right, 32767}, {Last}}}},
  };
  for (const Scenario& scenario : scenarios) {
    run(scenario);
  }
}

TEST(PadActionMapper, TimesAreParameters) {
  PadActionMapper mapper({.firstRepeatMs = 30, .repeatMs = 10});
  EXPECT_EQ(mapper.buttonChanged(0, PadButton::DpadDown, true, 0), QList<PadAction>{Next});
  EXPECT_EQ(mapper.advance(29), QList<PadAction>{});
  EXPECT_EQ(mapper.advance(30), QList<PadAction>{Next});
  EXPECT_EQ(mapper.advance(40), QList<PadAction>{Next});
}

TEST(PadActions, OnlyPageSwitchingActsOffTheDriversPage) {
  for (int value = int(Previous); value <= int(NextPage); ++value) {
    const auto action = PadAction(value);
    EXPECT_EQ(actsOffDriversPage(action), action == PreviousPage || action == NextPage) << value;
  }
}

}  // namespace
}  // namespace vorlane
