#pragma once
// Plain HTTP GET of files from the table server, directly or through a proxy
// with basic authentication. One client keeps its connection for the next
// request. Failures raise ErroHttp with a Portuguese message that names the
// server and the file.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "util/Erros.h"

namespace korva {

class ErroHttp : public ErroKorva {
public:
    using ErroKorva::ErroKorva;
};

// A port typed as text: a decimal integer from 1 to 65535, blanks around
// allowed. Anything else fails with ErroKorva naming `papel` ("do servidor proxy").
int PortaDecimal(const std::string& texto, const std::string& papel);

struct EnderecoHttp {
    std::string host;
    int porta = 80;

    // "host" or "host:porta"; fails with ErroKorva on an empty host, a host
    // with blanks or slashes, or a bad port.
    static EnderecoHttp De(const std::string& texto, const std::string& papel);
    std::string texto() const;  // "host" when the port is 80, else "host:porta"
};

struct ProxyHttp {
    EnderecoHttp endereco;
    bool autentica = false;  // send the user name and password
    std::string usuario;
    std::string senha;
};

struct TemposHttp {
    long conexaoSegundos = 20;   // to open the connection
    long totalSegundos = 600;    // for one whole file
    long paradoSegundos = 60;    // a transfer that moves no byte for this long is given up
};

class ClienteHttp {
public:
    ClienteHttp(EnderecoHttp servidor, std::optional<ProxyHttp> proxy = std::nullopt, TemposHttp tempos = {});
    ~ClienteHttp();
    ClienteHttp(const ClienteHttp&) = delete;
    ClienteHttp& operator=(const ClienteHttp&) = delete;

    const EnderecoHttp& servidor() const { return servidor_; }

    // GET `caminho` ("/download/Valores.dat") and writes the body unchanged to
    // `destino`. The body is received into a companion ".parcial" file and
    // takes the final name only when complete, so a failed transfer never
    // leaves a cut file under that name. A status of 400 or above is a failure.
    void baixa(const std::string& caminho, const std::filesystem::path& destino);

private:
    struct Impl;
    EnderecoHttp servidor_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace korva
