#include "timecards/GeracaoCartoes.h"

#include "reference/TabelasReferencia.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"
#include "timecards/Cartoes.h"
#include "timecards/Horarios.h"
#include "util/Erros.h"

namespace korva {

namespace {

constexpr const char* Rotulos[8] = {"Entrada 1", "Saída 1", "Entrada 2", "Saída 2",
                                    "Entrada 3", "Saída 3", "Entrada 4", "Saída 4"};
constexpr const char* SufixosGrupo[3] = {"", " do Sábado", " do Domingo"};

constexpr int Domingo = 1;
constexpr int Sabado = 7;

using Horarios = std::array<double, 8>;

Horarios LeGrupo(int grupo, const std::array<std::string, 8>& textos) {
    Horarios r{};
    for (int i = 0; i < 8; ++i) {
        const auto h = LeHorario(textos[i]);
        if (!h) throw ErroKorva(MsgHorarioInvalido + RotuloHorarioGeracao(grupo, i));
        r[i] = *h;
    }
    return r;
}

}  // namespace

std::string RotuloHorarioGeracao(int grupo, int i) { return std::string(Rotulos[i]) + SufixosGrupo[grupo]; }

std::string TextoPeriodoGeracao(Data data1, Data data2) { return "Período: " + data1.dma() + " a " + data2.dma(); }

ResultadoGeracaoCartoes GeraCartoes(Banco& privado, const std::string& tabelaG, Data data1, Data data2,
                                    const OpcoesGeracaoCartoes& o, const std::function<bool(Data)>& ehFeriado) {
    if (o.ate < o.de) throw ErroKorva(MsgPeriodoGeracaoInvalido);
    if (o.de < data1) throw ErroKorva(MsgDataInicialInvalida);
    if (o.ate > data2) throw ErroKorva(MsgDataFinalInvalida);
    const Horarios semana = LeGrupo(0, o.semana);
    const Horarios sabado = LeGrupo(1, o.sabado);
    const Horarios domingo = LeGrupo(2, o.domingo);

    ResultadoGeracaoCartoes r;
    Tabela t(privado, tabelaG);
    t.abre();
    t.defineIndice("");
    AplicaRegrasCartao(t);
    // All the cards or none: a failure half-way undoes what was written.
    Transacao transacao(privado);
    try {
        for (Data d = o.de; d <= o.ate; d += 1) {
            const int dia = d.diaDaSemana();
            if (dia == Domingo && !o.inserirDomingos) continue;
            if (dia == Sabado && !o.inserirSabados) continue;
            const bool existe = t.localizaChave({Valor(d)});
            if (existe && !o.sobrepor) continue;
            if (existe)
                t.edita();
            else
                t.insere();
            t["Data"] = d;
            const Horarios& h = dia == Domingo ? domingo : dia == Sabado ? sabado : semana;
            for (size_t i = 0; i < MarcacoesCartao.size(); ++i) t[MarcacoesCartao[i]] = h[i];
            const bool folga = (dia == Sabado && o.sabadoFolga) || (dia == Domingo && o.domingoFolga) ||
                               (o.observarFeriados && ehFeriado && ehFeriado(d));
            if (folga)
                t["Situacao"] = "F";
            else
                t["Situacao"].limpa();
            t.grava();
            ++(existe ? r.alterados : r.inseridos);
        }
    } catch (...) {
        if (t.editando()) t.cancela();
        throw;
    }
    transacao.confirma();
    t.fecha();
    return r;
}

ResultadoGeracaoCartoes GeraCartoes(Banco& privado, const std::string& tabelaG, Data data1, Data data2,
                                    const OpcoesGeracaoCartoes& o, TabelasReferencia& referencia) {
    return GeraCartoes(privado, tabelaG, data1, data2, o, [&referencia](Data d) { return referencia.EhDiaDeFeriado(d); });
}

}  // namespace korva
