#pragma once
// The tables of the shared database: official reference tables, user tables
// and code lists, with their keys.
#include <string>
#include <string_view>
#include <vector>

#include "storage/Esquema.h"

namespace korva {

// Valores.DB. The family allowances may be empty: months whose minimum wage
// is sourced but whose allowance is not keep their row, and a lookup of the
// allowance reports the month as missing.
const DefTabela& EsquemaValores();
const DefTabela& EsquemaIndices();            // Indices.DB
const DefTabela& EsquemaNomeIndice();         // NomeIndice.db
const DefTabela& EsquemaDiario();             // Diario.DB
const DefTabela& EsquemaNomeIndiceDiario();   // NomeIndiceDiario.DB
const DefTabela& EsquemaSalario();            // Salario.DB
const DefTabela& EsquemaNomeSalario();        // NomeSalario.DB
const DefTabela& EsquemaVTransp();            // VTransp.DB
const DefTabela& EsquemaNomeVTransp();        // NomeVTransp.DB
const DefTabela& EsquemaUFIR();               // UFIR.db
const DefTabela& EsquemaURV();                // URV.db
const DefTabela& EsquemaPrevidencia();        // PrevEmpregador.DB, PrevTerceiro.DB, PrevSAT.DB
// FaixasINSS.DB. Besides the bands, `Progressiva` marks the months whose
// employee contribution is computed band by band (each rate on the slice of
// the base inside its band), as from 03/2020; empty means false.
const DefTabela& EsquemaFaixasINSS();
const DefTabela& EsquemaFaixasIR();           // FaixasIR.db
const DefTabela& EsquemaFeriadosPadrao();     // FeriadosPadrao.db
const DefTabela& EsquemaTipoFeriado();        // TipoFeriado.DB
const DefTabela& EsquemaDataBasePadrao();     // DataBasePadrao.db
const DefTabela& EsquemaBasesIR();            // BasesIR.db
const DefTabela& EsquemaDocumento();          // Documento.db
const DefTabela& EsquemaTipoParte();          // TipoParte.db

// File names of every shared table, spelt as the installation creates them.
const std::vector<std::string>& TabelasCompartilhadas();
// Definition of a shared table by file name, without regard to case; a name
// without extension also matches. Null for any other name.
const DefTabela* EsquemaCompartilhado(std::string_view nomeArquivo);

}  // namespace korva
