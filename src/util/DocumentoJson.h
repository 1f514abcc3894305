#pragma once
// Reading a JSON document typed or edited by a person: a text that is not
// valid JSON fails with the place (line and column, counted from 1, the
// column in characters) and, in Portuguese, what is wrong there.
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "util/Erros.h"

namespace korva {

class ErroDocumentoJson : public ErroKorva {
public:
    ErroDocumentoJson(int linha, int coluna, std::string motivo);
    const char* nomeClasse() const override { return "ErroDocumentoJson"; }
    int linha() const { return linha_; }
    int coluna() const { return coluna_; }
    // "esperava ',' ou '}', encontrou um texto"
    const std::string& motivo() const { return motivo_; }

private:
    int linha_;
    int coluna_;
    std::string motivo_;
};

// The document of `texto`. Fails with ErroDocumentoJson, whose text reads
// "Documento JSON inválido na linha 3, coluna 14: esperava ',' ou '}',
// encontrou um texto.".
nlohmann::json LeDocumentoJson(std::string_view texto);

// The document of a file. Fails with ErroES when it cannot be opened or read,
// and with ErroKorva "O arquivo F não é um documento JSON válido: na linha 3,
// coluna 14, esperava ..." when its text is not valid JSON.
nlohmann::json LeArquivoJson(const std::string& caminho);

}  // namespace korva
