// The rows a new installation receives: the data file reader, the daily
// series rule, the completeness and consistency of every delivered table, and
// the all-or-nothing load of each database.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "apoio/PastaTemporaria.h"
#include "app/Sessao.h"
#include "reference/CargaInicial.h"
#include "reference/CargaTabelaCsv.h"
#include "reference/DadosEmbutidos.h"
#include "reference/EsquemasReferencia.h"
#include "reference/LeitorCsv.h"
#include "reference/SerieDiaria.h"
#include "storage/Aliases.h"
#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "util/Erros.h"
#include "util/Texto.h"

using namespace korva;

namespace {

// Every row of a table in primary-key order, read through a dataset.
struct Leitura {
    DefTabela def;
    std::vector<std::vector<Valor>> linhas;
    const Valor& v(size_t i, const char* campo) const { return linhas.at(i).at(def.posicao(campo)); }
    size_t size() const { return linhas.size(); }
};

Leitura Le(Banco& b, const std::string& tabela) {
    Tabela t(b, tabela);
    t.abre();
    Leitura r;
    r.def = t.definicao();
    for (t.primeiro(); !t.fim(); t.proximo()) r.linhas.push_back(t.linha());
    return r;
}

int Chave(int ano, int mes) { return ano * 12 + mes - 1; }

std::string Erro(const std::function<void()>& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

// Monthly rates of a delivered file, read here with a plain splitter rather
// than the program's reader.
std::vector<TaxaMensal> TaxasDoArquivo(const std::string& nome) {
    const std::string* texto = DadoEmbutido(nome);
    EXPECT_NE(texto, nullptr) << nome;
    std::vector<TaxaMensal> r;
    if (!texto) return r;
    std::istringstream in(*texto);
    std::string linha;
    bool cabecalho = false;
    while (std::getline(in, linha)) {
        if (linha.empty() || linha[0] == '#') continue;
        if (!cabecalho) {
            cabecalho = true;
            continue;
        }
        const auto c = Divide(linha, ',');
        r.push_back({std::stoi(c.at(0)), std::stoi(c.at(1)), std::stod(c.at(2))});
    }
    return r;
}

}  // namespace

// ---- the data file reader and the conversions ----

TEST(LeitorCsv, ReadsTheCommentBlockHeaderAndQuotedFieldsAndNamesFileAndLineOnErrors) {
    const auto a = LeCsv("\xEF\xBB\xBF# fonte: lei X\n#sem espaco\n\ncodigo,nome,obs\r\n1,\"Bancos, financeiras\",\n"
                         "2,\"diz \"\"sim\"\"\",x\n\n",
                         "teste.csv");
    ASSERT_EQ(a.comentarios.size(), 2u);
    EXPECT_EQ(a.comentarios[0], "fonte: lei X");
    EXPECT_EQ(a.comentarios[1], "sem espaco");
    EXPECT_EQ(a.colunas, (std::vector<std::string>{"codigo", "nome", "obs"}));
    ASSERT_EQ(a.linhas.size(), 2u);
    EXPECT_EQ(a.linhas[0].numero, 5);
    EXPECT_EQ(a.linhas[0].campos[1], "Bancos, financeiras");
    EXPECT_EQ(a.linhas[0].campos[2], "");
    EXPECT_EQ(a.linhas[1].campos[1], "diz \"sim\"");
    EXPECT_EQ(a.coluna("obs"), 2);
    EXPECT_EQ(a.coluna("Obs"), -1);
    EXPECT_NE(Erro([&] { a.exigeColuna("taxa"); }).find("taxa"), std::string::npos);

    const auto curta = Erro([] { LeCsv("# c\na,b\n1,2\n3\n", "x.csv"); });
    EXPECT_NE(curta.find("x.csv, linha 4"), std::string::npos) << curta;
    const auto aspas = Erro([] { LeCsv("a,b\n1,\"2\n", "y.csv"); });
    EXPECT_NE(aspas.find("y.csv, linha 2"), std::string::npos) << aspas;
    EXPECT_NE(aspas.find("aspas"), std::string::npos) << aspas;
    EXPECT_NE(Erro([] { LeCsv("a,b\n\"1\"x,2\n", "z.csv"); }).find("linha 2"), std::string::npos);
    EXPECT_NE(Erro([] { LeCsv("# só comentários\n\n", "v.csv"); }).find("cabeçalho"), std::string::npos);
}

TEST(LeitorCsv, ConvertsTextToTheFieldTypeAndRefusesWhatDoesNotFit) {
    EXPECT_TRUE(ConverteTextoCsv(CampoFloat("F"), "").nulo());
    EXPECT_TRUE(ConverteTextoCsv(CampoFloat("F"), "  ").nulo());
    EXPECT_DOUBLE_EQ(ConverteTextoCsv(CampoFloat("F"), "-0.40").comoNumero(), -0.40);
    EXPECT_EQ(ConverteTextoCsv(CampoSmallint("S"), "2026").comoInteiro(), 2026);
    EXPECT_EQ(ConverteTextoCsv(CampoInteger("I"), "-7").comoInteiro(), -7);
    EXPECT_TRUE(ConverteTextoCsv(CampoBoolean("B"), "1").comoLogico());
    EXPECT_FALSE(ConverteTextoCsv(CampoBoolean("B"), "0").comoLogico());
    EXPECT_TRUE(ConverteTextoCsv(CampoBoolean("B"), "true").comoLogico());
    EXPECT_EQ(ConverteTextoCsv(CampoDate("D"), "21/04/2000").comoData(), Data::de(2000, 4, 21));
    EXPECT_EQ(ConverteTextoCsv(CampoString("T", 20), "Natal").comoTexto(), "Natal");

    EXPECT_THROW(ConverteTextoCsv(CampoFloat("F"), "1,5"), ErroConversao);
    EXPECT_THROW(ConverteTextoCsv(CampoFloat("F"), "abc"), ErroConversao);
    EXPECT_THROW(ConverteTextoCsv(CampoSmallint("S"), "40000"), ErroConversao);
    EXPECT_THROW(ConverteTextoCsv(CampoSmallint("S"), "1.5"), ErroConversao);
    EXPECT_THROW(ConverteTextoCsv(CampoInteger("I"), "3000000000"), ErroConversao);
    EXPECT_THROW(ConverteTextoCsv(CampoBoolean("B"), "talvez"), ErroConversao);
    EXPECT_THROW(ConverteTextoCsv(CampoDate("D"), "31/02/2000"), ErroConversao);
}

// ---- the daily series rule ----

TEST(SerieDiaria, AppliesEachMonthlyRateProRataDieAndChainsTheFirstDaysOfTheMonths) {
    // January 2024 (31 days) +1 %, February 2024 (29 days) -0.5 %.
    const auto s = MontaSerieDiaria({{2024, 1, 1.0}, {2024, 2, -0.5}});
    ASSERT_EQ(s.size(), 31u + 29u + 1u);
    EXPECT_EQ(s.front().data, Data::de(2024, 1, 1));
    EXPECT_DOUBLE_EQ(s.front().indice, 1.0);
    EXPECT_NEAR(s[15].indice, std::pow(1.01, 15.0 / 31.0), 1e-15);  // 16/01
    EXPECT_EQ(s[31].data, Data::de(2024, 2, 1));
    EXPECT_NEAR(s[31].indice, 1.01, 1e-15);
    EXPECT_NEAR(s[59].indice, 1.01 * std::pow(0.995, 28.0 / 29.0), 1e-15);  // 29/02
    EXPECT_EQ(s.back().data, Data::de(2024, 3, 1));
    EXPECT_NEAR(s.back().indice, 1.01 * 0.995, 1e-15);
    for (size_t i = 1; i < s.size(); ++i) EXPECT_EQ(s[i].data - s[i - 1].data, 1) << i;

    // December to January crosses the year.
    const auto v = MontaSerieDiaria({{1999, 12, 0.0}, {2000, 1, 0.0}});
    EXPECT_EQ(v.back().data, Data::de(2000, 2, 1));
    EXPECT_DOUBLE_EQ(v.back().indice, 1.0);

    EXPECT_TRUE(MontaSerieDiaria({}).empty());
    const auto buraco = Erro([] { MontaSerieDiaria({{2024, 1, 1.0}, {2024, 3, 1.0}}); });
    EXPECT_NE(buraco.find("02/2024"), std::string::npos) << buraco;
    EXPECT_THROW(MontaSerieDiaria({{2024, 1, -100.0}}), ErroDados);
    EXPECT_THROW(MontaSerieDiaria({{2024, 13, 1.0}}), ErroDados);
}

// ---- the delivered data ----

class DadosEntregues : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        pasta_ = new teste::PastaTemporaria();
        const Ambiente amb = Ambiente::Padrao(pasta_->caminho(), "korva");
        ASSERT_TRUE(Sessao::PrimeiraPartida(amb));
        privado_ = new Banco("CalcPriv", amb.pastaPrivadaInicial());
        compartilhado_ = new Banco("CalcShare", amb.pastaCompartilhadaInicial());
    }
    static void TearDownTestSuite() {
        delete privado_;
        delete compartilhado_;
        delete pasta_;
    }
    static teste::PastaTemporaria* pasta_;
    static Banco* privado_;
    static Banco* compartilhado_;
};

teste::PastaTemporaria* DadosEntregues::pasta_ = nullptr;
Banco* DadosEntregues::privado_ = nullptr;
Banco* DadosEntregues::compartilhado_ = nullptr;

TEST_F(DadosEntregues, EveryFileIsBuiltInAndNamesItsSources) {
    const auto nomes = NomesDadosEmbutidos();
    for (const char* n : {"valores.csv", "faixas_inss.csv", "faixas_ir.csv", "feriados_nacionais.csv",
                          "indice_mensal_ipcae.csv", "indice_mensal_tr.csv", "rendimentos.csv", "reflexos.csv",
                          "def_processo.csv", "prev_empregador.csv", "prev_sat.csv", "prev_terceiros.csv"})
        EXPECT_NE(std::find(nomes.begin(), nomes.end(), n), nomes.end()) << n;
    for (const auto& n : nomes) {
        const auto a = LeCsv(*DadoEmbutido(n), n);
        EXPECT_GE(a.comentarios.size(), 2u) << n << " sem bloco de fontes";
        EXPECT_FALSE(a.linhas.empty()) << n;
    }
    EXPECT_EQ(DadoEmbutido("inexistente.csv"), nullptr);
}

// The source notes name where the figures come from, not the scratch folder
// of the machine they were gathered on.
TEST_F(DadosEntregues, SourceNotesNameNoScratchFolder) {
    for (const auto& n : NomesDadosEmbutidos())
        for (const auto& c : LeCsv(*DadoEmbutido(n), n).comentarios) {
            EXPECT_EQ(c.find("/tmp/"), std::string::npos) << n << ": " << c;
            EXPECT_EQ(c.find("anchor"), std::string::npos) << n << ": " << c;
        }
}

TEST_F(DadosEntregues, MonthlyValuesCoverEveryMonthOnceWithTheSourcedGapsLeftEmpty) {
    const auto v = Le(*compartilhado_, "Valores.DB");
    ASSERT_EQ(v.size(), 390u);
    EXPECT_EQ(v.v(0, "Ano").comoInteiro(), 1994);
    EXPECT_EQ(v.v(0, "Mes").comoInteiro(), 7);
    int semFamilia = 0, semSeguro = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        const int k = Chave(v.v(i, "Ano").comoInteiro(), v.v(i, "Mes").comoInteiro());
        EXPECT_EQ(k, Chave(1994, 7) + static_cast<int>(i)) << "mês repetido ou faltando na linha " << i;
        EXPECT_GT(v.v(i, "SalMin").comoNumero(), 0.0);
        if (v.v(i, "SalFam1").nulo()) {
            ++semFamilia;
            EXPECT_TRUE(v.v(i, "SalFam2").nulo());
            EXPECT_TRUE(k < Chave(1999, 8) || (k >= Chave(2000, 6) && k <= Chave(2001, 5))) << k / 12 << "/" << k % 12 + 1;
        }
        if (v.v(i, "LimMinimo").nulo()) {
            ++semSeguro;
            EXPECT_LT(k, Chave(2007, 4));
        } else {
            EXPECT_LT(v.v(i, "LimMinimo").comoNumero(), v.v(i, "LimMaximo").comoNumero());
        }
    }
    EXPECT_EQ(semFamilia, 73);
    EXPECT_EQ(v.v(v.size() - 1, "Ano").comoInteiro(), 2026);
    EXPECT_EQ(v.v(v.size() - 1, "Mes").comoInteiro(), 12);
    EXPECT_DOUBLE_EQ(v.v(v.size() - 1, "SalMin").comoNumero(), 1621.00);
    // A single quota after 11/2019: the second one is 0, not empty.
    EXPECT_DOUBLE_EQ(v.v(v.size() - 1, "SalFam2").comoNumero(), 0.0);
}

TEST_F(DadosEntregues, InssBracketsRiseWithinEachMonthMatchTheMinimumWageAndTurnProgressiveIn2020) {
    const auto f = Le(*compartilhado_, "FaixasINSS.DB");
    const auto v = Le(*compartilhado_, "Valores.DB");
    std::map<int, double> salMin;
    for (size_t i = 0; i < v.size(); ++i)
        salMin[Chave(v.v(i, "Ano").comoInteiro(), v.v(i, "Mes").comoInteiro())] = v.v(i, "SalMin").comoNumero();

    ASSERT_EQ(f.size(), 325u);
    std::set<int> meses;
    for (size_t i = 0; i < f.size(); ++i) {
        const int ano = f.v(i, "Ano").comoInteiro(), mes = f.v(i, "Mes").comoInteiro();
        const int k = Chave(ano, mes);
        EXPECT_TRUE(meses.insert(k).second);
        ASSERT_TRUE(salMin.count(k)) << mes << "/" << ano;
        EXPECT_DOUBLE_EQ(f.v(i, "LimiteMinimo").comoNumero(), salMin[k]) << mes << "/" << ano;
        EXPECT_EQ(f.v(i, "Progressiva").comoLogico(), k >= Chave(2020, 3)) << mes << "/" << ano;
        double anterior = 0;
        bool acabou = false;
        for (int b = 1; b <= 5; ++b) {
            const double lim = f.v(i, ("Limite" + std::to_string(b)).c_str()).comoNumero();
            const double pct = f.v(i, ("Percentual" + std::to_string(b)).c_str()).comoNumero();
            if (lim == 0) {
                acabou = true;
                EXPECT_EQ(pct, 0.0);
                continue;
            }
            EXPECT_FALSE(acabou) << "faixa depois de uma faixa vazia em " << mes << "/" << ano;
            EXPECT_GT(lim, anterior) << mes << "/" << ano << " faixa " << b;
            EXPECT_GT(pct, 0.0);
            anterior = lim;
        }
        EXPECT_GE(f.v(i, "Limite1").comoNumero(), f.v(i, "LimiteMinimo").comoNumero());
    }
    // 08/1999 to 12/2026, the four months of 2004 without a sourced table excepted.
    for (int k = Chave(1999, 8); k <= Chave(2026, 12); ++k) {
        const bool buraco = k >= Chave(2004, 1) && k <= Chave(2004, 4);
        EXPECT_EQ(meses.count(k), buraco ? 0u : 1u) << k / 12 << "/" << k % 12 + 1;
    }
}

TEST_F(DadosEntregues, IncomeTaxBracketsCoverEveryMonthFrom1996AndRise) {
    const auto f = Le(*compartilhado_, "FaixasIR.db");
    ASSERT_EQ(f.size(), 372u);
    for (size_t i = 0; i < f.size(); ++i) {
        const int ano = f.v(i, "Ano").comoInteiro(), mes = f.v(i, "Mes").comoInteiro();
        EXPECT_EQ(Chave(ano, mes), Chave(1996, 1) + static_cast<int>(i));
        double lim = f.v(i, "LimiteMinimo").comoNumero();
        double pct = 0;
        bool acabou = false;
        for (int b = 1; b <= 3; ++b) {
            const double l = f.v(i, ("Limite" + std::to_string(b)).c_str()).comoNumero();
            const double p = f.v(i, ("Percentual" + std::to_string(b)).c_str()).comoNumero();
            if (l == 0) {
                acabou = true;
                continue;
            }
            EXPECT_FALSE(acabou);
            EXPECT_GT(l, lim) << mes << "/" << ano;
            EXPECT_GT(p, pct) << mes << "/" << ano;
            lim = l;
            pct = p;
        }
        EXPECT_GT(f.v(i, "PercentualMaximo").comoNumero(), pct) << mes << "/" << ano;
        EXPECT_GT(f.v(i, "DeducaoDependente").comoNumero(), 0.0);
    }
}

TEST_F(DadosEntregues, DailySeriesHaveOneRowPerDayAndChainTheMonthlyFactors) {
    const auto nomes = Le(*compartilhado_, "NomeIndiceDiario.DB");
    ASSERT_EQ(nomes.size(), 2u);
    EXPECT_EQ(nomes.v(0, "Nome").comoTexto(), "IPCA-E");
    EXPECT_EQ(nomes.v(1, "Nome").comoTexto(), "TR");

    const auto d = Le(*compartilhado_, "Diario.DB");
    const std::map<int, std::string> arquivos = {{1, "indice_mensal_ipcae.csv"}, {2, "indice_mensal_tr.csv"}};
    const std::map<int, Data> ultimos = {{1, Data::de(2026, 10, 1)}, {2, Data::de(2026, 11, 1)}};
    size_t i = 0;
    for (const auto& [codigo, arquivo] : arquivos) {
        // Value of each first of a month: the product of the factors before it.
        std::map<Data, double> primeiros;
        double produto = 1.0;
        for (const auto& t : TaxasDoArquivo(arquivo)) {
            primeiros[Data::de(t.ano, t.mes, 1)] = produto;
            produto *= 1.0 + t.percentual / 100.0;
        }
        primeiros[ultimos.at(codigo)] = produto;

        const size_t inicio = i;
        Data esperada = Data::de(2000, 1, 1);
        size_t conferidos = 0;
        for (; i < d.size() && d.v(i, "CodIndice").comoInteiro() == codigo; ++i, esperada += 1) {
            ASSERT_EQ(d.v(i, "Data").comoData(), esperada) << "dia faltando na série " << codigo;
            const double valor = d.v(i, "Indice").comoNumero();
            EXPECT_GT(valor, 0.0);
            if (auto it = primeiros.find(esperada); it != primeiros.end()) {
                EXPECT_NEAR(valor / it->second, 1.0, 1e-12) << esperada.dma();
                ++conferidos;
            }
        }
        EXPECT_EQ(esperada - 1, ultimos.at(codigo)) << "último dia da série " << codigo;
        EXPECT_EQ(conferidos, primeiros.size());
        EXPECT_EQ(i - inicio, static_cast<size_t>(ultimos.at(codigo) - Data::de(2000, 1, 1) + 1));
    }
    EXPECT_EQ(i, d.size()) << "linhas de séries não entregues";

    // IPCA-E 01/2000 0.65 %, 02/2000 0.34 %, 03/2000 0.09 %, written out.
    auto indice = [&](int codigo, Data data) {
        for (size_t k = 0; k < d.size(); ++k)
            if (d.v(k, "CodIndice").comoInteiro() == codigo && d.v(k, "Data").comoData() == data)
                return d.v(k, "Indice").comoNumero();
        return -1.0;
    };
    EXPECT_NEAR(indice(1, Data::de(2000, 1, 16)), std::pow(1.0065, 15.0 / 31.0), 1e-14);
    EXPECT_NEAR(indice(1, Data::de(2000, 2, 1)), 1.0065, 1e-14);
    EXPECT_NEAR(indice(1, Data::de(2000, 3, 1)), 1.0065 * 1.0034, 1e-14);
    EXPECT_NEAR(indice(1, Data::de(2000, 4, 1)), 1.0065 * 1.0034 * 1.0009, 1e-14);
    // TR 01/2000 0.2149 %.
    EXPECT_NEAR(indice(2, Data::de(2000, 2, 1)), 1.002149, 1e-14);
}

TEST_F(DadosEntregues, NationalHolidaysAreClassOneWithShortNamesAndOneRowPerDate) {
    const auto f = Le(*compartilhado_, "FeriadosPadrao.db");
    ASSERT_EQ(f.size(), 425u);
    std::map<int, int> porAno;
    for (size_t i = 0; i < f.size(); ++i) {
        const Data dia = f.v(i, "Data").comoData();
        const std::string nome = f.v(i, "Descricao").comoTexto();
        EXPECT_EQ(f.v(i, "Tipo").comoInteiro(), 1);
        EXPECT_LE(Comprimento(nome), 20u) << nome;
        EXPECT_FALSE(nome.empty());
        ++porAno[dia.ano()];
        if (nome == "Paixão de Cristo") {
            EXPECT_EQ(dia.diaDaSemana(), 6) << dia.dma();
        }
        if (dia.dia() == 25 && dia.mes() == 12) {
            EXPECT_EQ(nome, "Natal");
        }
    }
    ASSERT_EQ(porAno.size(), 46u);
    for (const auto& [ano, n] : porAno) {
        // Nine a year, ten from 2024 (Consciência Negra); in 2000 Good Friday fell on Tiradentes.
        const int esperado = ano == 2000 ? 8 : ano >= 2024 ? 10 : 9;
        EXPECT_EQ(n, esperado) << ano;
    }
    const auto tipos = Le(*compartilhado_, "TipoFeriado.DB");
    ASSERT_EQ(tipos.size(), 2u);
    EXPECT_EQ(tipos.v(0, "Descricao").comoTexto(), "Nacional");
    EXPECT_EQ(tipos.v(1, "Descricao").comoTexto(), "Estadual");
}

TEST_F(DadosEntregues, CodeListsHoldTheCodesTheProgramReadsAndUserTablesStartEmpty) {
    const auto db = Le(*compartilhado_, "DataBasePadrao.db");
    std::vector<int64_t> codigos;
    for (size_t i = 0; i < db.size(); ++i) {
        codigos.push_back(db.v(i, "Codigo").comoInteiro());
        EXPECT_LE(Comprimento(db.v(i, "Descricao").comoTexto()), 30u);
    }
    EXPECT_EQ(codigos, (std::vector<int64_t>{0, 1, 5, 9, 10, 15, 20, 50}));

    const auto ir = Le(*compartilhado_, "BasesIR.db");
    ASSERT_EQ(ir.size(), 4u);
    EXPECT_EQ(ir.v(0, "Descricao").comoTexto(), "13º salário");
    EXPECT_EQ(ir.v(1, "Descricao").comoTexto(), "Férias");

    const auto doc = Le(*compartilhado_, "Documento.db");
    bool temSequencial = false;
    for (size_t i = 0; i < doc.size(); ++i) {
        EXPECT_LT(doc.v(i, "Codigo").comoInteiro(), 10) << "o arquivo de remessa grava o tipo com um dígito";
        temSequencial |= doc.v(i, "Codigo").comoInteiro() == 9;
    }
    EXPECT_TRUE(temSequencial);

    const auto partes = Le(*compartilhado_, "TipoParte.db");
    ASSERT_GE(partes.size(), 3u);
    EXPECT_EQ(partes.v(0, "TipoParte").comoTexto(), "Reclamante");
    EXPECT_EQ(partes.v(2, "Codigo").comoInteiro(), 3);
    EXPECT_EQ(partes.v(2, "TipoParte").comoTexto(), "Reclamada");

    auto taxas = [&](const char* tabela) {
        std::set<double> r;
        const auto t = Le(*compartilhado_, tabela);
        for (size_t i = 0; i < t.size(); ++i) {
            EXPECT_FALSE(t.v(i, "Natureza").comoTexto().empty());
            r.insert(t.v(i, "Taxa").comoNumero());
        }
        return r;
    };
    const auto empregador = taxas("PrevEmpregador.DB");
    EXPECT_TRUE(empregador.count(20.0) && empregador.count(22.5));
    const auto sat = taxas("PrevSAT.DB");
    EXPECT_TRUE(sat.count(1.0) && sat.count(2.0) && sat.count(3.0));
    EXPECT_EQ(taxas("PrevTerceiro.DB"), (std::set<double>{5.8}));

    for (const char* vazia : {"Salario.DB", "NomeSalario.DB", "VTransp.DB", "NomeVTransp.DB", "Indices.DB",
                              "NomeIndice.db", "UFIR.db", "URV.db"})
        EXPECT_EQ(Le(*compartilhado_, vazia).size(), 0u) << vazia;
}

TEST_F(DadosEntregues, PayItemCatalogueFollowsTheCodeModel) {
    const auto r = Le(*privado_, "Rendimen.DB");
    const auto bases = Le(*compartilhado_, "BasesIR.db");
    std::set<int64_t> categorias;
    for (size_t i = 0; i < bases.size(); ++i) categorias.insert(bases.v(i, "Codigo").comoInteiro());

    std::map<int, size_t> pos;
    for (size_t i = 0; i < r.size(); ++i) pos[r.v(i, "Codigo").comoInteiro()] = i;
    for (int fixo : {1, 2, 3, 4, 892, 893, 902, 903, 997, 998, 999}) EXPECT_TRUE(pos.count(fixo)) << fixo;

    for (const auto& [c, i] : pos) {
        EXPECT_GE(c, 1);
        EXPECT_LE(c, 999);
        EXPECT_EQ(r.v(i, "Tipo").comoTexto(), "S") << c;
        const std::string inss = r.v(i, "INSS").comoTexto();
        EXPECT_TRUE(inss == "S" || inss == "N") << c;
        EXPECT_TRUE(categorias.count(r.v(i, "IR").comoInteiro())) << c;
        EXPECT_LE(Comprimento(r.v(i, "DescRend").comoTexto()), 40u);
        const bool resultado = c > 9 && c % 10 >= 2;
        // Only rows of result items may count for INSS: a due or paid row marked
        // "S" would put the same amount into the base twice.
        if (!resultado) {
            EXPECT_EQ(inss, "N") << c;
        }
        if (c > 9 && c % 10 == 2) {
            EXPECT_TRUE(pos.count(c - 2) && pos.count(c - 1)) << "diferença " << c << " sem devido e pago";
        }
        if (c > 9 && c % 10 <= 1) {
            EXPECT_TRUE(pos.count(c - c % 10 + 2)) << "família " << c << " sem diferença";
        }
        if (!r.v(i, "Base").nulo()) {
            const int b = r.v(i, "Base").comoInteiro();
            EXPECT_NE(b, c);
            EXPECT_TRUE(pos.count(b)) << c << " aponta para a base inexistente " << b;
        }
        if (!r.v(i, "Divisor").nulo()) {
            EXPECT_GT(r.v(i, "Divisor").comoNumero(), 0.5) << c;
        }
    }
    // The defaults the law fixes.
    EXPECT_DOUBLE_EQ(r.v(pos[20], "Indice").comoNumero(), 1.5);
    EXPECT_DOUBLE_EQ(r.v(pos[20], "Divisor").comoNumero(), 220);
    EXPECT_DOUBLE_EQ(r.v(pos[903], "Indice").comoNumero(), 0.4);
    EXPECT_EQ(r.v(pos[903], "Base").comoInteiro(), 902);

    const auto refl = Le(*privado_, "Reflexos.DB");
    ASSERT_FALSE(refl.linhas.empty());
    for (size_t i = 0; i < refl.size(); ++i) {
        const int b = refl.v(i, "Base").comoInteiro(), x = refl.v(i, "Reflexo").comoInteiro();
        ASSERT_TRUE(pos.count(b) && pos.count(x)) << b << " -> " << x;
        EXPECT_NE(b, x);
        EXPECT_TRUE(b > 9 && b % 10 >= 2) << "reflexo de um item que não entra no resultado: " << b;
        EXPECT_TRUE(x > 9 && x % 10 >= 2) << "reflexo em um item que não entra no resultado: " << x;
        EXPECT_GT(refl.v(i, "Divisor").comoNumero(), 0.5);
        // A reflex item based on this item offers the same defaults in both places.
        const size_t k = pos[x];
        if (!r.v(k, "Base").nulo() && r.v(k, "Base").comoInteiro() == b) {
            EXPECT_DOUBLE_EQ(r.v(k, "Qtde").comoNumero(), refl.v(i, "Qtde").comoNumero()) << x;
            EXPECT_DOUBLE_EQ(r.v(k, "Indice").comoNumero(), refl.v(i, "Indice").comoNumero()) << x;
            EXPECT_DOUBLE_EQ(r.v(k, "Divisor").comoNumero(), refl.v(i, "Divisor").comoNumero()) << x;
        }
    }
}

TEST_F(DadosEntregues, LawsuitDefaultsAreOneCompleteRowPointingAtDeliveredCodes) {
    const auto d = Le(*privado_, "DefProcesso.DB");
    ASSERT_EQ(d.size(), 1u);
    for (const auto& f : d.def.campos)
        if (f.obrigatorio) {
            EXPECT_FALSE(d.v(0, f.nome.c_str()).nulo()) << f.nome;
        }
    EXPECT_EQ(d.v(0, "IndPrincipal").comoInteiro(), 1);
    EXPECT_EQ(d.v(0, "CalculoJuros").comoInteiro(), 0);
    EXPECT_EQ(d.v(0, "OpcaoIR").comoInteiro(), 1);
    EXPECT_TRUE(d.v(0, "AtualizaFeriadosNacionais").comoLogico());
    EXPECT_DOUBLE_EQ(d.v(0, "INSSReclamado").comoNumero(), 20.0);

    std::set<int64_t> indices, datas;
    const auto n = Le(*compartilhado_, "NomeIndiceDiario.DB");
    for (size_t i = 0; i < n.size(); ++i) indices.insert(n.v(i, "Codigo").comoInteiro());
    const auto db = Le(*compartilhado_, "DataBasePadrao.db");
    for (size_t i = 0; i < db.size(); ++i) datas.insert(db.v(i, "Codigo").comoInteiro());
    EXPECT_TRUE(indices.count(d.v(0, "IndPrincipal").comoInteiro()));
    EXPECT_TRUE(indices.count(d.v(0, "IndFGTS").comoInteiro()));
    EXPECT_TRUE(datas.count(d.v(0, "DataBasePadrao").comoInteiro()));
}

TEST_F(DadosEntregues, ProRataDefaultsAreOneCompleteRowAndTheDefaultAdditionsStartEmpty) {
    const auto d = Le(*privado_, "DefProrrata.db");
    ASSERT_EQ(d.size(), 1u);
    for (const auto& f : d.def.campos)
        if (f.obrigatorio) {
            EXPECT_FALSE(d.v(0, f.nome.c_str()).nulo()) << f.nome;
        }
    EXPECT_TRUE(d.v(0, "ComJuros").comoLogico());
    EXPECT_TRUE(d.v(0, "JurosConstantes").comoLogico());
    EXPECT_EQ(d.v(0, "FormaAbatimento").comoTexto(), "J");
    EXPECT_EQ(d.v(0, "UsarJurosPadrao").comoInteiro(), 0);
    std::set<int64_t> indices;
    const auto n = Le(*compartilhado_, "NomeIndiceDiario.DB");
    for (size_t i = 0; i < n.size(); ++i) indices.insert(n.v(i, "Codigo").comoInteiro());
    EXPECT_TRUE(indices.count(d.v(0, "Indice").comoInteiro()));
    EXPECT_EQ(Le(*privado_, "DefAcrescProrrata.DB").size(), 0u);
}

// An installation made before the pro-rata tables existed gets them when the
// program starts, with the delivered defaults row; the other tables keep
// their rows as they are.
TEST(CargaInicial, AStartCompletesTheMissingFixedTablesOfAnExistingPrivateDatabase) {
    teste::PastaTemporaria p;
    const Ambiente amb = Ambiente::Padrao(p.caminho(), "korva");
    ASSERT_TRUE(Sessao::PrimeiraPartida(amb));
    {
        Banco privado("CalcPriv", amb.pastaPrivadaInicial());
        privado.executa("DefProcesso.DB", "UPDATE Tabela SET INSSReclamado = 21");
        for (const char* t : {"Prorrata.db", "DefProrrata.db", "Parcelas.DB", "JurosProrrata.db",
                              "AcrescProrrata.DB", "DefAcrescProrrata.DB"})
            privado.excluiTabela(t);
    }
    Sessao sessao(amb);
    Banco& privado = sessao.privado();
    for (const auto& nome : TabelasFixasPrivadas()) EXPECT_TRUE(privado.existe(nome)) << nome;
    EXPECT_EQ(Le(privado, "DefProrrata.db").size(), 1u);
    EXPECT_EQ(Le(privado, "Prorrata.db").size(), 0u);
    const auto def = Le(privado, "DefProcesso.DB");
    ASSERT_EQ(def.size(), 1u);
    EXPECT_DOUBLE_EQ(def.v(0, "INSSReclamado").comoNumero(), 21.0);
    EXPECT_TRUE(CompletaTabelasPrivadas(privado).empty());
}

// ---- one transaction per database ----

TEST(CargaInicial, AFailureLeavesTheDatabaseEmptyAndARerunCompletesWithoutDuplicates) {
    teste::PastaTemporaria p;
    std::filesystem::create_directories(p.caminho() / "priv");
    std::filesystem::create_directories(p.caminho() / "share");
    Banco privado("CalcPriv", p.caminho() / "priv");
    Banco comum("CalcShare", p.caminho() / "share");
    for (const auto& nome : TabelasFixasPrivadas()) privado.criaTabela(nome, *EsquemaFixoPrivado(nome));
    for (const auto& nome : TabelasCompartilhadas()) {
        DefTabela def = *EsquemaCompartilhado(nome);
        // A holiday table whose names hold 5 characters cannot take the delivered rows.
        if (nome == "FeriadosPadrao.db") def.campos[1].tamanho = 5;
        comum.criaTabela(nome, def);
    }
    std::vector<std::string> avisos;
    const std::string erro = Erro([&] {
        CarregaDadosEntregues(privado, comum, [&](const std::string& s) { avisos.push_back(s); });
    });
    EXPECT_NE(erro.find("CalcShare"), std::string::npos) << erro;
    EXPECT_NE(erro.find("feriados_nacionais.csv, linha"), std::string::npos) << erro;
    EXPECT_NE(erro.find("Nenhuma linha foi gravada"), std::string::npos) << erro;
    EXPECT_FALSE(avisos.empty());
    // Tables loaded before the failure in the same database were undone...
    for (const char* t : {"Valores.DB", "FaixasINSS.DB", "FaixasIR.db", "TipoFeriado.DB", "FeriadosPadrao.db"})
        EXPECT_EQ(Le(comum, t).size(), 0u) << t;
    // ...while the private database, loaded in its own transaction, kept its rows.
    const size_t itens = Le(privado, "Rendimen.DB").size();
    EXPECT_GT(itens, 0u);

    comum.excluiTabela("FeriadosPadrao.db");
    comum.criaTabela("FeriadosPadrao.db", EsquemaFeriadosPadrao());
    ASSERT_NO_THROW(CarregaDadosEntregues(privado, comum));
    EXPECT_EQ(Le(privado, "Rendimen.DB").size(), itens);
    EXPECT_EQ(Le(privado, "DefProcesso.DB").size(), 1u);
    EXPECT_EQ(Le(comum, "Valores.DB").size(), 390u);
    EXPECT_EQ(Le(comum, "FeriadosPadrao.db").size(), 425u);
}
