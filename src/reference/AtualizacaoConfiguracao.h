#pragma once
// Settings of the table update: the proxy settings kept in section "Internet"
// of the private settings file (the password is never stored), the table
// server's host, and the rules of the proxy dialog.
#include <filesystem>
#include <optional>
#include <string>

#include "reference/AtualizacaoClienteHttp.h"

namespace korva {

class Configuracoes;

// Host of the table server when the private settings file does not name one.
inline constexpr const char* ServidorTabelasPadrao = "tabelas.korva.jus.br";
inline constexpr const char* SecaoInternet = "Internet";
inline constexpr const char* ChaveServidor = "Servidor";

struct ConfiguracaoProxy {
    bool usaProxy = false;      // "ProxyUsaProxy"
    std::string endereco;       // "ProxyEndereco"
    std::string porta;          // "ProxyPorta", decimal text
    bool autenticacao = false;  // "ProxyAutenticacao"
    std::string usuario;        // "ProxyUsuario"
    std::string senha;          // typed in the dialog, never stored

    static ConfiguracaoProxy De(const Configuracoes& cfg, std::string senha = {});

    // The proxy to use, or none when the proxy box is cleared (whatever
    // address is stored). Fails with ErroKorva on an empty address or a port
    // that is not a decimal integer, before any request is sent.
    std::optional<ProxyHttp> proxy() const;
};

// Keeps the settings in `cfg` ("S"/"N" flags and the three texts) and writes
// the five keys to section "Internet" of its private file. The password is
// not written.
void GuardaConfiguracaoProxy(Configuracoes& cfg, const ConfiguracaoProxy& proxy);

// The table server named by key "Servidor" of section "Internet" of the
// private settings file ("host" or "host:porta"); the build-time default when
// the key is missing or empty. The default is not written back, so a later
// version may change it.
std::string ServidorTabelas(const std::filesystem::path& arquivoPrivado);

// Which controls of the proxy dialog are enabled and where the focus goes.
struct ControlesProxy {
    bool endereco = false;      // "Endereço:", "Porta:" and their fields
    bool autenticacao = false;  // the authentication check box
    bool usuario = false;       // "Usuário:", "Senha:" and their fields
    bool focoNaSenha = false;   // the password field (only when enabled); else the proxy check box
};
ControlesProxy EstadoControlesProxy(bool usaProxy, bool autenticacao);

}  // namespace korva
