#include "parameters/BasesSalariais.h"

namespace korva {

namespace {
LinhaBaseLembrada& Lembrada() {
    static LinhaBaseLembrada linha;
    return linha;
}
}  // namespace

std::string BasesSalariais::Titulo(const std::string& nomeTabela) {
    return "KORVA - Bases Salariais (" + nomeTabela + ")";
}

void BasesSalariais::EsqueceLinhaLembrada() { Lembrada() = {}; }

BasesSalariais::BasesSalariais(Banco& privado, std::string tabelaI, int mes, int ano)
    : BasesMensais(privado, std::move(tabelaI), Lembrada(), true), mes_(mes), ano_(ano) {}

bool BasesSalariais::mesAnoFixos(int& mes, int& ano) const {
    if (!umMes()) return false;
    mes = mes_;
    ano = ano_;
    return true;
}

double BasesSalariais::total(int mes, int ano) {
    Tabela t(banco_, nome_);
    t.abre();
    t.defineFiltro("Mes=" + std::to_string(mes) + " and Ano=" + std::to_string(ano));
    double soma = 0;
    for (t.primeiro(); !t.fim(); t.proximo())
        if (!t.valor("Valor").nulo()) soma += t.valor("Valor").comoNumero();
    return soma;
}

}  // namespace korva
