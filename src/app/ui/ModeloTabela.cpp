#include "app/ui/ModeloTabela.h"

#include <QBrush>
#include <QColor>
#include <QLocale>

#include <algorithm>
#include <cmath>

#include "app/ui/TratamentoErros.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

namespace korva::ui {
namespace {

bool Numerico(TipoCampo t) {
    return t == TipoCampo::Float || t == TipoCampo::Smallint || t == TipoCampo::Integer || t == TipoCampo::Autoinc;
}

// Decimal places of a number format: "#,##0.00" -> 2; "0" -> 0; "" -> -1 (as stored).
int Casas(const QString& formato) {
    if (formato.isEmpty()) return -1;
    const int ponto = formato.indexOf('.');
    return ponto < 0 ? 0 : static_cast<int>(formato.size()) - ponto - 1;
}

const QLocale& Brasil() {
    static const QLocale l(QLocale::Portuguese, QLocale::Brazil);
    return l;
}

}  // namespace

ColunaGrade Coluna(const char* campo, const QString& titulo, int largura, const QString& formato) {
    ColunaGrade c;
    c.campo = campo;
    c.titulo = titulo;
    c.largura = largura;
    c.formato = formato;
    return c;
}

ModeloTabela::ModeloTabela(Tabela& tabela, std::vector<ColunaGrade> colunas, QObject* pai)
    : QAbstractTableModel(pai), tabela_(tabela), colunas_(std::move(colunas)) {
    for (const auto& c : colunas_) {
        int p = -1;
        if (!c.campo.empty()) {
            p = tabela_.definicao().posicao(c.campo);
            if (p < 0) throw ErroKorva("Campo não encontrado na tabela " + tabela_.nome() + ": " + c.campo);
        }
        posicaoCampo_.push_back(p);
        Forma f;
        if (p >= 0) {
            f.tipo = tabela_.definicao().campos[static_cast<size_t>(p)].tipo;
            f.logico = f.tipo == TipoCampo::Boolean;
            f.numero = c.codigos.empty() && Numerico(f.tipo);
        }
        f.casas = Casas(c.formato);
        f.milhar = c.formato.contains(',');
        if (!c.formato.isEmpty() && c.formato.count('0') == c.formato.size()) f.zeros = static_cast<int>(c.formato.size());
        formas_.push_back(f);
    }
    observador_ = tabela_.observa([this] { sincroniza(); });
    sincroniza();
}

ModeloTabela::~ModeloTabela() { tabela_.esquece(observador_); }

int ModeloTabela::colunaDoCampo(const std::string& campo) const {
    for (size_t i = 0; i < colunas_.size(); ++i)
        if (!colunas_[i].campo.empty() && tabela_.definicao().campo(colunas_[i].campo) ==
                                               tabela_.definicao().campo(campo))
            return static_cast<int>(i);
    return -1;
}

int ModeloTabela::rowCount(const QModelIndex& pai) const { return pai.isValid() ? 0 : contagem_; }
int ModeloTabela::columnCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : static_cast<int>(colunas_.size());
}

void ModeloTabela::sincroniza() {
    if (sincronizando_) return;
    sincronizando_ = true;
    struct Fim {
        bool& b;
        ~Fim() { b = false; }
    } fim{sincronizando_};

    int contagem = 0, nova = -1, atual = -1, estado = 0;
    uint64_t versao = tabela_.versaoLinhas();
    if (tabela_.aberta()) {
        const int n = tabela_.quantidade();
        estado = static_cast<int>(tabela_.estado());
        const bool inserindo = tabela_.estado() == EstadoTabela::Insercao;
        contagem = n + (inserindo ? 1 : 0);
        if (inserindo) nova = std::clamp(tabela_.posicao(), 0, n);
        atual = inserindo ? nova : tabela_.posicao();
        versao = tabela_.versaoLinhas();
    }
    const int atualAntes = atual_, estadoAntes = estado_;
    auto poe = [&] {
        contagem_ = contagem;
        linhaNova_ = nova;
        atual_ = atual;
        estado_ = estado;
        versao_ = versao;
    };
    if (versao != versao_) {
        beginResetModel();
        poe();
        endResetModel();
    } else if (linhaNova_ < 0 && nova >= 0 && contagem == contagem_ + 1) {
        beginInsertRows({}, nova, nova);
        poe();
        endInsertRows();
    } else if (linhaNova_ >= 0 && nova < 0 && contagem == contagem_ - 1) {
        beginRemoveRows({}, linhaNova_, linhaNova_);
        poe();
        endRemoveRows();
    } else if (contagem != contagem_ || nova != linhaNova_) {
        beginResetModel();
        poe();
        endResetModel();
    } else {
        poe();
        const int ultima = columnCount() - 1;
        for (int l : {atualAntes, atual})
            if (l >= 0 && l < contagem_ && ultima >= 0) emit dataChanged(index(l, 0), index(l, ultima));
    }
    if (contagem_ > 0) emit headerDataChanged(Qt::Vertical, 0, contagem_ - 1);
    if (atual_ != atualAntes) emit linhaAtualMudou(atual_);
    if (estado_ != estadoAntes) emit estadoMudou();
}

const std::vector<Valor>* ModeloTabela::valoresDe(int linha) const {
    if (linha < 0 || linha >= contagem_ || !tabela_.aberta()) return nullptr;
    // By the snapshot the views know, so a change is seen only once announced.
    if (linha == linhaNova_ || (linha == atual_ && estado_ == static_cast<int>(EstadoTabela::Edicao))) {
        static thread_local std::vector<Valor> buffer;
        buffer = tabela_.linha();
        return &buffer;
    }
    const int d = linhaNova_ >= 0 && linha > linhaNova_ ? linha - 1 : linha;
    try {
        return &tabela_.valoresDaLinha(d);
    } catch (const std::exception&) {
        return nullptr;  // the dataset changed under the view: the next notice resets it
    }
}

QString ModeloTabela::texto(int coluna, const Valor& v) const {
    if (v.nulo()) return {};
    const ColunaGrade& c = colunas_.at(static_cast<size_t>(coluna));
    const int p = posicaoCampo_.at(static_cast<size_t>(coluna));
    const Forma& forma = formas_[static_cast<size_t>(coluna)];
    if (!c.codigos.empty() && (v.ehInteiro() || v.ehNumero())) {
        for (const auto& [codigo, nome] : c.codigos)
            if (codigo == v.comoInteiro()) return nome;
    }
    const TipoCampo tipo = p >= 0 ? forma.tipo
                                  : (v.ehNumero() ? TipoCampo::Float
                                     : v.ehInteiro() ? TipoCampo::Integer
                                     : v.ehData()    ? TipoCampo::Date
                                                     : TipoCampo::String);
    switch (tipo) {
        case TipoCampo::Float: {
            const double x = v.comoNumero();
            const int casas = forma.casas;
            if (casas < 0) return Brasil().toString(x, 'g', 15);
            QString s = QString::number(std::fabs(x), 'f', casas);
            const qsizetype ponto = s.indexOf('.');
            qsizetype fim = ponto < 0 ? s.size() : ponto;
            if (ponto >= 0) s[ponto] = ',';
            if (forma.milhar)
                for (qsizetype i = fim - 3; i > 0; i -= 3) s.insert(i, '.');
            // A negative amount that rounds to zero shows no sign.
            const bool algarismo = std::any_of(s.cbegin(), s.cend(), [](QChar ch) { return ch >= '1' && ch <= '9'; });
            return x < 0 && algarismo ? QLatin1Char('-') + s : s;
        }
        case TipoCampo::Smallint:
        case TipoCampo::Integer:
        case TipoCampo::Autoinc:
            // "000": shown with that many digits, zeros on the left.
            if (forma.zeros > 0 && v.comoInteiro() >= 0)
                return QStringLiteral("%1").arg(v.comoInteiro(), forma.zeros, 10, QChar('0'));
            return QString::number(v.comoInteiro());
        case TipoCampo::Date:
            return QString::fromStdString(v.comoData().dma());
        case TipoCampo::Time: {
            const int minutos = static_cast<int>(std::lround(v.comoNumero() * 24 * 60));
            return QStringLiteral("%1:%2").arg(minutos / 60, 2, 10, QChar('0')).arg(minutos % 60, 2, 10, QChar('0'));
        }
        case TipoCampo::Boolean:
            return v.comoLogico() ? QStringLiteral("S") : QStringLiteral("N");
        default:
            return QString::fromStdString(v.comoTexto());
    }
}

Valor ModeloTabela::deTexto(int coluna, const QString& bruto) const {
    const ColunaGrade& c = colunas_.at(static_cast<size_t>(coluna));
    const int p = posicaoCampo_.at(static_cast<size_t>(coluna));
    QString t = bruto.trimmed();
    if (p < 0) return Valor(t.toStdString());
    const DefCampo& f = tabela_.definicao().campos[static_cast<size_t>(p)];
    if (t.isEmpty()) return {};
    for (const auto& [codigo, nome] : c.codigos)
        if (nome.trimmed().compare(t, Qt::CaseInsensitive) == 0) return Valor(codigo);
    switch (f.tipo) {
        case TipoCampo::Float: {
            // "1.234,56" and "1234,56" as typed here; "1234.56" as a keypad gives it.
            if (t.contains(',')) t = t.remove('.').replace(',', '.');
            bool ok = false;
            const double x = t.toDouble(&ok);
            if (!ok) throw ErroConversao("'" + bruto.toStdString() + "' não é um número válido para o campo " + f.nome);
            return Valor(x);
        }
        case TipoCampo::Smallint:
        case TipoCampo::Integer:
        case TipoCampo::Autoinc: {
            bool ok = false;
            const qlonglong n = t.toLongLong(&ok);
            if (!ok)
                throw ErroConversao("'" + bruto.toStdString() + "' não é um número inteiro válido para o campo " + f.nome);
            return Valor(static_cast<int64_t>(n));
        }
        case TipoCampo::Date: {
            auto d = Data::lerDMA(t.toStdString());
            if (!d) throw ErroConversao("'" + bruto.toStdString() + "' não é uma data válida para o campo " + f.nome);
            return Valor(*d);
        }
        case TipoCampo::Time: {
            const QStringList partes = t.split(':');
            bool ok1 = false, ok2 = partes.size() == 2;
            const int h = partes.value(0).toInt(&ok1);
            const int m = ok2 ? partes.value(1).toInt(&ok2) : 0;
            if (!ok1 || !ok2 || m < 0 || m > 59 || h < 0)
                throw ErroConversao("'" + bruto.toStdString() + "' não é uma hora válida para o campo " + f.nome);
            return Valor((h * 60 + m) / (24.0 * 60));
        }
        case TipoCampo::Boolean:
            return Valor(t.compare("S", Qt::CaseInsensitive) == 0 || t == "1" ||
                         t.compare("true", Qt::CaseInsensitive) == 0);
        default:
            return Valor((c.maiusculas ? t.toUpper() : bruto).toStdString());
    }
}

QVariant ModeloTabela::data(const QModelIndex& indice, int papel) const {
    switch (papel) {
        case Qt::DisplayRole:
        case Qt::EditRole:
        case Qt::CheckStateRole:
        case Qt::TextAlignmentRole:
        case Qt::ForegroundRole:
            break;
        default:
            return {};
    }
    if (!indice.isValid() || indice.column() >= columnCount()) return {};
    const size_t col = static_cast<size_t>(indice.column());
    const int p = posicaoCampo_[col];
    const Forma& forma = formas_[col];
    // The alignment of a field column does not depend on the row.
    if (papel == Qt::TextAlignmentRole && p >= 0)
        return QVariant::fromValue(forma.numero ? (Qt::AlignRight | Qt::AlignVCenter) : (Qt::AlignLeft | Qt::AlignVCenter));
    const auto* valores = valoresDe(indice.row());
    if (!valores) return {};
    const ColunaGrade& c = colunas_[col];
    Valor calculado;
    if (p < 0 && c.calcula) {
        try {
            calculado = c.calcula(*valores);
        } catch (const std::exception&) {
            calculado = Valor();
        }
    }
    const Valor& v = p >= 0 ? (*valores)[static_cast<size_t>(p)] : calculado;
    // A coded column shows texts: left-aligned, never red.
    const bool numero = p >= 0 ? forma.numero : c.codigos.empty() && (v.ehNumero() || v.ehInteiro());
    switch (papel) {
        case Qt::DisplayRole:
            return forma.logico ? QVariant() : QVariant(texto(indice.column(), v));
        case Qt::EditRole:
            return texto(indice.column(), v);
        case Qt::CheckStateRole:
            if (!forma.logico) return {};
            return (!v.nulo() && v.comoLogico()) ? Qt::Checked : Qt::Unchecked;
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(numero ? (Qt::AlignRight | Qt::AlignVCenter) : (Qt::AlignLeft | Qt::AlignVCenter));
        case Qt::ForegroundRole:
            if (numero && !v.nulo() && v.comoNumero() < 0) return QBrush(QColor(Qt::red));
            return {};
        default:
            return {};
    }
}

ModeloTabela::Celula ModeloTabela::celula(int linha, int coluna) const {
    Celula r;
    if (coluna < 0 || coluna >= columnCount()) return r;
    const size_t col = static_cast<size_t>(coluna);
    const int p = posicaoCampo_[col];
    const Forma& forma = formas_[col];
    r.logico = forma.logico;
    const auto* valores = valoresDe(linha);
    if (!valores) return r;
    const ColunaGrade& c = colunas_[col];
    Valor calculado;
    if (p < 0 && c.calcula) {
        try {
            calculado = c.calcula(*valores);
        } catch (const std::exception&) {
            calculado = Valor();
        }
    }
    const Valor& v = p >= 0 ? (*valores)[static_cast<size_t>(p)] : calculado;
    const bool numero = p >= 0 ? forma.numero : c.codigos.empty() && (v.ehNumero() || v.ehInteiro());
    r.direita = numero;
    r.negativo = numero && !v.nulo() && v.comoNumero() < 0;
    if (!forma.logico) r.texto = texto(coluna, v);
    return r;
}

QVariant ModeloTabela::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    if (papel != Qt::DisplayRole) return {};
    if (orientacao == Qt::Horizontal) {
        if (secao < 0 || secao >= columnCount()) return {};
        const ColunaGrade& c = colunas_[static_cast<size_t>(secao)];
        return c.titulo.isEmpty() ? QString::fromStdString(c.campo) : c.titulo;
    }
    if (secao != atual_) return QString();
    if (secao == linhaNova_) return QStringLiteral("*");
    return tabela_.aberta() && tabela_.editando() ? QStringLiteral("I") : QStringLiteral("►");
}

Qt::ItemFlags ModeloTabela::flags(const QModelIndex& indice) const {
    if (!indice.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const size_t col = static_cast<size_t>(indice.column());
    const int p = posicaoCampo_[col];
    const bool fixo = somenteLeitura_ || colunas_[col].somenteLeitura || p < 0 ||
                      (tabela_.aberta() && tabela_.modo() == ModoAbertura::SomenteLeitura);
    if (!fixo) {
        if (tabela_.definicao().campos[static_cast<size_t>(p)].tipo == TipoCampo::Boolean) f |= Qt::ItemIsUserCheckable;
        else f |= Qt::ItemIsEditable;
    }
    return f;
}

bool ModeloTabela::executa(const std::function<void()>& acao) { return Protegido(this, acao); }

bool ModeloTabela::vaiPara(int linha) {
    if (linha == atual_ || linha < 0 || linha >= contagem_) return linha == atual_;
    return executa([&] {
        int destino = linhaNova_ >= 0 && linha > linhaNova_ ? linha - 1 : linha;
        if (tabela_.editando()) {
            // Leaving the row stores it, which may move it in the order.
            const bool nova = tabela_.estado() == EstadoTabela::Insercao;
            const int antes = nova ? -1 : tabela_.posicao();
            tabela_.grava();
            if (!nova && destino > antes) --destino;
            if (tabela_.posicao() <= destino) ++destino;
        }
        tabela_.vaiPara(destino);
    });
}

bool ModeloTabela::setData(const QModelIndex& indice, const QVariant& valor, int papel) {
    if (!indice.isValid() || !(flags(indice) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable))) return false;
    if (papel != Qt::EditRole && papel != Qt::CheckStateRole) return false;
    if (!vaiPara(indice.row())) return false;
    const size_t col = static_cast<size_t>(indice.column());
    return executa([&] {
        const Valor v = papel == Qt::CheckStateRole ? Valor(valor.toInt() == Qt::Checked)
                                                    : deTexto(indice.column(), valor.toString());
        if (!tabela_.editando()) tabela_.edita();
        tabela_[colunas_[col].campo] = v;
    });
}

bool ModeloTabela::defineCampo(const std::string& campo, const Valor& v) {
    return executa([&] {
        if (!tabela_.editando()) tabela_.edita();
        tabela_[campo] = v;
    });
}

bool ModeloTabela::primeiro() { return executa([&] { tabela_.primeiro(); }); }
bool ModeloTabela::ultimo() { return executa([&] { tabela_.ultimo(); }); }
bool ModeloTabela::anterior() { return executa([&] { tabela_.anterior(); }); }
bool ModeloTabela::proximo() { return executa([&] { tabela_.proximo(); }); }
bool ModeloTabela::insere() { return executa([&] { tabela_.insere(); }); }
bool ModeloTabela::edita() { return executa([&] { tabela_.edita(); }); }
bool ModeloTabela::grava() { return executa([&] { if (tabela_.editando()) tabela_.grava(); }); }
bool ModeloTabela::cancela() { return executa([&] { tabela_.cancela(); }); }
bool ModeloTabela::exclui() { return executa([&] { tabela_.exclui(); }); }
bool ModeloTabela::atualiza() { return executa([&] { tabela_.atualiza(); }); }

}  // namespace korva::ui
