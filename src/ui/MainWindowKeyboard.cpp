#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QKeySequence>
#include <QShortcutEvent>
#include <QTabBar>

#include "ui_MainWindow.h"

namespace vorlane {
namespace {

bool takesTabFocus(const QWidget* control) {
  return control->isVisible() && control->isEnabled() && (control->focusPolicy() & Qt::TabFocus);
}

// The ring member that holds `focus` (itself or one of its parts), or -1.
qsizetype ringIndexOf(const QList<QWidget*>& ring, const QWidget* focus) {
  for (qsizetype i = 0; i < ring.size(); ++i) {
    if (focus != nullptr && (ring[i] == focus || ring[i]->isAncestorOf(focus))) {
      return i;
    }
  }
  return -1;
}

bool hasAccelerator(const QString& caption, const QKeySequence& key) {
  return !caption.isEmpty() && QKeySequence::mnemonic(caption) == key;
}

// Picks the first tab of `bar` whose caption has the accelerator `key`.
bool selectTabWithAccelerator(QTabBar* bar, const QKeySequence& key) {
  for (int tab = 0; tab < bar->count(); ++tab) {
    if (bar->isTabEnabled(tab) && hasAccelerator(bar->tabText(tab), key)) {
      bar->setCurrentIndex(tab);
      return true;
    }
  }
  return false;
}

}  // namespace

QList<QWidget*> MainWindow::pageTabOrder(const QWidget* page) const {
  const Ui::MainWindow& ui = *m_ui;
  if (page == ui.tabDrivers) {
    return {ui.lstDrivers, ui.btnExecutar, ui.btnChecksum, ui.btnEditar};
  }
  if (page == ui.tabConfiguracao) {
    // The video box, the other options box, Apply, the language box, the directories box,
    // then the custom line's field before its check box.
    return {ui.cboResolucao,      ui.cboFrameskip, ui.chkSincronizar,  ui.chkModoDebug,
            ui.chkVerificarRoms,  ui.chkUsarTroca, ui.chkSom,          ui.chkModoPerfil,
            ui.chkInverterTeclas, ui.btnAplicar,   ui.cboIdioma,       ui.edtRomDir,
            ui.edtLogDir,         ui.edtDrvDir,    ui.edtLinhaComando, ui.chkLinhaComando};
  }
  if (page == ui.tabDIP) {
    return {ui.btnAplicarDIP, ui.chkTestMode,     ui.chkDemoSounds,  ui.chkVideoFlip,
            ui.chkFreePlay,   ui.chkContinueMode, ui.chkFreezeScreen};
  }
  return {ui.Memo1};
}

QList<QWidget*> MainWindow::tabRing() const {
  QList<QWidget*> ring{m_ui->PageControl1->tabBar()};
  ring.append(pageTabOrder(m_ui->PageControl1->currentWidget()));
  ring.append(m_ui->btnFechar);
  return ring;
}

bool MainWindow::focusNextPrevChild(bool next) {
  const QList<QWidget*> ring = tabRing();
  const qsizetype count = ring.size();
  // From outside the ring, Tab starts at the tab bar and Shift+Tab at the close button.
  qsizetype at = ringIndexOf(ring, focusWidget());
  if (at < 0) {
    at = next ? count - 1 : 0;
  }
  for (qsizetype step = 1; step <= count; ++step) {
    QWidget* candidate = ring[(at + (next ? step : count - step)) % count];
    if (takesTabFocus(candidate)) {
      candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return true;
    }
  }
  return false;
}

bool MainWindow::handleTab(const QKeyEvent* key) {
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
    return false;
  }
  if (key->key() == Qt::Key_Backtab) {
    return focusNextPrevChild(false);
  }
  if (key->key() == Qt::Key_Tab) {
    return focusNextPrevChild(!(key->modifiers() & Qt::ShiftModifier));
  }
  return false;
}

bool MainWindow::activateAccelerator(const QKeySequence& key) {
  // Several captions may share a letter: the first control in the ring that is showing takes it.
  for (QWidget* control : tabRing()) {
    if (!control->isVisible() || !control->isEnabled()) {
      continue;
    }
    if (auto* bar = qobject_cast<QTabBar*>(control)) {
      if (selectTabWithAccelerator(bar, key)) {
        return true;
      }
    } else if (auto* button = qobject_cast<QAbstractButton*>(control);
               button != nullptr && hasAccelerator(button->text(), key)) {
      button->animateClick();
      return true;
    }
  }
  return false;
}

QPushButton* MainWindow::defaultButtonOfCurrentPage() const {
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

bool MainWindow::handleEnter(QWidget* focus) {
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

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const bool keyPress = event->type() == QEvent::KeyPress;
  const bool shortcut = event->type() == QEvent::Shortcut;
  auto* widget = keyPress || shortcut ? qobject_cast<QWidget*>(watched) : nullptr;
  if (widget == nullptr || widget->window() != this) {
    return QWidget::eventFilter(watched, event);
  }
  if (keyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool plain =
        (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (enter && plain) {
      return handleEnter(widget);
    }
    return handleTab(key) || QWidget::eventFilter(watched, event);
  }
  // The toolkit only moves the focus between controls that share an accelerator.
  const auto* accelerator = static_cast<QShortcutEvent*>(event);
  if (accelerator->isAmbiguous()) {
    return activateAccelerator(accelerator->key());
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vorlane
