#include "register/RegistroProcessos.h"

#include "app/Configuracoes.h"
#include "app/Validacoes.h"
#include "register/RegrasAcrescimos.h"
#include "register/RegrasJuros.h"
#include "register/OpcoesProcesso.h"
#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "storage/Excecoes.h"
#include "util/Erros.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace korva {
namespace {

constexpr const char* TabelaProcessos = "Processo.DB";
constexpr const char* TabelaPadroes = "DefProcesso.DB";

// Fields a new row starts at 0.
constexpr const char* CamposZerados[] = {"Total",         "TotalGeral",        "FGTS",
                                         "TotalBaseINSS", "ValorINSSReclamante", "TotalBaseIR13",
                                         "TotalBaseIRFerias", "TotalBaseIRDemais", "ValorTotalIR"};

// Fields of the current row a new group keeps (besides the folder and file).
constexpr const char* CamposMantidos[] = {
    "DtGrav",         "DtAjuiz",          "Calculista",       "DtBase",
    "INSSReclamado",  "INSSTerceiros",    "INSSRisco",        "INSSReclamante",
    "AliquotaUnica",  "IndPrincipal",     "IndFGTS",          "IncidirJurosFGTS",
    "DataBasePadrao", "AtualizarBaseMedia", "AtualizaFeriadosNacionais", "AtualizaFeriadosEstaduais",
    "AtualizaFeriadosMunic", "Salario",   "ValeTransporte"};

struct PassoCriacao {
    char letra;
    const char* rotulo;
};
constexpr PassoCriacao PassosCriacao[] = {
    {'A', "Tabela de Parâmetros por período"},
    {'B', "Tabela de Parâmetros Mês a Mês"},
    {'C', "Tabela de Partes"},
    {'E', "Tabela de Acréscimos"},
};

// Sets a flag for the lifetime of a scope.
class Bandeira {
public:
    explicit Bandeira(bool& b) : b_(b), antes_(b) { b_ = true; }
    ~Bandeira() { b_ = antes_; }

private:
    bool& b_;
    bool antes_;
};

std::string NomeNaPasta(int diretorio, char letra, int arquivo) {
    return "Sub" + Literais::ZerosEsquerdaInt(diretorio, 5) + "\\" + ConjuntoCalculo::NomeCurto(letra, arquivo) + ".db";
}

}  // namespace

AjustesRegistro AjustesDe(const Configuracoes& c) {
    AjustesRegistro a;
    a.mascara1 = c.mascara1;
    a.mascara2 = c.mascara2;
    a.mascara3 = c.mascara3;
    a.qtdePorPasta = [&c] { return c.qtdeCalculosPorSubDiretorio; };
    return a;
}

RegistroProcessos::RegistroProcessos(Banco& privado, AjustesRegistro ajustes, ConjuntoCalculo::Aviso aviso, Hoje hoje)
    : banco_(privado),
      ajustes_(std::move(ajustes)),
      hoje_(std::move(hoje)),
      conjunto_(privado, ajustes_.qtdePorPasta, std::move(aviso)),
      processos_(std::make_unique<Tabela>(privado, TabelaProcessos)) {}

RegistroProcessos::~RegistroProcessos() {
    if (antesTrocarGrades_) antesTrocarGrades_();
}

void RegistroProcessos::abre() {
    Tabela& t = *processos_;
    t.abre();
    ordem_ = Ordem::Processo;
    t.defineIndice("");
    t.aoNovoRegistro = [this](Tabela& tab) { aoNovoRegistro(tab); };
    t.depoisEditar = [this](Tabela&) {
        estado_ = Estado::Edicao;
        emGravacao_ = false;
        excluirJurosAoGravar_ = false;
    };
    t.antesGravar = [this](Tabela&) { emGravacao_ = true; };
    t.naGravacao = [this](Tabela& tab) { naGravacao(tab); };
    t.depoisGravar = [this](Tabela& tab) { depoisGravar(tab); };
    t.depoisCancelar = [this](Tabela&) {
        emGravacao_ = false;
        excluirJurosAoGravar_ = false;
        acompanhaLinha();
    };
    t.antesExcluir = [this](Tabela& tab) {
        diretorioExcluido_ = static_cast<int>(tab.valor("Diretorio").comoInteiro());
        arquivoExcluido_ = static_cast<int>(tab.valor("Arquivo").comoInteiro());
        // The grids hold tables of the set that is about to go.
        fechaJuros();
        if (acrescimos_) acrescimos_->fecha();
    };
    t.depoisExcluir = [this](Tabela&) {
        if (arquivoExcluido_ > 0) conjunto_.ExcluiConjunto(diretorioExcluido_, arquivoExcluido_);
        arquivoExcluido_ = 0;
        arquivoMostrado_ = -2;  // the grids follow the new current row
        acompanhaLinha();
    };
    t.depoisRolar = [this](Tabela&) { acompanhaLinha(); };

    t.validaCampo("Processo", [this](Tabela& tab, const Valor& novo) {
        if (aplicandoPadroes_) return;
        const std::string numero = Maiusculas(novo.comoTexto());
        if (numero == tab.valor("Processo").comoTexto()) return;  // only a change is checked
        ValidaNumeroProcesso(numero, ajustes_.mascara1, ajustes_.mascara2, ajustes_.mascara3);
    });
    t.aoAlterarCampo("Processo", [](Tabela& tab) {
        const Valor& v = tab.valor("Processo");
        if (v.nulo()) return;
        const std::string maiusculo = Maiusculas(v.comoTexto());
        if (maiusculo != v.comoTexto()) tab["Processo"] = maiusculo;
    });
    t.aoAlterarCampo("Calculista", [this](Tabela& tab) {
        if (aplicandoPadroes_ || formatando_) return;
        const Valor& v = tab.valor("Calculista");
        if (v.nulo()) return;
        const std::string nome = Literais::NomeProprio(v.comoTexto());
        if (nome == v.comoTexto()) return;
        Bandeira b(formatando_);
        tab["Calculista"] = nome;
    });
    t.aoAlterarCampo("CalculoJuros", [this](Tabela&) {
        if (!aplicandoPadroes_) aplicaModoJuros();
    });
    modoMostrado_ = -2;
    arquivoMostrado_ = -2;
    acompanhaLinha();
}

void RegistroProcessos::fecha() {
    const bool pendente = (processos_->aberta() && processos_->editando()) ||
                          (acrescimos_ && acrescimos_->aberta() && acrescimos_->editando()) ||
                          (juros_ && juros_->aberta() && juros_->editando());
    if (pendente) OperacaoPendente(0);
    fechaJuros();
    if (acrescimos_) acrescimos_->fecha();
    paginaAcrescimos_ = false;
    processos_->fecha();
}

// ---- insertion and storing ----

void RegistroProcessos::aoNovoRegistro(Tabela& t) {
    estado_ = Estado::Insercao;
    emGravacao_ = false;
    excluirJurosAoGravar_ = false;
    {
        Bandeira b(aplicandoPadroes_);
        Tabela padroes(banco_, TabelaPadroes);
        padroes.abre(ModoAbertura::SomenteLeitura);
        padroes.primeiro();
        const bool temPadroes = !padroes.vazia();
        if (temPadroes) t["Calculista"] = padroes.valor("Calculista");
        // "Arquivo" stays empty until the row is stored, when the table numbers it.
        t["Diretorio"] = conjunto_.EscolheDiretorio();
        const Data hoje = hoje_();
        t["DtGrav"] = hoje;
        t["DtBase"] = hoje;
        for (const char* c : CamposZerados) t[c] = 0.0;
        if (temPadroes) {
            for (const auto& campo : t.definicao().campos)
                if (padroes.temCampo(campo.nome)) t[campo.nome] = padroes.valor(campo.nome);
        }
    }
    // The new row has no file set yet: the interest grid closes.
    aplicaModoJuros();
}

void RegistroProcessos::naGravacao(Tabela&) {
    if (estado_ != Estado::Insercao) return;
    // The file set is created inside the transaction that stores the row:
    // after a crash there is neither the row without its files nor files
    // with a row (files left by a crash are removed at the next start).
    sincroniza();
    // A number freshly given out has no files: whatever holds it was left
    // behind by an insertion that never committed.
    conjunto_.ExcluiConjunto(conjunto_.diretorio(), conjunto_.arquivo());
    int passo = 0;
    for (const auto& p : PassosCriacao) {
        if (progresso_) progresso_(passo, p.rotulo);
        conjunto_.CriaTabela(ConjuntoCalculo::NomeCurto(p.letra, conjunto_.arquivo()), TipoDaLetra(p.letra));
        ++passo;
    }
    if (progresso_) progresso_(4, "");
}

void RegistroProcessos::depoisGravar(Tabela&) {
    emGravacao_ = false;
    if (estado_ == Estado::Insercao) {
        estado_ = Estado::Edicao;  // a later store of this row creates nothing
        sincroniza();
        arquivoMostrado_ = -2;
        modoMostrado_ = -2;
        acompanhaLinha();
        return;
    }
    if (excluirJurosAoGravar_) {
        excluirJurosAoGravar_ = false;
        if (processos_->valor("CalculoJuros").comoInteiro() != InformarVariacao && temArquivo()) {
            sincroniza();
            conjunto_.ExcluiTabela(conjunto_.CaminhoDiretorio(), ConjuntoCalculo::NomeCurto('H', conjunto_.arquivo()) + ".db");
        }
    }
    acompanhaLinha();
}

// ---- current calculation ----

bool RegistroProcessos::temArquivo() const {
    if (!processos_->aberta()) return false;
    const Valor& a = processos_->valor("Arquivo");
    return !a.nulo() && a.comoInteiro() > 0;
}

void RegistroProcessos::sincroniza() {
    const int diretorio = static_cast<int>(processos_->valor("Diretorio").comoInteiro());
    const int arquivo = temArquivo() ? static_cast<int>(processos_->valor("Arquivo").comoInteiro()) : 0;
    conjunto_.defineAtual(diretorio, arquivo);
}

void RegistroProcessos::ExigeProcesso() {
    if (!processos_->aberta() || Apara(processos_->valor("Processo").comoTexto()).empty())
        throw ErroKorva("Cadastre um processo antes de selecionar esta opção!");
}

ConjuntoCalculo& RegistroProcessos::conjunto() {
    sincroniza();
    return conjunto_;
}

std::string RegistroProcessos::NomeTabela(char letra) {
    sincroniza();
    return conjunto_.NomeTabela(letra);
}

void RegistroProcessos::CriaTabela(char letra) {
    const int tipo = TipoDaLetra(letra);
    if (tipo < 0) throw ErroKorva(std::string("Tabela desconhecida: ") + letra);
    if (!temArquivo()) throw ErroKorva("Cadastre um processo antes de selecionar esta opção!");
    sincroniza();
    conjunto_.CriaTabela(ConjuntoCalculo::NomeCurto(static_cast<char>(Maiusculas(std::string(1, letra))[0]),
                                                    conjunto_.arquivo()),
                         tipo);
}

void RegistroProcessos::PreparaTabelas(const std::string& letras) {
    ExigeProcesso();
    for (char l : letras) CriaTabela(l);
}

std::string RegistroProcessos::SProcesso() const {
    if (!processos_->aberta()) return {};
    return processos_->valor("Processo").comoTexto() + " Grupo: " + processos_->valor("CodRecte").comoTexto();
}

// The grids follow the current row: a change of row (or of its mode) reapplies
// the interest mode and reopens the additions of the new calculation.
void RegistroProcessos::acompanhaLinha() {
    if (emGravacao_ || !processos_->aberta()) return;
    const Valor& m = processos_->valor("CalculoJuros");
    const int modo = m.nulo() ? -1 : static_cast<int>(m.comoInteiro());
    const int64_t arquivo = temArquivo() ? processos_->valor("Arquivo").comoInteiro() : 0;
    const bool outraLinha = arquivo != arquivoMostrado_;
    if (outraLinha && paginaAcrescimos_) abreAcrescimos();
    if (outraLinha || modo != modoMostrado_) aplicaModoJuros();
}

// ---- additions page ----

void RegistroProcessos::abreAcrescimos() {
    if (acrescimos_) acrescimos_->fecha();
    if (acrescimos_ && antesTrocarGrades_) antesTrocarGrades_();
    legendaAcrescimos_ = " Acréscimos: ";
    if (!temArquivo() || Apara(processos_->valor("Processo").comoTexto()).empty()) return;
    CriaTabela('E');
    const std::string nome = conjunto_.NomeTabela('E');
    if (!banco_.existe(nome)) return;  // creation failed and was reported
    acrescimos_ = std::make_unique<Tabela>(banco_, nome);
    acrescimos_->abre();
    AplicaRegrasAcrescimos(*acrescimos_);
    legendaAcrescimos_ = " Acréscimos: (" + nome + ")";
}

void RegistroProcessos::entraPaginaAcrescimos() {
    paginaAcrescimos_ = true;
    abreAcrescimos();
    aplicaModoJuros();
}

void RegistroProcessos::saiPaginaAcrescimos() {
    if ((acrescimos_ && acrescimos_->aberta() && acrescimos_->editando()) ||
        (juros_ && juros_->aberta() && juros_->editando()))
        throw ErroKorva("Antes de mudar de página, cancele ou confirme a operação");
    paginaAcrescimos_ = false;
    if (acrescimos_) acrescimos_->fecha();
    fechaJuros();
}

// ---- interest mode ----

void RegistroProcessos::abreJuros() {
    fechaJuros();
    const std::string nome = conjunto_.NomeTabela('H');
    if (!banco_.existe(nome)) return;
    if (juros_ && antesTrocarGrades_) antesTrocarGrades_();
    juros_ = std::make_unique<Tabela>(banco_, nome);
    juros_->abre();
    AplicaRegrasJuros(*juros_);
}

void RegistroProcessos::fechaJuros() {
    if (juros_) juros_->fecha();
}

void RegistroProcessos::aplicaModoJuros() {
    if (!processos_->aberta()) return;
    const Valor& m = processos_->valor("CalculoJuros");
    const int modo = m.nulo() ? -1 : static_cast<int>(m.comoInteiro());
    modoMostrado_ = modo;
    arquivoMostrado_ = temArquivo() ? processos_->valor("Arquivo").comoInteiro() : 0;
    legendaJuros_ = " Juros: ";
    if (!temArquivo()) {
        // A row being inserted has no file set yet: nothing to create or delete.
        fechaJuros();
        return;
    }
    sincroniza();
    if (modo == InformarVariacao) {
        excluirJurosAoGravar_ = false;
        conjunto_.CriaTabela(ConjuntoCalculo::NomeCurto('H', conjunto_.arquivo()), TipoDaLetra('H'));
        abreJuros();
        if (juros()) legendaJuros_ = " Juros: (" + conjunto_.NomeTabela('H') + ")";
        return;
    }
    if (!juros()) return;
    fechaJuros();
    if (processos_->editando()) {
        // The mode only takes effect when the row is stored: a cancelled edit
        // keeps the variations the user entered.
        excluirJurosAoGravar_ = true;
    } else {
        conjunto_.ExcluiTabela(conjunto_.CaminhoDiretorio(), ConjuntoCalculo::NomeCurto('H', conjunto_.arquivo()) + ".db");
    }
}

std::vector<std::string> RegistroProcessos::explicacaoJuros() const { return ExplicacaoJuros(modoMostrado_); }

// ---- order and search ----

void RegistroProcessos::defineOrdem(Ordem ordem) {
    switch (ordem) {
        case Ordem::Processo: processos_->defineIndice(""); break;
        case Ordem::DtGrav: processos_->defineIndice("IndDtGrav"); break;
        case Ordem::DtAjuiz: processos_->defineIndice("IndDtAjuiz"); break;
        case Ordem::Calculista: processos_->defineIndice("IndCalculista"); break;
    }
    ordem_ = ordem;
}

std::string RegistroProcessos::pesquisa(const std::string& texto) {
    const std::string procurado = Maiusculas(Apara(texto));
    if (procurado.empty()) {
        processos_->limpaFiltro();
        return procurado;
    }
    if (ordem_ == Ordem::DtGrav || ordem_ == Ordem::DtAjuiz) {
        const auto data = Data::lerDMA(procurado);
        if (!data) throw ErroKorva("Data Inválida!");
        const std::string campo = ordem_ == Ordem::DtGrav ? "DtGrav" : "DtAjuiz";
        const Data d = *data;
        processos_->defineFiltroFuncao([campo, d](const Tabela& t) {
            const Valor& v = t.valor(campo);
            return !v.nulo() && v.comoData() == d;
        });
    } else {
        const std::string campo = ordem_ == Ordem::Processo ? "Processo" : "Calculista";
        const OpcaoPesquisa opcao = opcao_;
        processos_->defineFiltroFuncao([campo, procurado, opcao](const Tabela& t) {
            return PassaPesquisa(t.valor(campo).comoTexto(), procurado, opcao);
        });
    }
    return procurado;
}

// ---- new group and duplicate ----

void RegistroProcessos::copiaMarcadas(int diretorioOrigem, int arquivoOrigem, const Copias& copias) {
    // The destination is emptied under exclusive use: the grids let go of it first.
    const bool pagina = paginaAcrescimos_;
    fechaJuros();
    if (acrescimos_) acrescimos_->fecha();
    sincroniza();
    const std::pair<bool, char> letras[] = {{copias.periodo, 'A'},
                                            {copias.mesAMes, 'B'},
                                            {copias.basesINSS, 'D'},
                                            {copias.acrescimos, 'E'},
                                            {copias.juros, 'H'}};
    for (const auto& [marcada, letra] : letras)
        if (marcada) conjunto_.CopiaTabela(NomeNaPasta(diretorioOrigem, letra, arquivoOrigem), conjunto_.NomeTabela(letra));
    if (pagina) abreAcrescimos();
    modoMostrado_ = -2;
    acompanhaLinha();
}

int RegistroProcessos::NovoGrupo(const Copias& copias) {
    ExigeProcesso();
    Tabela& t = *processos_;
    if (t.editando()) throw ErroKorva("Antes de gerar um novo grupo, cancele ou confirme a operação");
    const std::string processo = t.valor("Processo").comoTexto();
    const int grupo = static_cast<int>(t.valor("CodRecte").comoInteiro());
    const int diretorioOrigem = static_cast<int>(t.valor("Diretorio").comoInteiro());
    const int arquivoOrigem = static_cast<int>(t.valor("Arquivo").comoInteiro());
    std::vector<std::pair<std::string, Valor>> mantidos;
    for (const char* c : CamposMantidos) mantidos.emplace_back(c, t.valor(c));

    int novo = grupo + 1;
    {
        Tabela existentes(banco_, TabelaProcessos);
        existentes.abre(ModoAbertura::SomenteLeitura);
        while (novo <= 32767 && existentes.localizaChave({Valor(processo), Valor(novo)})) ++novo;
    }
    if (novo > 32767) throw ErroKorva("Não há código de grupo livre para este processo.");

    // The new row, its file set and the copies hold or vanish together.
    Transacao tr(banco_);
    t.insere();
    try {
        {
            // Values copied from a stored row are not typed: no entry checks.
            Bandeira b(aplicandoPadroes_);
            t["Processo"] = processo;
            t["CodRecte"] = novo;
            for (const auto& [campo, valor] : mantidos) t[campo] = valor;
        }
        t.grava();
        copiaMarcadas(diretorioOrigem, arquivoOrigem, copias);
        tr.confirma();
    } catch (...) {
        if (t.editando()) t.cancela();
        throw;
    }
    return novo;
}

void RegistroProcessos::Duplicar(const std::string& processo, int codRecte, const Copias& copias) {
    ExigeProcesso();
    if (processos_->editando()) throw ErroKorva("Antes de duplicar um cálculo, cancele ou confirme a operação");
    if (IguaisSemCaixa(Apara(processo), Apara(processos_->valor("Processo").comoTexto())) &&
        codRecte == processos_->valor("CodRecte").comoInteiro())
        throw ErroKorva("Escolha um cálculo diferente do atual.");
    int diretorio = 0, arquivo = 0;
    {
        Tabela origem(banco_, TabelaProcessos);
        origem.abre(ModoAbertura::SomenteLeitura);
        if (!origem.localizaChave({Valor(processo), Valor(codRecte)}))
            throw ErroKorva("Cálculo não encontrado: " + processo + " Grupo: " + std::to_string(codRecte));
        diretorio = static_cast<int>(origem.valor("Diretorio").comoInteiro());
        arquivo = static_cast<int>(origem.valor("Arquivo").comoInteiro());
    }
    Transacao tr(banco_);
    copiaMarcadas(diretorio, arquivo, copias);
    tr.confirma();
}

}  // namespace korva
