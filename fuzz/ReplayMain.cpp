// Replays saved inputs through a fuzz target's checks without libFuzzer, so the corpus kept in
// the repository runs in every test build. Usage: NAME_replay FILE_OR_DIRECTORY...; the files of
// a directory run in name order. A broken property aborts, and the last input named is the one
// that broke it.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

QStringList inputFiles(const QStringList& arguments) {
  QStringList files;
  for (const QString& argument : arguments) {
    if (!QFileInfo(argument).isDir()) {
      files.append(argument);
      continue;
    }
    const QDir directory(argument);
    for (const QString& name : directory.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
      files.append(directory.filePath(name));
    }
  }
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) {
    arguments.append(QFile::decodeName(argv[i]));
  }
  const QStringList files = inputFiles(arguments);
  // An empty corpus would pass without checking anything.
  if (files.isEmpty()) {
    std::fprintf(stderr, "no inputs to replay\n");
    return 1;
  }
  for (const QString& path : files) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
      return 1;
    }
    const QByteArray input = file.readAll();
    std::printf("%s (%lld bytes)\n", qPrintable(path), static_cast<long long>(input.size()));
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.constData()),
                           static_cast<size_t>(input.size()));
  }
  std::printf("%lld inputs replayed\n", static_cast<long long>(files.size()));
  return 0;
}
