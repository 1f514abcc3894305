// Every report of the print dialog and the catalogue, laid out with the
// measurer the PDF, the printer and the preview use, over the sample
// calculations: no text runs past its box (a clipped heading such as
// "Mes/Anc" or a cut description), and nothing leaves the sheet.
#include <QTest>

#include <map>

#include "storage/Excecoes.h"  // before JanelasTeste.h, which needs ApresentacaoErros
#include "apoio/JanelasTeste.h"
#include "app/ui/AplicacaoKorva.h"
#include "parameters/CalculaDtBase.h"
#include "parameters/CalculoMensal.h"
#include "parameters/Geracao.h"
#include "reports/ProducaoRelatorios.h"
#include "reports/RelatorioCatalogo.h"
#include "reports/render/MedidorQt.h"
#include "results/CorrecaoJuros.h"
#include "storage/Banco.h"

using namespace korva;

namespace {

// Keeps every laid-out report.
struct Coleta : DestinoRelatorio {
    MedidorQt medidor_;
    std::map<OpcaoImpressao, Documento> documentos;
    const Medidor& medidor() const override { return medidor_; }
    void entrega(const Documento& d, const std::string&, OpcaoImpressao opcao) override { documentos[opcao] = d; }
};

// The texts wider than their boxes, once each ("'text' (w > box mm)"), and what leaves the sheet.
QStringList Transbordos(const Documento& d, const Medidor& m) {
    QStringList r;
    constexpr double folga = 0.05;  // mm
    for (const Pagina& p : d.paginas) {
        for (const Elemento& e : p.elementos) {
            const double fim = e.x + (e.tipo == Elemento::Tipo::LinhaV ? 0 : e.largura);
            if (e.x < -folga || fim > d.largura + folga || e.y < -folga || e.y + e.altura > d.altura + folga)
                r << QStringLiteral("pág. %1: fora da folha: '%2'").arg(p.numero).arg(QString::fromStdString(e.texto));
            if (e.tipo != Elemento::Tipo::Texto || e.texto.empty()) continue;
            const double w = m.largura(e.texto, e.fonte);
            if (w > e.largura + folga)
                r << QStringLiteral("'%1' (%2 > %3 mm)")
                         .arg(QString::fromStdString(e.texto))
                         .arg(w, 0, 'f', 2)
                         .arg(e.largura, 0, 'f', 2);
        }
    }
    r.removeDuplicates();
    return r;
}

const char* Nome(OpcaoImpressao o) {
    switch (o) {
        case OpcaoImpressao::Parametros: return "parâmetros";
        case OpcaoImpressao::Detalhado: return "detalhado";
        case OpcaoImpressao::Resumido: return "resumido";
        case OpcaoImpressao::ResumoProcesso: return "resumo do processo";
        case OpcaoImpressao::Verbas: return "verbas calculadas";
        case OpcaoImpressao::INSS: return "INSS";
        case OpcaoImpressao::Remessa: return "remessa";
    }
    return "";
}

}  // namespace

class TextosCabemNosRelatoriosTest : public QObject {
    Q_OBJECT

    void confere(const char* exemplo) {
        teste::InstalacaoTeste inst;
        const CalculoAberto c = inst.importa(exemplo);
        Sessao& s = *inst.sessao;
        s.configuracoes().tribunal = "Tribunal Regional do Trabalho da 2ª Região";
        s.configuracoes().setor = "Seção de Cálculos Judiciais";
        s.configuracoes().municipio = "São Paulo";
        TabelasReferencia referencia(s.compartilhado());
        CorrecaoJuros correcao(s.privado(), referencia);
        {
            CalculoDtBase dtBase(referencia, c.mensal.dtBasePadrao);
            Geracao(s.privado(), c.tabela('A'), c.tabela('B'), dtBase).Gera();
            CalculoMensal(s.privado(), referencia, c.tabela('B'), c.tabela('I'), c.mensal,
                          [&](int cod, Data de, Data ate) { return correcao.FatorIndiceDiario(cod, de, ate); })
                .Calcula();
        }
        const auto temp = AbreBancoTemp(s.ambiente());
        Coleta coleta;
        ProducaoRelatorios gerador(s.privado(), *temp, referencia, correcao, s.configuracoes(), coleta);
        ContextoImpressao ci = ContextoImpressaoDe(s.privado(), *temp, referencia, s.configuracoes());
        ci.lembrete = [] { return true; };
        ci.aviso = [](const std::string&) {};
        // The detailed report first: the lawsuit summary reads the totals it stores.
        for (OpcaoImpressao o : {OpcaoImpressao::Detalhado, OpcaoImpressao::Parametros, OpcaoImpressao::Resumido,
                                 OpcaoImpressao::ResumoProcesso, OpcaoImpressao::Verbas, OpcaoImpressao::INSS})
            QVERIFY2(ExecutaImpressao(o, c.execucao, ci, gerador), Nome(o));
        QCOMPARE(coleta.documentos.size(), size_t{6});

        QStringList falhas;
        for (const auto& [opcao, d] : coleta.documentos) {
            QVERIFY2(!d.paginas.empty(), Nome(opcao));
            for (const QString& f : Transbordos(d, coleta.medidor_))
                falhas << QStringLiteral("%1: %2").arg(QString::fromUtf8(Nome(opcao)), f);
        }
        const Documento catalogo =
            ProduzCatalogo(s.privado(), referencia, s.configuracoes().tribunal, Data::hoje(),
                           s.configuracoes().versao, coleta.medidor_);
        QVERIFY(!catalogo.paginas.empty());
        for (const QString& f : Transbordos(catalogo, coleta.medidor_)) falhas << QStringLiteral("catálogo: ") + f;
        QVERIFY2(falhas.isEmpty(), qPrintable(falhas.mid(0, 200).join(QLatin1Char('\n'))));
    }

private slots:
    void diferencasSalariaisEHorasExtras() { confere("diferencas-salariais-horas-extras.json"); }
    void fgtsDeDoisReclamantes() { confere("fgts-dois-reclamantes.json"); }

    // The check itself finds a heading cut by its column.
    void umTituloCortadoEAchado() {
        MedidorQt m;
        Documento d;
        Pagina p;
        p.numero = 1;
        Elemento e;
        e.x = 10, e.y = 10, e.altura = 4, e.texto = "Mes/Ano";
        e.largura = m.largura(e.texto, e.fonte) - 0.3;
        p.elementos.push_back(e);
        d.paginas.push_back(p);
        QCOMPARE(Transbordos(d, m).size(), 1);
        d.paginas[0].elementos[0].largura += 0.3;
        QVERIFY(Transbordos(d, m).isEmpty());
    }
};

int main(int argc, char** argv) {
    ui::AplicacaoKorva aplicacao(argc, argv);
    ui::ConfiguraAplicacao(aplicacao);
    TextosCabemNosRelatoriosTest teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "TextosCabemNosRelatoriosTest.moc"
