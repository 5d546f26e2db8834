#include <memory>

#include <QMessageBox>

#include <gtest/gtest.h>

#include "support/TempBase.h"
#include "ui/common/MessageBoxes.h"

namespace vorlane::test {
namespace {

TEST(ErrorBoxText, AddsAFullStopOnlyAfterCharactersAboveTheFullStop) {
  const struct {
    const char* message;
    const char* shown;
  } cases[] = {
      {"Cannot open file /a/tessik.ini", "Cannot open file /a/tessik.ini."},
      {"JPEG error #53", "JPEG error #53."},
      {"Done.", "Done."},
      {"Really!", "Really!"},
      {"(quoted)", "(quoted)"},
      {"ends in a slash/", "ends in a slash/."},
      {"ends in a dash -", "ends in a dash -"},
      {"", ""},
  };
  for (const auto& example : cases) {
    EXPECT_EQ(errorBoxText(text(example.message)), text(example.shown));
  }
}

TEST(ErrorBox, HasTheTitleTheCriticalIconAndOneOkButton) {
  std::unique_ptr<QMessageBox> box(createErrorBox(QStringLiteral("Cannot open file /x/y")));
  box->setAttribute(Qt::WA_DeleteOnClose, false);
  EXPECT_EQ(box->windowTitle(), text("Vorlane - Tessik Frontend"));
  EXPECT_EQ(box->text(), text("Cannot open file /x/y."));
  EXPECT_EQ(box->icon(), QMessageBox::Critical);
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
}

}  // namespace
}  // namespace vorlane::test
