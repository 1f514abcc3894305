#include "reports/RelatorioVerbasCalculadas.h"

#include "parameters/CodigosVerba.h"
#include "parameters/VerbasCatalogo.h"
#include "reports/BandasComuns.h"
#include "reports/Colunas.h"
#include "results/CorrecaoJuros.h"
#include "results/ExecucaoCalculo.h"
#include "results/FormatoNumero.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "util/Dinheiro.h"

namespace korva {

std::vector<VerbaCalculada> CalculaVerbasCalculadas(Banco& privado, const ParametrosExecucao& p,
                                                    const FatorDiario& fator) {
    std::vector<VerbaCalculada> r;
    const std::string b = ConjuntoCalculo::NomeTabelaDe(p.diretorio, p.arquivo, 'B');
    if (!privado.existe(b)) return r;
    const std::string nome = Banco::NomeNaConsulta(b);
    const auto itens = privado.consulta("select distinct Item from " + nome + " where Item > 9 order by Item", {b});
    VerbasCatalogo catalogo(privado);
    const bool temCatalogo = privado.existe(kTabelaRendimentos);
    for (const auto& i : itens) {
        if (i[0].nulo()) continue;
        const int item = static_cast<int>(i[0].comoInteiro());
        if (!ItemComJuros(item)) continue;
        const int indice = item == VerbaFGTS || item == VerbaMultaFGTS ? p.indFGTS : p.indPrincipal;
        VerbaCalculada v;
        v.item = item;
        const auto cat = temCatalogo ? catalogo.Busca(item) : std::nullopt;
        v.verba = CodigoTresDigitos(item) + "-" + (cat ? cat->descricao : std::string(kVerbaCalculadaNaoEncontrada));
        const auto linhas = privado.consulta("select Item, Ano, Mes, Valor, DtBase from " + nome + " where Item =:Item",
                                             {b}, {{"Item", item}});
        for (const auto& l : linhas) {
            if (l["Valor"].nulo()) continue;
            v.total += Arredonda4(l["Valor"].comoNumero()) * fator(indice, l["DtBase"].comoData(), p.dtBase);
        }
        r.push_back(std::move(v));
    }
    return r;
}

Documento DiagramaVerbasCalculadas(const std::vector<VerbaCalculada>& verbas, const CabecalhoRelatorio& cab,
                                   const std::string& versao, const Medidor& m) {
    const double lh = LinhaCorpo(m);
    const double c = Caracteres(1, m);
    size_t atual = 0;
    FonteFuncoes fonte([&] { return verbas.size(); }, [&](size_t i) { atual = i; });

    GradeColunas g;
    g.espaco = 2 * c;
    g.x = 10 * c;
    Coluna verba;
    verba.titulo = "Verba";
    verba.largura = 60 * c;
    verba.valor = [&](const Contexto&) { return verbas[atual].verba; };
    Coluna total;
    total.titulo = "Total Atualizado\n(sem juros)";
    total.largura = 20 * c;
    total.alinhamento = Alinhamento::Direita;
    total.valor = [&](const Contexto&) { return FormataNumero(verbas[atual].total, 2); };
    g.colunas = {verba, total};

    Relatorio rel;
    rel.orientacao = Orientacao::Retrato;
    rel.cabecalhoPagina.push_back(BandaCabecalho(cab, kTituloVerbasCalculadas, true, m));
    Banda titulos = g.BandaTitulos(FonteCorpo(true), m);
    titulos.adiciona(ElementoBanda::LinhaH(g.x, titulos.altura, g.inicio(2) - g.espaco - g.x));
    titulos.altura += lh;
    rel.cabecalhoColunas.push_back(std::move(titulos));
    rel.rodapePagina.push_back(BandaRodape(versao, m));
    rel.fonte = &fonte;
    rel.detalhe = g.BandaValores(lh, FonteCorpo());
    return Diagrama(rel, m);
}

Documento ProduzVerbasCalculadas(Banco& privado, CorrecaoJuros& correcao, const ParametrosExecucao& p,
                                 const CabecalhoRelatorio& cab, const std::string& versao, const Medidor& m) {
    const auto verbas = CalculaVerbasCalculadas(
        privado, p, [&](int cod, Data de, Data ate) { return correcao.FatorIndiceDiario(cod, de, ate); });
    return DiagramaVerbasCalculadas(verbas, cab, versao, m);
}

}  // namespace korva
