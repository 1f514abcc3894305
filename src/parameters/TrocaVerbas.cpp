#include "parameters/TrocaVerbas.h"

#include <set>
#include <string>
#include <vector>

#include "parameters/Catalogo.h"
#include "parameters/CodigosVerba.h"
#include "parameters/VerbasCatalogo.h"
#include "register/CamposJson.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {
namespace {

using nlohmann::json;

constexpr const char* ChaveVerbas = "Rendimen";
constexpr const char* ChaveReflexos = "Reflexos";

json Linhas(Banco& banco, const char* tabela) {
    Tabela t(banco, tabela);
    t.abre(ModoAbertura::SomenteLeitura);
    t.defineIndice("");
    json linhas = json::array();
    for (t.primeiro(); !t.fim(); t.proximo()) {
        json linha = json::object();
        for (const auto& f : t.definicao().campos) linha[f.nome] = ValorParaJson(f, t.valor(f.nome));
        linhas.push_back(std::move(linha));
    }
    return linhas;
}

const json& Lista(const json& documento, const char* chave) {
    if (!documento.contains(chave))
        throw ErroKorva(std::string("O documento das verbas não tem a lista ") + chave + ".");
    const json& l = documento.at(chave);
    if (!l.is_array()) throw ErroKorva(std::string(chave) + ": deve ser uma lista de linhas.");
    return l;
}

// The document's value of a field of the row, its name matched as the store
// matches field names; null when absent.
const json* ValorNaLinha(const json& linha, const char* campo) {
    for (auto it = linha.begin(); it != linha.end(); ++it)
        if (IguaisSemCaixa(it.key(), campo)) return &it.value();
    return nullptr;
}

// A key field of the row: absent or empty is refused as the store refuses it.
int Chave(const Tabela& t, const json& linha, const char* campo) {
    const json* j = ValorNaLinha(linha, campo);
    const DefCampo* f = t.definicao().campo(campo);
    const Valor v = (j && f) ? ValorDeJson(*f, *j) : Valor();
    if (v.nulo()) throw ErroKorva(std::string(campo) + ": Campo obrigatório não preenchido.");
    return static_cast<int>(v.comoInteiro());
}

// Writes the fields of the row that the document changes, `primeiro` first
// (a new item needs its code before the rest is checked against it). A field
// that already holds the document's value is not written: the window would
// not have it typed either, and a protected field that keeps its value is no
// change.
void DefineCampos(Tabela& t, const json& linha, const char* primeiro, const char* exceto = nullptr) {
    if (!linha.is_object()) throw ErroKorva("A linha deve ser um objeto JSON.");
    const DefTabela& def = t.definicao();
    std::vector<std::pair<const DefCampo*, const json*>> campos;
    for (auto it = linha.begin(); it != linha.end(); ++it) {
        const DefCampo* f = def.campo(it.key());
        if (!f) throw ErroKorva("Campo desconhecido: " + it.key() + ".");
        if (exceto && IguaisSemCaixa(f->nome, exceto)) continue;
        if (IguaisSemCaixa(f->nome, primeiro)) campos.insert(campos.begin(), {f, &it.value()});
        else campos.emplace_back(f, &it.value());
    }
    for (const auto& [f, j] : campos) {
        if (ValorDeJson(*f, *j) == t.valor(f->nome)) continue;
        DefineCampoJson(t, *f, *j);
    }
}

// Runs the import of one row; a refusal names the array and the row.
template <class F>
void Linha(Tabela& t, const char* chave, int n, F f) {
    try {
        f();
    } catch (const std::exception& e) {
        const std::string texto = std::string(chave) + ", linha " + std::to_string(n) + ": " + MensagemLinha(e);
        if (t.editando()) t.cancela();
        throw ErroKorva(texto);
    }
}

void RemoveItensDoUsuario(Catalogo& catalogo) {
    Tabela& t = catalogo.rendimentos();
    std::vector<int> usuario;
    for (t.primeiro(); !t.fim(); t.proximo())
        if (t.valor("Tipo").nulo() || t.valor("Tipo").comoTexto() != Catalogo::TipoSistema)
            usuario.push_back(static_cast<int>(t.valor("Codigo").comoInteiro()));
    for (int codigo : usuario) {
        if (!t.localizaChave({Valor(codigo)})) continue;
        try {
            t.exclui();
        } catch (const std::exception& e) {
            throw ErroKorva(std::string(ChaveVerbas) + ": a verba " + CodigoTresDigitos(codigo) +
                            " não pôde ser substituída: " + e.what());
        }
    }
}

}  // namespace

json ExportaVerbas(Banco& privado) {
    json doc = json::object();
    doc[ChaveVerbas] = Linhas(privado, kTabelaRendimentos);
    doc[ChaveReflexos] = Linhas(privado, kTabelaReflexos);
    return doc;
}

VerbasImportadas ImportaVerbas(Banco& privado, TabelasReferencia& referencia, const json& documento) {
    if (!documento.is_object()) throw ErroKorva("O documento das verbas deve ser um objeto JSON.");
    for (auto it = documento.begin(); it != documento.end(); ++it)
        if (it.key() != ChaveVerbas && it.key() != ChaveReflexos)
            throw ErroKorva("Tabela desconhecida no documento: " + it.key() + ".");
    const json& verbas = Lista(documento, ChaveVerbas);
    const json& reflexos = Lista(documento, ChaveReflexos);

    VerbasImportadas r;
    Catalogo catalogo(privado, referencia);
    catalogo.abre();
    Tabela& itens = catalogo.rendimentos();
    Tabela& lista = catalogo.reflexos();
    {
        Transacao tr(privado);
        // The repercussion list is replaced whole; its rows have no rule on
        // deletion, and without them no user item is a reflex of another.
        privado.executa(kTabelaReflexos, "delete from Tabela");
        lista.atualiza();
        RemoveItensDoUsuario(catalogo);

        std::set<int> codigos;
        int n = 0;
        for (const json& linha : verbas) {
            Linha(itens, ChaveVerbas, ++n, [&] {
                if (!linha.is_object()) throw ErroKorva("A linha deve ser um objeto JSON.");
                const int codigo = Chave(itens, linha, "Codigo");
                if (!codigos.insert(codigo).second)
                    throw ErroKorva("Codigo: a verba " + CodigoTresDigitos(codigo) + " já está no documento.");
                // Only system items are left: the code of one is an edit of it.
                const bool sistema = itens.localizaChave({Valor(codigo)});
                if (sistema) {
                    itens.edita();
                } else {
                    itens.insere();
                }
                DefineCampos(itens, linha, "Codigo");
                itens.grava();
                ++(sistema ? r.sistema : r.usuario);
            });
        }
        n = 0;
        for (const json& linha : reflexos) {
            Linha(lista, ChaveReflexos, ++n, [&] {
                if (!linha.is_object()) throw ErroKorva("A linha deve ser um objeto JSON.");
                const int base = Chave(lista, linha, "Base");
                // A new repercussion row belongs to the current item.
                if (!itens.localizaChave({Valor(base)}))
                    throw ErroKorva("Base: Verba " + CodigoTresDigitos(base) + " não encontrada na Tabela de Verbas!");
                catalogo.acompanhaVerba();
                lista.insere();
                DefineCampos(lista, linha, "Reflexo", "Base");
                lista.grava();
                ++r.reflexos;
            });
        }
        tr.confirma();
    }
    catalogo.fecha();
    return r;
}

}  // namespace korva
