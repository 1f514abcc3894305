#include "spreadsheets/ui/ExportacaoPlanilha.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>

#include <filesystem>

#include "app/Sessao.h"
#include "app/ui/Mensagens.h"
#include "app/ui/TratamentoErros.h"
#include "reference/TabelasReferencia.h"
#include "results/CorrecaoJuros.h"
#include "results/ExecucaoCalculo.h"
#include "spreadsheets/PlanilhaCalculo.h"
#include "spreadsheets/PlanilhaProrrata.h"
#include "app/ui/CursorOcupado.h"
#include "util/Literais.h"

namespace korva::ui {

namespace {

std::function<QString(const QString&)>& EscolhaTeste() {
    static std::function<QString(const QString&)> escolha;
    return escolha;
}

// The file the user chooses, ".xlsx" added when typed without it; empty
// when the user gives up.
QString EscolheArquivo(QWidget* janela, const QString& proposto) {
    QString arquivo;
    if (EscolhaTeste()) {
        arquivo = EscolhaTeste()(proposto);
    } else {
        arquivo = QFileDialog::getSaveFileName(janela, QStringLiteral("Exportar Planilha"),
                                               QDir::home().filePath(proposto),
                                               QStringLiteral("Planilhas do Excel (*.xlsx)"));
    }
    if (!arquivo.isEmpty() && !arquivo.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
        arquivo += QStringLiteral(".xlsx");
    return arquivo;
}

QString SemSeparadores(QString nome) {
    for (const QChar c : QStringLiteral("/\\:*?\"<>|")) nome.replace(c, QLatin1Char('-'));
    return nome;
}

}  // namespace

QPushButton* NovoBotaoExportarPlanilha(QWidget* pai) {
    auto* b = new QPushButton(QStringLiteral("Exportar &Planilha..."), pai);
    b->setObjectName("BtExportarPlanilha");
    b->setToolTip(QStringLiteral("Grava o cálculo mês a mês, o resumo, o INSS e o IR numa planilha (.xlsx)"));
    b->setAutoDefault(false);
    return b;
}

QString NomePlanilhaProposto(const ParametrosExecucao& p) {
    return SemSeparadores(QStringLiteral("Processo %1 Grupo %2.xlsx")
                              .arg(QString::fromStdString(p.processo).trimmed(),
                                   QString::fromStdString(Literais::ZerosEsquerdaInt(p.codRecte, 3))));
}

void DefineArquivoPlanilhaTeste(std::function<QString(const QString&)> escolha) {
    EscolhaTeste() = std::move(escolha);
}

bool ExportaPlanilhaDoCalculo(QWidget* janela, Sessao& sessao, const ParametrosExecucao& p) {
    const QString arquivo = EscolheArquivo(janela, NomePlanilhaProposto(p));
    if (arquivo.isEmpty()) return false;
    ExportacaoCalculo r;
    const bool ok = Protegido(janela, [&] {
        const CursorOcupado cursor;
        TabelasReferencia referencia(sessao.compartilhado());
        CorrecaoJuros correcao(sessao.privado(), referencia);
        r = ExportaPlanilhaCalculo(sessao.privado(), referencia, correcao, p,
                                   std::filesystem::path(arquivo.toStdString()));
    });
    if (!ok) return false;
    QString texto = QString::fromStdString(MsgPlanilhaGravada(QDir::toNativeSeparators(arquivo).toStdString(), r.linhas));
    for (const auto& a : r.avisos) texto += QStringLiteral("\n") + QString::fromStdString(a);
    MostraInformacao(texto, janela);
    return true;
}

bool ExportaPlanilhaDeProrrata(QWidget* janela, Sessao& sessao, int codigo, const std::string& processo,
                               int codRecte) {
    const QString proposto = SemSeparadores(QStringLiteral("Prorrata %1 Grupo %2.xlsx")
                                                .arg(QString::fromStdString(processo).trimmed(),
                                                     QString::fromStdString(Literais::ZerosEsquerdaInt(codRecte, 3))));
    const QString arquivo = EscolheArquivo(janela, proposto);
    if (arquivo.isEmpty()) return false;
    ExportacaoProrrata r;
    const bool ok = Protegido(janela, [&] {
        const CursorOcupado cursor;
        r = ExportaPlanilhaProrrata(sessao, codigo, std::filesystem::path(arquivo.toStdString()));
    });
    if (!ok) return false;
    MostraInformacao(QStringLiteral("Planilha gravada em %1 (%2 linha(s)).")
                         .arg(QDir::toNativeSeparators(arquivo))
                         .arg(r.linhas),
                     janela);
    return true;
}

}  // namespace korva::ui
