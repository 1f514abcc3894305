// A private database with the tables A and B of calculation 1 and the
// catalogue, and a shared database with the holiday table, for the tests of
// the parameter rules.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <optional>
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

// A catalogue item with the given defaults (IR category 1, system item).
inline void InsereVerba(Banco& banco, int codigo, const std::string& desc, const std::string& inss,
                        std::optional<double> qtde = {}, std::optional<double> indice = {},
                        std::optional<double> divisor = {}, std::optional<int> base = {}) {
    Tabela r(banco, "Rendimen.DB");
    r.abre();
    r.insere();
    r["Codigo"] = codigo;
    r["DescRend"] = desc;
    if (qtde) r["Qtde"] = *qtde;
    if (indice) r["Indice"] = *indice;
    if (divisor) r["Divisor"] = *divisor;
    if (base) r["Base"] = *base;
    r["INSS"] = inss;
    r["IR"] = 1;
    r["Tipo"] = "S";
    r.grava();
}

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

    // The message an action fails with ("" when it does not fail).
    static std::string Mensagem(const std::function<void()>& f) {
        try {
            f();
        } catch (const std::exception& e) {
            return e.what();
        }
        return "";
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
