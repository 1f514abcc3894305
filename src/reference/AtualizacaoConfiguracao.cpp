#include "reference/AtualizacaoConfiguracao.h"

#include "app/Configuracoes.h"
#include "util/ArquivoIni.h"
#include "util/Texto.h"

namespace korva {
namespace {

const std::string PapelProxy = "do servidor proxy";

}  // namespace

ConfiguracaoProxy ConfiguracaoProxy::De(const Configuracoes& cfg, std::string senha) {
    ConfiguracaoProxy p;
    p.usaProxy = cfg.proxyUsaProxy == "S";
    p.endereco = cfg.proxyEndereco;
    p.porta = cfg.proxyPorta;
    p.autenticacao = cfg.proxyAutenticacao == "S";
    p.usuario = cfg.proxyUsuario;
    p.senha = std::move(senha);
    return p;
}

std::optional<ProxyHttp> ConfiguracaoProxy::proxy() const {
    if (!usaProxy) return std::nullopt;
    ProxyHttp p;
    p.endereco.porta = PortaDecimal(porta, PapelProxy);
    p.endereco.host = EnderecoHttp::De(endereco, PapelProxy).host;
    p.autentica = autenticacao;
    if (autenticacao) {
        p.usuario = usuario;
        p.senha = senha;
    }
    return p;
}

void GuardaConfiguracaoProxy(Configuracoes& cfg, const ConfiguracaoProxy& proxy) {
    cfg.proxyUsaProxy = proxy.usaProxy ? "S" : "N";
    cfg.proxyAutenticacao = proxy.autenticacao ? "S" : "N";
    cfg.proxyEndereco = proxy.endereco;
    cfg.proxyPorta = proxy.porta;
    cfg.proxyUsuario = proxy.usuario;
    ArquivoIni ini(cfg.arquivoPrivado());
    ini.escreve(SecaoInternet, "ProxyUsaProxy", cfg.proxyUsaProxy);
    ini.escreve(SecaoInternet, "ProxyEndereco", cfg.proxyEndereco);
    ini.escreve(SecaoInternet, "ProxyPorta", cfg.proxyPorta);
    ini.escreve(SecaoInternet, "ProxyAutenticacao", cfg.proxyAutenticacao);
    ini.escreve(SecaoInternet, "ProxyUsuario", cfg.proxyUsuario);
}

std::string ServidorTabelas(const std::filesystem::path& arquivoPrivado) {
    const std::string v = Apara(ArquivoIni(arquivoPrivado).le(SecaoInternet, ChaveServidor));
    return v.empty() ? ServidorTabelasPadrao : v;
}

ControlesProxy EstadoControlesProxy(bool usaProxy, bool autenticacao) {
    ControlesProxy c;
    c.endereco = usaProxy;
    c.autenticacao = usaProxy;
    c.usuario = usaProxy && autenticacao;
    // A disabled field cannot take the focus: the password field gets it only
    // when it is enabled, which is when both boxes are ticked.
    c.focoNaSenha = c.usuario;
    return c;
}

}  // namespace korva
