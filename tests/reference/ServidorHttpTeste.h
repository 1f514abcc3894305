#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for the table-update tests, running in
// a thread of the test: answers GET "/download/NAME" with the file NAME of its
// folder (404 when missing), keeps connections alive, records every request,
// and can misbehave on purpose: cut a file short and close, never answer, or
// act as a proxy that demands basic authentication.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace korva::teste {

class ServidorHttpTeste {
public:
    struct Pedido {
        std::string linha;                          // "GET /download/Valores.dat HTTP/1.1"
        std::map<std::string, std::string> campos;  // header names in lower case
        std::string campo(const std::string& nome) const {
            auto it = campos.find(nome);
            return it == campos.end() ? "" : it->second;
        }
    };

    explicit ServidorHttpTeste(std::filesystem::path pasta) : pasta_(std::move(pasta)) {
        escuta_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (escuta_ < 0) throw std::runtime_error("socket");
        int um = 1;
        ::setsockopt(escuta_, SOL_SOCKET, SO_REUSEADDR, &um, sizeof um);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;  // a free port chosen by the system
        if (::bind(escuta_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(escuta_, 8) != 0) {
            ::close(escuta_);
            throw std::runtime_error("bind/listen");
        }
        socklen_t n = sizeof a;
        ::getsockname(escuta_, reinterpret_cast<sockaddr*>(&a), &n);
        porta_ = ntohs(a.sin_port);
        linha_ = std::thread([this] { atende(); });
    }

    ~ServidorHttpTeste() {
        parar_ = true;
        linha_.join();
        ::close(escuta_);
    }

    ServidorHttpTeste(const ServidorHttpTeste&) = delete;
    ServidorHttpTeste& operator=(const ServidorHttpTeste&) = delete;

    int porta() const { return porta_; }
    std::string endereco() const { return "127.0.0.1:" + std::to_string(porta_); }

    // Announces the whole length of the file but sends only `bytes`, then closes.
    void corta(const std::string& arquivo, size_t bytes) {
        std::lock_guard<std::mutex> g(m_);
        cortes_[arquivo] = bytes;
    }
    // Never answers a request for this file (the connection stays open).
    void cala(const std::string& arquivo) {
        std::lock_guard<std::mutex> g(m_);
        calados_.insert(arquivo);
    }
    // Answers 407 unless the request carries these proxy credentials.
    void exigeProxy(const std::string& usuario, const std::string& senha) {
        std::lock_guard<std::mutex> g(m_);
        credencial_ = "Basic " + Base64(usuario + ":" + senha);
    }

    std::vector<Pedido> pedidos() const {
        std::lock_guard<std::mutex> g(m_);
        return pedidos_;
    }
    int conexoes() const { return conexoes_; }

    static std::string Base64(const std::string& s) {
        static const char* t = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        std::string r;
        size_t i = 0;
        for (; i + 2 < s.size(); i += 3) {
            const unsigned v = static_cast<unsigned char>(s[i]) << 16 | static_cast<unsigned char>(s[i + 1]) << 8 |
                               static_cast<unsigned char>(s[i + 2]);
            r += {t[v >> 18], t[(v >> 12) & 63], t[(v >> 6) & 63], t[v & 63]};
        }
        if (i + 1 == s.size()) {
            const unsigned v = static_cast<unsigned char>(s[i]) << 16;
            r += {t[v >> 18], t[(v >> 12) & 63], '=', '='};
        } else if (i + 2 == s.size()) {
            const unsigned v = static_cast<unsigned char>(s[i]) << 16 | static_cast<unsigned char>(s[i + 1]) << 8;
            r += {t[v >> 18], t[(v >> 12) & 63], t[(v >> 6) & 63], '='};
        }
        return r;
    }

private:
    bool espera(int fd) const {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, 50) > 0;
    }

    void envia(int fd, const std::string& s) const {
        size_t feito = 0;
        while (feito < s.size() && !parar_) {
            const ssize_t n = ::send(fd, s.data() + feito, s.size() - feito, MSG_NOSIGNAL);
            if (n <= 0) return;
            feito += static_cast<size_t>(n);
        }
    }

    void atende() {
        while (!parar_) {
            if (!espera(escuta_)) continue;
            const int c = ::accept4(escuta_, nullptr, nullptr, SOCK_CLOEXEC);
            if (c < 0) continue;
            ++conexoes_;
            conversa(c);
            ::close(c);
        }
    }

    // Serves the requests of one connection until the client closes it.
    void conversa(int c) {
        std::string buf;
        while (!parar_) {
            if (!espera(c)) continue;
            char b[4096];
            const ssize_t n = ::recv(c, b, sizeof b, 0);
            if (n <= 0) return;
            buf.append(b, static_cast<size_t>(n));
            for (size_t fim; (fim = buf.find("\r\n\r\n")) != std::string::npos;) {
                const std::string cabecalho = buf.substr(0, fim);
                buf.erase(0, fim + 4);
                if (!responde(c, cabecalho)) return;
            }
        }
    }

    // Returns false when the connection must end.
    bool responde(int c, const std::string& cabecalho) {
        Pedido p;
        std::istringstream in(cabecalho);
        std::getline(in, p.linha);
        if (!p.linha.empty() && p.linha.back() == '\r') p.linha.pop_back();
        for (std::string l; std::getline(in, l);) {
            if (!l.empty() && l.back() == '\r') l.pop_back();
            const auto dois = l.find(':');
            if (dois == std::string::npos) continue;
            std::string nome = l.substr(0, dois);
            for (auto& ch : nome) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            auto valor = l.substr(dois + 1);
            while (!valor.empty() && valor.front() == ' ') valor.erase(0, 1);
            p.campos[nome] = valor;
        }
        std::optional<std::string> credencial;
        std::optional<size_t> corte;
        bool calado = false;
        // "GET /download/X HTTP/1.1", or through a proxy "GET http://host/download/X HTTP/1.1".
        std::string alvo = p.linha.substr(p.linha.find(' ') + 1);
        alvo = alvo.substr(0, alvo.find(' '));
        if (alvo.rfind("http://", 0) == 0) {
            const auto barra = alvo.find('/', 7);
            alvo = barra == std::string::npos ? "/" : alvo.substr(barra);
        }
        const std::string prefixo = "/download/";
        const std::string nome = alvo.rfind(prefixo, 0) == 0 ? alvo.substr(prefixo.size()) : "";
        {
            std::lock_guard<std::mutex> g(m_);
            pedidos_.push_back(p);
            credencial = credencial_;
            if (auto it = cortes_.find(nome); it != cortes_.end()) corte = it->second;
            calado = calados_.count(nome) > 0;
        }
        if (credencial && p.campo("proxy-authorization") != *credencial) {
            envia(c, "HTTP/1.1 407 Proxy Authentication Required\r\nProxy-Authenticate: Basic realm=\"teste\"\r\n"
                     "Content-Length: 0\r\n\r\n");
            return true;
        }
        if (calado) {
            while (!parar_) {
                if (!espera(c)) continue;
                char b[256];
                if (::recv(c, b, sizeof b, 0) <= 0) return false;
            }
            return false;
        }
        const auto arquivo = pasta_ / nome;
        std::error_code ec;
        if (nome.empty() || nome.find('/') != std::string::npos || !std::filesystem::is_regular_file(arquivo, ec)) {
            envia(c, "HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\nContent-Length: 9\r\n\r\nnot found");
            return true;
        }
        std::ifstream f(arquivo, std::ios::binary);
        std::ostringstream corpo;
        corpo << f.rdbuf();
        std::string bytes = corpo.str();
        envia(c, "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                     std::to_string(bytes.size()) + "\r\n\r\n");
        if (corte) {
            envia(c, bytes.substr(0, std::min(*corte, bytes.size())));
            ::shutdown(c, SHUT_RDWR);
            return false;
        }
        envia(c, bytes);
        return true;
    }

    std::filesystem::path pasta_;
    int escuta_ = -1;
    int porta_ = 0;
    std::atomic<bool> parar_{false};
    std::atomic<int> conexoes_{0};
    std::thread linha_;
    mutable std::mutex m_;
    std::vector<Pedido> pedidos_;
    std::map<std::string, size_t> cortes_;
    std::set<std::string> calados_;
    std::optional<std::string> credencial_;
};

}  // namespace korva::teste
