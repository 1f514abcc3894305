#include "app/MaquinaCalculadora.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace korva {
namespace {

constexpr double Limite = 1e15;

int ContaDigitos(const std::string& s) {
    int n = 0;
    for (char c : s)
        if (c >= '0' && c <= '9') ++n;
    return n;
}

// "-1234,5" -> "-1.234,5": groups the integer part, keeps the rest as typed.
std::string Agrupa(const std::string& texto) {
    std::string sinal, inteira, resto;
    size_t i = 0;
    if (!texto.empty() && texto[0] == '-') {
        sinal = "-";
        i = 1;
    }
    const auto virgula = texto.find(',', i);
    inteira = texto.substr(i, virgula == std::string::npos ? std::string::npos : virgula - i);
    if (virgula != std::string::npos) resto = texto.substr(virgula);
    std::string agrupada;
    const int n = static_cast<int>(inteira.size());
    for (int k = 0; k < n; ++k) {
        if (k > 0 && (n - k) % 3 == 0) agrupada += '.';
        agrupada += inteira[k];
    }
    return sinal + agrupada + resto;
}

}  // namespace

std::string MaquinaCalculadora::Formata(double valor) {
    if (valor == 0) return "0";  // also turns -0 into 0
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10f", valor);
    std::string texto = buffer;
    const auto ponto = texto.find('.');
    if (ponto != std::string::npos) {
        while (!texto.empty() && texto.back() == '0') texto.pop_back();
        if (texto.back() == '.') texto.pop_back();
        else texto[ponto] = ',';
    }
    if (texto == "-0") texto = "0";
    return Agrupa(texto);
}

void MaquinaCalculadora::mostra(double valor) {
    entrada_ = Formata(valor);
    // keep entrada_ in the typed form (no grouping) so apaga/trocaSinal work on it
    std::string semGrupos;
    for (char c : entrada_)
        if (c != '.') semGrupos += c;
    entrada_ = semGrupos;
}

double MaquinaCalculadora::valor() const {
    std::string texto;
    for (char c : entrada_) texto += (c == ',') ? '.' : c;
    if (texto.empty() || texto == "-") return 0;
    return std::strtod(texto.c_str(), nullptr);
}

std::string MaquinaCalculadora::visor() const {
    if (!erro_.empty()) return erro_;
    return Agrupa(entrada_);
}

void MaquinaCalculadora::digito(int d) {
    if (d < 0 || d > 9) return;
    if (!erro_.empty()) limpa();
    if (novaEntrada_) {
        entrada_ = "0";
        novaEntrada_ = false;
    }
    if (ContaDigitos(entrada_) >= MaximoDigitos) return;
    const char c = static_cast<char>('0' + d);
    if (entrada_ == "0") entrada_ = std::string(1, c);
    else if (entrada_ == "-0") entrada_ = std::string("-") + c;
    else entrada_ += c;
}

void MaquinaCalculadora::virgula() {
    if (!erro_.empty()) limpa();
    if (novaEntrada_) {
        entrada_ = "0";
        novaEntrada_ = false;
    }
    if (entrada_.find(',') == std::string::npos) entrada_ += ',';
}

double MaquinaCalculadora::calcula(double a, Operacao op, double b) {
    double r = b;
    switch (op) {
        case Operacao::Soma: r = a + b; break;
        case Operacao::Subtrai: r = a - b; break;
        case Operacao::Multiplica: r = a * b; break;
        case Operacao::Divide:
            if (b == 0) {
                erro_ = "Não é possível dividir por zero";
                return 0;
            }
            r = a / b;
            break;
        case Operacao::Nenhuma: break;
    }
    if (!std::isfinite(r) || std::fabs(r) >= Limite) {
        erro_ = "Número grande demais";
        return 0;
    }
    return r;
}

void MaquinaCalculadora::operacao(Operacao op) {
    if (!erro_.empty()) return;
    if (pendente_ != Operacao::Nenhuma && !novaEntrada_) {
        acumulado_ = calcula(acumulado_, pendente_, valor());
        if (!erro_.empty()) return;
        mostra(acumulado_);
    } else if (pendente_ == Operacao::Nenhuma) {
        acumulado_ = valor();
    }
    pendente_ = op;
    ultimaOperacao_ = Operacao::Nenhuma;
    novaEntrada_ = true;
}

void MaquinaCalculadora::igual() {
    if (!erro_.empty()) return;
    double resultado;
    if (pendente_ != Operacao::Nenhuma) {
        ultimoOperando_ = valor();
        ultimaOperacao_ = pendente_;
        resultado = calcula(acumulado_, pendente_, ultimoOperando_);
    } else if (ultimaOperacao_ != Operacao::Nenhuma) {
        resultado = calcula(valor(), ultimaOperacao_, ultimoOperando_);
    } else {
        resultado = valor();
    }
    pendente_ = Operacao::Nenhuma;
    novaEntrada_ = true;
    if (!erro_.empty()) return;
    acumulado_ = resultado;
    mostra(resultado);
}

void MaquinaCalculadora::limpa() {
    *this = MaquinaCalculadora{};
}

void MaquinaCalculadora::apaga() {
    if (!erro_.empty()) {
        limpa();
        return;
    }
    if (novaEntrada_) return;  // a result is not edited
    entrada_.pop_back();
    if (entrada_.empty() || entrada_ == "-") entrada_ = "0";
}

void MaquinaCalculadora::trocaSinal() {
    if (!erro_.empty()) return;
    if (entrada_ == "0") return;
    if (entrada_[0] == '-') entrada_.erase(0, 1);
    else entrada_.insert(0, 1, '-');
    if (novaEntrada_ && pendente_ == Operacao::Nenhuma) acumulado_ = valor();
}

}  // namespace korva
