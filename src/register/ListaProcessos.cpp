#include "register/ListaProcessos.h"

#include "storage/Banco.h"
#include "util/Erros.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace korva {

const std::vector<std::pair<std::string, std::string>>& ListaProcessos::Colunas() {
    static const std::vector<std::pair<std::string, std::string>> colunas{
        {"Processo", "Processo"},
        {"CodRecte", "Grupo"},
        {"DtGrav", "DtGrav"},
        {"INSSReclamado", "INSSReclamado"},
        {"INSSTerceiros", "INSSTerceiros"},
        {"INSSRisco", "INSSRisco"},
        {"TotalBaseINSS", "TotalBaseINSS"},
        {"ValorINSSReclamante", "ValorINSSReclamante"},
        {"AdicionarINSSRecte", "AdicionarINSSRecte"},
        {"TotalBaseIR13", "TotalBaseIR13"},
        {"TotalBaseIRFerias", "TotalBaseIRFerias"},
        {"TotalBaseIRDemais", "TotalBaseIRDemais"},
        {"ValorTotalIR", "ValorTotalIR"},
    };
    return colunas;
}

ListaProcessos::ListaProcessos(Banco& privado)
    : banco_(privado), tabela_(std::make_unique<Tabela>(privado, "Processo.DB")) {}

ListaProcessos::~ListaProcessos() = default;

void ListaProcessos::mostra(const std::string& processo, int codRecte) {
    modo_ = (processo == "0" && codRecte == 0) ? Modo::Prorrata : Modo::Calculo;
    ocultoProcesso_ = processo;
    ocultoCodRecte_ = codRecte;
    Tabela& t = *tabela_;
    if (t.aberta()) t.fecha();
    t.abre(ModoAbertura::SomenteLeitura);
    t.defineIndice("");
    t.defineFiltroFuncao([this](const Tabela& tab) {
        return !(tab.valor("Processo").comoTexto() == ocultoProcesso_ &&
                 tab.valor("CodRecte").comoInteiro() == ocultoCodRecte_);
    });
    t.primeiro();
}

void ListaProcessos::oculta() {
    if (tabela_->aberta()) tabela_->fecha();
}

bool ListaProcessos::okHabilitado() { return tabela_->aberta() && !tabela_->vazia(); }

std::string ListaProcessos::TextoPesquisa(const std::string& digitado) { return Apara(Maiusculas(digitado)); }

void ListaProcessos::pesquisa(const std::string& texto) {
    const std::string numero = TextoPesquisa(texto);
    if (numero.empty()) return;
    if (!tabela_->localizaChave({Valor(numero)})) throw ErroKorva("Processo não Encontrado!");
}

std::optional<ListaProcessos::Escolha> ListaProcessos::escolhe() {
    if (!okHabilitado()) return std::nullopt;
    const Tabela& t = *tabela_;
    auto numero = [&](const char* campo) { return t.valor(campo).nulo() ? 0.0 : t.valor(campo).comoNumero(); };
    Escolha e;
    e.pasta = "Sub" + Literais::ZerosEsquerdaInt(t.valor("Diretorio").comoInteiro(), 5) + "\\";
    e.arquivo = Literais::ZerosEsquerdaInt(t.valor("Arquivo").comoInteiro(), 7) + ".db";
    e.processo = t.valor("Processo").comoTexto();
    e.codRecte = static_cast<int>(t.valor("CodRecte").comoInteiro());
    if (!t.valor("DtAjuiz").nulo()) e.dtAjuiz = t.valor("DtAjuiz").comoData();
    if (!t.valor("DtBase").nulo()) e.dtBase = t.valor("DtBase").comoData();
    e.total = numero("Total");
    e.inssReclamado = numero("INSSReclamado");
    e.inssTerceiros = numero("INSSTerceiros");
    e.inssRisco = numero("INSSRisco");
    e.totalBaseINSS = numero("TotalBaseINSS");
    e.valorINSSReclamante = numero("ValorINSSReclamante");
    e.valorTotalIR = numero("ValorTotalIR");
    e.adicionarINSSRecte = !t.valor("AdicionarINSSRecte").nulo() && t.valor("AdicionarINSSRecte").comoLogico();
    e.copias = copias_;
    e.importacao = importacao_;
    return e;
}

}  // namespace korva
