// A private database with a calculation's schedule (F) and card (G) tables.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "apoio/PastaTemporaria.h"
#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "timecards/Horarios.h"

namespace korva::teste {

struct BaseCartoes : ::testing::Test {
    PastaTemporaria pasta;
    Banco banco{"CalcPriv", pasta.caminho()};
    const std::string tabelaF = "Sub00001\\F0000001.db";
    const std::string tabelaG = "Sub00001\\G0000001.db";

    void SetUp() override {
        std::filesystem::create_directory(pasta.caminho() / "Sub00001");
        banco.criaTabela(tabelaF, ReceitaConjunto(5));
        banco.criaTabela(tabelaG, ReceitaConjunto(6));
    }

    static Data D(const char* dma) { return Data::deDMA(dma); }

    // Stores a card as it stands, without any rule.
    void gravaCartao(const char* data, const char* ent1, const char* sai1, const char* situacao = "") {
        Tabela t(banco, tabelaG);
        t.abre();
        t.insere();
        t["Data"] = D(data);
        t["Ent1"] = *LeHorario(ent1);
        t["Sai1"] = *LeHorario(sai1);
        if (*situacao) t["Situacao"] = situacao;
        t.grava();
    }

    int cartoes() {
        Tabela t(banco, tabelaG);
        t.abre(ModoAbertura::SomenteLeitura);
        return t.quantidade();
    }
};

}  // namespace korva::teste
