#include "core/settings/CaptionTable.h"

#include <array>
#include <optional>

#include "core/platform/TextCodec.h"

namespace vorlane {

namespace {

constexpr qsizetype kCaptionKeyWidth = 20;

// Built-in captions exactly as the program has always shown them, slips included.
// The last row is the name filter's, which came later: applied after the others.
constexpr std::array<CaptionRow, 32> kCaptionRows{{
    {"tabDrivers", "tabDrivers", "Drivers"},
    {"tabConfiguracao", "tabConfiguracao", "Configurações"},
    {"grpVideo", "grpVideo", "Vídeo"},
    {"lblResolucao", "lblResolucao", "Resolução:"},
    {"lblFrameskip", "lblFrameskip", "Frameskip:"},
    {"grpDiversos", "grpDiversos", "Diversos"},
    {"chkSincronizar", "chkSincronizar", "Sincronizar com o VBL"},
    {"chkModoDebug", "chkModoDebug", "Modo de depuração"},
    {"chkVerificarRoms", "chkVerificarRoms", "Verificar ROMs"},
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
    {"chkModoPerfil", "chkModoPerfil", "Modo Peril"},
    {"chkSom", "chkSom", "Habilitar som"},
    {"chkLinhaComando", "chkLinhaComando", "Linha de comando personalizada"},
    {"chkInverterTeclas", "chkInverterTeclas", "Inverter teclas (para jogos de tiro verticais)"},
    {"btnAplicarDIP", "btnAplicar", "&Aplicar"},
    {"chkTestMode", "chkTestMode", "Modo de Teste"},
    {"chkContinueMode", "chkContinueMode", "Permitir continuação"},
    {"chkDemoSounds", "chkDemoSounds", "Sons na demostração"},
    {"chkVideoFlip", "chkVideoFlip", "Inverter vídeo"},
    {"chkFreezeScreen", "chkFreezeScreen", "Congelar tela"},
    {"chkFreePlay", "chkFreePlay", "Jogar livremente"},
    {"lblFiltro", "lblFiltro", "Filtrar (Ctrl+F):"},
}};

}  // namespace

std::span<const CaptionRow> captionTable() {
  return kCaptionRows;
}

QByteArray paddedCaptionKey(const char* key) {
  return QByteArray(key).leftJustified(kCaptionKeyWidth, ' ');
}

QStringList captionTexts(const ProfileFile& languageFile, const QByteArray& language) {
  QList<QByteArray> keys;
  for (const CaptionRow& row : kCaptionRows) {
    keys.append(paddedCaptionKey(row.key));
  }
  const QList<std::optional<QByteArray>> values = languageFile.readStrings(language, keys);
  QStringList captions;
  for (qsizetype i = 0; i < values.size(); ++i) {
    captions.append(decodeText(values[i].value_or(kCaptionRows[i].builtInCaption)));
  }
  return captions;
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
