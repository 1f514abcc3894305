#pragma once
// A dataset over one table: a cursor with the states browse / edit / insert,
// ordering by a named index, filters, find by key, bookmarks, and the events
// before and after each change plus per-field validation, to which the rules
// of every window are attached.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "storage/Banco.h"
#include "storage/Esquema.h"
#include "storage/Valor.h"

namespace korva {

enum class EstadoTabela { Inativa, Navegacao, Edicao, Insercao };
enum class ModoAbertura { Compartilhado, Exclusivo, SomenteLeitura };

class Tabela;

// A field of the current row, read and written by name.
class CampoRef {
public:
    CampoRef(Tabela& t, int indice) : t_(&t), i_(indice) {}
    const DefCampo& def() const;
    const Valor& valor() const;
    bool nulo() const { return valor().nulo(); }
    int64_t comoInteiro() const { return valor().comoInteiro(); }
    double comoNumero() const { return valor().comoNumero(); }
    std::string comoTexto() const { return valor().comoTexto(); }
    Data comoData() const { return valor().comoData(); }
    bool comoLogico() const { return valor().comoLogico(); }
    void define(const Valor& v);
    void limpa() { define(Valor()); }
    CampoRef& operator=(const Valor& v) { define(v); return *this; }

private:
    Tabela* t_;
    int i_;
};

// Remembered row (by its identity in the file).
struct Marcador {
    int64_t rowid = 0;
    bool valido() const { return rowid != 0; }
};

class Tabela {
public:
    using Evento = std::function<void(Tabela&)>;
    using Validacao = std::function<void(Tabela&, const Valor& novo)>;

    Tabela(Banco& banco, std::string nomeTabela);
    ~Tabela();
    Tabela(const Tabela&) = delete;
    Tabela& operator=(const Tabela&) = delete;

    Banco& banco() { return banco_; }
    const std::string& nome() const { return nome_; }

    void abre(ModoAbertura modo = ModoAbertura::Compartilhado);
    void fecha();  // cancels a pending edit
    bool aberta() const { return estado_ != EstadoTabela::Inativa; }
    ModoAbertura modo() const { return modo_; }
    const DefTabela& definicao() const;

    // Order: by a named index ("" = primary), or by a list of fields.
    void defineIndice(const std::string& nomeIndice);
    void defineOrdem(const std::vector<std::string>& campos, bool semCaixa = false);
    const std::string& indiceAtual() const { return nomeIndice_; }

    // Filters: an expression of comparisons joined by "and" / "or"
    // ("TipoParte<3", "Mes=3 and Ano=2009", "Nome='Ana'"), and/or a test per row.
    void defineFiltro(const std::string& expressao);
    void defineFiltroFuncao(std::function<bool(const Tabela&)> teste);
    void limpaFiltro();

    // Walk.
    void primeiro();
    void ultimo();
    void proximo();
    void anterior();
    bool fim() const { return eof_; }     // past the last row (or empty)
    bool inicio() const { return bof_; }  // before the first row (or empty)
    bool vazia();
    int quantidade();
    int posicao() const { return pos_; }  // 0-based; -1 when empty
    void vaiPara(int posicao);

    // Find by exact key on the current order; the key may hold only the
    // leading fields. Positions on the first match and returns true; otherwise
    // stays and returns false.
    bool localizaChave(const std::vector<Valor>& chave);
    // Positions on the first row whose key is >= the given key.
    void localizaProximo(const std::vector<Valor>& chave);
    // First row (in the current order) whose fields hold the values.
    bool localiza(const std::vector<std::string>& campos, const std::vector<Valor>& valores,
                  bool semCaixa = false);

    Marcador marcador() const;
    bool vaiParaMarcador(const Marcador& m);
    // Reads the table again (changes of other users), keeping the current row when it still exists.
    void atualiza();

    // Changes.
    EstadoTabela estado() const { return estado_; }
    bool editando() const { return estado_ == EstadoTabela::Edicao || estado_ == EstadoTabela::Insercao; }
    void insere();
    void edita();
    void grava();
    void cancela();
    void exclui();
    // Empties the table; it must be open exclusively.
    void esvazia();

    // Fields of the current row.
    CampoRef campo(const std::string& nome);
    CampoRef operator[](const std::string& nome) { return campo(nome); }
    const Valor& valor(const std::string& nome) const;
    std::vector<Valor> linha() const { return buffer_; }
    bool temCampo(const std::string& nome) const { return definicao().posicao(nome) >= 0; }

    // Events.
    Evento antesInserir, depoisInserir, aoNovoRegistro, antesEditar, depoisEditar, antesGravar, depoisGravar,
        antesCancelar, depoisCancelar, antesExcluir, depoisExcluir, depoisRolar;
    // Runs after the row is written and before the change is committed, in
    // the same transaction: what it writes holds or vanishes with the row.
    // The fields show the stored values (numbered autoincrement fields); when
    // it fails nothing is stored and the row stays in edit with its input.
    Evento naGravacao;
    void validaCampo(const std::string& nome, Validacao v);
    void aoAlterarCampo(const std::string& nome, Evento e);

    // Views of the dataset (grids): told after every operation that may have
    // changed the rows, the current row, its fields or the state, once per
    // outermost operation. Returns an id for esquece.
    using Observador = std::function<void()>;
    int observa(Observador o);
    void esquece(int id);
    // Changes whenever the set or the order of the stored rows changes.
    uint64_t versaoLinhas() const { return versaoLinhas_; }
    // The stored values of a row by its position in the current order,
    // without moving the cursor.
    const std::vector<Valor>& valoresDaLinha(int linha);

private:
    friend class CampoRef;
    // Tells the observers when the outermost operation ends.
    class Aviso {
    public:
        explicit Aviso(Tabela& t);
        ~Aviso();
        Aviso(const Aviso&) = delete;
        Aviso& operator=(const Aviso&) = delete;

    private:
        Tabela& t_;
    };

    struct Linha {
        int64_t rowid;
        std::vector<Valor> valores;
    };
    struct Condicao {
        int campo;
        std::string op;
        Valor valor;
        bool ouAnterior;  // joined to the previous condition by "or"
    };

    void exigeAberta() const;
    void garanteCarga();
    void carrega();
    void ordena();
    bool passaFiltro(const std::vector<Valor>& v) const;
    int compara(const std::vector<Valor>& a, const std::vector<Valor>& b) const;
    int comparaChave(const std::vector<Valor>& linha, const std::vector<Valor>& chave) const;
    void posiciona(int p);
    void carregaBuffer();
    void verificaNavegacao();
    void defineCampo(int i, const Valor& v);
    Valor converte(const DefCampo& f, const Valor& v) const;
    void recolocaLinha(Linha linha, bool nova);
    int procuraRowid(int64_t rowid) const;

    Banco& banco_;
    std::string nome_;
    std::shared_ptr<Conexao> conexao_;
    std::unique_ptr<TravaTabela> trava_;
    ModoAbertura modo_ = ModoAbertura::Compartilhado;
    EstadoTabela estado_ = EstadoTabela::Inativa;

    std::string nomeIndice_;
    std::vector<int> ordem_;
    std::vector<bool> ordemSemCaixa_;
    std::vector<Condicao> filtro_;
    std::function<bool(const Tabela&)> filtroFuncao_;

    bool carregada_ = false;
    uint64_t geracao_ = 0;
    uint64_t versaoLinhas_ = 0;
    int avisando_ = 0;
    int ultimoObservador_ = 0;
    std::vector<std::pair<int, Observador>> observadores_;
    std::vector<Linha> linhas_;
    int pos_ = -1;
    bool eof_ = true, bof_ = true;

    std::vector<Valor> buffer_;    // current row, as edited
    std::vector<Valor> original_;  // current row, as read
    std::map<int, Validacao> validacoes_;
    std::map<int, Evento> alteracoes_;
    mutable const std::vector<Valor>* avaliando_ = nullptr;  // row under the filter function
};

}  // namespace korva
