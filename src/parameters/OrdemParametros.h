#pragma once
// The three orders of the period grid and the index each one uses.
#include <string>

namespace korva {

enum class OrdemParametros { Periodo, Item, SemOrdem };

// Captions of the order box, in its order: "Periodo", "Item", "(sem ordem)".
inline const char* NomeOrdemParametros(OrdemParametros o) {
    switch (o) {
        case OrdemParametros::Periodo: return "Periodo";
        case OrdemParametros::Item: return "Item";
        default: return "(sem ordem)";
    }
}

// The order of a caption (the value of the setting "Ordenacao Parametros1");
// any other text gives "(sem ordem)".
inline OrdemParametros OrdemParametrosDoNome(const std::string& nome) {
    if (nome == "Periodo") return OrdemParametros::Periodo;
    if (nome == "Item") return OrdemParametros::Item;
    return OrdemParametros::SemOrdem;
}

// The value of the settings "Ordenacao Parametros1" (period grid) and
// "Ordenacao Parametros2" (month grid): the position of the order in the
// order box, 0 "Periodo", 1 "Item", 2 "(sem ordem)". A value out of that
// range gives the first, as the default "0" does.
inline OrdemParametros OrdemParametrosDaPosicao(int posicao) {
    switch (posicao) {
        case 1: return OrdemParametros::Item;
        case 2: return OrdemParametros::SemOrdem;
        default: return OrdemParametros::Periodo;
    }
}

inline int PosicaoOrdemParametros(OrdemParametros o) {
    switch (o) {
        case OrdemParametros::Periodo: return 0;
        case OrdemParametros::Item: return 1;
        default: return 2;
    }
}

// Index of the period and month tables for an order: (Ano, Mes, Item),
// (Item, Ano, Mes), or the primary key Codigo (entry order).
inline const char* IndiceOrdemParametros(OrdemParametros o) {
    switch (o) {
        case OrdemParametros::Periodo: return "IndAnoMesItem";
        case OrdemParametros::Item: return "IndItemAnoMes";
        default: return "";
    }
}

}  // namespace korva
