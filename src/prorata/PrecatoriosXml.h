#pragma once
// Pro-rata records taken in bulk from the court-payments program's XML
// document (root PRCT01, one REGISTRO per record, ISO-8859-1), through the
// fixed mapping of its fifteen fields and their defaults, and the two
// transformation files that describe the mapping on disk.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "register/RegistroProcessos.h"
#include "util/Data.h"

namespace korva {

class Banco;

inline constexpr const char* kArquivoPrecatorios = "DataPacketConvertido.xml";
inline constexpr const char* kTransformacaoParaPacote = "XMLToDP.xtr";
inline constexpr const char* kTransformacaoParaXml = "DPToXML.xtr";
inline constexpr const char* kMsgImportacaoConcluida = "Importação Concluída!";

// Writes each of the two transformation files that is missing from `pasta`
// (names matched without regard to case); an existing one is left as it is.
// Returns the files written.
std::vector<std::filesystem::path> GaranteTransformacoes(const std::filesystem::path& pasta);

// One REGISTRO as the mapping reads it: absent elements with a default take it.
struct RegistroPrecatorio {
    std::string processo;
    std::optional<int> codRecte;
    std::optional<Data> dtAjuiz, dtBase;
    std::optional<double> valor;
    std::string dtFinal;  // a date as text, converted when stored
    std::string parte1, parte2, obs;
    bool comJuros = true, jurosConstantes = true, usarJurosPadrao = true;
    double valorJuros = 0;
    int indice = 1;
    std::string formaAbatimento = "J";
};

// Reads the document; fails with a clear message when it is missing,
// unreadable or does not fit the mapping (naming the REGISTRO, counted from
// 1, its lawsuit number when known, and the element). The declared encoding
// rules; without one, text that is not UTF-8 is Windows-1252. No network,
// no external DTD, entity references refused. An empty element counts as
// absent. Dates d/M/yyyy with a four-digit year; numbers with "." (or a
// single ",") as the decimal point and no thousands separator; flags
// TRUE/FALSE in any letter case, or 1/0; texts no longer than the packet's
// widths (PROCESSO 25, DTFINAL 10, PARTE1/PARTE2 45, OBS 30,
// FORMAABATIMENTO 1). Elements outside the mapping are ignored; one given
// twice is refused.
std::vector<RegistroPrecatorio> LePrecatorios(const std::filesystem::path& documento);

// Reads and stores every REGISTRO as a new record, each with the defaults of
// a new record and the default additions, all or nothing: when one is refused
// nothing is stored and the message names its position and lawsuit number.
// A document without any REGISTRO is refused. DTFINAL is converted as
// dd/mm/yyyy; an empty OBS leaves the new record's note; UsarJurosPadrao
// keeps the new record's mode whatever USARJURUSPADRAO says (a flag cannot
// tell one of three modes). Returns the new Codigos in document order.
std::vector<int> ImportaPrecatorios(Banco& privado, const AjustesRegistro& ajustes,
                                    const std::filesystem::path& documento, Data hoje = Data::hoje());

}  // namespace korva
