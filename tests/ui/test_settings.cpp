#include <memory>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "core/settings/CaptionTable.h"
#include "core/settings/ProfileFile.h"
#include "core/start/RememberedBase.h"
#include "support/EnvironmentOverride.h"
#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/BaseDirectoryChooser.h"
#include "ui/MainWindow.h"
#include "ui/editor/DriverEditor.h"

namespace vorlane::test {
namespace {

const QString kSettingsFile = QStringLiteral("vorlane.ini");
const QString kLanguageFile = QStringLiteral("vorlane.lng");
const QString kEmulatorFile = QStringLiteral("tessik.ini");

const QByteArray kTessikIni =
    "Romdir       roms\r\n"
    "Logdir       C:\\log\xE9s\r\n"
    "Drvdir       drivers\r\n"
    "testMode     no\r\n";

// Lays out the base directory: tessik.ini always, the other two files when given.
void layOut(const TempBase& base, const char* settings, const char* languages) {
  base.write(kEmulatorFile, kTessikIni);
  if (settings != nullptr) {
    base.write(kSettingsFile, settings);
  }
  if (languages != nullptr) {
    base.write(kLanguageFile, languages);
  }
}

void clickApply(const WindowOnBase& main) {
  main.child<QTabWidget>("PageControl1")->setCurrentIndex(1);
  QTest::mouseClick(main.child<QPushButton>("btnAplicar"), Qt::LeftButton);
}

QByteArray stored(const TempBase& base, const char* section, const char* key) {
  return ProfileFile(base.filePath(kSettingsFile)).readString(section, key, "<absent>");
}

const char* const kOptionBoxes[] = {"chkSincronizar", "chkUsarTroca",  "chkVerificarRoms",
                                    "chkModoDebug",   "chkModoPerfil", "chkSom"};

TEST(FrontEndSettings, FirstRunShowsDefaultsAndBuiltInCaptions) {
  TempBase base;
  layOut(base, nullptr, nullptr);
  ErrorBoxLog boxes;
  WindowOnBase main(base);

  EXPECT_TRUE(boxes.texts().isEmpty());
  EXPECT_FALSE(QFile::exists(base.filePath(kSettingsFile)));
  EXPECT_EQ(main.child<QComboBox>("cboResolucao")->currentText(), text("400x300 Linear (VESA 2)"));
  EXPECT_EQ(main.child<QComboBox>("cboFrameskip")->currentText(), text("4"));
  for (const char* box : kOptionBoxes) {
    EXPECT_FALSE(main.child<QCheckBox>(box)->isChecked()) << box;
  }
  EXPECT_FALSE(main.child<QCheckBox>("chkLinhaComando")->isChecked());
  EXPECT_FALSE(main.child<QLineEdit>("edtLinhaComando")->isEnabled());
  EXPECT_EQ(main.child<QComboBox>("cboIdioma")->count(), 0);
  EXPECT_EQ(main.child<QComboBox>("cboIdioma")->currentIndex(), -1);

  // One control of each kind, including the captions where the layout says otherwise.
  const struct {
    const char* control;
    const char* caption;
  } builtIn[] = {
      {"tabConfiguracao", "Configurações"},
      {"grpVideo", "Vídeo"},
      {"lblResolucao", "Resolução:"},
      {"panDrivers", "Drivers Encontrados"},
      {"chkVerificarRoms", "Não verificar as ROMs"},
      {"chkModoPerfil", "Modo Perfil"},
      {"btnExecutar", "&Executar"},
      {"btnAplicarDIP", "&Aplicar"},
      {"chkDemoSounds", "Sons na demonstração"},
  };
  for (const auto& expected : builtIn) {
    EXPECT_EQ(captionOf(main, expected.control), text(expected.caption)) << expected.control;
  }
}

// A pasted text can carry line breaks or a NUL into a one-line field; the files get one line.
TEST(FrontEndSettings, ApplyStoresTheFirstLineOfAPastedText) {
  TempBase base;
  layOut(base, nullptr, nullptr);
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  main.child<QLineEdit>("edtRomDir")->setText(text("C:\\roms\r\nDrvdir       elsewhere"));
  main.child<QLineEdit>("edtLogDir")->setText(QStringLiteral("logs") + QChar(0) + text("x"));
  clickApply(main);

  EXPECT_TRUE(boxes.texts().isEmpty());
  EXPECT_EQ(base.read(kEmulatorFile), QByteArray("Romdir       C:\\roms\r\n"
                                                 "Logdir       logs\r\n"
                                                 "Drvdir       drivers\r\n"
                                                 "testMode     no\r\n"));
}

// A first Apply creates the file with every key: the stored keys, sections and defaults that
// the file keeps for the user's next start.
TEST(FrontEndSettings, FirstApplyWritesEveryKeyInBothSections) {
  TempBase base;
  layOut(base, nullptr, nullptr);
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  clickApply(main);

  EXPECT_TRUE(boxes.texts().isEmpty());
  const QByteArray customLine = main.child<QLineEdit>("edtLinhaComando")->text().toUtf8();
  EXPECT_EQ(base.read(kSettingsFile),
            "[Configuracao]\r\n"
            "Idioma=\r\n"
            "LinhaComando=" +
                customLine +
                "\r\n"
                "UtilizaLInhaComando=0\r\n"
                "[General]\r\n"
                "Resolucao=3\r\n"
                "Frameskip=4\r\n"
                "SincronizarVbl=0\r\n"
                "ModoDebug=0\r\n"
                "VerificarRoms=0\r\n"
                "UsarTroca=0\r\n"
                "ModoPerfil=0\r\n"
                "Som=0\r\n");
}

// The stored name matches a section without letter case; Apply stores the section's own bytes.
TEST(FrontEndSettings, StoredLanguageIsSelectedWithoutCaseAndStoredAsTheSectionName) {
  const char* const languages =
      "[English]\r\n[PORTUGUES]\r\n[Fran\xE7"
      "ais]\r\n[Espa\xC3\xB1ol]\r\n";
  const struct {
    const char* settings;
    const char* shown;
    const char* storedAfterApply;
  } cases[] = {
      {nullptr, "PORTUGUES", "PORTUGUES"},
      {"[Configuracao]\r\nIdioma=english\r\n", "English", "English"},
      {"[Configuracao]\r\nIdioma=FRAN\xC7"
       "AIS\r\n",
       "Français",
       "Fran\xE7"
       "ais"},
      {"[Configuracao]\r\nIdioma=espa\xC3\xB1ol\r\n", "Español", "Espa\xC3\xB1ol"},
      {"[Configuracao]\r\nIdioma=Klingon\r\n", "", ""},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.shown);
    TempBase base;
    layOut(base, example.settings, languages);
    ErrorBoxLog boxes;
    WindowOnBase main(base);
    auto* list = main.child<QComboBox>("cboIdioma");
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->itemText(2), text("Français"));
    EXPECT_EQ(list->currentText(), text(example.shown));
    clickApply(main);
    EXPECT_TRUE(boxes.texts().isEmpty());
    EXPECT_EQ(stored(base, "Configuracao", "Idioma"), bytes(example.storedAfterApply));
  }
}

TEST(FrontEndSettings, LanguageSetsCaptionsAndChangesOnlyOnApply) {
  TempBase base;
  layOut(base, "[Configuracao]\r\nIdioma=English\r\n",
         "[English]\r\n"
         "btnAplicar=&Apply\r\n"
         "btnAplicarDIP=&Ignored\r\n"
         "btnExecutar=&Play\r\n"
         "tabConfiguracao=Settings\r\n"
         "grpVideo=Video\r\n"
         "lblIdioma=Language:\r\n"
         "panAmostra  =  Preview  \r\n"
         "chkSom=\r\n"
         "[Outra]\r\n");
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  const struct {
    const char* control;
    const char* english;
  } captions[] = {
      {"btnAplicar", "&Apply"},
      {"btnAplicarDIP", "&Apply"},
      {"btnExecutar", "&Play"},
      {"tabConfiguracao", "Settings"},
      {"grpVideo", "Video"},
      {"lblIdioma", "Language:"},
      {"panAmostra", "Preview"},
      {"chkSom", ""},
      {"chkVerificarRoms", "Não verificar as ROMs"},
  };
  for (const auto& expected : captions) {
    EXPECT_EQ(captionOf(main, expected.control), text(expected.english)) << expected.control;
  }

  // Picking another language changes nothing until Apply.
  main.child<QComboBox>("cboIdioma")->setCurrentIndex(1);
  EXPECT_EQ(captionOf(main, "btnExecutar"), text("&Play"));
  EXPECT_EQ(stored(base, "Configuracao", "Idioma"), bytes("English"));
  clickApply(main);
  EXPECT_TRUE(boxes.texts().isEmpty());
  EXPECT_EQ(captionOf(main, "btnExecutar"), text("&Executar"));
  EXPECT_EQ(captionOf(main, "btnAplicarDIP"), text("&Aplicar"));
  EXPECT_EQ(captionOf(main, "chkSom"), text("Habilitar som"));
}

// Language files written on Windows and on Linux both show their accents.
TEST(FrontEndSettings, AccentedCaptionsInEitherEncoding) {
  const struct {
    const char* encoding;
    const char* section;
  } cases[] = {
      {"Windows-1252",
       "[Idioma]\r\ntabConfiguracao=Configura\xE7\xF5"
       "es!\r\ngrpDiretorios=Diret\xF3rios!\r\nchkModoDebug=Depura\xE7\xE3o!\r\n"},
      {"UTF-8",
       "[Idioma]\r\ntabConfiguracao=Configura\xC3\xA7\xC3\xB5"
       "es!\r\ngrpDiretorios=Diret\xC3\xB3rios!\r\nchkModoDebug=Depura\xC3\xA7\xC3\xA3o!\r\n"},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.encoding);
    TempBase base;
    layOut(base, "[Configuracao]\r\nIdioma=Idioma\r\n", example.section);
    WindowOnBase main(base);
    EXPECT_EQ(captionOf(main, "tabConfiguracao"), text("Configurações!"));
    EXPECT_EQ(captionOf(main, "grpDiretorios"), text("Diretórios!"));
    EXPECT_EQ(captionOf(main, "chkModoDebug"), text("Depuração!"));
  }
}

// The flag is one key in two spellings: the hand-written one drives both controls and is the
// one Apply updates.
TEST(FrontEndSettings, HandWrittenCustomLineFlagIsOneKey) {
  TempBase base;
  layOut(base, "[Configuracao]\r\nUtilizaLinhaComando=1\r\nLinhaComando=-my line\r\n", nullptr);
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  EXPECT_TRUE(main.child<QCheckBox>("chkLinhaComando")->isChecked());
  EXPECT_TRUE(main.child<QLineEdit>("edtLinhaComando")->isEnabled());
  EXPECT_EQ(main.child<QLineEdit>("edtLinhaComando")->text(), text("-my line"));

  main.child<QTabWidget>("PageControl1")->setCurrentIndex(1);
  clickCheckBox(main.child<QCheckBox>("chkLinhaComando"));
  clickApply(main);

  EXPECT_TRUE(boxes.texts().isEmpty());
  const QByteArray written = base.read(kSettingsFile);
  EXPECT_TRUE(written.contains("\r\nUtilizaLinhaComando=0\r\n")) << written.toStdString();
  EXPECT_EQ(written.toLower().count("utilizalinhacomando"), 1) << written.toStdString();
}

// Booleans are numbers, other words give the default; an index outside a list selects nothing
// and is stored as -1. Two patterns, so a box bound to the wrong key cannot pass both.
TEST(FrontEndSettings, StoredOptionsAreReadAndWrittenBack) {
  const struct {
    const char* general;
    int resolution;
    int frameskip;
    bool boxes[6];  // in the order of kOptionBoxes
    const char* storedResolution;
    const char* storedFrameskip;
  } cases[] = {
      {"Resolucao=7\r\nFrameskip=9\r\nSincronizarVbl=1\r\nUsarTroca=0\r\nVerificarRoms=1\r\n"
       "ModoDebug=0\r\nModoPerfil=-3\r\nSom=yes\r\n",
       -1,
       9,
       {true, false, true, false, true, false},
       "-1",
       "9"},
      {"Resolucao=0\r\nFrameskip=-1\r\nSincronizarVbl=0\r\nUsarTroca=1\r\nVerificarRoms=no\r\n"
       "ModoDebug=0x10\r\nModoPerfil=0\r\nSom=2\r\n",
       0,
       -1,
       {false, true, false, true, false, true},
       "0",
       "-1"},
  };
  const char* const keys[] = {"SincronizarVbl", "UsarTroca",  "VerificarRoms",
                              "ModoDebug",      "ModoPerfil", "Som"};
  for (const auto& example : cases) {
    SCOPED_TRACE(example.general);
    TempBase base;
    layOut(base, (QByteArray("[General]\r\n") + example.general).constData(), nullptr);
    ErrorBoxLog boxes;
    WindowOnBase main(base);
    EXPECT_EQ(main.child<QComboBox>("cboResolucao")->currentIndex(), example.resolution);
    EXPECT_EQ(main.child<QComboBox>("cboFrameskip")->currentIndex(), example.frameskip);
    for (std::size_t i = 0; i < std::size(kOptionBoxes); ++i) {
      EXPECT_EQ(main.child<QCheckBox>(kOptionBoxes[i])->isChecked(), example.boxes[i])
          << kOptionBoxes[i];
    }

    clickApply(main);
    EXPECT_TRUE(boxes.texts().isEmpty());
    EXPECT_EQ(stored(base, "General", "Resolucao"), bytes(example.storedResolution));
    EXPECT_EQ(stored(base, "General", "Frameskip"), bytes(example.storedFrameskip));
    for (std::size_t i = 0; i < std::size(keys); ++i) {
      EXPECT_EQ(stored(base, "General", keys[i]), bytes(example.boxes[i] ? "1" : "0")) << keys[i];
    }
  }
}

// A failed write ends Apply at that step: what came before stays, nothing after it happens.
TEST(FrontEndSettings, FailedWriteStopsApplyAtThatStep) {
  const QByteArray settings = "[Configuracao]\r\nIdioma=English\r\n";
  const struct {
    const QString* readOnly;
    const char* message;
    bool captionsApplied;
  } cases[] = {
      {&kSettingsFile, "Unable to write to ", false},
      {&kEmulatorFile, "Cannot create file ", true},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.readOnly->toStdString());
    TempBase base;
    layOut(base, settings.constData(), "[English]\r\nbtnExecutar=&Play\r\n[Outra]\r\n");
    ErrorBoxLog boxes;
    WindowOnBase main(base);
    main.child<QComboBox>("cboIdioma")->setCurrentIndex(1);
    main.child<QLineEdit>("edtRomDir")->setText(QStringLiteral("outras roms"));
    const QString readOnly = base.filePath(*example.readOnly);
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    clickApply(main);

    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_EQ(boxes.texts().front(), text(example.message) + readOnly + QLatin1Char('.'));
    EXPECT_EQ(captionOf(main, "btnExecutar"),
              text(example.captionsApplied ? "&Executar" : "&Play"));
    EXPECT_EQ(base.read(kEmulatorFile), kTessikIni);
    if (example.captionsApplied) {
      EXPECT_EQ(stored(base, "Configuracao", "Idioma"), bytes("Outra"));
    } else {
      EXPECT_EQ(base.read(kSettingsFile), settings);
    }
  }
}

// Apply writes both files; every line it does not own keeps its bytes, and unchanged text from
// a file is written back as it was read.
TEST(FrontEndSettings, ApplyWritesBothFilesKeepingEverythingElse) {
  TempBase base;
  layOut(base,
         "; my settings\n"
         "[General]\n"
         "Resolucao = 1\n"
         "Som=1\n"
         "[Configuracao]\n"
         "Idioma=portugues\n"
         "LinhaComando=\"-old line\"\n"
         "UtilizaLInhaComando = 1\n"
         "\n"
         "[Outro]\n"
         "chave=valor\n",
         "[English]\r\nbtnAplicar=&Apply\r\n[Portugues]\r\n");
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  ASSERT_EQ(main.child<QComboBox>("cboIdioma")->currentIndex(), 1);
  main.child<QTabWidget>("PageControl1")->setCurrentIndex(1);
  main.child<QComboBox>("cboIdioma")->setCurrentIndex(0);
  main.child<QComboBox>("cboFrameskip")->setCurrentIndex(2);
  main.child<QLineEdit>("edtLinhaComando")->setText(text("-vsync ç"));
  main.child<QLineEdit>("edtRomDir")->setText(text("jogos/ç"));
  clickCheckBox(main.child<QCheckBox>("chkModoDebug"));
  clickCheckBox(main.child<QCheckBox>("chkSom"));
  clickApply(main);

  EXPECT_TRUE(boxes.texts().isEmpty());
  EXPECT_EQ(base.read(kSettingsFile), QByteArray("; my settings\r\n"
                                                 "[General]\r\n"
                                                 "Resolucao = 1\r\n"
                                                 "Som=0\r\n"
                                                 "Frameskip=2\r\n"
                                                 "SincronizarVbl=0\r\n"
                                                 "ModoDebug=1\r\n"
                                                 "VerificarRoms=0\r\n"
                                                 "UsarTroca=0\r\n"
                                                 "ModoPerfil=0\r\n"
                                                 "[Configuracao]\r\n"
                                                 "Idioma=English\r\n"
                                                 "LinhaComando=-vsync \xC3\xA7\r\n"
                                                 "UtilizaLInhaComando = 1\r\n"
                                                 "\r\n"
                                                 "[Outro]\r\n"
                                                 "chave=valor\r\n"));
  EXPECT_EQ(base.read(kEmulatorFile), QByteArray("Romdir       jogos/\xC3\xA7\r\n"
                                                 "Logdir       C:\\log\xE9s\r\n"
                                                 "Drvdir       drivers\r\n"
                                                 "testMode     no\r\n"));
  EXPECT_EQ(captionOf(main, "btnAplicarDIP"), text("&Apply"));
}

// Play keeps its log where the Log field names now, applied or not, resolved like the other
// directories; an emptied field keeps none.
TEST(Settings, PlayLogsWhereTheLogFieldNamesNow) {
  const struct {
    const char* field;
    const char* log;  // nullptr: none anywhere
  } cases[] = {
      {"typed-logs", "typed-logs/tessik-output.log"},
      {".\\typed-logs\\", "typed-logs/tessik-output.log"},
      {"", nullptr},
  };
  for (const auto& example : cases) {
    TempBase base;
    base.write(QStringLiteral("tessik.ini"), "Logdir       stored-logs\r\nDrvdir       .\r\n");
    base.write(QStringLiteral("game.drv"), "GAMENAME     Game\r\n");
    base.makeDir(QStringLiteral("stored-logs"));
    base.makeDir(QStringLiteral("typed-logs"));
    const QString emulator = base.write(QStringLiteral("tessik.exe"), "#!/bin/sh\necho played\n");
    QFile::setPermissions(emulator, QFile::permissions(emulator) | QFileDevice::ExeOwner);
    LaunchFailureLog failures;
    WindowOnBase main(base);
    main.child<QLineEdit>("edtLogDir")->setText(QString::fromUtf8(example.field));
    clickDriver(main, 0);
    clickButton(main, "btnExecutar");
    const QString typed = base.filePath(QStringLiteral("typed-logs/tessik-output.log"));
    const QString stored = base.filePath(QStringLiteral("stored-logs/tessik-output.log"));
    if (example.log != nullptr) {
      EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(typed); })) << example.field;
    }
    EXPECT_FALSE(QFile::exists(stored)) << example.field;
    EXPECT_EQ(QFile::exists(typed), example.log != nullptr) << example.field;
  }
}

QByteArray shippedLanguages() {
  QFile file(QStringLiteral(VORLANE_LANGUAGES_FILE));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  return file.readAll();
}

// With no language stored, the one serving the user's locale is selected under its own name, and
// nothing is written; a stored one wins.
TEST(Languages, FirstLanguageFollowsTheUsersLocale) {
  const struct {
    const char* settings;
    const char* locale;
    const char* shown;
    const char* play;
  } cases[] = {
      {nullptr, "es_ES.UTF-8", "Español", "&Jugar"},
      {nullptr, "fr_FR.UTF-8", "Português", "&Jogar"},
      {"[Configuracao]\r\nIdioma=English\r\n", "es_ES.UTF-8", "English", "&Play"},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.shown);
    const EnvironmentOverride locale("LC_ALL", example.locale);
    TempBase base;
    layOut(base, example.settings, shippedLanguages().constData());
    ErrorBoxLog boxes;
    WindowOnBase main(base);
    EXPECT_EQ(main.child<QComboBox>("cboIdioma")->currentText(), text(example.shown));
    EXPECT_EQ(captionOf(main, "btnExecutar"), text(example.play));
    EXPECT_EQ(QFile::exists(base.filePath(kSettingsFile)), example.settings != nullptr);
  }
}

// Every text a user reads or hears in a window: its title, and each child's caption, tip, spoken
// name, tab texts and plain text.
QStringList shownTexts(const QWidget* window) {
  QStringList texts{window->windowTitle()};
  for (const QWidget* widget : window->findChildren<QWidget*>()) {
    texts << widget->toolTip() << widget->accessibleName();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
      texts << label->text();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
      texts << button->text();
    } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
      texts << group->title();
    } else if (const auto* memo = qobject_cast<const QPlainTextEdit*>(widget)) {
      texts << memo->toPlainText();
    } else if (const auto* tabs = qobject_cast<const QTabBar*>(widget)) {
      for (int i = 0; i < tabs->count(); ++i) {
        texts << tabs->tabText(i);
      }
    }
  }
  return texts;
}

// The pieces of the other languages' texts (the built-in ones and the file's other sections),
// between what the program fills in, that `language` words otherwise.
QStringList otherLanguagesPieces(const ProfileFile& languages, const QByteArray& language) {
  const auto allTexts = [](const LanguageTexts& texts) {
    return texts.captions + texts.windowTexts;
  };
  const QStringList own = allTexts(languageTexts(languages, language));
  QList<QStringList> others{allTexts(languageTexts(ProfileFile(QString()), {}))};
  for (const QByteArray& section : languages.sectionNames()) {
    if (section != language) {
      others.append(allTexts(languageTexts(languages, section)));
    }
  }
  QStringList pieces;
  for (const QStringList& other : others) {
    for (qsizetype i = 0; i < own.size(); ++i) {
      if (other[i] == own[i]) {
        continue;
      }
      for (const QString& piece :
           other[i].split(QRegularExpression(QStringLiteral("%\\d|\\\\n")))) {
        if (piece.trimmed().size() >= 5) {
          pieces.append(piece.trimmed());
        }
      }
    }
  }
  return pieces;
}

// Switched to another shipped language, no other language shows: not on the pages or the About
// text, in the editor or its question, in a start failure or in the folder chooser.
TEST(Languages, SwitchingLeavesNoOtherLanguageOnShow) {
  const ProfileFile shipped(QStringLiteral(VORLANE_LANGUAGES_FILE));
  const EnvironmentOverride locale("LC_ALL", "C");
  const TempBase config;
  const EnvironmentOverride configHome("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
  // Besides the words of the language file, those that once stayed as they were in any language.
  const QStringList stayedInEnglish{text("Cannot start"), text("Save the changes"), text("Discard"),
                                    text("Emulator directory:"), text("Configuration page")};
  const QStringList stayedInPortuguese{text("Salvar"), text("Fechar"), text("Roms:")};
  const struct {
    QByteArray language;
    QStringList stayed;
  } languages[] = {{"English", stayedInPortuguese + QStringList{text("Configuration page")}},
                   {"Espanol", stayedInPortuguese + stayedInEnglish}};
  for (const auto& [language, stayed] : languages) {
    SCOPED_TRACE(language.constData());
    TempBase base;
    layOut(base, nullptr, shippedLanguages().constData());
    const QString driver = base.write(QStringLiteral("drivers/game.drv"), "GAMENAME     Game\r\n");
    base.write(QStringLiteral("tessik.exe"), "#!/bin/sh\n");  // not executable
    ErrorBoxLog boxes;
    LaunchFailureLog failures;
    WindowOnBase main(base);
    auto* list = main.child<QComboBox>("cboIdioma");
    EXPECT_EQ(list->currentText(), text("Português"));
    list->setCurrentIndex(list->findData(language));
    clickApply(main);
    QStringList texts = shownTexts(&main.window());
    EXPECT_TRUE(texts.join(u' ').contains(withoutAccelerator(captionOf(main, "tabConfiguracao"))));

    DriverEditor& editor = main.editor();
    editor.setDriverFile(driver);
    editor.show();
    texts += shownTexts(&editor);
    editor.findChild<QPlainTextEdit*>(QStringLiteral("MemoEditor"))->insertPlainText(text("x"));
    answerNextModal([&texts](QWidget* question) {
      texts += shownTexts(question);
      qobject_cast<QMessageBox*>(question)->button(QMessageBox::Discard)->click();
    });
    editor.close();

    clickDriver(main, 0);
    clickButton(main, "btnExecutar");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !failures.texts().isEmpty(); }));
    texts += failures.texts();

    RememberedBase().remember(base.path());
    answerNextModal([&texts](QWidget* chooser) {
      texts += shownTexts(chooser);
      qobject_cast<QDialog*>(chooser)->reject();
    });
    EXPECT_FALSE(enterMenuStartBase(BaseSource::Ask));

    for (const QString& piece : otherLanguagesPieces(shipped, language) + stayed) {
      // As words: "Cancel" is no piece of "Cancelar".
      const QRegularExpression words(
          QStringLiteral("(?<!\\w)%1(?!\\w)").arg(QRegularExpression::escape(piece)));
      for (const QString& shown : texts) {
        EXPECT_FALSE(shown.contains(words)) << piece.toStdString() << " in " << shown.toStdString();
      }
    }
  }
}

}  // namespace
}  // namespace vorlane::test
