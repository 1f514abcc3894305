#include "reference/AtualizacaoClienteHttp.h"

#include <curl/curl.h>

#include <cstdio>
#include <mutex>

#include "util/Texto.h"

namespace korva {
namespace {

void IniciaCurl() {
    static std::once_flag feito;
    std::call_once(feito, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t Grava(char* dados, size_t tamanho, size_t n, void* arquivo) {
    return std::fwrite(dados, tamanho, n, static_cast<std::FILE*>(arquivo)) * tamanho;
}

std::string NomeDoArquivo(const std::string& caminho) {
    const auto barra = caminho.find_last_of('/');
    return barra == std::string::npos ? caminho : caminho.substr(barra + 1);
}

}  // namespace

int PortaDecimal(const std::string& texto, const std::string& papel) {
    const std::string t = Apara(texto);
    bool ok = !t.empty() && t.size() <= 5;
    long porta = 0;
    for (char c : t) {
        if (c < '0' || c > '9') {
            ok = false;
            break;
        }
        porta = porta * 10 + (c - '0');
    }
    if (!ok || porta < 1 || porta > 65535)
        throw ErroKorva("A porta " + papel + " deve ser um número inteiro de 1 a 65535: \"" + t + "\".");
    return static_cast<int>(porta);
}

EnderecoHttp EnderecoHttp::De(const std::string& texto, const std::string& papel) {
    const std::string t = Apara(texto);
    EnderecoHttp e;
    const auto dois = t.rfind(':');
    e.host = dois == std::string::npos ? t : t.substr(0, dois);
    if (dois != std::string::npos) e.porta = PortaDecimal(t.substr(dois + 1), papel);
    if (e.host.empty()) throw ErroKorva("Informe o endereço " + papel + ".");
    for (char c : e.host)
        if (c == '/' || c == ' ' || c == '\\' || c == '@' || c == ':' || static_cast<unsigned char>(c) < 0x20)
            throw ErroKorva("Endereço " + papel + " inválido: \"" + t + "\".");
    return e;
}

std::string EnderecoHttp::texto() const { return porta == 80 ? host : host + ":" + std::to_string(porta); }

struct ClienteHttp::Impl {
    CURL* curl = nullptr;
    std::optional<ProxyHttp> proxy;
    char erro[CURL_ERROR_SIZE] = {};
};

ClienteHttp::ClienteHttp(EnderecoHttp servidor, std::optional<ProxyHttp> proxy, TemposHttp tempos)
    : servidor_(std::move(servidor)), impl_(std::make_unique<Impl>()) {
    IniciaCurl();
    impl_->proxy = std::move(proxy);
    CURL* c = impl_->curl = curl_easy_init();
    if (!c) throw ErroHttp("Não foi possível iniciar o cliente HTTP.");
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, impl_->erro);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
#if LIBCURL_VERSION_NUM >= 0x075500
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http");
#else
    curl_easy_setopt(c, CURLOPT_PROTOCOLS, static_cast<long>(CURLPROTO_HTTP));
#endif
    curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_USERAGENT, "KORVA");
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, tempos.conexaoSegundos);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, tempos.totalSegundos);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, tempos.paradoSegundos);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, Grava);
    // Neither the proxy variables of the environment nor their exceptions
    // apply: the settings decide alone whether a proxy is used.
    curl_easy_setopt(c, CURLOPT_NOPROXY, "");
    if (const auto& p = impl_->proxy) {
        curl_easy_setopt(c, CURLOPT_PROXY, p->endereco.host.c_str());
        curl_easy_setopt(c, CURLOPT_PROXYPORT, static_cast<long>(p->endereco.porta));
        curl_easy_setopt(c, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
        curl_easy_setopt(c, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC));
        if (p->autentica) {
            curl_easy_setopt(c, CURLOPT_PROXYUSERNAME, p->usuario.c_str());
            curl_easy_setopt(c, CURLOPT_PROXYPASSWORD, p->senha.c_str());
        }
    } else {
        curl_easy_setopt(c, CURLOPT_PROXY, "");
    }
}

ClienteHttp::~ClienteHttp() {
    if (impl_ && impl_->curl) curl_easy_cleanup(impl_->curl);
}

void ClienteHttp::baixa(const std::string& caminho, const std::filesystem::path& destino) {
    CURL* c = impl_->curl;
    const std::string arquivo = NomeDoArquivo(caminho);
    const std::string servidor = "servidor de tabelas " + servidor_.texto();
    const std::string proxy = impl_->proxy ? "servidor proxy " + impl_->proxy->endereco.texto() : "";

    auto parcial = destino;
    parcial += ".parcial";
    std::FILE* f = std::fopen(parcial.c_str(), "wb");
    if (!f) throw ErroHttp("Não foi possível criar o arquivo " + parcial.string() + ".");

    const std::string url = "http://" + servidor_.host + ":" + std::to_string(servidor_.porta) +
                            (caminho.empty() || caminho[0] != '/' ? "/" : "") + caminho;
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_WRITEDATA, f);
    impl_->erro[0] = '\0';
    const CURLcode res = curl_easy_perform(c);
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    const bool fechou = std::fclose(f) == 0;

    // Drops the partial body and gives the error to throw.
    auto falha = [&](const std::string& texto) {
        std::error_code ec;
        std::filesystem::remove(parcial, ec);
        return ErroHttp(texto);
    };
    if (res != CURLE_OK) {
        const std::string detalhe = impl_->erro[0] ? impl_->erro : curl_easy_strerror(res);
        switch (res) {
            case CURLE_COULDNT_RESOLVE_PROXY:
                throw falha("Não foi possível encontrar o " + proxy + ". Verifique o endereço do proxy.");
            case CURLE_COULDNT_RESOLVE_HOST:
                throw falha("Não foi possível encontrar o " + servidor + ". Verifique a conexão à Internet.");
            case CURLE_COULDNT_CONNECT:
                throw falha("Não foi possível conectar ao " + (impl_->proxy ? proxy : servidor) + ".");
            case CURLE_OPERATION_TIMEDOUT:
                throw falha("Tempo esgotado: o " + servidor + " não respondeu a tempo ao pedido do arquivo " +
                            arquivo + ".");
            case CURLE_PARTIAL_FILE:
            case CURLE_RECV_ERROR:
            case CURLE_SEND_ERROR:
            case CURLE_GOT_NOTHING:
                throw falha("A conexão com o " + servidor + " foi interrompida durante o download do arquivo " +
                            arquivo + ".");
            case CURLE_WRITE_ERROR:
                throw falha("Não foi possível gravar o arquivo " + destino.string() + ".");
            default:
                throw falha("Falha no download do arquivo " + arquivo + " do " + servidor + ": " + detalhe + ".");
        }
    }
    if (status == 407)
        throw falha("O servidor proxy recusou a autenticação (HTTP 407). Verifique o usuário e a senha do proxy.");
    if (status == 404)
        throw falha("O arquivo " + arquivo + " não foi encontrado no " + servidor + " (HTTP 404).");
    if (status >= 400 || status < 200)
        throw falha("O " + servidor + " respondeu com o erro HTTP " + std::to_string(status) +
                    " ao pedido do arquivo " + arquivo + ".");
    if (!fechou) throw falha("Não foi possível gravar o arquivo " + destino.string() + ".");
    std::error_code ec;
    std::filesystem::rename(parcial, destino, ec);
    if (ec) throw falha("Não foi possível gravar o arquivo " + destino.string() + ": " + ec.message() + ".");
}

}  // namespace korva
