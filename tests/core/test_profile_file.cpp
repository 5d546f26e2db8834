#include <QFile>

#include <gtest/gtest.h>

#include "core/errors/Error.h"
#include "core/settings/ProfileFile.h"
#include "support/ChildProcess.h"
#include "support/ErrorOf.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using test::TempBase;

const QString kFile = QStringLiteral("vorlane.ini");
const QByteArray kDefault = "<default>";

struct ReadCase {
  const char* name;
  QByteArray file;
  QByteArray section;
  QByteArray key;
  QByteArray expected;
};

void expectReads(const ReadCase* begin, const ReadCase* end) {
  for (const ReadCase* c = begin; c != end; ++c) {
    TempBase base;
    const ProfileFile profile(base.write(kFile, c->file));
    EXPECT_EQ(profile.readString(c->section, c->key, kDefault), c->expected) << c->name;
  }
}

TEST(ProfileParsing, LineEndsBlanksAndHeaders) {
  const ReadCase cases[] = {
      {"crlf", "[s]\r\nk=v\r\n", "s", "k", "v"},
      {"lf", "[s]\nk=v\n", "s", "k", "v"},
      {"cr", "[s]\rk=v\r", "s", "k", "v"},
      {"lf cr", "[s]\n\rk=v", "s", "k", "v"},
      {"no final line end", "[s]\r\nk=v", "s", "k", "v"},
      {"blanks and tabs around names and value", " \t[ \ts\t ] \r\n \tk \t= \tv w\t \r\n", "s", "k",
       "v w"},
      {"padded names asked", "[s]\r\nk=v", "  s  ", "k                   ", "v"},
      {"text after last bracket ignored", "[s] ; note\r\nk=v", "s", "k", "v"},
      {"name up to last bracket", "[a]b]\r\nk=v", "a]b", "k", "v"},
      {"unclosed header is no header", "[s]\r\n[t\r\nk=v", "t", "k", kDefault},
      {"equals in value", "[s]\r\nk=a=b", "s", "k", "a=b"},
      {"empty value", "[s]\r\nk=\r\nk=v", "s", "k", ""},
      {"byte order mark before first header", "\xEF\xBB\xBF[s]\r\nk=v", "s", "k", "v"},
      {"key line ends at next header", "[s]\r\n[t]\r\nk=v", "s", "k", kDefault},
      {"key before any section", "k=v\r\n[s]\r\n", "s", "k", kDefault},
      {"line without equals never matches", "[s]\r\nk\r\nk v\r\n", "s", "k", kDefault},
      {"line without equals is skipped", "[s]\r\nk\r\nk=v\r\n", "s", "k", "v"},
      {"absent key", "[s]\r\nj=v", "s", "k", kDefault},
      {"absent section", "[t]\r\nk=v", "s", "k", kDefault},
      {"empty file", "", "s", "k", kDefault},
  };
  expectReads(std::begin(cases), std::end(cases));
}

TEST(ProfileParsing, QuotesCaseAndDuplicates) {
  const ReadCase cases[] = {
      {"double quotes", "[s]\r\nk=\"a b\"", "s", "k", "a b"},
      {"single quotes", "[s]\r\nk='a'", "s", "k", "a"},
      {"quotes keep inner blanks", "[s]\r\nk= \" a \" ", "s", "k", " a "},
      {"empty quotes", "[s]\r\nk=\"\"", "s", "k", ""},
      {"lone quote kept", "[s]\r\nk=\"", "s", "k", "\""},
      {"mismatched quotes kept", "[s]\r\nk=\"a'", "s", "k", "\"a'"},
      {"only outer pair removed", "[s]\r\nk=\"\"a\"\"", "s", "k", "\"a\""},
      {"section and key case", "[General]\r\nSom=1", "GENERAL", "som", "1"},
      {"one key in two spellings", "[Configuracao]\r\nUtilizaLinhaComando=1", "Configuracao",
       "UtilizaLInhaComando", "1"},
      {"accented name utf-8", "[Portugu\xC3\xAAs]\r\nk=v", "PORTUGU\xC3\x8AS", "k", "v"},
      {"accented name windows-1252", "[Portugu\xEAs]\r\nk=v", "PORTUGU\xCAS", "k", "v"},
      {"first duplicate key", "[s]\r\nk=1\r\nK=2", "s", "k", "1"},
      {"first duplicate section", "[s]\r\nk=1\r\n[S]\r\nk=2\r\nj=3", "s", "k", "1"},
      {"later duplicate section unseen", "[s]\r\nk=1\r\n[S]\r\nj=3", "s", "j", kDefault},
  };
  expectReads(std::begin(cases), std::end(cases));
}

TEST(ProfileParsing, LongValuesAreCut) {
  TempBase base;
  const ProfileFile profile(base.write(kFile, "[s]\r\nk=" + QByteArray(3000, 'x') + "\r\nj=y"));
  EXPECT_EQ(profile.readString("s", "k", kDefault), QByteArray(2047, 'x'));
  EXPECT_EQ(profile.readString("s", "j", kDefault), "y");
  EXPECT_EQ(profile.readEachSection({"k"}).front().values.front(), QByteArray(2047, 'x'));
}

TEST(ProfileParsing, MissingOrUnreadableFileGivesDefaults) {
  TempBase base;
  for (const QString& path :
       {base.filePath(QStringLiteral("none.ini")), base.makeDir(QStringLiteral("folder.ini"))}) {
    const ProfileFile profile(path);
    EXPECT_EQ(profile.path(), path);
    EXPECT_EQ(profile.readString("s", "k", kDefault), kDefault);
    EXPECT_EQ(profile.readInteger("s", "k", 3), 3);
    EXPECT_TRUE(profile.readBool("s", "k", true));
    EXPECT_TRUE(profile.sectionNames().isEmpty());
  }
}

TEST(ProfileNumbers, IntegersAndBooleansFollowTheTextRules) {
  constexpr int kFallback = 77;
  const std::pair<QByteArray, int> integers[] = {
      {"12", 12},
      {"-12", -12},
      {"+5", 5},
      {"007", 7},
      {"\"  42\"", 42},
      {"\"42 \"", kFallback},
      {"0x1F", 31},
      {"0X1f", 31},
      {"0x", kFallback},
      {"0x1G", kFallback},
      {"-0x10", kFallback},
      {"$1F", 31},
      {"-$10", -16},
      {"$", kFallback},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", kFallback},
      {"-2147483649", kFallback},
      {"0x7FFFFFFF", 2147483647},
      {"0x80000000", kFallback},
      {"$FFFFFFFF", kFallback},
      {"99999999999999999999", kFallback},
      {"12a", kFallback},
      {"1.5", kFallback},
      {"yes", kFallback},
      {"-", kFallback},
      {"", kFallback},
  };
  for (const auto& [text, expected] : integers) {
    TempBase base;
    const ProfileFile profile(base.write(kFile, "[s]\r\nk=" + text));
    EXPECT_EQ(profile.readInteger("s", "k", kFallback), expected) << text.toStdString();
  }

  const std::tuple<QByteArray, bool, bool> booleans[] = {
      // value, default, expected
      {"1", false, true},   {"0", true, false},     {"2", false, true},  {"-1", false, true},
      {"0x0", true, false}, {"yes", false, false},  {"yes", true, true}, {"", true, true},
      {"no", true, true},   {"true", false, false}, {"00", true, false},
  };
  for (const auto& [text, fallback, expected] : booleans) {
    TempBase base;
    const ProfileFile profile(base.write(kFile, "[s]\r\nk=" + text));
    EXPECT_EQ(profile.readBool("s", "k", fallback), expected) << text.toStdString();
  }
}

struct WriteCase {
  const char* name;
  QByteArray before;
  QByteArray section;
  QByteArray key;
  QByteArray value;
  QByteArray after;
};

TEST(ProfileWriting, ChangesOnlyTheOneSetting) {
  const QByteArray kUserFile =
      "; my settings\r\n"
      "stray=1\n"
      "[General]\r\n"
      "Resolucao = 3 \r\n"
      "Som=0\r\n"
      "; sound off\r\n"
      "\r\n"
      "[Other]\r"
      "x='1'\r\n";
  const WriteCase cases[] = {
      {"in place keeps spelling and blanks", kUserFile, "general", "RESOLUCAO", "5",
       "; my settings\r\nstray=1\r\n[General]\r\nResolucao = 5\r\nSom=0\r\n; sound off\r\n\r\n"
       "[Other]\r\nx='1'\r\n"},
      {"new key after last key line", kUserFile, "General", "Frameskip", "4",
       "; my settings\r\nstray=1\r\n[General]\r\nResolucao = 3 \r\nSom=0\r\nFrameskip=4\r\n"
       "; sound off\r\n\r\n[Other]\r\nx='1'\r\n"},
      {"new section at end", kUserFile, "Configuracao", "Idioma", "English",
       "; my settings\r\nstray=1\r\n[General]\r\nResolucao = 3 \r\nSom=0\r\n; sound off\r\n\r\n"
       "[Other]\r\nx='1'\r\n[Configuracao]\r\nIdioma=English\r\n"},
      {"key before sections untouched", kUserFile, "Other", "stray", "2",
       "; my settings\r\nstray=1\r\n[General]\r\nResolucao = 3 \r\nSom=0\r\n; sound off\r\n\r\n"
       "[Other]\r\nx='1'\r\nstray=2\r\n"},
      {"section without keys", "[a]\r\n; none\r\n[b]\r\n", "a", "k", "v",
       "[a]\r\nk=v\r\n; none\r\n[b]\r\n"},
      {"first duplicate section", "[s]\r\n[s]\r\nk=1\r\n", "S", "k", "2",
       "[s]\r\nk=2\r\n[s]\r\nk=1\r\n"},
      {"one key in two spellings", "[Configuracao]\r\nUtilizaLinhaComando=1\r\n", "Configuracao",
       "UtilizaLInhaComando", "0", "[Configuracao]\r\nUtilizaLinhaComando=0\r\n"},
      {"padded names written plain", "", " s ", "k   ", "v", "[s]\r\nk=v\r\n"},
      {"empty file", "", "s", "k", "v", "[s]\r\nk=v\r\n"},
      {"line breaks in value become blanks", "[s]\r\nk=1\r\n", "s", "k", "a\r\n[evil]\nj=1\rb",
       "[s]\r\nk=a [evil] j=1 b\r\n"},
      // Kept, the blanks in front would pile up behind "=" at every rewrite of the same value.
      {"blanks around value dropped", "[s]\r\nk = 1\r\n", "s", "k", "  2 \n", "[s]\r\nk = 2\r\n"},
  };
  for (const WriteCase& c : cases) {
    TempBase base;
    const ProfileFile profile(base.write(kFile, c.before));
    profile.writeString(c.section, c.key, c.value);
    EXPECT_EQ(base.read(kFile), c.after) << c.name;
  }
}

// A read takes one pair of surrounding quotes away, so whatever is written reads back as written.
TEST(ProfileWriting, QuotedValuesReadBackAsWritten) {
  const struct {
    QByteArray value;
    QByteArray line;
  } cases[] = {
      {"\"a b\" \"c d\"", "k=\"\"a b\" \"c d\"\""},
      {"'single'", "k=''single''"},
      {"\"\"", "k=\"\"\"\""},
      {"  \"padded\"  ", "k=\"\"padded\"\""},
      {"\"", "k=\""},
      {"\"mixed'", "k=\"mixed'"},
      {"-x \"a b\"", "k=-x \"a b\""},
      {"plain", "k=plain"},
  };
  for (const auto& c : cases) {
    TempBase base;
    const ProfileFile profile(base.filePath(kFile));
    profile.writeString("s", "k", c.value);
    profile.writeString("s", "k", c.value);  // a rewrite of the same value adds nothing
    EXPECT_EQ(base.read(kFile), "[s]\r\n" + c.line + "\r\n") << c.value.toStdString();
    EXPECT_EQ(profile.readString("s", "k", kDefault), c.value.trimmed()) << c.value.toStdString();
  }
}

TEST(ProfileWriting, NumbersAndFlagsRoundTrip) {
  TempBase base;
  const ProfileFile profile(base.filePath(kFile));
  profile.writeInteger("General", "Resolucao", -1);
  profile.writeInteger("General", "Frameskip", 2147483647);
  profile.writeBool("General", "Som", true);
  profile.writeBool("General", "ModoDebug", false);
  EXPECT_EQ(base.read(kFile),
            "[General]\r\nResolucao=-1\r\nFrameskip=2147483647\r\nSom=1\r\nModoDebug=0\r\n");
  EXPECT_EQ(profile.readInteger("General", "Resolucao", 3), -1);
  EXPECT_TRUE(profile.readBool("General", "Som", false));
  EXPECT_FALSE(profile.readBool("General", "ModoDebug", true));
}

TEST(ProfileWriting, FailuresAreReportedAndLeaveTheFileWhole) {
  const QByteArray before = "[s]\r\nk=old\r\n";
  const QFile::Permissions kReadOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
  const QFile::Permissions kWriteOnly = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
  const QFile::Permissions kClosedDirectory(0x5055);
  struct FailureCase {
    const char* name;
    bool fileExists;
    QFile::Permissions filePermissions;
    QFile::Permissions directoryPermissions;
    test::ChildSetup setup;
  };
  const FailureCase cases[] = {
      {"unreadable file", true, kWriteOnly, test::kOwnerGroupOther, {std::nullopt, true}},
      {"directory not writable", false, {}, kClosedDirectory, {std::nullopt, true}},
      {"disk full", true, kReadOnly | QFile::WriteOwner, test::kOwnerGroupOther, {4096, false}},
  };
  for (const FailureCase& c : cases) {
    TempBase base;
    const QString path = c.fileExists ? base.write(kFile, before) : base.filePath(kFile);
    if (c.fileExists) {
      ASSERT_TRUE(QFile::setPermissions(path, c.filePermissions)) << c.name;
    }
    ASSERT_TRUE(QFile::setPermissions(base.path(), c.directoryPermissions)) << c.name;

    const test::ChildOutcome outcome = test::runInChild(
        c.setup, [&] { ProfileFile(path).writeString("s", "k", QByteArray(64 * 1024, 'x')); });
    ASSERT_TRUE(outcome.ranToEnd) << c.name;
    EXPECT_EQ(outcome.error, QStringLiteral("Unable to write to ") + path) << c.name;
    ASSERT_TRUE(QFile::setPermissions(base.path(), test::kOwnerGroupOther));
    if (c.fileExists) {
      EXPECT_EQ(base.read(kFile), before) << c.name;
    } else {
      EXPECT_FALSE(QFile::exists(path)) << c.name;
    }
  }
}

TEST(ProfileWriting, MissingFolderIsReported) {
  TempBase base;
  const QString path = base.filePath(QStringLiteral("missing/vorlane.ini"));
  EXPECT_EQ(test::errorOf([&] { ProfileFile(path).writeBool("s", "k", true); }),
            QStringLiteral("Unable to write to ") + path);
}

TEST(ProfileSections, ListedOnceInFileOrder) {
  TempBase base;
  const ProfileFile profile(base.write(QStringLiteral("vorlane.lng"),
                                       "stray=1\r\n"
                                       "[Portugues]\r\n"
                                       "tabDrivers=Drivers\r\n"
                                       "[English] ; second\r\n"
                                       "x=[not a section]\r\n"
                                       "[ PORTUGUES ]\r\n"
                                       "\t[Espa\xC3\xB1ol]\n"
                                       "[unclosed\r\n"));
  EXPECT_EQ(profile.sectionNames(), (QList<QByteArray>{"Portugues", "English", "Espa\xC3\xB1ol"}));
  // Read in one pass, each section with its own values, the duplicate's never.
  QList<QList<std::optional<QByteArray>>> values;
  for (const auto& section : profile.readEachSection({"tabDrivers", "x"})) {
    values.append(section.values);
  }
  using Values = QList<std::optional<QByteArray>>;
  EXPECT_EQ(values,
            (QList<Values>{Values{"Drivers", std::nullopt}, Values{std::nullopt, "[not a section]"},
                           Values{std::nullopt, std::nullopt}}));
}

// Names are the same when their texts match without letter case, one letter at a time, even
// when one file spells them in UTF-8 and another in Windows-1252; the first spelling is listed.
TEST(ProfileSections, DuplicatesMatchWithoutLetterCaseInEitherEncoding) {
  struct Case {
    const char* name;
    QList<QByteArray> sections;
    QList<QByteArray> listed;
  };
  const Case cases[] = {
      {"first spelling wins", {"abc", "ABC", "aBc"}, {"abc"}},
      {"UTF-8 and Windows-1252 accents",
       {"\xC3\x89T\xC3\x89", "\xE9t\xE9", "ete"},
       {"\xC3\x89T\xC3\x89", "ete"}},
      {"Windows-1252 high letters", {"\x8A", "\xC5\xA1", "\x9A"}, {"\x8A"}},
      {"final sigma folds like sigma",
       {"\xCE\xA3\xCE\xA3", "\xCF\x83\xCF\x82"},
       {"\xCE\xA3\xCE\xA3"}},
      {"sharp s is one letter, never two",
       {"STRASSE",
        "stra\xC3\x9F"
        "e",
        "STRA\xE1\xBA\x9E"
        "E"},
       {"STRASSE",
        "stra\xC3\x9F"
        "e"}},
      {"letters beyond the 16-bit range",
       {"\xF0\x90\x90\x80", "\xF0\x90\x90\xA8", "\xF0\x90\x90\x81"},
       {"\xF0\x90\x90\x80", "\xF0\x90\x90\x81"}},
      {"Windows-1252 bytes are no UTF-8",
       {"\xC3\xA9", "\xC3\x89", "\xC3\xA9\xFF"},
       {"\xC3\xA9", "\xC3\xA9\xFF"}},
      // Letters outside ASCII can fold to ASCII ones, so ASCII names need the same compare.
      {"Kelvin sign and long s fold to k and s", {"KS", "\xE2\x84\xAA\xC5\xBF", "ks"}, {"KS"}},
      {"prefix is another name", {"ab", "abc", "AB"}, {"ab", "abc"}},
  };
  for (const Case& c : cases) {
    QByteArray text;
    for (const QByteArray& section : c.sections) {
      text += '[' + section + "]\r\nk=1\r\n";
    }
    TempBase base;
    EXPECT_EQ(ProfileFile(base.write(QStringLiteral("vorlane.lng"), text)).sectionNames(), c.listed)
        << c.name;
  }
}

}  // namespace
}  // namespace vorlane
