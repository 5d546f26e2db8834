#pragma once

#include <memory>

#include <QByteArray>
#include <QString>
#include <QWidget>

class QKeyEvent;
class QLabel;
class QPlainTextEdit;

namespace vorlane {

class ProgramReport;

// A small read-only window with what a started program writes, shown as it arrives, and how
// the program ended. It is not modal, deletes itself when closed and goes with its owner; it
// never ends the program, it only stops reading.
class ProgramOutputWindow : public QWidget {
  Q_OBJECT

 public:
  // `report` feeds the program's output live (see LiveOutput) and tells its end.
  ProgramOutputWindow(QWidget* owner, const QString& programName, const QString& gameName,
                      std::unique_ptr<ProgramReport> report);
  ~ProgramOutputWindow() override;

 protected:
  // Escape closes the window, as it would a dialog.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void showOutput(const QByteArray& bytes);
  void showEnd();
  void append(const QString& text);

  QString m_programName;
  std::unique_ptr<ProgramReport> m_report;
  QPlainTextEdit* m_output;
  QLabel* m_status;
  // The bytes after the last line break, held back until their line is whole, so a character
  // is never cut in two between reads.
  QByteArray m_partialLine;
};

}  // namespace vorlane
