#pragma once

#include <QByteArray>
#include <QLatin1String>

#include "core/settings/ProfileFile.h"

// The front-end's own settings file and the language file, and every key of the settings file
// with its section, type and default.
namespace vorlane {

inline constexpr QLatin1String kFrontEndSettingsFileName("vorlane.ini");
inline constexpr QLatin1String kLanguageFileName("vorlane.lng");

inline constexpr char kConfigurationSection[] = "Configuracao";
inline constexpr char kGeneralSection[] = "General";

struct TextSetting {
  const char* section;
  const char* key;
  const char* defaultValue;
};

struct IntegerSetting {
  const char* section;
  const char* key;
  int defaultValue;
};

struct BoolSetting {
  const char* section;
  const char* key;
  bool defaultValue;
};

inline constexpr TextSetting kLanguageSetting{kConfigurationSection, "Idioma", "Portugues"};
inline constexpr TextSetting kCustomLineSetting{kConfigurationSection, "LinhaComando", ""};

// The custom-line flag is one key in two spellings, since key names ignore letter case: read as
// "UtilizaLinhaComando" into the field's enabled state, read as "UtilizaLInhaComando" into the
// check box, and written only as "UtilizaLInhaComando".
inline constexpr BoolSetting kCustomLineFieldEnabled{kConfigurationSection, "UtilizaLinhaComando",
                                                     false};
inline constexpr BoolSetting kCustomLineFlag{kConfigurationSection, "UtilizaLInhaComando", false};

// Selected indexes of the resolution and frame-skip lists; -1 stores no selection.
inline constexpr IntegerSetting kResolutionSetting{kGeneralSection, "Resolucao", 3};
inline constexpr IntegerSetting kFrameskipSetting{kGeneralSection, "Frameskip", 4};

// The stored option boxes of the configuration page.
inline constexpr BoolSetting kSyncSetting{kGeneralSection, "SincronizarVbl", false};
inline constexpr BoolSetting kDebugModeSetting{kGeneralSection, "ModoDebug", false};
inline constexpr BoolSetting kCheckRomsSetting{kGeneralSection, "VerificarRoms", false};
inline constexpr BoolSetting kSwapSetting{kGeneralSection, "UsarTroca", false};
inline constexpr BoolSetting kProfileModeSetting{kGeneralSection, "ModoPerfil", false};
inline constexpr BoolSetting kSoundSetting{kGeneralSection, "Som", false};

QByteArray readSetting(const ProfileFile& file, const TextSetting& setting);
int readSetting(const ProfileFile& file, const IntegerSetting& setting);
bool readSetting(const ProfileFile& file, const BoolSetting& setting);

// Each throws Error "Unable to write to %s" when the file cannot be written.
void writeSetting(const ProfileFile& file, const TextSetting& setting, const QByteArray& value);
void writeSetting(const ProfileFile& file, const IntegerSetting& setting, int value);
void writeSetting(const ProfileFile& file, const BoolSetting& setting, bool value);

}  // namespace vorlane
