#include "core/settings/WindowTexts.h"

#include <array>

namespace vorlane {
namespace {

constexpr std::array<WindowTextRow, 53> kWindowTextRows{{
    {WindowText::MissingArchive, "lstDriversDica", "Arquivo de ROM não encontrado: %1"},
    {WindowText::WithoutArchive, "panTotalSemRom", "%1, %2 sem arquivo de ROM"},
    {WindowText::OneDriver, "panTotalUm", "1 driver"},
    {WindowText::DriverCount, "panTotalVarios", "%1 drivers"},
    {WindowText::ShownOfDrivers, "panTotalFiltrado", "%1 exibidos de %2"},
    {WindowText::OutputTitle, "FrmSaida", "Saída de %1 — %2"},
    {WindowText::ProgramRunning, "lblEstadoExecutando", "%1 está em execução."},
    {WindowText::ProgramEnded, "lblEstadoTerminado", "%1 terminou."},
    {WindowText::ProgramEndedWith, "lblEstadoFimCom", "%1 terminou com %2."},
    {WindowText::ExitCode, "txtCodigoSaida", "código de saída %1"},
    {WindowText::Signal, "txtSinal", "sinal %1 (%2)"},
    {WindowText::EndedAtOnce, "msgFimImediato",
     "%1 terminou logo ao iniciar, com %2. O que escreveu por último:"},
    {WindowText::EndedAtOnceSilently, "msgFimImediatoMudo",
     "%1 terminou logo ao iniciar, com %2, sem escrever nada."},
    {WindowText::WholeLog, "msgLogCompleto", "Tudo está em %1"},
    {WindowText::OutputSkipped, "txtSaidaPulada", "[... %1 bytes pulados; estão no log ...]"},
    {WindowText::AboutText, "Memo1",
     "O Vorlane é um lançador para o emulador de arcade Tessik.\\n\\n"
     "Obrigado a todos que mantêm vivos os velhos jogos de arcade:\\n"
     "quem escreve e testa os drivers de jogos do emulador,\\n"
     "os colecionadores que preservam as placas e seus manuais,\\n"
     "e os jogadores que contam o que ainda não funciona.\\n\\n"
     "Escolha um jogo na página %1, ajuste o vídeo e outras\\n"
     "opções na página %2 e as chaves dos jogos\\n"
     "na página DIP, e então pressione %3.\\n\\n"
     "Imagens decodificadas com a biblioteca do Independent JPEG Group.\\n"
     "Janelas feitas com Qt.\\n"
     "Software livre: compartilhe, estude, melhore."},
    {WindowText::CannotStart, "msgNaoIniciou", "Não é possível iniciar %1: %2"},
    {WindowText::NeedsWine, "msgPrecisaWine",
     "Não é possível iniciar %1: é um programa do Windows, que precisa do wine no PATH"},
    {WindowText::StartNotReported, "msgInicioSemNoticia",
     "Não se sabe se %1 iniciou: o processo que o inicia não deu notícia a tempo (pode ter sido "
     "parado); ele ainda pode iniciar"},
    {WindowText::LogKeptAside, "msgLogAoLado",
     "A saída está em %1, pois %2 não pode ser substituído: %3"},
    {WindowText::PreviousLogInTheWay, "msgLogAnterior",
     "A saída está em %1, pois o log anterior não pode ser movido para %2: %3"},
    {WindowText::NotInWindows1252, "msgForaWindows1252",
     "Não é possível salvar o caractere \"%1\" (U+%2): este arquivo de driver está em "
     "Windows-1252, que não tem esse caractere; o arquivo ficou como estava"},
    {WindowText::EditorSaveTip, "tbtnSalvar", "Salvar"},
    {WindowText::EditorCloseTip, "tbtnFechar", "Fechar"},
    {WindowText::EditorNotLoaded, "txtNaoCarregado", "%1 (não pôde ser carregado)"},
    {WindowText::SaveChangesQuestion, "msgSalvarAlteracoes",
     "Salvar as alterações em %1 antes de fechar?"},
    {WindowText::SaveButton, "btnSalvar", "&Salvar"},
    {WindowText::DiscardButton, "btnDescartar", "&Descartar"},
    {WindowText::CancelButton, "btnCancelar", "Cancelar"},
    {WindowText::ChooserTitle, "FrmDiretorio",
     "Vorlane: escolha o diretório do emulador Tessik (o que contém o tessik.ini)"},
    {WindowText::ChooserLookIn, "lblProcurarEm", "Procurar em:"},
    {WindowText::ChooserName, "lblDiretorioEmulador", "Diretório do emulador:"},
    {WindowText::ChooserType, "lblTipo", "Tipo:"},
    {WindowText::ChooserAccept, "btnEscolher", "&Escolher"},
    {WindowText::ChooserDirectories, "txtDiretorios", "Diretórios"},
    {WindowText::NoEmulatorConfig, "msgSemTessikIni",
     "O diretório %1 não contém o tessik.ini: escolha o diretório do próprio emulador Tessik."},
    {WindowText::CannotOpenFolder, "msgDirInacessivel", "Não é possível abrir o diretório %1"},
    {WindowText::FolderNotFound, "msgPastaAusente", "Pasta não encontrada: %1"},
    {WindowText::ProgramNotFound, "msgProgramaAusente", "Programa não encontrado: %1"},
    {WindowText::ProgramCannotRun, "msgProgramaNaoExec", "O programa não pode ser executado: %1"},
    {WindowText::PagesName, "PageControl1Nome", "Páginas"},
    {WindowText::DriverListName, "lstDriversNome", "Drivers"},
    {WindowText::PreviewName, "panImagemNome", "Amostra"},
    {WindowText::PreviewPictureName, "imgAmostraNome", "Imagem da amostra"},
    {WindowText::CommandLineName, "edtLinhaComandoNome", "Linha de comando"},
    {WindowText::AboutName, "Memo1Nome", "Sobre o Vorlane"},
    {WindowText::SectionsName, "cboSecoesNome", "Seções"},
    {WindowText::DriverTextName, "MemoEditorNome", "Texto do driver"},
    {WindowText::FollowedByPolling, "panTotalSondagem",
     "As mudanças nas pastas são vistas olhando-as de novo a cada poucos segundos."},
    {WindowText::OrderByGameName, "mnuOrdemNomeJogo", "Ordenar pelo nome do jogo"},
    {WindowText::OrderByFileName, "mnuOrdemArquivo", "Ordenar pelo nome do arquivo do driver"},
    {WindowText::OnlyWithRomArchive, "mnuSoComRom", "Só jogos com arquivo de ROM"},
    {WindowText::KeepPictureShape, "mnuManterForma", "Manter a forma da imagem"},
}};

QStringList& appliedTexts() {
  static QStringList texts = [] {
    QStringList builtIn;
    for (const WindowTextRow& row : kWindowTextRows) {
      builtIn.append(QString::fromUtf8(row.builtInText));
    }
    return builtIn;
  }();
  return texts;
}

}  // namespace

std::span<const WindowTextRow> windowTextTable() {
  return kWindowTextRows;
}

QString windowText(WindowText text) {
  return appliedTexts().value(static_cast<qsizetype>(text));
}

void useWindowTexts(const QStringList& texts) {
  Q_ASSERT(texts.size() == static_cast<qsizetype>(kWindowTextRows.size()));
  appliedTexts() = texts;
}

}  // namespace vorlane
