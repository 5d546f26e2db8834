#include "ui/UPrincipal.h"

#include <limits>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "core/platform/Paths.h"
#include "core/settings/EmulatorConfig.h"
#include "core/settings/FrontEndSettings.h"
#include "core/settings/UFuncoes.h"
#include "ui/FileText.h"
#include "ui/Guard.h"
#include "ui_UPrincipal.h"

namespace vorlane {

TFrmPrincipal::TFrmPrincipal(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::TFrmPrincipal>()) {
  m_ui->setupUi(this);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(size());
  // A field must hold any value the files can hold: one cut at the toolkit's default length
  // would be written back shortened at the next Apply.
  for (QLineEdit* field : findChildren<QLineEdit*>()) {
    field->setMaxLength(std::numeric_limits<int>::max());
  }

  const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
  QRect centred = rect();
  centred.moveCenter(available.center());
  move(centred.topLeft());

  QApplication::instance()->installEventFilter(this);
  bindHandlers();
  runGuarded([this] { FormCreate(); });
}

TFrmPrincipal::~TFrmPrincipal() {
  FormDestroy();
}

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

void TFrmPrincipal::FormDestroy() {
  IniConfig.reset();
  IniIdioma.reset();
}

QString TFrmPrincipal::emulatorConfigPath() const {
  return basePath(DirBase, kEmulatorConfigFileName);
}

std::array<QLineEdit*, 3> TFrmPrincipal::directoryFields() const {
  return {m_ui->edtRomDir, m_ui->edtLogDir, m_ui->edtDrvDir};
}

std::array<QCheckBox*, 6> TFrmPrincipal::switchBoxes() const {
  return {m_ui->chkTestMode,  m_ui->chkContinueMode, m_ui->chkDemoSounds,
          m_ui->chkVideoFlip, m_ui->chkFreezeScreen, m_ui->chkFreePlay};
}

void TFrmPrincipal::readEmulatorConfig() {
  // One read serves all nine keys; a file that cannot be read fails here, before any control
  // changes, as the first of nine separate reads would.
  const QByteArray text = readFlatText(emulatorConfigPath());
  const auto fields = directoryFields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const EmulatorSetting& key = kEmulatorDirectories[i];
    setFileText(fields[i], flatValue(text, key.key, key.defaultValue));
  }
  const auto boxes = switchBoxes();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const EmulatorSetting& key = kEmulatorSwitches[i];
    boxes[i]->setChecked(SimNaoParaBool(flatValue(text, key.key, key.defaultValue)));
  }
}

void TFrmPrincipal::writeEmulatorDirectories() {
  const QString path = emulatorConfigPath();
  const auto fields = directoryFields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    GravaValor(path, kEmulatorDirectories[i].key, fileText(fields[i]));
  }
}

void TFrmPrincipal::btnAplicarDIPClick() {
  const QString path = emulatorConfigPath();
  const auto boxes = switchBoxes();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    GravaValor(path, kEmulatorSwitches[i].key, BoolParaSimNao(boxes[i]->isChecked()));
  }
}

QPushButton* TFrmPrincipal::defaultButtonOfCurrentPage() const {
  const QWidget* page = m_ui->PageControl1->currentWidget();
  if (page == m_ui->tabDrivers) {
    return m_ui->btnExecutar;
  }
  if (page == m_ui->tabConfiguracao) {
    return m_ui->btnAplicar;
  }
  if (page == m_ui->tabDIP) {
    return m_ui->btnAplicarDIP;
  }
  return nullptr;
}

bool TFrmPrincipal::handleEnter(QWidget* focus) {
  // A focused button takes Enter itself; elsewhere Enter means the page's default button.
  auto* button = qobject_cast<QPushButton*>(focus);
  if (button == nullptr) {
    button = defaultButtonOfCurrentPage();
  }
  if (button == nullptr || !button->isEnabled()) {
    return false;
  }
  button->click();
  return true;
}

bool TFrmPrincipal::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool plain =
        (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (enter && plain && widget != nullptr && widget->window() == this) {
      return handleEnter(widget);
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vorlane
