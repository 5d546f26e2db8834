#include "core/settings/CaptionTable.h"

#include <array>
#include <optional>

#include "core/settings/WindowTexts.h"
#include "core/text/TextCodec.h"

namespace vorlane {

namespace {

constexpr qsizetype kCaptionKeyWidth = 20;

// Built-in captions in the order they are applied: the window's 31 controls, then the name
// filter's caption and the directory labels.
constexpr std::array<CaptionRow, 35> kCaptionRows{{
    {"tabDrivers", "tabDrivers", "Drivers"},
    {"tabConfiguracao", "tabConfiguracao", "Configurações"},
    {"grpVideo", "grpVideo", "Vídeo"},
    {"lblResolucao", "lblResolucao", "Resolução:"},
    {"lblFrameskip", "lblFrameskip", "Frameskip:"},
    {"grpDiversos", "grpDiversos", "Diversos"},
    {"chkSincronizar", "chkSincronizar", "Sincronizar com o VBL"},
    {"chkModoDebug", "chkModoDebug", "Modo de depuração"},
    {"chkVerificarRoms", "chkVerificarRoms", "Não verificar as ROMs"},
    {"btnAplicar", "btnAplicar", "&Aplicar"},
    {"panDrivers", "panDrivers", "Drivers Encontrados"},
    {"panAmostra", "panAmostra", "Amostra"},
    {"btnExecutar", "btnExecutar", "&Executar"},
    {"btnChecksum", "btnChecksum", "&Checksum"},
    {"btnEditar", "btnEditar", "&Editar Driver"},
    {"btnFechar", "btnFechar", "&Fechar"},
    {"tabSobre", "tabSobre", "Sobre"},
    {"grpDiretorios", "grpDiretorios", "Diretórios"},
    {"lblIdioma", "lblIdioma", "Idioma:"},
    {"chkUsarTroca", "chkUsarTroca", "Utilizar arquivo de troca"},
    {"chkModoPerfil", "chkModoPerfil", "Modo Perfil"},
    {"chkSom", "chkSom", "Habilitar som"},
    {"chkLinhaComando", "chkLinhaComando", "Linha de comando personalizada"},
    {"chkInverterTeclas", "chkInverterTeclas", "Inverter teclas (para jogos de tiro verticais)"},
    {"btnAplicarDIP", "btnAplicar", "&Aplicar"},
    {"chkTestMode", "chkTestMode", "Modo de Teste"},
    {"chkContinueMode", "chkContinueMode", "Permitir continuação"},
    {"chkDemoSounds", "chkDemoSounds", "Sons na demonstração"},
    {"chkVideoFlip", "chkVideoFlip", "Inverter vídeo"},
    {"chkFreezeScreen", "chkFreezeScreen", "Congelar tela"},
    {"chkFreePlay", "chkFreePlay", "Jogar livremente"},
    {"lblFiltro", "lblFiltro", "Filtrar (Ctrl+F):"},
    {"lblRomdir", "lblRomdir", "Roms:"},
    {"lblLogDir", "lblLogDir", "Log:"},
    {"lblDrvDir", "lblDrvDir", "Drv:"},
}};

}  // namespace

std::span<const CaptionRow> captionTable() {
  return kCaptionRows;
}

QByteArray paddedCaptionKey(const char* key) {
  return QByteArray(key).leftJustified(kCaptionKeyWidth, ' ');
}

LanguageTexts languageTexts(const ProfileFile& languageFile, const QByteArray& language) {
  const std::span<const WindowTextRow> windowRows = windowTextTable();
  QList<QByteArray> keys;
  QList<const char*> builtInTexts;
  for (const CaptionRow& row : kCaptionRows) {
    keys.append(paddedCaptionKey(row.key));
    builtInTexts.append(row.builtInCaption);
  }
  for (const WindowTextRow& row : windowRows) {
    keys.append(paddedCaptionKey(row.key));
    builtInTexts.append(row.builtInText);
  }
  const QList<std::optional<QByteArray>> values = languageFile.readStrings(language, keys);
  QStringList texts;
  for (qsizetype i = 0; i < values.size(); ++i) {
    texts.append(decodeText(values[i].value_or(builtInTexts[i])));
  }
  const auto captionCount = static_cast<qsizetype>(kCaptionRows.size());
  return {texts.first(captionCount), texts.sliced(captionCount)};
}

QString withoutAccelerator(const QString& caption) {
  QString spoken;
  spoken.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&') && ++i == caption.size()) {
      break;
    }
    spoken.append(caption[i]);
  }
  return spoken;
}

}  // namespace vorlane
