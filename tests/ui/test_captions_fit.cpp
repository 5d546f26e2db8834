#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"

namespace vorlane::test {
namespace {

// The width a control needs to show all of its caption, or all of each of its items, by the
// style's own measure; 0 for a control without a caption.
int neededWidth(QWidget* control) {
  if (auto* group = qobject_cast<QGroupBox*>(control)) {
    return group->minimumSizeHint().width();
  }
  if (qobject_cast<QComboBox*>(control) != nullptr || qobject_cast<QTabBar*>(control) != nullptr ||
      qobject_cast<QAbstractButton*>(control) != nullptr) {
    return control->sizeHint().width();
  }
  auto* label = qobject_cast<QLabel*>(control);
  return label != nullptr && !label->text().isEmpty() ? label->sizeHint().width() : 0;
}

const char* const kDemoLanguages = VORLANE_DEMO_DIR "/vorlane.lng";
const char* const kShippedLanguages = VORLANE_LANGUAGES_FILE;
const char* const kShippedLanguageNames[] = {"Portugues", "English", "Espanol"};

// A base directory with tessik.ini, the language file at `languages` when given, and the
// language stored as the chosen one.
void layOut(const TempBase& base, const char* languages, const char* language) {
  base.writeEmulatorConfig({.drvDir = "."});
  if (languages != nullptr) {
    const QByteArray content = contentOf(QString::fromUtf8(languages));
    EXPECT_FALSE(content.isEmpty()) << languages;
    base.write(QStringLiteral("vorlane.lng"), content);
  }
  base.write(QStringLiteral("vorlane.ini"),
             QByteArray("[Configuracao]\r\nIdioma=") + language + "\r\n");
}

// Every caption and list item of the main window fits its control at the layout's size, with
// the layout's captions, the built-in ones and each language of the demo and of the shipped
// language file.
TEST(Captions, FitTheirControlsInEveryLanguage) {
  struct Case {
    std::string captions;
    bool emulatorConfig;    // without it the start-up stops before any language is applied
    const char* languages;  // the language file, if any
    const char* language;
  };
  std::vector<Case> cases = {{"layout", false, nullptr, ""},
                             {"built-in", true, nullptr, "Portugues"}};
  for (const char* language : kShippedLanguageNames) {
    cases.push_back({std::string("demo ") + language, true, kDemoLanguages, language});
    cases.push_back({std::string("shipped ") + language, true, kShippedLanguages, language});
  }
  for (const Case& example : cases) {
    TempBase base;
    ErrorBoxLog boxes;
    if (example.emulatorConfig) {
      layOut(base, example.languages, example.language);
    }
    WindowOnBase main(base);
    const int pagesWidth = main.child<QTabWidget>("PageControl1")->width();
    for (QWidget* control : main.window().findChildren<QWidget*>()) {
      // A tab bar's scroll buttons are hidden while its tabs fit.
      if (control->isHidden()) {
        continue;
      }
      const int room = qobject_cast<QTabBar*>(control) != nullptr ? pagesWidth : control->width();
      EXPECT_LE(neededWidth(control), room)
          << example.captions << ": " << control->objectName().toStdString();
    }
    // The About page has no scroll bar: all of its text must show.
    auto* about = main.child<QPlainTextEdit>("Memo1");
    main.child<QTabWidget>("PageControl1")->setCurrentWidget(main.child<QWidget>("tabSobre"));
    EXPECT_EQ(about->verticalScrollBar()->maximum(), 0) << example.captions;
  }
}

// A desktop theme that sets its own application font once the program runs gets the layout's
// font back: with the theme's, the longest captions were cut.
TEST(Captions, KeepTheLayoutsFontWhenAThemeSetsItsOwn) {
  const QFont layout = QApplication::font();
  QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::font() == layout; }));
  QApplication::setFont(layout);
}

// The Alt letters of one page, with Close beside every page.
QStringList altLettersOf(const WindowOnBase& main, const char* page) {
  QList<QWidget*> controls = main.child<QWidget>(page)->findChildren<QWidget*>();
  controls.append(main.child<QWidget>("btnFechar"));
  QStringList letters;
  for (const QWidget* control : controls) {
    QString caption;
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
      caption = button->text();
    } else if (const auto* label = qobject_cast<const QLabel*>(control)) {
      caption = label->text();
    }
    const QKeySequence letter = QKeySequence::mnemonic(caption);
    if (!letter.isEmpty()) {
      letters.append(letter.toString());
    }
  }
  return letters;
}

// In each shipped language, no two captions of a page share an Alt letter.
TEST(Captions, ShippedLanguagesGiveEveryCaptionOfAPageItsOwnAltLetter) {
  for (const char* language : kShippedLanguageNames) {
    TempBase base;
    ErrorBoxLog boxes;
    layOut(base, kShippedLanguages, language);
    WindowOnBase main(base);
    for (const char* page : {"tabDrivers", "tabConfiguracao", "tabDIP"}) {
      const QStringList letters = altLettersOf(main, page);
      EXPECT_GE(letters.size(), 2) << language << " " << page;
      EXPECT_EQ(QSet<QString>(letters.begin(), letters.end()).size(), letters.size())
          << language << " " << page << ": " << letters.join(u' ').toStdString();
    }
  }
}

}  // namespace
}  // namespace vorlane::test
