#include "prorata/DocumentoProrrata.h"

#include <exception>
#include <string>
#include <vector>

#include "prorata/RegistrosProrrata.h"
#include "register/CamposJson.h"
#include "register/RegrasAcrescimos.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

namespace korva {
namespace {

using nlohmann::json;

// The lists of the document: key, table, order, and the fields written.
struct ListaDocumento {
    const char* chave;
    const char* tabela;
    const char* indice;
    std::vector<const char*> campos;
};
const ListaDocumento& Lista(int i) {
    static const ListaDocumento listas[] = {
        {"Parcelas", kTabelaParcelas, "", {"Data", "Valor"}},
        {"JurosProrrata", kTabelaJurosProrrata, "IndData", {"Data", "Juros", "Forma"}},
        {"AcrescProrrata", kTabelaAcrescProrrata, "IndProrrata", {"Descricao", "Valor", "Tipo", "DtBase", "Totalizar"}},
    };
    return listas[i];
}
constexpr int QtdeListas = 3;

// "Campo: message" for a refusal while storing: a rule that names its field
// (ErroCampo) is told apart from the store's own messages.
std::string Refusa(const std::string& lugar, const std::exception& e) {
    if (auto c = dynamic_cast<const ErroCampo*>(&e)) return lugar + "." + c->campo() + ": " + e.what();
    return lugar + ": " + e.what();
}

// Writes the fields of one document object into the row being inserted,
// `primeiros` first; `ignorados` are set by the owner, not by the document.
void DefineCampos(Tabela& t, const json& objeto, const std::string& lugar, const std::vector<std::string>& primeiros,
                  const std::vector<std::string>& ignorados, const std::vector<const char*>* aceitos) {
    if (!objeto.is_object()) throw ErroKorva(lugar + ": deve ser um objeto JSON.");
    const DefTabela& def = t.definicao();
    auto conhecido = [&](const std::string& nome) {
        if (!aceitos) return true;
        for (const char* a : *aceitos)
            if (nome == a) return true;
        return false;
    };
    auto define = [&](const std::string& nome, const json& valor) {
        for (const auto& i : ignorados)
            if (i == nome) return;
        const DefCampo* f = def.campo(nome);
        if (!f || !conhecido(nome)) throw ErroKorva(lugar + ": campo desconhecido: " + nome + ".");
        try {
            t[f->nome] = ValorDeJson(*f, valor);
        } catch (const std::exception& e) {
            throw ErroKorva(lugar + "." + f->nome + ": " + e.what());
        }
    };
    for (const auto& p : primeiros)
        if (objeto.contains(p)) define(p, objeto.at(p));
    for (auto it = objeto.begin(); it != objeto.end(); ++it) {
        bool feito = false;
        for (const auto& p : primeiros) feito = feito || p == it.key();
        if (!feito) define(it.key(), it.value());
    }
}

void AcrescentaLinhas(Tabela& t, const json& documento, const ListaDocumento& l) {
    if (!documento.contains(l.chave) || documento.at(l.chave).is_null()) return;
    const json& linhas = documento.at(l.chave);
    if (!linhas.is_array()) throw ErroKorva(std::string(l.chave) + ": deve ser uma lista de linhas.");
    int n = 0;
    for (const json& linha : linhas) {
        ++n;
        const std::string lugar = std::string(l.chave) + "[" + std::to_string(n) + "]";
        try {
            t.insere();
            DefineCampos(t, linha, lugar, {}, {"Prorrata", "Codigo"}, &l.campos);
            try {
                t.grava();
            } catch (const std::exception& e) {
                throw ErroKorva(Refusa(lugar, e));
            }
        } catch (...) {
            if (t.editando()) t.cancela();
            throw;
        }
    }
}

}  // namespace

json ExportaProrrata(Banco& privado, int codigo) {
    Tabela p(privado, kTabelaProrrata);
    p.abre(ModoAbertura::SomenteLeitura);
    p.defineIndice("");
    if (!p.localizaChave({Valor(codigo)}))
        throw ErroKorva("Registro de atualização prorrata não encontrado: código " + std::to_string(codigo) + ".");
    json doc = json::object();
    json registro = json::object();
    for (const auto& f : p.definicao().campos) {
        if (f.nome == "Codigo") continue;
        registro[f.nome] = ValorParaJson(f, p.valor(f.nome));
    }
    doc["Prorrata"] = std::move(registro);
    for (int i = 0; i < QtdeListas; ++i) {
        const ListaDocumento& l = Lista(i);
        Tabela t(privado, l.tabela);
        t.abre(ModoAbertura::SomenteLeitura);
        t.defineIndice(l.indice);
        t.defineFiltroFuncao([codigo](const Tabela& tab) { return tab.valor("Prorrata").comoInteiro() == codigo; });
        json linhas = json::array();
        for (t.primeiro(); !t.fim(); t.proximo()) {
            json linha = json::object();
            for (const char* c : l.campos) linha[c] = ValorParaJson(*t.definicao().campo(c), t.valor(c));
            linhas.push_back(std::move(linha));
        }
        doc[l.chave] = std::move(linhas);
    }
    return doc;
}

int ImportaProrrata(Banco& privado, const AjustesRegistro& ajustes, const json& documento, Data hoje) {
    if (!documento.is_object()) throw ErroKorva("O documento do registro prorrata deve ser um objeto JSON.");
    if (!documento.contains("Prorrata") || !documento.at("Prorrata").is_object())
        throw ErroKorva("O documento do registro prorrata não tem o objeto Prorrata.");
    for (auto it = documento.begin(); it != documento.end(); ++it) {
        bool conhecida = it.key() == "Prorrata";
        for (int i = 0; i < QtdeListas; ++i) conhecida = conhecida || it.key() == Lista(i).chave;
        if (!conhecida) throw ErroKorva("Lista desconhecida no documento: " + it.key() + ".");
    }
    for (int i = 0; i < QtdeListas; ++i) {
        const char* chave = Lista(i).chave;
        if (documento.contains(chave) && !documento.at(chave).is_null() && !documento.at(chave).is_array())
            throw ErroKorva(std::string(chave) + ": deve ser uma lista de linhas.");
    }

    RegistrosProrrata reg(privado, ajustes, [hoje] { return hoje; });
    reg.abre();
    const json& acresc = documento.contains("AcrescProrrata") ? documento.at("AcrescProrrata") : json();
    reg.defineCopiaAcrescimosPadrao(acresc.is_null());
    Tabela& t = reg.registros();
    int codigo = 0;
    {
        Transacao tr(privado);
        try {
            t.insere();
            DefineCampos(t, documento.at("Prorrata"), "Prorrata", {"Processo"}, {"Codigo"}, nullptr);
            try {
                t.grava();
            } catch (const std::exception& e) {
                throw ErroKorva(Refusa("Prorrata", e));
            }
            codigo = reg.codigoAtual();
            AcrescentaLinhas(reg.parcelas(), documento, Lista(0));
            reg.abreParametros();
            AcrescentaLinhas(*reg.juros(), documento, Lista(1));
            AcrescentaLinhas(*reg.acrescimos(), documento, Lista(2));
            tr.confirma();
        } catch (...) {
            if (t.editando()) t.cancela();
            throw;
        }
    }
    reg.fechaParametros();
    reg.fecha();
    return codigo;
}

}  // namespace korva
