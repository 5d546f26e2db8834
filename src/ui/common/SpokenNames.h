#pragma once

#include <initializer_list>
#include <utility>

#include <QWidget>

#include "core/settings/WindowTexts.h"

namespace vorlane {

// Gives each control the name a screen reader speaks for it, in the language applied now.
inline void nameControls(std::initializer_list<std::pair<QWidget*, WindowText>> names) {
  for (const auto& [control, name] : names) {
    control->setAccessibleName(windowText(name));
  }
}

}  // namespace vorlane
