#include "storage/Valor.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {
namespace {

double TextoParaNumero(const std::string& s) {
    std::string t = Apara(s);
    if (t.empty()) return 0.0;
    for (auto& c : t)
        if (c == ',') c = '.';
    double r = 0;
    auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), r);
    if (ec != std::errc() || p != t.data() + t.size())
        throw ErroConversao("'" + s + "' não é um número válido");
    return r;
}

std::string NumeroParaTexto(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

}  // namespace

int64_t Valor::comoInteiro() const {
    if (nulo()) return 0;
    if (auto p = std::get_if<int64_t>(&v_)) return *p;
    if (auto p = std::get_if<double>(&v_)) return static_cast<int64_t>(std::llround(*p));
    if (auto p = std::get_if<bool>(&v_)) return *p ? 1 : 0;
    if (auto p = std::get_if<Data>(&v_)) return p->serial();
    const auto& s = std::get<std::string>(v_);
    double d = TextoParaNumero(s);
    if (d != std::floor(d)) throw ErroConversao("'" + s + "' não é um número inteiro válido");
    return static_cast<int64_t>(d);
}

double Valor::comoNumero() const {
    if (nulo()) return 0.0;
    if (auto p = std::get_if<int64_t>(&v_)) return static_cast<double>(*p);
    if (auto p = std::get_if<double>(&v_)) return *p;
    if (auto p = std::get_if<bool>(&v_)) return *p ? 1.0 : 0.0;
    if (auto p = std::get_if<Data>(&v_)) return p->serial();
    return TextoParaNumero(std::get<std::string>(v_));
}

std::string Valor::comoTexto() const {
    if (nulo()) return {};
    if (auto p = std::get_if<int64_t>(&v_)) return std::to_string(*p);
    if (auto p = std::get_if<double>(&v_)) return NumeroParaTexto(*p);
    if (auto p = std::get_if<bool>(&v_)) return *p ? "True" : "False";
    if (auto p = std::get_if<Data>(&v_)) return p->dma();
    return std::get<std::string>(v_);
}

Data Valor::comoData() const {
    if (auto p = std::get_if<Data>(&v_)) return *p;
    if (nulo()) throw ErroConversao("Data não informada");
    if (auto p = std::get_if<std::string>(&v_)) {
        if (auto d = Data::lerDMA(*p)) return *d;
        if (auto d = Data::lerISO(*p)) return *d;
        throw ErroConversao("'" + *p + "' não é uma data válida");
    }
    return Data::deSerial(static_cast<int32_t>(comoInteiro()));
}

bool Valor::comoLogico() const {
    if (nulo()) return false;
    if (auto p = std::get_if<bool>(&v_)) return *p;
    if (auto p = std::get_if<std::string>(&v_)) {
        const std::string t = Maiusculas(Apara(*p));
        return t == "TRUE" || t == "S" || t == "SIM" || t == "1" || t == "T";
    }
    return comoNumero() != 0.0;
}

int ComparaValores(const Valor& a, const Valor& b, bool semCaixa) {
    if (a.nulo() || b.nulo()) return a.nulo() == b.nulo() ? 0 : (a.nulo() ? -1 : 1);
    if (a.ehTexto() || b.ehTexto()) {
        if (a.ehTexto() && b.ehTexto()) {
            if (semCaixa) return ComparaSemCaixa(a.comoTexto(), b.comoTexto());
            const int c = a.comoTexto().compare(b.comoTexto());
            return c < 0 ? -1 : (c > 0 ? 1 : 0);
        }
        return a.ehTexto() ? 1 : -1;  // numbers before texts
    }
    const double x = a.comoNumero(), y = b.comoNumero();
    return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace korva
