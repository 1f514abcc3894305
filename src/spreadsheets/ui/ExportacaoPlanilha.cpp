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
#include "util/Literais.h"

namespace korva::ui {

namespace {

std::function<QString(const QString&)>& EscolhaTeste() {
    static std::function<QString(const QString&)> escolha;
    return escolha;
}

// The busy cursor for the time of the export.
struct Ocupado {
    Ocupado() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Ocupado() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

QPushButton* NovoBotaoExportarPlanilha(QWidget* pai) {
    auto* b = new QPushButton(QStringLiteral("Exportar &Planilha..."), pai);
    b->setObjectName("BtExportarPlanilha");
    b->setToolTip(QStringLiteral("Grava o cálculo mês a mês, o resumo, o INSS e o IR numa planilha (.xlsx)"));
    b->setAutoDefault(false);
    return b;
}

QString NomePlanilhaProposto(const ParametrosExecucao& p) {
    QString nome = QStringLiteral("Processo %1 Grupo %2.xlsx")
                       .arg(QString::fromStdString(p.processo).trimmed(),
                            QString::fromStdString(Literais::ZerosEsquerdaInt(p.codRecte, 3)));
    for (const QChar c : QStringLiteral("/\\:*?\"<>|")) nome.replace(c, QLatin1Char('-'));
    return nome;
}

void DefineArquivoPlanilhaTeste(std::function<QString(const QString&)> escolha) {
    EscolhaTeste() = std::move(escolha);
}

bool ExportaPlanilhaDoCalculo(QWidget* janela, Sessao& sessao, const ParametrosExecucao& p) {
    const QString proposto = NomePlanilhaProposto(p);
    QString arquivo;
    if (EscolhaTeste()) {
        arquivo = EscolhaTeste()(proposto);
    } else {
        arquivo = QFileDialog::getSaveFileName(janela, QStringLiteral("Exportar Planilha"),
                                               QDir::home().filePath(proposto),
                                               QStringLiteral("Planilhas do Excel (*.xlsx)"));
    }
    if (arquivo.isEmpty()) return false;
    if (!arquivo.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive)) arquivo += QStringLiteral(".xlsx");
    ExportacaoCalculo r;
    const bool ok = Protegido(janela, [&] {
        Ocupado cursor;
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

}  // namespace korva::ui
