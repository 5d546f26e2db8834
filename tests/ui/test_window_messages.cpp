#include <cerrno>

#include <gtest/gtest.h>

#include "core/process/ProcessMessages.h"
#include "core/settings/ProfileFile.h"
#include "support/AppliedLanguage.h"
#include "support/TempBase.h"
#include "ui/WindowMessages.h"

namespace vorlane {
namespace {

using test::TempBase;

// The messages that the window builds take the applied language's texts; what is filled in is
// never read as a placeholder itself.
TEST(WindowTexts, MessagesTakeTheAppliedLanguage) {
  TempBase base;
  const ProfileFile languages(base.write(QStringLiteral("vorlane.lng"),
                                         "[English]\r\n"
                                         "FrmSaida=Output of %1 \xE2\x80\x94 %2\r\n"
                                         "lblEstadoTerminado=%1 has ended.\r\n"
                                         "lblEstadoFimCom=%1 has ended with %2.\r\n"
                                         "txtCodigoSaida=exit code %1\r\n"
                                         "msgFimImediato=%1 ended at once, %2:\r\n"
                                         "msgLogCompleto=See %1\r\n"
                                         "Memo1=On %1\\nor %2, press %3\r\n"));
  EXPECT_EQ(messages::programEnded(QStringLiteral("tool"), ProgramEnd::exited(2)),
            QStringLiteral(u"tool terminou com c\u00f3digo de sa\u00edda 2."));
  EXPECT_EQ(
      messages::cannotStart(QStringLiteral("/x/tessik.exe"), EACCES),
      QStringLiteral(u"N\u00e3o \u00e9 poss\u00edvel iniciar /x/tessik.exe: Permission denied"));

  const test::AppliedLanguage english("english", languages.path());
  EXPECT_EQ(messages::programOutputTitle(QStringLiteral("a%2"), QStringLiteral("%1b")),
            QStringLiteral(u"Output of a%2 \u2014 %1b"));
  EXPECT_EQ(messages::programEnded(QStringLiteral("tool"), ProgramEnd()),
            QStringLiteral("tool has ended."));
  EXPECT_EQ(messages::programEnded(QStringLiteral("tool"), ProgramEnd::exited(2)),
            QStringLiteral("tool has ended with exit code 2."));
  EXPECT_EQ(messages::programEndedAtOnce(QStringLiteral("emu%1"), ProgramEnd::exited(3),
                                         QStringLiteral("x\ny"), QStringLiteral("/logs/e.log")),
            QStringLiteral("emu%1 ended at once, exit code 3:\n\nx\ny\n\nSee /logs/e.log"));
  EXPECT_EQ(messages::aboutText(QStringLiteral("a%2"), QStringLiteral("b"), QStringLiteral("c")),
            QStringLiteral("On a%2\nor b, press c"));
  // The signal's phrase is a text the section lacks: built in, inside the section's line.
  EXPECT_EQ(messages::programEnded(QStringLiteral("tool"), ProgramEnd::killed(9)),
            QStringLiteral("tool has ended with sinal 9 (Killed)."));
  // A text the section lacks stays built in.
  EXPECT_EQ(messages::programRunning(QStringLiteral("tool")),
            QStringLiteral(u"tool est\u00e1 em execu\u00e7\u00e3o."));
}

}  // namespace
}  // namespace vorlane
