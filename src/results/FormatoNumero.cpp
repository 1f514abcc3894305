#include "results/FormatoNumero.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace korva {

namespace {

// Adds one unit to the last digit of a run of decimal digits; returns true
// when the carry runs out of the left end.
bool SomaUm(std::string& digitos) {
    for (size_t i = digitos.size(); i-- > 0;) {
        if (digitos[i] == '9') {
            digitos[i] = '0';
        } else {
            ++digitos[i];
            return false;
        }
    }
    return true;
}

std::string AgrupaMilhares(const std::string& inteira) {
    std::string r = inteira;
    for (int i = static_cast<int>(r.size()) - 3; i > 0; i -= 3) r.insert(static_cast<size_t>(i), ".");
    return r;
}

}  // namespace

std::string FormataNumero(double valor, int casas, int significativos) {
    if (std::isnan(valor)) return "NAN";
    if (std::isinf(valor)) return valor < 0 ? "-INF" : "INF";
    casas = std::clamp(casas, 0, 15);
    significativos = std::clamp(significativos, 1, 17);

    // The significant digits: "d.dddddddde+XX" for nine.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significativos - 1, std::fabs(valor));
    const std::string texto(buf);
    const size_t e = texto.find('e');
    std::string digitos = texto.substr(0, e);  // "d.ddd", or "d" for one digit
    if (digitos.size() > 1) digitos.erase(1, 1);
    const int expoente = std::atoi(texto.c_str() + e + 1);
    const int antesDaVirgula = expoente + 1;  // digits of the integer part

    std::string inteira, fracao;
    if (antesDaVirgula <= 0) {
        inteira = "0";
        fracao = std::string(static_cast<size_t>(-antesDaVirgula), '0') + digitos;
    } else if (antesDaVirgula >= static_cast<int>(digitos.size())) {
        inteira = digitos + std::string(static_cast<size_t>(antesDaVirgula) - digitos.size(), '0');
    } else {
        inteira = digitos.substr(0, static_cast<size_t>(antesDaVirgula));
        fracao = digitos.substr(static_cast<size_t>(antesDaVirgula));
    }

    if (fracao.size() > static_cast<size_t>(casas)) {
        const bool sobe = fracao[static_cast<size_t>(casas)] >= '5';
        fracao.resize(static_cast<size_t>(casas));
        if (sobe && SomaUm(fracao) && SomaUm(inteira)) inteira.insert(inteira.begin(), '1');
    }
    fracao.resize(static_cast<size_t>(casas), '0');

    std::string r = AgrupaMilhares(inteira);
    if (casas > 0) r += "," + fracao;
    if (valor < 0 && r.find_first_not_of("0.,") != std::string::npos) r.insert(r.begin(), '-');
    return r;
}

}  // namespace korva
