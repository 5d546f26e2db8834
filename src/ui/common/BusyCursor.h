#pragma once

namespace vorlane {

// The busy pointer for the life of one long operation: shown from the first show(), and the
// pointer that was in force before restored when the guard ends, whichever way it ends.
class BusyCursor {
 public:
  BusyCursor() = default;
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

  // Shows the busy pointer; later calls change nothing.
  void show();

 private:
  bool m_shown = false;
};

}  // namespace vorlane
