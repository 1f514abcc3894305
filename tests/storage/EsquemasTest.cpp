#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "storage/Esquemas.h"
#include "util/Erros.h"
#include "util/Texto.h"

using namespace korva;

namespace {

std::vector<std::string> Nomes(const DefTabela& t) {
    std::vector<std::string> v;
    for (const auto& c : t.campos) v.push_back(c.nome);
    return v;
}

const DefCampo* Campo(const DefTabela& t, const std::string& nome) {
    for (const auto& c : t.campos)
        if (c.nome == nome) return &c;
    return nullptr;
}

const DefIndice* Primario(const DefTabela& t) {
    for (const auto& i : t.indices)
        if (i.primario) return &i;
    return nullptr;
}

std::vector<std::string> NomesIndices(const DefTabela& t) {
    std::vector<std::string> v;
    for (const auto& i : t.indices)
        if (!i.primario) v.push_back(i.nome);
    return v;
}

const DefIndice* Indice(const DefTabela& t, const std::string& nome) {
    for (const auto& i : t.indices)
        if (!i.primario && i.nome == nome) return &i;
    return nullptr;
}

struct Declarada {
    std::string nome;
    const DefTabela* t;
};

std::vector<Declarada> TodasAsTabelas() {
    std::vector<Declarada> v;
    for (int tipo = 0; tipo < QtdeTiposConjunto; ++tipo)
        v.push_back({std::string("receita ") + LetraDoTipo(tipo), &ReceitaConjunto(tipo)});
    for (const auto& nome : TabelasFixasPrivadas()) v.push_back({nome, EsquemaFixoPrivado(nome)});
    v.push_back({"Temp.db", &EsquemaTemp()});
    return v;
}

}  // namespace

TEST(Esquemas, ReceitasTemOsCamposNaOrdemDeclarada) {
    EXPECT_EQ(Nomes(ReceitaConjunto(0)),
              (std::vector<std::string>{"Codigo", "Item", "Mes1", "Ano1", "Mes2", "Ano2", "Valor", "Qtde",
                                        "Indice", "Divisor", "Base", "VFM", "ItemMedia", "MMes1", "MAno1",
                                        "MMes2", "MAno2", "Diferenca", "CodDataBasePadrao", "DtBase",
                                        "INSS"}));
    EXPECT_EQ(Nomes(ReceitaConjunto(1)),
              (std::vector<std::string>{"Codigo", "Item", "Mes", "Ano", "Valor", "Qtde", "Indice", "Divisor",
                                        "Base", "VFM", "ItemMedia", "MMes1", "MAno1", "MMes2", "MAno2",
                                        "Diferenca", "CodDataBasePadrao", "DtBase", "Calculado", "INSS"}));
    EXPECT_EQ(Nomes(ReceitaConjunto(2)),
              (std::vector<std::string>{"Codigo", "Nome", "Dependentes", "TipoParte", "Sequencial",
                                        "TipoDocumento", "Documento"}));

    // Jornada: eleven fields, then three per slot in the slot order.
    const auto jornada = Nomes(ReceitaConjunto(5));
    ASSERT_EQ(jornada.size(), 11u + 24u);
    EXPECT_EQ(jornada[0], "Data1");
    EXPECT_EQ(jornada[10], "HabilitarTolerancia");
    EXPECT_EQ(jornada[11], "PrevHE1");
    EXPECT_EQ(jornada[12], "TolAntHE1");
    EXPECT_EQ(jornada[13], "TolDepHE1");
    EXPECT_EQ(jornada[14], "PrevHS1");
    EXPECT_EQ(jornada[17], "PrevHE2");
    EXPECT_EQ(jornada.back(), "TolDepHS4");
    for (size_t i = 11; i < jornada.size(); ++i) {
        EXPECT_EQ(ReceitaConjunto(5).campos[i].tipo, TipoCampo::Time) << jornada[i];
        EXPECT_TRUE(ReceitaConjunto(5).campos[i].obrigatorio) << jornada[i];
    }
}

TEST(Esquemas, ObrigatoriedadeETiposQueDistinguemAsReceitas) {
    const DefTabela& a = ReceitaConjunto(0);
    const DefTabela& b = ReceitaConjunto(1);
    ASSERT_NE(Campo(b, "Calculado"), nullptr);
    EXPECT_EQ(Campo(b, "Calculado")->tipo, TipoCampo::Boolean);
    EXPECT_TRUE(Campo(b, "Calculado")->obrigatorio);
    EXPECT_TRUE(Campo(b, "DtBase")->obrigatorio);
    EXPECT_FALSE(Campo(a, "DtBase")->obrigatorio);
    EXPECT_EQ(Campo(a, "Calculado"), nullptr);
    EXPECT_EQ(Campo(a, "VFM")->tamanho, 1);
    EXPECT_EQ(Campo(ReceitaConjunto(2), "Documento")->tamanho, 18);
    EXPECT_EQ(Campo(ReceitaConjunto(8), "Descricao")->tamanho, 30);

    // Cartao: only the first pair of a day is required.
    const DefTabela& g = ReceitaConjunto(6);
    EXPECT_TRUE(Campo(g, "Ent1")->obrigatorio);
    EXPECT_TRUE(Campo(g, "Sai1")->obrigatorio);
    EXPECT_FALSE(Campo(g, "Ent2")->obrigatorio);
    EXPECT_FALSE(Campo(g, "Situacao")->obrigatorio);

    // The file number of a calculation is numbered by the store.
    EXPECT_EQ(Campo(EsquemaProcesso(), "Arquivo")->tipo, TipoCampo::Autoinc);
    EXPECT_EQ(Campo(EsquemaProcesso(), "Diretorio")->tipo, TipoCampo::Smallint);
}

TEST(Esquemas, IndicesComNomesEOpcoesDeclarados) {
    EXPECT_EQ(NomesIndices(ReceitaConjunto(0)), (std::vector<std::string>{"IndAnoMesItem", "IndItemAnoMes"}));
    EXPECT_EQ(Indice(ReceitaConjunto(0), "IndAnoMesItem")->campos,
              (std::vector<std::string>{"Ano1", "Mes1", "Item"}));
    EXPECT_EQ(Indice(ReceitaConjunto(1), "IndItemAnoMes")->campos,
              (std::vector<std::string>{"Item", "Ano", "Mes"}));
    EXPECT_EQ(NomesIndices(ReceitaConjunto(2)), (std::vector<std::string>{"IndParte"}));
    EXPECT_TRUE(Indice(ReceitaConjunto(2), "IndParte")->semCaixa);
    EXPECT_TRUE(Indice(ReceitaConjunto(3), "IndAnoMes")->unico);
    EXPECT_EQ(NomesIndices(ReceitaConjunto(4)), (std::vector<std::string>{"IndDescricao"}));
    EXPECT_TRUE(Indice(ReceitaConjunto(4), "IndDescricao")->semCaixa);
    EXPECT_TRUE(NomesIndices(ReceitaConjunto(5)).empty());
    EXPECT_TRUE(NomesIndices(ReceitaConjunto(6)).empty());
    EXPECT_TRUE(Indice(ReceitaConjunto(7), "IndData")->unico);
    EXPECT_FALSE(Indice(ReceitaConjunto(8), "IndAnoMes")->unico);

    // Jornada's primary index is not unique; Cartao's is.
    EXPECT_EQ(Primario(ReceitaConjunto(5))->campos, std::vector<std::string>{"Data1"});
    EXPECT_FALSE(Primario(ReceitaConjunto(5))->unico);
    EXPECT_EQ(Primario(ReceitaConjunto(6))->campos, std::vector<std::string>{"Data"});
    EXPECT_TRUE(Primario(ReceitaConjunto(6))->unico);

    const DefTabela& processo = EsquemaProcesso();
    EXPECT_EQ(Primario(processo)->campos, (std::vector<std::string>{"Processo", "CodRecte"}));
    EXPECT_TRUE(Primario(processo)->unico);
    EXPECT_EQ(NomesIndices(processo), (std::vector<std::string>{"IndDtGrav", "IndDtAjuiz", "IndCalculista"}));
    for (const auto& i : processo.indices)
        if (!i.primario) {
            EXPECT_TRUE(i.semCaixa) << i.nome;
        }

    EXPECT_EQ(NomesIndices(EsquemaDefAcrescimos()), (std::vector<std::string>{"IndDescricao"}));
    EXPECT_EQ(NomesIndices(EsquemaProrrata()), (std::vector<std::string>{"IndProcesso"}));
    EXPECT_FALSE(Indice(EsquemaProrrata(), "IndProcesso")->unico);
    EXPECT_EQ(Indice(EsquemaJurosProrrata(), "IndData")->campos, (std::vector<std::string>{"Prorrata", "Data"}));
    EXPECT_EQ(Indice(EsquemaAcrescProrrata(), "IndProrrata")->campos,
              (std::vector<std::string>{"Prorrata", "Codigo"}));
    EXPECT_EQ(Primario(EsquemaParcelas())->campos, (std::vector<std::string>{"Prorrata", "Data"}));
}

TEST(Esquemas, RegrasEstruturaisDeTodasAsTabelas) {
    for (const auto& [nome, t] : TodasAsTabelas()) {
        ASSERT_NE(t, nullptr) << nome;
        std::set<std::string> vistos;
        for (const auto& c : t->campos) {
            EXPECT_TRUE(vistos.insert(Minusculas(c.nome)).second) << nome << ": campo repetido " << c.nome;
            if (c.tipo == TipoCampo::String)
                EXPECT_GT(c.tamanho, 0) << nome << "." << c.nome;
            else
                EXPECT_EQ(c.tamanho, 0) << nome << "." << c.nome;
        }
        int primarios = 0;
        std::set<std::string> nomesIndices;
        for (const auto& i : t->indices) {
            EXPECT_FALSE(i.campos.empty()) << nome;
            for (const auto& campo : i.campos)
                EXPECT_NE(Campo(*t, campo), nullptr) << nome << ": índice " << i.nome << " sem campo " << campo;
            if (i.primario) {
                ++primarios;
                EXPECT_TRUE(i.nome.empty()) << nome;
            } else {
                EXPECT_FALSE(i.nome.empty()) << nome;
                EXPECT_TRUE(nomesIndices.insert(i.nome).second) << nome << ": índice repetido " << i.nome;
            }
        }
        EXPECT_LE(primarios, 1) << nome;
        // A secondary index needs a primary one to hang on.
        if (!t->indices.empty()) {
            EXPECT_EQ(primarios, 1) << nome;
        }
        if (Campo(*t, "Codigo")) {
            ASSERT_NE(Primario(*t), nullptr) << nome;
            EXPECT_EQ(Primario(*t)->campos, std::vector<std::string>{"Codigo"}) << nome;
            EXPECT_TRUE(Primario(*t)->unico) << nome;
        }
    }
}

TEST(Esquemas, LetrasETipos) {
    EXPECT_EQ(LetraDoTipo(0), 'A');
    EXPECT_EQ(LetraDoTipo(8), 'I');
    for (int tipo = 0; tipo < QtdeTiposConjunto; ++tipo) EXPECT_EQ(TipoDaLetra(LetraDoTipo(tipo)), tipo);
    EXPECT_EQ(TipoDaLetra('g'), 6);
    EXPECT_EQ(TipoDaLetra('J'), -1);
    EXPECT_EQ(TipoDaLetra('@'), -1);
    EXPECT_EQ(TipoDaLetra('\0'), -1);
    EXPECT_THROW(ReceitaConjunto(9), ErroKorva);
    EXPECT_THROW(ReceitaConjunto(-1), ErroKorva);
    EXPECT_THROW(LetraDoTipo(9), ErroKorva);
}

TEST(Esquemas, TabelasFixasPorNomeDeArquivo) {
    const auto& nomes = TabelasFixasPrivadas();
    EXPECT_EQ(nomes.size(), 11u);
    EXPECT_EQ(nomes.front(), "Processo.DB");
    EXPECT_EQ(EsquemaFixoPrivado("processo.db"), &EsquemaProcesso());
    EXPECT_EQ(EsquemaFixoPrivado("PRORRATA.DB"), &EsquemaProrrata());
    EXPECT_EQ(EsquemaFixoPrivado("Parcelas"), &EsquemaParcelas());
    EXPECT_EQ(EsquemaFixoPrivado("DefAcrescProrrata.db"), &EsquemaDefAcrescProrrata());
    // A longer or shorter name must not match by prefix.
    EXPECT_EQ(EsquemaFixoPrivado("Prorrata.db.bak"), nullptr);
    EXPECT_EQ(EsquemaFixoPrivado("Processo.D"), nullptr);
    EXPECT_EQ(EsquemaFixoPrivado("Temp.db"), nullptr);
    EXPECT_EQ(EsquemaFixoPrivado(""), nullptr);

    // The defaults of additions have exactly the structure of letter E.
    EXPECT_EQ(Nomes(EsquemaDefAcrescimos()), Nomes(ReceitaConjunto(4)));
}
