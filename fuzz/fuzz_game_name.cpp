// A driver file of arbitrary bytes through the driver scan, which lists it under its game name.
// Input: the file's bytes. The scan must read the file and list it under a clean name: taken
// from the text before the first NUL when a line there begins with the key, otherwise the file
// name. Line-break style and the bytes after a NUL must not change the name.
#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "core/catalogue/DriverScan.h"
#include "core/editor/DriverText.h"

#include "FuzzInput.h"

namespace {

using vorlane::fuzz::check;

const QByteArray kFileName = QByteArrayLiteral("game.drv");
const QByteArray kFoldedKey = QByteArrayLiteral("gamename");

const QTemporaryDir& scratchDirectory() {
  static const QTemporaryDir directory;
  return directory;
}

// The name the scan lists for a driver directory holding one file with these bytes.
QByteArray scannedName(const QByteArray& bytes) {
  QFile file(scratchDirectory().filePath(QString::fromLatin1(kFileName)));
  check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
        "the driver file can be written");
  file.close();
  const vorlane::DriverScanResult scan = vorlane::scanDrivers(scratchDirectory().path(), QString());
  check(scan.drivers.size() == 1, "the scan lists the one file");
  check(scan.firstUnreadablePath.isEmpty(), "a readable file is read");
  return scan.drivers.front().gameName;
}

QByteArray visiblePart(const QByteArray& bytes) {
  const qsizetype nul = bytes.indexOf('\0');
  return nul < 0 ? bytes : bytes.first(nul);
}

// Whether a line begins with the key in any ASCII letter case, whatever its line breaks.
bool hasKeyLine(const QByteArray& text) {
  const QByteArray folded = text.toLower();
  for (qsizetype at = folded.indexOf(kFoldedKey); at >= 0;
       at = folded.indexOf(kFoldedKey, at + 1)) {
    if (at == 0 || folded[at - 1] == '\r' || folded[at - 1] == '\n') {
      return true;
    }
  }
  return false;
}

bool isClean(const QByteArray& name) {
  auto blankOrControl = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  return !name.contains('"') &&
         (name.isEmpty() || (!blankOrControl(name.front()) && !blankOrControl(name.back())));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QByteArray visible = visiblePart(bytes);
  const QByteArray name = scannedName(bytes);

  check(isClean(name), "a listed name has no quotes and no blanks or controls at its ends");
  if (hasKeyLine(visible)) {
    check(QByteArray(visible).replace('"', QByteArray()).contains(name),
          "a name from the file comes from its text before the first NUL");
  } else {
    check(name == kFileName, "a file without the key is listed under its file name");
  }
  check(scannedName(vorlane::withCrLfBreaks(bytes)) == name, "line-break style does not matter");
  if (visible.size() != bytes.size()) {
    check(scannedName(visible) == name, "nothing after a NUL counts");
  }
  return 0;
}
