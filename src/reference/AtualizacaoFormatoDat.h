#pragma once
// The binary files of the table server: fixed-size records without a header,
// 32-bit signed integers and 64-bit IEEE floats, both little-endian; a date is
// a float counting days from 30/12/1899. A file is a whole number of records,
// at least one: anything else (a cut file, a page the server sent instead)
// is refused as a whole.
//
// A record is held as the values of its fields in file order (padding left
// out), ready to be stored in the table of the same name.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/Valor.h"

namespace korva {

enum class TipoDat {
    Ano,         // 32-bit integer, a year from 1900 to 2100
    Mes,         // 32-bit integer, a month from 1 to 12
    Inteiro,     // 32-bit integer
    Numero,      // 64-bit float, finite
    Data,        // 64-bit float, day serial of a date from 01/01/1900 to 31/12/2100
    Enchimento,  // 4 bytes of padding, ignored on reading, zero on writing
};

struct CampoDat {
    std::string nome;  // the table field it fills (empty for padding)
    TipoDat tipo;
};

struct FormatoDat {
    std::string arquivo;             // "Valores.dat"
    std::string tabela;              // "Valores.DB"
    std::string rotulo;              // caption shown while the file is fetched
    std::vector<CampoDat> campos;    // in file order
    std::vector<std::string> chave;  // key fields of the table

    size_t tamanhoRegistro() const;
    // Fields that carry a value (padding left out), in file order.
    std::vector<const CampoDat*> camposComValor() const;
};

using RegistroDat = std::vector<Valor>;  // one value per field with a value

const FormatoDat& FormatoDiario();      // Diario.dat, 24 bytes
const FormatoDat& FormatoValores();     // Valores.dat, 56 bytes
const FormatoDat& FormatoFaixasINSS();  // FaixasINSS.dat, 96 bytes
const FormatoDat& FormatoFaixasIR();    // FaixasIR.dat, 120 bytes

// The order in which the files are fetched and the order in which they are applied.
const std::vector<const FormatoDat*>& FormatosNaOrdemDeDownload();
const std::vector<const FormatoDat*>& FormatosNaOrdemDeAplicacao();

// What is wrong with a value of a field, or nothing: a year or month out of
// range, a number that is not finite, a date out of range.
std::optional<std::string> ProblemaDoValor(const CampoDat& campo, double valor);

// Decodes the records of `bytes`. Fails with ErroDados, the message naming the
// file and containing "não está no formato esperado", when the bytes are not a
// whole number of records, hold no record at all, or a record is plainly not
// of this format (the message then names it, counted from 1). Bytes that look
// like a web page are told as such.
std::vector<RegistroDat> LeRegistrosDat(const FormatoDat& formato, std::string_view bytes);
// Reads and decodes a file; a file that cannot be read fails with ErroES.
std::vector<RegistroDat> LeArquivoDat(const FormatoDat& formato, const std::filesystem::path& arquivo);

// Encodes records (values as LeRegistrosDat gives them; empty values are
// written as 0). A value that the format cannot hold fails with ErroDados.
std::string EscreveRegistrosDat(const FormatoDat& formato, const std::vector<RegistroDat>& registros);
// Writes a file through a temporary one, so a failure leaves no half file.
void GravaArquivoDat(const FormatoDat& formato, const std::vector<RegistroDat>& registros,
                     const std::filesystem::path& arquivo);

}  // namespace korva
