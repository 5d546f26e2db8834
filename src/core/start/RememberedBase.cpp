#include "core/start/RememberedBase.h"

#include <utility>

#include "core/files/FileSystem.h"
#include "core/files/Paths.h"
#include "core/settings/EmulatorConfig.h"
#include "core/text/NativeText.h"

namespace vorlane {
namespace {

constexpr char kGeneralSection[] = "General";
constexpr char kBaseDirectoryKey[] = "BaseDirectory";

}  // namespace

RememberedBase::RememberedBase(QString settingsPath) : m_file(std::move(settingsPath)) {}

QString RememberedBase::directory() const {
  return decodeNative(m_file.read().value(kGeneralSection, kBaseDirectoryKey).value_or(""));
}

QString RememberedBase::usableDirectory() const {
  const QString remembered = directory();
  return !remembered.isEmpty() && holdsEmulatorConfig(remembered) ? remembered : QString();
}

void RememberedBase::remember(const QString& directory) const {
  RememberedValues values = m_file.read();
  values.set(kGeneralSection, kBaseDirectoryKey, encodeNative(directory));
  m_file.write(values);
}

bool holdsEmulatorConfig(const QString& directory) {
  return isRegularFile(basePath(directory, kEmulatorConfigFileName));
}

}  // namespace vorlane
