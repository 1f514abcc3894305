#include "parameters/ListaRendimentos.h"

#include "storage/Banco.h"
#include "util/Texto.h"

namespace korva {

ListaRendimentos::ListaRendimentos(Banco& privado)
    : banco_(privado), tabela_(std::make_unique<Tabela>(privado, kTabelaRendimentos)) {}

ListaRendimentos::~ListaRendimentos() = default;

void ListaRendimentos::mostra() {
    resultado_ = 0;
    texto_.clear();
    Tabela& t = *tabela_;
    if (t.aberta()) t.fecha();
    t.abre(ModoAbertura::SomenteLeitura);
    t.defineIndice("");
    t.limpaFiltro();
    t.primeiro();
}

void ListaRendimentos::esconde() {
    if (tabela_->aberta()) tabela_->fecha();
}

void ListaRendimentos::pesquisa(const std::string& texto) {
    Tabela& t = *tabela_;
    texto_ = Apara(texto);
    if (texto_.empty()) {
        t.limpaFiltro();
        t.primeiro();
        return;
    }
    const std::string procurado = Maiusculas(texto_);
    const OpcaoPesquisa opcao = opcao_;
    t.defineFiltroFuncao([procurado, opcao](const Tabela& tab) {
        const Valor& d = tab.valor("DescRend");
        return !d.nulo() && PassaPesquisa(d.comoTexto(), procurado, opcao);
    });
}

bool ListaRendimentos::okHabilitado() { return tabela_->aberta() && !tabela_->vazia(); }

bool ListaRendimentos::escolhe() {
    if (!okHabilitado() || tabela_->posicao() < 0) return false;
    const Valor& c = tabela_->valor("Codigo");
    if (c.nulo()) return false;
    resultado_ = static_cast<int>(c.comoInteiro());
    return true;
}

std::optional<PadroesVerba> ListaRendimentos::padroesEscolhidos() {
    if (resultado_ == 0) return std::nullopt;
    const auto verba = VerbasCatalogo(banco_).Busca(resultado_);
    if (!verba) return std::nullopt;
    return verba->padroes;
}

}  // namespace korva
