#pragma once
// The declared tables of the private database: the creation recipes of the
// calculation file set (letters A..I), the fixed tables the installation
// creates, and the lawsuit summary table Temp.db.
#include <string>
#include <string_view>
#include <vector>

#include "storage/Esquema.h"

namespace korva {

// ---- calculation file set ----

// Number of table kinds of a calculation file set (kinds 0..8, letters A..I).
constexpr int QtdeTiposConjunto = 9;

// The creation recipe of a table kind: 0 Arquivo1 (A), 1 Arquivo2 (B),
// 2 Partes (C), 3 BasesINSS (D), 4 Acrescimos (E), 5 Jornada (F), 6 Cartao (G),
// 7 Juros (H), 8 BasesSalariais (I). Fails with ErroKorva outside 0..8.
const DefTabela& ReceitaConjunto(int tipo);

// The letter that names the tables of a kind ('A'..'I'); fails with ErroKorva
// outside 0..8.
char LetraDoTipo(int tipo);
// The kind of a letter, upper or lower case; -1 for any other character.
int TipoDaLetra(char letra);

// ---- fixed tables of the private database ----

const DefTabela& EsquemaProcesso();          // Processo.DB
const DefTabela& EsquemaDefProcesso();       // DefProcesso.DB
const DefTabela& EsquemaDefAcrescimos();     // DefAcrescimos.DB
const DefTabela& EsquemaRendimen();          // Rendimen.DB
const DefTabela& EsquemaReflexos();          // Reflexos.DB
const DefTabela& EsquemaProrrata();          // Prorrata.db
const DefTabela& EsquemaDefProrrata();       // DefProrrata.db
const DefTabela& EsquemaParcelas();          // Parcelas.DB
const DefTabela& EsquemaJurosProrrata();     // JurosProrrata.db
const DefTabela& EsquemaAcrescProrrata();    // AcrescProrrata.DB
const DefTabela& EsquemaDefAcrescProrrata(); // DefAcrescProrrata.DB

// File names of the fixed tables, spelt as the installation creates them.
const std::vector<std::string>& TabelasFixasPrivadas();

// The definition of a fixed table by its file name, without regard to case
// ("processo.db"); a name without extension ("Parcelas", as statements write
// it) also matches. Null for any other name.
const DefTabela* EsquemaFixoPrivado(std::string_view nomeArquivo);

// ---- lawsuit summary ----

// Temp.db: one row per claimant of each calculation of a lawsuit, rebuilt for
// every summary; rows are read back in Codigo (insertion) order.
const DefTabela& EsquemaTemp();
constexpr const char* NomeArquivoTemp = "Temp.db";

}  // namespace korva
