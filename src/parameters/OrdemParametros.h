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
