#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vorlane {

class FolderWatch;

// Says where the user looks what of the configuration cannot serve: a warning sign inside each
// directory field that names no folder, and a line on the tip of a button whose program is
// missing or cannot run (the button's own tip, if any, stays above it). The rules are
// SetupProblems'. Both follow the disk: the fields' folders and the programs' folders are
// watched, a field is looked at again as its text changes, and everything when the window is
// activated (a change of mode is not always told by the watches).
class SetupWarnings : public QObject {
  Q_OBJECT

 public:
  struct ProgramButton {
    QPushButton* button;
    QString program;  // absolute
  };

  SetupWarnings(const QString& baseDirectory, const QList<QLineEdit*>& fields,
                const QList<ProgramButton>& buttons, QWidget* window);

  // Looks again at every field and program, in the texts of the language applied now.
  void refresh();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Field {
    QLineEdit* edit;
    QAction* sign;
    FolderWatch* watch;
  };
  struct Program {
    ProgramButton bound;
    QString ownTip;
  };

  void checkField(const Field& field);
  void checkPrograms();

  QString m_baseDirectory;
  QList<Field> m_fields;
  QList<Program> m_programs;
};

}  // namespace vorlane
