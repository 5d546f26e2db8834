#pragma once

class QListView;

namespace vorlane {

// Selects a game drawn among those the list shows (rows the filter hides or removed never),
// never the selected one, and shows it as a user's selection would. Nothing happens when no
// other game is shown.
void selectRandomShownGame(QListView* list);

}  // namespace vorlane
