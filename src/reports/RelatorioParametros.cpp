#include "reports/RelatorioParametros.h"

#include <map>
#include <optional>

#include "parameters/VerbasCatalogo.h"
#include "reports/BandasComuns.h"
#include "reports/Colunas.h"
#include "results/ExecucaoCalculo.h"
#include "results/FormatoNumero.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "util/Erros.h"
#include "util/Literais.h"

namespace korva {

namespace {

std::string MesAno(int mes, int ano) {
    const std::string a = Literais::ZerosEsquerdaInt(ano, 4);
    return Literais::ZerosEsquerdaInt(mes, 2) + "/" + a.substr(a.size() - 2);
}

}  // namespace

std::string TextoPeriodo(int mes1, int ano1, int mes2, int ano2) {
    return MesAno(mes1, ano1) + " a " + MesAno(mes2, ano2);
}

DadosParametros LeParametrosPeriodo(Banco& privado, const ParametrosExecucao& p) {
    const std::string a = ConjuntoCalculo::NomeTabelaDe(p.diretorio, p.arquivo, 'A');
    const std::string c = ConjuntoCalculo::NomeTabelaDe(p.diretorio, p.arquivo, 'C');
    if (!privado.existe(a)) throw ErroKorva(kMsgSemParametros);
    const auto rs = privado.consulta("select * from " + Banco::NomeNaConsulta(a) + " order by Ano1, Mes1, Item, Codigo",
                                     {a});
    if (rs.empty()) throw ErroKorva(kMsgSemParametros);

    DadosParametros d;
    if (privado.existe(c)) {
        for (const auto& l : privado.consulta(
                 "select Nome from " + Banco::NomeNaConsulta(c) + " where TipoParte < 3 order by Codigo", {c}))
            d.reclamantes.push_back(l[0].nulo() ? std::string() : l[0].comoTexto());
    }

    VerbasCatalogo catalogo(privado);
    std::map<int, std::optional<std::string>> descricoes;
    const auto descricao = [&](int item) -> const std::optional<std::string>& {
        auto it = descricoes.find(item);
        if (it == descricoes.end()) {
            const auto v = privado.existe(kTabelaRendimentos) ? catalogo.Busca(item) : std::nullopt;
            it = descricoes.emplace(item, v ? std::optional<std::string>(v->descricao) : std::nullopt).first;
        }
        return it->second;
    };

    for (const auto& l : rs) {
        const auto inteiro = [&](const char* f) { return l[f].nulo() ? 0 : static_cast<int>(l[f].comoInteiro()); };
        const auto numero = [&](const char* f, int casas) {
            return l[f].nulo() ? std::string() : FormataNumero(l[f].comoNumero(), casas);
        };
        const auto texto = [&](const char* f) { return l[f].nulo() ? std::string() : l[f].comoTexto(); };
        LinhaParametroPeriodo x;
        const int item = inteiro("Item");
        const auto& desc = descricao(item);
        x.verba = std::to_string(item) + "-" + (desc ? *desc : std::string(kVerbaNaoEncontrada));
        x.periodo = TextoPeriodo(inteiro("Mes1"), inteiro("Ano1"), inteiro("Mes2"), inteiro("Ano2"));
        x.valor = numero("Valor", 2);
        x.qtde = numero("Qtde", 4);
        x.indice = numero("Indice", 4);
        x.divisor = numero("Divisor", 2);
        x.base = texto("Base");
        x.vfm = texto("VFM");
        x.media = texto("ItemMedia");
        // A month 0 is no month: the averaging period was left empty.
        if (inteiro("MMes1") != 0)
            x.periodoMedia = TextoPeriodo(inteiro("MMes1"), inteiro("MAno1"), inteiro("MMes2"), inteiro("MAno2"));
        d.linhas.push_back(std::move(x));
    }
    return d;
}

Documento DiagramaParametros(const DadosParametros& dados, const CabecalhoRelatorio& cab,
                             const std::string& versao, const Medidor& m) {
    const double lh = LinhaCorpo(m);
    const double c = Caracteres(1, m);
    size_t atual = 0;
    FonteFuncoes fonte([&] { return dados.linhas.size(); }, [&](size_t i) { atual = i; });

    GradeColunas g;
    g.espaco = c;
    auto col = [&](const char* titulo, double largura, Alinhamento al, std::string LinhaParametroPeriodo::*campo) {
        ColunaDeCampo(g, titulo, largura, c, al, dados.linhas, atual, campo);
    };
    const auto esq = Alinhamento::Esquerda, dir = Alinhamento::Direita, cen = Alinhamento::Centro;
    col("VERBA", 26, esq, &LinhaParametroPeriodo::verba);
    col("PERÍODO", 13, esq, &LinhaParametroPeriodo::periodo);
    col("VALOR", 12, dir, &LinhaParametroPeriodo::valor);
    col("QTDE.", 10, dir, &LinhaParametroPeriodo::qtde);
    col("ÍNDICE", 8, dir, &LinhaParametroPeriodo::indice);
    col("DIVISOR", 7, dir, &LinhaParametroPeriodo::divisor);
    col("BASE", 4, cen, &LinhaParametroPeriodo::base);
    col("VMFC", 4, cen, &LinhaParametroPeriodo::vfm);
    col("MED.", 4, cen, &LinhaParametroPeriodo::media);
    col("PERÍODO", 13, esq, &LinhaParametroPeriodo::periodoMedia);
    // Titles wider than their values widen their columns; the description,
    // which wraps, gives up the room.
    g.colunas[0].largura -= g.AlargaAosTitulos(FonteCorpo(true), m);

    Relatorio rel;
    rel.orientacao = Orientacao::Retrato;
    rel.cabecalhoPagina.push_back(BandaCabecalho(cab, kTituloParametros, true, m));
    Banda titulosLaterais = g.BandaTitulos(FonteCorpo(true), m);
    titulosLaterais.adiciona(ElementoBanda::LinhaH(0, titulosLaterais.altura, 0));
    titulosLaterais.altura += lh;
    titulosLaterais.paginas = QuaisPaginas::ExcetoPrimeira;
    rel.cabecalhoColunas.push_back(titulosLaterais);
    rel.rodapePagina.push_back(BandaRodape(versao, m));

    // Before the first row: the claimants, then the column titles.
    Grupo inicio;
    inicio.chave = [](const Contexto&) { return std::string(); };
    Banda cabecalho;
    cabecalho.adiciona(ElementoBanda::Rotulo(0, 0, 0, "Reclamante(s):", FonteCorpo(true)));
    std::string nomes;
    for (const std::string& n : dados.reclamantes) nomes += (nomes.empty() ? "" : "\n") + n;
    cabecalho.adiciona(ElementoBanda::Memo(3 * c, lh, 0, lh, [nomes](const Contexto&) { return nomes; },
                                           FonteCorpo()));
    cabecalho.altura = 3 * lh;  // title, one name, a blank line; grows with the names
    inicio.cabecalho = std::move(cabecalho);
    rel.grupos.push_back(std::move(inicio));
    Grupo titulos;
    titulos.chave = [](const Contexto&) { return std::string(); };
    Banda primeira = g.BandaTitulos(FonteCorpo(true), m);
    primeira.adiciona(ElementoBanda::LinhaH(0, primeira.altura, 0));
    primeira.altura += lh;
    titulos.cabecalho = std::move(primeira);
    rel.grupos.push_back(std::move(titulos));

    rel.fonte = &fonte;
    // A long description (or the missing-item text) wraps inside its column
    // and makes the line taller instead of being cut.
    Banda detalhe = g.BandaValores(lh, FonteCorpo());
    detalhe.elementos[0].tipo = ElementoBanda::Tipo::Memo;
    rel.detalhe = std::move(detalhe);
    return Diagrama(rel, m);
}

}  // namespace korva
