// A private database with the register's fixed tables, a defaults row and two
// default additions, for the register and defaults tests.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>

#include "apoio/PastaTemporaria.h"
#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"

namespace korva::teste {

struct BaseRegistro : ::testing::Test {
    PastaTemporaria pasta;
    Banco banco{"CalcPriv", pasta.caminho()};

    void SetUp() override {
        banco.criaTabela("Processo.DB", EsquemaProcesso());
        banco.criaTabela("DefProcesso.DB", EsquemaDefProcesso());
        banco.criaTabela("DefAcrescimos.DB", EsquemaDefAcrescimos());
    }

    void gravaPadroes(const std::string& calculista, int calculoJuros) {
        Tabela t(banco, "DefProcesso.DB");
        t.abre();
        t.insere();
        t["Calculista"] = calculista;
        t["INSSReclamado"] = 20.0;
        t["AliquotaUnica"] = false;
        for (const char* c : {"IndPrincipal", "IndFGTS", "DataBasePadrao", "AtualizaFeriadosMunic", "Salario",
                              "ValeTransporte"})
            t[c] = 1;
        for (const char* c : {"IncidirJurosFGTS", "AtualizarBaseMedia", "AtualizaFeriadosNacionais",
                              "AtualizaFeriadosEstaduais", "AdicionarINSSRecte", "IRSobreJuros",
                              "AnularReflexoNegativo"})
            t[c] = false;
        t["CalculoJuros"] = calculoJuros;
        t["OpcaoIR"] = 2;
        t.grava();
    }

    void gravaAcrescimosPadrao() {
        Tabela t(banco, "DefAcrescimos.DB");
        t.abre();
        t.insere();
        t["Descricao"] = "Honorários";
        t["Valor"] = 15.0;
        t["Tipo"] = "P";
        t["LimMinimo"] = 0.0;
        t["LimMaximo"] = 0.0;
        t.grava();
        t.insere();
        t["Descricao"] = "Custas";
        t["Valor"] = 200.0;
        t["Tipo"] = "V";
        t["DtBase"] = Data::de(2009, 5, 4);
        t["LimMinimo"] = 0.0;
        t["LimMaximo"] = 0.0;
        t.grava();
    }

    bool existe(const std::string& relativo) { return banco.existe(relativo); }
    int linhas(const std::string& nome) {
        Tabela t(banco, nome);
        t.abre(ModoAbertura::SomenteLeitura);
        return t.quantidade();
    }
};

}  // namespace korva::teste
