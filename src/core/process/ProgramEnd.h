#pragma once

namespace vorlane {

// How a started program ended, as the process that waited for it learnt it.
struct ProgramEnd {
  enum class Kind {
    Exited,   // `value` is its exit code
    Killed,   // `value` is the signal that ended it
    Unknown,  // the report of how it ended never came (its watcher was ended)
  };
  Kind kind = Kind::Unknown;
  int value = 0;

  static ProgramEnd exited(int code) { return {Kind::Exited, code}; }
  static ProgramEnd killed(int signal) { return {Kind::Killed, signal}; }

  // A program that ended on its own with code 0 did what it was asked; an unknown end is not
  // taken for a failure.
  bool failed() const { return kind == Kind::Killed || (kind == Kind::Exited && value != 0); }

  friend bool operator==(const ProgramEnd&, const ProgramEnd&) = default;
};

}  // namespace vorlane
