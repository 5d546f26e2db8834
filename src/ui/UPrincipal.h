#pragma once

#include <memory>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QWidget>

#include "core/catalogue/DriverFileList.h"
#include "core/catalogue/PreviewFile.h"
#include "core/settings/ProfileFile.h"

class QKeyEvent;
class QKeySequence;
class QPushButton;

namespace Ui {
class TFrmPrincipal;
}

namespace vorlane {

class DriverListFilter;
class TFrmEditor;

// The main window: the four pages, their handlers and the state that lives as long as it.
// Its handlers are split by concern over UPrincipal*.cpp.
class TFrmPrincipal : public QWidget {
  Q_OBJECT

 public:
  explicit TFrmPrincipal(QWidget* parent = nullptr);
  ~TFrmPrincipal() override;

  const DriverFileList& driverFiles() const { return lstArquivos; }

  // False when creation could not take the base directory: the program must end then, since
  // every file it would write lies there.
  bool hasBaseDirectory() const { return !DirBase.isEmpty(); }

  // The editor window that Edit Driver shows; it is created after this window.
  void setDriverEditor(TFrmEditor* editor) { m_editor = editor; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Tab and Shift+Tab walk one ring: the tab bar, the showing page's controls, Close.
  bool focusNextPrevChild(bool next) override;

 private:
  // Lifecycle (UPrincipal.cpp).
  void bindHandlers();
  void FormCreate();

  // Keyboard: Enter, the Tab ring and the accelerators (UPrincipalKeyboard.cpp).
  QPushButton* defaultButtonOfCurrentPage() const;
  bool handleEnter(QWidget* focus);
  bool handleTab(const QKeyEvent* key);
  QList<QWidget*> pageTabOrder(const QWidget* page) const;
  QList<QWidget*> tabRing() const;
  bool activateAccelerator(const QKeySequence& key);

  // Emulator configuration file (UPrincipal.cpp).
  QString emulatorConfigPath() const;
  void readEmulatorConfig();
  void writeEmulatorDirectories();
  void btnAplicarDIPClick();

  // Front-end settings and languages (UPrincipalSettings.cpp).
  void bindSettingsHandlers();
  void listLanguages();
  void readFrontEndSettings();
  QByteArray selectedLanguage() const;
  void AplicaIdioma(const QByteArray& language);
  void btnAplicarClick();

  // Driver catalogue and preview (UPrincipalCatalogue.cpp).
  void bindCatalogueHandlers();
  void CarregaDrivers();
  void lstDriversClick();
  // Row of the game selected in lstDrivers, or -1. The current row alone is no selection: the
  // list makes its first row current when it takes the focus, without selecting it.
  int selectedDriverRow() const;

  // Option text and launching (UPrincipalLaunch.cpp).
  void bindLaunchHandlers();
  // Composes the option text into the field unless the custom line is on; returns the field's
  // text as the emulator is to get it.
  QString MontaLinhaComando();
  void chkLinhaComandoClick();
  void btnExecutarClick();
  void btnChecksumClick();

  // Driver editor (UPrincipalEditor.cpp).
  void bindEditorHandlers();
  void btnEditarClick();

  std::unique_ptr<Ui::TFrmPrincipal> m_ui;
  QString DirBase;
  std::unique_ptr<ProfileFile> IniConfig;
  std::unique_ptr<ProfileFile> IniIdioma;
  DriverFileList lstArquivos;
  PreviewFinder m_previews;
  TFrmEditor* m_editor = nullptr;
  DriverListFilter* m_driverFilter = nullptr;  // owned by the Drivers page
};

}  // namespace vorlane
