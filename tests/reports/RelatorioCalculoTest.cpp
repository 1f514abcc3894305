// The three calculation reports: the texts of their month closes and final
// blocks under each condition, and whole reports rendered as plain text for a
// small calculation (two claimants, FGTS, unemployment insurance, a month
// without its INSS bracket row, income tax by option 4).
#include "reports/RelatorioCalculo.h"

#include <gtest/gtest.h>

#include <string>

#include "app/Configuracoes.h"
#include "reports/TextoPlano.h"
#include "util/Erros.h"
#include "results/BaseResultados.h"

using namespace korva;

namespace {

using teste::D;
using teste::Insere;

struct RelatorioCalculoTest : teste::BaseResultados {
    CabecalhoRelatorio cab{"TRIBUNAL REGIONAL DO TRABALHO DA 1ª REGIÃO",
                           "Setor de Cálculos",
                           "Processo: 1/2001  Grupo: 001",
                           "05/01/2002",
                           "01/01/2001",
                           "01/01/2002",
                           "Niterói, 09 de dezembro de 2026.",
                           ""};
    MedidorFixo medidor;

    void SetUp() override {
        BaseResultados::SetUp();
        processo["AliquotaUnica"] = false;
        processo["OpcaoIR"] = 4;
        processo["IRSobreJuros"] = true;
        processo["IncidirJurosFGTS"] = true;
        processo["INSSReclamante"] = 8.0;
    }

    void linhaCompleta(int item, int mes, int ano, double valor, Data dt, const char* inss, const char* vfm,
                       double qtde, double indice, double divisor, int base) {
        Insere(privado, conjunto.NomeTabela('B'),
               {{"Item", item}, {"Mes", mes}, {"Ano", ano}, {"Valor", valor}, {"VFM", vfm}, {"Qtde", qtde},
                {"Indice", indice}, {"Divisor", divisor}, {"Base", base}, {"CodDataBasePadrao", 50},
                {"DtBase", dt}, {"Calculado", true}, {"INSS", inss}});
    }

    // Two months of a small calculation: a due salary, a 13th salary and a
    // salary difference in 01/2001 (INSS bracket row present, part already
    // contributed); overtime by formula, vacation, unemployment insurance and
    // FGTS in 03/2001 (no INSS bracket row).
    void calculoPequeno() {
        parte("Ana Souza", 1, 1);
        parte("Bruno Lima", 2, 2);
        parte("Empresa Ré Ltda.", 3, 0);
        linha(10, 1, 2001, 100.0, D(1, 1, 2001), "S");
        Insere(privado, conjunto.NomeTabela('B'),
               {{"Item", 14}, {"Mes", 1}, {"Ano", 2001}, {"Valor", 30.0}, {"VFM", "D"}, {"CodDataBasePadrao", 50},
                {"DtBase", D(1, 1, 2001)}, {"Calculado", true}, {"INSS", "S"}});
        linha(22, 1, 2001, 500.0, D(1, 1, 2001), "S");
        linhaCompleta(15, 3, 2001, 2000.0, D(1, 3, 2001), "S", "F", 10.0, 1.5, 220.0, 10);
        linha(32, 3, 2001, 2000.0, D(1, 3, 2001));
        linha(892, 3, 2001, 80.0, D(1, 3, 2001));
        linha(902, 3, 2001, 40.0, D(1, 3, 2001));
        faixaINSS(2001, 1, 3000.0, 8.0);
        faixaINSS(2002, 1, 4500.0, 9.0);
        Insere(privado, conjunto.NomeTabela('D'), {{"Ano", 2001}, {"Mes", 1}, {"Valor", 100.0}});
        verba(14, "Diferença de horas", 3);
    }

    Documento produz(TipoRelatorioCalculo tipo, TotaisExecucao* t = nullptr, std::string* aviso = nullptr,
                     Data dataCorte = D(28, 7, 2010)) {
        TabelasReferencia ref(compartilhado);
        CorrecaoJuros cj(privado, ref);
        Configuracoes config;
        config.dataCorte = dataCorte;
        return ProduzCalculo(tipo, privado, ref, cj, parametros(), cab, config, medidor, t,
                             [aviso](const std::string& s) {
                                 if (aviso) *aviso = s;
                             });
    }

    // One character per cell of the report's own font.
    static std::string Texto(TipoRelatorioCalculo tipo, const Documento& d) {
        const double escala = PontosRelatorio(tipo) / 10.0;
        return TextoPlano(d, GradeTexto{2.1 * escala, 4.2 * escala});
    }
    std::string texto(TipoRelatorioCalculo tipo, Data dataCorte = D(28, 7, 2010)) {
        return Texto(tipo, produz(tipo, nullptr, nullptr, dataCorte));
    }
};

bool Contem(const std::string& texto, const std::string& trecho) { return texto.find(trecho) != std::string::npos; }

// Every text run, at its measured width, and every rule inside the printable width.
void VerificaLargura(const Documento& d, const Medidor& m) {
    const double esquerda = d.margens.esquerda - 1e-6, direita = d.largura - d.margens.direita + 1e-6;
    for (const Pagina& p : d.paginas)
        for (const Elemento& e : p.elementos) {
            double inicio = e.x, fim = e.x + e.largura;
            if (e.tipo == Elemento::Tipo::Texto) {
                const double w = m.largura(e.texto, e.fonte);
                EXPECT_GT(e.largura, 0) << e.texto;
                if (!e.recorta) {
                    EXPECT_LE(w, e.largura + 1e-6) << "não cabe na caixa: " << e.texto;
                    if (e.alinhamento == Alinhamento::Direita) inicio = e.x + e.largura - w;
                    else if (e.alinhamento == Alinhamento::Centro) inicio = e.x + (e.largura - w) / 2;
                    fim = inicio + w;
                }
            }
            EXPECT_GE(inicio, esquerda) << "página " << p.numero << ": " << e.texto;
            EXPECT_LE(fim, direita) << "página " << p.numero << ": " << e.texto;
        }
}

// Runs of blank lines shrink to one: the goldens fix content and columns, not
// how far the footer stands below the last line.
std::string Compacta(const std::string& texto) {
    std::string r;
    size_t i = 0;
    bool branco = false;
    while (i < texto.size()) {
        size_t f = texto.find('\n', i);
        if (f == std::string::npos) f = texto.size();
        const std::string linha = texto.substr(i, f - i);
        if (linha.empty()) {
            if (!branco) r += "\n";
            branco = true;
        } else {
            r += linha + "\n";
            branco = false;
        }
        i = f + 1;
    }
    return r;
}

// The observation memo is long enough to wrap.
const char* kObservacao =
    "Cálculo elaborado conforme a sentença de fls. 120/125, com juros de mora de 1% ao mês a partir do "
    "ajuizamento e correção monetária pela tabela do tribunal; valores de FGTS a depositar em conta vinculada.";

const char* kModeloResumido = R"MODELO(----- Pág. 1 -----
                                              TRIBUNAL REGIONAL DO TRABALHO DA 1ª REGIÃO
                                                          Setor de Cálculos
Processo: 1/2001  Grupo: 001
Data de Gravação: 05/01/2002                 Data de Ajuizamento: 01/01/2001                       Valores Atualizados até: 01/01/2002
*As verbas grafadas em itálico são base de cálculo do INSS    *As verbas sublinhadas são base de cálculo do IR
--------------------------------------------------------------------------------------------------------------------------------------
Reclamante(s):
  Ana Souza
  Bruno Lima

Mes/Ano Verba                                          Valor      Qtde.   Índice  Divisor Base Ind.Corr.Mon. Juros(%) Val.Atual.+Juros
--------------------------------------------------------------------------------------------------------------------------------------
01/01   010-Salário devido                            100,00                                     3,000000000
01/01   014-Diferença de horas(01/01/01)               30,00                                     3,000000000    12,00           100,80
01/01   022-13º salário(01/01/01)                     500,00                                     3,000000000    12,00         1.680,00
Mês: 01/2001  Total Atualizado:       1.590,00  Juros:         190,80  Total Atualizado com Juros:       1.780,80
Base de Cálculo do INSS:       1.890,00  Alíquota:   9,00%  Valor já recolhido:           8,00  Valor a recolher:         171,60

03/01   015-Horas extras(01/03/01)                  2.000,00    10,0000   1,5000   220,00  010   1,500000000    10,00         3.300,00
03/01   032-Férias(01/03/01)                        2.000,00                                     1,500000000    10,00         3.300,00
03/01   892-Seguro-desemprego(01/03/01)                80,00                                     1,500000000    10,00           132,00
03/01   902-FGTS(01/03/01)                             40,00                                     2,000000000    10,00            88,00
Mês: 03/2001  Total Atualizado:       6.000,00  Juros:         600,00  Total Atualizado com Juros:       6.600,00
              FGTS a depositar:          80,00
Base de Cálculo do INSS:       3.000,00  Alíquota:   0,00%  Valor já recolhido:           0,00  Valor a recolher:           0,00

Total:                                              R$ 7.590,00
Total + Juros:                                      R$ 8.380,80
F.G.T.S. a depositar:                                  R$ 80,00
Juros do F.G.T.S. a depositar:                          R$ 8,00
Total do F.G.T.S. a depositar:                         R$ 88,00
Seguro Desemprego a recolher:                         R$ 132,00
* Base de Cálculo - I.N.S.S.:                       R$ 4.890,00
Contribuições ao INSS:
Reclamante:                                           R$ 171,60
F.P.A.S.: (20,00%)                                    R$ 978,00
Riscos Ambientais do Trabalho: (2,00%)                 R$ 97,80
Recolhimento de Terceiros: (5,80%)                    R$ 283,62
TOTAL:                                              R$ 1.359,42
TOTAL DO I.N.S.S.:                                  R$ 1.531,02

IMPOSTO DE RENDA: (juros inclusos)
Parcela:                        Base de Cálculo  Dependentes*   Contribuição Alíquota (%)        Imposto        Dedução         IRRF a
                                Principal+Juros                         INSS                                                   Deduzir
Demais Parcelas               3.090,00 + 310,80          0,00         171,60        10,00         322,92         100,00         222,92
13º Salário                   1.500,00 + 180,00          0,00         171,60        10,00         150,84         100,00          50,84
Férias                        3.000,00 + 300,00          0,00         171,60        10,00         312,84         100,00         212,84
*O valor da dedução por dependente foi anulado em razão do diferente número de dependentes por reclamante deste processo.
Verifique o valor correto do Imposto de Renda de cada reclamante no Resumo de Cálculo.

Qtde. de Meses com Base para o IR: 1
Os valores da contribuição previdenciária do empregado foram anulados, pois a tabela do INSS não está completa até a data final.

Cálculo elaborado conforme a sentença de fls. 120/125, com juros de mora de 1% ao mês a partir do ajuizamento e correção monetária
pela tabela do tribunal; valores de FGTS a depositar em conta vinculada.

                                                                                                      Niterói, 09 de dezembro de 2026.

--------------------------------------------------------------------------------------------------------------------------------------
Ulmeris 2.4 - Justiça do Trabalho                                                                                            Pág.: 1/1
)MODELO";

const char* kModeloDetalhado = R"MODELO(----- Pág. 1 -----
                                                               TRIBUNAL REGIONAL DO TRABALHO DA 1ª REGIÃO
                                                                            Setor de Cálculos
Processo: 1/2001  Grupo: 001
Data de Gravação: 05/01/2002                            Data de Ajuizamento: 01/01/2001                                               Valores Atualizados até: 01/01/2002
*As verbas grafadas em itálico são base de cálculo do INSS    *As verbas sublinhadas são base de cálculo do IR
-------------------------------------------------------------------------------------------------------------------------------------------------------------------------
Reclamante(s):
  Ana Souza
  Bruno Lima

Mes/Ano Verba                                    Fórmula de Cálculo                                                         Valor Ind.Corr.Mon. Juros(%) Val.Atual.+Juros
-------------------------------------------------------------------------------------------------------------------------------------------------------------------------
01/2001 010-Salário devido                                                                                                 100,00   3,000000000
        014-Diferença de horas(01/01/01)         Valor do Item: 012 - Valor do Item: 013                                    30,00   3,000000000    12,00           100,80
        022-13º salário(01/01/01)                                                                                          500,00   3,000000000    12,00         1.680,00
Mês: 01/2001  Total Atualizado:       1.590,00  Juros:         190,80  Total Atualizado com Juros:       1.780,80
Base de Cálculo do INSS:       1.890,00  Alíquota:   9,00%  Valor já recolhido:           8,00  Valor a recolher:         171,60

03/2001 015-Horas extras(01/03/01)               10,0000 X 1,5000 X Valor do Item: 010                                   2.000,00   1,500000000    10,00         3.300,00
                                                 --------------------------------------------
                                                                    220,00
        032-Férias(01/03/01)                                                                                             2.000,00   1,500000000    10,00         3.300,00
        892-Seguro-desemprego(01/03/01)                                                                                     80,00   1,500000000    10,00           132,00
        902-FGTS(01/03/01)                                                                                                  40,00   2,000000000    10,00            88,00
Mês: 03/2001  Total Atualizado:       6.000,00  Juros:         600,00  Total Atualizado com Juros:       6.600,00
              FGTS a depositar:          80,00
Base de Cálculo do INSS:       3.000,00  Alíquota:   0,00%  Valor já recolhido:           0,00  Valor a recolher:           0,00

Total:                                              R$ 7.590,00
Total com Juros:                                    R$ 8.380,80
F.G.T.S. a depositar:                                  R$ 80,00
Juros do F.G.T.S. a depositar:                          R$ 8,00
Total do F.G.T.S. a depositar:                         R$ 88,00
Seguro Desemprego a recolher:                         R$ 132,00
* Base de Cálculo - I.N.S.S.:                       R$ 4.890,00
Contribuições ao INSS:
Reclamante:                                           R$ 171,60
F.P.A.S.: (20,00%)                                    R$ 978,00
Riscos Ambientais do Trabalho: (2,00%)                 R$ 97,80
Recolhimento de Terceiros: (5,80%)                    R$ 283,62
TOTAL:                                              R$ 1.359,42
TOTAL DO I.N.S.S.:                                  R$ 1.531,02

IMPOSTO DE RENDA: (juros inclusos)
Parcela:                        Base de Cálculo  Dependentes*   Contribuição Alíquota        Imposto        Dedução         IRRF a
                                Principal+Juros                         INSS      (%)                                      Deduzir
Demais Parcelas               3.090,00 + 310,80          0,00         171,60    10,00         322,92         100,00         222,92
13º Salário                   1.500,00 + 180,00          0,00         171,60    10,00         150,84         100,00          50,84
Férias                        3.000,00 + 300,00          0,00         171,60    10,00         312,84         100,00         212,84
*O valor da dedução por dependente foi anulado em razão do diferente número de dependentes por reclamante deste processo.
Verifique o valor correto do Imposto de Renda de cada reclamante no Resumo de Cálculo.

Os valores da contribuição previdenciária do empregado foram anulados, pois a tabela do INSS não está completa até a data final.

-------------------------------------------------------------------------------------------------------------------------------------------------------------------------
Ulmeris 2.4 - Justiça do Trabalho                                                                                                                               Pág.: 1/2
----- Pág. 2 -----
                                                               TRIBUNAL REGIONAL DO TRABALHO DA 1ª REGIÃO
                                                                            Setor de Cálculos
Processo: 1/2001  Grupo: 001
Data de Gravação: 05/01/2002                            Data de Ajuizamento: 01/01/2001                                               Valores Atualizados até: 01/01/2002
*As verbas grafadas em itálico são base de cálculo do INSS    *As verbas sublinhadas são base de cálculo do IR
-------------------------------------------------------------------------------------------------------------------------------------------------------------------------
Mes/Ano Verba                                    Fórmula de Cálculo                                                         Valor Ind.Corr.Mon.                Val.Atual.
-------------------------------------------------------------------------------------------------------------------------------------------------------------------------
Cálculo elaborado conforme a sentença de fls. 120/125, com juros de mora de 1% ao mês a partir do ajuizamento e correção monetária pela tabela do tribunal; valores de
FGTS a depositar em conta vinculada.

                                                                                                                                         Niterói, 09 de dezembro de 2026.

-------------------------------------------------------------------------------------------------------------------------------------------------------------------------
Ulmeris 2.4 - Justiça do Trabalho                                                                                                                               Pág.: 2/2
)MODELO";

const char* kModeloINSS = R"MODELO(----- Pág. 1 -----
                                              TRIBUNAL REGIONAL DO TRABALHO DA 1ª REGIÃO
                                                          Setor de Cálculos
Processo: 1/2001  Grupo: 001
Data de Gravação: 05/01/2002                 Data de Ajuizamento: 01/01/2001                       Valores Atualizados até: 01/01/2002
--------------------------------------------------------------------------------------------------------------------------------------
Reclamante(s):
  Ana Souza
  Bruno Lima

Mes/Ano Verba                                                                                       Valor Ind.Corr.Mon.     Val.Atual.
--------------------------------------------------------------------------------------------------------------------------------------
01/01   010-Salário devido                                                                         100,00   3,000000000         300,00
01/01   014-Diferença de horas(01/01/01)                                                            30,00   3,000000000          90,00
01/01   022-13º salário(01/01/01)                                                                  500,00   3,000000000       1.500,00
Mês: 01/2001
      Base de Cálculo do INSS:                                   1.890,00
      Base de Cálculo sobre a qual já houve recolhimento:          100,00
      Valor já recolhido:                                            8,00
      Atualizado:                                                  150,00 (100,00 * 4.500,00 / 3.000,00)
      Atualizado:                                                   12,00 (8,00 * 4.500,00 / 3.000,00)
      Nova Base de Cálculo do INSS:                              2.040,00
      Alíquota:                                                     9,00%
      Valor da contribuição devida:                                183,60
      183,60 - 12,00 = Valor a recolher:                           171,60

03/01   015-Horas extras(01/03/01)                                                               2.000,00   1,500000000       3.000,00
Mês: 03/2001
      Base de Cálculo do INSS:                                   3.000,00
      Base de Cálculo sobre a qual já houve recolhimento:            0,00
      Valor já recolhido:                                            0,00
      Atualizado:                                                    0,00 (0,00 * 0,00 / 0,00)
      Atualizado:                                                    0,00 (0,00 * 0,00 / 0,00)
      Nova Base de Cálculo do INSS:                              3.000,00
      Alíquota:                                                     0,00%
      Valor da contribuição devida:                                  0,00
      0,00 - 0,00 = Valor a recolher:                                0,00

* Base de Cálculo - I.N.S.S.:                       R$ 4.890,00
Contribuições ao INSS:
Reclamante:                                           R$ 171,60
F.P.A.S.: (20,00%)                                    R$ 978,00
Seguro de Acidente de Trabalho: (2,00%)                R$ 97,80
Recolhimento de Terceiros: (5,80%)                    R$ 283,62
TOTAL:                                              R$ 1.359,42
TOTAL DO I.N.S.S.:                                  R$ 1.531,02

Os valores da contribuição previdenciária do empregado foram anulados, pois a tabela do INSS não está completa até a data final.

                                                                                                      Niterói, 09 de dezembro de 2026.

--------------------------------------------------------------------------------------------------------------------------------------
Ulmeris 2.4 - Justiça do Trabalho                                                                                            Pág.: 1/1
)MODELO";

// Two claimants with 1 and 2 dependants (no dependants deduction, both
// notes), FGTS with interest, unemployment insurance, a contribution already
// made in 01/2001 and no INSS bracket row for 03/2001, IR by option 4 on
// interest. The summary is laid out with a cut-over date before the base date
// so that its months line shows.
TEST_F(RelatorioCalculoTest, RelatorioResumidoSaiIgualAoModelo) {
    calculoPequeno();
    cab.observacao = kObservacao;
    EXPECT_EQ(Compacta(texto(TipoRelatorioCalculo::Resumido, D(1, 1, 2000))), kModeloResumido);
}

TEST_F(RelatorioCalculoTest, RelatorioDetalhadoSaiIgualAoModelo) {
    calculoPequeno();
    cab.observacao = kObservacao;
    EXPECT_EQ(Compacta(texto(TipoRelatorioCalculo::Detalhado)), kModeloDetalhado);
}

TEST_F(RelatorioCalculoTest, RelatorioINSSSaiIgualAoModelo) {
    calculoPequeno();
    cab.observacao = kObservacao;  // not printed in this report
    EXPECT_EQ(Compacta(texto(TipoRelatorioCalculo::INSS)), kModeloINSS);
}

// The first element on any page whose text is `texto`.
const Elemento* Procura(const Documento& d, const std::string& texto) {
    for (const Pagina& p : d.paginas)
        for (const Elemento& e : p.elementos)
            if (e.tipo == Elemento::Tipo::Texto && e.texto == texto) return &e;
    return nullptr;
}

TEST_F(RelatorioCalculoTest, VerbaEmItalicoQuandoBaseDoINSSESublinhadaQuandoBaseDoIR) {
    calculoPequeno();
    const Documento d = produz(TipoRelatorioCalculo::Resumido);
    auto fonte = [&](const char* texto) {
        const Elemento* e = Procura(d, texto);
        EXPECT_NE(e, nullptr) << texto;
        return e ? e->fonte : Fonte{};
    };
    // INSS "S" and IR 3.
    EXPECT_TRUE(fonte("015-Horas extras(01/03/01)").italico);
    EXPECT_TRUE(fonte("015-Horas extras(01/03/01)").sublinhado);
    // Not subject to INSS, vacation (IR 2).
    EXPECT_FALSE(fonte("032-Férias(01/03/01)").italico);
    EXPECT_TRUE(fonte("032-Férias(01/03/01)").sublinhado);
    // IR category 4 enters no IR base.
    EXPECT_FALSE(fonte("892-Seguro-desemprego(01/03/01)").sublinhado);
    // The legend shows each style on its own word.
    EXPECT_TRUE(fonte("itálico").italico);
    EXPECT_FALSE(fonte("itálico").sublinhado);
    EXPECT_TRUE(fonte("sublinhadas").sublinhado);

    // Without income tax nothing is underlined.
    processo["OpcaoIR"] = 1;
    privado.esvaziaTabela("Processo.DB");
    const Documento semIR = produz(TipoRelatorioCalculo::Resumido);
    const Elemento* e = Procura(semIR, "015-Horas extras(01/03/01)");
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->fonte.italico);
    EXPECT_FALSE(e->fonte.sublinhado);
}

// The run is collected once; laying the same values out again gives the same
// pages, so the layout's two passes cannot depend on the run repeating.
TEST_F(RelatorioCalculoTest, ColetaUmaVezEDiagramaSemEstado) {
    calculoPequeno();
    DadosCalculo dados;
    ColetaCalculo coleta(dados);
    {
        TabelasReferencia ref(compartilhado);
        CorrecaoJuros cj(privado, ref);
        ExecutaCalculo(privado, ref, cj, parametros(), &coleta);
    }
    EXPECT_EQ(dados.reclamantes, (std::vector<std::string>{"Ana Souza", "Bruno Lima"}));
    ASSERT_EQ(dados.linhas.size(), 7u);
    ASSERT_EQ(dados.fechamentos.size(), 2u);
    EXPECT_EQ(dados.fechamentoDaLinha, (std::vector<std::size_t>{0, 0, 0, 1, 1, 1, 1}));
    EXPECT_DOUBLE_EQ(dados.baseINSSMes[0], 1890.0);
    EXPECT_EQ(dados.faixaAusente, std::make_optional(std::make_pair(2001, 3)));
    EXPECT_DOUBLE_EQ(dados.totais.total, 7590.0);

    const auto p = parametros();
    for (auto tipo : {TipoRelatorioCalculo::Resumido, TipoRelatorioCalculo::Detalhado}) {
        const std::string a = Texto(tipo, DiagramaCalculo(tipo, dados, p, cab, "v", D(28, 7, 2010), medidor));
        const std::string b = Texto(tipo, DiagramaCalculo(tipo, dados, p, cab, "v", D(28, 7, 2010), medidor));
        EXPECT_EQ(a, b);
    }
    // Nothing to lay out: the run's own message.
    try {
        DiagramaCalculo(TipoRelatorioCalculo::Resumido, DadosCalculo{}, p, cab, "v", D(28, 7, 2010), medidor);
        ADD_FAILURE() << "sem linhas";
    } catch (const ErroKorva& e) {
        EXPECT_STREQ(e.what(), kMsgSemParametros);
    }
}

TEST_F(RelatorioCalculoTest, AvisoDeFaixaAusenteETotaisDaExecucao) {
    calculoPequeno();
    TotaisExecucao t;
    std::string aviso;
    produz(TipoRelatorioCalculo::Resumido, &t, &aviso);
    EXPECT_EQ(aviso, AvisoINSSIncompletoMes(2001, 3));
    EXPECT_NE(aviso.find("(03/2001)."), std::string::npos);
    EXPECT_DOUBLE_EQ(t.total, 7590.0);
    EXPECT_TRUE(t.faixaINSSAusente);

    aviso.clear();
    produz(TipoRelatorioCalculo::Detalhado, nullptr, &aviso);
    EXPECT_EQ(aviso, kAvisoINSSIncompleto);
    aviso.clear();
    produz(TipoRelatorioCalculo::INSS, nullptr, &aviso);
    EXPECT_EQ(aviso, kAvisoINSSIncompleto);

    // With every bracket row there is no warning and no note.
    faixaINSS(2001, 3, 3000.0, 8.0);
    aviso.clear();
    const std::string texto = Texto(TipoRelatorioCalculo::Resumido, produz(TipoRelatorioCalculo::Resumido, &t, &aviso));
    EXPECT_TRUE(aviso.empty());
    EXPECT_FALSE(Contem(texto, kNotaINSSAnulado));
}

TEST_F(RelatorioCalculoTest, SemIRNaoHaTabelaNemMesesEComAliquotaUnicaOsMesesNaoTemINSS) {
    calculoPequeno();
    processo["OpcaoIR"] = 1;
    processo["AliquotaUnica"] = true;
    for (auto tipo : {TipoRelatorioCalculo::Resumido, TipoRelatorioCalculo::Detalhado}) {
        const std::string t = texto(tipo, D(1, 1, 2000));
        EXPECT_FALSE(Contem(t, "IMPOSTO DE RENDA")) << t;
        EXPECT_FALSE(Contem(t, "Qtde. de Meses com Base para o IR")) << t;
        EXPECT_FALSE(Contem(t, "Base de Cálculo do INSS:")) << t;
        EXPECT_FALSE(Contem(t, "Valor já recolhido:")) << t;
        EXPECT_TRUE(Contem(t, "Mês: 01/2001  Total Atualizado:")) << t;
        // 4 890,00 x 8 %.
        EXPECT_TRUE(Contem(t, "Reclamante: (8,00%)                                   R$ 391,20\n")) << t;
        // No bracket row is read with the single rate: no note.
        EXPECT_FALSE(Contem(t, kNotaINSSAnulado)) << t;
    }
}

TEST_F(RelatorioCalculoTest, INSSMesSemLinhasDoINSSAindaFechaComBaseZero) {
    processo["AliquotaUnica"] = true;
    linha(15, 1, 2001, 100.0, D(1, 1, 2001), "S");
    linha(15, 3, 2001, 100.0, D(1, 3, 2001), "N");
    const std::string t = Compacta(texto(TipoRelatorioCalculo::INSS));
    EXPECT_TRUE(Contem(t, "01/01   015-Horas extras(01/01/01)")) << t;
    EXPECT_FALSE(Contem(t, "03/01   015-Horas extras")) << t;
    // Single rate: the month's base times the employee rate.
    EXPECT_TRUE(Contem(t, "Mês: 01/2001\n"
                          "      Base de Cálculo do INSS:                                     300,00\n"
                          "      Alíquota:                                                     8,00%\n"
                          "      Valor a recolher:                                             24,00\n"))
        << t;
    EXPECT_TRUE(Contem(t, "Mês: 03/2001\n"
                          "      Base de Cálculo do INSS:                                       0,00\n"
                          "      Alíquota:                                                     8,00%\n"
                          "      Valor a recolher:                                              0,00\n"))
        << t;
    EXPECT_TRUE(Contem(t, "Reclamante: (8,00%)                                    R$ 24,00\n")) << t;
    EXPECT_TRUE(Contem(t, "Seguro de Acidente de Trabalho: (2,00%)")) << t;
    EXPECT_FALSE(Contem(t, "Total:")) << t;
    EXPECT_FALSE(Contem(t, "Riscos Ambientais")) << t;
}

TEST_F(RelatorioCalculoTest, FormulaDeQuantidadeEMesAnoSoNaPrimeiraLinhaDoMes) {
    Insere(privado, conjunto.NomeTabela('B'),
           {{"Item", 1}, {"Mes", 1}, {"Ano", 2001}, {"Valor", 1000.0}, {"VFM", "F"}, {"Qtde", 220.0},
            {"CodDataBasePadrao", 50}, {"DtBase", D(1, 1, 2001)}, {"Calculado", true}, {"INSS", "N"}});
    Insere(privado, conjunto.NomeTabela('B'),
           {{"Item", 4}, {"Mes", 1}, {"Ano", 2001}, {"Valor", 10.0}, {"VFM", "F"}, {"Qtde", 2.0}, {"Indice", 1.0},
            {"Divisor", 220.0}, {"Base", 1}, {"CodDataBasePadrao", 50}, {"DtBase", D(1, 1, 2001)},
            {"Calculado", true}, {"INSS", "N"}});
    const std::string t = texto(TipoRelatorioCalculo::Detalhado);
    EXPECT_TRUE(Contem(t, "01/2001 001-ERRO! Rendimento não Encontrado! *** Qtde.: 220,0000")) << t;
    // Items 2 to 9 have no formula, "F" or not, and the month shows once.
    EXPECT_TRUE(Contem(t, "\n        004-ERRO! Rendimento não Encontrado! ***                   ")) << t;
    EXPECT_FALSE(Contem(t, "X Valor do Item:")) << t;
}

TEST_F(RelatorioCalculoTest, NadaPassaDaLarguraDaPagina) {
    calculoPequeno();
    cab.observacao = kObservacao;
    // Headings too long for the sheet wrap instead of spilling over the margins.
    cab.tribunal = "TRIBUNAL " + std::string(200, 'T');
    cab.fecho = std::string(150, 'M') + ", 09 de dezembro de 2026.";
    for (auto tipo : {TipoRelatorioCalculo::Resumido, TipoRelatorioCalculo::Detalhado, TipoRelatorioCalculo::INSS}) {
        SCOPED_TRACE(static_cast<int>(tipo));
        const Documento d = produz(tipo);
        EXPECT_EQ(d.orientacao, OrientacaoRelatorio(tipo));
        VerificaLargura(d, medidor);
    }
}

// 300 months of one row each: one run, many pages, every page numbered
// against the page count, the later pages with their own column header.
TEST_F(RelatorioCalculoTest, TrezentosMesesPaginadosComCabecalhoDeColunasNasSeguintes) {
    for (int k = 0; k < 300; ++k)
        linha(15, k % 12 + 1, 1976 + k / 12, 1000.0 + k, D(1, 3, 2001), k % 2 ? "S" : "N");
    for (auto tipo : {TipoRelatorioCalculo::Resumido, TipoRelatorioCalculo::Detalhado, TipoRelatorioCalculo::INSS}) {
        SCOPED_TRACE(static_cast<int>(tipo));
        const Documento d = produz(tipo);
        const int n = static_cast<int>(d.paginas.size());
        // Each month takes a row, its close (two lines; eleven in the
        // social-security report, which prints only every other row) and a
        // blank line: about 84 lines a portrait page, 48 a landscape one.
        const int esperado[] = {15, 26, 43};
        EXPECT_EQ(n, esperado[static_cast<int>(tipo)]);
        const std::string t = Texto(tipo, d);
        for (int pag = 1; pag <= n; ++pag)
            EXPECT_TRUE(Contem(t, "Pág.: " + std::to_string(pag) + "/" + std::to_string(n) + "\n")) << pag;
        EXPECT_FALSE(Contem(t, "Pág.: " + std::to_string(n + 1) + "/"));
        VerificaLargura(d, medidor);

        const size_t segunda = t.find("----- Pág. 2 -----");
        ASSERT_NE(segunda, std::string::npos);
        const std::string primeira = t.substr(0, segunda), resto = t.substr(segunda);
        EXPECT_TRUE(Contem(primeira, "Reclamante(s):"));
        EXPECT_FALSE(Contem(resto, "Reclamante(s):"));
        if (tipo == TipoRelatorioCalculo::INSS) {
            EXPECT_TRUE(Contem(resto, "Ind.Corr.Mon.     Val.Atual.\n"));
            continue;
        }
        EXPECT_TRUE(Contem(primeira, "Juros(%) Val.Atual.+Juros\n"));
        EXPECT_FALSE(Contem(resto, "Juros(%)"));
        EXPECT_FALSE(Contem(resto, "Val.Atual.+Juros"));
        // Every later page carries the column header.
        size_t cabecalhos = 0;
        for (size_t i = resto.find("Ind.Corr.Mon."); i != std::string::npos; i = resto.find("Ind.Corr.Mon.", i + 1))
            ++cabecalhos;
        EXPECT_EQ(cabecalhos, static_cast<size_t>(n - 1));
    }
}

// ---- the texts of the blocks, condition by condition ----

TEST(BlocosCalculo, FechamentoDoMesMostraSoOQueSeAplica) {
    FechamentoMes f;
    f.rotulo = "Mês: 05/2001";
    f.avaliaINSS = true;
    f.baseINSSMes = 1000;
    f.inss.aliquota = 8;
    f.inss.jaRecolhido = 20;
    f.inss.aRecolher = 60;
    // Only basic, due or paid items: no totals, still the INSS lines.
    FechamentoImpresso r = FechamentoCalculo(f);
    EXPECT_EQ(r.mes, "Mês: 05/2001");
    EXPECT_TRUE(r.totais.empty());
    EXPECT_TRUE(r.fgts.empty());
    ASSERT_EQ(r.inss.size(), 4u);
    EXPECT_EQ(r.inss[0], LinhaBloco("Base de Cálculo do INSS:", "1.000,00"));
    EXPECT_EQ(r.inss[1], LinhaBloco("Alíquota:", "8,00%"));
    EXPECT_EQ(r.inss[2], LinhaBloco("Valor já recolhido:", "20,00"));
    EXPECT_EQ(r.inss[3], LinhaBloco("Valor a recolher:", "60,00"));

    f.mostraTotais = true;
    f.totalMes = -10;  // a negative month total still shows
    f.jurosMes = -1;
    f.totalComJurosMes = -11;
    f.mostraFGTS = true;
    f.fgtsMes = 5;
    f.avaliaINSS = false;
    r = FechamentoCalculo(f);
    ASSERT_EQ(r.totais.size(), 3u);
    EXPECT_EQ(r.totais[0], LinhaBloco("Total Atualizado:", "-10,00"));
    EXPECT_EQ(r.totais[2], LinhaBloco("Total Atualizado com Juros:", "-11,00"));
    ASSERT_EQ(r.fgts.size(), 1u);
    EXPECT_EQ(r.fgts[0], LinhaBloco("FGTS a depositar:", "5,00"));
    EXPECT_TRUE(r.inss.empty());
}

TEST(BlocosCalculo, LinhasFinaisPorCondicaoERelatorio) {
    ParametrosExecucao p;
    p.inssReclamante = 8;
    p.inssReclamado = 20;
    p.inssRisco = 3;
    p.inssTerceiros = 5.8;
    TotaisExecucao t;
    t.simboloMoeda = "R$ ";
    t.total = 1000;
    t.totalComJuros = 1100;
    t.jurosFGTS = 4;  // interest without FGTS: only its own line
    t.baseINSS = 1000;
    t.inssEmpregado = 80;
    auto rotulos = [](const std::vector<LinhaBloco>& ls) {
        std::vector<std::string> r;
        for (const auto& l : ls) r.push_back(l.rotulo);
        return r;
    };
    std::vector<LinhaBloco> ls = LinhasFinais(TipoRelatorioCalculo::Resumido, t, p);
    EXPECT_EQ(rotulos(ls), (std::vector<std::string>{
                               "Total:", "Total + Juros:", "Juros do F.G.T.S. a depositar:",
                               "* Base de Cálculo - I.N.S.S.:", "Contribuições ao INSS:", "Reclamante: ",
                               "F.P.A.S.: (20,00%)", "Riscos Ambientais do Trabalho: (3,00%)",
                               "Recolhimento de Terceiros: (5,80%)", "TOTAL:", "TOTAL DO I.N.S.S.:"}));
    EXPECT_EQ(ls[0].valor, "R$ 1.000,00");
    EXPECT_EQ(ls[5].valor, "R$ 80,00");

    t.fgts = 50;
    t.jurosFGTS = 0;
    t.seguroDesemprego = 7;
    p.aliquotaUnica = true;
    ls = LinhasFinais(TipoRelatorioCalculo::Detalhado, t, p);
    EXPECT_EQ(ls[1].rotulo, "Total com Juros:");
    EXPECT_EQ(ls[2], LinhaBloco("F.G.T.S. a depositar:", "R$ 50,00"));
    EXPECT_EQ(ls[3], LinhaBloco("Total do F.G.T.S. a depositar:", "R$ 50,00"));
    EXPECT_EQ(ls[4], LinhaBloco("Seguro Desemprego a recolher:", "R$ 7,00"));
    EXPECT_EQ(ls[7].rotulo, "Reclamante: (8,00%)");

    ls = LinhasFinais(TipoRelatorioCalculo::INSS, t, p);
    EXPECT_EQ(ls.front().rotulo, "* Base de Cálculo - I.N.S.S.:");
    EXPECT_EQ(ls[4].rotulo, "Seguro de Acidente de Trabalho: (3,00%)");
    EXPECT_EQ(ls.size(), 8u);
}

TEST(BlocosCalculo, TabelaDoIRPorOpcaoEJurosENotas) {
    ParametrosExecucao p;
    TotaisExecucao t;
    ColunaIR c;
    c.rotulo = "Única";
    c.base = 5000;
    c.juros = 0;
    c.inssReclamante = 0;
    c.aliquota = 27.5;
    c.imposto = 1375;
    c.deducao = 800;
    c.devido = 575;
    t.colunasIR = {c};
    p.opcaoIR = 1;
    EXPECT_TRUE(TabelaImpostoRenda(TipoRelatorioCalculo::Resumido, t, p).linhas.empty());
    p.opcaoIR = 2;
    EXPECT_TRUE(TabelaImpostoRenda(TipoRelatorioCalculo::INSS, t, p).linhas.empty());

    TabelaIR r = TabelaImpostoRenda(TipoRelatorioCalculo::Resumido, t, p);
    EXPECT_EQ(r.titulo, "IMPOSTO DE RENDA: (juros não inclusos)");
    EXPECT_EQ(r.titulos, (std::vector<std::string>{"Parcela:", "Base de Cálculo\nValor", "Dependentes",
                                                   "Contribuição\nINSS", "Alíquota (%)", "Imposto", "Dedução",
                                                   "IRRF a\nDeduzir"}));
    ASSERT_EQ(r.linhas.size(), 1u);
    EXPECT_EQ(r.linhas[0], (std::vector<std::string>{"Única", "5.000,00", "0,00", "0,00", "27,50", "1.375,00",
                                                     "800,00", "575,00"}));
    EXPECT_TRUE(r.notas.empty());

    p.irSobreJuros = true;
    t.dependentesDiferentes = true;
    t.colunasIR[0].juros = 250;
    r = TabelaImpostoRenda(TipoRelatorioCalculo::Detalhado, t, p);
    EXPECT_EQ(r.titulo, "IMPOSTO DE RENDA: (juros inclusos)");
    EXPECT_EQ(r.titulos[1], "Base de Cálculo\nPrincipal+Juros");
    EXPECT_EQ(r.titulos[2], "Dependentes*");
    EXPECT_EQ(r.titulos[4], "Alíquota\n(%)");
    EXPECT_EQ(r.linhas[0][1], "5.000,00 + 250,00");
    EXPECT_EQ(r.notas, (std::vector<std::string>{kNotaDependentesAnulada, kNotaVerifiqueResumo}));
}

TEST(BlocosCalculo, NotasFinaisPelaDataDeCorteEPelaFaixaAusente) {
    ParametrosExecucao p;
    TotaisExecucao t;
    t.mesesIR = 7;
    p.opcaoIR = 3;
    p.dtBase = D(28, 7, 2010);
    const Data corte = D(28, 7, 2010);
    EXPECT_EQ(NotasFinais(TipoRelatorioCalculo::Resumido, t, p, corte),
              (std::vector<std::string>{"Qtde. de Meses com Base para o IR: 7"}));
    EXPECT_TRUE(NotasFinais(TipoRelatorioCalculo::INSS, t, p, corte).empty());
    p.dtBase = D(27, 7, 2010);
    EXPECT_TRUE(NotasFinais(TipoRelatorioCalculo::Detalhado, t, p, corte).empty());
    p.dtBase = D(1, 1, 2012);
    p.opcaoIR = 1;
    t.faixaINSSAusente = true;
    EXPECT_EQ(NotasFinais(TipoRelatorioCalculo::Detalhado, t, p, corte), (std::vector<std::string>{kNotaINSSAnulado}));
    EXPECT_EQ(NotasFinais(TipoRelatorioCalculo::INSS, t, p, corte), (std::vector<std::string>{kNotaINSSAnulado}));
}

TEST(BlocosCalculo, FechamentoINSSMesAMesMostraCadaPasso) {
    ParametrosExecucao p;
    FechamentoMes f;
    f.rotulo = "Mês: 01/2001";
    f.baseJaRecolhida = 500;
    f.inss = {40, 9, 140, false};
    f.limite1Mes = 1000;
    f.limite1DtBase = 2000;
    f.baseAtualizada = 1000;
    f.recolhidoAtualizado = 80;
    f.contribuicaoDevida = 220;
    const std::vector<LinhaBloco> ls = FechamentoINSS(f, 1000, p);
    ASSERT_EQ(ls.size(), 10u);
    EXPECT_EQ(ls[0], LinhaBloco("Mês: 01/2001", "", "", true));
    EXPECT_EQ(ls[2], LinhaBloco("Base de Cálculo sobre a qual já houve recolhimento:", "500,00"));
    EXPECT_EQ(ls[4], LinhaBloco("Atualizado:", "1.000,00", "(500,00 * 2.000,00 / 1.000,00)"));
    EXPECT_EQ(ls[5], LinhaBloco("Atualizado:", "80,00", "(40,00 * 2.000,00 / 1.000,00)"));
    EXPECT_EQ(ls[6], LinhaBloco("Nova Base de Cálculo do INSS:", "2.000,00"));
    EXPECT_EQ(ls[7], LinhaBloco("Alíquota:", "9,00%"));
    EXPECT_EQ(ls[8], LinhaBloco("Valor da contribuição devida:", "220,00"));
    EXPECT_EQ(ls[9], LinhaBloco("220,00 - 80,00 = Valor a recolher:", "140,00"));
}

}  // namespace
