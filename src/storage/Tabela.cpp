#include "storage/Tabela.h"

#include <algorithm>
#include <cmath>

#include "storage/FaixasCampo.h"
#include "storage/Gravacao.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {

// ---- CampoRef ----

const DefCampo& CampoRef::def() const { return t_->definicao().campos[i_]; }
const Valor& CampoRef::valor() const { return t_->buffer_[i_]; }
void CampoRef::define(const Valor& v) { t_->defineCampo(i_, v); }

// ---- Tabela ----

Tabela::Aviso::Aviso(Tabela& t) : t_(t) { ++t_.avisando_; }

Tabela::Aviso::~Aviso() {
    if (--t_.avisando_ > 0 || t_.observadores_.empty()) return;
    // A copy: an observer may stop observing while it is told.
    const auto observadores = t_.observadores_;
    for (const auto& [id, o] : observadores) {
        try {
            o();
        } catch (...) {
        }
    }
}

int Tabela::observa(Observador o) {
    observadores_.emplace_back(++ultimoObservador_, std::move(o));
    return ultimoObservador_;
}

void Tabela::esquece(int id) {
    observadores_.erase(std::remove_if(observadores_.begin(), observadores_.end(),
                                       [id](const auto& par) { return par.first == id; }),
                        observadores_.end());
}

const std::vector<Valor>& Tabela::valoresDaLinha(int linha) {
    garanteCarga();
    if (linha < 0 || linha >= static_cast<int>(linhas_.size()))
        throw ErroDados("Linha inexistente na tabela " + nome_ + ": " + std::to_string(linha + 1));
    return linhas_[linha].valores;
}

Tabela::Tabela(Banco& banco, std::string nomeTabela) : banco_(banco), nome_(std::move(nomeTabela)) {}

Tabela::~Tabela() {
    try {
        fecha();
    } catch (...) {
    }
}

void Tabela::exigeAberta() const {
    if (estado_ == EstadoTabela::Inativa) throw ErroDados("A tabela " + nome_ + " não está aberta");
}

const DefTabela& Tabela::definicao() const {
    exigeAberta();
    return conexao_->definicao();
}

void Tabela::abre(ModoAbertura modo) {
    const Aviso aviso(*this);
    if (aberta()) fecha();
    auto c = banco_.conexao(nome_, modo == ModoAbertura::SomenteLeitura);
    trava_ = std::make_unique<TravaTabela>(c->arquivo(), modo == ModoAbertura::Exclusivo
                                                             ? TravaTabela::Modo::Exclusivo
                                                             : TravaTabela::Modo::Compartilhado);
    conexao_ = std::move(c);
    modo_ = modo;
    estado_ = EstadoTabela::Navegacao;
    carregada_ = false;
    linhas_.clear();
    pos_ = -1;
    defineIndice(nomeIndice_);
    primeiro();
}

void Tabela::fecha() {
    const Aviso aviso(*this);
    if (!aberta()) return;
    if (editando()) {
        buffer_ = original_;
    }
    estado_ = EstadoTabela::Inativa;
    linhas_.clear();
    ++versaoLinhas_;
    buffer_.clear();
    original_.clear();
    pos_ = -1;
    eof_ = bof_ = true;
    carregada_ = false;
    trava_.reset();
    conexao_.reset();
}

void Tabela::defineIndice(const std::string& nomeIndice) {
    const Aviso aviso(*this);
    nomeIndice_ = nomeIndice;
    if (!aberta()) return;
    verificaNavegacao();
    const auto& def = definicao();
    ordem_.clear();
    ordemSemCaixa_.clear();
    const DefIndice* ind = def.indice(nomeIndice);
    if (!ind) {
        if (!nomeIndice.empty()) throw ErroDados("Índice não encontrado na tabela " + nome_ + ": " + nomeIndice);
    } else {
        for (const auto& c : ind->campos) {
            const int p = def.posicao(c);
            if (p < 0) throw ErroDados("Campo do índice não encontrado: " + c);
            ordem_.push_back(p);
            ordemSemCaixa_.push_back(ind->semCaixa);
        }
    }
    if (carregada_) {
        const auto m = marcador();
        ordena();
        if (!vaiParaMarcador(m)) posiciona(linhas_.empty() ? -1 : 0);
    }
}

void Tabela::defineOrdem(const std::vector<std::string>& campos, bool semCaixa) {
    const Aviso aviso(*this);
    exigeAberta();
    verificaNavegacao();
    const auto& def = definicao();
    ordem_.clear();
    ordemSemCaixa_.clear();
    for (const auto& c : campos) {
        const int p = def.posicao(c);
        if (p < 0) throw ErroDados("Campo não encontrado na tabela " + nome_ + ": " + c);
        ordem_.push_back(p);
        ordemSemCaixa_.push_back(semCaixa);
    }
    nomeIndice_.clear();
    if (carregada_) {
        const auto m = marcador();
        ordena();
        if (!vaiParaMarcador(m)) posiciona(linhas_.empty() ? -1 : 0);
    }
}

// ---- filters ----

namespace {

struct Leitor {
    const std::string& s;
    size_t i = 0;
    void brancos() {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    }
    bool acabou() {
        brancos();
        return i >= s.size();
    }
    std::string identificador() {
        brancos();
        size_t ini = i;
        while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_' ||
                                static_cast<unsigned char>(s[i]) >= 0x80))
            ++i;
        return s.substr(ini, i - ini);
    }
    std::string operador() {
        brancos();
        static const char* ops[] = {"<>", "<=", ">=", "=", "<", ">"};
        for (const char* op : ops) {
            const size_t n = std::char_traits<char>::length(op);
            if (s.compare(i, n, op) == 0) {
                i += n;
                return op;
            }
        }
        return {};
    }
    Valor valor() {
        brancos();
        if (i < s.size() && (s[i] == '\'' || s[i] == '"')) {
            const char q = s[i++];
            std::string r;
            while (i < s.size()) {
                if (s[i] == q) {
                    if (i + 1 < s.size() && s[i + 1] == q) {
                        r += q;
                        i += 2;
                        continue;
                    }
                    ++i;
                    return Valor(r);
                }
                r += s[i++];
            }
            throw ErroKorva("Filtro inválido (aspas sem fechamento): " + s);
        }
        size_t ini = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
        const std::string t = s.substr(ini, i - ini);
        if (t.empty()) throw ErroKorva("Filtro inválido: " + s);
        Valor v(t);
        try {
            const double d = v.comoNumero();
            if (d == std::floor(d) && t.find('.') == std::string::npos && t.find(',') == std::string::npos)
                return Valor(static_cast<int64_t>(d));
            return Valor(d);
        } catch (const ErroConversao&) {
            return v;
        }
    }
};

}  // namespace

void Tabela::defineFiltro(const std::string& expressao) {
    const Aviso aviso(*this);
    exigeAberta();
    verificaNavegacao();
    std::vector<Condicao> conds;
    Leitor l{expressao};
    bool ou = false;
    while (!l.acabou()) {
        const std::string nome = l.identificador();
        const int p = definicao().posicao(nome);
        if (p < 0) throw ErroKorva("Filtro inválido: campo desconhecido '" + nome + "'");
        const std::string op = l.operador();
        if (op.empty()) throw ErroKorva("Filtro inválido: " + expressao);
        Valor v = l.valor();
        v = converte(definicao().campos[p], v);
        conds.push_back({p, op, v, ou});
        if (l.acabou()) break;
        const std::string junta = Minusculas(l.identificador());
        if (junta == "and") ou = false;
        else if (junta == "or") ou = true;
        else throw ErroKorva("Filtro inválido: " + expressao);
    }
    filtro_ = std::move(conds);
    if (carregada_) carrega();
    primeiro();
}

void Tabela::defineFiltroFuncao(std::function<bool(const Tabela&)> teste) {
    const Aviso aviso(*this);
    exigeAberta();
    verificaNavegacao();
    filtroFuncao_ = std::move(teste);
    if (carregada_) carrega();
    primeiro();
}

void Tabela::limpaFiltro() {
    const Aviso aviso(*this);
    filtro_.clear();
    filtroFuncao_ = nullptr;
    if (aberta()) {
        verificaNavegacao();
        const auto m = marcador();
        carrega();
        if (!vaiParaMarcador(m)) primeiro();
    }
}

bool Tabela::passaFiltro(const std::vector<Valor>& v) const {
    if (!filtro_.empty()) {
        bool resultado = false, grupo = true;
        for (size_t k = 0; k < filtro_.size(); ++k) {
            const auto& c = filtro_[k];
            if (c.ouAnterior) {
                resultado = resultado || grupo;
                grupo = true;
            }
            const bool semCaixa = definicao().campos[c.campo].tipo == TipoCampo::String;
            const int r = ComparaValores(v[c.campo], c.valor, semCaixa);
            bool ok;
            if (c.op == "=") ok = r == 0;
            else if (c.op == "<>") ok = r != 0;
            else if (c.op == "<") ok = r < 0;
            else if (c.op == ">") ok = r > 0;
            else if (c.op == "<=") ok = r <= 0;
            else ok = r >= 0;
            grupo = grupo && ok;
        }
        if (!(resultado || grupo)) return false;
    }
    if (filtroFuncao_) {
        avaliando_ = &v;
        bool ok;
        try {
            ok = filtroFuncao_(*this);
        } catch (...) {
            avaliando_ = nullptr;
            throw;
        }
        avaliando_ = nullptr;
        return ok;
    }
    return true;
}

// ---- loading and order ----

int Tabela::compara(const std::vector<Valor>& a, const std::vector<Valor>& b) const {
    for (size_t k = 0; k < ordem_.size(); ++k) {
        const int c = ComparaValores(a[ordem_[k]], b[ordem_[k]], ordemSemCaixa_[k]);
        if (c) return c;
    }
    return 0;
}

int Tabela::comparaChave(const std::vector<Valor>& linha, const std::vector<Valor>& chave) const {
    for (size_t k = 0; k < chave.size(); ++k) {
        const int c = ComparaValores(linha[ordem_[k]], chave[k], ordemSemCaixa_[k]);
        if (c) return c;
    }
    return 0;
}

void Tabela::ordena() {
    ++versaoLinhas_;
    // The row identity breaks ties, so the order is total and std::sort keeps it stable.
    std::sort(linhas_.begin(), linhas_.end(), [this](const Linha& a, const Linha& b) {
        const int c = compara(a.valores, b.valores);
        return c ? c < 0 : a.rowid < b.rowid;
    });
}

void Tabela::carrega() {
    linhas_.clear();
    const auto& def = definicao();
    LeLinhas(*conexao_, def, [&](int64_t rowid, std::vector<Valor>&& v) {
        if (passaFiltro(v)) linhas_.push_back({rowid, std::move(v)});
    });
    ordena();
    carregada_ = true;
    geracao_ = conexao_->geracao();
    ++versaoLinhas_;
}

void Tabela::garanteCarga() {
    exigeAberta();
    if (carregada_ && conexao_->geracao() == geracao_) return;
    const auto m = marcador();
    if (editando()) {
        // The rows were rolled back under a row being edited: reread them,
        // and the user's input stays as it was typed.
        const auto buffer = buffer_, original = original_;
        carrega();
        const int p = m.valido() ? procuraRowid(m.rowid) : -1;
        pos_ = p >= 0 ? p : (linhas_.empty() ? -1 : std::min<int>(std::max(pos_, 0), static_cast<int>(linhas_.size()) - 1));
        buffer_ = buffer;
        original_ = original;
        return;
    }
    carrega();
    if (!vaiParaMarcador(m)) posiciona(linhas_.empty() ? -1 : 0);
}

int Tabela::procuraRowid(int64_t rowid) const {
    for (size_t i = 0; i < linhas_.size(); ++i)
        if (linhas_[i].rowid == rowid) return static_cast<int>(i);
    return -1;
}

void Tabela::posiciona(int p) {
    if (linhas_.empty() || p < 0) {
        pos_ = -1;
        eof_ = bof_ = true;
        buffer_.assign(definicao().campos.size(), Valor());
        original_ = buffer_;
    } else {
        pos_ = std::min<int>(p, static_cast<int>(linhas_.size()) - 1);
        eof_ = bof_ = false;
        buffer_ = linhas_[pos_].valores;
        original_ = buffer_;
    }
    if (depoisRolar) depoisRolar(*this);
}

// ---- walk ----

void Tabela::verificaNavegacao() {
    if (editando()) grava();
}

void Tabela::primeiro() {
    const Aviso aviso(*this);
    exigeAberta();
    verificaNavegacao();
    garanteCarga();
    posiciona(linhas_.empty() ? -1 : 0);
    bof_ = true;
}

void Tabela::ultimo() {
    const Aviso aviso(*this);
    exigeAberta();
    verificaNavegacao();
    garanteCarga();
    posiciona(static_cast<int>(linhas_.size()) - 1);
    eof_ = true;
}

void Tabela::proximo() {
    const Aviso aviso(*this);
    exigeAberta();
    verificaNavegacao();
    garanteCarga();
    if (pos_ >= 0 && pos_ + 1 < static_cast<int>(linhas_.size())) {
        posiciona(pos_ + 1);
    } else {
        eof_ = true;
    }
}

void Tabela::anterior() {
    const Aviso aviso(*this);
    exigeAberta();
    verificaNavegacao();
    garanteCarga();
    if (pos_ > 0) {
        posiciona(pos_ - 1);
    } else {
        bof_ = true;
    }
}

bool Tabela::vazia() { return quantidade() == 0; }

int Tabela::quantidade() {
    garanteCarga();
    return static_cast<int>(linhas_.size());
}

void Tabela::vaiPara(int p) {
    const Aviso aviso(*this);
    verificaNavegacao();
    garanteCarga();
    if (p < 0 || p >= static_cast<int>(linhas_.size())) throw ErroDados("Posição inexistente na tabela " + nome_);
    posiciona(p);
}

bool Tabela::localizaChave(const std::vector<Valor>& chave) {
    const Aviso aviso(*this);
    exigeAberta();
    verificaNavegacao();
    garanteCarga();
    if (chave.empty() || chave.size() > ordem_.size())
        throw ErroDados("Chave de busca incompatível com o índice da tabela " + nome_);
    std::vector<Valor> k;
    for (size_t i = 0; i < chave.size(); ++i) k.push_back(converte(definicao().campos[ordem_[i]], chave[i]));
    auto it = std::lower_bound(linhas_.begin(), linhas_.end(), k,
                               [this](const Linha& l, const std::vector<Valor>& c) { return comparaChave(l.valores, c) < 0; });
    if (it == linhas_.end() || comparaChave(it->valores, k) != 0) return false;
    posiciona(static_cast<int>(it - linhas_.begin()));
    return true;
}

void Tabela::localizaProximo(const std::vector<Valor>& chave) {
    const Aviso aviso(*this);
    exigeAberta();
    verificaNavegacao();
    garanteCarga();
    if (chave.size() > ordem_.size()) throw ErroDados("Chave de busca incompatível com o índice da tabela " + nome_);
    std::vector<Valor> k;
    for (size_t i = 0; i < chave.size(); ++i) k.push_back(converte(definicao().campos[ordem_[i]], chave[i]));
    auto it = std::lower_bound(linhas_.begin(), linhas_.end(), k,
                               [this](const Linha& l, const std::vector<Valor>& c) { return comparaChave(l.valores, c) < 0; });
    if (it == linhas_.end()) {
        ultimo();
        return;
    }
    posiciona(static_cast<int>(it - linhas_.begin()));
}

bool Tabela::localiza(const std::vector<std::string>& campos, const std::vector<Valor>& valores, bool semCaixa) {
    const Aviso aviso(*this);
    exigeAberta();
    verificaNavegacao();
    garanteCarga();
    std::vector<int> pos;
    std::vector<Valor> alvo;
    for (size_t i = 0; i < campos.size(); ++i) {
        const int p = definicao().posicao(campos[i]);
        if (p < 0) throw ErroDados("Campo não encontrado na tabela " + nome_ + ": " + campos[i]);
        pos.push_back(p);
        alvo.push_back(converte(definicao().campos[p], valores.at(i)));
    }
    for (size_t l = 0; l < linhas_.size(); ++l) {
        bool ok = true;
        for (size_t i = 0; i < pos.size() && ok; ++i)
            ok = ComparaValores(linhas_[l].valores[pos[i]], alvo[i], semCaixa) == 0;
        if (ok) {
            posiciona(static_cast<int>(l));
            return true;
        }
    }
    return false;
}

Marcador Tabela::marcador() const {
    if (pos_ < 0 || pos_ >= static_cast<int>(linhas_.size())) return {};
    return {linhas_[pos_].rowid};
}

bool Tabela::vaiParaMarcador(const Marcador& m) {
    const Aviso aviso(*this);
    if (!m.valido()) return false;
    const int p = procuraRowid(m.rowid);
    if (p < 0) return false;
    posiciona(p);
    return true;
}

void Tabela::atualiza() {
    const Aviso aviso(*this);
    exigeAberta();
    verificaNavegacao();
    const auto m = marcador();
    const int antes = pos_;
    carrega();
    if (!vaiParaMarcador(m)) posiciona(std::min(antes, static_cast<int>(linhas_.size()) - 1));
}

// ---- changes ----

void Tabela::insere() {
    const Aviso aviso(*this);
    exigeAberta();
    verificaNavegacao();
    garanteCarga();
    if (modo_ == ModoAbertura::SomenteLeitura)
        throw ErroBanco(CodigoBanco::SemPermissao, "A tabela " + nome_ + " está aberta somente para leitura");
    if (antesInserir) antesInserir(*this);
    buffer_.assign(definicao().campos.size(), Valor());
    original_ = buffer_;
    estado_ = EstadoTabela::Insercao;
    try {
        if (aoNovoRegistro) aoNovoRegistro(*this);
    } catch (...) {
        cancela();
        throw;
    }
    if (depoisInserir) depoisInserir(*this);
}

void Tabela::edita() {
    const Aviso aviso(*this);
    exigeAberta();
    if (editando()) return;
    garanteCarga();
    if (modo_ == ModoAbertura::SomenteLeitura)
        throw ErroBanco(CodigoBanco::SemPermissao, "A tabela " + nome_ + " está aberta somente para leitura");
    if (pos_ < 0) throw ErroDados("Não há registro para alterar na tabela " + nome_);
    if (antesEditar) antesEditar(*this);
    // Read the row again: the edit starts from what is stored now.
    std::vector<Valor> atual;
    bool achou = false;
    {
        const auto& def = definicao();
        std::string sql = "SELECT rowid";
        for (const auto& f : def.campos) sql += "," + Aspas(f.nome);
        auto cmd = conexao_->preparaGuardado(sql + " FROM Tabela WHERE rowid=?1");
        cmd.liga(1, Valor(linhas_[pos_].rowid), TipoCampo::Integer);
        if (cmd.passo()) {
            achou = true;
            for (size_t i = 0; i < def.campos.size(); ++i) atual.push_back(cmd.coluna(static_cast<int>(i + 1), def.campos[i].tipo));
        }
    }
    if (!achou)
        throw ErroBanco(CodigoBanco::RegistroAlterado, "O registro foi excluído por outro usuário: " + nome_);
    linhas_[pos_].valores = atual;
    buffer_ = original_ = atual;
    estado_ = EstadoTabela::Edicao;
    if (depoisEditar) depoisEditar(*this);
}

void Tabela::grava() {
    const Aviso aviso(*this);
    exigeAberta();
    if (!editando()) throw ErroDados("A tabela " + nome_ + " não está em edição ou inclusão");
    if (antesGravar) antesGravar(*this);
    const auto& def = definicao();
    for (size_t i = 0; i < def.campos.size(); ++i) {
        const auto& f = def.campos[i];
        if (f.obrigatorio && f.tipo != TipoCampo::Autoinc && buffer_[i].nulo())
            throw ErroBanco(CodigoBanco::CampoObrigatorio, "Campo obrigatório não preenchido: " + f.nome);
    }
    ConfereFaixas(def, buffer_, nome_);
    std::vector<Valor> gravar = buffer_;
    int64_t rowid = 0;
    const bool insercao = estado_ == EstadoTabela::Insercao;
    auto escreve = [&] {
        if (insercao) {
            rowid = InsereLinha(*conexao_, def, gravar);
        } else {
            rowid = linhas_[pos_].rowid;
            AtualizaLinha(*conexao_, def, rowid, original_, gravar);
        }
    };
    if (naGravacao) {
        const std::vector<Valor> digitados = buffer_;
        Transacao tr(banco_);
        try {
            NaTransacao(banco_, conexao_, escreve);
            buffer_ = gravar;
            naGravacao(*this);
            tr.confirma();
        } catch (...) {
            buffer_ = digitados;
            throw;
        }
    } else {
        NaTransacao(banco_, conexao_, escreve);
    }
    buffer_ = gravar;
    estado_ = EstadoTabela::Navegacao;
    recolocaLinha({rowid, buffer_}, insercao);
    if (depoisGravar) depoisGravar(*this);
}

void Tabela::recolocaLinha(Linha linha, bool nova) {
    const int antiga = nova ? -1
                            : (pos_ >= 0 && pos_ < static_cast<int>(linhas_.size()) && linhas_[pos_].rowid == linha.rowid
                                   ? pos_
                                   : procuraRowid(linha.rowid));
    if (antiga >= 0) linhas_.erase(linhas_.begin() + antiga);
    ++versaoLinhas_;
    if (!passaFiltro(linha.valores)) {
        posiciona(linhas_.empty() ? -1 : std::min<int>(std::max(antiga, 0), static_cast<int>(linhas_.size()) - 1));
        return;
    }
    auto it = std::upper_bound(linhas_.begin(), linhas_.end(), linha, [this](const Linha& a, const Linha& b) {
        const int c = compara(a.valores, b.valores);
        return c ? c < 0 : a.rowid < b.rowid;
    });
    it = linhas_.insert(it, std::move(linha));
    ++versaoLinhas_;
    posiciona(static_cast<int>(it - linhas_.begin()));
}

void Tabela::cancela() {
    const Aviso aviso(*this);
    exigeAberta();
    if (!editando()) return;
    if (antesCancelar) antesCancelar(*this);
    estado_ = EstadoTabela::Navegacao;
    posiciona(pos_);
    if (depoisCancelar) depoisCancelar(*this);
}

void Tabela::exclui() {
    const Aviso aviso(*this);
    exigeAberta();
    if (estado_ == EstadoTabela::Insercao) {
        cancela();
        return;
    }
    if (estado_ == EstadoTabela::Edicao) cancela();
    garanteCarga();
    if (modo_ == ModoAbertura::SomenteLeitura)
        throw ErroBanco(CodigoBanco::SemPermissao, "A tabela " + nome_ + " está aberta somente para leitura");
    if (pos_ < 0) throw ErroDados("Não há registro para excluir na tabela " + nome_);
    if (antesExcluir) antesExcluir(*this);
    const int64_t rowid = linhas_[pos_].rowid;
    NaTransacao(banco_, conexao_, [&] { ExcluiLinha(*conexao_, rowid); });
    linhas_.erase(linhas_.begin() + pos_);
    ++versaoLinhas_;
    posiciona(linhas_.empty() ? -1 : std::min<int>(pos_, static_cast<int>(linhas_.size()) - 1));
    if (depoisExcluir) depoisExcluir(*this);
}

void Tabela::esvazia() {
    const Aviso aviso(*this);
    exigeAberta();
    if (modo_ != ModoAbertura::Exclusivo)
        throw ErroBanco(CodigoBanco::TabelaEmUso, "A tabela " + nome_ + " precisa estar aberta em modo exclusivo");
    if (editando()) cancela();
    NaTransacao(banco_, conexao_, [&] { conexao_->executa("DELETE FROM Tabela"); });
    linhas_.clear();
    ++versaoLinhas_;
    posiciona(-1);
}

// ---- fields ----

CampoRef Tabela::campo(const std::string& nome) {
    exigeAberta();
    garanteCarga();
    const int p = definicao().posicao(nome);
    if (p < 0) throw ErroDados("Campo não encontrado na tabela " + nome_ + ": " + nome);
    return CampoRef(*this, p);
}

const Valor& Tabela::valor(const std::string& nome) const {
    exigeAberta();
    const int p = definicao().posicao(nome);
    if (p < 0) throw ErroDados("Campo não encontrado na tabela " + nome_ + ": " + nome);
    if (avaliando_) return (*avaliando_)[p];
    const_cast<Tabela*>(this)->garanteCarga();
    return buffer_[p];
}

void Tabela::validaCampo(const std::string& nome, Validacao v) {
    exigeAberta();
    const int p = definicao().posicao(nome);
    if (p < 0) throw ErroDados("Campo não encontrado na tabela " + nome_ + ": " + nome);
    validacoes_[p] = std::move(v);
}

void Tabela::aoAlterarCampo(const std::string& nome, Evento e) {
    exigeAberta();
    const int p = definicao().posicao(nome);
    if (p < 0) throw ErroDados("Campo não encontrado na tabela " + nome_ + ": " + nome);
    alteracoes_[p] = std::move(e);
}

Valor Tabela::converte(const DefCampo& f, const Valor& v) const {
    if (v.nulo()) return {};
    if (v.ehTexto() && Apara(v.comoTexto()).empty() && f.tipo != TipoCampo::Memo && f.tipo != TipoCampo::String)
        return {};
    auto faixa = [&](int64_t n, int64_t min, int64_t max) {
        if (n < min)
            throw ErroBanco(CodigoBanco::AbaixoDoMinimo, "Valor abaixo do mínimo para o campo " + f.nome);
        if (n > max)
            throw ErroBanco(CodigoBanco::AcimaDoMaximo, "Valor acima do máximo para o campo " + f.nome);
        return Valor(n);
    };
    auto inteiro = [&]() {
        const double d = v.comoNumero();
        if (!std::isfinite(d) || d != std::floor(d))
            throw ErroConversao("'" + v.comoTexto() + "' não é um número inteiro válido para o campo " + f.nome);
        if (std::fabs(d) > 9.2e18) throw ErroBanco(CodigoBanco::AcimaDoMaximo, "Valor fora da faixa para o campo " + f.nome);
        return static_cast<int64_t>(d);
    };
    switch (f.tipo) {
        case TipoCampo::Smallint: return faixa(inteiro(), -32768, 32767);
        case TipoCampo::Integer: return faixa(inteiro(), INT32_MIN, INT32_MAX);
        case TipoCampo::Autoinc: return faixa(inteiro(), 1, INT32_MAX);
        case TipoCampo::Float:
        case TipoCampo::Time: {
            const double d = v.comoNumero();
            if (!std::isfinite(d)) throw ErroConversao("Número inválido para o campo " + f.nome);
            return Valor(d);
        }
        case TipoCampo::Boolean: return Valor(v.comoLogico());
        case TipoCampo::Date: return Valor(v.comoData());
        case TipoCampo::String: {
            std::string t = v.comoTexto();
            if (t.empty()) return {};
            if (static_cast<int>(Comprimento(t)) > f.tamanho)
                throw ErroBanco(CodigoBanco::AcimaDoMaximo, "O texto excede o tamanho do campo " + f.nome + " (" +
                                                                std::to_string(f.tamanho) + " caracteres)");
            return Valor(std::move(t));
        }
        case TipoCampo::Memo: {
            std::string t = v.comoTexto();
            if (t.empty()) return {};
            return Valor(std::move(t));
        }
    }
    return v;
}

void Tabela::defineCampo(int i, const Valor& v) {
    const Aviso aviso(*this);
    exigeAberta();
    if (!editando()) throw ErroDados("A tabela " + nome_ + " não está em edição ou inclusão");
    const Valor novo = converte(definicao().campos[i], v);
    if (auto it = validacoes_.find(i); it != validacoes_.end() && it->second) it->second(*this, novo);
    buffer_[i] = novo;
    if (auto it = alteracoes_.find(i); it != alteracoes_.end() && it->second) it->second(*this);
}

}  // namespace korva
