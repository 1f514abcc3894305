#include "prorata/ui/ColunasProrrata.h"

#include <exception>

#include "app/ui/GradeTabela.h"
#include "app/ui/TratamentoErros.h"
#include "register/RegrasAcrescimos.h"
#include "storage/Tabela.h"

namespace korva::ui {

std::vector<ColunaGrade> ColunasAcrescimosProrrata() {
    std::vector<ColunaGrade> c;
    c.push_back(Coluna("Descricao", QStringLiteral("Descrição"), 30));
    c.push_back(Coluna("Valor", QStringLiteral("Valor/Percentual"), 12, QStringLiteral("#,##0.00")));
    ColunaGrade tipo = Coluna("Tipo", QStringLiteral("Tipo"), 4);
    tipo.maiusculas = true;
    tipo.lista = {QStringLiteral("P"), QStringLiteral("V")};
    c.push_back(std::move(tipo));
    c.push_back(Coluna("DtBase", QStringLiteral("Data Base")));
    c.push_back(Coluna("Totalizar", QStringLiteral("Somar"), 5));
    return c;
}

bool GravaAcrescimoDaGrade(QWidget* janela, ModeloTabela& modelo, GradeTabela& grade) {
    Tabela& t = modelo.tabela();
    try {
        if (t.editando()) t.grava();
    } catch (const ErroCampo& e) {
        TrataErro(janela, e);
        const int coluna = modelo.colunaDoCampo(e.campo());
        if (coluna >= 0) grade.setCurrentIndex(modelo.index(modelo.linhaAtual(), coluna));
        grade.setFocus();
        return false;
    } catch (const std::exception& e) {
        TrataErro(janela, e);
        return false;
    }
    return true;
}

}  // namespace korva::ui
