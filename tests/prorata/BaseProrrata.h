// A private database with the six pro-rata tables, one defaults row and two
// default additions, for the pro-rata record tests.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "apoio/PastaTemporaria.h"
#include "prorata/RegistrosProrrata.h"
#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"

namespace korva::teste {

inline const Data Hoje = Data::de(2024, 6, 17);

// A private database with the six pro-rata tables, one defaults row and two
// default additions.
struct BaseProrrata : ::testing::Test {
    PastaTemporaria pasta;
    Banco banco{"CalcPriv", pasta.caminho()};
    AjustesRegistro ajustes;

    void SetUp() override {
        banco.criaTabela(kTabelaProrrata, EsquemaProrrata());
        banco.criaTabela(kTabelaDefProrrata, EsquemaDefProrrata());
        banco.criaTabela(kTabelaParcelas, EsquemaParcelas());
        banco.criaTabela(kTabelaJurosProrrata, EsquemaJurosProrrata());
        banco.criaTabela(kTabelaAcrescProrrata, EsquemaAcrescProrrata());
        banco.criaTabela(kTabelaDefAcrescProrrata, EsquemaDefAcrescProrrata());
        {
            Tabela d(banco, kTabelaDefProrrata);
            d.abre();
            d.insere();
            d["ComJuros"] = true;
            d["JurosConstantes"] = false;
            d["ValorJuros"] = 7.0;  // not carried into a new record
            d["Indice"] = 4;
            d["FormaAbatimento"] = "P";
            d["UsarJurosPadrao"] = 1;
            d["ValorFGTS"] = 9.0;  // not carried either
            d["CalcularJurosFGTS"] = true;
            d["Obs"] = "Atualização conforme sentença";
            d["ObsFinal"] = "Valores sujeitos a revisão";
            d.grava();
        }
        Tabela a(banco, kTabelaDefAcrescProrrata);
        a.abre();
        a.insere();
        a["Descricao"] = "Honorários";
        a["Valor"] = 10.0;
        a["Tipo"] = "P";
        a["Totalizar"] = true;
        a.grava();
        a.insere();
        a["Descricao"] = "Custas";
        a["Valor"] = 250.0;
        a["Tipo"] = "V";
        a["DtBase"] = Data::de(2020, 3, 2);
        a["Totalizar"] = false;
        a.grava();
    }

    std::unique_ptr<RegistrosProrrata> abre() {
        auto r = std::make_unique<RegistrosProrrata>(banco, ajustes, [] { return Hoje; });
        r->abre();
        return r;
    }

    // A stored record with the required figures; returns its Codigo.
    int grava(RegistrosProrrata& r, const std::string& processo, int grupo = 1) {
        Tabela& t = r.registros();
        t.insere();
        t["Processo"] = processo;
        t["CodRecte"] = grupo;
        t["DtAjuiz"] = Data::de(2019, 1, 10);
        t["DtBase"] = Data::de(2021, 5, 31);
        t["Valor"] = 1500.0;
        t.grava();
        return r.codigoAtual();
    }

    void parcela(RegistrosProrrata& r, Data d, double v) {
        Tabela& p = r.parcelas();
        p.insere();
        p["Data"] = d;
        p["Valor"] = v;
        p.grava();
    }

    int linhasDe(const char* tabela, int prorrata) {
        Tabela t(banco, tabela);
        t.abre(ModoAbertura::SomenteLeitura);
        int n = 0;
        for (t.primeiro(); !t.fim(); t.proximo())
            if (t.valor("Prorrata").comoInteiro() == prorrata) ++n;
        return n;
    }
};

}  // namespace korva::teste
