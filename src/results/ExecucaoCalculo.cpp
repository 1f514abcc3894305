#include "results/ExecucaoCalculo.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "reference/TabelasReferencia.h"
#include "results/CorrecaoJuros.h"
#include "results/SimboloMoeda.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"
#include "util/Dinheiro.h"
#include "util/Erros.h"
#include "util/Literais.h"

namespace korva {

namespace {

constexpr const char* TabelaProcessos = "Processo.DB";

int Inteiro(const Valor& v) { return v.nulo() ? 0 : static_cast<int>(v.comoInteiro()); }
double Numero(const Valor& v) { return v.nulo() ? 0.0 : v.comoNumero(); }
bool Logico(const Valor& v) { return !v.nulo() && v.comoLogico(); }
std::optional<double> NumeroOpc(const Valor& v) { return v.nulo() ? std::nullopt : std::optional(v.comoNumero()); }
std::optional<int> InteiroOpc(const Valor& v) {
    return v.nulo() ? std::nullopt : std::optional(static_cast<int>(v.comoInteiro()));
}

std::string DoisDigitos(int n) { return Literais::ZerosEsquerdaInt(n, 2); }

struct Verba {
    std::string descricao;
    std::optional<int> ir;
};

std::map<int, Verba> LeCatalogo(Banco& privado) {
    std::map<int, Verba> r;
    for (const auto& l : privado.consulta("select Codigo, DescRend, IR from Rendimen", {"Rendimen.DB"}))
        r[Inteiro(l[0])] = Verba{l[1].comoTexto(), InteiroOpc(l[2])};
    return r;
}

std::vector<LinhaCalculada> LeGrade(Banco& privado, const std::string& tabelaB) {
    std::vector<LinhaCalculada> linhas;
    if (!privado.existe(tabelaB)) return linhas;
    const auto rs = privado.consulta(
        "select Codigo, Item, Mes, Ano, Valor, Qtde, Indice, Divisor, Base, VFM, ItemMedia, MMes1, MAno1, MMes2, "
        "MAno2, Diferenca, CodDataBasePadrao, DtBase, INSS from " +
            Banco::NomeNaConsulta(tabelaB) + " order by Ano, Mes, Item, Codigo",
        {tabelaB});
    linhas.reserve(rs.size());
    for (const auto& l : rs) {
        LinhaCalculada c;
        c.codigo = Inteiro(l[0]);
        c.item = Inteiro(l[1]);
        c.mes = Inteiro(l[2]);
        c.ano = Inteiro(l[3]);
        c.valor = Numero(l[4]);
        c.qtde = NumeroOpc(l[5]);
        c.indice = NumeroOpc(l[6]);
        c.divisor = NumeroOpc(l[7]);
        c.base = InteiroOpc(l[8]);
        c.vfm = l[9].comoTexto();
        c.itemMedia = InteiroOpc(l[10]);
        c.mMes1 = InteiroOpc(l[11]);
        c.mAno1 = InteiroOpc(l[12]);
        c.mMes2 = InteiroOpc(l[13]);
        c.mAno2 = InteiroOpc(l[14]);
        c.diferenca = l[15].comoTexto();
        c.codDataBasePadrao = Inteiro(l[16]);
        c.dtBase = l[17].nulo() ? Data() : l[17].comoData();
        c.inss = l[18].comoTexto();
        linhas.push_back(std::move(c));
    }
    return linhas;
}

// BasesINSS by month; a missing table is a calculation without such rows.
std::map<ChaveMes, double> LeBasesINSS(Banco& privado, const std::string& tabelaD) {
    std::map<ChaveMes, double> r;
    if (!privado.existe(tabelaD)) return r;
    for (const auto& l : privado.consulta("select Ano, Mes, Valor from " + Banco::NomeNaConsulta(tabelaD), {tabelaD}))
        r[{Inteiro(l[0]), Inteiro(l[1])}] = Numero(l[2]);
    return r;
}

// Claimants (TipoParte < 3) in the order of the parties table.
std::vector<std::pair<std::string, int>> LeReclamantes(Banco& privado, const std::string& tabelaC) {
    std::vector<std::pair<std::string, int>> r;
    if (!privado.existe(tabelaC)) return r;
    for (const auto& l : privado.consulta(
             "select Nome, Dependentes from " + Banco::NomeNaConsulta(tabelaC) + " where TipoParte < 3 order by Codigo", {tabelaC}))
        r.emplace_back(l[0].comoTexto(), Inteiro(l[1]));
    return r;
}

// Month accumulators, cleared at each close.
struct AcumulaMes {
    double baseIR[3] = {0, 0, 0};   // 13th, vacation, other
    double jurosIR[3] = {0, 0, 0};
    double fgts = 0, jurosFGTS = 0;
    double total = 0, juros = 0, totalComJuros = 0;
    double baseINSS = 0;
};

}  // namespace

bool ItemComJuros(int item) { return item > 9 && item % 10 >= 2; }

std::string LinhaCalculada::mesAnoCurto() const { return DoisDigitos(mes) + "/" + DoisDigitos(((ano % 100) + 100) % 100); }
std::string LinhaCalculada::mesAno() const { return DoisDigitos(mes) + "/" + Literais::ZerosEsquerdaInt(ano, 4); }

ParametrosExecucao ParametrosDoProcesso(const Tabela& t) {
    ParametrosExecucao p;
    auto data = [&](const char* c) { return t.valor(c).nulo() ? Data() : t.valor(c).comoData(); };
    p.processo = t.valor("Processo").comoTexto();
    p.codRecte = Inteiro(t.valor("CodRecte"));
    p.diretorio = Inteiro(t.valor("Diretorio"));
    p.arquivo = Inteiro(t.valor("Arquivo"));
    p.dtAjuiz = data("DtAjuiz");
    p.dtGrav = data("DtGrav");
    p.dtBase = data("DtBase");
    p.indPrincipal = Inteiro(t.valor("IndPrincipal"));
    p.indFGTS = Inteiro(t.valor("IndFGTS"));
    p.calculoJuros = Inteiro(t.valor("CalculoJuros"));
    p.inssReclamante = Numero(t.valor("INSSReclamante"));
    p.inssReclamado = Numero(t.valor("INSSReclamado"));
    p.inssTerceiros = Numero(t.valor("INSSTerceiros"));
    p.inssRisco = Numero(t.valor("INSSRisco"));
    p.aliquotaUnica = Logico(t.valor("AliquotaUnica"));
    p.incidirJurosFGTS = Logico(t.valor("IncidirJurosFGTS"));
    p.opcaoIR = t.valor("OpcaoIR").nulo() ? OpcaoIR::NaoCalcular : Inteiro(t.valor("OpcaoIR"));
    p.irSobreJuros = Logico(t.valor("IRSobreJuros"));
    p.adicionarINSSRecte = Logico(t.valor("AdicionarINSSRecte"));
    p.obsCalculo = t.valor("ObsCalculo").comoTexto();
    p.obsResumo = t.valor("ObsResumo").comoTexto();
    return p;
}

namespace {
bool Localiza(Tabela& t, const std::string& processo, int codRecte) {
    return t.localiza({"Processo", "CodRecte"}, {Valor(processo), Valor(codRecte)});
}
std::string NaoEncontrado(const std::string& processo, int codRecte) {
    return "Cálculo não encontrado: processo " + processo + ", grupo " + std::to_string(codRecte) + ".";
}
}  // namespace

ParametrosExecucao ParametrosDoProcesso(Banco& privado, const std::string& processo, int codRecte) {
    Tabela t(privado, TabelaProcessos);
    t.abre(ModoAbertura::SomenteLeitura);
    if (!Localiza(t, processo, codRecte)) throw ErroKorva(NaoEncontrado(processo, codRecte));
    return ParametrosDoProcesso(t);
}

TotaisExecucao ExecutaCalculo(Banco& privado, TabelasReferencia& referencia, CorrecaoJuros& correcao,
                              const ParametrosExecucao& p, ConsumidorExecucao* consumidor, ModoExecucao modo) {
    const bool comJuros = modo == ModoExecucao::Calculo;
    ConsumidorExecucao nenhum;
    ConsumidorExecucao& alvo = consumidor ? *consumidor : nenhum;
    auto tabela = [&](char letra) { return ConjuntoCalculo::NomeTabelaDe(p.diretorio, p.arquivo, letra); };
    const std::string tabelaH = tabela('H');

    // ---- phase 1: preparation ----
    TotaisExecucao t;
    t.aliquotaUnica = p.aliquotaUnica;
    std::vector<LinhaCalculada> grade = LeGrade(privado, tabela('B'));
    if (grade.empty()) throw ErroKorva(kMsgSemParametros);
    const FaixaIR faixaIR = referencia.FaixaIRDoMes(p.dtBase.ano(), p.dtBase.mes());
    const auto reclamantes = LeReclamantes(privado, tabela('C'));
    const std::map<int, Verba> catalogo = LeCatalogo(privado);
    FaixasINSSPeriodo faixasINSS;
    std::map<ChaveMes, double> basesINSS;
    std::optional<FaixaINSS> faixaINSSDtBase;
    if (!p.aliquotaUnica) {
        faixasINSS = referencia.CarregaFaixasINSS(grade.front().ano, grade.front().mes, grade.back().ano,
                                                  grade.back().mes);
        faixaINSSDtBase = referencia.FaixaINSSDoMes(p.dtBase.ano(), p.dtBase.mes());
        basesINSS = LeBasesINSS(privado, tabela('D'));
    }
    alvo.inicio(p);

    // ---- phase 2: claimants ----
    int dependentes = -1;
    std::vector<int> porReclamante;
    for (const auto& [nome, dep] : reclamantes) {
        if (dep != dependentes) {
            if (dependentes >= 0) t.dependentesDiferentes = true;
            dependentes = dep;
        }
        porReclamante.push_back(dep);
        alvo.reclamante(nome, dep);
    }
    t.reclamantes = static_cast<int>(reclamantes.size());

    // ---- phases 3 and 4: rows and month closes ----
    // Rows of one month share few dates: the interest from a date to the
    // base date is worked out once per date.
    std::unordered_map<int32_t, double> jurosDesde;
    auto juros = [&](Data de) {
        auto it = jurosDesde.find(de.serial());
        if (it != jurosDesde.end()) return it->second;
        const double j = correcao.CalculaJuros(tabelaH, true, de, p.dtBase, 0, p.calculoJuros);
        jurosDesde.emplace(de.serial(), j);
        return j;
    };

    AcumulaMes mes;
    double baseIR[3] = {0, 0, 0}, jurosIR[3] = {0, 0, 0};
    bool avisado = false;
    auto avisaFaixa = [&](int ano, int m) {
        t.faixaINSSAusente = true;
        if (avisado) return;
        avisado = true;
        alvo.faixaINSSAusente(ano, m);
    };

    auto fecha = [&](int ano, int m) {
        FechamentoMes f;
        f.mes = m;
        f.ano = ano;
        f.rotulo = "Mês: " + TextoMes(ano, m);
        // 1. totals of the month
        t.totalComJuros += mes.totalComJuros;
        f.totalMes = mes.total;
        f.jurosMes = mes.juros;
        f.totalComJurosMes = mes.totalComJuros;
        f.mostraTotais = mes.total != 0;
        // 2. and 3. IR bases and the months with a base
        for (int c = 0; c < 3; ++c) {
            baseIR[c] += mes.baseIR[c];
            jurosIR[c] += mes.jurosIR[c];
        }
        if (mes.baseIR[1] != 0 || mes.baseIR[2] != 0) ++t.mesesContados;
        if (mes.baseIR[0] != 0) ++t.mesesContados;
        // 4. FGTS
        if (mes.fgts > 0) {
            t.fgts += mes.fgts;
            t.jurosFGTS += mes.jurosFGTS;
            f.mostraFGTS = true;
            f.fgtsMes = mes.fgts;
            f.jurosFGTSMes = mes.jurosFGTS;
        }
        // 5. employee INSS of the month
        if (!p.aliquotaUnica) {
            f.avaliaINSS = true;
            f.baseINSSMes = mes.baseINSS;
            const auto j = basesINSS.find({ano, m});
            f.baseJaRecolhida = j == basesINSS.end() ? 0.0 : j->second;
            const FaixaINSS* faixaMes = faixasINSS.procura(ano, m);
            const FaixaINSS* faixaBase = faixaINSSDtBase ? &*faixaINSSDtBase : nullptr;
            if (!faixaMes) avisaFaixa(ano, m);
            else if (!faixaBase) avisaFaixa(p.dtBase.ano(), p.dtBase.mes());
            f.inss = INSSDoMes(f.baseINSSMes, f.baseJaRecolhida, faixaMes, faixaBase);
            if (faixaMes && faixaMes->limite1 > 0) {
                f.limite1Mes = faixaMes->limite1;
                f.limite1DtBase = faixaBase ? faixaBase->limite1 : 0.0;
                f.razao = f.limite1DtBase / f.limite1Mes;
                f.baseAtualizada = f.razao * f.baseJaRecolhida;
                f.recolhidoAtualizado = f.razao * f.inss.jaRecolhido;
                f.novaBase = f.baseINSSMes + f.baseAtualizada;
                f.contribuicaoDevida = f.inss.aRecolher + f.recolhidoAtualizado;
            }
            if (!f.inss.semFaixaMes) t.inssReclamanteMensal += f.inss.aRecolher;
        }
        mes = AcumulaMes{};
        alvo.fechamento(f);
    };

    for (size_t i = 0; i < grade.size(); ++i) {
        LinhaCalculada& l = grade[i];
        // derived values
        const auto verba = catalogo.find(l.item);
        l.itemResultado = ItemComJuros(l.item);
        l.descRend = Literais::ZerosEsquerdaInt(l.item, 3);
        if (verba == catalogo.end()) {
            l.descRend += "-ERRO! Rendimento não Encontrado! ***";
        } else {
            l.descRend += "-" + verba->second.descricao;
            l.ir = verba->second.ir;
            if (l.itemResultado) {
                const std::string dma = l.dtBase.dma();
                l.descRend += "(" + dma.substr(0, 6) + dma.substr(8, 2) + ")";
            }
        }
        const bool fgts = l.item == 902 || l.item == 903;
        l.indReaj = correcao.FatorIndiceDiario(fgts && comJuros ? p.indFGTS : p.indPrincipal, l.dtBase, p.dtBase);
        l.valorAtualizado = l.valor * l.indReaj;
        if (l.itemResultado && comJuros) {
            l.juros = juros(std::max(l.dtBase, p.dtAjuiz));
            l.valorJuros = l.valorAtualizado * *l.juros / 100;
            l.valorAtualizadoComJuros = ArredondaCentavos(l.valorAtualizado + *l.valorJuros);
        }
        alvo.linha(l);

        // accumulation (the social-security run adds no interest)
        const double valorJuros = l.valorJuros.value_or(0.0);
        const double valorComJuros = l.valorAtualizadoComJuros.value_or(ArredondaCentavos(l.valorAtualizado));
        if (l.itemResultado) {
            if (l.ir && *l.ir >= 1 && *l.ir <= 3) {
                mes.baseIR[*l.ir - 1] += l.valorAtualizado;
                if (p.irSobreJuros) mes.jurosIR[*l.ir - 1] += valorJuros;
            }
            if (fgts) {
                mes.fgts += l.valorAtualizado;
                if (p.incidirJurosFGTS) mes.jurosFGTS += valorJuros;
            } else if (l.item == 892 || l.item == 893) {
                t.seguroDesemprego += l.valorAtualizado + valorJuros;
            } else {
                const double a = Arredonda4(l.valorAtualizado);
                t.total += a;
                mes.total += a;
                mes.juros += valorJuros;
                mes.totalComJuros += valorComJuros;
            }
        }
        if (l.inss == "S") {
            const double a = Arredonda4(l.valorAtualizado);
            t.baseINSS += a;
            mes.baseINSS += a;
        }

        const bool ultimaDoMes =
            i + 1 == grade.size() || grade[i + 1].mes != l.mes || grade[i + 1].ano != l.ano;
        if (ultimaDoMes) fecha(l.ano, l.mes);
    }

    // ---- phase 5: final step ----
    t.simboloMoeda = SimboloMoeda(p.dtBase);
    t.base13 = baseIR[0];
    t.juros13 = jurosIR[0];
    t.baseFerias = baseIR[1];
    t.jurosFerias = jurosIR[1];
    t.baseDemais = baseIR[2];
    t.jurosDemais = jurosIR[2];
    t.reclamado = ContribuicoesDoReclamado(t.baseINSS, p.inssReclamado, p.inssRisco, p.inssTerceiros);
    t.inssEmpregado =
        p.aliquotaUnica ? ContribuicaoAliquotaUnica(t.baseINSS, p.inssReclamante) : t.inssReclamanteMensal;
    t.totalINSS = t.reclamado.total + t.inssEmpregado;

    t.mesesIR = MesesIR(t.mesesContados, p.dtBase);
    t.deducaoDependentes = DeducaoDependentes(porReclamante, faixaIR, nullptr);
    t.colunasIR = ColunasIR(p.opcaoIR, t.base13, t.juros13, t.baseFerias, t.jurosFerias, t.baseDemais, t.jurosDemais,
                            t.inssEmpregado, t.deducaoDependentes, t.mesesIR, faixaIR, p.adicionarINSSRecte,
                            p.irSobreJuros, false);
    t.valorTotalIR = TotalIR(t.colunasIR);
    alvo.final(t);
    return t;
}

void GravaResultados(Banco& privado, const ParametrosExecucao& p, const TotaisExecucao& t) {
    Tabela r(privado, TabelaProcessos);
    r.abre();
    if (!Localiza(r, p.processo, p.codRecte)) throw ErroKorva(NaoEncontrado(p.processo, p.codRecte));
    r.edita();
    try {
        r["Total"] = t.total;
        r["TotalGeral"] = t.totalComJuros;
        r["FGTS"] = t.fgtsADepositar();
        r["TotalBaseINSS"] = t.baseINSS;
        r["ValorINSSReclamante"] = t.valorINSSReclamanteGravado();
        r["TotalBaseIR13"] = t.totalBaseIR13();
        r["TotalBaseIRFerias"] = t.totalBaseIRFerias();
        r["TotalBaseIRDemais"] = t.totalBaseIRDemais();
        r["ValorTotalIR"] = t.valorTotalIR;
        r["QtdeMesesComBaseIR"] = t.mesesIR;
        r.grava();
    } catch (...) {
        if (r.editando()) r.cancela();
        throw;
    }
}

}  // namespace korva
