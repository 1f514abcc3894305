#include "parameters/CalculaDtBase.h"

#include "reference/TabelasReferencia.h"
#include "util/Erros.h"

namespace korva {

namespace {

constexpr int Sabado = 7, Domingo = 1;

// The 1st of the month after mes/ano (month 0 comes before January).
std::optional<Data> InicioProximoMes(int mes, int ano) {
    ++mes;
    if (mes > 12) {
        mes = 1;
        ++ano;
    }
    return Data::tenta(ano, mes, 1);
}

// The n-th working day counted from the 1st of the month after mes/ano.
Data DiaUtil(int mes, int ano, int n, const std::function<bool(Data)>& ehFeriado) {
    auto inicio = InicioProximoMes(mes, ano);
    if (!inicio) return Data();
    Data d = *inicio;
    int contados = 0;
    // A year of holidays would never end the walk; no calendar has one.
    for (int i = 0; i < 366; ++i, d += 1) {
        const int semana = d.diaDaSemana();
        if (semana == Sabado || semana == Domingo) continue;
        if (ehFeriado && ehFeriado(d)) continue;
        if (++contados == n) return d;
    }
    return Data();
}

}  // namespace

bool CodigoDtBaseConhecido(int codigo) {
    switch (codigo) {
        case 0: case 1: case 5: case 9: case 10: case 15: case 20: case CodigoDtBaseDigitada:
            return true;
        default:
            return false;
    }
}

std::string MsgCodigoDtBaseInvalido(int codigo) {
    return "Código de Data Base Padrão inválido (" + std::to_string(codigo) + ")!";
}

Data CalculaDtBase(int mes, int ano, std::optional<Data> digitada, int codigo,
                   const std::function<bool(Data)>& ehFeriado) {
    switch (codigo) {
        case 0:
        case 1: {
            auto proximo = InicioProximoMes(mes, ano);
            if (!proximo || mes < 0) return Data();
            Data dia = *proximo - 1;
            if (codigo == 0 && ehFeriado)
                for (int i = 0; i < 366 && ehFeriado(dia); ++i) dia = dia - 1;
            return dia;
        }
        case 5: return DiaUtil(mes, ano, 1, ehFeriado);
        case 9: return DiaUtil(mes, ano, 5, ehFeriado);
        case 10: return DiaUtil(mes, ano, 6, ehFeriado);
        case 15: return Data::tenta(ano, 11, 20).value_or(Data());
        case 20: return Data::tenta(ano, 12, 20).value_or(Data());
        case CodigoDtBaseDigitada: return digitada.value_or(Data());
        default: throw ErroKorva(MsgCodigoDtBaseInvalido(codigo));
    }
}

bool CalculoDtBase::EhFeriado(Data d) const {
    return referencia_.EhFeriado(d, opcoes_.feriadosNacionais, opcoes_.feriadosEstaduais, opcoes_.feriadosMunic);
}

Data CalculoDtBase::CalculaDtBase(int mes, int ano, std::optional<Data> digitada, int codigo) const {
    return korva::CalculaDtBase(mes, ano, digitada, codigo, [this](Data d) { return EhFeriado(d); });
}

}  // namespace korva
