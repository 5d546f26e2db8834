#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/start/DisplayCheck.h"

namespace vorlane {
namespace {

// A stream socket that listens while it lives, standing in for a display server: on a path, or
// on TCP at this machine's loopback address (port 0: any free port).
class Listener {
 public:
  explicit Listener(const QByteArray& path) : m_descriptor(::socket(AF_UNIX, SOCK_STREAM, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
    listenAt(reinterpret_cast<const sockaddr*>(&address), sizeof(address));
  }
  explicit Listener(int port) : m_descriptor(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(uint16_t(port));
    listenAt(reinterpret_cast<const sockaddr*>(&address), sizeof(address));
  }
  ~Listener() { ::close(m_descriptor); }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;

  int port() const {
    sockaddr_in address{};
    socklen_t length = sizeof(address);
    ::getsockname(m_descriptor, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
  }

 private:
  void listenAt(const sockaddr* address, socklen_t length) {
    ASSERT_EQ(::bind(m_descriptor, address, length), 0) << std::strerror(errno);
    ASSERT_EQ(::listen(m_descriptor, 4), 0) << std::strerror(errno);
  }

  int m_descriptor;
};

// The X display number whose TCP port is `port`.
QString xDisplayAtPort(const QString& host, int port) {
  return host + QStringLiteral(":%1").arg(port - 6000);
}

QStringList commandLine(const QStringList& arguments) {
  return QStringList{QStringLiteral("vorlane")} + arguments;
}

TEST(NoDisplayExit, OnlyWhenNeitherEnvironmentNorArgumentsNameADisplay) {
  const struct {
    const char* variable;  // set to a value no display check can judge; null for none
    QStringList arguments;
    bool ends;
  } cases[] = {
      {nullptr, {}, true},
      {"DISPLAY", {}, false},
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
    const QStringList arguments = commandLine(example.arguments);
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

TEST(NoDisplayExit, WhenNoDisplayNamedAnswers) {
  QTemporaryDir sockets;
  ASSERT_TRUE(sockets.isValid());
  const Listener xServer(QFile::encodeName(sockets.filePath(QStringLiteral("X5"))));
  const Listener waylandServer(QFile::encodeName(sockets.filePath(QStringLiteral("wayland-7"))));
  const Listener tcpXServer(0);
  int freePort = 0;
  {
    const Listener closedAgain(0);
    freePort = closedAgain.port();
  }
  const QString tcpDisplay = xDisplayAtPort(QStringLiteral("localhost"), tcpXServer.port());
  const QString silentDisplay = xDisplayAtPort(QString(), freePort);
  const QString silentTcpDisplay = xDisplayAtPort(QStringLiteral("127.0.0.1"), freePort);
  const QString waylandPath = sockets.filePath(QStringLiteral("wayland-7"));
  const struct {
    QString xDisplay;
    QString waylandDisplay;
    const char* unanswered;  // the display the message names; null when the program goes on
  } cases[] = {
      {QStringLiteral(":5"), {}, nullptr},
      {QStringLiteral(":5.0"), {}, nullptr},
      {QStringLiteral("unix:5"), {}, nullptr},
      {QStringLiteral("unix/:5"), {}, nullptr},
      {tcpDisplay, {}, nullptr},
      // A local display is also looked for on TCP, as X's library does.
      {xDisplayAtPort(QString(), tcpXServer.port()), {}, nullptr},
      {silentDisplay, {}, "X"},
      {silentTcpDisplay, {}, "X"},
      {{}, QStringLiteral("wayland-7"), nullptr},
      {{}, waylandPath, nullptr},
      {{}, QStringLiteral("wayland-8"), "Wayland"},
      {silentDisplay, QStringLiteral("wayland-7"), nullptr},
      {QStringLiteral(":5"), QStringLiteral("wayland-8"), nullptr},
      {silentDisplay, QStringLiteral("wayland-8"), "X"},
  };
  for (const auto& example : cases) {
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), sockets.path());
    environment.insert(QStringLiteral("DISPLAY"), example.xDisplay);
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), example.waylandDisplay);
    const auto exit = noDisplayExit(commandLine({}), environment, sockets.path());
    const std::string name =
        (example.xDisplay + QLatin1Char(' ') + example.waylandDisplay).toStdString();
    ASSERT_EQ(exit.has_value(), example.unanswered != nullptr) << name;
    if (exit) {
      const QString named =
          qstrcmp(example.unanswered, "X") == 0 ? example.xDisplay : example.waylandDisplay;
      EXPECT_EQ(exit->exitCode, 1) << name;
      EXPECT_EQ(exit->text,
                QStringLiteral("vorlane: no display: cannot connect to %1\n").arg(named))
          << name;
    }
  }
  // A platform named leaves the judgement to Qt.
  QProcessEnvironment silent;
  silent.insert(QStringLiteral("DISPLAY"), silentDisplay);
  EXPECT_FALSE(noDisplayExit(commandLine({QStringLiteral("-platform"), QStringLiteral("xcb")}),
                             silent, sockets.path()));
}

}  // namespace
}  // namespace vorlane
