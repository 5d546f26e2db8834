#include "core/settings/FrontEndSettings.h"

namespace vorlane {

QByteArray readSetting(const ProfileFile& file, const TextSetting& setting) {
  return file.readString(setting.section, setting.key, setting.defaultValue);
}

int readSetting(const ProfileFile& file, const IntegerSetting& setting) {
  return file.readInteger(setting.section, setting.key, setting.defaultValue);
}

bool readSetting(const ProfileFile& file, const BoolSetting& setting) {
  return file.readBool(setting.section, setting.key, setting.defaultValue);
}

void writeSetting(const ProfileFile& file, const TextSetting& setting, const QByteArray& value) {
  file.writeString(setting.section, setting.key, value);
}

void writeSetting(const ProfileFile& file, const IntegerSetting& setting, int value) {
  file.writeInteger(setting.section, setting.key, value);
}

void writeSetting(const ProfileFile& file, const BoolSetting& setting, bool value) {
  file.writeBool(setting.section, setting.key, value);
}

}  // namespace vorlane
