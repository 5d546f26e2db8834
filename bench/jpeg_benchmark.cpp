// Decoding a large colour preview against libjpeg's own command-line decoder on the same file.
// Prints both times and their ratio; the decoder program may be missing, and is then skipped.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "core/files/FileAccess.h"
#include "core/files/Paths.h"
#include "core/formats/JpegPicture.h"
#include "support/JpegEncoder.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kRuns = 3;

// Smooth gradients with fine noise, so the coded data is as dense as a photograph's.
QByteArray photographLikeSamples() {
  QByteArray samples(qsizetype{kWidth} * kHeight * 3, Qt::Uninitialized);
  std::mt19937 noise(4242);
  char* out = samples.data();
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const int grain = static_cast<int>(noise() % 24);
      *out++ = static_cast<char>((x * 255 / kWidth + grain) & 0xFF);
      *out++ = static_cast<char>((y * 255 / kHeight + grain) & 0xFF);
      *out++ = static_cast<char>(((x + y) % 256 + grain) & 0xFF);
    }
  }
  return samples;
}

double bestMilliseconds(const std::function<void()>& work) {
  double best = 0;
  for (int run = 0; run < kRuns; ++run) {
    const Clock::time_point start = Clock::now();
    work();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    best = run == 0 ? ms : std::min(best, ms);
  }
  return best;
}

}  // namespace

int main() {
  QTemporaryDir directory;
  if (!directory.isValid()) {
    std::fprintf(stderr, "cannot make a temporary directory\n");
    return 1;
  }
  const QString path = vorlane::basePath(directory.path(), QStringLiteral("picture.jpg"));
  vorlane::replaceFileAtomically(
      path,
      vorlane::test::encodeJpeg({.width = kWidth, .height = kHeight}, photographLikeSamples()));

  bool failed = false;
  const double oursMs = bestMilliseconds([&] {
    vorlane::JpegPicture picture = vorlane::JpegPicture::load(path);
    failed = picture.bitmap().isNull() || picture.takeFailure().has_value();
  });
  if (failed) {
    std::fprintf(stderr, "the picture did not decode\n");
    return 1;
  }
  std::printf("jpeg  %dx%d  decode %8.1f ms", kWidth, kHeight, oursMs);

  const QString djpeg = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
  if (djpeg.isEmpty()) {
    std::printf("  djpeg not found (package libjpeg-turbo-progs): comparison skipped\n");
    return 0;
  }
  const QStringList arguments = {QStringLiteral("-outfile"), QStringLiteral("/dev/null"), path};
  const double djpegMs =
      bestMilliseconds([&] { failed = failed || QProcess::execute(djpeg, arguments) != 0; });
  if (failed) {
    std::fprintf(stderr, "\ndjpeg failed\n");
    return 1;
  }
  std::printf("  djpeg to /dev/null %8.1f ms  ratio %.2f\n", djpegMs, oursMs / djpegMs);
  return 0;
}
