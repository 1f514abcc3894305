#include "app/Validacoes.h"

#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {

int AnoCompleto(int ano) {
    if (ano < 0 || ano >= 100) return ano;
    return ano < 50 ? 2000 + ano : 1900 + ano;
}

void ValidaAno(int ano) {
    if (ano < 0 || ano > 9999) throw ErroKorva("Ano inválido!");
}

void ValidaMes(int mes) {
    if (mes < 0 || mes > 12) throw ErroKorva("Mes inválido!");
}

bool ConfereMascara(std::string_view numero, std::string_view mascara) {
    if (mascara.empty()) return true;
    const std::u32string n = ParaU32(numero), m = ParaU32(mascara);
    if (n.size() != m.size()) return false;
    for (size_t i = 0; i < m.size(); ++i) {
        const char32_t c = n[i];
        switch (m[i]) {
            case U'9':
                if (!(c == U' ' || (c >= U'0' && c <= U'9'))) return false;
                break;
            case U'A':
                if (!(c == U' ' || (c >= U'A' && c <= U'Z'))) return false;
                break;
            default:
                if (c != m[i]) return false;
        }
    }
    return true;
}

bool CaracteresDeProcesso(std::string_view numero, std::initializer_list<std::string_view> mascaras) {
    const std::u32string n = ParaU32(numero);
    if (n.empty()) return false;
    // The number names files and folders of reports and remittances: it
    // never starts a path or climbs out of one.
    if (n.front() == U'.' || n.front() == U'/' || numero.find("..") != std::string_view::npos) return false;
    for (char32_t c : n) {
        if ((c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || c == U' ' || c == U'.' || c == U'-' || c == U'/')
            continue;
        bool daMascara = false;
        for (std::string_view m : mascaras)
            for (char32_t k : ParaU32(m))
                daMascara = daMascara || (k == c && k >= 0x20 && k != U'\\' && k != 0x7F);
        if (!daMascara) return false;
    }
    return true;
}

void ValidaNumeroProcesso(std::string_view numero, std::string_view mascara1, std::string_view mascara2,
                          std::string_view mascara3) {
    if (Apara(numero).empty()) throw ErroKorva("Preencha o número do processo!");
    if (!CaracteresDeProcesso(numero, {mascara1, mascara2, mascara3})) throw ErroKorva("Formato do número do processo inválido!");
    if (mascara1.empty() || ConfereMascara(numero, mascara1)) return;
    if (!mascara2.empty()) {
        if (ConfereMascara(numero, mascara2)) return;
        if (!mascara3.empty() && ConfereMascara(numero, mascara3)) return;
    }
    throw ErroKorva("Formato do número do processo inválido!");
}

std::vector<int> TeclasDoVisor(std::string_view visor, char32_t separadorDecimal) {
    std::vector<int> teclas;
    for (char32_t c : ParaU32(Apara(visor))) {
        if (c >= U'0' && c <= U'9')
            teclas.push_back(static_cast<int>(c));
        else if (c == separadorDecimal)
            teclas.push_back(TeclaDecimalTeclado);
    }
    return teclas;
}

}  // namespace korva
