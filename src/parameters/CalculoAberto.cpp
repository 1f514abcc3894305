#include "parameters/CalculoAberto.h"

#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

namespace korva {

std::string CalculoAberto::tabela(char letra) const {
    return ConjuntoCalculo::NomeTabelaDe(execucao.diretorio, execucao.arquivo, letra);
}

CalculoAberto CalculoAbertoDe(const Tabela& processo) {
    CalculoAberto c;
    c.execucao = ParametrosDoProcesso(processo);
    c.mensal = OpcoesCalculoMensalDe(processo);
    return c;
}

CalculoAberto CalculoAbertoDe(Banco& privado, const std::string& processo, int codRecte) {
    Tabela t(privado, "Processo.DB");
    t.abre(ModoAbertura::SomenteLeitura);
    if (!t.localiza({"Processo", "CodRecte"}, {Valor(processo), Valor(codRecte)}))
        throw ErroKorva("Cálculo não encontrado: processo " + processo + ", grupo " + std::to_string(codRecte) + ".");
    return CalculoAbertoDe(t);
}

}  // namespace korva
