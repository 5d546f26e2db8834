#include "ui/ProgramOutputWindow.h"

#include <utility>

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

#include "core/platform/Messages.h"
#include "core/platform/ProgramReport.h"
#include "core/platform/TextCodec.h"

namespace vorlane {
namespace {

// The window shows this many of the latest lines; the log keeps more.
constexpr int kShownLines = 10000;
constexpr QSize kInitialSize(480, 240);
// Each further window opens this far down and right of the one before, so none hides another.
constexpr int kCascadeStep = 24;
constexpr int kCascadeLength = 8;

// Centred over its owner, as a dialog would be, and stepped aside for the windows already open.
QPoint placeOver(const QWidget* owner, const QWidget* window) {
  const auto open = owner->findChildren<ProgramOutputWindow*>(Qt::FindDirectChildrenOnly).size();
  const int step = kCascadeStep * static_cast<int>((open - 1) % kCascadeLength);
  return owner->frameGeometry().center() - window->rect().center() + QPoint(step, step);
}

}  // namespace

ProgramOutputWindow::ProgramOutputWindow(QWidget* owner, const QString& programName,
                                         const QString& gameName,
                                         std::unique_ptr<ProgramReport> report)
    : QWidget(owner, Qt::Window),
      m_programName(programName),
      m_report(std::move(report)),
      m_output(new QPlainTextEdit(this)),
      m_status(new QLabel(this)) {
  setObjectName(QStringLiteral("FrmSaida"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(messages::programOutputTitle(programName, gameName));
  resize(kInitialSize);
  move(placeOver(owner, this));

  m_output->setObjectName(QStringLiteral("MemoSaida"));
  m_output->setReadOnly(true);
  m_output->setMaximumBlockCount(kShownLines);
  m_output->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_output->setAccessibleName(windowTitle());
  m_status->setObjectName(QStringLiteral("lblEstado"));
  m_status->setTextFormat(Qt::PlainText);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_output);
  layout->addWidget(m_status);

  m_status->setText(messages::programRunning(programName));
  connect(m_report.get(), &ProgramReport::output, this, &ProgramOutputWindow::showOutput);
  connect(m_report.get(), &ProgramReport::skipped, this, [this](qint64 count) {
    // A line the gap cuts ends there.
    if (!m_partialLine.isEmpty()) {
      showOutput(QByteArrayLiteral("\n"));
    }
    append(messages::outputSkipped(count) + QLatin1Char('\n'));
  });
  connect(m_report.get(), &ProgramReport::ended, this, &ProgramOutputWindow::showEnd);
}

ProgramOutputWindow::~ProgramOutputWindow() = default;

void ProgramOutputWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void ProgramOutputWindow::showOutput(const QByteArray& bytes) {
  m_partialLine += bytes;
  const qsizetype lineEnd = m_partialLine.lastIndexOf('\n');
  if (lineEnd >= 0) {
    append(decodeText(m_partialLine.left(lineEnd + 1)));
    m_partialLine.remove(0, lineEnd + 1);
  }
}

// The end comes after all the output the report had to give.
void ProgramOutputWindow::showEnd() {
  append(decodeText(m_partialLine));
  m_partialLine.clear();
  m_status->setText(messages::programEnded(m_programName, m_report->end()));
}

void ProgramOutputWindow::append(const QString& text) {
  if (text.isEmpty()) {
    return;
  }
  // Followed only while the user has not scrolled up to read.
  QScrollBar* scroll = m_output->verticalScrollBar();
  const bool following = scroll->value() == scroll->maximum();
  QTextCursor cursor(m_output->document());
  cursor.movePosition(QTextCursor::End);
  // Windows programs end their lines with CR LF.
  cursor.insertText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
  if (following) {
    scroll->setValue(scroll->maximum());
  }
}

}  // namespace vorlane
