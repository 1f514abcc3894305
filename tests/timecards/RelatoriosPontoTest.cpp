// The daily and monthly time-card reports: the monthly counting they print
// (weekly overtime, the week cut at the month end, days worked), the laid-out
// pages, and their agreement with the integration's figures.
#include "timecards/RelatoriosPonto.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "BasePonto.h"
#include "app/Configuracoes.h"
#include "reports/TextoPlano.h"
#include "results/ExecucaoCalculo.h"

namespace korva {
namespace {

using teste::Escala;
using teste::Hora;

const MedidorFixo kMedidor;

// The texts of a laid-out document, one row per line of a page, left to right.
struct Linha {
    int pagina = 0;
    std::vector<std::string> textos;
};

std::vector<Linha> Linhas(const Documento& d) {
    std::vector<Linha> r;
    for (const Pagina& p : d.paginas) {
        std::map<long, std::map<double, std::string>> porY;
        for (const Elemento& e : p.elementos)
            if (e.tipo == Elemento::Tipo::Texto) porY[std::lround(e.y * 100)][e.x] = e.texto;
        for (const auto& [y, textos] : porY) {
            Linha l;
            l.pagina = p.numero;
            for (const auto& [x, t] : textos) l.textos.push_back(t);
            r.push_back(std::move(l));
        }
    }
    return r;
}

// "1.234,56" as a number.
double Numero(const std::string& texto) {
    std::string s;
    for (char ch : texto)
        if (ch == ',') s += '.';
        else if (ch != '.') s += ch;
    return std::stod(s);
}

bool LinhaDeCartao(const Linha& l) {
    return !l.textos.empty() && l.textos[0].size() >= 17 && l.textos[0][2] == '/' && l.textos[0][5] == '/' &&
           l.textos[0].find(" (") == 10;
}

CabecalhoPonto Cabecalho() { return {"Tribunal Regional do Trabalho da 1ª Região", "123/2003", "007", "Versão de teste"}; }

Escala Semanal(double horas) {
    Escala e;
    e.apuracao = "S";
    e.horasSemanais = horas;
    return e;
}

struct RelatorioTeste : teste::BasePonto {
    RelatorioPonto relatorio() { return LeRelatorioPonto(banco, tabelaF, tabelaG); }
    std::vector<FigurasMes> figuras() {
        const auto jornadas = LeJornadas(banco, tabelaF);
        return ApuraMeses(jornadas, ApuraCartoes(jornadas, LeCartoes(banco, tabelaG)));
    }
};

TEST(TextosDoCartao, DiaEMarcacoes) {
    EXPECT_EQ(TextoDiaCartao(Data::de(2003, 1, 29), false), "29/01/2003 (Qua.)");
    EXPECT_EQ(TextoDiaCartao(Data::de(2003, 2, 1), true), "01/02/2003 (Sáb.) - F");
    CartaoPonto c;
    c.marcacoes = {Hora(8), Hora(12), Hora(13, 30), Hora(17, 45), Hora(19), Hora(20), Hora(21), Hora(23, 59)};
    EXPECT_EQ(TextoMarcacoes(c, 1), "08:00 12:00");
    EXPECT_EQ(TextoMarcacoes(c, 2), "08:00 12:00 13:30 17:45");
    EXPECT_EQ(TextoMarcacoes(c, 4), "08:00 12:00 13:30 17:45 19:00 20:00 21:00 23:59");
}

TEST_F(RelatorioTeste, DailyCountingSumsTheDaysOvertimeIncludingDaysOff) {
    jornada(Data::de(2004, 3, 1), Data::de(2004, 3, 31));
    cartao(Data::de(2004, 3, 1), 9);         // Monday: 1 over 8
    cartao(Data::de(2004, 3, 6), 6);         // Saturday: 2 over 4
    cartao(Data::de(2004, 3, 7), 6);         // Sunday: the daily limit, nothing over
    cartao(Data::de(2004, 3, 8), 5, true);   // day off: all 5 hours
    cartao(Data::de(2004, 3, 9), 0, true);   // day off not worked: neither D nor DF
    const RelatorioPonto r = relatorio();
    ASSERT_EQ(r.meses.size(), 1u);
    const MesRelatorio& m = r.meses[0];
    EXPECT_NEAR(m.extras, 1 + 2 + 5, 1e-9);
    EXPECT_NEAR(m.folgas, 5, 1e-9);
    EXPECT_EQ(m.dias, 4);
    EXPECT_EQ(m.diasFolga, 1);
    EXPECT_EQ(m.diasDoMes, 31);
    EXPECT_NEAR(m.horasTrab, 26, 1e-9);

    // The printed daily overtime adds up to the printed total, and the
    // footer lines carry the month's counts.
    const auto linhas = Linhas(DiagramaPontoDiario(r, Cabecalho(), kMedidor));
    double extras = 0;
    std::map<std::string, std::string> rodape;
    for (const Linha& l : linhas) {
        if (LinhaDeCartao(l)) {
            ASSERT_EQ(l.textos.size(), 5u);
            extras += Numero(l.textos[3]);
        } else if (l.textos.size() == 2) {
            rodape[l.textos[0]] = l.textos[1];
        } else if (!l.textos.empty() && l.textos[0] == "Totais ==>") {
            EXPECT_EQ(l.textos[1], "26,00");
            EXPECT_EQ(l.textos[2], "8,00");
        }
    }
    EXPECT_NEAR(extras, 8, 1e-9);
    EXPECT_EQ(rodape["Horas Trabalhadas em Folgas/Feriados:"], "5,00");
    EXPECT_EQ(rodape["Dias de Folga e Feriados Trabalhados:"], "1");
    EXPECT_EQ(rodape["Total de Dias Trabalhados:"], "4");
    EXPECT_EQ(rodape["Quantidade de dias do mes:"], "31");
}

TEST_F(RelatorioTeste, WeeklyCountingPrintsNoDailyOvertime) {
    jornada(Data::de(2004, 3, 1), Data::de(2004, 3, 31), Semanal(44));
    for (int dia = 1; dia <= 6; ++dia) cartao(Data::de(2004, 3, dia), 8);  // Monday to Saturday
    const RelatorioPonto r = relatorio();
    ASSERT_EQ(r.meses.size(), 1u);
    EXPECT_NEAR(r.meses[0].extras, 4, 1e-9);
    int cartoes = 0;
    for (const Linha& l : Linhas(DiagramaPontoDiario(r, Cabecalho(), kMedidor)))
        if (LinhaDeCartao(l)) {
            ++cartoes;
            EXPECT_EQ(l.textos[3], "") << l.textos[0];  // the Saturday would have 4 hours of daily overtime
        }
    EXPECT_EQ(cartoes, 6);
}

TEST_F(RelatorioTeste, AWeekAcrossTwoMonthsIsWeighedInEachMonth) {
    // Wednesday 29/01/2003 to Saturday 01/02/2003, limit 10.
    jornada(Data::de(2003, 1, 1), Data::de(2003, 2, 28), Semanal(10));
    for (int dia = 29; dia <= 31; ++dia) cartao(Data::de(2003, 1, dia), 8);
    cartao(Data::de(2003, 2, 1), 12);
    cartao(Data::de(2003, 2, 6), 8);  // Thursday: the last, incomplete week
    cartao(Data::de(2003, 2, 7), 4);
    const RelatorioPonto r = relatorio();
    ASSERT_EQ(r.meses.size(), 2u);
    EXPECT_NEAR(r.meses[0].extras, 24 - 10, 1e-9);          // at January's footer
    EXPECT_NEAR(r.meses[1].extras, (12 - 10) + (12 - 10), 1e-9);  // February's Saturday, then the open week
    EXPECT_NEAR(r.extras, 18, 1e-9);
}

// The two countings part where the weekly limit changes at the month end:
// the reports weigh the cut week against the month's last card's schedule,
// the integration against the new month's first card's.
TEST_F(RelatorioTeste, TheCutWeekUsesTheLimitOfTheMonthsLastCard) {
    jornada(Data::de(2003, 1, 1), Data::de(2003, 1, 31), Semanal(44));
    jornada(Data::de(2003, 2, 1), Data::de(2003, 2, 28), Semanal(20));
    for (int dia = 29; dia <= 31; ++dia) cartao(Data::de(2003, 1, dia), 8);  // 24 hours
    cartao(Data::de(2003, 2, 3), 8);
    const RelatorioPonto r = relatorio();
    ASSERT_EQ(r.meses.size(), 2u);
    EXPECT_NEAR(r.meses[0].extras, 0, 1e-9);  // 24 against January's 44
    const auto f = figuras();
    ASSERT_EQ(f.size(), 2u);
    EXPECT_NEAR(f[0].figura(1), 4, 1e-9);  // 24 against February's 20
}

TEST_F(RelatorioTeste, ALowerLimitInTheOldMonthCountsInTheReportOnly) {
    jornada(Data::de(2003, 1, 1), Data::de(2003, 1, 31), Semanal(20));
    jornada(Data::de(2003, 2, 1), Data::de(2003, 2, 28), Semanal(44));
    for (int dia = 29; dia <= 31; ++dia) cartao(Data::de(2003, 1, dia), 8);
    cartao(Data::de(2003, 2, 3), 8);
    EXPECT_NEAR(relatorio().meses[0].extras, 4, 1e-9);
    EXPECT_NEAR(figuras()[0].figura(1), 0, 1e-9);
}

TEST_F(RelatorioTeste, EachMonthOfTheDailyReportStartsAPageWithItsOwnTotals) {
    jornada(Data::de(2004, 1, 1), Data::de(2004, 12, 31), Escala{"D", 44, 1, Hora(8), Hora(4), Hora(1), });
    cartao(Data::de(2004, 1, 30), 10);
    cartao(Data::de(2004, 2, 2), 9);
    cartao(Data::de(2004, 2, 3), 9);
    const Documento d = DiagramaPontoDiario(relatorio(), Cabecalho(), kMedidor);
    ASSERT_EQ(d.paginas.size(), 2u);
    std::vector<std::pair<int, std::string>> totais, cartoes;
    for (const Linha& l : Linhas(d)) {
        if (!l.textos.empty() && l.textos[0] == "Totais ==>") totais.push_back({l.pagina, l.textos[1]});
        if (LinhaDeCartao(l)) cartoes.push_back({l.pagina, l.textos[0].substr(0, 10)});
    }
    // 10 hours less the 1-hour break; 8 + 8 in February, nothing carried over.
    EXPECT_EQ(totais, (std::vector<std::pair<int, std::string>>{{1, "9,00"}, {2, "16,00"}}));
    EXPECT_EQ(cartoes, (std::vector<std::pair<int, std::string>>{
                           {1, "30/01/2004"}, {2, "02/02/2004"}, {2, "03/02/2004"}}));
    const std::string texto = TextoPlano(d, GradeDoDocumento(d));
    EXPECT_NE(texto.find("Pág.: 1/2"), std::string::npos);
    EXPECT_NE(texto.find("Pág.: 2/2"), std::string::npos);
    EXPECT_NE(texto.find("Cartões de Ponto - Relatório Diário"), std::string::npos);
    EXPECT_NE(texto.find("Processo: 123/2003     Grupo: 007"), std::string::npos);
    EXPECT_NE(texto.find("Intervalo: 01:00"), std::string::npos);
    EXPECT_NE(texto.find("Versão de teste"), std::string::npos);
}

TEST_F(RelatorioTeste, TheMonthlySummaryAddsTheMonths) {
    jornada(Data::de(2004, 1, 1), Data::de(2004, 3, 31));
    cartao(Data::de(2004, 1, 5), 9);
    cartao(Data::de(2004, 1, 6), 7, true);
    cartao(Data::de(2004, 2, 2), 8);
    cartao(Data::de(2004, 2, 3), 0, true);  // counts in neither
    cartao(Data::de(2004, 3, 1), 10, true);
    cartao(Data::de(2004, 3, 2), 8);
    const RelatorioPonto r = relatorio();
    const auto linhas = Linhas(DiagramaPontoMensal(r, Cabecalho(), kMedidor));
    std::vector<std::vector<std::string>> meses;
    std::vector<std::string> totais;
    for (const Linha& l : linhas) {
        if (l.textos.size() == 8 && l.textos[0].size() == 7 && l.textos[0][2] == '/') meses.push_back(l.textos);
        if (!l.textos.empty() && l.textos[0] == "Totais ==>") totais = l.textos;
    }
    ASSERT_EQ(meses.size(), 3u);
    EXPECT_EQ(meses[0], (std::vector<std::string>{"01/2004", "16,00", "8,00", "0,00", "7,00", "1", "2", "31"}));
    EXPECT_EQ(meses[1], (std::vector<std::string>{"02/2004", "8,00", "0,00", "0,00", "0,00", "0", "1", "29"}));
    EXPECT_EQ(meses[2], (std::vector<std::string>{"03/2004", "18,00", "10,00", "0,00", "10,00", "1", "2", "31"}));
    EXPECT_EQ(totais, (std::vector<std::string>{"Totais ==>", "42,00", "18,00", "0,00", "17,00", "2", "5"}));
}

TEST_F(RelatorioTeste, NoCardReadGivesAPageWithoutLines) {
    jornada(Data::de(2004, 1, 1), Data::de(2004, 1, 31));
    cartao(Data::de(2004, 2, 2), 8);  // outside every schedule
    const RelatorioPonto r = relatorio();
    EXPECT_TRUE(r.meses.empty());
    for (const Documento& d :
         {DiagramaPontoDiario(r, Cabecalho(), kMedidor), DiagramaPontoMensal(r, Cabecalho(), kMedidor)}) {
        ASSERT_EQ(d.paginas.size(), 1u);
        for (const Linha& l : Linhas(d)) EXPECT_FALSE(LinhaDeCartao(l));
    }
}

TEST_F(RelatorioTeste, ProducedFromTheCalculationWithTheSettings) {
    jornada(Data::de(2004, 1, 1), Data::de(2004, 1, 31));
    cartao(Data::de(2004, 1, 5), 9);
    Configuracoes cfg;
    cfg.tribunal = "Tribunal X";
    ParametrosExecucao p;
    p.processo = "55/2004";
    p.codRecte = 1;
    p.diretorio = conjunto.diretorio();
    p.arquivo = conjunto.arquivo();
    const Documento d = ProduzRelatorioPonto(TipoRelatorioPonto::Mensal, banco, cfg, p, kMedidor);
    const std::string texto = TextoPlano(d, GradeDoDocumento(d));
    EXPECT_NE(texto.find("Tribunal X"), std::string::npos);
    EXPECT_NE(texto.find("Processo: 55/2004     Grupo: 001"), std::string::npos);
    EXPECT_NE(texto.find("01/2004"), std::string::npos);
    EXPECT_NE(texto.find("Cartões de Ponto - Relatório Mensal"), std::string::npos);
}

// For random schedules and a year of random cards: the monthly report's
// overtime is the integration's figure 1 in every month (the weekly limit is
// the same in every schedule, so the two countings agree), and the daily
// report's totals are the sums of its printed lines.
TEST(RelatoriosPontoPropriedade, MonthlyOvertimeIsFigureOneAndDailyTotalsAreTheirLines) {
    std::mt19937 gerador(20240601);
    for (int rodada = 0; rodada < 12; ++rodada) {
        auto entre = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(gerador); };
        const double limite = entre(30, 48);
        std::vector<JornadaPonto> jornadas;
        Data inicio = Data::de(2003, 1, 1) + entre(0, 40);
        const Data fim = Data::de(2003, 12, 31);
        while (inicio <= fim) {
            JornadaPonto j;
            j.data1 = inicio;
            j.data2 = std::min(fim, inicio + entre(20, 150));
            j.jornDiaria = Hora(entre(6, 9));
            j.jornSabado = Hora(entre(3, 5));
            j.intervalo = Hora(0, entre(0, 1) * 60);
            j.turnos = entre(1, 2);
            j.semanal = entre(0, 1) == 1;
            j.horasSemanais = limite;
            jornadas.push_back(j);
            inicio = j.data2 + 1 + entre(0, 1) * entre(1, 10);  // now and then a gap without schedule
        }
        std::vector<CartaoPonto> cartoes;
        for (Data d = Data::de(2003, 1, 1); d <= fim; d += 1) {
            if (entre(0, 9) == 0) continue;
            CartaoPonto c;
            c.data = d;
            const int ent = entre(5 * 60, 10 * 60), dur = entre(0, 6 * 60);
            c.marcacoes[0] = ent / 1440.0;
            c.marcacoes[1] = (ent + dur) / 1440.0;
            const int ent2 = ent + dur + entre(30, 90), dur2 = entre(0, 5 * 60);
            c.marcacoes[2] = ent2 / 1440.0;
            c.marcacoes[3] = std::min(1439, ent2 + dur2) / 1440.0;
            c.folga = entre(0, 11) == 0;
            cartoes.push_back(c);
        }
        const std::vector<CartaoApurado> lidos = ApuraCartoes(jornadas, cartoes);
        const std::vector<FigurasMes> figuras = ApuraMeses(jornadas, lidos);
        const RelatorioPonto r = ApuraRelatorioPonto(jornadas, lidos);
        ASSERT_EQ(r.meses.size(), figuras.size());
        for (size_t i = 0; i < figuras.size(); ++i) {
            EXPECT_EQ(r.meses[i].mes, figuras[i].mes);
            EXPECT_NEAR(r.meses[i].extras, figuras[i].figura(1), 1e-9) << rodada << " " << figuras[i].mes;
            EXPECT_NEAR(r.meses[i].horasTrab, figuras[i].figura(0), 1e-9);
            EXPECT_EQ(r.meses[i].dias, figuras[i].figura(4));
        }

        // The printed monthly lines show figure 1.
        size_t mes = 0;
        for (const Linha& l : Linhas(DiagramaPontoMensal(r, Cabecalho(), kMedidor)))
            if (l.textos.size() == 8 && l.textos[0].size() == 7 && l.textos[0][2] == '/') {
                ASSERT_LT(mes, figuras.size());
                EXPECT_NEAR(Numero(l.textos[2]), figuras[mes].figura(1), 0.005 + 1e-9);
                ++mes;
            }
        EXPECT_EQ(mes, figuras.size());

        // Daily report: per month, the printed totals against the printed lines.
        double trab = 0, noturnas = 0, extras = 0;
        int linhas = 0, meses = 0;
        bool diaria = true;  // every card of the month under a schedule counted by day
        for (const Linha& l : Linhas(DiagramaPontoDiario(r, Cabecalho(), kMedidor))) {
            if (LinhaDeCartao(l)) {
                ASSERT_EQ(l.textos.size(), 5u);
                trab += Numero(l.textos[2]);
                noturnas += Numero(l.textos[4]);
                if (l.textos[3].empty()) diaria = false;
                else extras += Numero(l.textos[3]);
                ++linhas;
            } else if (!l.textos.empty() && l.textos[0] == "Totais ==>") {
                ASSERT_EQ(l.textos.size(), 4u);
                const double tolerancia = 0.005 * (linhas + 1) + 1e-9;
                EXPECT_NEAR(Numero(l.textos[1]), trab, tolerancia);
                EXPECT_NEAR(Numero(l.textos[3]), noturnas, tolerancia);
                if (diaria) {
                    EXPECT_NEAR(Numero(l.textos[2]), extras, tolerancia);
                }
                EXPECT_NEAR(Numero(l.textos[2]), figuras[static_cast<size_t>(meses)].figura(1), 0.005 + 1e-9);
                trab = noturnas = extras = 0;
                linhas = 0;
                diaria = true;
                ++meses;
            }
        }
        EXPECT_EQ(static_cast<size_t>(meses), figuras.size());
    }
}

}  // namespace
}  // namespace korva
