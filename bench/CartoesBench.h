#pragma once
// Ten years of daily time cards (3,653, 2000 to 2009) under two schedules, one
// counted by day (to 2004) and one by week (from 2005), in the tables F and G
// of calculation 1: the data of the time-card benchmarks.
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"
#include "util/Data.h"

namespace korva::bench {

inline double Hora(int h, int m = 0) { return (h * 60 + m) / 1440.0; }

inline void Jornada(Tabela& t, Data d1, Data d2, const char* apuracao) {
    t.insere();
    t["Data1"] = d1;
    t["Data2"] = d2;
    t["JornDiaria"] = Hora(8);
    t["JornSabado"] = Hora(4);
    t["Intervalo"] = Hora(1);
    t["HENot"] = Hora(22);
    t["HSNot"] = Hora(5);
    t["Turnos"] = 2;
    t["Apuracao"] = apuracao;
    t["HorasSemanais"] = 44.0;
    t["HabilitarTolerancia"] = true;
    const double previstos[] = {Hora(8), Hora(12), Hora(14), Hora(18), 0, 0, 0, 0};
    const char* marcas[] = {"HE1", "HS1", "HE2", "HS2", "HE3", "HS3", "HE4", "HS4"};
    for (int i = 0; i < 8; ++i) {
        t[std::string("Prev") + marcas[i]] = previstos[i];
        t[std::string("TolAnt") + marcas[i]] = Hora(0, 5);
        t[std::string("TolDep") + marcas[i]] = Hora(0, 5);
    }
    t.grava();
}

inline void PreparaCartoes10Anos(Banco& banco, ConjuntoCalculo& conjunto) {
    conjunto.defineAtual(1, 1);
    conjunto.CriaSubDiretorio(1);
    conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('F', 1), 5);
    conjunto.CriaTabela(ConjuntoCalculo::NomeCurto('G', 1), 6);
    const Data inicio = Data::de(2000, 1, 1), fim = Data::de(2009, 12, 31);
    {
        Tabela f(banco, conjunto.NomeTabela('F'));
        f.abre();
        Jornada(f, inicio, Data::de(2004, 12, 31), "D");
        Jornada(f, Data::de(2005, 1, 1), fim, "S");
    }
    {
        Tabela g(banco, conjunto.NomeTabela('G'));
        g.abre();
        Transacao tr(banco);
        int i = 0;
        for (Data d = inicio; d <= fim; d += 1, ++i) {
            g.insere();
            g["Data"] = d;
            g["Ent1"] = Hora(7, 50 + i % 15);
            g["Sai1"] = Hora(12, i % 7);
            g["Ent2"] = Hora(13, 55 + i % 9);
            g["Sai2"] = i % 5 == 0 ? Hora(23, 30) : Hora(18, i % 20);
            g["Ent3"] = 0.0;
            g["Sai3"] = 0.0;
            g["Ent4"] = 0.0;
            g["Sai4"] = 0.0;
            if (d.diaDaSemana() == 1) g["Situacao"] = "F";
            g.grava();
        }
        tr.confirma();
    }
}

}  // namespace korva::bench
