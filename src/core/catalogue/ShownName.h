#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace vorlane {

// The most characters of a game name a list shows: a longer name would be laid out whole at
// every redraw, freezing the window for seconds.
inline constexpr qsizetype kShownNameLength = 300;

// A game name's bytes (read as decodeText reads them) as a list shows them: a name of at most
// kShownNameLength characters whole; a longer one cut between two characters as a reader sees
// them (never inside a surrogate pair or before a combining mark) and ended with "…", as UTF-8.
QByteArray shownName(const QByteArray& name);

}  // namespace vorlane
