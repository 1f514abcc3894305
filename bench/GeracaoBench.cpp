// Generation of the month grid: 40 period rows of 35 years each (16,800
// month rows), with base dates that walk the holiday table.
#include <benchmark/benchmark.h>

#include "PastaBench.h"

#include <cstdlib>
#include <filesystem>

#include "parameters/CalculaDtBase.h"
#include "parameters/Geracao.h"
#include "reference/EsquemasReferencia.h"
#include "reference/TabelasReferencia.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"

using namespace korva;
using korva::bench::Pasta;

namespace {

void BM_Gera40PeriodosDe35Anos(benchmark::State& st) {
    Pasta priv, comp;
    Banco banco("CalcPriv", priv.p);
    Banco compartilhado("CalcComp", comp.p);
    ConjuntoCalculo conjunto(banco, [] { return 100; });
    conjunto.defineAtual(1, 1);
    conjunto.CriaSubDiretorio(1);
    conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('A', 1), 0);
    conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('B', 1), 1);
    compartilhado.criaTabela("FeriadosPadrao.db", *EsquemaCompartilhado("FeriadosPadrao.db"));
    {
        Tabela f(compartilhado, "FeriadosPadrao.db");
        f.abre();
        Transacao tr(compartilhado);
        for (int ano = 1975; ano <= 2011; ++ano)
            for (auto [mes, dia] : {std::pair{1, 1}, std::pair{4, 21}, std::pair{5, 1}, std::pair{9, 7},
                                    std::pair{10, 12}, std::pair{11, 2}, std::pair{11, 15}, std::pair{12, 25}}) {
                f.insere();
                f["Data"] = Data::de(ano, mes, dia);
                f["Descricao"] = "Feriado";
                f["Tipo"] = 1;
                f.grava();
            }
        tr.confirma();
    }
    {
        Tabela a(banco, conjunto.NomeTabela('A'));
        a.abre();
        const int codigos[] = {0, 1, 5, 9, 10, 15, 20, 50};
        for (int i = 0; i < 40; ++i) {
            a.insere();
            a["Item"] = 10 + i * 10;
            a["Mes1"] = 1;
            a["Ano1"] = 1975;
            a["Mes2"] = 12;
            a["Ano2"] = 2009;
            a["Qtde"] = 1.5;
            a["Indice"] = 1.0;
            a["Divisor"] = 220.0;
            a["Base"] = 2;
            a["VFM"] = "F";
            a["Diferenca"] = "Z";
            a["CodDataBasePadrao"] = codigos[i % 8];
            if (codigos[i % 8] == 50) a["DtBase"] = Data::de(2010, 1, 5);
            a["INSS"] = "S";
            a.grava();
        }
    }
    TabelasReferencia ref(compartilhado);
    CalculoDtBase dtBase(ref, OpcoesCalculo{0, true, true, 0});
    Geracao geracao(banco, conjunto.NomeTabela('A'), conjunto.NomeTabela('B'), dtBase);
    int linhas = 0;
    for (auto _ : st) linhas = geracao.Gera(OrdemParametros::Periodo);
    st.counters["linhas"] = linhas;
}
BENCHMARK(BM_Gera40PeriodosDe35Anos)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
