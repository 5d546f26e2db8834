#include "ui/output/ProgramOutputWindow.h"

#include <algorithm>
#include <utility>

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "core/process/ProgramReport.h"
#include "ui/WindowMessages.h"

namespace vorlane {
namespace {

// New lines are shown together at most this often, however many chunks brought them.
constexpr int kShowingIntervalMs = 50;
constexpr QSize kInitialSize(480, 240);
// Further windows open this far down (and right, when over the owner) of the one before, so none
// hides another.
constexpr int kCascadeStep = 24;
constexpr int kCascadeLength = 8;
// The room between the owner and a window beside it.
constexpr int kBesideGap = 8;

// The parts of the owner the user goes on working with while a program runs: its game list and
// its Play button, where it has them.
QList<QRect> partsToKeepInView(const QWidget* owner) {
  QList<QRect> parts;
  for (const QString& name : {QStringLiteral("lstDrivers"), QStringLiteral("btnExecutar")}) {
    const auto* part = owner->findChild<const QWidget*>(name);
    if (part != nullptr && part->isVisible()) {
      parts.append(QRect(part->mapToGlobal(QPoint(0, 0)), part->size()));
    }
  }
  return parts;
}

// Beside its owner, on the right or else on the left, where its screen has room for the whole
// window, so the owner stays in view; else below or above it, or in a corner of the screen, where
// it covers neither the owner's list nor its Play button; otherwise centred over the owner, as a
// dialog would be. The window's frame is taken to be as wide as its owner's, since it has none
// before it shows.
QPoint placeBesideOwner(const QWidget* owner, const QWidget* window) {
  const auto open = owner->findChildren<ProgramOutputWindow*>(Qt::FindDirectChildrenOnly).size();
  const int step = kCascadeStep * static_cast<int>((open - 1) % kCascadeLength);
  const QRect ownerFrame = owner->frameGeometry();
  const QRect ownerClient = owner->geometry();
  const QMargins frame(ownerClient.left() - ownerFrame.left(), ownerClient.top() - ownerFrame.top(),
                       ownerFrame.right() - ownerClient.right(),
                       ownerFrame.bottom() - ownerClient.bottom());
  const QSize outer = window->size().grownBy(frame);
  const QRect available = owner->screen()->availableGeometry();
  const int top = ownerFrame.top() + step;
  for (const int left :
       {ownerFrame.right() + 1 + kBesideGap, ownerFrame.left() - kBesideGap - outer.width()}) {
    const QRect beside(QPoint(left, top), outer);
    if (available.contains(beside)) {
      return beside.topLeft();
    }
  }
  const int left = ownerFrame.left() + step;
  const QPoint inward(step, step);
  const QRect elsewhere[] = {
      QRect(QPoint(left, ownerFrame.bottom() + 1 + kBesideGap), outer),
      QRect(QPoint(left, ownerFrame.top() - kBesideGap - outer.height()), outer),
      QRect(available.topRight() - QPoint(outer.width() - 1, 0) + QPoint(-step, step), outer),
      QRect(available.bottomRight() - QPoint(outer.width() - 1, outer.height() - 1) - inward,
            outer),
      QRect(available.topLeft() + inward, outer),
      QRect(available.bottomLeft() - QPoint(0, outer.height() - 1) + QPoint(step, -step), outer),
  };
  const QList<QRect> keep = partsToKeepInView(owner);
  for (const QRect& place : elsewhere) {
    const bool coversNone = std::none_of(keep.begin(), keep.end(),
                                         [&](const QRect& part) { return place.intersects(part); });
    if (available.contains(place) && coversNone) {
      return place.topLeft();
    }
  }
  return ownerFrame.center() - window->rect().center() + inward;
}

}  // namespace

ProgramOutputWindow::ProgramOutputWindow(QWidget* owner, const QString& programName,
                                         const QString& gameName, const QString& logPath,
                                         std::unique_ptr<ProgramReport> report)
    : QWidget(owner, Qt::Window),
      m_programName(programName),
      m_report(std::move(report)),
      m_output(new QPlainTextEdit(this)),
      m_status(new QLabel(this)),
      m_showing(new QTimer(this)) {
  setObjectName(QStringLiteral("FrmSaida"));
  setAttribute(Qt::WA_DeleteOnClose);
  // The user goes on choosing games in the owner while the program runs.
  setAttribute(Qt::WA_ShowWithoutActivating);
  // Closing the owner ends this program: windows that stayed open would keep it running.
  owner->installEventFilter(this);
  setWindowTitle(messages::programOutputTitle(programName, gameName));
  resize(kInitialSize);
  move(placeBesideOwner(owner, this));
  // The owner keeps the window only to take it along when it goes. As the window system's
  // transient of the owner, it would stay above the owner and cover the list the user goes on
  // choosing from.
  winId();
  windowHandle()->setTransientParent(nullptr);

  m_output->setObjectName(QStringLiteral("MemoSaida"));
  m_output->setReadOnly(true);
  m_output->setUndoRedoEnabled(false);
  m_output->setMaximumBlockCount(OutputLines::kMaxLines);
  m_output->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_output->setAccessibleName(windowTitle());
  m_status->setObjectName(QStringLiteral("lblEstado"));
  m_status->setTextFormat(Qt::PlainText);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_output);
  layout->addWidget(m_status);
  auto* log = new QLabel(messages::wholeLog(logPath), this);
  log->setObjectName(QStringLiteral("lblLog"));
  log->setTextFormat(Qt::PlainText);
  log->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A long path must not widen the window past the room beside its owner.
  log->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  layout->addWidget(log);

  m_showing->setSingleShot(true);
  m_showing->setInterval(kShowingIntervalMs);
  connect(m_showing, &QTimer::timeout, this, &ProgramOutputWindow::showPendingLines);
  // Where the output comes from: the report of the process that runs the program.
  m_status->setText(messages::programRunning(programName));
  connect(m_report.get(), &ProgramReport::output, this,
          [this](const QByteArray& bytes) { appendOutput(bytes); });
  connect(m_report.get(), &ProgramReport::skipped, this, &ProgramOutputWindow::noteSkipped);
  // The end comes after all the output the report had to give.
  connect(m_report.get(), &ProgramReport::ended, this,
          [this] { showEnded(messages::programEnded(m_programName, m_report->end())); });
}

ProgramOutputWindow::~ProgramOutputWindow() = default;

void ProgramOutputWindow::appendOutput(QByteArrayView bytes) {
  m_lines.append(bytes);
  scheduleShowing();
}

void ProgramOutputWindow::noteSkipped(qint64 bytes) {
  m_lines.appendNotice(messages::outputSkipped(bytes));
  scheduleShowing();
}

void ProgramOutputWindow::showEnded(const QString& text) {
  m_lines.finish();
  showPendingLines();
  m_status->setText(text);
}

bool ProgramOutputWindow::eventFilter(QObject* watched, QEvent* event) {
  // A window hidden by the system (minimised) stays; one closed or hidden by the program goes.
  if (watched == parent() && event->type() == QEvent::Hide && !event->spontaneous()) {
    close();
  }
  return QWidget::eventFilter(watched, event);
}

void ProgramOutputWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void ProgramOutputWindow::scheduleShowing() {
  if ((m_lines.hasLines() || m_lines.lineInProgressChanged()) && !m_showing->isActive()) {
    m_showing->start();
  }
}

void ProgramOutputWindow::showPendingLines() {
  if (!m_lines.hasLines() && !m_lines.lineInProgressChanged()) {
    return;
  }
  QStringList lines = m_lines.takeLines();
  const QString inProgress = m_lines.lineInProgress();
  // Followed only while the user has not scrolled up to read.
  QScrollBar* scroll = m_output->verticalScrollBar();
  const bool following = scroll->value() == scroll->maximum();
  QTextCursor cursor(m_output->document());
  cursor.movePosition(QTextCursor::End);
  if (m_showsLineInProgress) {
    // The line in progress shown last time is written anew, ended or not.
    cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    if (lines.isEmpty() && inProgress.isEmpty() && !cursor.atStart()) {
      cursor.deletePreviousChar();
    }
  } else if (m_showsLines && !(lines.isEmpty() && inProgress.isEmpty())) {
    cursor.insertText(QStringLiteral("\n"));
  }
  m_showsLineInProgress = !inProgress.isEmpty();
  if (m_showsLineInProgress) {
    lines.append(inProgress);
  }
  cursor.insertText(lines.join(QLatin1Char('\n')));
  m_showsLines = m_showsLines || !lines.isEmpty();
  dropOldestBeyondShownBytes();
  if (following) {
    scroll->setValue(scroll->maximum());
  }
}

// The document keeps the latest lines only, by their count (its block limit) and by their size.
void ProgramOutputWindow::dropOldestBeyondShownBytes() {
  QTextDocument* document = m_output->document();
  const qsizetype excess = document->characterCount() - OutputLines::kMaxShownBytes;
  QTextBlock keptFirst = document->begin();
  for (qsizetype dropped = 0; dropped < excess && keptFirst != document->lastBlock();
       keptFirst = keptFirst.next()) {
    dropped += keptFirst.length();
  }
  if (keptFirst == document->begin()) {
    return;
  }
  QTextCursor cursor(document);
  cursor.setPosition(keptFirst.position(), QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
}

}  // namespace vorlane
