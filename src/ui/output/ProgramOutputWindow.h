#pragma once

#include <memory>

#include <QByteArrayView>
#include <QString>
#include <QWidget>

#include "core/launch/OutputLines.h"

class QKeyEvent;
class QLabel;
class QPlainTextEdit;

namespace vorlane {

class ProgramReport;

// A small read-only window with what a started program writes, shown as it arrives, and whether
// the program has ended. It is not modal and does not stay above its owner, deletes itself when
// closed and goes with its owner; it never ends the program, it only stops reading. It keeps the
// latest lines only, and however fast the program writes, it shows them at most once a repaint.
class ProgramOutputWindow : public QWidget {
  Q_OBJECT

 public:
  // `report` feeds the program's output live (see LiveOutput) and tells its end; `logPath` has
  // all of it.
  ProgramOutputWindow(QWidget* owner, const QString& programName, const QString& gameName,
                      const QString& logPath, std::unique_ptr<ProgramReport> report);
  ~ProgramOutputWindow() override;

  // What the program wrote next, in chunks of any size.
  void appendOutput(QByteArrayView bytes);
  // `bytes` of the program's output were passed over here; the log has them.
  void noteSkipped(qint64 bytes);
  // The program has ended: its last line shows, and `text` says how it ended.
  void showEnded(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Escape closes the window, as it would a dialog.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void scheduleShowing();
  void showPendingLines();
  void dropOldestBeyondShownBytes();

  QString m_programName;
  std::unique_ptr<ProgramReport> m_report;
  QPlainTextEdit* m_output;
  QLabel* m_status;
  QTimer* m_showing;
  OutputLines m_lines;
  // The document has a line, so the next ones go after a line break.
  bool m_showsLines = false;
  // The document's last line is the line the program has not ended yet.
  bool m_showsLineInProgress = false;
};

}  // namespace vorlane
