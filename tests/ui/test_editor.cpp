#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QListView>
#include <QMargins>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"
#include "ui/editor/DriverEditor.h"

namespace vorlane::test {
namespace {

const QString kDriverName = QStringLiteral("drivers/game.drv");

// The editor's controls, found by name as a user of the layout would know them.
struct EditorControls {
  explicit EditorControls(const DriverEditor& editor)
      : memo(editor.findChild<QPlainTextEdit*>(QStringLiteral("MemoEditor"))),
        sections(editor.findChild<QComboBox*>(QStringLiteral("cboSecoes"))),
        save(editor.findChild<QToolButton*>(QStringLiteral("tbtnSalvar"))),
        close(editor.findChild<QToolButton*>(QStringLiteral("tbtnFechar"))),
        toolBar(editor.findChild<QWidget*>(QStringLiteral("ToolBar1"))) {
    EXPECT_TRUE(memo && sections && save && close && toolBar);
  }

  QStringList sectionItems() const {
    QStringList items;
    for (int i = 0; i < sections->count(); ++i) {
      items.append(sections->itemText(i));
    }
    return items;
  }

  // Chooses an item with the arrow keys, as a user of the closed list does; every step runs
  // the list's change handler.
  void chooseSection(const QString& name) const {
    const int target = sections->findText(name);
    ASSERT_GE(target, 0) << name.toStdString();
    while (sections->currentIndex() != target) {
      QTest::keyClick(sections, sections->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }
  }

  // The line shown on the top row of the text area.
  int firstVisibleBlock() const { return memo->cursorForPosition(QPoint(2, 2)).blockNumber(); }

  QPlainTextEdit* memo;
  QComboBox* sections;
  QToolButton* save;
  QToolButton* close;
  QWidget* toolBar;
};

void openOn(DriverEditor& editor, const QString& path) {
  editor.setDriverFile(path);
  editor.show();
}

// The title as the window shows it, with Qt's mark for unsaved changes resolved.
QString shownTitle(const DriverEditor& editor) {
  return editor.windowHandle()->title();
}

// Answers the question about unsaved changes that the next closing asks.
void answerUnsavedChanges(QMessageBox::StandardButton answer) {
  answerNextModal([answer](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr) << "no question about unsaved changes";
    QTest::mouseClick(box->button(answer), Qt::LeftButton);
  });
}

// Fails the test, and answers Cancel, should `close` ask anything.
void closeWithoutQuestion(const std::function<void()>& close) {
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      ADD_FAILURE() << "asked: " << box->text().toStdString();
      box->button(QMessageBox::Cancel)->click();
    }
  });
  watch.start(10);
  close();
}

// Any character, as a keyboard layout that has it types it (QTest's own typing knows ASCII only).
void typeAtEnd(QPlainTextEdit* memo, const QString& keys) {
  QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
  for (const QChar key : keys) {
    QTest::sendKeyEvent(QTest::Click, memo, Qt::Key_unknown, QString(key), Qt::NoModifier);
  }
}

QByteArray numberedLines(int first, int last) {
  QByteArray lines;
  for (int i = first; i <= last; ++i) {
    lines += "line" + QByteArray::number(i) + "=" + QByteArray::number(i * 7) + "\r\n";
  }
  return lines;
}

TEST(Editor, HasItsLayout) {
  DriverEditor editor;
  const EditorControls controls(editor);
  EXPECT_EQ(editor.objectName(), text("FrmEditor"));
  EXPECT_EQ(editor.windowTitle(), text("Driver Editor"));
  EXPECT_NE(editor.minimumSize(), editor.maximumSize());
  EXPECT_TRUE(editor.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(editor.windowFlags() & Qt::WindowMaximizeButtonHint);

  TempBase base;
  openOn(editor, base.write(kDriverName, "[Video]\r\n"));
  // 450 x 339 is the outer size; the client area is what the window manager's frame leaves.
  EXPECT_EQ(editor.frameGeometry().size(), QSize(450, 339));
  const QMargins frame = editor.windowHandle()->frameMargins();
  EXPECT_EQ(editor.size(), QSize(450, 339).shrunkBy(frame));
  EXPECT_EQ(controls.toolBar->geometry(), QRect(0, 0, editor.width(), 28));
  EXPECT_EQ(controls.sections->geometry().left(), 62);
  EXPECT_EQ(controls.sections->width(), 215);
  EXPECT_FALSE(controls.sections->isEditable());
  EXPECT_TRUE(controls.close->autoRaise());
  EXPECT_EQ(controls.close->toolButtonStyle(), Qt::ToolButtonIconOnly);
  EXPECT_FALSE(controls.save->icon().isNull());
  EXPECT_FALSE(controls.close->icon().isNull());
  EXPECT_EQ(controls.memo->geometry(), QRect(0, 28, editor.width(), editor.height() - 28));
  EXPECT_EQ(controls.memo->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(controls.memo->font().pixelSize(), 11);
  EXPECT_TRUE(QFontInfo(controls.memo->font()).fixedPitch());
  EXPECT_EQ(controls.memo->font().letterSpacing(), 0) << "the columns keep their natural width";
  editor.close();
}

TEST(Editor, IsCentredAtEveryShowingAndKeepsItsSize) {
  TempBase base;
  DriverEditor editor;
  const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
  openOn(editor, base.write(kDriverName, "a\r\n"));
  EXPECT_LE((editor.frameGeometry().center() - centre).manhattanLength(), 1);
  editor.move(5, 5);
  editor.resize(300, 200);
  editor.close();
  EXPECT_FALSE(editor.isVisible());
  editor.show();
  EXPECT_LE((editor.frameGeometry().center() - centre).manhattanLength(), 1);
  EXPECT_EQ(editor.size(), QSize(300, 200)) << "a later showing keeps the size the user gave it";
  editor.close();
}

// Loading and saving without edits changes nothing but the line breaks: the breaks and encodings
// are DriverText's rule; the spaces and separators here are what the text widget could change.
TEST(Editor, SavesAnUnchangedFileWithCrLfBreaksAndNothingElseChanged) {
  const struct {
    const char* name;
    QByteArray file;
    QByteArray saved;
    int lines;
  } cases[] = {
      {"LF only", "GAMENAME     A\n[Video]\nmode=1\n", "GAMENAME     A\r\n[Video]\r\nmode=1\r\n",
       4},
      {"Windows-1252 with a no-break space", "Nome=caf\xE9 \x80 n\xA0o\r\n",
       "Nome=caf\xE9 \x80 n\xA0o\r\n", 2},
      {"UTF-8 with a mark",
       "\xEF\xBB\xBF"
       "caf\xC3\xA9\xC2\xA0x\n",
       "\xEF\xBB\xBF"
       "caf\xC3\xA9\xC2\xA0x\r\n",
       2},
      {"UTF-8 line separator",
       "a\xE2\x80\xA8"
       "b\n",
       "a\xE2\x80\xA8"
       "b\r\n",
       2},
  };
  ErrorBoxLog boxes;
  DriverEditor editor;
  const EditorControls controls(editor);
  for (const auto& example : cases) {
    TempBase base;
    openOn(editor, base.write(kDriverName, example.file));
    EXPECT_EQ(controls.memo->blockCount(), example.lines) << example.name;
    EXPECT_FALSE(controls.memo->toPlainText().contains(QLatin1Char('\r'))) << example.name;
    QTest::mouseClick(controls.save, Qt::LeftButton);
    EXPECT_TRUE(editor.isVisible());
    editor.close();
    EXPECT_EQ(base.read(kDriverName), example.saved) << example.name;
  }
  EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(QLatin1Char('|')).toStdString();
}

// An edited text is saved in the file's encoding (DriverText's rule) with CR LF breaks; the window
// stays open and keeps the sections read at opening.
TEST(Editor, SavesAnEditedTextAndStaysOpen) {
  const struct {
    const char* name;
    QByteArray file;
    std::function<void(QPlainTextEdit*)> edit;
    QByteArray saved;
  } cases[] = {
      {"Windows-1252 stays Windows-1252", "[Video]\ncaf\xE9\n",
       [](QPlainTextEdit* memo) { typeAtEnd(memo, text("[N\u00E9w]")); },
       "[Video]\r\ncaf\xE9\r\n[N\xE9w]"},
      {"Shift+Enter is a line break", "[Video]",
       [](QPlainTextEdit* memo) {
         typeAtEnd(memo, QStringLiteral("x"));
         QTest::keyClick(memo, Qt::Key_Return, Qt::ShiftModifier);
         QTest::keyClicks(memo, QStringLiteral("[New]"));
       },
       "[Video]x\r\n[New]"},
  };
  ErrorBoxLog boxes;
  DriverEditor editor;
  const EditorControls controls(editor);
  for (const auto& example : cases) {
    TempBase base;
    openOn(editor, base.write(kDriverName, example.file));
    example.edit(controls.memo);
    QTest::mouseClick(controls.save, Qt::LeftButton);
    EXPECT_EQ(base.read(kDriverName), example.saved) << example.name;
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(controls.sectionItems(), QStringList{QStringLiteral("Video")}) << example.name;
    // Saving again without further edits writes the same bytes.
    QTest::mouseClick(controls.save, Qt::LeftButton);
    EXPECT_EQ(base.read(kDriverName), example.saved) << example.name;
    editor.close();
  }
  EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(QLatin1Char('|')).toStdString();
}

// A character the file's Windows-1252 cannot hold stops the save with a message naming it; the
// file keeps its bytes and the window its text, so the user can change the character.
TEST(Editor, RefusesACharacterTheFilesEncodingCannotHold) {
  ErrorBoxLog boxes;
  DriverEditor editor;
  const EditorControls controls(editor);
  TempBase base;
  const QByteArray file = "[Video]\r\ncaf\xE9\r\n";
  openOn(editor, base.write(kDriverName, file));
  typeAtEnd(controls.memo, text("\u0141\u00F3d\u017A"));
  QTest::mouseClick(controls.save, Qt::LeftButton);

  ASSERT_EQ(boxes.texts().size(), 1);
  EXPECT_TRUE(boxes.texts().front().contains(text("\"\u0141\" (U+0141)")))
      << boxes.texts().front().toStdString();
  EXPECT_EQ(base.read(kDriverName), file);
  EXPECT_TRUE(editor.isVisible());
  EXPECT_TRUE(controls.memo->toPlainText().endsWith(text("\u0141\u00F3d\u017A")));
  answerUnsavedChanges(QMessageBox::Discard);
  editor.close();
}

// Tab moves between the text and the section list as in any dialog; Ctrl+Tab types a tab
// character; Ctrl+S saves as the save button does.
TEST(Editor, TabMovesTheFocusCtrlTabTypesATabAndCtrlSSaves) {
  TempBase base;
  ErrorBoxLog boxes;
  DriverEditor editor;
  const EditorControls controls(editor);
  openOn(editor, base.write(kDriverName, "[Video]\r\nmode=1\r\n"));
  editor.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
  EXPECT_EQ(QApplication::focusWidget(), controls.memo) << "the text comes first";

  const struct {
    QWidget* from;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QWidget* to;
  } moves[] = {
      {controls.memo, Qt::Key_Tab, Qt::NoModifier, controls.sections},
      {controls.sections, Qt::Key_Tab, Qt::NoModifier, controls.memo},
      {controls.memo, Qt::Key_Backtab, Qt::ShiftModifier, controls.sections},
      {controls.sections, Qt::Key_Backtab, Qt::ShiftModifier, controls.memo},
  };
  for (const auto& move : moves) {
    move.from->setFocus();
    QTest::keyClick(move.from, move.key, move.modifiers);
    EXPECT_EQ(QApplication::focusWidget(), move.to)
        << move.from->objectName().toStdString() << " " << move.key;
  }
  EXPECT_EQ(controls.memo->toPlainText(), text("[Video]\nmode=1\n")) << "Tab typed nothing";

  QTest::keyClick(controls.memo, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClick(controls.memo, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), controls.memo);
  QTest::keyClick(controls.memo, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(base.read(kDriverName), QByteArray("[Video]\r\nmode=1\r\n\t"));
  EXPECT_TRUE(editor.isVisible());
  EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(QLatin1Char('|')).toStdString();
  closeWithoutQuestion([&] { editor.close(); });
}

TEST(Editor, TitleShowsAStarWhileTheTextDiffersFromTheFile) {
  for (const QString& name : {QStringLiteral("game.drv"), QStringLiteral("odd [*] name.drv")}) {
    TempBase base;
    DriverEditor editor;
    const EditorControls controls(editor);
    const QString path = base.write(name, "[Video]\r\n");
    openOn(editor, path);
    const QString title = QStringLiteral("Vorlane Driver Editor - ") + path;
    EXPECT_EQ(shownTitle(editor), title);
    typeAtEnd(controls.memo, QStringLiteral("x"));
    EXPECT_EQ(shownTitle(editor), title + QLatin1Char('*'));
    // Undone, the text is the file's again.
    QTest::keyClick(controls.memo, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shownTitle(editor), title);
    typeAtEnd(controls.memo, QStringLiteral("y"));
    EXPECT_EQ(shownTitle(editor), title + QLatin1Char('*'));
    QTest::mouseClick(controls.save, Qt::LeftButton);
    EXPECT_EQ(shownTitle(editor), title);
    closeWithoutQuestion([&] { editor.close(); });
    EXPECT_FALSE(editor.isVisible());
  }
}

// Escape, the close button and the window's close box all ask the same question while the text
// holds unsaved changes, and close at once while it holds none.
TEST(Editor, ClosingWithUnsavedChangesAsksToSaveDiscardOrCancel) {
  const struct {
    const char* name;
    std::function<void(DriverEditor&)> close;
  } ways[] = {
      {"Escape",
       [](DriverEditor& editor) { QTest::keyClick(EditorControls(editor).memo, Qt::Key_Escape); }},
      {"close button",
       [](DriverEditor& editor) {
         QTest::mouseClick(EditorControls(editor).close, Qt::LeftButton);
       }},
      {"close box", [](DriverEditor& editor) { editor.windowHandle()->close(); }},
  };
  const struct {
    QMessageBox::StandardButton answer;
    bool staysOpen;
    QByteArray file;
  } answers[] = {
      {QMessageBox::Save, false, "a\r\nedited"},
      {QMessageBox::Discard, false, "a\r\n"},
      {QMessageBox::Cancel, true, "a\r\n"},
  };
  ErrorBoxLog boxes;
  for (const auto& way : ways) {
    for (const auto& answer : answers) {
      TempBase base;
      DriverEditor editor;
      const EditorControls controls(editor);
      openOn(editor, base.write(kDriverName, "a\r\n"));
      closeWithoutQuestion([&] { way.close(editor); });
      EXPECT_FALSE(editor.isVisible()) << way.name << ": unchanged";

      editor.show();
      typeAtEnd(controls.memo, QStringLiteral("edited"));
      answerUnsavedChanges(answer.answer);
      way.close(editor);
      EXPECT_EQ(editor.isVisible(), answer.staysOpen) << way.name << " " << answer.answer;
      EXPECT_EQ(base.read(kDriverName), answer.file) << way.name << " " << answer.answer;
      if (answer.staysOpen) {
        EXPECT_TRUE(controls.memo->toPlainText().endsWith(QStringLiteral("edited")));
        answerUnsavedChanges(QMessageBox::Discard);
        editor.close();
      }
    }
  }

  // A save that fails keeps the window open with the text.
  TempBase base;
  DriverEditor editor;
  const EditorControls controls(editor);
  const QString path = base.write(kDriverName, "a\r\n");
  QFile::setPermissions(path, QFileDevice::ReadOwner);
  openOn(editor, path);
  typeAtEnd(controls.memo, QStringLiteral("edited"));
  answerUnsavedChanges(QMessageBox::Save);
  editor.close();
  EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("Cannot create file ") + path + text(".")});
  EXPECT_TRUE(editor.isVisible());
  EXPECT_TRUE(controls.memo->toPlainText().endsWith(QStringLiteral("edited")));
  answerUnsavedChanges(QMessageBox::Discard);
  editor.close();
}

TEST(Editor, ListsOnlyTheOpenedDriversSectionsWithNoneChosen) {
  TempBase base;
  DriverEditor editor;
  const EditorControls controls(editor);
  openOn(editor, base.write(QStringLiteral("first.drv"), "[Video]\r\n[Sound]\r\n[Input]\r\n"));
  EXPECT_EQ(controls.sectionItems(), (QStringList{text("Video"), text("Sound"), text("Input")}));
  controls.chooseSection(QStringLiteral("Sound"));
  editor.close();

  openOn(editor, base.write(QStringLiteral("second.drv"),
                            "x=1\n[V\xED"
                            "deo]\n[Dips]\n"));
  EXPECT_EQ(controls.sectionItems(), (QStringList{text("Vídeo"), text("Dips")}));
  EXPECT_EQ(controls.sections->currentIndex(), -1);
  EXPECT_EQ(shownTitle(editor), QStringLiteral("Vorlane Driver Editor - ") +
                                    base.filePath(QStringLiteral("second.drv")));
  controls.chooseSection(text("Vídeo"));
  EXPECT_EQ(controls.memo->textCursor().position(), 12) << "on the line below [Vídeo]";
  editor.close();
}

// The header's line comes to the top row; the caret starts the line below it, in the text, ready
// to type into the section.
TEST(Editor, JumpsBelowTheFirstExactHeaderWithItsLineOnTop) {
  const QByteArray file =
      "GAMENAME     Test\r\n"
      "; the [Sound] section comes last\r\n"
      "[Video]\r\n" +
      numberedLines(1, 60) +
      "[Sound]\r\n"
      "volume=3\r\n"
      "[Dips]\r\n" +
      numberedLines(61, 120) + "[Last]";
  TempBase base;
  ErrorBoxLog boxes;
  DriverEditor editor;
  const EditorControls controls(editor);
  openOn(editor, base.write(kDriverName, file));
  editor.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
  const QString shown = controls.memo->toPlainText();
  const int lastBlock = controls.memo->blockCount() - 1;

  const struct {
    const char* section;
    int headerBlock;  // the line of the header's first occurrence
    QString caretAt;  // the text from the caret on
    bool onTop;
  } cases[] = {
      {"Video", 2, QStringLiteral("line1=7\n"), true},
      // The first occurrence stands in a comment; the caret starts the line below it.
      {"Sound", 1, QStringLiteral("[Video]\n"), true},
      {"Dips", 65, QStringLiteral("line61=427\n"), true},
      // No line below the last header: the caret ends the text.
      {"Last", lastBlock, QString(), false},
  };
  for (const auto& example : cases) {
    controls.chooseSection(QString::fromLatin1(example.section));
    const QTextCursor caret = controls.memo->textCursor();
    EXPECT_FALSE(caret.hasSelection()) << example.section;
    EXPECT_EQ(shown.mid(caret.position()).left(example.caretAt.size()), example.caretAt)
        << example.section;
    if (example.caretAt.isEmpty()) {
      EXPECT_EQ(caret.position(), shown.size()) << example.section;
    }
    if (example.onTop) {
      EXPECT_EQ(controls.firstVisibleBlock(), example.headerBlock) << example.section;
    } else {
      EXPECT_GT(controls.firstVisibleBlock(), 0) << example.section;
      EXPECT_LT(controls.firstVisibleBlock(), example.headerBlock) << example.section;
    }
    EXPECT_EQ(QApplication::focusWidget(), controls.memo) << example.section;
  }
  // Typing goes into the section.
  controls.chooseSection(QStringLiteral("Video"));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("new=1"));
  EXPECT_TRUE(controls.memo->toPlainText().contains(QStringLiteral("[Video]\nnew=1line1=7\n")));

  // The list keeps the names read at opening; a header that now stands only in other letter
  // case leaves the caret at the start.
  QTextCursor header = controls.memo->document()->find(QStringLiteral("[Dips]"));
  header.insertText(QStringLiteral("[DIPS]"));
  controls.chooseSection(QStringLiteral("Dips"));
  EXPECT_EQ(controls.memo->textCursor().position(), 0);
  EXPECT_EQ(controls.firstVisibleBlock(), 0);
  EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(QLatin1Char('|')).toStdString();
  answerUnsavedChanges(QMessageBox::Discard);
  editor.close();
}

TEST(Editor, DiscardedEditsAreGoneAndAnUnchangedFileKeepsCaretAndScroll) {
  TempBase base;
  DriverEditor editor;
  const EditorControls controls(editor);
  const QString path = base.write(kDriverName, numberedLines(1, 100).replace("\r\n", "\n"));
  openOn(editor, path);
  QTest::keyClick(controls.memo, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClick(controls.memo, Qt::Key_PageUp);
  QTest::keyClick(controls.memo, Qt::Key_End);
  const int caret = controls.memo->textCursor().position();
  const int scroll = controls.memo->verticalScrollBar()->value();
  ASSERT_GT(scroll, 0);
  QTest::mouseClick(controls.close, Qt::LeftButton);
  ASSERT_FALSE(editor.isVisible());

  openOn(editor, path);
  EXPECT_EQ(controls.memo->textCursor().position(), caret);
  EXPECT_EQ(controls.memo->verticalScrollBar()->value(), scroll);

  // Edits that were not saved are gone at the next opening; the file never saw them.
  typeAtEnd(controls.memo, QStringLiteral("edited"));
  answerUnsavedChanges(QMessageBox::Discard);
  editor.close();
  EXPECT_EQ(base.read(kDriverName), numberedLines(1, 100).replace("\r\n", "\n"));
  openOn(editor, path);
  EXPECT_FALSE(controls.memo->toPlainText().contains(QStringLiteral("edited")));
  EXPECT_EQ(controls.memo->textCursor().position(), 0);
  EXPECT_EQ(controls.memo->verticalScrollBar()->value(), 0);
  EXPECT_EQ(controls.memo->horizontalScrollBar()->value(), 0);
  editor.close();
}

TEST(Editor, ReadOnlyFileIsRefusedAndLeftAsItWas) {
  TempBase base;
  ErrorBoxLog boxes;
  DriverEditor editor;
  const EditorControls controls(editor);
  const QString path = base.write(kDriverName, "[Video]\nmode=1\n");
  QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
  openOn(editor, path);
  typeAtEnd(controls.memo, QStringLiteral("edited"));
  QTest::mouseClick(controls.save, Qt::LeftButton);

  EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("Cannot create file ") + path + text(".")});
  EXPECT_EQ(base.read(kDriverName), QByteArray("[Video]\nmode=1\n"));
  EXPECT_TRUE(editor.isVisible());
  EXPECT_TRUE(controls.memo->toPlainText().endsWith(QStringLiteral("edited")));
  answerUnsavedChanges(QMessageBox::Discard);
  editor.close();
}

// A file that cannot be loaded leaves nothing that Save could write over it.
TEST(Editor, FailedLoadEmptiesTheTextAndDisablesSave) {
  const struct {
    const char* name;
    bool create;
    QByteArray file;
    const char* message;
    QStringList sections;
  } cases[] = {
      {"missing", false, "", "Cannot open file %1.", {}},
      {"NUL byte",
       true,
       QByteArray("[Video]\r\nmo\0de=1\r\n", 18),
       "Text exceeds memo capacity.",
       {QStringLiteral("Video")}},
  };
  for (const auto& example : cases) {
    TempBase base;
    ErrorBoxLog boxes;
    DriverEditor editor;
    const EditorControls controls(editor);
    openOn(editor, base.write(QStringLiteral("good.drv"), "[Good]\r\n"));
    editor.close();

    const QString path =
        example.create ? base.write(kDriverName, example.file) : base.filePath(kDriverName);
    openOn(editor, path);
    EXPECT_EQ(boxes.texts(),
              QStringList{QString::fromLatin1(example.message).replace(QStringLiteral("%1"), path)})
        << example.name;
    EXPECT_TRUE(editor.isVisible()) << example.name;
    EXPECT_TRUE(controls.memo->toPlainText().isEmpty()) << example.name;
    EXPECT_FALSE(controls.save->isEnabled()) << example.name;
    EXPECT_EQ(shownTitle(editor), QStringLiteral("Vorlane Driver Editor - ") + path +
                                      text(" (não pôde ser carregado)"));
    EXPECT_EQ(controls.sectionItems(), example.sections) << example.name;
    // Typed text is nothing that could be saved over the file.
    typeAtEnd(controls.memo, QStringLiteral("typed"));
    QTest::keyClick(controls.memo, Qt::Key_S, Qt::ControlModifier);
    closeWithoutQuestion([&] { editor.close(); });
    EXPECT_EQ(QFile::exists(path), example.create) << example.name;
    if (example.create) {
      EXPECT_EQ(base.read(kDriverName), example.file) << example.name;
    }

    openOn(editor, base.filePath(QStringLiteral("good.drv")));
    EXPECT_TRUE(controls.save->isEnabled()) << example.name;
    EXPECT_EQ(controls.memo->toPlainText(), text("[Good]\n")) << example.name;
    editor.close();
  }
}

const QByteArray kTessikIni = "Romdir       .\\roms\r\nDrvdir       .\\drivers\r\n";

TEST(EditDriver, OpensTheSelectedDriverModallyWithoutRescanning) {
  TempBase base;
  base.write(QStringLiteral("tessik.ini"), kTessikIni);
  base.write(QStringLiteral("drivers/alpha.drv"), "GAMENAME     Alpha\r\n[Video]\r\n");
  const QString beta =
      base.write(QStringLiteral("drivers/beta.drv"), "GAMENAME     Beta\r\n[Sound]\r\n");
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  QListView* drivers = driverList(main);
  ASSERT_EQ(shownGames(drivers).size(), 2);
  clickDriver(main, 1);
  ASSERT_EQ(selectedCatalogueRow(drivers), 1);

  answerNextModal([&](QWidget* modal) {
    ASSERT_EQ(modal, &main.editor());
    const EditorControls controls(main.editor());
    EXPECT_EQ(shownTitle(main.editor()), QStringLiteral("Vorlane Driver Editor - ") + beta);
    EXPECT_EQ(controls.sectionItems(), QStringList{QStringLiteral("Sound")});
    EXPECT_EQ(modal->windowModality(), Qt::ApplicationModal);
    controls.memo->document()->find(QStringLiteral("Beta")).insertText(QStringLiteral("Gamma"));
    QTest::mouseClick(controls.save, Qt::LeftButton);
    // As the title bar's close box does; the tool button is the other way out.
    modal->close();
  });
  QTest::mouseClick(main.child<QPushButton>("btnEditar"), Qt::LeftButton);

  EXPECT_FALSE(main.editor().isVisible());
  EXPECT_EQ(base.read(QStringLiteral("drivers/beta.drv")),
            QByteArray("GAMENAME     Gamma\r\n[Sound]\r\n"));
  // The driver folder's watch brings the saved name into the list, the game still selected.
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return shownGames(drivers).value(1) == QStringLiteral("Gamma"); }));
  EXPECT_EQ(selectedCatalogueRow(drivers), 1);
  EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(QLatin1Char('|')).toStdString();
}

TEST(EditDriver, DoesNothingWithoutASelection) {
  TempBase base;
  base.write(QStringLiteral("tessik.ini"), kTessikIni);
  base.write(QStringLiteral("drivers/alpha.drv"), "GAMENAME     Alpha\r\n");
  WindowOnBase main(base);
  runWithoutModal([&] { QTest::mouseClick(main.child<QPushButton>("btnEditar"), Qt::LeftButton); },
                  "the editor");
  EXPECT_FALSE(main.editor().isVisible());
  EXPECT_EQ(main.editor().windowTitle(), text("Driver Editor"));
}

}  // namespace
}  // namespace vorlane::test
