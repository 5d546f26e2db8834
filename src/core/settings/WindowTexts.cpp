#include "core/settings/WindowTexts.h"

#include <array>

namespace vorlane {
namespace {

constexpr std::array<WindowTextRow, 16> kWindowTextRows{{
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
    {WindowText::FollowedByPolling, "panTotalSondagem",
     "As mudanças nas pastas são vistas olhando-as de novo a cada poucos segundos."},
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
