#pragma once

#include <memory>

#include <QByteArray>
#include <QString>
#include <QWidget>

class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QTimer;

namespace vorlane {

class OutputLog;
class ProgramEndWatch;

// A small read-only window with what a started program writes to its log, shown as it arrives,
// and whether the program has ended. It is not modal, deletes itself when closed and goes with
// its owner; it never ends the program, it only stops reading.
class ProgramOutputWindow : public QWidget {
  Q_OBJECT

 public:
  // `end` is null when the system cannot tell the program's end: the window then says nothing
  // about it and reads on while it is open.
  ProgramOutputWindow(QWidget* owner, const QString& programName, const QString& gameName,
                      std::unique_ptr<OutputLog> log, std::unique_ptr<ProgramEndWatch> end);
  ~ProgramOutputWindow() override;

 protected:
  // Escape closes the window, as it would a dialog.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void showNewOutput();
  void append(const QString& text);

  QString m_programName;
  std::unique_ptr<OutputLog> m_log;
  std::unique_ptr<ProgramEndWatch> m_end;
  QPlainTextEdit* m_output;
  QLabel* m_status;
  QTimer* m_reading;
  // The bytes after the last line break, held back until their line is whole, so a character
  // is never cut in two between reads.
  QByteArray m_partialLine;
};

}  // namespace vorlane
