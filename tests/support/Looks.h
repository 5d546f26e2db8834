#pragma once

#include <QPalette>

namespace vorlane::test {

// A base style and palette that readability is checked under.
struct Look {
  const char* style;
  bool dark;  // a dark palette of the kind desktop themes give, else the style's own
  const char* name;
};
// The base styles a Linux build has, light and dark.
inline constexpr Look kLooks[] = {
    {"Fusion", false, "Fusion, light"},
    {"Fusion", true, "Fusion, dark"},
    {"Windows", false, "Windows, light"},
    {"Windows", true, "Windows, dark"},
};

// The application's look while it lives: the program's style over the look's base style, and
// its palette. The program's own look is restored after.
class LookScope {
 public:
  explicit LookScope(const Look& look);
  ~LookScope();
  LookScope(const LookScope&) = delete;
  LookScope& operator=(const LookScope&) = delete;

 private:
  QPalette m_palette;
};

}  // namespace vorlane::test
