#pragma once

class QListView;

namespace vorlane {

// Selects a game drawn among the rows the list shows (the filter's rows), never the selected one,
// and shows it as a user's selection would. Nothing happens when no other game is shown.
void selectRandomShownGame(QListView* list);

}  // namespace vorlane
