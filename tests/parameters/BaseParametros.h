// A private database with the tables A and B of calculation 1 and the
// catalogue, and a shared database with the holiday table, for the tests of
// the parameter rules.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "apoio/PastaTemporaria.h"
#include "parameters/CalculaDtBase.h"
#include "reference/EsquemasReferencia.h"
#include "reference/TabelasReferencia.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"

namespace korva::teste {

struct BaseParametros : ::testing::Test {
    PastaTemporaria pastaPriv, pastaComp;
    Banco banco{"CalcPriv", pastaPriv.caminho()};
    Banco compartilhado{"CalcComp", pastaComp.caminho()};
    ConjuntoCalculo conjunto{banco, [] { return 100; }};
    std::string tabelaA, tabelaB;

    void SetUp() override {
        conjunto.defineAtual(1, 1);
        conjunto.CriaSubDiretorio(1);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('A', 1), 0);
        conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('B', 1), 1);
        tabelaA = conjunto.NomeTabela('A');
        tabelaB = conjunto.NomeTabela('B');
        banco.criaTabela("Rendimen.DB", EsquemaRendimen());
        compartilhado.criaTabela("FeriadosPadrao.db", *EsquemaCompartilhado("FeriadosPadrao.db"));
    }

    void feriado(Data d, int tipo) {
        Tabela t(compartilhado, "FeriadosPadrao.db");
        t.abre();
        t.insere();
        t["Data"] = d;
        t["Descricao"] = "Feriado";
        t["Tipo"] = tipo;
        t.grava();
    }

    // A period row stored straight into A, without the window's rules.
    void periodo(int item, int mes1, int ano1, int mes2, int ano2, const std::string& vfm = "V", int codigo = 1,
                 Valor valor = 100.0) {
        Tabela a(banco, tabelaA);
        a.abre();
        a.insere();
        a["Item"] = item;
        a["Mes1"] = mes1;
        a["Ano1"] = ano1;
        a["Mes2"] = mes2;
        a["Ano2"] = ano2;
        a["Valor"] = valor;
        a["VFM"] = vfm;
        a["CodDataBasePadrao"] = codigo;
        a["INSS"] = "S";
        a.grava();
    }
};

}  // namespace korva::teste
