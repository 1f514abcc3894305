#include "parameters/GradeCalculo.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "parameters/CalculaDtBase.h"
#include "parameters/CodigosVerba.h"
#include "parameters/ReferenciasCalculo.h"
#include "reference/TabelasReferencia.h"
#include "util/Dinheiro.h"
#include "util/Erros.h"

namespace korva {
namespace {

// (Ano, Mes, Item) packed into one number; every field is a smallint.
int64_t Chave(int ano, int mes, int item) {
    return static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint16_t>(ano)) << 32) |
                                (static_cast<uint64_t>(static_cast<uint16_t>(mes)) << 16) |
                                static_cast<uint64_t>(static_cast<uint16_t>(item)));
}

bool AntesNaOrdem(const LinhaCalculo& a, const LinhaCalculo& b) {
    return std::tie(a.ano, a.mes, a.item, a.codigo) < std::tie(b.ano, b.mes, b.item, b.codigo);
}

// Sorts through an index, so each row is moved once.
void OrdenaPorPeriodo(std::vector<LinhaCalculo>& linhas) {
    std::vector<int> ordem(linhas.size());
    for (size_t i = 0; i < ordem.size(); ++i) ordem[i] = static_cast<int>(i);
    std::stable_sort(ordem.begin(), ordem.end(), [&](int a, int b) { return AntesNaOrdem(linhas[a], linhas[b]); });
    std::vector<LinhaCalculo> r;
    r.reserve(linhas.size());
    for (int i : ordem) r.push_back(std::move(linhas[i]));
    linhas = std::move(r);
}

bool MesmoMes(const LinhaCalculo& a, int mes, int ano) { return a.mes == mes && a.ano == ano; }

std::string ItemEMes(int item, int ano, int mes) {
    return "item " + CodigoTresDigitos(item) + " do mês " + TextoMes(ano, mes);
}

}  // namespace

std::string GradeCalculo::MsgSemItemBase(int item, int ano, int mes) {
    return "ERRO! Não Existe Item Base " + CodigoTresDigitos(item) + " cadastrado para o Mes " + TextoMes(ano, mes) +
           ".";
}
std::string GradeCalculo::MsgDivisor(int item, int ano, int mes) {
    return "ERRO! O " + ItemEMes(item, ano, mes) + " tem o Divisor vazio ou igual a zero.";
}
std::string GradeCalculo::MsgPeriodoMedia(int item, int ano, int mes) {
    return "ERRO! O período da média do " + ItemEMes(item, ano, mes) + " termina antes de começar.";
}
std::string GradeCalculo::MsgCircular(int item, int ano, int mes) {
    return "ERRO! Referência circular entre itens base: " + ItemEMes(item, ano, mes) + ".";
}
std::string GradeCalculo::MsgSemValor(int item, int ano, int mes) {
    return "ERRO! Não foi possível calcular o " + ItemEMes(item, ano, mes) +
           ": ele depende de linhas que nunca recebem valor.";
}

int GradeCalculo::QtdeMeses(int mes1, int ano1, int mes2, int ano2) {
    const int n = (ano2 * 12 + mes2) - (ano1 * 12 + mes1) + 1;
    return n > 0 ? n : 0;
}

GradeCalculo::GradeCalculo(std::vector<LinhaCalculo> linhas, EntradasCalculo entradas)
    : linhas_(std::move(linhas)), e_(std::move(entradas)) {}

// ---- before the sweeps ----

LinhaCalculo GradeCalculo::novaLinha(int item, int mes, int ano, std::optional<Data> dtBaseCausa) {
    LinhaCalculo l;
    l.item = item;
    l.mes = mes;
    l.ano = ano;
    if (e_.catalogo)
        if (auto p = e_.catalogo(item)) {
            l.inss = p->inss;
            l.qtde = p->qtde;
            l.indice = p->indice;
            l.divisor = p->divisor;
            l.base = p->base;
        }
    // INSS is required on every row; a basic item missing from the catalogue
    // never enters the result, so "N" is as good as any.
    if (l.inss.empty()) l.inss = "N";
    l.codDataBasePadrao = e_.dataBasePadrao;
    // A typed base date (code 50) has no date to type on a row the run makes:
    // the row takes the date of the row that made it necessary.
    if (l.codDataBasePadrao == CodigoDtBaseDigitada) l.dtBase = dtBaseCausa;
    l.dtBase = DtBaseDe(l);
    l.calculado = false;
    return l;
}

void GradeCalculo::Prepara() {
    // The difference rows of the last run go; everything is
    // uncalculated but the rows entered as values and item 2.
    std::erase_if(linhas_, [](const LinhaCalculo& l) { return l.vfm == "D"; });
    int64_t proximo = 1;
    for (auto& l : linhas_) {
        l.calculado = l.vfm == "V" || l.item == VerbaSalarioValor;
        proximo = std::max(proximo, l.codigo + 1);
    }
    OrdenaPorPeriodo(linhas_);

    // Difference rows: every (item, month) of an item above 9 with a row of the
    // next code in the same month; the first row of each, in order, dates it.
    std::map<std::tuple<int, int, int>, std::optional<Data>> presentes;  // (item, mes, ano)
    for (const auto& l : linhas_) presentes.try_emplace({l.item, l.mes, l.ano}, l.dtBase);
    std::unordered_map<int, bool> noCatalogo;
    auto temNoCatalogo = [&](int item) {
        auto it = noCatalogo.find(item);
        if (it == noCatalogo.end()) it = noCatalogo.emplace(item, e_.catalogo && e_.catalogo(item).has_value()).first;
        return it->second;
    };
    std::vector<LinhaCalculo> novas;
    for (const auto& [chave, dtDevido] : presentes) {
        const auto [item, mes, ano] = chave;
        if (item <= 9 || item % 10 != 0 || !presentes.count({item + 1, mes, ano})) continue;
        if (!temNoCatalogo(item + 2)) continue;
        LinhaCalculo d = novaLinha(item + 2, mes, ano, dtDevido);
        d.valor = 0.0;
        d.vfm = "D";
        d.codigo = proximo++;
        novas.push_back(std::move(d));
    }
    linhas_.insert(linhas_.end(), novas.begin(), novas.end());
    const size_t lidas = linhas_.size() - novas.size();

    // Base rows of items 1 and 3: the months where some row is based on
    // the item and no row of it exists; the first such row in order dates it.
    for (const int n : {VerbaSalarioMinimo, VerbaSalarioNormativo}) {
        std::map<std::pair<int, int>, const LinhaCalculo*> usam;  // (ano, mes)
        std::set<std::pair<int, int>> tem;
        for (const auto& l : linhas_) {
            if (l.base && *l.base == n) {
                auto [it, novo] = usam.try_emplace({l.ano, l.mes}, &l);
                if (!novo && AntesNaOrdem(l, *it->second)) it->second = &l;
            }
            if (l.item == n) tem.insert({l.ano, l.mes});
        }
        std::vector<LinhaCalculo> base;
        for (const auto& [mesAno, causa] : usam) {
            if (tem.count(mesAno)) continue;
            LinhaCalculo b = novaLinha(n, mesAno.second, mesAno.first, causa->dtBase);
            // Stored as the grid stores a row of these items: only the quantity.
            b.qtde = 1.0;
            b.indice.reset();
            b.divisor.reset();
            b.base.reset();
            b.vfm = "F";
            b.codigo = proximo++;
            base.push_back(std::move(b));
        }
        linhas_.insert(linhas_.end(), std::make_move_iterator(base.begin()), std::make_move_iterator(base.end()));
    }
    // The rows read are in order; the added ones are sorted and merged in.
    std::sort(linhas_.begin() + static_cast<std::ptrdiff_t>(lidas), linhas_.end(), AntesNaOrdem);
    std::inplace_merge(linhas_.begin(), linhas_.begin() + static_cast<std::ptrdiff_t>(lidas), linhas_.end(),
                       AntesNaOrdem);
    indexa();
}

void GradeCalculo::indexa() {
    porChave_.clear();
    porItem_.clear();
    for (int i = 0; i < static_cast<int>(linhas_.size()); ++i) {
        const auto& l = linhas_[i];
        auto [it, novo] = porChave_.try_emplace(Chave(l.ano, l.mes, l.item), Faixa{i, 0});
        ++it->second.quantidade;
        auto& p = porItem_[l.item];
        p.chaves.push_back(l.ano * 100 + l.mes);
        p.linhas.push_back(i);
    }
    // Ano * 100 + Mes follows (Ano, Mes) for months 0..99, so each item's
    // list is already ascending; a stray month outside that would not be.
    for (auto& par : porItem_) {
        PorItem& p = par.second;  // not a structured binding: clang 14 cannot capture one in a lambda
        if (std::is_sorted(p.chaves.begin(), p.chaves.end())) continue;
        std::vector<int> ordem(p.linhas.size());
        for (size_t k = 0; k < ordem.size(); ++k) ordem[k] = static_cast<int>(k);
        std::stable_sort(ordem.begin(), ordem.end(), [&](int a, int b) { return p.chaves[a] < p.chaves[b]; });
        PorItem q;
        for (int k : ordem) {
            q.chaves.push_back(p.chaves[k]);
            q.linhas.push_back(p.linhas[k]);
        }
        p = std::move(q);
    }
}

// ---- lookups on the rows ----

GradeCalculo::Faixa GradeCalculo::LinhasDoItem(int item, int mes, int ano) const {
    auto it = porChave_.find(Chave(ano, mes, item));
    if (it == porChave_.end()) throw ErroKorva(MsgSemItemBase(item, ano, mes));
    if (it->second.quantidade > 20) throw ErroKorva(MsgMaisDe20);
    return it->second;
}

bool GradeCalculo::BasePendente(int item, int mes, int ano, std::vector<int>& visitando) {
    const Faixa f = LinhasDoItem(item, mes, ano);
    if (std::find(visitando.begin(), visitando.end(), item) != visitando.end())
        throw ErroKorva(MsgCircular(item, ano, mes));
    visitando.push_back(item);
    bool pendente = false;
    for (int k = f.inicio; k < f.inicio + f.quantidade && !pendente; ++k) {
        const LinhaCalculo& r = linhas_[k];
        if (r.calculado) continue;
        // A row valued from reference data comes later in its month, or in the
        // next sweep: it is waited for like any other uncalculated row.
        if (EhItemValorado(r.item) || r.vfm != "F")
            pendente = true;
        else
            pendente = BasePendente(r.base.value_or(0), mes, ano, visitando);
    }
    visitando.pop_back();
    return pendente;
}

double GradeCalculo::ValorDaBase(int item, int mes, int ano, std::vector<int>& visitando) {
    const Faixa f = LinhasDoItem(item, mes, ano);
    if (std::find(visitando.begin(), visitando.end(), item) != visitando.end())
        throw ErroKorva(MsgCircular(item, ano, mes));
    visitando.push_back(item);
    double soma = 0;
    for (int k = f.inicio; k < f.inicio + f.quantidade; ++k) {
        const LinhaCalculo& r = linhas_[k];
        if (r.calculado) {
            soma += r.valor.value_or(0.0);
        } else {
            // A factor row whose own base is ready, worked out here and not stored.
            const double d = divisor(r);
            soma += ValorDaBase(r.base.value_or(0), mes, ano, visitando) * r.qtde.value_or(0.0) *
                    r.indice.value_or(0.0) / d;
        }
    }
    visitando.pop_back();
    if (e_.anularReflexoNegativo && soma < 0) return 0.0;
    return soma;
}

double GradeCalculo::divisor(const LinhaCalculo& l) const {
    if (!l.divisor || *l.divisor == 0.0) throw ErroKorva(MsgDivisor(l.item, l.ano, l.mes));
    return *l.divisor;
}

int GradeCalculo::janela(const LinhaCalculo& l) const {
    const int n = QtdeMeses(l.mMes1.value_or(0), l.mAno1.value_or(0), l.mMes2.value_or(0), l.mAno2.value_or(0));
    if (n == 0) throw ErroKorva(MsgPeriodoMedia(l.item, l.ano, l.mes));
    return n;
}

template <class F>
void GradeCalculo::naJanela(int item, int de, int ate, F&& f) const {
    auto it = porItem_.find(item);
    if (it == porItem_.end()) return;
    const PorItem& p = it->second;
    auto k = std::lower_bound(p.chaves.begin(), p.chaves.end(), de) - p.chaves.begin();
    for (; k < static_cast<std::ptrdiff_t>(p.chaves.size()) && p.chaves[k] <= ate; ++k)
        if (!f(linhas_[p.linhas[k]])) return;
}

Data GradeCalculo::DtBaseDe(const LinhaCalculo& l) {
    if (l.codDataBasePadrao == CodigoDtBaseDigitada || !e_.dtBase)
        return e_.dtBase ? e_.dtBase(l.mes, l.ano, l.dtBase, l.codDataBasePadrao) : l.dtBase.value_or(Data());
    const int64_t k = (Chave(l.ano, l.mes, 0) << 8) | (l.codDataBasePadrao & 0xFF);
    if (CodigoDtBaseConhecido(l.codDataBasePadrao)) {
        auto it = dtBases_.find(k);
        if (it != dtBases_.end()) return it->second;
        const Data d = e_.dtBase(l.mes, l.ano, l.dtBase, l.codDataBasePadrao);
        dtBases_.emplace(k, d);
        return d;
    }
    return e_.dtBase(l.mes, l.ano, l.dtBase, l.codDataBasePadrao);  // fails with its message
}

double GradeCalculo::MediaAtualizada(const LinhaCalculo& l) {
    const int meses = janela(l);
    double soma = 0;
    naJanela(l.itemMedia.value_or(0), l.mAno1.value_or(0) * 100 + l.mMes1.value_or(0),
             l.mAno2.value_or(0) * 100 + l.mMes2.value_or(0), [&](const LinhaCalculo& r) {
                 soma += r.valor.value_or(0.0) * e_.fator(e_.indPrincipal, r.dtBase.value_or(Data()), e_.dtBaseCalculo);
                 return true;
             });
    return soma / meses;
}

// ---- the sweeps ----

void GradeCalculo::GravaValor(LinhaCalculo& l, double valor) {
    // The store recomputes DtBase; a code without a date rule refuses the row.
    const Data dt = DtBaseDe(l);
    l.valor = valor;
    l.dtBase = dt;
    if (!l.calculado) ++valoradas_;
    l.calculado = true;
}

void GradeCalculo::marcaPendente(const LinhaCalculo& l) {
    pendente_ = true;
    if (primeiroPendente_ < 0) primeiroPendente_ = static_cast<int>(&l - linhas_.data());
}

void GradeCalculo::valoraLinha(int i) {
    LinhaCalculo& l = linhas_[i];
    const int mes = l.mes, ano = l.ano;
    const double qtde = l.qtde.value_or(0.0);
    const ReferenciasCalculo* ref = e_.referencias;
    switch (l.item) {
        case VerbaSalarioMinimo: {
            const LinhaValores* v = ref ? ref->valores(ano, mes) : nullptr;
            if (!v) throw ErroKorva(TabelasReferencia::MsgSalarioMinimo(ano, mes));
            GravaValor(l, qtde * Arredonda4(v->salMin));
            return;
        }
        case VerbaSalarioNormativo: {
            const auto v = ref ? ref->salarioNormativo(ano, mes) : std::nullopt;
            if (!v) throw ErroKorva(TabelasReferencia::MsgSalarioNormativo(ano, mes));
            GravaValor(l, qtde * Arredonda4(*v));
            return;
        }
        case VerbaBasesSalariais:
            GravaValor(l, ref ? ref->basesSalariais(ano, mes) : 0.0);
            return;
        case VerbaSalarioFamilia2:
        case VerbaSalarioFamilia1: {
            const LinhaValores* v = ref ? ref->valores(ano, mes) : nullptr;
            const bool dois = l.item == VerbaSalarioFamilia2;
            if (!v)
                throw ErroKorva(dois ? TabelasReferencia::MsgSalarioFamilia2(ano, mes)
                                     : TabelasReferencia::MsgSalarioFamilia1(ano, mes));
            GravaValor(l, qtde * Arredonda4(dois ? v->salFam2 : v->salFam1));
            return;
        }
        case VerbaValeTransporte: {
            const auto v = ref ? ref->valeTransporte(ano, mes) : std::nullopt;
            if (!v) throw ErroKorva(TabelasReferencia::MsgValeTransporte(ano, mes));
            GravaValor(l, qtde * Arredonda4(*v));
            return;
        }
        default:
            break;
    }
    std::vector<int>& visitando = visitando_;  // the chain of bases being followed
    visitando.clear();
    if (l.vfm == "F") {
        const double d = divisor(l);
        const int base = l.base.value_or(0);
        if (BasePendente(base, mes, ano, visitando)) {
            marcaPendente(l);
            return;
        }
        const double vb = ValorDaBase(base, mes, ano, visitando);
        GravaValor(l, ((qtde * vb) * l.indice.value_or(0.0)) / d);
    } else if (l.vfm == "M") {
        const int meses = janela(l);
        const double d = divisor(l);
        double soma = 0;
        naJanela(l.itemMedia.value_or(0), l.mAno1.value_or(0) * 100 + l.mMes1.value_or(0),
                 l.mAno2.value_or(0) * 100 + l.mMes2.value_or(0), [&](const LinhaCalculo& r) {
                     soma += r.qtde.value_or(0.0);
                     return true;
                 });
        const double a = soma / meses;
        const int base = l.base.value_or(0);
        if (BasePendente(base, mes, ano, visitando)) {
            marcaPendente(l);
            return;
        }
        const double vb = ValorDaBase(base, mes, ano, visitando);
        const std::optional<double> qtdeAntes = l.qtde;
        l.qtde = a;
        try {
            GravaValor(l, ((a * vb) * l.indice.value_or(0.0)) / d);
        } catch (...) {
            l.qtde = qtdeAntes;  // the row was not stored
            throw;
        }
    } else if (l.vfm == "C") {
        const int meses = janela(l);
        const int item = l.itemMedia.value_or(0);
        const int de = l.mAno1.value_or(0) * 100 + l.mMes1.value_or(0);
        const int ate = l.mAno2.value_or(0) * 100 + l.mMes2.value_or(0);
        bool espera = false;
        naJanela(item, de, ate, [&](const LinhaCalculo& r) {
            espera = !r.calculado;
            return !espera;
        });
        if (espera) {
            marcaPendente(l);
            return;
        }
        double valor;
        if (e_.atualizarBaseMedia) {
            valor = MediaAtualizada(l);
        } else {
            double soma = 0;
            naJanela(item, de, ate, [&](const LinhaCalculo& r) {
                soma += r.valor.value_or(0.0);
                return true;
            });
            valor = soma / meses;
        }
        GravaValor(l, valor);
    }
    // "D" and any other letter: nothing in the main pass.
}

void GradeCalculo::passoDiferencas() {
    const int n = static_cast<int>(linhas_.size());
    int i = 0;
    while (i < n) {
        const LinhaCalculo& primeira = linhas_[i];
        if (!(primeira.item > 9 && primeira.item % 10 == 0)) {
            ++i;
            continue;
        }
        const int item = primeira.item, mes = primeira.mes, ano = primeira.ano;
        auto doGrupo = [&](int codigo) { return i < n && linhas_[i].item == codigo && MesmoMes(linhas_[i], mes, ano); };
        double devido = 0, pago = 0;
        std::string opcao;
        bool completo = true;
        while (doGrupo(item)) {
            devido += linhas_[i].valor.value_or(0.0);
            opcao = linhas_[i].diferenca;
            if (!linhas_[i].calculado) {
                completo = false;
                marcaPendente(linhas_[i]);
            }
            ++i;
        }
        // No paid part: nothing is written and the current row is examined afresh.
        if (!doGrupo(item + 1)) continue;
        while (doGrupo(item + 1)) {
            pago += linhas_[i].valor.value_or(0.0);
            if (!linhas_[i].calculado) {
                completo = false;
                marcaPendente(linhas_[i]);
            }
            ++i;
        }
        while (doGrupo(item + 2) && linhas_[i].vfm != "D") ++i;
        double d = devido - pago;
        if (d < 0 && opcao == "Z") d = 0;
        // Only the difference row itself is stepped over: any other row here
        // (the next family, the next month) is examined from the start, so a
        // family whose difference code is not in the catalogue never hides
        // the group that follows it.
        if (doGrupo(item + 2) && linhas_[i].vfm == "D") {
            if (completo) GravaValor(linhas_[i], d);
            ++i;
        }
    }
}

int GradeCalculo::Calcula() {
    do {
        pendente_ = false;
        primeiroPendente_ = -1;
        valoradas_ = 0;
        ++varreduras_;
        for (int i = 0; i < static_cast<int>(linhas_.size()); ++i) {
            if (linhas_[i].calculado) continue;
            valoraLinha(i);
        }
        passoDiferencas();
        // A sweep that values nothing would be followed by the same sweep forever.
        if (pendente_ && valoradas_ == 0) {
            const LinhaCalculo& l = linhas_[primeiroPendente_];
            throw ErroKorva(MsgSemValor(l.item, l.ano, l.mes));
        }
    } while (pendente_);
    // A row no rule values (an unknown VFM) would be left uncalculated.
    for (const auto& l : linhas_)
        if (!l.calculado) throw ErroKorva(MsgSemValor(l.item, l.ano, l.mes));
    return varreduras_;
}

}  // namespace korva
