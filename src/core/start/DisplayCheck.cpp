#include "core/start/DisplayCheck.h"

#include <netdb.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

#include <QRegularExpression>

#include "core/start/ProgramInfo.h"
#include "core/text/NativeText.h"

namespace vorlane {
namespace {

// X servers listen on TCP at this port plus the display's number.
constexpr int kXTcpPortBase = 6000;

// Qt reads its options with one dash or two, each followed by its value as the next argument.
bool namesPlatformOrDisplay(const QStringList& arguments) {
  for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
    QString option = arguments[i];
    if (option.startsWith(QLatin1String("--"))) {
      option.remove(0, 1);
    }
    if (option == QLatin1String("-platform") || option == QLatin1String("-display")) {
      return true;
    }
  }
  return false;
}

// A display server answers when a stream socket connects to it; nothing is sent.
bool connects(int family, const sockaddr* address, socklen_t length) {
  const int descriptor = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (descriptor < 0) {
    return false;
  }
  int result = 0;
  do {
    result = ::connect(descriptor, address, length);
  } while (result != 0 && errno == EINTR);
  ::close(descriptor);
  return result == 0;
}

// In the abstract namespace the name has no file: it begins with a NUL byte and is not ended.
bool localSocketAnswers(const QByteArray& path, bool abstract) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::size_t start = abstract ? 1 : 0;
  if (start + std::size_t(path.size()) >= sizeof(address.sun_path)) {
    return false;
  }
  std::memcpy(address.sun_path + start, path.constData(), std::size_t(path.size()));
  const std::size_t length =
      offsetof(sockaddr_un, sun_path) + start + std::size_t(path.size()) + (abstract ? 0 : 1);
  return connects(AF_UNIX, reinterpret_cast<const sockaddr*>(&address), socklen_t(length));
}

bool tcpAnswers(const QByteArray& host, int port) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.constData(), QByteArray::number(port).constData(), &hints, &found) != 0) {
    return false;
  }
  bool answers = false;
  for (const addrinfo* candidate = found; candidate != nullptr && !answers;
       candidate = candidate->ai_next) {
    answers = connects(candidate->ai_family, candidate->ai_addr, candidate->ai_addrlen);
  }
  ::freeaddrinfo(found);
  return answers;
}

// DISPLAY is "[protocol/][host]:number[.screen]", an IPv6 host in brackets. A local display is
// tried as X's own library does: its socket in the abstract namespace, its file, then TCP on
// this machine. A form not read here counts as answering: Qt will say.
bool xDisplayAnswers(const QString& display, const QString& socketDirectory) {
  static const QRegularExpression form(QStringLiteral(
      R"(^(?:(tcp|inet|inet6|unix|local)/)?(\[[0-9A-Fa-f:.]+\]|[^:/\[\]]*):(\d{1,5})(?:\.\d+)?$)"));
  const QRegularExpressionMatch parts = form.match(display);
  if (!parts.hasMatch()) {
    return true;
  }
  const QString protocol = parts.captured(1);
  QString host = parts.captured(2);
  const int number = parts.captured(3).toInt();
  const int port = kXTcpPortBase + number;
  const bool local = protocol == QLatin1String("unix") || protocol == QLatin1String("local") ||
                     (protocol.isEmpty() && (host.isEmpty() || host == QLatin1String("unix")));
  if (!local) {
    if (host.startsWith(QLatin1Char('['))) {
      host = host.mid(1, host.size() - 2);
    }
    return tcpAnswers(host.isEmpty() ? QByteArrayLiteral("localhost") : host.toUtf8(), port);
  }
  const QByteArray path = encodeNative(socketDirectory + QStringLiteral("/X%1").arg(number));
  return localSocketAnswers(path, true) || localSocketAnswers(path, false) ||
         (protocol.isEmpty() && tcpAnswers(QByteArrayLiteral("localhost"), port));
}

// WAYLAND_DISPLAY names a socket in XDG_RUNTIME_DIR, or is the socket's whole path.
bool waylandDisplayAnswers(const QString& display, const QProcessEnvironment& environment) {
  QString path = display;
  if (!path.startsWith(QLatin1Char('/'))) {
    const QString runtimeDirectory = environment.value(QStringLiteral("XDG_RUNTIME_DIR"));
    if (runtimeDirectory.isEmpty()) {
      return false;
    }
    path = runtimeDirectory + QLatin1Char('/') + display;
  }
  return localSocketAnswers(encodeNative(path), false);
}

EarlyExit noDisplay(const QString& reason) {
  return {kNoDisplayExitCode,
          QStringLiteral("%1: no display: %2\n").arg(QString::fromLatin1(kProgramName), reason)};
}

}  // namespace

std::optional<EarlyExit> noDisplayExit(const QStringList& arguments,
                                       const QProcessEnvironment& environment,
                                       const QString& xSocketDirectory) {
  if (!environment.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty() ||
      namesPlatformOrDisplay(arguments)) {
    return std::nullopt;
  }
  const QString xDisplay = environment.value(QStringLiteral("DISPLAY"));
  const QString waylandDisplay = environment.value(QStringLiteral("WAYLAND_DISPLAY"));
  if (xDisplay.isEmpty() && waylandDisplay.isEmpty()) {
    return noDisplay(
        QStringLiteral("set DISPLAY or WAYLAND_DISPLAY, or name a Qt platform with -platform or "
                       "QT_QPA_PLATFORM."));
  }
  if ((!waylandDisplay.isEmpty() && waylandDisplayAnswers(waylandDisplay, environment)) ||
      (!xDisplay.isEmpty() && xDisplayAnswers(xDisplay, xSocketDirectory))) {
    return std::nullopt;
  }
  return noDisplay(
      QStringLiteral("cannot connect to %1").arg(xDisplay.isEmpty() ? waylandDisplay : xDisplay));
}

}  // namespace vorlane
