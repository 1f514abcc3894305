#include "maintenance/AreaTrabalho.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "util/ArquivoIni.h"
#include "util/Texto.h"

namespace korva {

namespace {

std::optional<long> Numero(const ArquivoIni& ini, const char* chave) {
    const std::string texto = ini.le(kSecaoAreaTrabalho, chave, "");
    if (texto.empty()) return std::nullopt;
    try {
        size_t fim = 0;
        const long n = std::stol(texto, &fim);
        if (fim != texto.size()) return std::nullopt;
        return n;
    } catch (...) {
        return std::nullopt;
    }
}

// The bands of one run along an axis of `comprimento` from `inicio`: n bands
// `passo` long, the last reaching the end.
void Corrida(std::vector<FaixaGradiente>& faixas, bool vertical, int inicio, int comprimento, int passo, int n,
             int outro, bool invertida) {
    for (int k = 0; k < n; ++k) {
        const int banda = invertida ? n - 1 - k : k;
        const int a = inicio + banda * passo;
        const int b = banda == n - 1 ? inicio + comprimento : a + passo;
        FaixaGradiente f;
        if (vertical) {
            f.x = a;
            f.largura = b - a;
            f.altura = outro;
        } else {
            f.y = a;
            f.altura = b - a;
            f.largura = outro;
        }
        f.cor = k;
        faixas.push_back(f);
    }
}

}  // namespace

CorRgb CorDoNumero(long numero) {
    return {static_cast<int>(numero & 0xFF), static_cast<int>((numero >> 8) & 0xFF),
            static_cast<int>((numero >> 16) & 0xFF)};
}

long NumeroDaCor(CorRgb cor) { return cor.r + 256L * cor.g + 65536L * cor.b; }

AjustesAreaTrabalho LeAreaTrabalho(const ArquivoIni& ini) {
    AjustesAreaTrabalho a;
    if (auto n = Numero(ini, "Opcao"); n && *n >= 0 && *n <= 2) a.opcao = static_cast<FundoAreaTrabalho>(*n);
    if (auto n = Numero(ini, "Cor Principal"); n && *n >= 0 && *n <= 0xFFFFFF) a.corPrincipal = *n;
    if (auto n = Numero(ini, "Cor Gradiente"); n && *n >= 0 && *n <= 0xFFFFFF) a.corGradiente = *n;
    if (auto n = Numero(ini, "Estilo"); n && *n >= 1 && *n <= 8) a.estilo = static_cast<int>(*n);
    if (auto n = Numero(ini, "Shades")) a.faixas = static_cast<int>(std::clamp<long>(*n, -1000000, 1000000));
    if (ini.existe(kSecaoAreaTrabalho, "Imagem")) a.imagem = ini.le(kSecaoAreaTrabalho, "Imagem");
    return a;
}

void GravaAreaTrabalho(ArquivoIni& ini, const AjustesAreaTrabalho& a) {
    ini.escreve(kSecaoAreaTrabalho, "Opcao", std::to_string(static_cast<int>(a.opcao)));
    ini.escreve(kSecaoAreaTrabalho, "Cor Principal", std::to_string(a.corPrincipal));
    ini.escreve(kSecaoAreaTrabalho, "Cor Gradiente", std::to_string(a.corGradiente));
    ini.escreve(kSecaoAreaTrabalho, "Estilo", std::to_string(a.estilo));
    ini.escreve(kSecaoAreaTrabalho, "Shades", std::to_string(a.faixas));
    ini.escreve(kSecaoAreaTrabalho, "Imagem", a.imagem);
}

int FaixasPintadas(int faixas) {
    return std::clamp(faixas, AjustesAreaTrabalho::MinimoFaixas, AjustesAreaTrabalho::MaximoFaixas);
}

int EstiloGradiente(bool vertical, int forma) {
    static constexpr int horizontal[] = {1, 5, 3, 4};
    static constexpr int verticais[] = {2, 8, 6, 7};
    forma = std::clamp(forma, 0, 3);
    return vertical ? verticais[forma] : horizontal[forma];
}

std::pair<bool, int> FormaDoEstilo(int estilo) {
    for (int forma = 0; forma < 4; ++forma) {
        if (EstiloGradiente(false, forma) == estilo) return {false, forma};
        if (EstiloGradiente(true, forma) == estilo) return {true, forma};
    }
    return {false, 0};
}

std::vector<CorRgb> CoresGradiente(CorRgb c1, CorRgb c2, int n) {
    std::vector<CorRgb> cores;
    if (n <= 0) return cores;
    const double pr = (c2.r - c1.r) / static_cast<double>(n);
    const double pg = (c2.g - c1.g) / static_cast<double>(n);
    const double pb = (c2.b - c1.b) / static_cast<double>(n);
    auto canal = [n](int fim, double passo, int k) {
        return std::clamp(static_cast<int>(std::lround(fim - (n - k) * passo)), 0, 255);
    };
    for (int k = 0; k < n; ++k) cores.push_back({canal(c2.r, pr, k), canal(c2.g, pg, k), canal(c2.b, pb, k)});
    return cores;
}

std::vector<FaixaGradiente> FaixasGradiente(int estilo, int n, int largura, int altura) {
    std::vector<FaixaGradiente> faixas;
    if (n <= 0 || largura <= 0 || altura <= 0) return faixas;
    const auto [vertical, forma] = FormaDoEstilo(estilo);
    const int comprimento = vertical ? largura : altura;
    const int outro = vertical ? altura : largura;
    if (forma == 0) {
        Corrida(faixas, vertical, 0, comprimento, comprimento / n, n, outro, false);
        return faixas;
    }
    const int metade = comprimento / 2;
    // Duplo: both halves from C1 to C2; fora para o centro: the second half
    // reversed (C1 at both outer edges); centro para fora: the first half
    // reversed (C1 at the middle).
    const bool inverteA = forma == 3;
    const bool inverteB = forma == 2;
    Corrida(faixas, vertical, 0, metade, metade / n, n, outro, inverteA);
    Corrida(faixas, vertical, metade, comprimento - metade, metade / n, n, outro, inverteB);
    return faixas;
}

}  // namespace korva
