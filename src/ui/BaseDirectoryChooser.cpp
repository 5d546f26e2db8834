#include "ui/BaseDirectoryChooser.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QProcessEnvironment>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "core/files/Paths.h"
#include "core/settings/CaptionTable.h"
#include "core/settings/FrontEndSettings.h"
#include "core/settings/LanguageFile.h"
#include "core/settings/WindowTexts.h"
#include "core/text/NativeText.h"
#include "ui/common/Guard.h"
#include "ui/common/MessageBoxes.h"

namespace vorlane {
namespace {

// Qt's file dialog writes its history (recent places, column widths) into QtProject.conf of the
// user's configuration directory when it closes. A cancelled start must leave nothing behind,
// so while the chooser lives that history goes to a temporary directory.
class DialogHistoryElsewhere {
 public:
  // Without a temporary directory, a device path: the dialog's write then fails quietly.
  DialogHistoryElsewhere() {
    redirect(m_directory.isValid() ? m_directory.path() : QStringLiteral("/dev/null"));
  }
  ~DialogHistoryElsewhere() {
    redirect(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
  }
  DialogHistoryElsewhere(const DialogHistoryElsewhere&) = delete;
  DialogHistoryElsewhere& operator=(const DialogHistoryElsewhere&) = delete;

 private:
  static void redirect(const QString& path) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
  }

  QTemporaryDir m_directory;
};

// Asks, beginning in the remembered directory (or the home directory), until the user chooses a
// directory that holds tessik.ini; empty when cancelled.
QString askForEmulatorDirectory(const RememberedBase& remembered) {
  const QString previous = remembered.directory();
  QString directory = askForBaseDirectory(previous.isEmpty() ? QDir::homePath() : previous);
  // A directory without the emulator's configuration would start an empty launcher and be
  // remembered: the user chooses again, from where the refused choice was.
  while (!directory.isEmpty() && !holdsEmulatorConfig(directory)) {
    showErrorBox(windowText(WindowText::NoEmulatorConfig).arg(displayPath(directory)));
    directory = askForBaseDirectory(directory);
  }
  return directory;
}

// The chooser speaks the language the window would start in: the one stored in the remembered
// directory, else the one serving the user's locale, from the language file the window would
// read there.
void useStartLanguage(const QString& rememberedDirectory) {
  const QString programDirectory = QCoreApplication::applicationDirPath();
  const bool remembered = !rememberedDirectory.isEmpty();
  const ProfileFile languages(remembered ? languageFilePath(rememberedDirectory, programDirectory)
                                         : shippedLanguageFilePath(programDirectory));
  const ProfileFile settings(remembered ? basePath(rememberedDirectory, kFrontEndSettingsFileName)
                                        : QString());
  const QByteArray language = startLanguage(settings, languageEntries(languages),
                                            userLocale(QProcessEnvironment::systemEnvironment()));
  useWindowTexts(languageTexts(languages, language).windowTexts);
}

}  // namespace

QString askForBaseDirectory(const QString& startDirectory) {
  const DialogHistoryElsewhere history;
  // Qt's own dialog on every desktop: the same steps everywhere, and ones a test can take.
  QFileDialog chooser(nullptr, windowText(WindowText::ChooserTitle), startDirectory);
  chooser.setFileMode(QFileDialog::Directory);
  chooser.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  chooser.setLabelText(QFileDialog::LookIn, windowText(WindowText::ChooserLookIn));
  chooser.setLabelText(QFileDialog::FileName, windowText(WindowText::ChooserName));
  chooser.setLabelText(QFileDialog::FileType, windowText(WindowText::ChooserType));
  chooser.setLabelText(QFileDialog::Accept, windowText(WindowText::ChooserAccept));
  chooser.setLabelText(QFileDialog::Reject, windowText(WindowText::CancelButton));
  // The one entry of the type list, which the dialog names itself.
  if (auto* types = chooser.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
    types->setItemText(0, windowText(WindowText::ChooserDirectories));
  }
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
    return {};
  }
  return chooser.selectedFiles().front();
}

bool enterMenuStartBase(BaseSource source, const RememberedBase& remembered) {
  if (source != BaseSource::RememberedOrAsk && source != BaseSource::Ask) {
    return true;
  }
  QString directory = source == BaseSource::Ask ? QString() : remembered.usableDirectory();
  if (directory.isEmpty()) {
    useStartLanguage(remembered.directory());
    directory = askForEmulatorDirectory(remembered);
    if (directory.isEmpty()) {
      return false;
    }
    // Not remembering only costs a question at the next start: the start goes on.
    runGuarded([&] { remembered.remember(directory); });
  }
  // Entered by its bytes, so a remembered name that is not UTF-8 is entered too.
  if (enterBaseDirectory(directory)) {
    showErrorBox(windowText(WindowText::CannotOpenFolder).arg(displayPath(directory)));
    return false;
  }
  return true;
}

}  // namespace vorlane
