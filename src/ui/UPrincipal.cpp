#include "ui/UPrincipal.h"

#include <limits>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "core/files/UFuncoes.h"
#include "core/platform/Paths.h"
#include "core/settings/EmulatorConfig.h"
#include "core/settings/FrontEndSettings.h"
#include "core/start/ProgramInfo.h"
#include "ui/ControlBindings.h"
#include "ui/FileText.h"
#include "ui/Guard.h"
#include "ui/WindowPlacement.h"
#include "ui_UPrincipal.h"

namespace vorlane {

TFrmPrincipal::TFrmPrincipal(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::TFrmPrincipal>()) {
  m_ui->setupUi(this);
  setWindowTitle(mainWindowTitle());
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(size());
  // A field must hold any value the files can hold: one cut at the toolkit's default length
  // would be written back shortened at the next Apply.
  for (QLineEdit* field : findChildren<QLineEdit*>()) {
    field->setMaxLength(std::numeric_limits<int>::max());
  }

  new WindowPlacement(this);

  QApplication::instance()->installEventFilter(this);
  bindHandlers();
  runGuarded([this] { FormCreate(); });
}

TFrmPrincipal::~TFrmPrincipal() = default;

void TFrmPrincipal::bindHandlers() {
  connect(m_ui->btnFechar, &QPushButton::clicked, this, &QWidget::close);
  connectGuarded(m_ui->btnAplicarDIP, &QPushButton::clicked, this,
                 &TFrmPrincipal::btnAplicarDIPClick);
  bindSettingsHandlers();
  bindCatalogueHandlers();
  bindLaunchHandlers();
  bindEditorHandlers();
}

void TFrmPrincipal::FormCreate() {
  DirBase = currentDirectory();
  IniConfig = std::make_unique<ProfileFile>(basePath(DirBase, kFrontEndSettingsFileName));
  IniIdioma = std::make_unique<ProfileFile>(basePath(DirBase, kLanguageFileName));
  readEmulatorConfig();
  listLanguages();
  readFrontEndSettings();
  AplicaIdioma(selectedLanguage());
  CarregaDrivers();
  MontaLinhaComando();
}

QString TFrmPrincipal::emulatorConfigPath() const {
  return basePath(DirBase, kEmulatorConfigFileName);
}

void TFrmPrincipal::readEmulatorConfig() {
  // One read serves all nine keys; a file that cannot be read fails here, before any control
  // changes, as the first of nine separate reads would.
  const QByteArray text = readFlatText(emulatorConfigPath());
  for (const DirectoryField& bound : kDirectoryFields) {
    const EmulatorSetting& setting = *bound.setting;
    setFileText((*m_ui).*bound.control, flatValue(text, setting.key, setting.defaultValue));
  }
  for (const SwitchBox& bound : kSwitchBoxes) {
    const EmulatorSetting& setting = *bound.setting;
    ((*m_ui).*bound.control)
        ->setChecked(SimNaoParaBool(flatValue(text, setting.key, setting.defaultValue)));
  }
}

void TFrmPrincipal::writeEmulatorDirectories() {
  const QString path = emulatorConfigPath();
  for (const DirectoryField& bound : kDirectoryFields) {
    GravaValor(path, bound.setting->key, fileText((*m_ui).*bound.control));
  }
}

void TFrmPrincipal::btnAplicarDIPClick() {
  const QString path = emulatorConfigPath();
  for (const SwitchBox& bound : kSwitchBoxes) {
    GravaValor(path, bound.setting->key, BoolParaSimNao(((*m_ui).*bound.control)->isChecked()));
  }
}

}  // namespace vorlane
