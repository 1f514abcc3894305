// The catalogue's exchange document: export and import between two
// installations, refused rows that leave the catalogue as it was, and the
// system items that an import keeps and cannot rename.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "apoio/PastaTemporaria.h"
#include "parameters/Catalogo.h"
#include "parameters/CodigosVerba.h"
#include "parameters/TrocaVerbas.h"
#include "reference/CargaInicial.h"
#include "reference/EsquemasReferencia.h"
#include "reference/TabelasReferencia.h"
#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"

using nlohmann::json;

namespace korva {
namespace {

// A new installation's private and shared databases with the delivered rows.
struct Instalacao {
    teste::PastaTemporaria pasta;
    std::unique_ptr<Banco> privado, comum;
    std::unique_ptr<TabelasReferencia> referencia;

    Instalacao() {
        std::filesystem::create_directories(pasta.caminho() / "priv");
        std::filesystem::create_directories(pasta.caminho() / "share");
        privado = std::make_unique<Banco>("CalcPriv", pasta.caminho() / "priv");
        comum = std::make_unique<Banco>("CalcShare", pasta.caminho() / "share");
        for (const auto& nome : TabelasFixasPrivadas()) privado->criaTabela(nome, *EsquemaFixoPrivado(nome));
        for (const auto& nome : TabelasCompartilhadas()) comum->criaTabela(nome, *EsquemaCompartilhado(nome));
        CarregaDadosEntregues(*privado, *comum);
        referencia = std::make_unique<TabelasReferencia>(*comum);
    }

    json exporta() { return ExportaVerbas(*privado); }
    VerbasImportadas importa(const json& doc) { return ImportaVerbas(*privado, *referencia, doc); }
    std::string erroAoImportar(const json& doc) {
        try {
            importa(doc);
        } catch (const std::exception& e) {
            return e.what();
        }
        return {};
    }

    // Edits through the catalogue, as the window does.
    void comCatalogo(const std::function<void(Catalogo&)>& f) {
        Catalogo c(*privado, *referencia);
        c.abre();
        f(c);
        c.fecha();
    }
    static void novoItem(Catalogo& c, int codigo, const std::string& descricao, std::optional<int> base = {}) {
        Tabela& r = c.rendimentos();
        r.insere();
        r["Codigo"] = codigo;
        r["DescRend"] = descricao;
        r["INSS"] = "S";
        r["IR"] = 1;
        r["Qtde"] = 1.5;
        if (base) r["Base"] = *base;
        r.grava();
    }
    static void reflexo(Catalogo& c, int base, int item, double divisor) {
        ASSERT_TRUE(c.rendimentos().localizaChave({Valor(base)}));
        Tabela& x = c.reflexos();
        x.insere();
        x["Reflexo"] = item;
        x["Qtde"] = 1.0;
        x["Indice"] = 1.0;
        x["Divisor"] = divisor;
        x.grava();
    }
};

// The rows of one array whose field `campo` holds `valor`.
std::vector<json> Onde(const json& linhas, const char* campo, int valor) {
    std::vector<json> r;
    for (const auto& l : linhas)
        if (l[campo] == valor) r.push_back(l);
    return r;
}

// Installation A with user items, repercussions between user and system items
// in both directions, and a system item's changed defaults.
json CatalogoDeA(Instalacao& a) {
    a.comCatalogo([](Catalogo& c) {
        Instalacao::novoItem(c, 700, "gratificação de função", 2);
        Instalacao::novoItem(c, 702, "gratificação - diferenças", 700);
        Instalacao::reflexo(c, 702, 13, 12.0);   // user item -> system item
        Instalacao::reflexo(c, 12, 702, 1.0);    // system item -> user item
        Instalacao::reflexo(c, 702, 700, 2.0);   // between user items
        ASSERT_TRUE(c.rendimentos().localizaChave({Valor(13)}));
        c.rendimentos().edita();
        c.rendimentos()["Divisor"] = 6.0;
        c.rendimentos()["INSS"] = "N";
        c.rendimentos().grava();
    });
    return a.exporta();
}

TEST(TrocaVerbas, ExportImportedOnAnotherInstallationGivesTheSameCatalogue) {
    Instalacao a;
    const json doc = CatalogoDeA(a);
    ASSERT_EQ(Onde(doc["Rendimen"], "Codigo", 700).size(), 1u);
    EXPECT_EQ(Onde(doc["Rendimen"], "Codigo", 700)[0]["DescRend"], "Gratificação de Função");
    EXPECT_EQ(Onde(doc["Rendimen"], "Codigo", 700)[0]["Tipo"], "U");
    EXPECT_EQ(Onde(doc["Reflexos"], "Base", 702).size(), 2u);

    // B has a user item of its own, with repercussions, that A does not have.
    Instalacao b;
    b.comCatalogo([](Catalogo& c) {
        Instalacao::novoItem(c, 800, "prêmio", 2);
        Instalacao::reflexo(c, 800, 13, 12.0);
        Instalacao::reflexo(c, 22, 800, 1.0);
    });
    int sistema = 0;
    for (const auto& l : doc["Rendimen"]) sistema += l["Tipo"] == "S";
    const VerbasImportadas r = b.importa(doc);
    EXPECT_EQ(r.usuario, 2);
    EXPECT_EQ(r.sistema, sistema);
    EXPECT_EQ(r.reflexos, static_cast<int>(doc["Reflexos"].size()));
    EXPECT_EQ(b.exporta(), doc);

    // Importing the same document again changes nothing.
    b.importa(doc);
    EXPECT_EQ(b.exporta(), doc);
}

TEST(TrocaVerbas, ARefusedRowNamesArrayRowAndFieldAndLeavesTheCatalogueAsItWas) {
    Instalacao a;
    const json doc = CatalogoDeA(a);
    const auto posicao = [&](const char* lista, const std::function<bool(const json&)>& e) {
        for (size_t i = 0; i < doc[lista].size(); ++i)
            if (e(doc[lista][i])) return i;
        ADD_FAILURE() << lista;
        return size_t{0};
    };
    const size_t i700 = posicao("Rendimen", [](const json& l) { return l["Codigo"] == 700; });
    const std::string l700 = std::to_string(i700 + 1);
    // The repercussion row between the two user items.
    const size_t rUltimo = posicao("Reflexos", [](const json& l) { return l["Base"] == 702 && l["Reflexo"] == 700; });
    const std::string lUltimo = std::to_string(rUltimo + 1);

    std::vector<std::pair<std::function<void(json&)>, std::string>> casos = {
        {[&](json& d) { d["Rendimen"][i700]["INSS"] = "X"; },
         "Rendimen, linha " + l700 + ": INSS: " + Catalogo::MsgValorInvalido},
        {[&](json& d) { d["Rendimen"][i700]["Base"] = 700; },
         "Rendimen, linha " + l700 + ": Base: " + Catalogo::MsgBaseInvalida},
        {[&](json& d) { d["Rendimen"][i700]["IR"] = 77; },
         "Rendimen, linha " + l700 + ": IR: " + Catalogo::MsgBaseIRInexistente},
        {[&](json& d) { d["Rendimen"][i700]["Codigo"] = 1000; },
         "Rendimen, linha " + l700 + ": Codigo: " + Catalogo::MsgCodigoInvalido},
        {[&](json& d) { d["Rendimen"][i700]["Qtde"] = "um"; },
         "Rendimen, linha " + l700 + ": Valor inválido para o campo Qtde"},
        {[&](json& d) { d["Rendimen"][i700]["Cor"] = 1; }, "Rendimen, linha " + l700 + ": Campo desconhecido: Cor."},
        {[&](json& d) { d["Rendimen"][i700].erase("DescRend"); },
         "Rendimen, linha " + l700 + ": Campo obrigatório não preenchido: DescRend"},
        {[&](json& d) { d["Rendimen"].push_back(d["Rendimen"][i700]); },
         "Rendimen, linha " + std::to_string(doc["Rendimen"].size() + 1) + ": Codigo: a verba 700 já está no documento."},
        {[&](json& d) { d["Reflexos"][rUltimo]["Reflexo"] = d["Reflexos"][rUltimo]["Base"]; },
         "Reflexos, linha " + lUltimo + ": Reflexo: " + Catalogo::MsgReflexoInvalido},
        {[&](json& d) { d["Reflexos"][rUltimo]["Reflexo"] = 777; },
         "Reflexos, linha " + lUltimo + ": Reflexo: Verba 777 não encontrada na Tabela de Verbas!"},
        {[&](json& d) { d["Reflexos"][rUltimo]["Base"] = 777; },
         "Reflexos, linha " + lUltimo + ": Base: Verba 777 não encontrada na Tabela de Verbas!"},
        {[&](json& d) { d["Reflexos"][rUltimo].erase("Base"); },
         "Reflexos, linha " + lUltimo + ": Base: Campo obrigatório não preenchido."},
        // A row repeated: the second sees the first, stored in the same import.
        {[&](json& d) { d["Reflexos"].push_back(d["Reflexos"][0]); },
         "Reflexos, linha " + std::to_string(doc["Reflexos"].size() + 1) + ": Reflexo: A verba " +
             CodigoTresDigitos(doc["Reflexos"][0]["Reflexo"].get<int>()) + " já está nos reflexos desta verba!"},
        {[&](json& d) { d["Reflexos"][0] = 3; }, "Reflexos, linha 1: A linha deve ser um objeto JSON."},
        {[&](json& d) { d.erase("Reflexos"); }, "O documento das verbas não tem a lista Reflexos."},
        {[&](json& d) { d["Rendimen"] = json::object(); }, "Rendimen: deve ser uma lista de linhas."},
        {[&](json& d) { d["Processo"] = json::object(); }, "Tabela desconhecida no documento: Processo."},
    };

    // B holds a user item and repercussions of its own.
    Instalacao b;
    b.comCatalogo([](Catalogo& c) {
        Instalacao::novoItem(c, 800, "prêmio", 2);
        Instalacao::reflexo(c, 800, 13, 12.0);
        Instalacao::reflexo(c, 22, 800, 1.0);
    });
    const json antes = b.exporta();
    for (const auto& [muda, esperado] : casos) {
        json d = doc;
        muda(d);
        const std::string erro = b.erroAoImportar(d);
        EXPECT_EQ(erro.rfind(esperado, 0), 0u) << "esperado: " << esperado << "\nobtido: " << erro;
        EXPECT_EQ(b.exporta(), antes) << esperado;
    }
    // And the catalogue is still usable: the unchanged document goes in.
    b.importa(doc);
    EXPECT_EQ(b.exporta(), doc);
}

TEST(TrocaVerbas, SystemItemsAreKeptAndTheirCodeDescriptionAndTypeProtected) {
    Instalacao b;
    const json original = b.exporta();
    const json sistema13 = Onde(original["Rendimen"], "Codigo", 13).at(0);
    ASSERT_EQ(sistema13["Tipo"], "S");

    // A document with user items only: every system item stays as it was,
    // and so does nothing else but the repercussion list, which is replaced.
    json soUsuario = {{"Rendimen", json::array({{{"Codigo", 700},
                                                 {"DescRend", "ajuda de custo"},
                                                 {"INSS", "n"},
                                                 {"IR", 4},
                                                 {"Tipo", "U"}}})},
                      {"Reflexos", json::array({{{"Base", 700}, {"Reflexo", 13}, {"Qtde", 1}, {"Indice", 1},
                                                 {"Divisor", 12}}})}};
    const VerbasImportadas r = b.importa(soUsuario);
    EXPECT_EQ(r.usuario, 1);
    EXPECT_EQ(r.sistema, 0);
    const json depois = b.exporta();
    EXPECT_EQ(depois["Rendimen"].size(), original["Rendimen"].size() + 1);
    for (const auto& l : original["Rendimen"])
        EXPECT_EQ(Onde(depois["Rendimen"], "Codigo", l["Codigo"]).at(0), l);
    const json item = Onde(depois["Rendimen"], "Codigo", 700).at(0);
    EXPECT_EQ(item["DescRend"], "Ajuda de Custo");  // written as the window writes it
    EXPECT_EQ(item["INSS"], "N");
    ASSERT_EQ(depois["Reflexos"].size(), 1u);
    EXPECT_EQ(depois["Reflexos"][0]["Base"], 700);

    // A system item's defaults follow the document; its description, and the
    // type of any item, do not.
    json d = original;
    for (auto& l : d["Rendimen"])
        if (l["Codigo"] == 13) l["Divisor"] = 24.0;
    b.importa(d);
    EXPECT_EQ(Onde(b.exporta()["Rendimen"], "Codigo", 13).at(0)["Divisor"], 24.0);
    EXPECT_TRUE(Onde(b.exporta()["Rendimen"], "Codigo", 700).empty());

    const json guardado = b.exporta();
    const auto recusa = [&](const std::function<void(json&)>& muda, const std::string& esperado) {
        json e = guardado;
        muda(e);
        const std::string erro = b.erroAoImportar(e);
        EXPECT_NE(erro.find(esperado), std::string::npos) << erro;
        EXPECT_EQ(b.exporta(), guardado);
    };
    recusa([](json& e) {
        for (auto& l : e["Rendimen"])
            if (l["Codigo"] == 13) l["DescRend"] = "Outra descrição";
    }, std::string("DescRend: ") + Catalogo::MsgAlteraSistema);
    recusa([](json& e) {
        for (auto& l : e["Rendimen"])
            if (l["Codigo"] == 13) l["Tipo"] = "U";
    }, std::string("Tipo: ") + Catalogo::MsgCampoSomenteLeitura);
    // A user item cannot come in as a system item.
    recusa([](json& e) {
        e["Rendimen"].push_back({{"Codigo", 701}, {"DescRend", "Novo"}, {"INSS", "N"}, {"IR", 3}, {"Tipo", "S"}});
    }, std::string("Tipo: ") + Catalogo::MsgCampoSomenteLeitura);
}

}  // namespace
}  // namespace korva
