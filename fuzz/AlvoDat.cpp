// The readers of the table server's files. The first byte picks the format
// (Diario, Valores, FaixasINSS, FaixasIR), the rest is the file.
//
// Properties: the reader either refuses the bytes with the program's error,
// whose text names the file and says "não está no formato esperado", or
// gives whole-file records every value of which the format can hold; those
// records written again read back equal.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ApoioFuzz.h"
#include "reference/AtualizacaoFormatoDat.h"
#include "util/Erros.h"

using namespace korva;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    if (tamanho == 0) return 0;
    const FormatoDat* formatos[] = {&FormatoDiario(), &FormatoValores(), &FormatoFaixasINSS(), &FormatoFaixasIR()};
    const FormatoDat& formato = *formatos[dados[0] % 4];
    const std::string_view bytes(reinterpret_cast<const char*>(dados) + 1, tamanho - 1);

    std::vector<RegistroDat> registros;
    try {
        registros = LeRegistrosDat(formato, bytes);
    } catch (const ErroDados& e) {
        const std::string texto = e.what();
        fuzz::Exige(texto.find("O arquivo " + formato.arquivo + " não está no formato esperado") == 0,
                    "a recusa nomeia o arquivo", texto);
        return 0;
    }
    fuzz::Exige(!registros.empty(), "um arquivo aceito tem registros");
    fuzz::Exige(registros.size() * formato.tamanhoRegistro() == bytes.size(), "só registros inteiros são aceitos");
    const auto campos = formato.camposComValor();
    for (const auto& r : registros) fuzz::Exige(r.size() == campos.size(), "um valor por campo");

    std::string denovo;
    try {
        denovo = EscreveRegistrosDat(formato, registros);
    } catch (const ErroKorva& e) {
        fuzz::Falha("o que foi lido não pôde ser gravado", e.what());
    }
    fuzz::Exige(denovo.size() == bytes.size(), "o arquivo gravado tem o tamanho do lido");
    fuzz::Exige(LeRegistrosDat(formato, denovo) == registros, "os registros gravados são lidos iguais");
    return 0;
}
