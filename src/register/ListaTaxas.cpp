#include "register/ListaTaxas.h"

#include "reference/Pesquisa.h"
#include "register/ConfiguracaoPesquisa.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {

ListaTaxas::ListaTaxas(Banco& compartilhado, const ConfiguracaoPesquisa& opcoes)
    : banco_(compartilhado), opcoes_(opcoes) {}

ListaTaxas::~ListaTaxas() = default;

bool ListaTaxas::TabelaDeTaxas(const std::string& tabela) {
    for (const char* nome : {"PrevEmpregador.DB", "PrevTerceiro.DB", "PrevSAT.DB"})
        if (IguaisSemCaixa(tabela, nome)) return true;
    return false;
}

void ListaTaxas::mostra(std::string titulo, std::string tabela) {
    if (!TabelaDeTaxas(tabela))
        throw ErroKorva("A tabela " + tabela + " não é uma tabela de recolhimento previdenciário.");
    oculta();
    titulo_ = std::move(titulo);
    nomeTabela_ = std::move(tabela);
    texto_.clear();
    tabela_ = std::make_unique<Tabela>(banco_, nomeTabela_);
    tabela_->abre(ModoAbertura::SomenteLeitura);
    tabela_->defineIndice("IndNatureza");
    tabela_->primeiro();
    visivel_ = true;
}

void ListaTaxas::oculta() {
    if (tabela_ && tabela_->aberta()) tabela_->fecha();
    visivel_ = false;
}

std::vector<TaxaPrevidencia> ListaTaxas::linhas() const {
    std::vector<TaxaPrevidencia> r;
    if (!tabela_ || !tabela_->aberta()) return r;
    const DefTabela& d = tabela_->definicao();
    const int codigo = d.posicao("Codigo"), natureza = d.posicao("Natureza"), taxa = d.posicao("Taxa");
    const int n = tabela_->quantidade();
    for (int i = 0; i < n; ++i) {
        const std::vector<Valor>& v = tabela_->valoresDaLinha(i);
        const Valor& t = v[static_cast<size_t>(taxa)];
        r.push_back({static_cast<int>(v[static_cast<size_t>(codigo)].comoInteiro()),
                     v[static_cast<size_t>(natureza)].comoTexto(), t.nulo() ? 0.0 : t.comoNumero()});
    }
    return r;
}

int ListaTaxas::posicao() const { return tabela_ && tabela_->aberta() && !tabela_->vazia() ? tabela_->posicao() : -1; }

void ListaTaxas::vaiPara(int posicao) {
    if (okHabilitado()) tabela_->vaiPara(posicao);
}

bool ListaTaxas::okHabilitado() { return tabela_ && tabela_->aberta() && !tabela_->vazia(); }

std::string ListaTaxas::pesquisa(const std::string& texto) {
    texto_ = Apara(Maiusculas(texto));
    if (!tabela_ || !tabela_->aberta()) return texto_;
    if (texto_.empty()) {
        tabela_->limpaFiltro();
    } else {
        // The option is the one in force when the search runs.
        const OpcaoPesquisa opcao = opcoes_.emVigor();
        const std::string procurado = texto_;
        tabela_->defineFiltroFuncao([opcao, procurado](const Tabela& t) {
            return PassaPesquisa(Maiusculas(t.valor("Natureza").comoTexto()), procurado, opcao);
        });
    }
    tabela_->atualiza();
    tabela_->primeiro();
    return texto_;
}

std::optional<double> ListaTaxas::escolhe() {
    if (!okHabilitado()) return std::nullopt;
    const Valor& taxa = tabela_->valor("Taxa");
    return taxa.nulo() ? 0.0 : taxa.comoNumero();
}

}  // namespace korva
