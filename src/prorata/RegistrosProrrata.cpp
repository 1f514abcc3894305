#include "prorata/RegistrosProrrata.h"

#include <exception>
#include <utility>
#include <vector>

#include "app/Validacoes.h"
#include "register/RegrasAcrescimos.h"
#include "register/RegrasJuros.h"
#include "storage/Banco.h"
#include "storage/Excecoes.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {
namespace {

constexpr const char* ValorInvalido = "Valor Inválido para o Campo!";
constexpr const char* CampoObrigatorio = "Campo obrigatório não preenchido ou preenchido incorretamente.";

// The options a new record takes from the defaults row; ValorJuros and
// ValorFGTS are not among them: a new record starts both at 0.
constexpr const char* CamposDoPadrao[] = {"ComJuros",        "JurosConstantes",   "UsarJurosPadrao", "Indice",
                                          "FormaAbatimento", "CalcularJurosFGTS", "Obs",             "ObsFinal"};

// The legal interest rows: last day on which each rate applies.
struct JuroLegal {
    int ano, mes, dia;
    double juros;
    const char* forma;
};
constexpr JuroLegal JurosLegaisPadrao[] = {
    {1987, 2, 26, 0.5, "S"},
    {1991, 3, 3, 1.0, "C"},
    {2020, 12, 31, 1.0, "S"},
};

// A party's name cut to the width of Parte1 / Parte2 (the parties table
// allows longer names than the record keeps).
std::string CortaNome(const std::string& nome, size_t largura) {
    std::u32string u = ParaU32(nome);
    if (u.size() > largura) u.resize(largura);
    return AparaDireita(ParaUtf8(u));
}

int CodigoDe(const Tabela& t) {
    if (!t.aberta() || t.estado() == EstadoTabela::Insercao || t.posicao() < 0) return 0;
    const Valor& v = t.valor("Codigo");
    return v.nulo() ? 0 : static_cast<int>(v.comoInteiro());
}

// A one-letter code in capitals, and only one of `aceitos`.
void AplicaLetra(Tabela& t, const std::string& campo, std::string aceitos) {
    t.validaCampo(campo, [aceitos](Tabela&, const Valor& novo) {
        if (novo.nulo()) return;  // an empty code is caught as a required field when stored
        const std::string letra = Maiusculas(novo.comoTexto());
        if (letra.size() != 1 || aceitos.find(letra[0]) == std::string::npos) throw ErroKorva(ValorInvalido);
    });
    t.aoAlterarCampo(campo, [campo](Tabela& tab) {
        const Valor& v = tab.valor(campo);
        if (v.nulo()) return;
        const std::string maiusculo = Maiusculas(v.comoTexto());
        if (maiusculo != v.comoTexto()) tab[campo] = maiusculo;
    });
}

void AplicaModoJuros(Tabela& t, int maximo) {
    t.validaCampo("UsarJurosPadrao", [maximo](Tabela&, const Valor& novo) {
        if (novo.nulo()) return;
        const int64_t m = novo.comoInteiro();
        if (m < 0 || m > maximo) throw ErroKorva(ValorInvalido);
    });
}

}  // namespace

// ---- rules shared with the defaults dialog ----

void AplicaRegrasAcrescProrrata(Tabela& t, std::function<int()> codigo) {
    AplicaLetra(t, "Tipo", "VP");
    const bool temDono = t.temCampo("Prorrata");
    t.aoNovoRegistro = [codigo, temDono](Tabela& tab) {
        if (temDono && codigo) tab["Prorrata"] = codigo();
        tab["Valor"] = 0.0;
        tab["Totalizar"] = true;
    };
    t.antesGravar = [](Tabela& tab) {
        if (tab.valor("Tipo").comoTexto() == "P") {
            if (!tab.valor("DtBase").nulo()) tab["DtBase"].limpa();
        } else if (tab.valor("DtBase").nulo()) {
            throw ErroCampo(CampoObrigatorio, "DtBase");
        }
    };
}

void AplicaRegrasJurosProrrata(Tabela& t, std::function<int()> codigo) {
    AplicaRegrasJuros(t);
    t.aoNovoRegistro = [codigo](Tabela& tab) {
        if (codigo) tab["Prorrata"] = codigo();
    };
}

void AplicaRegrasOpcoesProrrata(Tabela& t, int modoMaximo) {
    AplicaLetra(t, "FormaAbatimento", "JP");
    AplicaModoJuros(t, modoMaximo);
}

void PreencheNovoProrrata(Banco& privado, Tabela& t, Data hoje) {
    t["DtFinal"] = hoje;
    t["Valor"] = 0.0;
    t["ValorJuros"] = 0.0;
    t["ValorFGTS"] = 0.0;
    bool achou = false;
    if (privado.existe(kTabelaDefProrrata)) {
        Tabela padrao(privado, kTabelaDefProrrata);
        padrao.abre(ModoAbertura::SomenteLeitura);
        padrao.primeiro();
        if (!padrao.vazia()) {
            achou = true;
            for (const char* c : CamposDoPadrao) t[c] = padrao.valor(c);
        }
        padrao.fecha();
    }
    if (!achou) {
        // No defaults row (a damaged or emptied table): the options of a record
        // read from the court-payments document without them.
        t["ComJuros"] = true;
        t["JurosConstantes"] = true;
        t["UsarJurosPadrao"] = 0;
        t["Indice"] = 1;
        t["FormaAbatimento"] = "J";
        t["CalcularJurosFGTS"] = false;
    }
}

int CopiaAcrescimosPadrao(Banco& privado, int codigo) {
    if (!privado.existe(kTabelaDefAcrescProrrata)) return 0;
    Tabela origem(privado, kTabelaDefAcrescProrrata);
    origem.abre(ModoAbertura::SomenteLeitura);
    origem.defineIndice("");
    if (origem.vazia()) return 0;
    Tabela destino(privado, kTabelaAcrescProrrata);
    destino.abre();
    Transacao tr(privado);
    int n = 0;
    for (origem.primeiro(); !origem.fim(); origem.proximo()) {
        destino.insere();
        destino["Prorrata"] = codigo;
        for (const char* c : {"Descricao", "Valor", "Tipo", "DtBase", "Totalizar"}) destino[c] = origem.valor(c);
        destino.grava();
        ++n;
    }
    tr.confirma();
    return n;
}

// ---- the records ----

struct RegistrosProrrata::Impl {
    Banco& banco;
    AjustesRegistro ajustes;
    Hoje hoje;
    std::unique_ptr<Tabela> juros, acrescimos;
    int mostrado = -1;  // the Codigo whose child rows are shown
    std::function<void()> aoMudarRegistro;

    Impl(Banco& b, AjustesRegistro a, Hoje h) : banco(b), ajustes(std::move(a)), hoje(std::move(h)) {}
};

RegistrosProrrata::RegistrosProrrata(Banco& privado, AjustesRegistro ajustes, Hoje hoje)
    : impl_(std::make_unique<Impl>(privado, std::move(ajustes), std::move(hoje))),
      registros_(std::make_unique<Tabela>(privado, kTabelaProrrata)),
      parcelas_(std::make_unique<Tabela>(privado, kTabelaParcelas)) {}

RegistrosProrrata::~RegistrosProrrata() = default;

void RegistrosProrrata::abre() {
    Tabela& t = *registros_;
    t.abre();
    t.defineIndice("IndProcesso");
    t.aoNovoRegistro = [this](Tabela& tab) { PreencheNovoProrrata(impl_->banco, tab, impl_->hoje()); };
    // The default additions join the transaction that stores the new record:
    // there is never a record without them, nor additions without a record.
    t.naGravacao = [this](Tabela& tab) {
        if (tab.estado() != EstadoTabela::Insercao || !copiaPadrao_) return;
        CopiaAcrescimosPadrao(impl_->banco, static_cast<int>(tab.valor("Codigo").comoInteiro()));
    };
    t.depoisInserir = [this](Tabela&) { acompanha(); };
    t.depoisRolar = [this](Tabela&) { acompanha(); };
    t.validaCampo("Processo", [this](Tabela&, const Valor& novo) {
        const std::string numero = novo.nulo() ? std::string() : Maiusculas(novo.comoTexto());
        ValidaNumeroProcesso(numero, impl_->ajustes.mascara1, impl_->ajustes.mascara2, impl_->ajustes.mascara3);
    });
    t.aoAlterarCampo("Processo", [](Tabela& tab) {
        const Valor& v = tab.valor("Processo");
        if (v.nulo()) return;
        const std::string maiusculo = Maiusculas(v.comoTexto());
        if (maiusculo != v.comoTexto()) tab["Processo"] = maiusculo;
    });
    AplicaRegrasOpcoesProrrata(t, 2);

    Tabela& p = *parcelas_;
    p.abre();
    p.defineIndice("");
    p.antesInserir = [this](Tabela&) {
        ExigeProcesso();
        // An instalment needs the Codigo of its record: a record still being
        // typed is stored first.
        if (registros_->editando()) registros_->grava();
        if (codigoAtual() == 0) throw ErroKorva(kMsgCadastreProcesso);
    };
    p.aoNovoRegistro = [this](Tabela& tab) {
        tab["Prorrata"] = codigoAtual();
        tab["Valor"] = 0.0;
    };
    impl_->mostrado = -1;
    acompanha();
}

void RegistrosProrrata::fecha() {
    if (registroOuParcelaEditando()) OperacaoPendente(0);
    fechaParametros();
    parcelas_->fecha();
    registros_->fecha();
    impl_->mostrado = -1;
}

void RegistrosProrrata::abreParametros() {
    if (!registros_->aberta()) throw ErroKorva("A tabela " + std::string(kTabelaProrrata) + " não está aberta");
    auto codigo = [this] { return codigoAtual(); };
    auto exigeRegistro = [this](Tabela&) {
        ExigeProcesso();
        if (codigoAtual() == 0) throw ErroKorva(kMsgCadastreProcesso);
    };
    if (!impl_->juros) impl_->juros = std::make_unique<Tabela>(impl_->banco, kTabelaJurosProrrata);
    if (!impl_->acrescimos) impl_->acrescimos = std::make_unique<Tabela>(impl_->banco, kTabelaAcrescProrrata);
    Tabela& j = *impl_->juros;
    if (!j.aberta()) {
        j.abre();
        j.defineIndice("IndData");
        AplicaRegrasJurosProrrata(j, codigo);
        j.antesInserir = exigeRegistro;
    }
    Tabela& a = *impl_->acrescimos;
    if (!a.aberta()) {
        a.abre();
        a.defineIndice("IndProrrata");
        AplicaRegrasAcrescProrrata(a, codigo);
        a.antesInserir = exigeRegistro;
    }
    impl_->mostrado = -1;
    acompanha();
}

void RegistrosProrrata::fechaParametros() {
    if (impl_->juros) impl_->juros->fecha();
    if (impl_->acrescimos) impl_->acrescimos->fecha();
}

Tabela* RegistrosProrrata::juros() { return impl_->juros && impl_->juros->aberta() ? impl_->juros.get() : nullptr; }

Tabela* RegistrosProrrata::acrescimos() {
    return impl_->acrescimos && impl_->acrescimos->aberta() ? impl_->acrescimos.get() : nullptr;
}

void RegistrosProrrata::defineAoMudarRegistro(std::function<void()> f) { impl_->aoMudarRegistro = std::move(f); }

// The child tables show the rows of the record shown: on a change of record
// each is filtered anew (which also rereads it).
void RegistrosProrrata::acompanha(bool forcado) {
    if (!registros_->aberta()) return;
    const int codigo = codigoAtual();
    if (!forcado && codigo == impl_->mostrado) return;
    impl_->mostrado = codigo;
    auto segue = [codigo](Tabela* t) {
        if (!t || !t->aberta()) return;
        // A child row being typed belongs to the record that was shown.
        if (t->editando()) t->cancela();
        t->defineFiltroFuncao(
            [codigo](const Tabela& tab) { return codigo > 0 && tab.valor("Prorrata").comoInteiro() == codigo; });
    };
    segue(parcelas_.get());
    segue(juros());
    segue(acrescimos());
    if (impl_->aoMudarRegistro) impl_->aoMudarRegistro();
}

bool RegistrosProrrata::inserindo() const {
    return registros_->aberta() && registros_->estado() == EstadoTabela::Insercao;
}

namespace {
bool Editando(const Tabela* t) { return t && t->aberta() && t->editando(); }
}  // namespace

bool RegistrosProrrata::algumEditando() const {
    return Editando(registros_.get()) || Editando(parcelas_.get()) || Editando(impl_->juros.get()) ||
           Editando(impl_->acrescimos.get());
}

bool RegistrosProrrata::registroOuParcelaEditando() const {
    return Editando(registros_.get()) || Editando(parcelas_.get());
}

bool RegistrosProrrata::parametrosEditando() const {
    return Editando(registros_.get()) || Editando(impl_->juros.get()) || Editando(impl_->acrescimos.get());
}

int RegistrosProrrata::codigoAtual() const { return CodigoDe(*registros_); }

void RegistrosProrrata::ExigeProcesso() const {
    if (!registros_->aberta()) throw ErroKorva(kMsgCadastreProcesso);
    const Valor& v = registros_->valor("Processo");
    if (v.nulo() || Apara(v.comoTexto()).empty()) throw ErroKorva(kMsgCadastreProcesso);
}

void RegistrosProrrata::pesquisa(const std::string& texto) {
    const std::string numero = Maiusculas(Apara(texto));
    if (numero.empty()) return;
    if (!registros_->localizaChave({Valor(numero)})) throw ErroKorva(kMsgProcessoNaoEncontrado);
}

void RegistrosProrrata::excluiRegistro() {
    Tabela& t = *registros_;
    if (t.estado() == EstadoTabela::Insercao) {
        t.cancela();
        return;
    }
    if (t.editando()) t.cancela();
    const int codigo = codigoAtual();
    if (codigo == 0) throw ErroDados("Não há registro para excluir na tabela " + std::string(kTabelaProrrata));
    for (Tabela* filho : {parcelas_.get(), juros(), acrescimos()})
        if (filho && filho->editando()) filho->cancela();

    // The child rows and the record go in one transaction.
    static constexpr const char* Filhas[] = {kTabelaParcelas, kTabelaAcrescProrrata, kTabelaJurosProrrata};
    {
        // A child table that another user holds for himself (a repair, an
        // exclusive opening) refuses the deletion before anything goes.
        std::vector<std::unique_ptr<TravaTabela>> usos;
        for (const char* f : Filhas)
            usos.push_back(std::make_unique<TravaTabela>(impl_->banco.caminho(f), TravaTabela::Modo::Compartilhado));
        Transacao tr(impl_->banco);
        for (const char* f : Filhas)
            impl_->banco.executa(f, "Delete from Tabela where Prorrata = " + std::to_string(codigo));
        t.exclui();
        tr.confirma();
    }
    acompanha(true);
}

void RegistrosProrrata::jurosLegais() {
    Tabela* j = juros();
    if (!j) throw ErroKorva("Abra a página de parâmetros antes de usar os juros legais.");
    if (j->editando()) j->cancela();
    ExigeProcesso();
    if (codigoAtual() == 0) throw ErroKorva(kMsgCadastreProcesso);
    Transacao tr(impl_->banco);
    try {
        // The dataset shows exactly this record's variations.
        j->primeiro();
        while (!j->vazia()) {
            j->primeiro();
            j->exclui();
        }
        for (const auto& l : JurosLegaisPadrao) {
            j->insere();
            (*j)["Data"] = Data::de(l.ano, l.mes, l.dia);
            (*j)["Juros"] = l.juros;
            (*j)["Forma"] = l.forma;
            j->grava();
        }
        tr.confirma();
    } catch (...) {
        if (j->editando()) j->cancela();
        throw;
    }
    // A rolled-back change leaves the dataset to be read again.
    j->atualiza();
    j->primeiro();
}

int RegistrosProrrata::importaCalculo(const ListaProcessos::Escolha& escolha) {
    Tabela& t = *registros_;
    if (!t.aberta()) throw ErroKorva("A tabela " + std::string(kTabelaProrrata) + " não está aberta");
    int codigo = 0;
    // The record, its default additions and the additions of the calculation
    // hold or vanish together.
    Transacao tr(impl_->banco);
    try {
        t.insere();
        t["Processo"] = escolha.processo;
        t["CodRecte"] = escolha.codRecte;
        t["DtAjuiz"] = escolha.dtAjuiz;
        t["Valor"] = escolha.total;
        t["DtBase"] = escolha.dtBase;

        std::string parte1, parte2;
        bool leu = false;
        try {
            Tabela partes(impl_->banco, escolha.NomeTabela('C'));
            partes.abre(ModoAbertura::SomenteLeitura);
            partes.defineIndice("IndParte");
            for (partes.primeiro(); !partes.fim() && (parte1.empty() || parte2.empty()); partes.proximo()) {
                const int64_t tipo = partes.valor("TipoParte").comoInteiro();
                const std::string nome = partes.valor("Nome").comoTexto();
                if (tipo == 1 && parte1.empty()) parte1 = nome;
                if (tipo == 3 && parte2.empty()) parte2 = nome;
            }
            partes.fecha();
            leu = true;
        } catch (const std::exception&) {
            // The parties are a convenience: the record goes on without them.
        }
        if (leu) {
            const DefCampo* campo = t.definicao().campo("Parte1");
            const size_t largura = campo ? static_cast<size_t>(campo->tamanho) : 45;
            if (!parte1.empty()) t["Parte1"] = CortaNome(parte1, largura);
            if (!parte2.empty()) t["Parte2"] = CortaNome(parte2, largura);
        }
        t.grava();
        codigo = codigoAtual();

        const auto& imp = escolha.importacao;
        if (imp.contribuicaoEmpresa || imp.impostoRenda) {
            std::unique_ptr<Tabela> propria;
            Tabela* a = acrescimos();
            if (!a) {
                propria = std::make_unique<Tabela>(impl_->banco, kTabelaAcrescProrrata);
                propria->abre();
                AplicaRegrasAcrescProrrata(*propria, [codigo] { return codigo; });
                a = propria.get();
            }
            auto acrescenta = [&](const std::string& descricao, double valor) {
                a->insere();
                (*a)["Prorrata"] = codigo;
                (*a)["Descricao"] = descricao;
                (*a)["Valor"] = valor;
                (*a)["Tipo"] = "V";
                (*a)["DtBase"] = escolha.dtBase;
                (*a)["Totalizar"] = true;
                a->grava();
            };
            if (imp.contribuicaoEmpresa) {
                const double base = escolha.totalBaseINSS;
                double valor = base * escolha.inssReclamado / 100 + base * escolha.inssRisco / 100 +
                               base * escolha.inssTerceiros / 100;
                std::string descricao = "Contribuição Previdenciária";
                if (escolha.adicionarINSSRecte) {
                    valor += escolha.valorINSSReclamante;
                    descricao = "INSS - Parcela do Autor incluida";
                }
                acrescenta(descricao, valor);
            }
            if (imp.impostoRenda) acrescenta("Imposto de Renda", escolha.valorTotalIR);
        }
        tr.confirma();
    } catch (...) {
        if (t.editando()) t.cancela();
        if (Tabela* a = acrescimos(); a && a->editando()) a->cancela();
        throw;
    }
    acompanha(true);
    return codigo;
}

}  // namespace korva
