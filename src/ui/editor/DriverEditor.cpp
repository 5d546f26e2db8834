#include "ui/editor/DriverEditor.h"

#include <utility>

#include <QAbstractButton>
#include <QFont>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

#include "core/editor/DriverText.h"
#include "core/errors/Error.h"
#include "core/files/FileAccess.h"
#include "core/settings/WindowTexts.h"
#include "core/text/NativeText.h"
#include "core/text/TextCodec.h"
#include "ui/common/Guard.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/SpokenNames.h"
#include "ui/common/WindowPlacement.h"
#include "ui_DriverEditor.h"

namespace vorlane {
namespace {

constexpr char kCaptionPrefix[] = "Vorlane Driver Editor - ";
// Where the title shows "*" while the text holds unsaved changes.
constexpr char kModifiedMark[] = "[*]";

// `shownFile` is the driver file as the title names it.
QString caption(const QString& shownFile) {
  // A doubled mark shows as the mark itself, so a path that holds one keeps it.
  const QLatin1String mark(kModifiedMark);
  return QLatin1String(kCaptionPrefix) + QString(shownFile).replace(mark, mark + mark) + mark;
}

QMessageBox::StandardButton askToSaveChanges(QWidget* editor, const QString& path) {
  const std::unique_ptr<QMessageBox> box(
      createMessageBox(QMessageBox::Question,
                       windowText(WindowText::SaveChangesQuestion).arg(displayPath(path)), editor));
  box->setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
  box->button(QMessageBox::Save)->setText(windowText(WindowText::SaveButton));
  box->button(QMessageBox::Discard)->setText(windowText(WindowText::DiscardButton));
  box->button(QMessageBox::Cancel)->setText(windowText(WindowText::CancelButton));
  box->setDefaultButton(QMessageBox::Save);
  box->setEscapeButton(QMessageBox::Cancel);
  return static_cast<QMessageBox::StandardButton>(box->exec());
}

// The layout cannot state a font size in pixels. Driver files line their values up in columns
// of spaces, which only a fixed-pitch face keeps aligned: "Courier" at 11 pixels, the height
// the text area's lines were measured for.
QFont memoFont() {
  QFont font(QStringLiteral("Courier"));
  font.setPixelSize(11);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  // Columns keep their natural width, whatever spacing the window font is set with.
  font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
  return font;
}

}  // namespace

DriverEditor::DriverEditor(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DriverEditor>()) {
  m_ui->setupUi(this);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  m_ui->MemoEditor->setFont(memoFont());
  // Tab moves on to the section list, as in a dialog; Ctrl+Tab types a tab character.
  m_ui->MemoEditor->setTabChangesFocus(true);
  m_ui->MemoEditor->installEventFilter(this);
  // The layout's size is the window's outer size, the window manager's frame included.
  new WindowPlacement(this, size());
  bindHandlers();
}

DriverEditor::~DriverEditor() = default;

void DriverEditor::bindHandlers() {
  connectGuarded(m_ui->tbtnSalvar, &QToolButton::clicked, this, &DriverEditor::tbtnSalvarClick);
  connect(m_ui->tbtnFechar, &QToolButton::clicked, this, &QWidget::close);
  connectGuarded(m_ui->cboSecoes, &QComboBox::activated, this, &DriverEditor::cboSecoesChange);
  // The button's own click: a disabled Save (a file that could not be loaded) stays off.
  connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, m_ui->tbtnSalvar,
          &QAbstractButton::click);
  // Changes count only where they can be saved.
  connect(m_ui->MemoEditor->document(), &QTextDocument::modificationChanged, this,
          [this](bool changed) { setWindowModified(changed && m_ui->tbtnSalvar->isEnabled()); });
  // The dialog ends through done() however it is closed: tool button, close box, Alt+F4.
  connect(this, &QDialog::finished, this, &DriverEditor::runCloseSteps);
}

void DriverEditor::showEvent(QShowEvent* event) {
  // A window restored from its minimised state is not a new opening.
  if (!event->spontaneous()) {
    runGuarded([this] { runShowSteps(); });
  }
  QDialog::showEvent(event);
}

void DriverEditor::reject() {
  if (settleUnsavedChanges()) {
    QDialog::reject();
  }
}

bool DriverEditor::settleUnsavedChanges() {
  if (!isWindowModified()) {
    return true;
  }
  switch (askToSaveChanges(this, m_driverFile)) {
    case QMessageBox::Save: {
      // A save that fails has shown why; the window stays open with the text.
      bool saved = false;
      runGuarded([&] {
        tbtnSalvarClick();
        saved = true;
      });
      return saved;
    }
    case QMessageBox::Discard:
      return true;
    default:
      return false;
  }
}

bool DriverEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_ui->MemoEditor || event->type() != QEvent::KeyPress) {
    return QDialog::eventFilter(watched, event);
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  // Shift+Enter would insert a Unicode line separator, which looks like a line break but is
  // saved as a character inside the line: make it an ordinary line break.
  if (key->matches(QKeySequence::InsertLineSeparator)) {
    m_ui->MemoEditor->insertPlainText(QStringLiteral("\n"));
    return true;
  }
  if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::ControlModifier) {
    m_ui->MemoEditor->insertPlainText(QStringLiteral("\t"));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void DriverEditor::runShowSteps() {
  // The caption first: loading may already mark the text as changed, and the mark must have its
  // place in the title then.
  setWindowTitle(caption(displayPath(m_driverFile)));
  // In the language applied when the window opens.
  for (const auto& [button, name] : {std::pair{m_ui->tbtnSalvar, WindowText::EditorSaveTip},
                                     std::pair{m_ui->tbtnFechar, WindowText::EditorCloseTip}}) {
    button->setText(windowText(name));
    button->setToolTip(windowText(name));
  }
  nameControls({{m_ui->cboSecoes, WindowText::SectionsName},
                {m_ui->MemoEditor, WindowText::DriverTextName}});
  // Each opening is ready to type, first in the focus order.
  m_ui->MemoEditor->setFocus(Qt::OtherFocusReason);
  m_driverProfile = std::make_unique<ProfileFile>(m_driverFile);
  listSections();
  loadDriverText();
}

void DriverEditor::runCloseSteps() {
  m_driverProfile.reset();
}

void DriverEditor::listSections() {
  m_ui->cboSecoes->clear();
  for (const QByteArray& name : m_driverProfile->sectionNames()) {
    m_ui->cboSecoes->addItem(decodeText(name));
  }
  m_ui->cboSecoes->setCurrentIndex(-1);
}

void DriverEditor::loadDriverText() {
  try {
    const QByteArray bytes = readWholeFile(m_driverFile);
    const QString text = widgetTextFromFile(bytes);
    // The same text again keeps the caret and the scroll position where the user left them.
    if (text != widgetText()) {
      replaceText(text);
    }
    m_fileBytes = bytes;
    m_ui->tbtnSalvar->setEnabled(true);
    // Also a text kept because the file holds the same again.
    markUnchanged();
  } catch (const Error&) {
    showLoadFailure();
    throw;
  }
}

void DriverEditor::showLoadFailure() {
  // Saving now would write another driver's text, or a part of this one, over this driver.
  m_fileBytes.clear();
  replaceText(QString());
  m_ui->tbtnSalvar->setEnabled(false);
  markUnchanged();
  setWindowTitle(caption(windowText(WindowText::EditorNotLoaded).arg(displayPath(m_driverFile))));
}

void DriverEditor::tbtnSalvarClick() {
  const QByteArray bytes = fileBytesToSave(m_fileBytes, widgetText());
  replaceFileAtomically(m_driverFile, bytes);
  m_fileBytes = bytes;
  markUnchanged();
  Q_EMIT saved();
}

void DriverEditor::markUnchanged() {
  m_ui->MemoEditor->document()->setModified(false);
  // Replacing the whole text may report a change that the document then drops without a word.
  setWindowModified(false);
}

void DriverEditor::cboSecoesChange() {
  QPlainTextEdit* memo = m_ui->MemoEditor;
  // From the end of the text, bringing the header into view puts its line on the top row.
  moveCaretInView(memo->document()->characterCount() - 1);
  const QString memoText = toMemoText(widgetText());
  const QString section = m_ui->cboSecoes->currentText();
  moveCaretInView(
      static_cast<int>(toWidgetOffset(memoText, sectionCaretOffset(memoText, section))));
  // Ready to type into the section, just below its header.
  moveCaretInView(static_cast<int>(toWidgetOffset(memoText, sectionBodyOffset(memoText, section))));
  memo->setFocus(Qt::OtherFocusReason);
}

QString DriverEditor::widgetText() const {
  // toPlainText() would turn a non-breaking space into a blank, so an unchanged text would
  // look edited; the raw text differs from the loaded one only in its block separators.
  QString text = m_ui->MemoEditor->document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return text;
}

void DriverEditor::replaceText(const QString& text) {
  m_ui->MemoEditor->setPlainText(text);
  moveCaretInView(0);
  m_ui->MemoEditor->horizontalScrollBar()->setValue(0);
}

void DriverEditor::moveCaretInView(int position) {
  QTextCursor cursor = m_ui->MemoEditor->textCursor();
  cursor.setPosition(position);
  m_ui->MemoEditor->setTextCursor(cursor);
  m_ui->MemoEditor->ensureCursorVisible();
}

}  // namespace vorlane
