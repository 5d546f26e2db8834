#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include "ui/common/DirectoryTexts.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vorlane {

class ProfileFile;

// The controls of the Settings page, as the window's layout places them.
struct SettingsControls {
  QWidget* page;
  QComboBox* cboResolucao;
  QComboBox* cboFrameskip;
  QCheckBox* chkSincronizar;
  QCheckBox* chkModoDebug;
  QCheckBox* chkVerificarRoms;
  QCheckBox* chkUsarTroca;
  QCheckBox* chkSom;
  QCheckBox* chkModoPerfil;
  QCheckBox* chkInverterTeclas;
  QPushButton* btnAplicar;
  QComboBox* cboIdioma;
  QLineEdit* edtRomDir;
  QLineEdit* edtLogDir;
  QLineEdit* edtDrvDir;
  QLineEdit* edtLinhaComando;
  QCheckBox* chkLinhaComando;
};

// The Settings page: the emulator's options and the option text composed from them, the
// language, and the emulator's directories. The options and the language are stored in the
// front-end settings file, the directories in the emulator's file.
class SettingsPage : public QObject {
  Q_OBJECT

 public:
  // The files live as long as the window that owns this page.
  SettingsPage(const SettingsControls& controls, const ProfileFile& settingsFile,
               const ProfileFile& languageFile, QString emulatorConfigPath, QObject* parent);

  // Fills the language list from the language file.
  void listLanguages();
  // Shows the stored options, the custom line and the language to start with.
  void readFrontEndSettings();
  QByteArray selectedLanguage() const;
  // Stores the language, the options and the custom line, each write on its own: a failed one
  // ends it, earlier ones stay.
  void writeFrontEndSettings();

  // Shows the directories of the emulator's file, read whole as `configText`.
  void showEmulatorDirectories(const QByteArray& configText);
  void writeEmulatorDirectories();
  DirectoryTexts directoryTexts() const;
  // The directory fields, in the order of the emulator's file.
  QList<QLineEdit*> directoryFields() const;

  // Composes the option text into the field unless the custom line is on; returns the field's
  // text as the emulator is to get it.
  QString composeCommandLine();

  // Tab order of the page's controls, and the button that Enter presses on it.
  QList<QWidget*> tabOrder() const;
  QPushButton* defaultButton() const;

 private:
  // Selects the item of the section named so, letter case aside; none when no item is.
  void selectLanguage(const QByteArray& section);
  void chkLinhaComandoClick();

  SettingsControls m_ui;
  const ProfileFile& m_settingsFile;
  const ProfileFile& m_languageFile;
  QString m_emulatorConfigPath;
};

}  // namespace vorlane
