#include "parameters/ui/ModeloVerbas.h"

#include "parameters/CodigosVerba.h"

namespace korva::ui {

ModeloVerbas::ModeloVerbas(Tabela& tabela, std::vector<ColunaGrade> colunas, std::set<std::string> codigos,
                           std::function<bool(const std::string&)> bloqueado, QObject* pai)
    : ModeloTabela(tabela, std::move(colunas), pai), codigos_(std::move(codigos)), bloqueado_(std::move(bloqueado)) {}

QVariant ModeloVerbas::data(const QModelIndex& indice, int papel) const {
    QVariant v = ModeloTabela::data(indice, papel);
    if ((papel != Qt::DisplayRole && papel != Qt::EditRole) || !indice.isValid()) return v;
    if (!codigos_.count(coluna(indice.column()).campo)) return v;
    bool ok = false;
    const int codigo = v.toString().toInt(&ok);
    return ok && codigo >= 0 ? QVariant(QString::fromStdString(CodigoTresDigitos(codigo))) : v;
}

Qt::ItemFlags ModeloVerbas::flags(const QModelIndex& indice) const {
    Qt::ItemFlags f = ModeloTabela::flags(indice);
    // Only the current row takes typed values: a click on another row makes
    // it current before its cell editor opens.
    if (indice.isValid() && indice.row() == linhaAtual() && bloqueado_) {
        const std::string& campo = coluna(indice.column()).campo;
        if (!campo.empty() && bloqueado_(campo)) f &= ~(Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
    }
    return f;
}

}  // namespace korva::ui
