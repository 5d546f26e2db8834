#include "ui/SetupWarnings.h"

#include <QAction>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "core/files/FolderWatch.h"
#include "core/files/Paths.h"
#include "core/launch/SetupProblems.h"
#include "core/text/NativeText.h"
#include "ui/common/FileText.h"

namespace vorlane {
namespace {

QString directoryTextOf(const QLineEdit* field) {
  return decodeNative(fileText(field));
}

QString folderOf(const QString& program) {
  return program.left(program.lastIndexOf(QLatin1Char('/')));
}

}  // namespace

SetupWarnings::SetupWarnings(const QString& baseDirectory, const QList<QLineEdit*>& fields,
                             const QList<ProgramButton>& buttons, QWidget* window)
    : QObject(window), m_baseDirectory(baseDirectory) {
  for (QLineEdit* edit : fields) {
    QAction* sign =
        edit->addAction(edit->style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, edit),
                        QLineEdit::TrailingPosition);
    sign->setObjectName(QStringLiteral("folderWarning"));
    sign->setVisible(false);
    const Field field{edit, sign, new FolderWatch(FolderWatch::kDefaultQuietTime, this)};
    m_fields.append(field);
    connect(edit, &QLineEdit::textChanged, this, [this, field] { checkField(field); });
    connect(field.watch, &FolderWatch::changed, this, [this, field] { checkField(field); });
  }
  for (const ProgramButton& bound : buttons) {
    m_programs.append({bound, bound.button->toolTip()});
    auto* watch = new FolderWatch(FolderWatch::kDefaultQuietTime, this);
    watch->watch(folderOf(bound.program));
    connect(watch, &FolderWatch::changed, this, &SetupWarnings::checkPrograms);
  }
  window->installEventFilter(this);
  refresh();
}

void SetupWarnings::refresh() {
  for (const Field& field : m_fields) {
    checkField(field);
  }
  checkPrograms();
}

bool SetupWarnings::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    refresh();
  }
  return QObject::eventFilter(watched, event);
}

void SetupWarnings::checkField(const Field& field) {
  const QString text = directoryTextOf(field.edit);
  // The folder itself is watched: its coming and going is told through the folder above it.
  const QString folder = resolveDirectoryText(m_baseDirectory, text);
  if (field.watch->folder() != folder) {
    field.watch->watch(folder);
  }
  const QString problem = folderProblem(m_baseDirectory, text);
  field.sign->setToolTip(problem);
  field.sign->setVisible(!problem.isEmpty());
  field.edit->setAccessibleDescription(problem);
}

void SetupWarnings::checkPrograms() {
  for (const Program& program : m_programs) {
    QStringList lines{program.ownTip, programProblem(program.bound.program)};
    lines.removeAll(QString());
    program.bound.button->setToolTip(lines.join(QLatin1Char('\n')));
  }
}

}  // namespace vorlane
