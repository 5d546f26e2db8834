#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include <QObject>
#include <QString>

#include "core/catalogue/PreviewFile.h"
#include "ui/common/DirectoryTexts.h"

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QWidget;

namespace vorlane {

class CatalogueFilter;
class CatalogueModel;
class CatalogueTracker;
class DriverEditor;
class DriverListFilter;
class PreviewImage;
class PreviewPanel;
class ViewChoices;
struct DriverRecord;

// The controls of the Drivers page, as the window's layout places them.
struct DriversControls {
  QWidget* page;
  QListView* lstDrivers;
  QPushButton* btnExecutar;
  QPushButton* btnChecksum;
  QPushButton* btnEditar;
  QLabel* panNomeDriver;
  PreviewPanel* panImagem;
  PreviewImage* imgAmostra;
  QLabel* panTotalDrivers;
  QLineEdit* edtFiltro;
};

// What the Drivers page asks of the rest of the window when it needs it.
struct DriversPageLinks {
  // The option text Play gives the emulator, composed as the Settings page shows it now.
  std::function<QString()> optionText;
  // The directory fields as they read now.
  std::function<DirectoryTexts()> directories;
  // How long after its start an emulator's end counts as early, and is told with its output.
  std::chrono::milliseconds earlyEndWindow;
};

// The Drivers page: the catalogue of games, its filter and count, the selected game's name and
// preview, and Play, Checksum and Edit Driver, which act on the selected game. The current game
// is the list's selection, read through the filter: there is no other copy of it.
class DriversPage : public QObject {
  Q_OBJECT

 public:
  DriversPage(const DriversControls& controls, const QString& baseDirectory, DriversPageLinks links,
              QObject* parent);

  const CatalogueModel& catalogue() const { return *m_catalogue; }
  // The list's order and the games it shows, and the preview's shape, as the user chose them.
  ViewChoices& viewChoices() { return *m_viewChoices; }
  // The editor window that Edit Driver shows; it is created after the main window.
  void setDriverEditor(DriverEditor* editor) { m_editor = editor; }

  // Scans the driver folder the fields name and shows its games, none selected.
  void loadDrivers();
  // Selects the shown game of a driver file as a click would, scrolls it into view and gives
  // the list the focus; selects nothing when no shown game has that file.
  void selectGame(const QString& driverFile);

  // Tab order of the page's controls, and the button that Enter presses on it.
  QList<QWidget*> tabOrder() const;
  QPushButton* defaultButton() const;

 Q_SIGNALS:
  // Play started the emulator on a driver file; it has ended.
  void gameStarted(const QString& driverFile);
  void gameEnded();

 private:
  void lstDriversClick();
  void btnExecutarClick();
  void btnChecksumClick();
  void btnEditarClick();
  // The record of the game selected in lstDrivers, or none. The current row alone is no
  // selection: the list makes its first row current when it takes the focus, without selecting
  // it. Valid until the catalogue changes.
  const DriverRecord* selectedDriver() const;
  // Shows the preview and the file name of a driver.
  void showDriver(const QString& file);
  // Shows the picture of a preview file, none for an empty path, or in its place why it cannot.
  void showPreview(const QString& preview);
  void previewFolderChanged();
  // While the filter hides every game, no game shows in the preview and the buttons that act on
  // the selected game are off.
  void enableDriverButtons();
  QString romDirectory() const;
  QString logDirectory() const;

  DriversControls m_ui;
  QString m_baseDirectory;
  DriversPageLinks m_links;
  // The catalogue and the filter over it live as long as the page; the list shows the filter.
  CatalogueModel* m_catalogue;
  CatalogueFilter* m_catalogueFilter;
  DriverListFilter* m_driverFilter;
  CatalogueTracker* m_tracker;
  ViewChoices* m_viewChoices;
  DriverEditor* m_editor = nullptr;
  // Whether the name and the preview show the selected game. After a scan they still show the
  // game selected before it, now selected no longer, until the next selection.
  bool m_showsSelection = false;
  // The driver file the name and the preview show.
  QString m_shownFile;
  PreviewFinder m_previews;
  // The preview file shown and its stamp when it was loaded: a change of another file in the
  // folder leaves the picture as it is.
  struct ShownPreview {
    QString path;
    std::optional<FileStamp> stamp;
  } m_shownPreview;
};

}  // namespace vorlane
