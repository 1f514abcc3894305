// The lawsuit summary: the figures of each claimant's block, the additions
// and the totals of the execution, and the laid-out report.
#include "reports/RelatorioResumo.h"

#include <gtest/gtest.h>

#include "reports/BandasComuns.h"
#include "reports/ModeloTexto.h"
#include "reports/TextoPlano.h"
#include "results/BaseResultados.h"
#include "util/Erros.h"

using namespace korva;
using teste::D;
using teste::Insere;

namespace {

// Exempt up to 1000, 10 % above less 100; 50 per dependant.
FaixaIR Faixa(double deducaoDaBase = 0) {
    FaixaIR f;
    f.limiteMinimo = 1000;
    f.limite1 = 1e9;
    f.percentual1 = 10;
    f.deducao1 = 100;
    f.limite2 = 2e9;
    f.limite3 = 3e9;
    f.deducaoDependente = 50;
    f.deducaoDaBase = deducaoDaBase;
    return f;
}

// A claimant of a calculation with 1000 of principal, 200 of interest, 200 of
// FGTS, an INSS base of 2000 at single rates 8 / 20 / 2 / 5.8 and 3000 of IR
// base in "Única".
LinhaResumo Linha(const std::string& nome, int dependentes, int grupo = 1) {
    LinhaResumo l;
    l.codRecte = grupo;
    l.nome = nome;
    l.valorSemJuros = 1000;
    l.valor = 1200;
    l.fgts = 200;
    l.totalBaseINSS = 2000;
    l.inssReclamante = 8;
    l.inssReclamado = 20;
    l.inssRisco = 2;
    l.inssTerceiros = 5.8;
    l.aliquotaUnica = true;
    l.totalBaseIRDemais = 3000;
    l.qtdeDependentes = dependentes;
    l.opcaoIR = OpcaoIR::ParcelaUnica;
    l.qtdeMesesComBaseIR = 1;
    return l;
}

ParametrosResumo ParamResumo(bool adicionar = false) {
    ParametrosResumo p;
    p.dtBase = D(1, 1, 2002);
    p.indPrincipal = 7;
    p.adicionarINSSRecte = adicionar;
    p.faixaIR = Faixa();
    return p;
}

double SemFator(int, Data, Data) {
    ADD_FAILURE() << "no daily factor expected";
    return 1;
}

Acrescimo Percentual(double taxa, double minimo = 0, double maximo = 0) {
    Acrescimo a;
    a.descricao = "Honorários";
    a.tipo = "P";
    a.valor = taxa;
    a.limMinimo = minimo;
    a.limMaximo = maximo;
    return a;
}

Acrescimo PorValor(double valor, std::optional<Data> dtBase) {
    Acrescimo a;
    a.descricao = "Custas";
    a.tipo = "V";
    a.valor = valor;
    a.dtBase = dtBase;
    return a;
}

}  // namespace

TEST(ResumoProcesso, DoisReclamantesDoGrupoTemBlocosIguaisEImpostoProprio) {
    const Resumo r = CalculaResumo({Linha("ANA", 0), Linha("BIA", 2)}, {}, ParamResumo(), SemFator);
    ASSERT_EQ(r.blocos.size(), 2u);
    for (const BlocoReclamante& b : r.blocos) {
        EXPECT_DOUBLE_EQ(b.juros, 200);
        EXPECT_EQ(b.rotuloReclamante, "Reclamante: (8,00%)");
        EXPECT_DOUBLE_EQ(b.inssReclamante, 160);
        EXPECT_EQ(b.rotuloReclamado, "Reclamado: (20,00%)");
        EXPECT_DOUBLE_EQ(b.reclamado.fpas, 400);
        EXPECT_DOUBLE_EQ(b.reclamado.risco, 40);
        EXPECT_DOUBLE_EQ(b.reclamado.terceiros, 116);
        EXPECT_EQ(b.tituloIR, "IMPOSTO DE RENDA:");
        ASSERT_EQ(b.colunasIR.size(), 1u);
        EXPECT_EQ(b.colunasIR[0].rotulo, "Única");
        EXPECT_DOUBLE_EQ(b.colunasIR[0].inssReclamante, 160);
    }
    // Each claimant's own dependants: 3000 - 160 = 2840 and 2840 - 2 x 50.
    EXPECT_DOUBLE_EQ(r.blocos[0].ir, 184);
    EXPECT_DOUBLE_EQ(r.blocos[1].ir, 174);
    // Both enter the sums.
    EXPECT_DOUBLE_EQ(r.principal, 2000);
    EXPECT_DOUBLE_EQ(r.principalComJuros, 2400);
    EXPECT_DOUBLE_EQ(r.fgts, 400);
    EXPECT_DOUBLE_EQ(r.reclamante, 320);
    EXPECT_DOUBLE_EQ(r.reclamado, 800);
    EXPECT_DOUBLE_EQ(r.risco, 80);
    EXPECT_DOUBLE_EQ(r.terceiros, 232);
    EXPECT_DOUBLE_EQ(r.ir, 358);
    EXPECT_DOUBLE_EQ(r.totalCalculo, 2400);
    EXPECT_DOUBLE_EQ(r.totalReclamado(), 1112);
    EXPECT_DOUBLE_EQ(r.totalINSS(), 1432);
    // The income tax is shown but never subtracted; without the employee INSS
    // added, the grand total holds only the defendant's contributions.
    EXPECT_DOUBLE_EQ(r.contribuicoesDevidas(), 1112);
    EXPECT_DOUBLE_EQ(r.totalGeral(), 2400 + 400 + 1112);
}

TEST(ResumoProcesso, ContribuicaoDoReclamanteSemAliquotaUnicaEFeriasSemDeducaoDaBase) {
    LinhaResumo l = Linha("ANA", 0);
    l.aliquotaUnica = false;
    l.valorINSSReclamante = 90;
    l.irSobreJuros = true;
    l.opcaoIR = OpcaoIR::TrezeFeriasDemais;
    l.totalBaseIR13 = 2100;
    l.totalBaseIRFerias = 2100;
    l.totalBaseIRDemais = 2100;
    l.qtdeMesesComBaseIR = 2;
    ParametrosResumo p = ParamResumo();
    p.faixaIR = Faixa(100);
    const Resumo r = CalculaResumo({l}, {}, p, SemFator);
    const BlocoReclamante& b = r.blocos.at(0);
    EXPECT_EQ(b.rotuloReclamante, "Reclamante:");
    EXPECT_DOUBLE_EQ(b.inssReclamante, 90);
    EXPECT_EQ(b.tituloIR, "IMPOSTO DE RENDA: (juros inclusos)");
    ASSERT_EQ(b.colunasIR.size(), 3u);
    EXPECT_EQ(b.colunasIR[2].rotulo, "Férias");
    // The same employee INSS in every column; DeducaoDaBase everywhere but "Férias".
    EXPECT_DOUBLE_EQ(b.colunasIR[0].tributavel, 2100 - 90 - 100);
    EXPECT_DOUBLE_EQ(b.colunasIR[1].tributavel, 2100 - 90 - 100);
    EXPECT_DOUBLE_EQ(b.colunasIR[2].tributavel, 2100 - 90);
    // n = 2 doubles the exemption limit to 2000: 1910 is exempt, 2010 is not.
    EXPECT_DOUBLE_EQ(b.colunasIR[0].devido, 0);
    EXPECT_DOUBLE_EQ(b.colunasIR[2].devido, 201 - 200);
    EXPECT_DOUBLE_EQ(b.ir, 1);
    EXPECT_DOUBLE_EQ(r.reclamante, 90);

    l.opcaoIR = OpcaoIR::NaoCalcular;
    const Resumo semIR = CalculaResumo({l}, {}, p, SemFator);
    EXPECT_TRUE(semIR.blocos[0].colunasIR.empty());
    EXPECT_DOUBLE_EQ(semIR.ir, 0);
}

TEST(ResumoProcesso, AcrescimoPercentualComLimitesMinimoEMaximo) {
    const ParametrosResumo p = ParamResumo();
    // 10 % of (1000 + 200).
    AcrescimoResumo a = CalculaAcrescimo(Percentual(10), 1000, 200, p, SemFator);
    EXPECT_DOUBLE_EQ(a.valor, 120);
    EXPECT_EQ(a.texto, "R$ 120,00");
    EXPECT_EQ(a.formula, "(1.200,00 * 10,00%)");
    EXPECT_DOUBLE_EQ(CalculaAcrescimo(Percentual(10, 150), 1000, 200, p, SemFator).valor, 150);
    EXPECT_DOUBLE_EQ(CalculaAcrescimo(Percentual(10, 0, 100), 1000, 200, p, SemFator).valor, 100);
    // A minimum that applies leaves the maximum unlooked at; one that does
    // not apply lets the maximum cut.
    EXPECT_DOUBLE_EQ(CalculaAcrescimo(Percentual(10, 150, 100), 1000, 200, p, SemFator).valor, 150);
    EXPECT_DOUBLE_EQ(CalculaAcrescimo(Percentual(10, 100, 110), 1000, 200, p, SemFator).valor, 110);
    // Limits of 0 are no limits.
    EXPECT_DOUBLE_EQ(CalculaAcrescimo(Percentual(10, 0, 0), 1000, 200, p, SemFator).valor, 120);
}

TEST(ResumoProcesso, AcrescimoPorValorCorrigidoPeloIndicePrincipal) {
    const ParametrosResumo p = ParamResumo();
    std::vector<std::tuple<int, Data, Data>> chamadas;
    const FatorDiario fator = [&](int cod, Data de, Data ate) {
        chamadas.emplace_back(cod, de, ate);
        return 1.5;
    };
    const AcrescimoResumo a = CalculaAcrescimo(PorValor(1000, D(1, 3, 2001)), 0, 0, p, fator);
    EXPECT_DOUBLE_EQ(a.valor, 1500);
    EXPECT_EQ(a.texto, "R$ 1.500,00");
    EXPECT_EQ(a.formula, "(1.000,00 * 1,500000000)");
    ASSERT_EQ(chamadas.size(), 1u);
    EXPECT_EQ(std::get<0>(chamadas[0]), 7);
    EXPECT_EQ(std::get<1>(chamadas[0]), D(1, 3, 2001));
    EXPECT_EQ(std::get<2>(chamadas[0]), D(1, 1, 2002));

    // The factor prints with nine decimals, not nine significant digits.
    const AcrescimoResumo b =
        CalculaAcrescimo(PorValor(1, D(1, 3, 2001)), 0, 0, p, [](int, Data, Data) { return 12.3456789012; });
    EXPECT_EQ(b.formula, "(1,00 * 12,345678901)");

    // A missing index stops the report with the factor's message.
    EXPECT_THROW(CalculaAcrescimo(PorValor(1, D(1, 3, 2001)), 0, 0, p,
                                  [](int, Data, Data) -> double { throw ErroDados("sem índice"); }),
                 ErroDados);
    // Without a date there is nothing to correct from.
    try {
        CalculaAcrescimo(PorValor(1, std::nullopt), 0, 0, p, fator);
        ADD_FAILURE() << "expected a failure";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Informe a data base do acréscimo \"Custas\".");
    }
}

TEST(ResumoProcesso, AcrescimosNegativosEINSSDoReclamanteAdicionado) {
    const FatorDiario um = [](int, Data, Data) { return 1.0; };
    const Resumo r = CalculaResumo({Linha("ANA", 0)}, {Percentual(10), PorValor(-50, D(1, 3, 2001))},
                                   ParamResumo(), um);
    ASSERT_EQ(r.acrescimos.size(), 2u);
    // The percentage is over principal with interest + FGTS: 10 % of 1400.
    EXPECT_DOUBLE_EQ(r.acrescimos[0].valor, 140);
    EXPECT_EQ(r.acrescimos[1].texto, "R$ -50,00");
    EXPECT_DOUBLE_EQ(r.totalCalculo, 1200 + 140 - 50);
    EXPECT_DOUBLE_EQ(r.totalGeral(), 1290 + 200 + 556);

    const Resumo a = CalculaResumo({Linha("ANA", 0)}, {}, ParamResumo(true), um);
    // The employee INSS is not deducted from the IR base: 3000 -> 200 due.
    EXPECT_DOUBLE_EQ(a.blocos[0].colunasIR[0].inssReclamante, 0);
    EXPECT_DOUBLE_EQ(a.ir, 200);
    EXPECT_DOUBLE_EQ(a.contribuicoesDevidas(), 556 + 160);
    EXPECT_DOUBLE_EQ(a.totalGeral(), 1200 + 200 + 556 + 160);
    EXPECT_EQ(NotaINSSRecte(a.reclamante), "*Incluída parcela do INSS do Recte. (160,00)");
}

namespace {

CabecalhoRelatorio Cabecalho() {
    CabecalhoRelatorio c;
    c.tribunal = "Tribunal Regional do Trabalho da 15ª Região";
    c.setor = "Contadoria";
    c.processo = "Processo: 1/2001";
    c.dtGrav = "02/01/2002";
    c.dtAjuiz = "01/01/2001";
    c.dtBase = "01/01/2002";
    c.fecho = "Campinas, 01 de janeiro de 1998.";
    c.observacao = "Observação do resumo";
    return c;
}

// The text grid of the 8 pt body font.
const GradeTexto kGrade{1.68, 3.36};

}  // namespace

TEST(ResumoProcesso, TextoDoRelatorioSaiIgualAoModelo) {
    LinhaResumo ana = Linha("ANA", 0);
    ana.irSobreJuros = true;
    LinhaResumo bia = Linha("BIA", 2, 2);
    bia.aliquotaUnica = false;
    bia.valorINSSReclamante = 100;
    bia.opcaoIR = OpcaoIR::TrezeEDemais;
    bia.totalBaseIR13 = 1500;
    bia.qtdeMesesComBaseIR = 2;
    const Resumo r = CalculaResumo({ana, bia}, {Percentual(10, 0, 250), PorValor(-50, D(1, 3, 2001))},
                                   ParamResumo(true), [](int, Data, Data) { return 1.0; });
    MedidorFixo m;
    const Documento d = DiagramaResumo(r, Cabecalho(), "Korva - Justiça do Trabalho", m);
    const std::string texto = TextoPlano(d, kGrade);
    EXPECT_EQ(teste::ForaDaLargura(d), 0);
    EXPECT_EQ(teste::DobraBrancos(texto), R"modelo(----- Pág. 1 -----
                                   Tribunal Regional do Trabalho da 15ª Região
                                                   Contadoria
                                                Resumo de Cálculo
Processo: 1/2001
-----------------------------------------------------------------------------------------------------------------
Grupo: 001          Nome: ANA
Principal Atualizado:                                                    R$ 1.000,00
Juros:                                                                     R$ 200,00
Principal Atualizado + Juros:                                            R$ 1.200,00
FGTS a depositar:                                                          R$ 200,00
* Base de Cálculo - I.N.S.S.:                                            R$ 2.000,00
Contribuições ao INSS:
   Reclamante: (8,00%)                                                     R$ 160,00
   Reclamado: (20,00%)                                                     R$ 400,00
   Riscos Ambientais do Trabalho: (2,00%)                                   R$ 40,00
   Recolhimento de Terceiros: (5,80%)                                      R$ 116,00
IMPOSTO DE RENDA: (juros inclusos)
Parcela:        Base de Cálculo Dependentes     Contribuição Alíquota       Imposto     Dedução        IRRF a
                          Valor                         INSS      (%)                                 Deduzir
Única                  3.000,00        0,00             0,00    10,00        300,00      100,00        200,00
Total do IRRF a deduzir do Recte.: 200,00
Qtde. de Meses com Base para o IR: 1
-----------------------------------------------------------------------------------------------------------------
Grupo: 002          Nome: BIA
Principal Atualizado:                                                    R$ 1.000,00
Juros:                                                                     R$ 200,00
Principal Atualizado + Juros:                                            R$ 1.200,00
FGTS a depositar:                                                          R$ 200,00
* Base de Cálculo - I.N.S.S.:                                            R$ 2.000,00
Contribuições ao INSS:
   Reclamante:                                                             R$ 100,00
   Reclamado: (20,00%)                                                     R$ 400,00
   Riscos Ambientais do Trabalho: (2,00%)                                   R$ 40,00
   Recolhimento de Terceiros: (5,80%)                                      R$ 116,00
IMPOSTO DE RENDA:
Parcela:        Base de Cálculo Dependentes     Contribuição Alíquota       Imposto     Dedução        IRRF a
                          Valor                         INSS      (%)                                 Deduzir
Demais Parcelas        3.000,00      100,00             0,00    10,00        290,00      200,00         90,00
13º Salário            1.500,00      100,00             0,00     0,00          0,00        0,00          0,00
Total do IRRF a deduzir do Recte.: 90,00
Qtde. de Meses com Base para o IR: 2
-----------------------------------------------------------------------------------------------------------------
SUBTOTAL
Principal Atualizado:                                                    R$ 2.000,00
Juros:                                                                     R$ 400,00
PRINCIPAL ATUALIZADO + JUROS:                                            R$ 2.400,00
Honorários                                                                 R$ 250,00  (2.800,00 * 10,00%)
Custas                                                                     R$ -50,00  (-50,00 * 1,000000000)
-----------------------------------------------------------------------------------------------------------------
Valores Atualizados até:                                                  01/01/2002
TOTAL DO CÁLCULO:                                                        R$ 2.600,00
Total do FGTS a depositar:                                                 R$ 400,00
Total de Contribuições ao INSS:
   Reclamante:                                                             R$ 260,00
   Reclamado:                                                              R$ 800,00
   Seguro de Acidente de Trabalho:                                          R$ 80,00
   Recolhimento de Terceiros:                                              R$ 232,00
   TOTAL DO RECLAMADO:                                                   R$ 1.112,00
TOTAL DO INSS:                                                           R$ 1.372,00
TOTAL DO IR:                                                               R$ 290,00

Contribuições previdenciárias devidas pelo reclamado:                    R$ 1.372,00
TOTAL GERAL da execução:                                                 R$ 4.372,00
*Incluída parcela do INSS do Recte. (260,00)

Observação do resumo

                                                                                 Campinas, 01 de janeiro de 1998.
[...]
-----------------------------------------------------------------------------------------------------------------
Korva - Justiça do Trabalho                                                                             Pág.: 1/1
)modelo");
}

namespace {

// Temp.db and the additions table of calculation 1 over the results fixture.
struct ResumoComTabelas : teste::BaseResultados {
    teste::PastaTemporaria pastaTemp;
    Banco temp{"Temp", pastaTemp.caminho()};

    void SetUp() override {
        BaseResultados::SetUp();
        privado.criaTabela("DefAcrescimos.DB", EsquemaDefAcrescimos());
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('E', 1), 4);
        temp.criaTabela(NomeArquivoTemp, EsquemaTemp());
        Insere(temp, NomeArquivoTemp,
               {{"CodRecte", 1}, {"Nome", "ANA"}, {"ValorSemJuros", 1000.0}, {"Valor", 1200.0}, {"FGTS", 200.0},
                {"TotalBaseINSS", 2000.0}, {"INSSReclamante", 8.0}, {"INSSReclamado", 20.0}, {"INSSRisco", 2.0},
                {"INSSTerceiros", 5.8}, {"AliquotaUnica", true}, {"TotalBaseIRDemais", 3000.0},
                {"OpcaoIR", 2}, {"QtdeMesesComBaseIR", 1}});
    }
    void acrescimo(const char* desc, double valor, const char* tipo, std::optional<Data> dt) {
        std::map<std::string, Valor> c{{"Descricao", desc}, {"Valor", valor}, {"Tipo", tipo}};
        c["DtBase"] = dt ? Valor(*dt) : Valor(nullptr);
        Insere(privado, conjunto.NomeTabela('E'), c);
    }
    std::string produz(std::optional<Data> dtBase = std::nullopt) {
        TabelasReferencia ref(compartilhado);
        CorrecaoJuros cj(privado, ref);
        MedidorFixo m;
        ParametrosExecucao p = parametros();
        if (dtBase) p.dtBase = *dtBase;
        return TextoPlano(ProduzResumo(temp, privado, ref, cj, p, false, Cabecalho(), "Korva", m), kGrade);
    }
};

}  // namespace

TEST_F(ResumoComTabelas, LeTempEAcrescimosECorrigePeloIndiceDiario) {
    acrescimo("Custas", 1000.0, "V", D(1, 3, 2001));
    acrescimo("Honorários", 10.0, "P", std::nullopt);
    const std::string texto = produz();
    // Index 1 grows by half from 01/03/2001 to the base date.
    EXPECT_NE(texto.find("Custas"), std::string::npos);
    EXPECT_NE(texto.find("R$ 1.500,00  (1.000,00 * 1,500000000)"), std::string::npos) << texto;
    EXPECT_NE(texto.find("R$ 140,00  (1.400,00 * 10,00%)"), std::string::npos) << texto;
    EXPECT_NE(texto.find("Grupo: 001"), std::string::npos);
    // IR row of the base date: 3000 - 160 over 1000 at 10 % less 100.
    EXPECT_NE(texto.find("Total do IRRF a deduzir do Recte.: 184,00"), std::string::npos) << texto;
    // The employee INSS deducted is shown with its prefix under "Contribuição INSS".
    const size_t unica = texto.find("\nÚnica ");
    ASSERT_NE(unica, std::string::npos);
    const std::string linhaIR = texto.substr(unica + 1, texto.find('\n', unica + 1) - unica - 1);
    EXPECT_NE(linhaIR.find("R$ 160,00"), std::string::npos) << linhaIR;
    EXPECT_EQ(texto.find("*Incluída parcela"), std::string::npos);

    // A date without a daily index stops the report with the index's message.
    acrescimo("Multa", 1.0, "V", D(15, 2, 2001));
    try {
        produz();
        ADD_FAILURE() << "expected a failure";
    } catch (const ErroKorva& e) {
        EXPECT_NE(std::string(e.what()).find("15/02/2001"), std::string::npos) << e.what();
    }
}

TEST_F(ResumoComTabelas, SemLinhasNoTempOuSemFaixaDoIRNaoImprime) {
    temp.esvaziaTabela(NomeArquivoTemp);
    try {
        produz();
        ADD_FAILURE() << "expected a failure";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "Atenção! Não há partes cadastradas para este processo.");
    }
    try {
        produz(D(1, 2, 2002));
        ADD_FAILURE() << "expected a failure";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), "ERRO! Não há Alíquota do IR para 02/2002!");
    }
}
