#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <tuple>
#include <vector>

#include "apoio/MensagemMostrada.h"
#include "BaseParametros.h"
#include "parameters/CalculoMensal.h"
#include "parameters/GradeCalculo.h"
#include "util/Erros.h"

namespace korva {
namespace {

// A month row as the tests write it straight into B, without the grid's rules.
struct Linha {
    int item = 0, mes = 1, ano = 2004;
    std::string vfm = "V";
    std::optional<double> valor, qtde, indice, divisor;
    std::optional<int> base, itemMedia, mMes1, mAno1, mMes2, mAno2;
    std::string diferenca;
    bool calculado = false;
};

Linha Valor_(int item, int mes, int ano, double valor, std::string diferenca = {}) {
    Linha l;
    l.item = item, l.mes = mes, l.ano = ano, l.valor = valor, l.diferenca = std::move(diferenca);
    return l;
}
Linha Fator(int item, int mes, int ano, int base, double qtde, double indice = 1, std::optional<double> divisor = 1.0) {
    Linha l;
    l.item = item, l.mes = mes, l.ano = ano, l.vfm = "F", l.base = base, l.qtde = qtde, l.indice = indice,
    l.divisor = divisor;
    return l;
}
Linha Media(int item, int mes, int ano, const std::string& vfm, int itemMedia, int m1, int a1, int m2, int a2) {
    Linha l;
    l.item = item, l.mes = mes, l.ano = ano, l.vfm = vfm, l.itemMedia = itemMedia, l.mMes1 = m1, l.mAno1 = a1,
    l.mMes2 = m2, l.mAno2 = a2;
    if (vfm == "M") l.base = 2, l.indice = 1, l.divisor = 1;
    return l;
}

// A row of B as read back from the file.
struct Lida {
    int64_t codigo = 0;
    int item = 0, mes = 0, ano = 0;
    Valor valor, qtde, base;
    std::string vfm, inss;
    int codDataBasePadrao = 0;
    Data dtBase;
    bool calculado = false;
};

struct CalculoMensalTeste : teste::BaseParametros {
    std::string tabelaI;
    OpcoesCalculoMensal opcoes;
    FatorCorrecao fator = [](int, Data, Data) { return 1.0; };

    void SetUp() override {
        BaseParametros::SetUp();
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('I', 1), 8);
        tabelaI = conjunto.NomeTabela('I');
        for (const char* t : {"Valores.DB", "Salario.DB", "VTransp.DB"})
            compartilhado.criaTabela(t, *EsquemaCompartilhado(t));
        opcoes.dtBasePadrao.dataBasePadrao = 1;
        opcoes.salario = 7;
        opcoes.valeTransporte = 3;
        opcoes.dtBase = Data::de(2010, 1, 31);
        teste::InsereVerba(banco, 1, "Salário Mínimo", "N", 1.0);
        teste::InsereVerba(banco, 3, "Salário Normativo", "N", 1.0);
        teste::InsereVerba(banco, 12, "Diferença", "S", 1.0, 1.0, 1.0);
    }

    void salarioMinimo(int mes, int ano, double v, double fam1 = 10, double fam2 = 20) {
        Tabela t(compartilhado, "Valores.DB");
        t.abre();
        t.insere();
        t["Ano"] = ano;
        t["Mes"] = mes;
        t["SalMin"] = v;
        t["SalFam1"] = fam1;
        t["SalFam2"] = fam2;
        t.grava();
    }
    void serie(const char* tabela, const char* campoSerie, const char* campoValor, int codigo, int mes, int ano,
               double v) {
        Tabela t(compartilhado, tabela);
        t.abre();
        t.insere();
        t[campoSerie] = codigo;
        t["Ano"] = ano;
        t["Mes"] = mes;
        t[campoValor] = v;
        t.grava();
    }
    void baseSalarial(int mes, int ano, double v) {
        Tabela t(banco, tabelaI);
        t.abre();
        t.insere();
        t["Mes"] = mes;
        t["Ano"] = ano;
        t["Descricao"] = "Componente";
        t["Valor"] = v;
        t.grava();
    }

    void insere(const std::vector<Linha>& linhas) {
        Tabela b(banco, tabelaB);
        b.abre();
        Transacao tr(banco);
        for (const auto& l : linhas) {
            b.insere();
            b["Item"] = l.item;
            b["Mes"] = l.mes;
            b["Ano"] = l.ano;
            b["VFM"] = l.vfm;
            auto opc = [&](const char* c, auto v) {
                if (v) b[c] = *v;
            };
            opc("Valor", l.valor);
            opc("Qtde", l.qtde);
            opc("Indice", l.indice);
            opc("Divisor", l.divisor);
            opc("Base", l.base);
            opc("ItemMedia", l.itemMedia);
            opc("MMes1", l.mMes1);
            opc("MAno1", l.mAno1);
            opc("MMes2", l.mMes2);
            opc("MAno2", l.mAno2);
            if (!l.diferenca.empty()) b["Diferenca"] = l.diferenca;
            b["CodDataBasePadrao"] = 1;
            b["DtBase"] = Data::de(1990, 1, 1);  // recomputed by the run on every row it values
            b["Calculado"] = l.calculado;
            b["INSS"] = "S";
            b.grava();
        }
        tr.confirma();
    }

    ResultadoCalculoMensal calcula() {
        TabelasReferencia ref(compartilhado);
        return CalculoMensal(banco, ref, tabelaB, tabelaI, opcoes, fator).Calcula();
    }
    // What the user is shown when the run stops.
    std::string falha() {
        bool parou = true;
        const std::string texto = teste::MensagemMostrada([&] {
            calcula();
            parou = false;
        });
        return parou ? texto : "(sem erro)";
    }

    // Every row of B in (Ano, Mes, Item, Codigo) order, read back from the file.
    std::vector<Lida> le() {
        Tabela b(banco, tabelaB);
        b.abre(ModoAbertura::SomenteLeitura);
        b.defineOrdem({"Ano", "Mes", "Item", "Codigo"});
        std::vector<Lida> r;
        for (b.primeiro(); !b.fim(); b.proximo()) {
            Lida l;
            l.codigo = b.valor("Codigo").comoInteiro();
            l.item = static_cast<int>(b.valor("Item").comoInteiro());
            l.mes = static_cast<int>(b.valor("Mes").comoInteiro());
            l.ano = static_cast<int>(b.valor("Ano").comoInteiro());
            l.valor = b.valor("Valor");
            l.qtde = b.valor("Qtde");
            l.base = b.valor("Base");
            l.vfm = b.valor("VFM").comoTexto();
            l.inss = b.valor("INSS").comoTexto();
            l.codDataBasePadrao = static_cast<int>(b.valor("CodDataBasePadrao").comoInteiro());
            l.dtBase = b.valor("DtBase").comoData();
            l.calculado = b.valor("Calculado").comoLogico();
            r.push_back(std::move(l));
        }
        return r;
    }
    std::vector<Lida> doItem(int item, int mes = 0, int ano = 0) {
        std::vector<Lida> r;
        for (auto& l : le())
            if (l.item == item && (mes == 0 || (l.mes == mes && l.ano == ano))) r.push_back(l);
        return r;
    }
    double valor(int item, int mes, int ano) {
        auto r = doItem(item, mes, ano);
        EXPECT_EQ(r.size(), 1u) << "item " << item << " " << mes << "/" << ano;
        return r.empty() || r[0].valor.nulo() ? NAN : r[0].valor.comoNumero();
    }
};

TEST_F(CalculoMensalTeste, DiferencaEntreDevidoEPago) {
    insere({Valor_(10, 1, 2004, 1000, "Z"), Valor_(11, 1, 2004, 1200),   // Z: negative zeroed
            Valor_(10, 2, 2004, 1000, "C"), Valor_(11, 2, 2004, 1200),   // C: kept
            Valor_(10, 3, 2004, 1000, "Z"),                               // no paid row
            Valor_(10, 4, 2004, 900), Valor_(10, 4, 2004, 200, "Z"), Valor_(11, 4, 2004, 300),
            Valor_(20, 1, 2004, 50), Valor_(21, 1, 2004, 10)});          // 22 not in the catalogue
    opcoes.dtBasePadrao.dataBasePadrao = 5;
    const auto r = calcula();
    EXPECT_EQ(r.varreduras, 1);
    EXPECT_DOUBLE_EQ(valor(12, 1, 2004), 0.0);
    EXPECT_DOUBLE_EQ(valor(12, 2, 2004), -200.0);
    EXPECT_TRUE(doItem(12, 3, 2004).empty());
    EXPECT_DOUBLE_EQ(valor(12, 4, 2004), 800.0);  // 900 + 200 - 300
    EXPECT_TRUE(doItem(22).empty());

    // The added row is completed as the grid completes a new row.
    const Lida d = doItem(12, 2, 2004).at(0);
    EXPECT_EQ(d.vfm, "D");
    EXPECT_EQ(d.inss, "S");
    EXPECT_DOUBLE_EQ(d.qtde.comoNumero(), 1.0);
    EXPECT_EQ(d.codDataBasePadrao, 5);
    EXPECT_EQ(d.dtBase, Data::de(2004, 3, 1));  // first working day of the next month
    for (const auto& l : le()) EXPECT_TRUE(l.calculado) << l.item;
    EXPECT_EQ(r.linhas, 13);

    // The next run replaces the difference rows with new ones of the same value.
    const auto antes = doItem(12);
    calcula();
    const auto depois = doItem(12);
    ASSERT_EQ(antes.size(), depois.size());
    for (size_t i = 0; i < antes.size(); ++i) {
        EXPECT_GT(depois[i].codigo, antes[i].codigo);
        EXPECT_EQ(depois[i].valor, antes[i].valor);
    }
}

TEST_F(CalculoMensalTeste, FamiliaSemDiferencaNaoEscondeAFamiliaSeguinte) {
    // Month 1 ends with a family whose difference code is missing; month 2
    // starts with a family that has one: its difference must still be valued.
    insere({Valor_(20, 1, 2004, 50), Valor_(21, 1, 2004, 10), Valor_(10, 2, 2004, 300, "C"),
            Valor_(11, 2, 2004, 100)});
    EXPECT_EQ(calcula().varreduras, 1);
    EXPECT_DOUBLE_EQ(valor(12, 2, 2004), 200.0);
}

TEST_F(CalculoMensalTeste, ValoresDeReferenciaELinhasBase) {
    salarioMinimo(3, 2004, 260.00004, 13.48, 18.6);
    serie("Salario.DB", "Salario", "SalMin", 7, 3, 2004, 500.5);
    serie("Salario.DB", "Salario", "SalMin", 8, 3, 2004, 999);  // another series
    serie("VTransp.DB", "ValeTransporte", "VTransp", 3, 3, 2004, 4.25);
    baseSalarial(3, 2004, 1000);
    baseSalarial(3, 2004, 234.5);
    baseSalarial(4, 2004, 1);
    Linha vt;
    vt.item = 999, vt.mes = 3, vt.vfm = "F", vt.qtde = 22;
    Linha sf1 = vt, sf2 = vt, bases = vt;
    sf1.item = 998, sf1.qtde = 2;
    sf2.item = 997, sf2.qtde = 1;
    bases.item = 4, bases.qtde.reset();
    insere({Fator(55, 3, 2004, 1, 2), Fator(56, 3, 2004, 3, 0.5), Fator(57, 3, 2004, 999, 1, 1, 2), vt, sf1, sf2,
            bases, Fator(58, 3, 2004, 4, 1, 1, 10)});
    const auto r = calcula();
    // Step 4 added one row of item 1 and one of item 3 with quantity 1.
    const Lida um = doItem(1, 3, 2004).at(0);
    EXPECT_DOUBLE_EQ(um.qtde.comoNumero(), 1.0);
    EXPECT_EQ(um.vfm, "F");
    EXPECT_EQ(um.inss, "N");
    EXPECT_TRUE(um.base.nulo());
    EXPECT_DOUBLE_EQ(um.valor.comoNumero(), 260.0);  // the reference value taken with four decimals
    EXPECT_DOUBLE_EQ(valor(3, 3, 2004), 500.5);
    EXPECT_DOUBLE_EQ(valor(55, 3, 2004), 520.0);
    EXPECT_DOUBLE_EQ(valor(56, 3, 2004), 250.25);
    EXPECT_DOUBLE_EQ(valor(999, 3, 2004), 93.5);
    EXPECT_DOUBLE_EQ(valor(998, 3, 2004), 26.96);
    EXPECT_DOUBLE_EQ(valor(997, 3, 2004), 18.6);
    EXPECT_DOUBLE_EQ(valor(4, 3, 2004), 1234.5);
    EXPECT_DOUBLE_EQ(valor(58, 3, 2004), 123.45);
    // Item 999 comes last in its month: the row based on it waits one sweep.
    EXPECT_DOUBLE_EQ(valor(57, 3, 2004), 46.75);
    EXPECT_EQ(r.varreduras, 2);
    // Every valued row got its base date from its code (1: last day of the month).
    for (const auto& l : le()) EXPECT_EQ(l.dtBase, Data::de(2004, 3, 31)) << l.item;
}

TEST_F(CalculoMensalTeste, BaseDeDuasLinhasENegativaAnulada) {
    insere({Valor_(2, 5, 2004, 500), Valor_(2, 5, 2004, 300), Fator(55, 5, 2004, 2, 1),
            Valor_(2, 6, 2004, -100), Fator(55, 6, 2004, 2, 2), Fator(56, 6, 2004, 55, 1)});
    calcula();
    EXPECT_DOUBLE_EQ(valor(55, 5, 2004), 800.0);
    EXPECT_DOUBLE_EQ(valor(55, 6, 2004), -200.0);
    EXPECT_DOUBLE_EQ(valor(56, 6, 2004), -200.0);

    opcoes.anularReflexoNegativo = true;
    calcula();
    EXPECT_DOUBLE_EQ(valor(55, 5, 2004), 800.0);
    EXPECT_DOUBLE_EQ(valor(55, 6, 2004), 0.0);
    EXPECT_DOUBLE_EQ(valor(56, 6, 2004), 0.0);
}

TEST_F(CalculoMensalTeste, BaseDeLinhaAindaNaoCalculadaNoMesmoMes) {
    // 56 is based on 57, a factor row later in the month: its value is worked
    // out on the spot (and stored when 57's turn comes).
    insere({Valor_(2, 5, 2004, 1000), Fator(56, 5, 2004, 57, 1, 1, 4), Fator(57, 5, 2004, 2, 3, 2, 2)});
    EXPECT_EQ(calcula().varreduras, 1);
    EXPECT_DOUBLE_EQ(valor(57, 5, 2004), 3000.0);
    EXPECT_DOUBLE_EQ(valor(56, 5, 2004), 750.0);
}

TEST_F(CalculoMensalTeste, MediaDivideMesesDoPeriodo) {
    std::vector<Linha> ls;
    for (int mes = 1; mes <= 12; ++mes) ls.push_back(Valor_(2, mes, 2004, 1000));
    for (int mes = 1; mes <= 6; ++mes) {
        Linha h = Fator(30, mes, 2004, 2, mes * 10.0, 1, 100);
        ls.push_back(h);
    }
    ls.push_back(Media(40, 12, 2004, "M", 30, 1, 2004, 12, 2004));
    insere(ls);
    calcula();
    // Sum of the averaged quantities (10 + ... + 60 = 210) over 12 months.
    const Lida m = doItem(40, 12, 2004).at(0);
    EXPECT_DOUBLE_EQ(m.qtde.comoNumero(), 17.5);
    EXPECT_DOUBLE_EQ(m.valor.comoNumero(), 17500.0);
    EXPECT_TRUE(m.calculado);
}

TEST_F(CalculoMensalTeste, ComissaoEsperaAsLinhasDaJanela) {
    std::vector<Linha> ls;
    for (int mes = 1; mes <= 12; ++mes) {
        ls.push_back(Valor_(2, mes, 2004, 100.0 * mes));
        ls.push_back(Fator(60, mes, 2004, 2, 1, 1, 1));
    }
    // Averaged rows after it (months 7..12) make it wait for the next sweep.
    ls.push_back(Media(50, 6, 2004, "C", 60, 1, 2004, 12, 2004));
    insere(ls);
    auto r = calcula();
    EXPECT_EQ(r.varreduras, 2);
    EXPECT_DOUBLE_EQ(valor(50, 6, 2004), 7800.0 / 12);

    // Corrected average: each averaged value times its correction factor.
    opcoes.atualizarBaseMedia = true;
    opcoes.indPrincipal = 9;
    std::vector<std::tuple<int, Data, Data>> pedidos;
    fator = [&](int ind, Data de, Data ate) {
        pedidos.emplace_back(ind, de, ate);
        return de.mes() <= 6 ? 2.0 : 1.0;
    };
    calcula();
    EXPECT_DOUBLE_EQ(valor(50, 6, 2004), (2 * 2100.0 + 5700.0) / 12);
    ASSERT_EQ(pedidos.size(), 12u);
    EXPECT_EQ(std::get<0>(pedidos[0]), 9);
    EXPECT_EQ(std::get<1>(pedidos[0]), Data::de(2004, 1, 31));
    EXPECT_EQ(std::get<2>(pedidos[0]), opcoes.dtBase);

    // A failing factor stops the run with its own message.
    fator = [](int, Data d, Data) -> double { throw ErroKorva("ERRO - Não há índice de atualização diária para " + d.dma() + "!"); };
    EXPECT_EQ(falha(), "ERRO - Não há índice de atualização diária para 31/01/2004!");
}

TEST_F(CalculoMensalTeste, MensagensDeParada) {
    insere({Fator(55, 3, 2004, 1, 2)});
    EXPECT_EQ(falha(), "ERRO! - Não existe Salário Mínimo cadastrado para o mes 03/2004.");
}

TEST_F(CalculoMensalTeste, MensagensDasReferenciasQueFaltam) {
    const std::vector<std::pair<int, std::string>> casos = {
        {3, "ERRO! - Não existe Salário cadastrado para o mes 11/2003."},
        {997, "ERRO! - Não existe Salário-Família 2 cadastrado para o mes 11/2003."},
        {998, "ERRO! - Não existe Salário-Família 1 cadastrado para o mes 11/2003."},
        {999, "ERRO! - Não existe Vale-Transporte cadastrado para o mes 11/2003."},
    };
    for (const auto& [item, msg] : casos) {
        banco.esvaziaTabela(tabelaB);
        Linha l;
        l.item = item, l.mes = 11, l.ano = 2003, l.vfm = "F", l.qtde = 1;
        insere({l});
        EXPECT_EQ(falha(), msg);
    }
}

TEST_F(CalculoMensalTeste, BaseAusenteEMaisDeVinteLinhas) {
    insere({Fator(55, 3, 2004, 999, 1)});
    EXPECT_EQ(falha(), "ERRO! Não Existe Item Base 999 cadastrado para o Mes 03/2004.");

    banco.esvaziaTabela(tabelaB);
    std::vector<Linha> ls(21, Valor_(2, 3, 2004, 1));
    ls.push_back(Fator(55, 3, 2004, 2, 1));
    insere(ls);
    EXPECT_EQ(falha(), "ERRO! Detectado Item com mais de 20 Itens Base.");
}

TEST_F(CalculoMensalTeste, LacosEDadosInvalidosParamComMensagemClara) {
    insere({Valor_(2, 3, 2004, 1), Fator(55, 3, 2004, 56, 1), Fator(56, 3, 2004, 55, 1)});
    EXPECT_EQ(falha(), GradeCalculo::MsgCircular(56, 2004, 3));
    EXPECT_EQ(falha(), "ERRO! Referência circular entre itens base: item 056 do mês 03/2004.");

    banco.esvaziaTabela(tabelaB);
    // Commission rows whose windows wait on each other.
    insere({Media(50, 3, 2004, "C", 60, 3, 2004, 3, 2004), Media(60, 3, 2004, "C", 50, 3, 2004, 3, 2004)});
    EXPECT_EQ(falha(), "ERRO! Não foi possível calcular o item 050 do mês 03/2004: ele depende de linhas que "
                       "nunca recebem valor.");

    banco.esvaziaTabela(tabelaB);
    // A due row no rule values (an unknown kind) keeps its difference waiting.
    Linha estranha = Valor_(10, 3, 2004, 5);
    estranha.vfm = "X";
    insere({estranha, Valor_(11, 3, 2004, 1)});
    EXPECT_EQ(falha(), GradeCalculo::MsgSemValor(10, 2004, 3));

    banco.esvaziaTabela(tabelaB);
    insere({Valor_(2, 3, 2004, 1), Fator(55, 3, 2004, 2, 1, 1, 0.0)});
    EXPECT_EQ(falha(), "ERRO! O item 055 do mês 03/2004 tem o Divisor vazio ou igual a zero.");
    banco.esvaziaTabela(tabelaB);
    insere({Valor_(2, 3, 2004, 1), Fator(55, 3, 2004, 2, 1, 1, std::nullopt)});
    EXPECT_EQ(falha(), GradeCalculo::MsgDivisor(55, 2004, 3));

    banco.esvaziaTabela(tabelaB);
    insere({Valor_(2, 3, 2004, 1), Media(40, 3, 2004, "M", 2, 12, 2004, 1, 2004)});
    EXPECT_EQ(falha(), "ERRO! O período da média do item 040 do mês 03/2004 termina antes de começar.");
    EXPECT_EQ(GradeCalculo::QtdeMeses(12, 2004, 1, 2004), 0);
    EXPECT_EQ(GradeCalculo::QtdeMeses(11, 2003, 2, 2004), 4);
    EXPECT_EQ(GradeCalculo::QtdeMeses(5, 2004, 5, 2004), 1);
}

TEST_F(CalculoMensalTeste, ParadaGravaOEstadoParcial) {
    salarioMinimo(1, 2004, 240);
    std::vector<Linha> ls = {Fator(55, 1, 2004, 1, 2), Valor_(10, 1, 2004, 100, "C"), Valor_(11, 1, 2004, 40),
                             Fator(55, 3, 2004, 1, 2), Valor_(10, 3, 2004, 100, "C"), Valor_(11, 3, 2004, 40)};
    // A difference row of an earlier run, and a value row stored uncalculated.
    Linha velha = Valor_(12, 2, 2004, 77);
    velha.vfm = "D";
    velha.calculado = true;
    ls.push_back(velha);
    insere(ls);
    EXPECT_EQ(falha(), "ERRO! - Não existe Salário Mínimo cadastrado para o mes 03/2004.");

    const auto b = le();
    std::map<std::tuple<int, int>, Lida> linhas;
    for (const auto& l : b) linhas[std::make_tuple(l.item, l.mes)] = l;
    auto por = [&](int item, int mes) { return linhas[std::make_tuple(item, mes)]; };
    EXPECT_EQ(b.size(), 10u);  // 6 + two difference rows + two base rows, the old one gone
    EXPECT_EQ(linhas.count(std::make_tuple(12, 2)), 0u);
    EXPECT_TRUE(por(1, 1).calculado);
    EXPECT_DOUBLE_EQ(por(1, 1).valor.comoNumero(), 240.0);
    EXPECT_TRUE(por(55, 1).calculado);
    EXPECT_DOUBLE_EQ(por(55, 1).valor.comoNumero(), 480.0);
    EXPECT_EQ(por(55, 1).dtBase, Data::de(2004, 1, 31));
    EXPECT_TRUE(por(10, 1).calculado);  // value rows are calculated as they stand
    // The run stopped before the difference pass: the added rows wait.
    EXPECT_FALSE(por(12, 1).calculado);
    EXPECT_DOUBLE_EQ(por(12, 1).valor.comoNumero(), 0.0);
    EXPECT_FALSE(por(12, 3).calculado);
    EXPECT_FALSE(por(1, 3).calculado);
    EXPECT_FALSE(por(55, 3).calculado);
    EXPECT_EQ(por(55, 3).dtBase, Data::de(1990, 1, 1));  // not stored, so not recomputed

    // Once the month is there, the next run finishes the grid.
    salarioMinimo(3, 2004, 260);
    calcula();
    for (const auto& l : le()) EXPECT_TRUE(l.calculado) << l.item << " " << l.mes;
    EXPECT_DOUBLE_EQ(valor(55, 3, 2004), 520.0);
    EXPECT_DOUBLE_EQ(valor(12, 3, 2004), 60.0);
}

TEST_F(CalculoMensalTeste, FalhaAoGravarDeixaBComoEstava) {
    salarioMinimo(1, 2004, 240);
    insere({Fator(55, 1, 2004, 1, 2), Valor_(10, 1, 2004, 100, "C"), Valor_(11, 1, 2004, 40), Fator(77, 1, 2004, 55, 1)});
    {
        // The store refuses to change one row while the run writes.
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(banco.caminho(tabelaB).c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db,
                               "CREATE TRIGGER recusa BEFORE UPDATE ON Tabela WHEN NEW.Item = 77 "
                               "BEGIN SELECT RAISE(ABORT, 'recusado'); END",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    auto descreve = [&] {
        std::vector<std::string> r;
        for (const auto& l : le())
            r.push_back(std::to_string(l.codigo) + ":" + std::to_string(l.item) + ":" + l.valor.comoTexto() + ":" +
                        std::to_string(l.calculado));
        return r;
    };
    const auto antes = descreve();
    EXPECT_THROW(calcula(), ErroKorva);
    EXPECT_EQ(descreve(), antes);
}

TEST_F(CalculoMensalTeste, OpcoesDoProcessoETempo) {
    banco.criaTabela("Processo.DB", EsquemaProcesso());
    Tabela p(banco, "Processo.DB");
    p.abre();
    p.insere();
    p["Processo"] = "1";
    p["Salario"] = 4;
    p["ValeTransporte"] = 6;
    p["AtualizarBaseMedia"] = true;
    p["AnularReflexoNegativo"] = true;
    p["IndPrincipal"] = 12;
    p["DtBase"] = Data::de(2011, 2, 28);
    p["DataBasePadrao"] = 9;
    p["AtualizaFeriadosEstaduais"] = true;
    p["AtualizaFeriadosMunic"] = 33;
    const OpcoesCalculoMensal o = OpcoesCalculoMensalDe(p);
    EXPECT_EQ(o.salario, 4);
    EXPECT_EQ(o.valeTransporte, 6);
    EXPECT_TRUE(o.atualizarBaseMedia);
    EXPECT_TRUE(o.anularReflexoNegativo);
    EXPECT_EQ(o.indPrincipal, 12);
    EXPECT_EQ(o.dtBase, Data::de(2011, 2, 28));
    EXPECT_EQ(o.dtBasePadrao.dataBasePadrao, 9);
    EXPECT_FALSE(o.dtBasePadrao.feriadosNacionais);
    EXPECT_TRUE(o.dtBasePadrao.feriadosEstaduais);
    EXPECT_EQ(o.dtBasePadrao.feriadosMunic, 33);
    p.cancela();

    using namespace std::chrono;
    EXPECT_EQ(TextoTempoCalculo(milliseconds(999)), "Tempo de Cálculo: 00:00:00");
    EXPECT_EQ(TextoTempoCalculo(hours(1) + minutes(2) + seconds(3) + milliseconds(600)), "Tempo de Cálculo: 01:02:03");
}

TEST_F(CalculoMensalTeste, DataDigitadaNasLinhasAcrescentadas) {
    // With the typed-date code there is no date to type on an added row: it
    // takes the date of the row that made it necessary.
    opcoes.dtBasePadrao.dataBasePadrao = CodigoDtBaseDigitada;
    salarioMinimo(6, 2004, 260);
    Tabela b(banco, tabelaB);
    b.abre();
    for (auto [item, valor] : {std::pair{10, 100.0}, std::pair{11, 30.0}}) {
        b.insere();
        b["Item"] = item, b["Mes"] = 6, b["Ano"] = 2004, b["VFM"] = "V", b["Valor"] = valor;
        b["CodDataBasePadrao"] = CodigoDtBaseDigitada, b["DtBase"] = Data::de(2004, 7, 15);
        b["Calculado"] = false, b["INSS"] = "S";
        b.grava();
    }
    b.fecha();
    insere({Fator(55, 6, 2004, 1, 1)});
    calcula();
    const Lida d = doItem(12, 6, 2004).at(0);
    EXPECT_EQ(d.codDataBasePadrao, CodigoDtBaseDigitada);
    EXPECT_EQ(d.dtBase, Data::de(2004, 7, 15));
    EXPECT_DOUBLE_EQ(d.valor.comoNumero(), 70.0);
    EXPECT_EQ(doItem(1, 6, 2004).at(0).dtBase, Data::de(1990, 1, 1));  // the factor row's date as inserted
}

// ---- property: random grids ----

struct Gerador {
    std::mt19937 rng;
    explicit Gerador(unsigned semente) : rng(semente) {}
    int ate(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    bool chance(int pct) { return ate(100) < pct; }

    // Two years of months with families, factors on fixed items and on each
    // other (always on a lower code, so no loop), averages and commissions.
    std::vector<Linha> grade() {
        std::vector<Linha> ls;
        for (int ano = 2003; ano <= 2004; ++ano)
            for (int mes = 1; mes <= 12; ++mes) {
                const int nSal = 1 + ate(2);
                for (int k = 0; k < nSal; ++k) ls.push_back(Valor_(2, mes, ano, 100 + ate(900)));
                Linha vt;
                vt.item = 999, vt.mes = mes, vt.ano = ano, vt.vfm = "F", vt.qtde = 1 + ate(22);
                ls.push_back(vt);
                Linha b4 = vt;
                b4.item = 4, b4.qtde.reset();
                const bool com4 = chance(50);
                if (com4) ls.push_back(b4);
                const std::string dif = chance(50) ? "Z" : "C";
                const size_t antes = ls.size();
                auto tem = [&](int item) {
                    for (size_t k = antes; k < ls.size(); ++k)
                        if (ls[k].item == item) return true;
                    return false;
                };
                if (chance(80)) {
                    ls.push_back(Fator(10, mes, ano, chance(50) ? 1 : 3, 1 + ate(3), 1, 1));
                    ls.back().diferenca = dif;  // one option per family and month
                }
                if (chance(70)) ls.push_back(Valor_(10, mes, ano, ate(500), dif));
                if (chance(70)) ls.push_back(Valor_(11, mes, ano, ate(1500)));
                if (tem(10) && chance(60)) ls.push_back(Fator(20, mes, ano, 10, 1 + ate(4), 1.5, 2));
                if (chance(60)) ls.push_back(Fator(21, mes, ano, 999, 1, 1, 4));
                if (chance(60)) ls.push_back(Fator(30, mes, ano, com4 && chance(50) ? 4 : 2, 1 + ate(50), 1.25, 220));
                if (tem(30) && chance(40)) ls.push_back(Fator(35, mes, ano, 30, 1, 1, 3));
                if (chance(40)) {
                    ls.push_back(Fator(36, mes, ano, 37, 2, 1, 1));
                    ls.push_back(Fator(37, mes, ano, 2, 1, 1, 8));
                }
                const int m1 = 1 + ate(12), a1 = 2003 + ate(2);
                const int span = ate(14);
                const int m2 = (m1 - 1 + span) % 12 + 1, a2 = a1 + (m1 - 1 + span) / 12;
                if (chance(30)) ls.push_back(Media(40, mes, ano, "M", 30, m1, a1, m2, a2));
                if (chance(30)) ls.push_back(Media(50, mes, ano, "C", chance(50) ? 20 : 30, m1, a1, m2, a2));
                if (chance(20)) ls.push_back(Media(60, mes, ano, "C", 50, m1, a1, m2, a2));
            }
        return ls;
    }
};

struct CalculoMensalPropriedade : CalculoMensalTeste {
    void SetUp() override {
        CalculoMensalTeste::SetUp();
        teste::InsereVerba(banco, 22, "Diferença 2", "S", 1.0, 1.0, 1.0);
        for (int ano = 2003; ano <= 2004; ++ano)
            for (int mes = 1; mes <= 12; ++mes) {
                salarioMinimo(mes, ano, 200 + mes);
                serie("Salario.DB", "Salario", "SalMin", 7, mes, ano, 400 + mes);
                serie("VTransp.DB", "ValeTransporte", "VTransp", 3, mes, ano, 2.5);
                baseSalarial(mes, ano, 1000 + ano - 2000);
            }
    }

    // Values of every (item, month), sorted, so that rows sharing a key compare as a set.
    std::map<std::tuple<int, int, int>, std::vector<double>> valores() {
        std::map<std::tuple<int, int, int>, std::vector<double>> r;
        for (const auto& l : le()) {
            EXPECT_TRUE(l.calculado) << l.item << " " << l.mes << "/" << l.ano;
            r[{l.ano, l.mes, l.item}].push_back(l.valor.comoNumero());
        }
        for (auto& [k, v] : r) std::sort(v.begin(), v.end());
        return r;
    }
};

TEST_F(CalculoMensalPropriedade, GradesAleatorias) {
    int maisDeUmaVarredura = 0;
    for (unsigned semente : {1u, 2u, 3u, 4u, 5u, 6u}) {
        SCOPED_TRACE("semente " + std::to_string(semente));
        Gerador g(semente);
        std::vector<Linha> ls = g.grade();
        opcoes.anularReflexoNegativo = semente % 2 == 0;
        opcoes.atualizarBaseMedia = semente % 3 == 0;
        fator = [](int, Data de, Data) { return 1.0 + (de.mes() % 4) * 0.125; };

        banco.esvaziaTabela(tabelaB);
        insere(ls);
        const auto r = calcula();
        EXPECT_GE(r.varreduras, 1);
        EXPECT_LE(r.varreduras, r.linhas + 1);
        if (r.varreduras > 1) ++maisDeUmaVarredura;
        const auto primeira = valores();
        size_t total = 0;
        for (const auto& [k, v] : primeira) total += v.size();
        EXPECT_EQ(total, static_cast<size_t>(r.linhas));

        // Running again over the calculated grid gives the same values.
        calcula();
        EXPECT_EQ(valores(), primeira);

        // The order in which the rows were entered changes no value.
        std::shuffle(ls.begin(), ls.end(), g.rng);
        banco.esvaziaTabela(tabelaB);
        insere(ls);
        calcula();
        const auto embaralhada = valores();
        ASSERT_EQ(embaralhada.size(), primeira.size());
        for (const auto& [k, v] : primeira) {
            const auto& w = embaralhada.at(k);
            ASSERT_EQ(v.size(), w.size());
            for (size_t i = 0; i < v.size(); ++i)
                EXPECT_NEAR(v[i], w[i], 1e-9 * std::max(1.0, std::fabs(v[i])))
                    << std::get<2>(k) << " " << std::get<1>(k) << "/" << std::get<0>(k);
        }
    }
    // The grids do make rows wait for later sweeps.
    EXPECT_GT(maisDeUmaVarredura, 0);
}

}  // namespace
}  // namespace korva
