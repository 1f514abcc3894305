#pragma once
// The pro-rata statement laid out on the band engine: page header (court,
// sector, lawsuit and group), the opening block, one block per instalment,
// the additions with their formulas, the FGTS line, the total, place and
// date, the closing note, and the footer with "Pág.: n/N".
#include <string>

#include "prorata/ExtratoProrrata.h"
#include "reports/Medidor.h"
#include "reports/Pagina.h"

namespace korva {

class Configuracoes;
class Sessao;

inline constexpr const char* kTituloExtratoProrrata = "Atualização Diária";

struct CabecalhoProrrata {
    std::string tribunal, setor, municipio, versao;
    Data impressao;
};
CabecalhoProrrata CabecalhoDeProrrata(const Configuracoes& c, Data impressao);

Documento DiagramaProrrata(const DadosProrrata& d, const ExtratoProrrata& e, const CabecalhoProrrata& cab,
                           const Medidor& m);

// The whole road for the record `codigo`: read, compute with the session's
// daily indices and interest, lay out.
Documento ProduzExtratoProrrata(Sessao& sessao, int codigo, Data impressao, const Medidor& m);

}  // namespace korva
