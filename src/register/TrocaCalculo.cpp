#include "register/TrocaCalculo.h"

#include "register/ConferenciaConjunto.h"

#include <exception>
#include <optional>
#include <utility>
#include <vector>

#include "parameters/BasesINSS.h"
#include "parameters/BasesSalariais.h"
#include "parameters/CalculaDtBase.h"
#include "parameters/ParametrosMensais.h"
#include "parameters/ParametrosPeriodo.h"
#include "register/CamposJson.h"
#include "register/Partes.h"
#include "register/RegrasAcrescimos.h"
#include "register/RegrasJuros.h"
#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "timecards/Cartoes.h"
#include "timecards/Horarios.h"
#include "timecards/Jornadas.h"
#include "util/Erros.h"

namespace korva {
namespace {

using nlohmann::json;

constexpr const char* TabelaProcessos = "Processo.DB";

// The arrays of the document, their letters in the file set, in the order an
// import stores them.
struct TabelaDocumento {
    const char* chave;
    char letra;
};
constexpr TabelaDocumento Tabelas[] = {
    {"Partes", 'C'},   {"Arquivo1", 'A'},   {"Arquivo2", 'B'}, {"BasesINSS", 'D'},
    {"BasesSalariais", 'I'}, {"Acrescimos", 'E'}, {"Juros", 'H'}, {"Jornada", 'F'}, {"Cartao", 'G'},
};

bool CampoLocal(const std::string& nome) { return nome == "Diretorio" || nome == "Arquivo"; }

// Times of day and durations (schedules and time cards) travel as "hh:nn".
json ValorDocumento(const DefCampo& f, const Valor& v) {
    if (f.tipo == TipoCampo::Time && !v.nulo()) return TextoHorario(v.comoNumero());
    return ValorParaJson(f, v);
}

// The fields of a stored row, without the local identity.
json LinhaJson(const Tabela& t, bool processo) {
    json linha = json::object();
    for (const auto& f : t.definicao().campos) {
        if (processo ? CampoLocal(f.nome) : f.tipo == TipoCampo::Autoinc) continue;
        linha[f.nome] = ValorDocumento(f, t.valor(f.nome));
    }
    return linha;
}

// A time field of the document: "hh:nn" (or null) becomes the fraction of a
// day the table stores; anything else is refused, naming the field.
json HorarioDoDocumento(const DefCampo& f, const json& valor) {
    if (valor.is_null()) return valor;
    if (valor.is_string())
        if (auto h = LeHorario(valor.get<std::string>())) return *h;
    throw ErroKorva("Valor inválido para o campo " + f.nome + ": " + valor.dump() + " (esperado um horário hh:nn).");
}

// Writes the fields of a document object into the row being edited: the
// `primeiros` first (their changes fill in others), then the rest.
void DefineCampos(Tabela& t, const json& objeto, const std::vector<std::string>& primeiros, bool processo) {
    if (!objeto.is_object()) throw ErroKorva("A linha deve ser um objeto JSON.");
    const DefTabela& def = t.definicao();
    auto define = [&](const std::string& nome, const json& valor) {
        const DefCampo* f = def.campo(nome);
        if (!f) throw ErroKorva("Campo desconhecido: " + nome + ".");
        if (processo ? CampoLocal(f->nome) : f->tipo == TipoCampo::Autoinc) return;
        if (f->tipo == TipoCampo::Time)
            DefineCampoJson(t, *f, HorarioDoDocumento(*f, valor));
        else
            DefineCampoJson(t, *f, valor);
    };
    for (const auto& p : primeiros)
        if (objeto.contains(p)) define(p, objeto.at(p));
    for (auto it = objeto.begin(); it != objeto.end(); ++it) {
        bool jaDefinido = false;
        for (const auto& p : primeiros) jaDefinido = jaDefinido || p == it.key();
        if (!jaDefinido) define(it.key(), it.value());
    }
}

// Appends the rows of one array through the rules attached to `t`.
void AcrescentaLinhas(Tabela& t, const json& documento, const char* chave,
                      const std::vector<std::string>& primeiros = {}) {
    if (!documento.contains(chave) || documento.at(chave).is_null()) return;
    const json& linhas = documento.at(chave);
    if (!linhas.is_array()) throw ErroKorva(std::string(chave) + ": deve ser uma lista de linhas.");
    // One transaction per table: a refused row leaves the table as it was,
    // and a long list is not written row by row to the disk.
    Transacao tr(t.banco());
    int n = 0;
    for (const json& linha : linhas) {
        ++n;
        try {
            t.insere();
            DefineCampos(t, linha, primeiros, false);
            t.grava();
        } catch (const std::exception& e) {
            const std::string texto = std::string(chave) + ", linha " + std::to_string(n) + ": " + MensagemLinha(e);
            if (t.editando()) t.cancela();
            throw ErroKorva(texto);
        }
    }
    tr.confirma();
}

// Removes every row of a table of the new calculation (the initial rows a
// recipe creates), before the document's rows replace them.
void EsvaziaLinhas(Banco& banco, const std::string& nome) {
    Tabela t(banco, nome);
    t.abre();
    t.primeiro();
    while (!t.vazia()) {
        t.primeiro();
        t.exclui();
    }
    t.fecha();
}

// An array that is present must be a list, even when it is not read.
void ConfereLista(const json& documento, const char* chave) {
    if (documento.contains(chave) && !documento.at(chave).is_null() && !documento.at(chave).is_array())
        throw ErroKorva(std::string(chave) + ": deve ser uma lista de linhas.");
}

bool TemLinhas(const json& documento, const char* chave) {
    return documento.contains(chave) && documento.at(chave).is_array() && !documento.at(chave).empty();
}

OpcoesCalculo OpcoesDe(const Tabela& p) {
    OpcoesCalculo o;
    auto inteiro = [&](const char* c) { return p.valor(c).nulo() ? 0 : static_cast<int>(p.valor(c).comoInteiro()); };
    auto logico = [&](const char* c) { return !p.valor(c).nulo() && p.valor(c).comoLogico(); };
    o.dataBasePadrao = inteiro("DataBasePadrao");
    o.feriadosNacionais = logico("AtualizaFeriadosNacionais");
    o.feriadosEstaduais = logico("AtualizaFeriadosEstaduais");
    o.feriadosMunic = inteiro("AtualizaFeriadosMunic");
    return o;
}

void ImportaLinhas(Banco& banco, TabelasReferencia& referencia, RegistroProcessos& reg, const json& doc) {
    Tabela& p = reg.processos();
    const std::string processo = p.valor("Processo").comoTexto();
    const int arquivo = static_cast<int>(p.valor("Arquivo").comoInteiro());

    {
        Partes partes(banco, reg.conjunto().NomeDiretorio(), processo, arquivo);
        partes.abre();
        AcrescentaLinhas(partes.tabela(), doc, "Partes", {"TipoDocumento", "Sequencial"});
        partes.fecha();
    }
    {
        ParametrosPeriodo periodo(banco, reg.NomeTabela('A'), OpcoesDe(p));
        periodo.abre();
        AcrescentaLinhas(periodo.tabela(), doc, "Arquivo1", {"Item", "VFM"});
        periodo.fecha();
    }
    // Month rows go through the month grid's rules as the calculation stores
    // them: difference rows and the Valor of item 4 are accepted, DtBase is
    // recomputed from the row's standard code, and the document's Calculado
    // is kept (a new row starts uncalculated; the field is written after).
    if (TemLinhas(doc, "Arquivo2")) {
        const CalculoDtBase dtBase(referencia, OpcoesDe(p));
        ParametrosMensais mensais(banco, reg.NomeTabela('B'), dtBase);
        mensais.abre();
        mensais.defineCalculando(true);
        AcrescentaLinhas(mensais.tabela(), doc, "Arquivo2", {"Item", "VFM"});
        mensais.defineCalculando(false);
        mensais.tabela().fecha();
    } else {
        ConfereLista(doc, "Arquivo2");
    }
    if (TemLinhas(doc, "BasesINSS")) {
        reg.CriaTabela('D');
        BasesINSS bases(banco, reg.NomeTabela('D'), reg.NomeTabela('B'));
        bases.abre();
        AcrescentaLinhas(bases.tabela(), doc, "BasesINSS", {"Ano", "Mes"});
        bases.fecha();
    } else {
        ConfereLista(doc, "BasesINSS");
    }
    if (TemLinhas(doc, "BasesSalariais")) {
        reg.CriaTabela('I');
        BasesSalariais bases(banco, reg.NomeTabela('I'));
        bases.abre();
        AcrescentaLinhas(bases.tabela(), doc, "BasesSalariais", {"Ano", "Mes"});
        bases.fecha();
    } else {
        ConfereLista(doc, "BasesSalariais");
    }
    // Additions and interest variation: the document's rows replace what the
    // creation of the file set put there.
    if (doc.contains("Acrescimos") && !doc.at("Acrescimos").is_null()) {
        reg.CriaTabela('E');
        EsvaziaLinhas(banco, reg.NomeTabela('E'));
        Tabela t(banco, reg.NomeTabela('E'));
        t.abre();
        AplicaRegrasAcrescimos(t);
        AcrescentaLinhas(t, doc, "Acrescimos");
        t.fecha();
    }
    if (TemLinhas(doc, "Juros")) {
        reg.CriaTabela('H');
        EsvaziaLinhas(banco, reg.NomeTabela('H'));
        Tabela t(banco, reg.NomeTabela('H'));
        t.abre();
        AplicaRegrasJuros(t);
        AcrescentaLinhas(t, doc, "Juros");
        t.fecha();
    } else {
        ConfereLista(doc, "Juros");
    }
    // Schedules and cards through their table rules (defaults of a new
    // schedule, Apuracao and Situacao in capitals, the period of a schedule);
    // a card outside every schedule's period is stored as it stands.
    if (TemLinhas(doc, "Jornada")) {
        reg.CriaTabela('F');
        Tabela t(banco, reg.NomeTabela('F'));
        t.abre();
        AplicaRegrasJornada(t);
        AcrescentaLinhas(t, doc, "Jornada");
        t.fecha();
    } else {
        ConfereLista(doc, "Jornada");
    }
    if (TemLinhas(doc, "Cartao")) {
        reg.CriaTabela('G');
        Tabela t(banco, reg.NomeTabela('G'));
        t.abre();
        AplicaRegrasCartao(t);
        AcrescentaLinhas(t, doc, "Cartao");
        t.fecha();
    } else {
        ConfereLista(doc, "Cartao");
    }
}

}  // namespace

bool LocalizaCalculo(Tabela& processos, const std::string& processo, int codRecte) {
    return processos.localiza({"Processo", "CodRecte"}, {Valor(processo), Valor(codRecte)});
}

json ExportaCalculo(Banco& privado, const std::string& processo, int codRecte) {
    Tabela p(privado, TabelaProcessos);
    p.abre(ModoAbertura::SomenteLeitura);
    if (!LocalizaCalculo(p, processo, codRecte))
        throw ErroKorva("Cálculo não encontrado: processo " + processo + ", grupo " + std::to_string(codRecte) + ".");
    json doc = json::object();
    doc["Processo"] = LinhaJson(p, true);
    ConjuntoCalculo conjunto(privado, [] { return 100; });
    conjunto.defineAtual(static_cast<int>(p.valor("Diretorio").comoInteiro()),
                         static_cast<int>(p.valor("Arquivo").comoInteiro()));
    // The document lists every table's rows: a table that is missing or
    // cannot be read fails here, never comes out as an empty list.
    std::string letras;
    for (const auto& tab : Tabelas) letras += tab.letra;
    ConfereTabelasConjunto(privado, conjunto.diretorio(), conjunto.arquivo(), letras);
    for (const auto& tab : Tabelas) {
        json linhas = json::array();
        const std::string nome = conjunto.NomeTabela(tab.letra);
        if (privado.existe(nome)) {
            Tabela t(privado, nome);
            t.abre(ModoAbertura::SomenteLeitura);
            t.defineIndice("");
            for (t.primeiro(); !t.fim(); t.proximo()) {
                json linha = LinhaJson(t, false);
                // A card's Situacao is "F" or "", never null.
                if (tab.letra == 'G' && linha.value("Situacao", json()).is_null()) linha["Situacao"] = "";
                linhas.push_back(std::move(linha));
            }
        }
        doc[tab.chave] = std::move(linhas);
    }
    return doc;
}

CalculoImportado ImportaCalculo(Banco& privado, TabelasReferencia& referencia, const AjustesRegistro& ajustes,
                                const json& documento,
                                RegistroProcessos::Hoje hoje) {
    if (!documento.is_object()) throw ErroKorva("O documento do cálculo deve ser um objeto JSON.");
    if (!documento.contains("Processo") || !documento.at("Processo").is_object())
        throw ErroKorva("O documento do cálculo não tem o objeto Processo.");
    for (auto it = documento.begin(); it != documento.end(); ++it) {
        bool conhecida = it.key() == "Processo";
        for (const auto& tab : Tabelas) conhecida = conhecida || it.key() == tab.chave;
        if (!conhecida) throw ErroKorva("Tabela desconhecida no documento: " + it.key() + ".");
    }

    RegistroProcessos reg(privado, ajustes, {}, std::move(hoje));
    reg.abre();
    Tabela& p = reg.processos();
    const json& proc = documento.at("Processo");

    p.insere();
    try {
        DefineCampos(p, proc, {"Processo", "CodRecte"}, true);
    } catch (const std::exception& e) {
        const std::string texto = "Processo: " + MensagemLinha(e);
        p.cancela();
        throw ErroKorva(texto);
    }
    CalculoImportado r;
    r.processo = p.valor("Processo").comoTexto();
    r.codRecte = p.valor("CodRecte").nulo() ? 0 : static_cast<int>(p.valor("CodRecte").comoInteiro());
    {
        // A second register would see the row being inserted only after it is stored.
        Tabela outra(privado, TabelaProcessos);
        outra.abre(ModoAbertura::SomenteLeitura);
        if (LocalizaCalculo(outra, r.processo, r.codRecte)) {
            p.cancela();
            throw ErroKorva("Já existe o cálculo do processo " + r.processo + ", grupo " + std::to_string(r.codRecte) +
                            ".");
        }
    }
    // The row, its file set and every table of the document are one
    // transaction: a failure or a crash leaves no trace of the calculation.
    try {
        Transacao tr(privado);
        try {
            p.grava();
        } catch (const std::exception& e) {
            throw ErroKorva("Processo: " + MensagemLinha(e));
        }
        r.diretorio = static_cast<int>(p.valor("Diretorio").comoInteiro());
        r.arquivo = static_cast<int>(p.valor("Arquivo").comoInteiro());
        ImportaLinhas(privado, referencia, reg, documento);
        tr.confirma();
    } catch (...) {
        if (p.editando()) p.cancela();
        throw;
    }
    reg.fecha();
    return r;
}

}  // namespace korva
