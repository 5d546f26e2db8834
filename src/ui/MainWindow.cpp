#include "ui/MainWindow.h"

#include <limits>
#include <optional>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>

#include "core/errors/Error.h"
#include "core/files/Paths.h"
#include "core/formats/FlatFile.h"
#include "core/launch/LaunchParameters.h"
#include "core/settings/CaptionTable.h"
#include "core/settings/EmulatorConfig.h"
#include "core/settings/FrontEndSettings.h"
#include "core/settings/LanguageFile.h"
#include "core/settings/WindowTexts.h"
#include "core/start/ProgramInfo.h"
#include "core/start/RememberedView.h"
#include "core/text/NativeText.h"
#include "ui/KeyboardRing.h"
#include "ui/SetupWarnings.h"
#include "ui/WindowMessages.h"
#include "ui/common/AnchoredLayout.h"
#include "ui/common/Guard.h"
#include "ui/common/RememberedPlace.h"
#include "ui/common/SpokenNames.h"
#include "ui/common/WindowPlacement.h"
#include "ui/dip/DipPage.h"
#include "ui/drivers/DriversPage.h"
#include "ui/drivers/ViewChoices.h"
#include "ui/gamepad/GamepadNavigation.h"
#include "ui/settings/SettingsPage.h"
#include "ui_MainWindow.h"

namespace vorlane {
namespace {

// The control names in the caption table are the window's object names.
template <typename Widget>
Widget* namedControl(const QWidget* window, const char* name) {
  auto* control = window->findChild<Widget*>(QString::fromLatin1(name));
  Q_ASSERT_X(control != nullptr, "namedControl", name);
  return control;
}

// A caption is a tab page's tab text, a group box's title, or a button's or label's text.
// A tab or button that the language leaves without a caption would have no name for a screen
// reader: it keeps its built-in caption as that name.
void setCaption(QTabWidget* pages, QWidget* control, const QString& caption,
                const QString& builtInCaption) {
  const QString spokenName = caption.isEmpty() ? withoutAccelerator(builtInCaption) : QString();
  if (const int tab = pages->indexOf(control); tab >= 0) {
    pages->setTabText(tab, caption);
    pages->tabBar()->setAccessibleTabName(tab, spokenName);
  } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
    group->setTitle(caption);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(caption);
    button->setAccessibleName(spokenName);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(caption);
  }
}

}  // namespace

MainWindow::MainWindow(QWidget* parent, std::chrono::milliseconds earlyEndWindow)
    : QWidget(parent),
      m_ui(std::make_unique<Ui::MainWindow>()),
      m_earlyEndWindow(earlyEndWindow),
      m_leftView(m_remembered.view()) {
  m_ui->setupUi(this);
  setWindowTitle(mainWindowTitle());
  m_ui->Label1->setText(QString::fromLatin1(kApplicationTitle));
  // Also where the start-up ends before a language is applied.
  showAboutText();
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  // The layout's size is the smallest: at it every control has the place the layout gives it.
  setMinimumSize(size());
  anchorControls();
  // A field must hold any value the files can hold: one cut at the toolkit's default length
  // would be written back shortened at the next Apply.
  for (QLineEdit* field : findChildren<QLineEdit*>()) {
    field->setMaxLength(std::numeric_limits<int>::max());
  }

  placeAsLeft();
  auto* fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
  connect(fullScreen, &QShortcut::activated, this, &MainWindow::toggleFullScreen);

  m_keyboard = new KeyboardRing(this, m_ui->PageControl1, m_ui->btnFechar);
  connect(m_ui->btnFechar, &QPushButton::clicked, this, &QWidget::close);
  runGuarded([this] { runCreationSteps(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::anchorControls() {
  constexpr Follow stays = Follow::Stays;
  constexpr Follow half = Follow::Half;
  constexpr Follow whole = Follow::Whole;
  const Ui::MainWindow& ui = *m_ui;
  // The list takes the extra height; it and the preview share the extra width, the list the
  // left half. What stands below or beside them moves with them. The other pages keep their
  // controls where they are.
  const struct {
    QWidget* control;
    Anchors anchors;
  } anchored[] = {
      {ui.PageControl1, {stays, stays, whole, whole}},
      {ui.btnFechar, {whole, whole, whole, whole}},
      {ui.panDrivers, {stays, stays, half, stays}},
      {ui.lstDrivers, {stays, stays, half, whole}},
      {ui.panNomeDriver, {stays, whole, half, whole}},
      {ui.panTotalDrivers, {half, whole, half, whole}},
      {ui.panAmostra, {half, stays, whole, stays}},
      {ui.panImagem, {half, stays, whole, whole}},
      {ui.btnExecutar, {half, whole, half, whole}},
      {ui.btnChecksum, {half, whole, half, whole}},
      {ui.btnEditar, {half, whole, half, whole}},
      {ui.lblFiltro, {half, whole, whole, whole}},
      {ui.edtFiltro, {half, whole, whole, whole}},
  };
  auto* layout = new AnchoredLayout(this);
  for (const auto& [control, anchors] : anchored) {
    layout->anchor(control, anchors);
  }
  // The picture fills its frame inside the border.
  (new AnchoredLayout(ui.panImagem))->anchor(ui.imgAmostra, {stays, stays, whole, whole});
}

void MainWindow::placeAsLeft() {
  const std::optional<QRect> place = placeFromBytes(m_leftView.windowGeometry);
  if (!place) {
    new WindowPlacement(this);
    return;
  }
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    screens.append(screen->availableGeometry());
  }
  if (liesOnAScreen(*place, screens)) {
    setGeometry(*place);
    return;
  }
  const QSize primary = QGuiApplication::primaryScreen()->availableGeometry().size();
  resize(place->size().boundedTo(primary));
  new WindowPlacement(this);
}

void MainWindow::showAsLeft(bool fullScreen) {
  Qt::WindowStates states = Qt::WindowNoState;
  if (m_leftView.maximised) {
    states |= Qt::WindowMaximized;
  }
  if (fullScreen || m_leftView.fullScreen) {
    states |= Qt::WindowFullScreen;
    m_maximisedUnderFullScreen = m_leftView.maximised;
  }
  setWindowState(states);
  show();
}

void MainWindow::toggleFullScreen() {
  if (isFullScreen()) {
    setWindowState((windowState() & ~Qt::WindowFullScreen) |
                   (m_maximisedUnderFullScreen ? Qt::WindowMaximized : Qt::WindowNoState));
    m_maximisedUnderFullScreen = false;
    return;
  }
  m_maximisedUnderFullScreen = isMaximized();
  setWindowState(windowState() | Qt::WindowFullScreen);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Not remembering costs the next start its place only: the window closes all the same.
  runGuarded([this] { rememberView(); });
  QWidget::closeEvent(event);
}

void MainWindow::rememberView() const {
  // What else the view holds stays as it is now.
  ViewSettings view = m_remembered.view();
  if (const QRect place = normalGeometry(); place.isValid()) {
    view.windowGeometry = rememberedPlaceBytes(place);
  }
  view.fullScreen = isFullScreen();
  view.maximised = isMaximized() || (view.fullScreen && m_maximisedUnderFullScreen);
  m_remembered.rememberView(view);
}

void MainWindow::rememberLastPlayed(const QString& driverFile) const {
  // Not remembering costs the next start its selection only: the game plays all the same.
  runGuarded([&] { m_remembered.rememberLastPlayed(m_baseDirectory, encodeNative(driverFile)); });
}

void MainWindow::runCreationSteps() {
  m_baseDirectory = currentDirectory();
  m_settingsFile =
      std::make_unique<ProfileFile>(basePath(m_baseDirectory, kFrontEndSettingsFileName));
  m_languageFile = std::make_unique<ProfileFile>(
      languageFilePath(m_baseDirectory, QCoreApplication::applicationDirPath()));
  createPages();
  readEmulatorConfig();
  showSetupWarnings();
  m_settings->listLanguages();
  m_settings->readFrontEndSettings();
  applyLanguage(m_settings->selectedLanguage());
  // Before the scan, so the list takes its rows once, in the order chosen.
  m_drivers->viewChoices().show(m_leftView);
  loadDrivers();
  m_drivers->selectGame(decodeNative(m_remembered.lastPlayed(m_baseDirectory)));
  composeCommandLine();
}

void MainWindow::createPages() {
  const Ui::MainWindow& ui = *m_ui;
  m_settings = new SettingsPage({.page = ui.tabConfiguracao,
                                 .cboResolucao = ui.cboResolucao,
                                 .cboFrameskip = ui.cboFrameskip,
                                 .chkSincronizar = ui.chkSincronizar,
                                 .chkModoDebug = ui.chkModoDebug,
                                 .chkVerificarRoms = ui.chkVerificarRoms,
                                 .chkUsarTroca = ui.chkUsarTroca,
                                 .chkSom = ui.chkSom,
                                 .chkModoPerfil = ui.chkModoPerfil,
                                 .chkInverterTeclas = ui.chkInverterTeclas,
                                 .btnAplicar = ui.btnAplicar,
                                 .cboIdioma = ui.cboIdioma,
                                 .edtRomDir = ui.edtRomDir,
                                 .edtLogDir = ui.edtLogDir,
                                 .edtDrvDir = ui.edtDrvDir,
                                 .edtLinhaComando = ui.edtLinhaComando,
                                 .chkLinhaComando = ui.chkLinhaComando},
                                *m_settingsFile, *m_languageFile, emulatorConfigPath(), this);
  connectGuarded(ui.btnAplicar, &QPushButton::clicked, this, &MainWindow::btnAplicarClick);

  m_drivers = new DriversPage({.page = ui.tabDrivers,
                               .lstDrivers = ui.lstDrivers,
                               .btnExecutar = ui.btnExecutar,
                               .btnChecksum = ui.btnChecksum,
                               .btnEditar = ui.btnEditar,
                               .panNomeDriver = ui.panNomeDriver,
                               .panImagem = ui.panImagem,
                               .imgAmostra = ui.imgAmostra,
                               .panTotalDrivers = ui.panTotalDrivers,
                               .edtFiltro = ui.edtFiltro},
                              m_baseDirectory,
                              {.optionText = [this] { return composeCommandLine(); },
                               .directories = [this] { return m_settings->directoryTexts(); },
                               .earlyEndWindow = m_earlyEndWindow},
                              this);
  connect(m_drivers, &DriversPage::gameStarted, this, &MainWindow::gameStarted);
  connect(m_drivers, &DriversPage::gameStarted, this, &MainWindow::rememberLastPlayed);
  connect(m_drivers, &DriversPage::gameEnded, this, &MainWindow::gameHasEnded);
  connect(&m_drivers->viewChoices(), &ViewChoices::chosen, this, &MainWindow::rememberDriversView);

  // Flipping a switch composes the option text again, as the option boxes do.
  m_dip = new DipPage(
      {.page = ui.tabDIP,
       .btnAplicarDIP = ui.btnAplicarDIP,
       .chkTestMode = ui.chkTestMode,
       .chkDemoSounds = ui.chkDemoSounds,
       .chkVideoFlip = ui.chkVideoFlip,
       .chkFreePlay = ui.chkFreePlay,
       .chkContinueMode = ui.chkContinueMode,
       .chkFreezeScreen = ui.chkFreezeScreen},
      emulatorConfigPath(), [this] { composeCommandLine(); }, this);

  m_keyboard->addPage({ui.tabDrivers, m_drivers->tabOrder(), m_drivers->defaultButton()});
  m_keyboard->addPage({ui.tabConfiguracao, m_settings->tabOrder(), m_settings->defaultButton()});
  m_keyboard->addPage({ui.tabDIP, m_dip->tabOrder(), m_dip->defaultButton()});
  m_keyboard->addPage({ui.tabSobre, {ui.Memo1}, nullptr});
}

const CatalogueModel& MainWindow::catalogue() const {
  return m_drivers->catalogue();
}

void MainWindow::setDriverEditor(DriverEditor* editor) {
  if (m_drivers != nullptr) {
    m_drivers->setDriverEditor(editor);
  }
}

void MainWindow::takeGamepads(const GamepadTiming& timing) {
  if (m_gamepads != nullptr) {
    return;
  }
  m_gamepads = new GamepadNavigation({this, m_ui->PageControl1, m_ui->tabDrivers, m_ui->lstDrivers,
                                      m_ui->btnExecutar, m_ui->btnChecksum, m_ui->edtFiltro},
                                     timing);
  connect(this, &MainWindow::gameStarted, m_gamepads, &GamepadNavigation::gameStarted);
  connect(this, &MainWindow::gameEnded, m_gamepads, &GamepadNavigation::gameEnded);
}

bool MainWindow::focusNextPrevChild(bool next) {
  return m_keyboard->moveFocus(next);
}

QString MainWindow::emulatorConfigPath() const {
  return basePath(m_baseDirectory, kEmulatorConfigFileName);
}

void MainWindow::readEmulatorConfig() {
  // One read serves all nine keys; a file that cannot be read fails here, before any control
  // changes, as the first of nine separate reads would.
  const QByteArray text = readFlatText(emulatorConfigPath());
  m_settings->showEmulatorDirectories(text);
  m_dip->showSwitches(text);
}

void MainWindow::showSetupWarnings() {
  m_setupWarnings = new SetupWarnings(m_baseDirectory, m_settings->directoryFields(),
                                      {{m_ui->btnExecutar, emulatorProgram(m_baseDirectory)},
                                       {m_ui->btnChecksum, checksumProgram(m_baseDirectory)}},
                                      this);
}

void MainWindow::applyLanguage(const QByteArray& language) {
  const LanguageTexts texts = languageTexts(*m_languageFile, language);
  for (qsizetype i = 0; i < texts.captions.size(); ++i) {
    const CaptionRow& row = captionTable()[i];
    setCaption(m_ui->PageControl1, namedControl<QWidget>(this, row.control), texts.captions[i],
               QString::fromUtf8(row.builtInCaption));
  }
  // The texts built later (tips, spoken counts, the output window's) take the language as they
  // are made; those on show now change at the next scan or window.
  useWindowTexts(texts.windowTexts);
  showAboutText();
  if (m_setupWarnings != nullptr) {
    m_setupWarnings->refresh();
  }
  nameControls({{m_ui->PageControl1, WindowText::PagesName},
                {m_ui->lstDrivers, WindowText::DriverListName},
                {m_ui->panImagem, WindowText::PreviewName},
                {m_ui->imgAmostra, WindowText::PreviewPictureName},
                {m_ui->edtLinhaComando, WindowText::CommandLineName},
                {m_ui->Memo1, WindowText::AboutName}});
}

void MainWindow::showAboutText() {
  const auto pageName = [this](QWidget* page) {
    return withoutAccelerator(m_ui->PageControl1->tabText(m_ui->PageControl1->indexOf(page)));
  };
  m_ui->Memo1->setPlainText(messages::aboutText(pageName(m_ui->tabDrivers),
                                                pageName(m_ui->tabConfiguracao),
                                                withoutAccelerator(m_ui->btnExecutar->text())));
}

void MainWindow::loadDrivers() {
  m_drivers->loadDrivers();
}

QString MainWindow::composeCommandLine() {
  return m_settings->composeCommandLine();
}

void MainWindow::btnAplicarClick() {
  // Each write goes to the file on its own; a failed one ends the handler, earlier ones stay.
  m_settings->writeFrontEndSettings();
  applyLanguage(m_settings->selectedLanguage());
  m_settings->writeEmulatorDirectories();
  loadDrivers();
  composeCommandLine();
}

void MainWindow::rememberDriversView() const {
  // Quietly when it cannot be written: the choice holds for this run, and a launcher's
  // preference is not worth a box.
  try {
    ViewSettings view = m_remembered.view();
    m_drivers->viewChoices().keepIn(view);
    m_remembered.rememberView(view);
  } catch (const Error&) {
  }
}

void MainWindow::gameHasEnded() {
  // The player comes back to the list: the pad and the keyboard act at once.
  raise();
  activateWindow();
  Q_EMIT gameEnded();
}

}  // namespace vorlane
