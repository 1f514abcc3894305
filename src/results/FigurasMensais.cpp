#include "results/FigurasMensais.h"

#include <cmath>

#include "storage/Esquema.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

namespace korva {
namespace {

int Posicao(const DefTabela& def, const char* campo) {
    const int p = def.posicao(campo);
    if (p < 0) throw ErroKorva(std::string("Campo não encontrado na tabela de parâmetros mês a mês: ") + campo);
    return p;
}

// Totals are rounded to cents: summed as whole cents, the grand total after
// any number of edits is the one a full recomputation gives.
int64_t Centavos(const FiguraLinha& f) { return f.total ? std::llround(*f.total * 100) : 0; }

}  // namespace

FigurasMensais::FigurasMensais(FigurasGrade& figuras, const DefTabela& def)
    : figuras_(figuras),
      pCodigo_(Posicao(def, "Codigo")),
      pItem_(Posicao(def, "Item")),
      pValor_(Posicao(def, "Valor")),
      pDtBase_(Posicao(def, "DtBase")) {}

bool FigurasMensais::mesmasEntradas(const Entrada& e, const std::vector<Valor>& linha) const {
    const Valor& item = linha[static_cast<size_t>(pItem_)];
    const Valor& valor = linha[static_cast<size_t>(pValor_)];
    const Valor& dt = linha[static_cast<size_t>(pDtBase_)];
    return e.item == (item.nulo() ? 0 : item.comoInteiro()) && e.valor == (valor.nulo() ? 0.0 : valor.comoNumero()) &&
           e.dtBase.nulo() == dt.nulo() && (dt.nulo() || e.dtBase.comoData() == dt.comoData());
}

FigurasMensais::Entrada FigurasMensais::calculaEntrada(const std::vector<Valor>& linha) {
    Entrada e;
    const Valor& item = linha[static_cast<size_t>(pItem_)];
    const Valor& valor = linha[static_cast<size_t>(pValor_)];
    e.item = item.nulo() ? 0 : static_cast<int>(item.comoInteiro());
    e.valor = valor.nulo() ? 0.0 : valor.comoNumero();
    e.dtBase = linha[static_cast<size_t>(pDtBase_)];
    // A row without its date has nothing to bring to the base date.
    if (!e.dtBase.nulo()) {
        ++calculos_;
        e.figura = figuras_.figura(e.item, e.valor, e.dtBase.comoData());
    }
    return e;
}

void FigurasMensais::junta(const Entrada& e, int sinal) {
    centavos_ += sinal * Centavos(e.figura);
    if (e.figura.falhou) falhas_ += sinal;
}

void FigurasMensais::falhaTabela(const std::exception& erro) {
    falhaTabela_ = true;
    mensagemTabela_ = erro.what();
    linhas_.clear();
    centavos_ = 0;
    falhas_ = 0;
    figuras_.avisa(mensagemTabela_);
}

void FigurasMensais::recalcula(Tabela& b) {
    std::unordered_map<int64_t, Entrada> antigas;
    if (!falhaTabela_) antigas = std::move(linhas_);
    linhas_.clear();
    centavos_ = 0;
    falhas_ = 0;
    falhaTabela_ = false;
    if (suspenso_ || !b.aberta()) return;
    const int n = b.quantidade();
    linhas_.reserve(static_cast<size_t>(n));
    try {
        for (int i = 0; i < n; ++i) {
            const std::vector<Valor>& linha = b.valoresDaLinha(i);
            const Valor& codigo = linha[static_cast<size_t>(pCodigo_)];
            if (codigo.nulo()) continue;
            // A row as it was keeps its figures; a failed one is tried (and told) again.
            auto velha = antigas.find(codigo.comoInteiro());
            auto nova = velha != antigas.end() && !velha->second.figura.falhou && mesmasEntradas(velha->second, linha)
                            ? linhas_.emplace(codigo.comoInteiro(), std::move(velha->second))
                            : linhas_.emplace(codigo.comoInteiro(), calculaEntrada(linha));
            if (nova.second) junta(nova.first->second, +1);
        }
    } catch (const ErroBanco& e) {
        falhaTabela(e);
    }
}

const FiguraLinha* FigurasMensais::poe(const std::vector<Valor>& linha) {
    const Valor& codigo = linha[static_cast<size_t>(pCodigo_)];
    if (codigo.nulo()) return nullptr;
    auto it = linhas_.find(codigo.comoInteiro());
    if (it != linhas_.end()) {
        if (mesmasEntradas(it->second, linha)) return &it->second.figura;
        Entrada nova = calculaEntrada(linha);
        junta(it->second, -1);
        it->second = std::move(nova);
    } else {
        it = linhas_.emplace(codigo.comoInteiro(), calculaEntrada(linha)).first;
    }
    junta(it->second, +1);
    return &it->second.figura;
}

const FiguraLinha* FigurasMensais::figura(const std::vector<Valor>& linha) {
    if (suspenso_ || falhaTabela_) return nullptr;
    try {
        return poe(linha);
    } catch (const ErroBanco& e) {
        falhaTabela(e);
        return nullptr;
    }
}

void FigurasMensais::atualiza(const std::vector<Valor>& linha) { figura(linha); }

void FigurasMensais::remove(int64_t codigo) {
    auto it = linhas_.find(codigo);
    if (it == linhas_.end()) return;
    junta(it->second, -1);
    linhas_.erase(it);
}

std::optional<double> FigurasMensais::total() const {
    if (suspenso_ || falhaTabela_ || falhas_ > 0) return std::nullopt;
    return static_cast<double>(centavos_) / 100.0;
}

}  // namespace korva
