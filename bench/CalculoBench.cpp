// The monthly calculation over a grid of 40 items a month for 35 years
// (16,800 month rows): families of due, paid and difference rows, factor
// rows on the salary, on other factor rows and on the transport voucher,
// an average and two commission rows a month. Beside it, the floor of any
// such run (every row of B read and written back in one transaction), and
// the growth of the run with the size of the grid.
#include <benchmark/benchmark.h>

#include "PastaBench.h"

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "parameters/CalculaDtBase.h"
#include "parameters/CalculoMensal.h"
#include "reference/EsquemasReferencia.h"
#include "reference/TabelasReferencia.h"
#include "results/CorrecaoJuros.h"
#include "results/ExecucaoCalculo.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Gravacao.h"
#include "storage/Tabela.h"

using namespace korva;
using korva::bench::Pasta;

namespace {

constexpr int kItensPorMes = 40;
constexpr int kFamilias = 15;

// A calculation whose grid has `meses` months of 40 rows from 01/1975.
struct Cenario {
    Pasta priv, comp;
    Banco banco{"CalcPriv", priv.p};
    Banco compartilhado{"CalcComp", comp.p};
    ConjuntoCalculo conjunto{banco, [] { return 100; }};
    std::string tabelaB, tabelaI;

    explicit Cenario(int meses) {
        conjunto.defineAtual(1, 1);
        conjunto.CriaSubDiretorio(1);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('B', 1), 1);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('I', 1), 8);
        tabelaB = conjunto.NomeTabela('B');
        tabelaI = conjunto.NomeTabela('I');
        banco.criaTabela("Rendimen.DB", EsquemaRendimen());
        for (const char* t : {"FeriadosPadrao.db", "Valores.DB", "Salario.DB", "VTransp.DB"})
            compartilhado.criaTabela(t, *EsquemaCompartilhado(t));
        catalogo();
        referencias(meses);
        grade(meses);
    }

    static void Mes(int k, int& mes, int& ano) {
        mes = k % 12 + 1;
        ano = 1975 + k / 12;
    }

    void catalogo() {
        Tabela r(banco, "Rendimen.DB");
        r.abre();
        Transacao tr(banco);
        auto verba = [&](int codigo) {
            r.insere();
            r["Codigo"] = codigo;
            r["DescRend"] = "Verba " + std::to_string(codigo);
            r["Qtde"] = 1.0;
            r["INSS"] = "S";
            r["IR"] = 1;
            r["Tipo"] = "S";
            r.grava();
        };
        verba(1);
        for (int f = 1; f <= kFamilias; ++f) verba(f * 10 + 2);
        tr.confirma();
    }

    void referencias(int meses) {
        Tabela v(compartilhado, "Valores.DB"), vt(compartilhado, "VTransp.DB"), i(banco, tabelaI);
        v.abre();
        vt.abre();
        i.abre();
        Transacao trc(compartilhado);
        Transacao trp(banco);
        for (int k = 0; k < meses; ++k) {
            int mes, ano;
            Mes(k, mes, ano);
            v.insere();
            v["Ano"] = ano, v["Mes"] = mes, v["SalMin"] = 100.0 + k, v["SalFam1"] = 1.0, v["SalFam2"] = 2.0;
            v.grava();
            vt.insere();
            vt["ValeTransporte"] = 1, vt["Ano"] = ano, vt["Mes"] = mes, vt["VTransp"] = 2.5;
            vt.grava();
            i.insere();
            i["Mes"] = mes, i["Ano"] = ano, i["Descricao"] = "Salário", i["Valor"] = 1000.0 + k;
            i.grava();
        }
        trp.confirma();
        trc.confirma();
    }

    void grade(int meses) {
        Tabela b(banco, tabelaB);
        b.abre();
        Transacao tr(banco);
        int mes, ano;
        auto linha = [&](int item, const char* vfm) {
            b.insere();
            b["Item"] = item, b["Mes"] = mes, b["Ano"] = ano, b["VFM"] = vfm;
            b["CodDataBasePadrao"] = 1, b["DtBase"] = Data::de(ano, mes, 1), b["Calculado"] = false, b["INSS"] = "S";
        };
        auto fator = [&](int item, int base, double qtde, double divisor) {
            linha(item, "F");
            b["Base"] = base, b["Qtde"] = qtde, b["Indice"] = 1.5, b["Divisor"] = divisor;
            b.grava();
        };
        auto janela = [&](int item, const char* vfm, int media, int de, int ate) {
            linha(item, vfm);
            int m1, a1, m2, a2;
            Mes(std::max(0, de), m1, a1);
            Mes(std::max(0, ate), m2, a2);
            b["ItemMedia"] = media, b["MMes1"] = m1, b["MAno1"] = a1, b["MMes2"] = m2, b["MAno2"] = a2;
            if (std::string(vfm) == "M") b["Base"] = 2, b["Indice"] = 1.0, b["Divisor"] = 1.0;
            b.grava();
        };
        for (int k = 0; k < meses; ++k) {
            Mes(k, mes, ano);
            linha(2, "V");
            b["Valor"] = 2000.0 + k;
            b.grava();
            linha(4, "F");
            b.grava();
            linha(999, "F");
            b["Qtde"] = 22.0;
            b.grava();
            for (int f = 1; f <= kFamilias; ++f) {
                fator(f * 10, 2, 0.1 * f, 1);
                b.edita();
                b["Diferenca"] = f % 2 ? "Z" : "C";
                b.grava();
                linha(f * 10 + 1, "V");
                b["Valor"] = 150.0 * f;
                b.grava();
            }
            fator(503, 2, 10, 220);   // hours on the salary
            fator(504, 503, 1, 1);    // on another factor row
            fator(505, 999, 1, 2);    // on the voucher, valued last in the month
            fator(509, 1, 2, 1);      // on the minimum wage, whose rows the run adds
            janela(506, "M", 503, k - 12, k - 1);
            janela(507, "C", 10, k - 12, k - 1);
            janela(508, "C", 20, k - 6, std::min(meses - 1, k + 5));  // waits for later months
        }
        tr.confirma();
    }

    // The reference rows the result run reads: a daily index for every day
    // of the grid's span and the base date, the IR row of the base date and
    // the INSS brackets of every month.
    void preparaResultado(int meses) {
        for (const char* t : {"Diario.DB", "FaixasIR.db", "FaixasINSS.DB"})
            compartilhado.criaTabela(t, *EsquemaCompartilhado(t));
        Tabela d(compartilhado, "Diario.DB"), ir(compartilhado, "FaixasIR.db"), inss(compartilhado, "FaixasINSS.DB");
        d.abre();
        ir.abre();
        inss.abre();
        Transacao tr(compartilhado);
        int mesFim, anoFim;
        Mes(meses, mesFim, anoFim);
        const Data fim = std::max(Data::de(2012, 12, 31), Data::de(anoFim, mesFim, 1));
        double indice = 1.0;
        for (Data x = Data::de(1975, 1, 1); x <= fim; x += 1) {
            d.insere();
            d["CodIndice"] = 1, d["Data"] = x, d["Indice"] = indice;
            d.grava();
            indice *= 1.0002;
        }
        ir.insere();
        ir["Ano"] = 2012, ir["Mes"] = 12, ir["LimiteMinimo"] = 1637.11, ir["Limite1"] = 2453.50;
        ir["Percentual1"] = 7.5, ir["Deducao1"] = 122.78, ir["Limite2"] = 3271.38, ir["Percentual2"] = 15.0;
        ir["Deducao2"] = 306.80, ir["Limite3"] = 4087.65, ir["Percentual3"] = 22.5, ir["Deducao3"] = 552.15;
        ir["PercentualMaximo"] = 27.5, ir["DeducaoMaximo"] = 756.53, ir["DeducaoDependente"] = 164.56;
        ir["DeducaoDaBase"] = 0.0;
        ir.grava();
        for (int k = 0; k <= std::max(meses, 38 * 12); ++k) {
            int mes, ano;
            Mes(k, mes, ano);
            inss.insere();
            inss["Ano"] = ano, inss["Mes"] = mes, inss["LimiteMinimo"] = 100.0 + k;
            inss["Limite1"] = 500.0 + k, inss["Percentual1"] = 8.0, inss["Limite2"] = 800.0 + k;
            inss["Percentual2"] = 9.0, inss["Limite3"] = 1600.0 + 2 * k, inss["Percentual3"] = 11.0;
            inss["Limite4"] = 0.0, inss["Percentual4"] = 0.0, inss["Limite5"] = 0.0, inss["Percentual5"] = 0.0;
            inss.grava();
        }
        tr.confirma();
    }

    TotaisExecucao resultado() {
        TabelasReferencia ref(compartilhado);
        CorrecaoJuros correcao(banco, ref);
        ParametrosExecucao p;
        p.processo = "1/2012";
        p.codRecte = 1;
        p.diretorio = 1;
        p.arquivo = 1;
        p.dtAjuiz = Data::de(2000, 1, 10);
        p.dtBase = Data::de(2012, 12, 31);
        p.indPrincipal = p.indFGTS = 1;
        p.calculoJuros = 0;
        p.inssReclamante = 8, p.inssReclamado = 20, p.inssRisco = 2, p.inssTerceiros = 5.8;
        p.opcaoIR = OpcaoIR::TrezeFeriasDemais;
        p.irSobreJuros = true;
        return ExecutaCalculo(banco, ref, correcao, p);
    }

    ResultadoCalculoMensal calcula() {
        TabelasReferencia ref(compartilhado);
        OpcoesCalculoMensal o;
        o.valeTransporte = 1;
        o.dtBase = Data::de(2012, 12, 31);
        o.dtBasePadrao.dataBasePadrao = 1;
        return CalculoMensal(banco, ref, tabelaB, tabelaI, o, [](int, Data, Data) { return 1.0; }).Calcula();
    }
};

void BM_CalculoMensal35Anos(benchmark::State& st) {
    Cenario c(35 * 12);
    ResultadoCalculoMensal r;
    for (auto _ : st) r = c.calcula();
    st.counters["linhas"] = r.linhas;
    st.counters["varreduras"] = r.varreduras;
}
BENCHMARK(BM_CalculoMensal35Anos)->Unit(benchmark::kMillisecond);

// The floor: every row of B read with one statement and written back, in one transaction.
void BM_LeEGravaB35Anos(benchmark::State& st) {
    Cenario c(35 * 12);
    c.calcula();  // the grid as a run leaves it (difference and base rows included)
    int64_t linhas = 0;
    for (auto _ : st) {
        auto con = c.banco.conexao(c.tabelaB);
        const DefTabela def = con->definicao();
        const int pValor = def.posicao("Valor"), pQtde = def.posicao("Qtde"), pDt = def.posicao("DtBase"),
                  pCalc = def.posicao("Calculado");
        Transacao tr(c.banco);
        c.banco.participa(con);
        std::vector<std::pair<int64_t, std::vector<Valor>>> lidas;
        LeLinhas(*con, def, [&](int64_t rowid, std::vector<Valor>&& v) { lidas.emplace_back(rowid, std::move(v)); });
        auto u = con->preparaGuardado("UPDATE Tabela SET Valor=?1, Qtde=?2, DtBase=?3, Calculado=?4 WHERE rowid=?5");
        for (const auto& [rowid, v] : lidas) {
            u.reinicia();
            u.liga(1, v[pValor], TipoCampo::Float);
            u.liga(2, v[pQtde], TipoCampo::Float);
            u.liga(3, v[pDt], TipoCampo::Date);
            u.liga(4, v[pCalc], TipoCampo::Boolean);
            u.liga(5, Valor(rowid), TipoCampo::Integer);
            u.executa();
        }
        tr.confirma();
        linhas = static_cast<int64_t>(lidas.size());
    }
    st.counters["linhas"] = static_cast<double>(linhas);
}
BENCHMARK(BM_LeEGravaB35Anos)->Unit(benchmark::kMillisecond);

// The result run over the calculated grid: correction, interest, month
// closes with the month-by-month INSS, the final step.
void BM_Resultado35Anos(benchmark::State& st) {
    Cenario c(35 * 12);
    c.preparaResultado(35 * 12);
    c.calcula();
    TotaisExecucao t;
    for (auto _ : st) t = c.resultado();
    st.counters["total"] = t.total;
}
BENCHMARK(BM_Resultado35Anos)->Unit(benchmark::kMillisecond);

void BM_ResultadoPorTamanho(benchmark::State& st) {
    const int meses = static_cast<int>(st.range(0)) / kItensPorMes;
    Cenario c(meses);
    c.preparaResultado(meses);
    c.calcula();
    for (auto _ : st) c.resultado();
}
BENCHMARK(BM_ResultadoPorTamanho)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Growth: grids of 1,000, 10,000 and 100,000 month rows (before the run adds its own).
void BM_CalculoMensalPorTamanho(benchmark::State& st) {
    Cenario c(static_cast<int>(st.range(0)) / kItensPorMes);
    ResultadoCalculoMensal r;
    for (auto _ : st) r = c.calcula();
    st.counters["linhas"] = r.linhas;
    st.counters["varreduras"] = r.varreduras;
}
BENCHMARK(BM_CalculoMensalPorTamanho)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
