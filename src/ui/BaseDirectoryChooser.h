#pragma once

#include <QString>

#include "core/start/RememberedBase.h"
#include "core/start/StartOptions.h"

namespace vorlane {

// For the menu's starts (--remembered-base, --choose-base): makes the emulator directory
// current, taking the remembered one while it still holds tessik.ini, unless the start always
// asks; otherwise the user's choice, which is then remembered. False when the user cancels:
// nothing is written then. Other starts are left as they are.
bool enterMenuStartBase(BaseSource source, const RememberedBase& remembered = RememberedBase());

// Asks for the emulator's directory, beginning in `startDirectory`; empty when cancelled.
QString askForBaseDirectory(const QString& startDirectory);

}  // namespace vorlane
