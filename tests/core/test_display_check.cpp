#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include "core/start/DisplayCheck.h"

namespace vorlane {
namespace {

TEST(NoDisplayExit, OnlyWhenNeitherEnvironmentNorArgumentsNameADisplay) {
  const struct {
    const char* variable;  // set to a non-empty value; null for none
    QStringList arguments;
    bool ends;
  } cases[] = {
      {nullptr, {}, true},
      {"DISPLAY", {}, false},
      {"WAYLAND_DISPLAY", {}, false},
      {"QT_QPA_PLATFORM", {}, false},
      {"XDG_SESSION_TYPE", {}, true},
      {nullptr, {QStringLiteral("-platform"), QStringLiteral("offscreen")}, false},
      {nullptr, {QStringLiteral("--platform"), QStringLiteral("offscreen")}, false},
      {nullptr, {QStringLiteral("-display"), QStringLiteral(":1")}, false},
      // Qt reads no value glued on with "=", nor an option that is the last argument.
      {nullptr, {QStringLiteral("-platform=offscreen")}, true},
      {nullptr, {QStringLiteral("-platform")}, true},
  };
  for (const auto& example : cases) {
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("HOME"), QStringLiteral("/home/user"));
    environment.insert(QStringLiteral("DISPLAY"), QString());
    if (example.variable != nullptr) {
      environment.insert(QString::fromLatin1(example.variable), QStringLiteral("x"));
    }
    const QStringList arguments = QStringList{QStringLiteral("vorlane")} + example.arguments;
    const auto exit = noDisplayExit(arguments, environment);
    const std::string name =
        (example.variable ? example.variable : "-") + (" " + arguments.join(u' ').toStdString());
    ASSERT_EQ(exit.has_value(), example.ends) << name;
    if (exit) {
      EXPECT_EQ(exit->exitCode, 1) << name;
      EXPECT_TRUE(exit->text.startsWith(QStringLiteral("vorlane: no display: "))) << name;
      EXPECT_EQ(exit->text.count(QLatin1Char('\n')), 1) << name;
      EXPECT_TRUE(exit->text.endsWith(QLatin1Char('\n'))) << name;
    }
  }
}

}  // namespace
}  // namespace vorlane
