#include "results/FigurasGrade.h"

#include <algorithm>
#include <exception>

#include "results/CorrecaoJuros.h"
#include "results/ExecucaoCalculo.h"
#include "results/FormatoNumero.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "util/Dinheiro.h"
#include "util/Erros.h"

namespace korva {

ParametrosFiguras ParametrosFigurasDe(const ParametrosExecucao& p) {
    ParametrosFiguras f;
    f.indPrincipal = p.indPrincipal;
    f.indFGTS = p.indFGTS;
    f.dtAjuiz = p.dtAjuiz;
    f.dtBase = p.dtBase;
    f.calculoJuros = p.calculoJuros;
    f.tabelaH = ConjuntoCalculo::NomeTabelaDe(p.diretorio, p.arquivo, 'H');
    return f;
}

FigurasGrade::FigurasGrade(CorrecaoJuros& correcao, ParametrosFiguras p, MostraErro mostraErro)
    : correcao_(correcao), p_(std::move(p)), mostraErro_(std::move(mostraErro)) {}

void FigurasGrade::falha(const std::string& mensagem) {
    if (!mostrados_.insert(mensagem).second) return;
    if (mostraErro_) mostraErro_(mensagem);
}

FiguraLinha FigurasGrade::figura(int item, double valor, Data dtBase) {
    FiguraLinha f;
    if (!ItemComJuros(item)) return f;
    try {
        const bool fgts = item == 902 || item == 903;
        f.indiceAtualizacao = correcao_.FatorIndiceDiario(fgts ? p_.indFGTS : p_.indPrincipal, dtBase, p_.dtBase);
        f.juros = correcao_.CalculaJuros(p_.tabelaH, true, std::max(dtBase, p_.dtAjuiz), p_.dtBase, 0,
                                         p_.calculoJuros);
        const double atualizado = valor * f.indiceAtualizacao;
        f.total = ArredondaCentavos(atualizado + atualizado * f.juros / 100);
    } catch (const ErroBanco&) {
        // A table that is missing or cannot be read is not this row's
        // failure: every figure depends on it, and the caller must say so.
        throw;
    } catch (const std::exception& e) {
        f = FiguraLinha{};
        f.falhou = true;
        falha(e.what());
    }
    return f;
}

std::optional<double> FigurasGrade::totalGeral(Banco& privado, const std::string& tabelaB) {
    if (!privado.existe(tabelaB)) return 0.0;
    const std::string visao = Banco::NomeNaConsulta(tabelaB);
    double soma = 0;
    bool ok = true;
    for (const auto& l : privado.consulta("select Item, Valor, DtBase from " + visao, {tabelaB})) {
        if (l[2].nulo()) continue;
        const FiguraLinha f =
            figura(static_cast<int>(l[0].comoInteiro()), l[1].nulo() ? 0.0 : l[1].comoNumero(), l[2].comoData());
        if (f.falhou) ok = false;
        if (f.total) soma += *f.total;
    }
    if (!ok) return std::nullopt;
    return soma;
}

std::string FigurasGrade::TextoTotalGeral(const std::optional<double>& total) {
    return total ? "Total: " + FormataNumero(*total, 2) : "Total: erro";
}

void FigurasGrade::esquece() {
    mostrados_.clear();
    correcao_.esquece();
}

}  // namespace korva
