#pragma once

#include <map>
#include <optional>
#include <utility>

#include <QList>
#include <QtGlobal>

namespace vorlane {

// What a controller asks of the launcher.
enum class PadAction {
  Previous,
  Next,
  PageUp,
  PageDown,
  First,
  Last,
  Play,
  Checksum,
  RandomGame,
  ClearFilter,
  PreviousPage,
  NextPage,
};

// Off the Drivers page a pad only switches pages, so it never changes a setting.
bool actsOffDriversPage(PadAction action);

// The buttons the launcher reads, named by their place on a pad.
enum class PadButton {
  South,
  East,
  West,
  North,
  Back,
  Start,
  LeftShoulder,
  RightShoulder,
  DpadUp,
  DpadDown,
};

enum class PadTrigger { Left, Right };

struct PadTiming {
  int firstRepeatMs = 400;
  int repeatMs = 80;
  // Stick and trigger values run to 32767. A stick moves the list once it passes
  // `stickPressAt` and stops once back inside `stickDeadZone`: the gap keeps a stick resting
  // near the edge from moving the list again and again.
  int stickDeadZone = 8000;
  int stickPressAt = 16000;
  int triggerPressAt = 16000;
  int triggerReleaseAt = 8000;
};

// Turns one or more controllers' events into actions. Every event carries the time in
// milliseconds on any steady clock; a held direction repeats as time passes (see advance).
class PadActionMapper {
 public:
  explicit PadActionMapper(PadTiming timing = {});

  // Each returns the actions the event causes at once.
  QList<PadAction> buttonChanged(int device, PadButton button, bool down, qint64 nowMs);
  // The vertical stick axis, negative up.
  QList<PadAction> stickMoved(int device, int value, qint64 nowMs);
  QList<PadAction> triggerMoved(int device, PadTrigger trigger, int value, qint64 nowMs);
  // Forgets what the device held, so a pad pulled out mid-move does not go on moving.
  void deviceRemoved(int device);

  // The repeat of the held direction when it is due by `nowMs`: at most one, so a late call
  // never makes the list run away.
  QList<PadAction> advance(qint64 nowMs);

 private:
  enum class Source { Dpad, Stick };
  enum class Direction { None, Up, Down };
  using SourceKey = std::pair<int, Source>;

  QList<PadAction> setDirection(SourceKey source, Direction direction, qint64 nowMs);

  PadTiming m_timing;
  std::map<SourceKey, Direction> m_directions;
  std::map<std::pair<int, PadTrigger>, bool> m_triggers;
  std::map<int, bool> m_backHeld;
  // The source whose direction repeats, and when it next does.
  std::optional<SourceKey> m_repeating;
  qint64 m_nextRepeatMs = 0;
};

}  // namespace vorlane
